#pragma once
// The application's state, handed to every window and command: the language,
// the open race, the competitor table and the log.
#include "core/competitor_table.h"
#include "core/language.h"
#include "core/log.h"
#include "core/race_context.h"

#include <functional>
#include <string>
#include <vector>

namespace ravik {

class Session {
public:
    Language language = Language::Czech;
    RaceContext race;
    CompetitorTable table;
    LogLines log;
    // The process's current directory when the main window was created (settings live there).
    std::string startDirectory;

    const char* text(const Text& t) const { return tr(language, t); }

    // Clears the table, writes its headings and loads the competitor file of the
    // open race (an empty table when there is none).
    void loadCompetitors();
    // Rewrites the competitor file from the table, then tells the listeners.
    // A file that could not be loaded is first kept under another name, so a save
    // never destroys competitors the program could not read.
    void saveCompetitors();

    // Called after every save of the competitor file.
    std::vector<std::function<void()>> competitorsSaved;

private:
    std::string unreadableCompetitorFile_;
};

} // namespace ravik
