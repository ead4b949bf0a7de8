#pragma once
// Filling the placeholders %1, %2, ... of a message.
#include <string>
#include <vector>

namespace ravik {

std::string fillIn(std::string message, const std::vector<std::string>& values);

} // namespace ravik
