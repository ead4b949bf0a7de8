#include "exports/start_list_xml.h"

#include "entries/start_list.h"
#include "exports/iof_document.h"
#include "exports/iof_times.h"

namespace ravik {

std::string startListXml(const StartListXmlSource& source) {
    const RaceRecord& record = source.record;
    const auto date = *parseStageDate(record.stage_date);
    const std::int64_t zeroTime = std::int64_t{*parseZeroTime(record.stage_start)} * 60;
    pugi::xml_document document;
    pugi::xml_node list = startIofDocument(document, "StartList", source.createTime);
    pugi::xml_node event = list.append_child("Event");
    appendText(event, "Name", record.race_name);
    appendDateAndTime(event, "StartTime", record.stage_date, record.stage_start + ":00");
    for (const ClassDefinition& definition : record.classes) {
        if (definition.class_name.empty()) continue;
        pugi::xml_node classStart = list.append_child("ClassStart");
        pugi::xml_node classNode = classStart.append_child("Class");
        appendText(classNode, "Id", definition.class_name);
        appendText(classNode, "Name", definition.class_name);
        for (int row = 1; row < source.table.rowCount(); ++row) {
            const std::string& startCell = source.table.cell(row, column::start(source.stage));
            if (source.table.cell(row, column::kClass) != definition.class_name || startCell.empty())
                continue;
            pugi::xml_node personStart = classStart.append_child("PersonStart");
            appendPersonOf(personStart, source.table, row);
            pugi::xml_node start = personStart.append_child("Start");
            const std::string& bib = source.table.cell(row, column::kId);
            if (!bib.empty()) appendText(start, "BibNumber", bib);
            if (const auto offset = startOffsetSeconds(startCell))
                appendText(start, "StartTime", iofDateTime(date, zeroTime + *offset));
            const std::string& card = source.table.cell(row, column::kSi);
            if (!card.empty())
                appendText(start, "ControlCard", card).append_attribute("punchingSystem") = "SI";
        }
    }
    return iofDocumentBytes(document);
}

} // namespace ravik
