#pragma once
// UTF-8 text from outside (XML entry lists) turned into code page 1250: a
// character the code page has stays itself, a Latin letter it lacks becomes its
// closest ASCII letter(s) (å → a, ø → o, Æ → AE), anything else becomes '?'.
#include <string>
#include <string_view>

namespace ravik {

std::string utf8ToCp1250Closest(std::string_view utf8);

} // namespace ravik
