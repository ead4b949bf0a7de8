#pragma once
// Messages of the read-out straight from a SportIdent master station, in both
// languages (UTF-8). Texts made of parts are "before" + value + "after".
#include "core/language.h"

namespace ravik::texts {

// One line per card in the log box: "Čip 2045117 vyčten (SI9, 23 ražení)".
inline constexpr Text kCardReadBefore{"Čip ", "Card "};
inline constexpr Text kCardReadMiddle{" vyčten (", " read ("};
inline constexpr Text kCardReadPunches{" ražení)", " punches)"};
inline constexpr Text kCardReadOnePunch{" ražení)", " punch)"};
// "Čip 2045117: ražení bez času: 2" after the card's line when some punches have no time.
inline constexpr Text kPunchesWithoutTime{": ražení bez času: ", ": punches without time: "};

inline constexpr Text kCardRemovedEarly{"Čip vytažen předčasně, vložte jej znovu",
                                        "Card removed too early, insert it again"};
inline constexpr Text kCardNotRead{"Čip se nepodařilo přečíst (chyba přenosu), vložte jej znovu",
                                   "The card could not be read (transmission error), insert it again"};
inline constexpr Text kStationSilent{"Stanice přestala odpovídat, čip nebyl přečten, vložte jej znovu",
                                     "The station stopped answering, the card was not read, insert it again"};
inline constexpr Text kCardUnsupported{"Tento druh čipu Ravik neumí přečíst: ",
                                       "Ravik cannot read this kind of card: "};
inline constexpr Text kNoReadoutLog{"Není zadána cesta k SI logu (CSV), čip nebyl přečten",
                                    "No SI log (CSV) path is set, the card was not read"};
inline constexpr Text kLogNotWritten{"Čip nelze zapsat do SI logu, vložte jej znovu: ",
                                     "The card cannot be written to the SI log, insert it again: "};

// The station's state (status line of the Station group and log-box lines).
inline constexpr Text kNotConnected{"nepřipojeno", "not connected"};
// "připojeno ke stanici BSM8 č. 31, 38400 Bd" / "connected to BSM8 station 31, 38400 Bd"
inline constexpr Text kConnectedBefore{"připojeno ke stanici ", "connected to "};
inline constexpr Text kConnectedStation{" č. ", " station "};
inline constexpr Text kConnectedAfter{" Bd", " Bd"};
inline constexpr Text kStationLost{"Stanice odpojena, hledám ji znovu…",
                                   "Station disconnected, looking for it again…"};
inline constexpr Text kNoPortChosen{"Vyberte port stanice", "Choose the station's port"};
inline constexpr Text kPortMissing{"Port neexistuje: ", "No such port: "};
inline constexpr Text kPortBusy{"Port používá jiný program: ", "The port is in use by another program: "};
inline constexpr Text kPortNoPermission{"K portu nemáte přístup (skupina dialout?): ",
                                        "No permission to use the port (dialout group?): "};
inline constexpr Text kPortNotOpened{"Port nelze otevřít: ", "The port cannot be opened: "};
inline constexpr Text kNotAStation{"Na portu neodpovídá žádná stanice SportIdent: ",
                                   "No SportIdent station answers on the port: "};
inline constexpr Text kBaseProtocol{
    "Stanice používá starý protokol, nastavte jí rozšířený protokol (SPORTident Config+)",
    "The station uses the old protocol, set it to the extended protocol (SPORTident Config+)"};
inline constexpr Text kNotReadoutMode{
    "Stanice není v režimu vyčítání čipů (Readout), nastavte jej (SPORTident Config+)",
    "The station is not in the read SI cards mode (Readout), set it (SPORTident Config+)"};
inline constexpr Text kAutosendOn{
    "Stanice má zapnuté automatické odesílání (autosend), vypněte jej (SPORTident Config+)",
    "The station has autosend on, switch it off (SPORTident Config+)"};
inline constexpr Text kNoHandshake{"Stanice nemá zapnutý handshake, zapněte jej (SPORTident Config+)",
                                   "The station has handshake off, switch it on (SPORTident Config+)"};

} // namespace ravik::texts
