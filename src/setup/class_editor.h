#pragma once
// The class editor's commands ("Závod"): it edits one stage of the race file at
// a time (the editor stage, `etapa`) and within it one class slot. The window
// copies its controls into `view` before a command and shows `view` after it.
#include "core/race_record.h"
#include "setup/class_editor_view.h"

#include <functional>
#include <string>

namespace ravik {

class Prompt;
class Session;

// What the editor shows in the other windows; empty hooks are skipped.
struct ClassEditorHooks {
    // The race file now has this many stages: the stage boxes of the main window
    // (keeping the session's current stage) and of the competitor window refill.
    std::function<void(int stageCount)> stageCountChanged;
    // Load: the main window's race-name label, stage line and hidden date.
    std::function<void(const RaceRecord& stage)> stageShown;
    // Save: the main window's race-name label (code page 1250).
    std::function<void(const std::string& raceName)> raceNameShown;
};

enum class SaveOutcome {
    Saved,
    NothingToSave, // no race file, or the editor stage is not in it
    Refused,       // a number edit held no number; a message was shown
};

class ClassEditor {
public:
    ClassEditor(Session& session, Prompt& prompt);

    ClassEditorView view;
    RaceRecord stageRecord; // the stage last loaded into the editor
    int currentSlot = 0;    // 0..8, the slot whose name is view.kategorie
    ClassEditorHooks hooks;

    // Fills the view from the file; false (nothing changed) when there is no race
    // file. An editor stage missing from the file is reset to 1.
    bool load();
    // Writes the view into the editor stage's record; the current slot gets the
    // grids, every slot its name.
    SaveOutcome save();

    // A cell of the class list selected: save, then edit that class when the
    // cell holds a name.
    void selectClass(int row);
    // Entering the timed-controls or controls group with no class chosen.
    void activateFirstClass();
    // "OK" beside the copy box: the named class of this stage over the current one.
    void copyClass();
    // "Sport Ident": numbers the code cells from pSI (31 when empty).
    void numberStations();
    // Right mouse button over a control row (0..39): asks for a control of the
    // main class (slot 1) and copies its flags, answer and codes into the row.
    void takeOverControl(int row);

    // The stage box seznam_etap: another editor stage chosen.
    void chooseStage(const std::string& stage);
    // "+": appends a stage made from the editor stage (classes, penalties and
    // limits kept; no dates, controls or codes), at most five stages.
    void addStage();
    // "-": drops the last stage of the race file, whichever stage is shown.
    void removeStage();

    // The editor stage as a number; 0 when etapa is empty.
    int editorStage() const;

private:
    bool raceFileExists() const;
    int fileStages() const;
    void showStageItems(int count);
    void setEditorStageToFirst();
    void fillGrids(const ClassDefinition& definition);
    bool readNumberEdits(std::int32_t& penalty, std::int32_t& limit, std::array<std::int32_t, 4>& breaks);

    Session& session_;
    Prompt& prompt_;
};

} // namespace ravik
