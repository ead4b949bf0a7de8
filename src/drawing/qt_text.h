#pragma once
// Conversions at the edge between the core's strings and Qt's: texts from the
// files and the competitor table are code page 1250, the program's own texts,
// the log and file paths are UTF-8.
#include "core/cp1250.h"

#include <QString>
#include <string>

namespace ravik {

inline QString fromCp1250(const std::string& text) {
    return QString::fromStdString(cp1250ToUtf8(text));
}
inline std::string toCp1250(const QString& text) {
    return utf8ToCp1250(text.toStdString());
}

inline QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString fromUtf8(const char* text) {
    return QString::fromUtf8(text);
}
inline std::string toUtf8(const QString& text) {
    return text.toStdString();
}

} // namespace ravik
