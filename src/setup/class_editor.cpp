#include "setup/class_editor.h"
#include "setup/definition_checks.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/prompt.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/setup_texts.h"
#include "setup/class_editor_numbers.h"
#include "setup/stage_display.h"
#include "setup/station_numbering.h"

namespace ravik {
namespace {

std::string cut(const std::string& text, std::size_t length) {
    return text.substr(0, length);
}
std::string shownCode(std::int32_t code) {
    return code > 0 ? std::to_string(code) : std::string();
}

} // namespace

ClassEditor::ClassEditor(Session& session, Prompt& prompt) : session_(session), prompt_(prompt) {}

int ClassEditor::editorStage() const {
    return stageNumberOf(view.etapa);
}

bool ClassEditor::raceFileExists() const {
    return session_.race.isOpen() && fileExists(session_.race.racePath());
}

int ClassEditor::fileStages() const {
    return stageCount(session_.race.racePath());
}

void ClassEditor::showStageItems(int count) {
    view.stageItems.clear();
    for (int stage = 1; stage <= count; ++stage)
        view.stageItems.push_back(std::to_string(stage));
    if (hooks.stageCountChanged) hooks.stageCountChanged(count);
}

// The first use of the editor puts both the editor and the main window on stage 1.
void ClassEditor::setEditorStageToFirst() {
    view.etapa = "1";
    session_.race.setCurrentStageText("1");
}

bool ClassEditor::load() {
    if (!raceFileExists()) return false;
    const std::string& path = session_.race.racePath();
    const int count = fileStages();
    if (count == 0) throw IoError("The race file holds no whole stage: " + path);

    if (view.etapa.empty())
        setEditorStageToFirst();
    else if (editorStage() == 0 || editorStage() > count)
        view.etapa = "1"; // a race with fewer stages than the one edited before
    showStageItems(count);

    stageRecord = readStage(path, editorStage());
    view.stageDate = stageRecord.stage_date;
    view.stagePlace = stageRecord.stage_place;
    view.stageStart = stageRecord.stage_start;
    view.raceName = stageRecord.race_name;
    if (hooks.stageShown) hooks.stageShown(stageRecord);

    for (int slot = 0; slot < kClassSlots; ++slot)
        view.classList[slot] = stageRecord.classes[slot].class_name;
    if (view.kategorie.empty()) view.kategorie = view.classList[0];
    // An empty name marks an unused slot; it never identifies the class being edited.
    if (!view.kategorie.empty())
        for (int slot = 0; slot < kClassSlots; ++slot)
            if (view.classList[slot] == view.kategorie) currentSlot = slot;
    view.copyItems.clear();
    for (const std::string& name : view.classList)
        if (name != view.kategorie) view.copyItems.push_back(name);

    fillGrids(stageRecord.classes[currentSlot]);
    return true;
}

void ClassEditor::fillGrids(const ClassDefinition& definition) {
    for (int cluster = 0; cluster < kClusters; ++cluster)
        for (int task = 0; task < kClusterSlots; ++task)
            view.clusters[cluster][task + 1] = definition.cluster_answers[cluster][task];
    for (int control = 0; control < kControls; ++control) {
        ControlRow& cells = view.controls[control];
        cells[controlColumn::kFlags] = definition.control_flags[control];
        cells[controlColumn::kAnswer] = definition.control_answer[control];
        for (int answer = 0; answer < kAnswersPerControl; ++answer)
            cells[controlColumn::kFirstCode + answer] = shownCode(definition.answer_codes[control][answer]);
    }
    view.break1From = shownCode(definition.break1_from_code);
    view.break1To = shownCode(definition.break1_to_code);
    view.break2From = shownCode(definition.break2_from_code);
    view.break2To = shownCode(definition.break2_to_code);
    view.limit = std::to_string(definition.time_limit);
    view.penalty = std::to_string(definition.cluster_penalty);
    view.format = formatName(definition.rules.format);
    view.timeFactor = timeFactorText(definition.rules.time_factor);
    view.overtimeSeconds = std::to_string(definition.rules.overtime_seconds_per_point);
}

bool ClassEditor::readNumberEdits(std::int32_t& penalty, std::int32_t& limit,
                                  std::array<std::int32_t, 4>& breaks) {
    struct Field {
        const std::string& text;
        const Text& name;
        std::int32_t& value;
    };
    const Field fields[] = {{view.penalty, texts::kFieldPenalty, penalty},
                            {view.limit, texts::kFieldLimit, limit},
                            {view.break1From, texts::kFieldBreak1From, breaks[0]},
                            {view.break1To, texts::kFieldBreak1To, breaks[1]},
                            {view.break2From, texts::kFieldBreak2From, breaks[2]},
                            {view.break2To, texts::kFieldBreak2To, breaks[3]}};
    for (const Field& field : fields) {
        const auto value = numberEditValue(field.text);
        if (!value) {
            prompt_.information(badNumberMessage(session_.language, field.name));
            return false;
        }
        field.value = *value;
    }
    return true;
}

SaveOutcome ClassEditor::save() {
    if (!raceFileExists()) return SaveOutcome::NothingToSave;
    const std::string& path = session_.race.racePath();
    const int stage = editorStage();
    // Never write a stage the file does not have (for example one just removed).
    if (stage == 0 || stage > fileStages()) return SaveOutcome::NothingToSave;

    std::int32_t penalty = 0, limit = 0;
    std::array<std::int32_t, 4> breaks{};
    if (!readNumberEdits(penalty, limit, breaks)) return SaveOutcome::Refused;
    const ClassRulesEdits rules = classRulesEditValue(view.format, view.timeFactor, view.overtimeSeconds);
    if (!rules.rules) {
        prompt_.information(badNumberMessage(session_.language, *rules.badField));
        return SaveOutcome::Refused;
    }
    if (view.penalty.empty()) view.penalty = "0";
    if (view.limit.empty()) view.limit = "0";

    const RaceRecord onFile = readStage(path, stage);
    RaceRecord record = onFile;
    record.race_name = cut(view.raceName, capacity::kRaceName);
    if (hooks.raceNameShown) hooks.raceNameShown(record.race_name);
    record.stage_number = stage;
    record.stage_date = cut(view.stageDate, capacity::kStageDate);
    record.stage_place = cut(view.stagePlace, capacity::kStagePlace);
    record.stage_start = cut(view.stageStart, capacity::kStageStart);

    ClassDefinition& definition = record.classes[currentSlot];
    definition.cluster_penalty = penalty;
    definition.time_limit = limit;
    definition.break1_from_code = breaks[0];
    definition.break1_to_code = breaks[1];
    definition.break2_from_code = breaks[2];
    definition.break2_to_code = breaks[3];
    definition.rules = *rules.rules;
    for (int slot = 0; slot < kClassSlots; ++slot)
        record.classes[slot].class_name = cut(view.classList[slot], capacity::kClassName);

    for (int cluster = 0; cluster < kClusters; ++cluster)
        for (int task = 0; task < kClusterSlots; ++task)
            definition.cluster_answers[cluster][task] =
                cut(view.clusters[cluster][task + 1], capacity::kOneLetter);
    for (int control = 0; control < kControls; ++control) {
        const ControlRow& cells = view.controls[control];
        for (int answer = 0; answer < kAnswersPerControl; ++answer) {
            const CodeCell code = codeCellValue(cells[controlColumn::kFirstCode + answer]);
            if (!code.wellFormed) session_.log.append(session_.text(texts::kBadCodeCell));
            definition.answer_codes[control][answer] = code.value;
        }
        definition.control_flags[control] = cut(cells[controlColumn::kFlags], capacity::kControlFlags);
        definition.control_answer[control] = cut(cells[controlColumn::kAnswer], capacity::kOneLetter);
    }
    // A race open read-only can be looked through; only a change is refused.
    if (!session_.readOnly() || record != onFile) {
        session_.requireWritable();
        writeStage(path, stage, record);
    }
    for (const std::string& warning : definitionWarnings(definition, session_.language))
        session_.log.append(warning);
    if (hooks.stageShown) hooks.stageShown(record);
    // "+" copies the editor stage record: it holds what was just saved.
    stageRecord = record;
    return SaveOutcome::Saved;
}

void ClassEditor::selectClass(int row) {
    if (row < 0 || row >= kClassSlots) return;
    if (save() == SaveOutcome::Refused) return;
    if (view.classList[row].empty()) return;
    view.kategorie = view.classList[row];
    currentSlot = row;
    load();
}

void ClassEditor::activateFirstClass() {
    if (!view.kategorie.empty()) return;
    if (view.classList[0].empty()) {
        prompt_.information(session_.text(texts::kNoClassDefined));
        return;
    }
    view.kategorie = view.classList[0];
    // The grids now belong to the class of row 0, so they are saved into its slot.
    currentSlot = 0;
    save();
    session_.log.append(session_.text(texts::kClassActivatedBefore) + cp1250ToUtf8(view.kategorie) +
                        session_.text(texts::kClassActivatedAfter));
}

void ClassEditor::copyClass() {
    // An empty copy box would match every unused slot and wipe the current class.
    if (view.copyText.empty()) return;
    if (!raceFileExists()) return;
    const std::string& path = session_.race.racePath();
    const int stage = editorStage();
    if (stage == 0 || stage > fileStages()) return;

    RaceRecord record = readStage(path, stage);
    for (int slot = 0; slot < kClassSlots; ++slot) {
        if (slot == currentSlot || record.classes[slot].class_name != view.copyText) continue;
        const std::string source = record.classes[slot].class_name;
        record.classes[currentSlot] = record.classes[slot];
        record.classes[currentSlot].class_name = cut(view.kategorie, capacity::kClassName);
        session_.requireWritable();
        writeStage(path, stage, record);
        session_.log.append(session_.text(texts::kClassCopiedBefore) + cp1250ToUtf8(source) +
                            session_.text(texts::kClassCopiedInto) +
                            cp1250ToUtf8(record.classes[currentSlot].class_name));
    }
    view.copyText.clear();
    load();
}

void ClassEditor::numberStations() {
    long long first = kDefaultFirstCode;
    if (!view.firstCode.empty()) {
        const auto value = numberEditValue(view.firstCode);
        if (!value) {
            prompt_.information(badNumberMessage(session_.language, texts::kFieldFirstCode));
            return;
        }
        first = *value;
    }
    ravik::numberStations(view, first);
}

void ClassEditor::takeOverControl(int row) {
    if (row < 0 || row >= kControls) return;
    const std::string title = session_.text(texts::kTakeOverTitleBefore) + std::to_string(row + 1) +
                              session_.text(texts::kTakeOverTitleAfter);
    const auto answer = prompt_.input(title, session_.text(texts::kTakeOverPrompt), "");
    if (!answer) return;
    const int control = controlNumberOf(*answer);
    if (control == 0) return;

    if (view.etapa.empty()) {
        setEditorStageToFirst();
        if (raceFileExists() && hooks.stageCountChanged) hooks.stageCountChanged(fileStages());
    }
    if (!raceFileExists()) return;
    const int stage = editorStage();
    if (stage == 0 || stage > fileStages()) return;
    const ClassDefinition main = readStage(session_.race.racePath(), stage).classes[0];
    ControlRow& cells = view.controls[row];
    for (int code = 0; code < kAnswersPerControl; ++code)
        cells[controlColumn::kFirstCode + code] = shownCode(main.answer_codes[control - 1][code]);
    cells[controlColumn::kFlags] = main.control_flags[control - 1];
    cells[controlColumn::kAnswer] = main.control_answer[control - 1];
}

void ClassEditor::chooseStage(const std::string& stage) {
    view.etapa = stage;
    load();
}

void ClassEditor::addStage() {
    if (raceFileExists()) {
        const std::string& path = session_.race.racePath();
        const int count = fileStages();
        if (count >= 1 && count < kMaxStages) {
            RaceRecord added = stageRecord;
            added.stage_date.clear();
            added.stage_place.clear();
            added.stage_start.clear();
            for (ClassDefinition& definition : added.classes) {
                for (auto& cluster : definition.cluster_answers)
                    cluster.fill(std::string());
                definition.control_flags.fill(std::string());
                definition.control_answer.fill(std::string());
                for (auto& codes : definition.answer_codes)
                    codes.fill(0);
                definition.break1_from_code = definition.break1_to_code = 0;
                definition.break2_from_code = definition.break2_to_code = 0;
            }
            session_.requireWritable();
            appendStage(path, added);
            ensureFolder(session_.race.stageFolder(count + 1));
            showStageItems(fileStages());
            prompt_.information(session_.text(texts::kStageAdded));
        }
    }
    load();
}

void ClassEditor::removeStage() {
    if (!raceFileExists()) return;
    const int count = fileStages();
    if (count <= 1) return;
    const int kept = count - 1;
    session_.requireWritable();
    // The copy goes to a temporary file in the race folder and is renamed over the race file.
    truncateStages(session_.race.racePath(), kept);
    if (session_.race.currentStage() > kept) session_.race.setCurrentStageText(std::to_string(kept));
    const bool editorOnRemovedStage = editorStage() > kept;
    showStageItems(kept);
    prompt_.information(session_.text(texts::kStageRemoved));
    // The removed stage is never shown (and so never saved) again.
    if (editorOnRemovedStage) chooseStage(std::to_string(kept));
}

} // namespace ravik
