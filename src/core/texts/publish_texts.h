#pragma once
// Messages of the publishing window, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

inline constexpr Text kFtpConnected{"Spojeno !", "Connected !"};
inline constexpr Text kFtpConnectionError{"Chyba připojení FTP!", "FTP connection error!"};
inline constexpr Text kFtpConnectTestOk{"FTP Connect test - OK", "FTP Connect test - OK"};
// "This user (" + user + ") has no access to server. Send mail to " + address + " to get it."
inline constexpr Text kNoAccessBefore{"Zadaný uživatel (", "This user ("};
inline constexpr Text kNoAccessMiddle{") nemá vytvořený přístup. Pošli mail na ",
                                      ") has no access to server. Send mail to "};
inline constexpr Text kNoAccessAfter{" pro jeho získání.", " to get it."};
inline constexpr Text kMissingStageFolder{"Neni ", "Missing "};
inline constexpr Text kCurrentDirectory{"Aktuálně jsi v >> ", "Current directory >> "};
inline constexpr Text kTestDisconnected{"Test succesful, disconected.", "Test succesful, disconected."};

inline constexpr Text kCreateRaceFolderQuestion{"Race web folder does not exists. Create?",
                                                "Race web folder does not exists. Create?"};
inline constexpr Text kRaceDataUpdated{"Data závodu byla updatována.", "Race data updated."};
inline constexpr Text kUploadUnsuccessful{"Nepodařilo se uploadovat soubor... ", "Upload unsuccessful... "};
inline constexpr Text kUploadedOnServer{" uploadován na server", " uploaded on server"};
inline constexpr Text kRemoteDirectoryMissing{"Tento adresář na serveru není.",
                                              "This remote directory is missing on FTP server."};

inline constexpr Text kTryingToDownload{"Trying to start downloading...", "Trying to start downloading..."};
inline constexpr Text kIfNothingHappened{
    "If nothing happend, try to close Ravik (in Task Manager) and restart it.",
    "If nothing happend, try to close Ravik (in Task Manager) and restart it."};
inline constexpr Text kTcListed{"TC - ", "TC - "};
// "All TC files (" + count + ") were downloaded."
inline constexpr Text kAllTcDownloadedBefore{"All TC files (", "All TC files ("};
inline constexpr Text kAllTcDownloadedAfter{") were downloaded.", ") were downloaded."};
// "ID" + id + " TC already manually adjusted = NOT updated from FTP."
inline constexpr Text kManuallyAdjustedBefore{"ID", "ID"};
inline constexpr Text kManuallyAdjustedAfter{" TC already manually adjusted = NOT updated from FTP.",
                                             " TC already manually adjusted = NOT updated from FTP."};
// "Invalid TC record at " + file + " !"
inline constexpr Text kInvalidTcRecordBefore{"Invalid TC record at ", "Invalid TC record at "};
inline constexpr Text kInvalidTcRecordAfter{" !", " !"};
inline constexpr Text kTcNotUpdatedBefore{"ID", "ID"};
inline constexpr Text kTcNotUpdatedAfter{" TC NEBYL aktualizován z FTP, soubor zůstal beze změny.",
                                         " TC NOT updated from FTP, the file stays as it was."};
inline constexpr Text kAllTcMerged{"All TC2 merged.", "All TC2 merged."};
// Merging in a stage folder that is missing: "Složka etapy " + folder + " neexistuje. ..."
inline constexpr Text kTcStageFolderMissingBefore{"Složka etapy ", "The stage folder "};
inline constexpr Text kTcStageFolderMissingAfter{" neexistuje. Žádné soubory TC2 nebyly sloučeny.",
                                                 " does not exist. No TC2 files were merged."};

inline constexpr Text kAutomaticFtp{"Automatic FTP", "Automatic FTP"};
inline constexpr Text kActionsCount{"Actions: ", "Actions: "};
inline constexpr Text kRepeatingStopped{"Opakování zastaveno!", "Repeating stopped!"};
inline constexpr Text kInfoButton{"Info - ", "Info - "};
inline constexpr Text kActionsHeading{"AUTOMATIC FTP Upload/Download - Settings",
                                      "AUTOMATIC FTP Upload/Download - Settings"};
