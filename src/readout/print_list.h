#pragma once
// The print list of the main window: the punch files of the current stage folder.
#include "core/competitor_table.h"
#include "core/folder_names.h"

#include <string>
#include <vector>

namespace ravik {

// Every "*.si" regular file among the stage folder's entries (as the caller keeps
// them; nullptr is a missing folder), sorted by name, without the files of cards
// that belong to nobody ("SI..."); each followed by " (" + name + ")" for every
// competitor row whose ID equals the file name up to its first ".". Items are
// code page 1250.
std::vector<std::string> printListItems(const FolderNames::Names* stageFolder, const CompetitorTable& table);

// Whether the list of these entries has an item of competitor `id`, that is
// whether a refresh would select something for him; nothing is built.
bool printListHasItemOf(const FolderNames::Names* stageFolder, const std::string& id);

// The competitor ID of a print list item: its text up to the first ".".
std::string competitorIdOfItem(const std::string& item);

} // namespace ravik
