"""Reads cards from a SportIdent master station with Debian's python3-sireader,
an independent client library, and prints each card as one JSON line.

Usage: /usr/bin/python3 sireader_check.py PORT CARDS

The library is only a counterpart for the tests: it anchors Ravik's station
emulator to a reader that was used with real stations.
"""
import json
import sys
import time
from datetime import datetime

from sireader import SIReader, SIReaderReadout

# Under Python 3.7 and later the library's CRC raises on a 2-byte input (the
# SI-Card 5 read command); the CRC of two bytes is those two bytes.
_crc = SIReader._crc
SIReader._crc = staticmethod(lambda s: s if len(s) == 2 else _crc(s))

# After noon on the day of the race, so that twelve-hour times come out as afternoon times.
REFERENCE = datetime(2026, 5, 16, 23, 59, 59)


def clock(value):
    return None if value is None else value.strftime("%H:%M:%S")


def main():
    port, cards = sys.argv[1], int(sys.argv[2])
    reader = SIReaderReadout(port)
    read = 0
    deadline = time.time() + 60
    while read < cards and time.time() < deadline:
        if not reader.poll_sicard() or reader.sicard is None:
            time.sleep(0.01)
            continue
        card = reader.read_sicard(REFERENCE)
        print(json.dumps({
            "type": reader.cardtype,
            "number": card["card_number"],
            "start": clock(card["start"]),
            "finish": clock(card["finish"]),
            "check": clock(card["check"]),
            "clear": clock(card["clear"]),
            "punches": [[code, clock(at)] for code, at in card["punches"]],
        }), flush=True)
        reader.ack_sicard()
        read += 1
    return 0 if read == cards else 1


if __name__ == "__main__":
    sys.exit(main())
