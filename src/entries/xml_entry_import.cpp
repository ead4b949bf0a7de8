#include "entries/xml_entry_import.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/prompt.h"
#include "core/texts/entries_texts.h"
#include "entries/closest_cp1250.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ravik {
namespace {

// The element's name without a namespace prefix ("iof:PersonEntry" → "PersonEntry").
std::string_view localName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& parent, std::string_view name) {
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_element && localName(node) == name) return node;
    return {};
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

std::string textOf(const pugi::xml_node& node) {
    return node ? trimmed(node.text().get()) : std::string();
}

bool isThreeLetterCode(std::string_view code) {
    return code.size() == 3 && std::all_of(code.begin(), code.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
           });
}

std::string cp1250(const std::string& utf8) {
    return utf8ToCp1250Closest(utf8);
}

ImportedCompetitor entryOf(const pugi::xml_node& entry) {
    ImportedCompetitor competitor;
    const pugi::xml_node person = child(entry, "Person");
    // The registration: the last Id of the person whose type is a three-letter code.
    for (pugi::xml_node id = person.first_child(); id; id = id.next_sibling())
        if (id.type() == pugi::node_element && localName(id) == "Id" &&
            isThreeLetterCode(id.attribute("type").value()))
            competitor.registration = cp1250(textOf(id));
    const pugi::xml_node name = child(person, "Name");
    const std::string family = cp1250(textOf(child(name, "Family")));
    const std::string given = cp1250(textOf(child(name, "Given")));
    competitor.name = family.empty() || given.empty() ? family + given : family + " " + given;
    competitor.country =
        cp1250(trimmed(child(child(entry, "Organisation"), "Country").attribute("code").value()));
    for (pugi::xml_node card = entry.first_child(); card; card = card.next_sibling()) {
        if (card.type() != pugi::node_element || localName(card) != "ControlCard") continue;
        const pugi::xml_attribute system = card.attribute("punchingSystem");
        if (system && std::string_view(system.value()) != "SI") continue;
        competitor.card = cp1250(textOf(card));
        break;
    }
    competitor.competitorClass = cp1250(textOf(child(child(entry, "Class"), "Name")));
    if (const auto elite = competitor.competitorClass.find("Elite"); elite != std::string::npos)
        competitor.competitorClass.replace(elite, 5, "E");
    return competitor;
}

// PersonEntry elements in document order, found without recursion (any depth).
std::vector<pugi::xml_node> personEntries(const pugi::xml_document& document) {
    std::vector<pugi::xml_node> found;
    pugi::xml_node node = document.first_child();
    while (node) {
        const bool isEntry = node.type() == pugi::node_element && localName(node) == "PersonEntry";
        if (isEntry) found.push_back(node);
        if (!isEntry && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node) node = node.next_sibling();
    }
    return found;
}

// The encoding named in the XML declaration, lower case; empty when there is none.
std::string declaredEncoding(std::string_view xml) {
    if (xml.substr(0, 5) != "<?xml") return {};
    const std::string_view declaration = xml.substr(0, xml.find("?>"));
    const auto at = declaration.find("encoding");
    if (at == std::string_view::npos) return {};
    const auto quote = declaration.find_first_of("\"'", at);
    if (quote == std::string_view::npos) return {};
    const auto end = declaration.find(declaration[quote], quote + 1);
    if (end == std::string_view::npos) return {};
    std::string name(declaration.substr(quote + 1, end - quote - 1));
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

} // namespace

bool parseEntryList(std::string_view xml, std::vector<ImportedCompetitor>& entries, EntryListError& error,
                    EntryListShape* shape) {
    // pugixml knows UTF-8/16/32 and Latin-1 by itself; a list written in the
    // program's own code page is turned into UTF-8 first.
    std::string converted;
    pugi::xml_encoding encoding = pugi::encoding_auto;
    const std::string declared = declaredEncoding(xml);
    if (declared == "windows-1250" || declared == "cp1250") {
        converted = cp1250ToUtf8(xml);
        xml = converted;
        encoding = pugi::encoding_utf8;
    }
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(xml.data(), xml.size(), pugi::parse_default, encoding);
    if (!result) {
        error.description = result.description();
        error.offset = result.offset;
        return false;
    }
    entries.clear();
    for (const pugi::xml_node& entry : personEntries(document))
        entries.push_back(entryOf(entry));
    if (shape) {
        const pugi::xml_node root = document.document_element();
        shape->rootElement = std::string(localName(root));
        shape->teamEntries = static_cast<bool>(child(root, "TeamEntry"));
    }
    return true;
}

std::string entryListKind(const EntryListShape& shape, Language language) {
    // A team entry list is an EntryList too: its entries tell it apart.
    if (shape.rootElement == "EntryList")
        return tr(language, shape.teamEntries ? texts::kXmlKindTeamEntryList : texts::kXmlKindEntryList);
    if (shape.rootElement == "ResultList") return tr(language, texts::kXmlKindResultList);
    if (shape.rootElement == "StartList") return tr(language, texts::kXmlKindStartList);
    return tr(language, texts::kXmlKindOther) + shape.rootElement + ">";
}

std::vector<ImportedCompetitor> parseEntryList(std::string_view xml) {
    std::vector<ImportedCompetitor> entries;
    EntryListError error;
    parseEntryList(xml, entries, error);
    return entries;
}

EntryListImport importEntryListFile(CompetitorTable& table, const std::string& path, int stage,
                                    Language language, Prompt& prompt, Log& log,
                                    const ImportProgress& progress) {
    EntryListImport outcome;
    if (stage < 1 || stage > 5 || !fileExists(path)) return outcome;
    if (fileSize(path) > kMaxEntryListBytes) {
        prompt.information(tr(language, texts::kXmlFileTooBig));
        return outcome;
    }
    const std::string bytes = readWholeFile(path, kMaxEntryListBytes);
    std::vector<ImportedCompetitor> entries;
    EntryListError error;
    EntryListShape shape;
    if (!parseEntryList(bytes, entries, error, &shape)) {
        prompt.information(tr(language, texts::kXmlNotReadable) + path + " (" + error.description +
                           ", byte " + std::to_string(error.offset) + ")");
        return outcome;
    }
    if (entries.empty()) {
        prompt.information(tr(language, texts::kXmlNoPersonEntries) + path + " (" +
                           entryListKind(shape, language) + ")");
        return outcome;
    }
    outcome.read = true;
    outcome.entries = static_cast<int>(entries.size());
    if (progress.start) progress.start(outcome.entries);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name.empty()) {
            ++outcome.withoutName;
        } else {
            switch (mergeImportedCompetitor(table, entries[i], stage)) {
            case MergeOutcome::Matched:
                ++outcome.matched;
                break;
            case MergeOutcome::Added:
                ++outcome.added;
                outcome.addedClasses.push_back(entries[i].competitorClass);
                break;
            case MergeOutcome::TableFull:
                ++outcome.notAdded;
                break;
            }
        }
        if (progress.advance) progress.advance(static_cast<int>(i) + 1);
    }
    if (progress.finish) progress.finish();
    if (outcome.withoutName > 0)
        log.append(tr(language, texts::kXmlEntriesWithoutName) + std::to_string(outcome.withoutName));
    if (outcome.notAdded > 0)
        log.append(tr(language, texts::kImportRowsNotAdded) + std::to_string(outcome.notAdded));
    return outcome;
}

} // namespace ravik