inline constexpr Text kUploadDir{"Upload dir: ", "Upload dir: "};
inline constexpr Text kDownloadDir{"Download dir: ", "Download dir: "};
inline constexpr Text kFilesToUpload{"Files to upload:", "Files to upload:"};
inline constexpr Text kFtpCanceled{"FTP Canceled ************************",
                                   "FTP Canceled ************************"};
inline constexpr Text kMinutesHint{"Minuty", "Minuty"};

// Texts of the program's own additions.
inline constexpr Text kServiceNotConfigured{
    "Webová služba závodů není nastavena (soubor ravik-service.ini vedle programu).",
    "The race web service is not configured (file ravik-service.ini beside the program)."};
inline constexpr Text kRefusedRemoteName{"Odmítnuto jméno souboru ze serveru: ",
                                         "Refused file name from the server: "};
inline constexpr Text kNothingUploadedWithoutFolder{"Adresář závodu na serveru není, nic nebylo odesláno.",
                                                    "The race web folder is missing; nothing was uploaded."};
inline constexpr Text kTooManyActions{"Více než 50 opakovaných akcí nelze zaznamenat.",
                                      "More than 50 repeated actions cannot be recorded."};
inline constexpr Text kActionFailed{"Automatické FTP selhalo: ", "Automatic FTP failed: "};
// "Upload unsuccessful... " + name + ": " + the server's reply or the reason.
inline constexpr Text kLocalFileMissing{"soubor není ve složce etapy ani závodu",
                                        "the file is in neither the stage folder nor the race folder"};
inline constexpr Text kNothingUploaded{"Nic nebylo odesláno.", "Nothing was uploaded."};
// "TC file skipped: " + name + ": " + reason.
inline constexpr Text kTcSkipped{"Soubor TC vynechán: ", "TC file skipped: "};
inline constexpr Text kNameTooLong{"jméno je delší než 255 znaků", "the name is longer than 255 characters"};
inline constexpr Text kTcFileNotWritten{"Soubor TC nelze zapsat: ", "Cannot write the TC file: "};

// FTPS (explicit TLS): failures before the user name and password are sent.
inline constexpr Text kTlsNotOffered{
    "Server nenabízí FTPS (explicitní TLS); heslo nebylo odesláno.",
    "The server does not offer FTPS (explicit TLS); the password was not sent."};
inline constexpr Text kCertificateNotTrusted{
    "Certifikát serveru nelze ověřit; heslo nebylo odesláno.",
    "The server's certificate could not be verified; the password was not sent."};
inline constexpr Text kFingerprintMismatch{
    "Certifikát serveru neodpovídá zadanému otisku SHA-256; heslo nebylo odesláno.",
    "The server's certificate does not match the SHA-256 fingerprint entered; the password was not sent."};
inline constexpr Text kTlsHandshakeFailed{
    "Spojení TLS se serverem selhalo; heslo nebylo odesláno.",
    "The TLS handshake with the server failed; the password was not sent."};
inline constexpr Text kInvalidFingerprint{
    "Otisk SHA-256 musí mít 64 šestnáctkových číslic (mezi nimi smí být dvojtečky).",
    "The SHA-256 fingerprint must have 64 hexadecimal digits (colons may stand between them)."};
// " Certificate SHA-256 fingerprint: " + fingerprint + " (enter it only when ...)"
inline constexpr Text kServerFingerprintBefore{" Otisk SHA-256 certifikátu serveru: ",
                                               " The server certificate's SHA-256 fingerprint: "};
inline constexpr Text kServerFingerprintAfter{" (zadejte ho jen tehdy, když ho potvrdí správce serveru)",
                                              " (enter it only when the server's administrator confirms it)"};

} // namespace ravik::texts
