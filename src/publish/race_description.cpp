#include "publish/race_description.h"

#include "core/file_io.h"
#include "core/page_text.h"

namespace ravik {

namespace {
constexpr const char* kLineEnd = "\r\n";
}

std::string raceDescription(const std::string& racePassword, const RaceRecord& stage,
                            const CompetitorTable& table) {
    // One value per field and line: a name cannot add a row to what the service reads.
    std::string text = separatedField(racePassword) + kLineEnd;
    for (const ClassDefinition& definition : stage.classes) {
        text += separatedField(definition.class_name) + kLineEnd;
        for (const auto& cluster : definition.cluster_answers) {
            for (const std::string& slot : cluster)
                text += slot.empty() ? ";" : "*;";
            text += kLineEnd;
        }
    }
    for (int row = 1; row < table.rowCount(); ++row)
        text += separatedField(table.cell(row, column::kId)) + ";" +
                separatedField(table.cell(row, column::kClass)) + ";" +
                separatedField(table.cell(row, column::kName)) + ";" + kLineEnd;
    return text;
}

std::string folderIndexPage() {
    static const char* const kLines[] = {
        "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">",
        "<html>",
        "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">",
        "<TITLE>VX</TITLE>",
        "</head>",
        "<style>",
        " .normal {font-size: 10px; font-family: Verdana;}",
        " .normal A:link {text-decoration: none; color: #707070; font-weight: bold;}",
        " .normal A:visited {text-decoration: none; color: #707070; font-weight: bold; } ",
        " .normal A:hover {text-decoration: none; color: #FF0000; font-weight: bold; }",
        "</style>",
        "<BODY leftmargin=2 topmargin=2 bgcolor=\"#FFFFFF\">",
        "<div class=\"normal\">",
        "<h3>Ravik file list</h3> ",
        "<?php ",
        "$i=-1; ",
        "$adresar = opendir(\".\"); ",
        "while ($soubor = readdir($adresar))  ",
        "{ ",
        " $koncovka=$soubor[strlen($soubor)-3].$soubor[strlen($soubor)-2].$soubor[strlen($soubor)-1]; ",
        " if (($soubor!='.') & ($soubor!='..') & ($soubor!='index.php') & ($soubor!='temp.info')) ",
        "  { ",
        "   if ($koncovka=='htm') {$i++;$seznam[$i]=$soubor;  }  ",
        "  } ",
        "}  ",
        "if ($i>0) {sort($seznam);} ",
        // A file name is printed escaped: one with markup in it must not run in the reader's browser.
        "for ($j=0;$j<=$i;$j++) {echo ('<a "
        "href=\"'.htmlspecialchars(rawurlencode($seznam[$j]),ENT_QUOTES,'ISO-8859-1')"
        ".'\">'.htmlspecialchars($seznam[$j],ENT_QUOTES,'ISO-8859-1').'</a><br/>'); } ",
        "if ($i<0) {echo'Empty';} ",
        "?> ",
        "</body>",
    };
    std::string page;
    for (const char* line : kLines)
        page += std::string(line) + kLineEnd;
    return page;
}

void writeRaceDescription(const std::string& stageFolder, const std::string& racePassword,
                          const RaceRecord& stage, const CompetitorTable& table) {
    writeFileAtomically(stageFolder + kRaceDescriptionFileName, raceDescription(racePassword, stage, table));
}

void writeFolderIndexPage(const std::string& stageFolder) {
    writeFileAtomically(stageFolder + kFolderIndexFileName, folderIndexPage());
}

} // namespace ravik
