#pragma once
// Texts of the XML result lists: the document declares utf-8, so code page 1250
// values are converted and escaped before they are written.
#include <string>
#include <string_view>

namespace ravik {

// Code page 1250 text as UTF-8 character data: "&", "<", ">", '"' and "'" as
// references; control characters, which XML cannot hold, are left out.
std::string xmlText(std::string_view cp1250);

} // namespace ravik
