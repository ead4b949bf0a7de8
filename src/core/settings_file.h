#pragma once
// The settings file "ravik.ini" in the start directory: lines in code page 1250
// ended by CR LF, no keys; the meaning of a value is its line number. Lines 8 to 10
// (the other FTP server's mode and TLS fingerprint, the slip's paper) came later:
// a file without them reads as plain FTP and A4, and lines after the known ones
// are passed over.
#include "core/print_layout.h"

#include <optional>
#include <string>

namespace ravik {

class Prompt;
class Session;

inline constexpr const char* kSettingsFileName = "ravik.ini";

// The values kept between runs. Texts are UTF-8 (the file holds code page 1250).
struct Settings {
    std::string languageCode = "CZE"; // "CZE" or "GBR"
    std::string readoutLogPath;       // main window cestaSI
    std::string ftpHost;              // publishing window whost
    std::string ftpUser;              // wuser
    std::string ftpPassword;          // wpass, as typed
    int printZoom = 0;                // main window zoom
    bool ftpTls = false;              // line 8 "FTPS": explicit TLS; anything else plain FTP
    std::string ftpTlsFingerprint;    // line 9: SHA-256 of the server's certificate, may be empty
    PrintLayout printLayout = PrintLayout::A4; // line 10, main window tisk_format

    bool operator==(const Settings&) const = default;
};

std::string settingsFilePath(const std::string& startDirectory);

// The file's bytes and back. Missing lines give empty values (zoom 0, layout A4):
// files of seven lines from earlier versions read so; a language other than "CZE"
// or "GBR" becomes "CZE"; a zoom that is not a number gives its leading digits, or 0.
std::string encodeSettings(const Settings& settings);
Settings decodeSettings(const std::string& bytes);

// Reads the file of the start directory; nullopt when there is none. Throws
// IoError when it exists but cannot be read (or is far too large to be one).
std::optional<Settings> readSettingsFile(const std::string& startDirectory);

// Load at start-up: reads the file, sets the session's language and logs
// "Načten soubor INI" / "INI file loaded" in it. nullopt (and nothing logged)
// when there is no file, or no start directory was recorded (as in window tests).
std::optional<Settings> loadSettings(Session& session);

// Save at the end: rewrites the file whole. A failure shows "Poslední nastavení
// neuloženo..." / "Last setting has not been saved..." and returns false.
// Nothing is written when no start directory was recorded.
bool saveSettings(const Session& session, const Settings& settings, Prompt& prompt);

} // namespace ravik
