#pragma once
// The IOF XML 3.0 schema check of an exported file, by xmllint (Debian's
// libxml2-utils). xmllint is a Linux program: a Windows build of the tests has no
// such check and leaves it out.
#include <optional>
#include <string>

namespace ravik::test {

// xmllint's report on the file against the schema: empty when the file is valid;
// nullopt where xmllint cannot run (Windows).
std::optional<std::string> iofSchemaErrors(const std::string& xmlPath);

} // namespace ravik::test
