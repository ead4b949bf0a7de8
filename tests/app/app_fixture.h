#pragma once
// A whole program (every window) with a scripted prompt, for the window tests.
#include "app/application.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "test_support.h"

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace ravik::test {

// Records the filters the file dialogs were asked for.
class RecordingPrompt : public ScriptedPrompt {
public:
    std::vector<std::string> filters;
    std::optional<std::string> openFileName(const std::string& filter) override {
        filters.push_back(filter);
        return ScriptedPrompt::openFileName(filter);
    }
};

class AppTest : public ::testing::Test {
protected:
    AppTest() : prompt(new RecordingPrompt), app(std::unique_ptr<Prompt>(prompt)) {}

    QWidget* window(const char* objectName) {
        for (QWidget* w : app.windows())
            if (w->objectName() == QLatin1String(objectName)) return w;
        return nullptr;
    }

    // The control of a window by its name; fails the test when it is missing.
    template <class T> T* control(const char* windowName, const char* name) {
        QWidget* w = window(windowName);
        if (!w) {
            ADD_FAILURE() << "no window " << windowName;
            return nullptr;
        }
        T* found = w->findChild<T*>(QLatin1String(name));
        if (!found) ADD_FAILURE() << "no control " << name << " in " << windowName;
        return found;
    }

    // Creates the race file of the stage in the folder with its stage folder E1 and
    // opens it on stage 1 with an empty competitor table (headings only).
    void openRace(const TempFolder& folder, const RaceRecord& stage) {
        createRaceFile(folder.file("cup.ravik"), stage);
        ensureFolder(folder.file("E1"));
        Session& session = app.session();
        session.race.setRacePath(folder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
    }

    RecordingPrompt* prompt; // owned by app
    RavikApp app;
};

inline std::string str(const QString& text) {
    return text.toStdString();
}

} // namespace ravik::test
