#include "exports/iof_document.h"

#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/file_names.h"

#include <sstream>

namespace ravik {
namespace {

// XML cannot hold control characters; a line break in a cell would also break
// the one-item-per-line layout.
std::string xmlCharacters(std::string_view cp1250) {
    std::string out;
    for (char c : cp1250ToUtf8(cp1250))
        if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) || c == '\t') out += c;
    return out;
}

} // namespace

pugi::xml_node startIofDocument(pugi::xml_document& document, const char* message,
                                const std::string& createTime) {
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "utf-8";
    pugi::xml_node root = document.append_child(message);
    root.append_attribute("xmlns") = "http://www.orienteering.org/datastandard/3.0";
    root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    root.append_attribute("iofVersion") = "3.0";
    root.append_attribute("createTime") = createTime.c_str();
    root.append_attribute("creator") = "Ravik";
    return root;
}

pugi::xml_node appendText(pugi::xml_node parent, const char* name, std::string_view cp1250) {
    pugi::xml_node node = parent.append_child(name);
    node.text() = xmlCharacters(cp1250).c_str();
    return node;
}

pugi::xml_node appendNumber(pugi::xml_node parent, const char* name, std::int64_t value) {
    pugi::xml_node node = parent.append_child(name);
    node.text() = std::to_string(value).c_str();
    return node;
}

void appendDateAndTime(pugi::xml_node parent, const char* name, std::string_view date,
                       std::string_view time) {
    pugi::xml_node node = parent.append_child(name);
    appendText(node, "Date", date);
    if (!time.empty()) appendText(node, "Time", time);
}

void appendPersonOf(pugi::xml_node parent, const CompetitorTable& table, int row) {
    const std::string& name = table.cell(row, column::kName);
    const auto blank = name.find(' ');
    pugi::xml_node person = parent.append_child("Person");
    appendText(person, "Id", table.cell(row, column::kRegistration)).append_attribute("type") = "IOF";
    pugi::xml_node names = person.append_child("Name");
    appendText(names, "Family", name.substr(0, blank));
    appendText(names, "Given", blank == std::string::npos ? std::string() : name.substr(blank + 1));
    const std::string& nation = table.cell(row, column::kFlag);
    if (nation.empty()) return;
    // The schema wants a name for the country as well: the code is all the table has.
    appendText(person, "Nationality", nation).append_attribute("code") = xmlCharacters(nation).c_str();
    // The club is not known: the organisation he is listed with is his nation.
    pugi::xml_node organisation = parent.append_child("Organisation");
    appendText(organisation, "Name", nation);
    appendText(organisation, "Country", nation).append_attribute("code") = xmlCharacters(nation).c_str();
}

const char* iofStatus(StageStatus status) {
    switch (status) {
    case StageStatus::Disqualified:
        return "Disqualified";
    case StageStatus::DidNotFinish:
        return "DidNotFinish";
    case StageStatus::DidNotStart:
        return "DidNotStart";
    case StageStatus::Ok:
        break;
    }
    return "OK";
}

void appendOverallResult(pugi::xml_node result, std::int64_t time, int position, StageStatus status,
                         std::int64_t score) {
    pugi::xml_node overall = result.append_child("OverallResult");
    appendNumber(overall, "Time", time);
    if (position > 0) appendNumber(overall, "Position", position);
    overall.append_child("Status").text() = iofStatus(status);
    appendNumber(overall, "Score", score);
}

std::string iofDocumentBytes(const pugi::xml_document& document) {
    std::ostringstream stream;
    document.save(stream, " ", pugi::format_indent, pugi::encoding_utf8);
    std::string bytes;
    for (char c : stream.str()) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::string iofFilePath(const std::string& racePath, const std::string& nameMiddle,
                        const std::string& classes) {
    const std::string base = racePath.substr(0, racePath.size() >= 6 ? racePath.size() - 6 : 0);
    const auto slash = base.find_last_of("/\\");
    const std::size_t stemStart = slash == std::string::npos ? 0 : slash + 1;
    return base.substr(0, stemStart) +
           fittedFileName(base.substr(stemStart) + nameMiddle, cp1250ToUtf8(fileNameSafe(classes)), ".xml");
}

} // namespace ravik
