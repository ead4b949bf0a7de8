#include "readout/station/station_readout.h"

#include "core/errors.h"
#include "core/texts/station_texts.h"
#include "readout/station/card_log_lines.h"
#include "readout/station/si_log_append.h"

namespace ravik::station {

StationReadout::StationReadout(ByteLink& link, Timeouts timeouts, Today today)
    : station_(link, timeouts), today_(today ? std::move(today) : Today(localToday)) {}

StationReport StationReadout::poll(std::chrono::milliseconds wait, const std::string& logPath,
                                   Language language) {
    StationReport report;
    auto notRead = [&](const Text& text, const std::string& detail = {}) {
        report.kind = StationReportKind::CardNotRead;
        report.messages.push_back(tr(language, text) + detail);
        return report;
    };
    CardEvent event = station_.nextCard(wait);
    switch (event.kind) {
    case CardEventKind::None:
        return report;
    case CardEventKind::Lost:
        report.kind = StationReportKind::Lost;
        report.messages.push_back(tr(language, texts::kStationLost));
        return report;
    case CardEventKind::RemovedEarly:
        return notRead(texts::kCardRemovedEarly);
    case CardEventKind::NotRead:
        return notRead(texts::kCardNotRead);
    case CardEventKind::Silent:
        return notRead(texts::kStationSilent);
    case CardEventKind::Unsupported:
        return notRead(texts::kCardUnsupported, std::to_string(event.number));
    case CardEventKind::Read:
        break;
    }
    if (logPath.empty()) return notRead(texts::kNoReadoutLog);
    const CardContents& card = *event.card;
    try {
        appendToSiLog(logPath, cardLogLines(card, station_.settings().code, today_()));
    } catch (const IoError& error) {
        return notRead(texts::kLogNotWritten, error.what());
    }
    // The lines are on disk: a lost acknowledgement only means the runner inserts the card again.
    station_.acknowledge();
    report.kind = StationReportKind::CardLogged;
    report.messages.push_back(cardReadText(card, language));
    if (const int withoutTime = card.punchesWithoutTime())
        report.messages.push_back(tr(language, texts::kCardReadBefore) + std::to_string(card.number) +
                                  tr(language, texts::kPunchesWithoutTime) + std::to_string(withoutTime));
    report.card = std::move(event.card);
    return report;
}

std::string connectionText(const Connection& connection, const std::string& port, Language language) {
    const auto text = [&](const Text& t) { return std::string(tr(language, t)); };
    const std::string detail = connection.detail.empty() ? std::string() : " (" + connection.detail + ")";
    switch (connection.problem) {
    case StationProblem::None: {
        const StationSettings& s = connection.settings;
        return text(texts::kConnectedBefore) + s.model + text(texts::kConnectedStation) +
               std::to_string(s.code) + ", " + std::to_string(s.baudRate) + text(texts::kConnectedAfter);
    }
    case StationProblem::PortMissing:
        return text(texts::kPortMissing) + port;
    case StationProblem::PortBusy:
        return text(texts::kPortBusy) + port;
    case StationProblem::PortNoPermission:
        return text(texts::kPortNoPermission) + port;
    case StationProblem::PortFailed:
        return text(texts::kPortNotOpened) + port + detail;
    case StationProblem::NoAnswer:
        return text(texts::kNotAStation) + port;
    case StationProblem::BaseProtocol:
        return text(texts::kBaseProtocol);
    case StationProblem::NotReadoutMode:
        return text(texts::kNotReadoutMode);
    case StationProblem::Autosend:
        return text(texts::kAutosendOn);
    case StationProblem::NoHandshake:
        return text(texts::kNoHandshake);
    }
    return {};
}

std::string cardReadText(const CardContents& card, Language language) {
    const std::size_t punches = card.punches.size();
    return tr(language, texts::kCardReadBefore) + std::to_string(card.number) +
           tr(language, texts::kCardReadMiddle) + std::string(cardKindName(card.kind)) + ", " +
           std::to_string(punches) +
           tr(language, punches == 1 ? texts::kCardReadOnePunch : texts::kCardReadPunches);
}

} // namespace ravik::station
