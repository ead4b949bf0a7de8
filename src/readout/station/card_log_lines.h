#pragma once
// A read card as lines of the SI log, in the format the read-out pass reads:
//
//   EventId  the code of the master station that read the card
//   SI-Card  the card number as printed on the card
//   CN       control punches: the code; start and finish: empty, so that the
//            pass gives them codes of their own (9999, 9998, ...) and neither
//            shares a code with the other or with a control
//   Mode     "STA" (when the card has a start), " CN" for each punch in card
//            order, "FIN" (when it has a finish); check and clear are not logged
//   Source   the card type: SI5, SI6, SI8, SI9, pCard, SI10, SI11, SIAC
//   DayOfWeek the day the card keeps with the punch, 0 Sunday ... 6 Saturday;
//            empty on an SI-Card 5 and for a punch without time
//   PunchDate the last date up to the read-out day on that day of the week;
//            the read-out day when the card keeps no day
//   PunchTime HH:MM:SS, 24-hour; an SI-Card 5's twelve-hour value as it is (the
//            pass corrects it against the start hour); empty for a punch
//            without time (the pass then reports the line)
//   No       the punch's place on the card (1, 2, ...); 0 for start and finish
//   Cnt      the number of punches on the card
#include "readout/station/card_contents.h"

#include <chrono>
#include <string>
#include <vector>

namespace ravik::station {

std::vector<std::string> cardLogLines(const CardContents& card, int stationCode,
                                      std::chrono::sys_days readoutDay);

// Today on the computer's clock, in local time.
std::chrono::sys_days localToday();

} // namespace ravik::station
