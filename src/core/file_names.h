#pragma once
// Names of the files the program makes from data (class names in page names).
#include <string>
#include <string_view>

namespace ravik {

// Characters that would lead a name into another folder, cannot stand in one, or
// would carry markup into a folder listing ("<", ">", '"', "'", "&") become "_".
std::string fileNameSafe(std::string text);

// The longest file name the file system takes, less the bytes the temporary
// name of a rewrite adds to it.
std::size_t maxFileNameBytes();

// prefix + part + extension (UTF-8). When that is too long for the file system,
// the part keeps as much of its start as fits and ends in "~" and eight hex
// digits of a hash of the whole part, so different class lists keep different names.
std::string fittedFileName(std::string_view prefix, std::string_view part, std::string_view extension);

} // namespace ravik
