#pragma once
// Code page 1250 (Central European Windows) is the encoding of every file the
// program reads and writes. Texts inside the core stay in it; conversion to
// UTF-8 happens only at the edges (windows, XML, the command line).
#include <string>
#include <string_view>

namespace ravik {

// Every byte maps to one character; the five bytes undefined in the code page
// (0x81, 0x83, 0x88, 0x90, 0x98) become U+FFFD.
std::string cp1250ToUtf8(std::string_view cp1250);

// Characters that code page 1250 cannot hold become '?'; malformed UTF-8
// sequences become '?' as well.
std::string utf8ToCp1250(std::string_view utf8);

// Every byte belongs to a well-formed UTF-8 sequence (no overlong forms, no
// surrogates, nothing above U+10FFFF). Plain ASCII is well-formed too.
bool isWellFormedUtf8(std::string_view text);

} // namespace ravik
