#pragma once
// The language switch's table: for every window and control, its Czech and
// English text. The switch walks it and assigns the text of the chosen language.
#include "core/language.h"

#include <span>
#include <string_view>

namespace ravik {

// Object names of the windows.
namespace window {
inline constexpr const char* kMain = "MainWindow";
inline constexpr const char* kCompetitors = "CompetitorWindow";
inline constexpr const char* kTextImport = "TextImportWindow";
inline constexpr const char* kBrowser = "BrowserWindow";
inline constexpr const char* kClassEditor = "ClassEditorWindow";
inline constexpr const char* kManualEntry = "ManualEntryWindow";
inline constexpr const char* kResults = "ResultsWindow";
inline constexpr const char* kPublish = "PublishWindow";
inline constexpr const char* kPrintPreview = "PrintPreviewWindow";
} // namespace window

enum class CaptionKind {
    Caption,     // the control's text (button, label, check box, group title, menu item)
    Hint,        // the control's hint (tool tip)
    WindowTitle, // the window's title; control is empty
    NoRaceLabel, // a race-name label: changed only while it shows the no-race text
    Item,        // an item of a drop-down list, by its position
};

struct CaptionRow {
    const char* window;
    const char* control;
    CaptionKind kind;
    Text text;
    int item = -1; // the item's position (Item rows)
};

std::span<const CaptionRow> captionTable();

// The all-classes item of the draw-class box.
inline constexpr Text kAllClassesItem{"vše", "all"};
// Left position of the results window's Edit5.
inline int edit5Left(Language language) { return language == Language::English ? 272 : 328; }

} // namespace ravik
