#pragma once
// PDF files written through QPdfWriter into memory and then onto the disk by the
// core's atomic rewrite, so that a reader never sees half a file.
#include <functional>
#include <string>

class QPdfWriter;

namespace ravik {

// The painter gets a writer of 96 units to the inch (the unit every layout of the
// program measures in) and returns false when it could not paint. IoError when it
// failed or the file cannot be written; the file is then as it was.
void writePdfAtomically(const std::string& path, const std::function<bool(QPdfWriter&)>& paint);

} // namespace ravik
