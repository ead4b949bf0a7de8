#include "core/captions.h"

#include "core/texts/core_texts.h"

namespace ravik {
namespace {

using K = CaptionKind;

constexpr CaptionRow kRows[] = {
    // Main window
    {window::kMain, "GroupBox1", K::Caption, {"Data závodu", "Competition data"}},
    {window::kMain, "Label27", K::Caption, {"Cesta", "Path"}},
    {window::kMain, "Button21", K::Caption, {"Závod", "Race"}},
    {window::kMain, "Button15", K::Caption, {"Závodníci", "Competitors"}},
    {window::kMain, "Button2", K::Caption, {"Nový", "New"}},
    {window::kMain, "GroupBox3", K::Caption, {"Výstupy HTM", "Exports HTM"}},
    {window::kMain, "Button17", K::Caption, {"Startovky", "Startlist"}},
    {window::kMain, "Button1", K::Caption, {"Výsledky", "Results"}},
    {window::kMain,
     "GroupBox2",
     K::Caption,
     {"Vyčítání SI a manipulace s výsledky", "SI reading and results manipulation"}},
    {window::kMain, "nazev_zavodu", K::NoRaceLabel, texts::kNoRaceOpen},
    {window::kMain, "Label1", K::Caption, {"Etapa", "Stage"}},
    {window::kMain,
     "Label10",
     K::Caption,
     {"Cesta k soubrou CSV (protokol SI z vyčítací krabičky)",
      "Path to CSV file (output SIlog from SI read-out unit)"}},
    {window::kMain,
     "CheckBox1",
     K::Caption,
     {"Přepiš v SI logu datum závodu", "Rewrite in SI log the race date"}},
    {window::kMain, "CSVjednou", K::Caption, {"Přiřaď CSV pouze 1x", "Assign CSV only 1x"}},
    {window::kMain, "CSVautomat", K::Caption, {"CSV automaticky", "CSV automaticaly"}},
    {window::kMain, "Label4", K::Caption, {"Nepřiřazené SI:", "Unassigned SI:"}},
    {window::kMain, "CheckBox2", K::Caption, {"Tisk mezičasů po vyčtení", "Print splits after SI read-out"}},
    {window::kMain, "ButtonV", K::Caption, {"Manuální výsledky", "Manual results"}},
    {window::kMain, "Label2", K::Caption, {"Interval automat. přiřazování", "Automatic assignment interval"}},
    {window::kMain, "GroupBox4", K::Caption, {"Tisk", "Print"}},
    {window::kMain, "Button12", K::Caption, {"Tiskni", "Print"}},
    {window::kMain, "CheckBox3", K::Caption, {"Tisknout odpovědi", "Print answers"}},
    {window::kMain, "CheckBox4", K::Caption, {"Tisk na tiskárnu", "Print to printer"}},
    {window::kMain, "mezicasy_okno", K::Caption, {"Ukaž mezičasy", "Print to window"}},
    {window::kMain, "tisk_format", K::Item, {"A4", "A4"}, 0},
    {window::kMain, "tisk_format", K::Item, {"Účtenka 80 mm", "Receipt 80 mm"}, 1},
    {window::kMain, "tisk_format", K::Item, {"Účtenka 58 mm", "Receipt 58 mm"}, 2},
    // The Station group: cards read straight from a SportIdent master station.
    {window::kMain, "GroupBoxStation", K::Caption, {"Stanice", "Station"}},
    {window::kMain, "stationPortLabel", K::Caption, {"Port:", "Port:"}},
    {window::kMain, "stationConnect", K::Caption, {"Připojit", "Connect"}},
    {window::kMain, "stationDisconnect", K::Caption, {"Odpojit", "Disconnect"}},
    {window::kMain, "stationLastCardLabel", K::Caption, {"Poslední čip:", "Last card:"}},

    // Competitor window
    {window::kCompetitors, "Label1", K::Caption, {"Ravik / Závodníci", "Ravik / Competitors"}},
    {window::kCompetitors, "", K::WindowTitle, {"Ravik / Závodníci", "Ravik / Competitors"}},
    {window::kCompetitors, "nazev_zavodu", K::NoRaceLabel, texts::kNoRaceOpen},
    {window::kCompetitors, "GroupBox1", K::Caption, {"Losování startovních časů", "Setting the start times"}},
    {window::kCompetitors, "Label3", K::Caption, {"Kategorie", "Class"}},
    {window::kCompetitors, "Label4", K::Caption, {"První start", "First start"}},
    {window::kCompetitors,
     "CheckBox1",
     K::Caption,
     {"start dle výsledků předchozí etapy", "Start according the prev. stage res."}},
    {window::kCompetitors, "Button6", K::Caption, {"Losuj", "Set"}},
    {window::kCompetitors, "Button4", K::Caption, {"Přidej řádek do tabulky", "Add one row to the table"}},
    {window::kCompetitors, "Label5", K::Caption, {"Etapa", "Stage"}},
    {window::kCompetitors, "Button2", K::Caption, {"Ulož", "Save"}},
    {window::kCompetitors, "Button8", K::Caption, {"Vymaž výsledky", "Delete results"}},
    {window::kCompetitors, "PopupItem0", K::Caption, {"Smazat řádek", "Delete line"}},
    {window::kCompetitors, "PopupItem1", K::Caption, {"Srovnat podle ID", "Sort by ID"}},
    {window::kCompetitors, "PopupItem2", K::Caption, {"Srovnat podle E1", "Sort by E1"}},
    {window::kCompetitors, "PopupItem3", K::Caption, {"Srovnat podle E2", "Sort by E2"}},
    {window::kCompetitors, "PopupItem4", K::Caption, {"Srovnat podle E3", "Sort by E3"}},
    {window::kCompetitors, "PopupItem5", K::Caption, {"Srovnat podle E4", "Sort by E4"}},
    {window::kCompetitors, "PopupItem6", K::Caption, {"Srovnat podle E5", "Sort by E5"}},
    {window::kCompetitors, "PopupItem7", K::Caption, {"Srovnat podle kategorie", "Sort by class"}},
    {window::kCompetitors, "PopupItem8", K::Caption, {"Srovnat podle jména", "Sort by name"}},
    {window::kCompetitors, "PopupItem9", K::Caption, {"Srovnat podle štafety", "Sort by relay number"}},
    {window::kCompetitors, "PopupItem10", K::Caption, {"Srovnat podle státu", "Sort by country"}},

    // Text import window
    {window::kTextImport,
     "Label2",
     K::Caption,
     {"Ravik / Závodníci / Import TXT", "Ravik / Competitors / Import TXT"}},
    {window::kTextImport,
     "Label1",
     K::Caption,
     {"XXX0000 KATEGORIE SI......... PRIJMENI.A.JMENO.........   NAT STARTNO STAF",
      "XXX0000 CLASS.... SI......... SURNAME.AND.NAME.........   NAT STARTNO RELAY"}},

    // Class editor
    {window::kClassEditor, "GroupBox5", K::Caption, {"Etapa", "Stage"}},
    {window::kClassEditor, "Label19", K::Caption, {"Etapa:", "Stage:"}},
    {window::kClassEditor, "Label1", K::Caption, {"Datum", "Date"}},
    {window::kClassEditor, "Label22", K::Caption, {"Místo", "Place"}},
    {window::kClassEditor, "Label2", K::Caption, {"formát RRRR-MM-DD", "format YYYY-MM-DD"}},
    {window::kClassEditor, "GroupBox6", K::Caption, {"Kategorie", "Class"}},
    {window::kClassEditor, "GroupBox1", K::Caption, {"Časovky", "Time controls"}},
    {window::kClassEditor, "GroupBox2", K::Caption, {"Kontroly", "Controls"}},
    {window::kClassEditor, "Label21", K::Caption, {"První SI:", "First SI:"}},
    {window::kClassEditor, "Label8", K::Caption, {"Odp.", "Answ."}},
    {window::kClassEditor, "Label11", K::Caption, {"Odp.", "Answ."}},
    {window::kClassEditor, "Label3", K::Caption, {"KONTROLY", "CONTROLS"}},
    {window::kClassEditor, "GroupBox4", K::Caption, {"Přerušení 2", "Break 2"}},
    {window::kClassEditor, "Label15", K::Caption, {"Od", "From"}},
    {window::kClassEditor, "Label17", K::Caption, {"Od", "From"}},
    {window::kClassEditor, "Label16", K::Caption, {"Do", "To"}},
    {window::kClassEditor, "Label18", K::Caption, {"Do", "To"}},
    {window::kClassEditor, "limit", K::Hint, {"v minutách", "minutes"}},

    // Manual punch entry window
    {window::kManualEntry, "Label25", K::Caption, {"formát HH:MM:SS", "format HH:MM:SS"}},
    {window::kManualEntry, "", K::WindowTitle, {"Manuální zadávání ražení", "Manual input of punching"}},

    // Results window
    {window::kResults, "", K::WindowTitle, {"Výsledky", "Results"}},
    {window::kResults, "GroupBox1", K::Caption, {"Výsledky jednotlivých závodů", "Single race results"}},
    {window::kResults, "GroupBox6", K::Caption, {"Celkové výsledky", "Total results"}},
    {window::kResults,
     "GroupBox2",
     K::Caption,
     {"Automatické generování výsledků", "Automatic result building"}},
    {window::kResults, "Label2", K::Caption, {"Etapa", "Stage"}},
    {window::kResults, "Label6", K::Caption, {"Kategorie", "Classes"}},
    {window::kResults, "Label7", K::Caption, {"Kategorie", "Classes"}},
    {window::kResults, "CheckBox1", K::Caption, {"tratě jsou stejné", "Courses are the same"}},
    {window::kResults,
     "CheckBox2",
     K::Caption,
     {"body, časovky, celk.čas, penalizace", "Points, TCs, total time, penality"}},
    {window::kResults, "CheckBox3", K::Caption, {"detail výsledků", "detailed results"}},
    {window::kResults, "CheckBox18", K::Caption, {"mezičasy", "split times"}},
    {window::kResults, "CheckBox4", K::Caption, {"dodržovat pořadí kontrol", "keep controls order"}},
    {window::kResults, "CheckBox5", K::Caption, {"výsledky TempO style", "TempO style results"}},
    {window::kResults, "CheckBox6", K::Caption, {"štafetový závod", "relay race"}},
    {window::kResults, "CheckBoxIOF", K::Caption, {"Nezodpovězená = chybná (IOF)", "Unanswered = wrong (IOF)"}},
    {window::kResults, "ButtonStats", K::Caption, {"Statistika odpovědí", "Answer statistics"}},
    {window::kResults, "CheckBox20", K::Caption, {"ukaž v okně", "show in window"}},
    {window::kResults, "CheckBox21", K::Caption, {"ukaž v okně", "show in window"}},
    {window::kResults, "CheckBox16", K::Caption, {"opakuj po", "repeating"}},
    {window::kResults, "oris", K::Caption, {"ORIS txt", "ORIS txt"}},
    {window::kResults, "RadioButton1", K::Caption, {"Farsta", "Farsta"}},
    {window::kResults, "RadioButton2", K::Caption, {"Motala", "Motala"}},
    {window::kResults, "RadioButton3", K::Caption, {"Družstva", "Teams"}},
    {window::kResults, "Button1", K::Caption, {"Výsledky", "Results"}},
    {window::kResults, "XMLStartList", K::Caption, {"XML startovka", "XML start list"}},
    {window::kResults, "XMLRelay", K::Caption, {"XML štafety", "XML relays"}},
    {window::kResults, "XMLOverall", K::Caption, {"XML celkové", "XML overall"}},
    {window::kResults, "Button2", K::Caption, {"Výsledky", "Results"}},
    {window::kResults, "Button3", K::Caption, {"Zastavit", "Stop"}},
    {window::kResults, "Label8", K::Caption, {"Nadpis", "Caption"}},
    {window::kResults, "GroupBox3", K::Caption, {"HTM parametry", "HTM parameters"}},
    {window::kResults,
     "CheckBox7",
     K::Caption,
     {"Rolování výsledkové listiny, rychlost", "Roll result table, speed"}},
    {window::kResults, "CheckBox8", K::Caption, {"Držet nejlepších", "Hold the best"}},
    {window::kResults,
     "ListBox1",
     K::Hint,
     {"Vyber kategorii pro výsledky. Při výběru více kategorií se vybrané spojí do jedná tabulky. V případě "
      "závodu štafet-Motala je třeba vybrat kategorii se štafetovou tratí.",
      "Pick a class for results. If you pick more then one, all will be merge to one table. In case of "
      "Motala "
      "relay you need to pick the one with Motala course."}},
    {window::kResults,
     "CheckBox1",
     K::Hint,
     {"Má vliv na to, jestli se ve výsledné tabulce objeví při výběru více kategorií odpovědi (zatrženo) "
      "nebo "
      "hvězdičky",
      "Influent, when you pick more classes to table. If courses are diferent, in table there will be only "
      "*. If "
      "they are the same, right answers will be presented."}},
    {window::kResults,
     "RadioButton1",
     K::Hint,
     {"Závodníci mají stejné kontroly, řeší je pro každý úsek s jiným řešením. Závod má 3 tratě, pro každý "
      "úsek "
      "jedna.",
      "Competitors have the same controls, each leg solve it with a differens answer."}},
    {window::kResults,
     "RadioButton2",
     K::Hint,
     {"Závodníci si vybírají třetinu ze všech kontrol na mapě. Stačí mít postavenou jednu trať, na které "
      "závodí "
      "všichni a výsledek se \"sečte\".",
      "Competitors pick controls on their own of all controls in the race. Just one course need to be set. "
      "Results of all relay members are merged."}},
    {window::kResults,
     "RadioButton3",
     K::Hint,
     {"Prostý součet výsledků všech členů štafety", "Simply merge all results of teammates together."}},
    {window::kResults, "Button3", K::Hint, {"STOP opakování", "STOP repeating"}},

    // Publishing window
    {window::kPublish,
     "GroupBox2",
     K::Caption,
     {"Seznam HTM souboru pro upload na RIdurizu", "List of HTM files to upload on RIdurizu"}},
    {window::kPublish,
     "FTPzavod",
     K::Caption,
     {"Vytvoř adresář závodu na serveru", "Create the race web folder"}},
    {window::kPublish, "DownloadTC", K::Caption, {"Vše", "All"}},
    {window::kPublish, "Button2", K::Caption, {"Nové", "New"}},
    {window::kPublish, "TC", K::Caption, {"Spoj TC_*", "Merge TC_*"}},
    {window::kPublish,
     "FTPupdate",
     K::Caption,
     {"Aktualizuj data o závodu na web", "Update race into the web"}},
    {window::kPublish, "CheckBox16", K::Caption, {"opakuj po", "repeating"}},
    {window::kPublish, "Button10", K::Caption, {"Zastavit", "Stop"}},
    {window::kPublish, "Label9", K::Caption, {"Adresa:", "Address:"}},
    {window::kPublish, "Button14", K::Caption, {"Test spojení", "Connection test"}},
    {window::kPublish, "wftp", K::Caption, {"FTP", "FTP"}},
    {window::kPublish, "wftps", K::Caption, {"FTPS (explicitní TLS)", "FTPS (explicit TLS)"}},
    {window::kPublish, "LabelFingerprint", K::Caption, {"Otisk SHA-256:", "SHA-256 fingerprint:"}},
    {window::kPublish,
     "wfingerprint",
     K::Hint,
     {"Jen pro server s vlastním (self-signed) certifikátem: otisk SHA-256 jeho certifikátu, jak ho potvrdil "
      "správce serveru. Prázdné: certifikát se ověří podle certifikátů systému.",
      "Only for a server with a self-signed certificate: the SHA-256 fingerprint of its certificate as the "
      "server's administrator confirms it. Empty: the certificate is verified against the system's store."}},
};

} // namespace

std::span<const CaptionRow> captionTable() {
    return kRows;
}

} // namespace ravik
