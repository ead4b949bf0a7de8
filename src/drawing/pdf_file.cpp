#include "drawing/pdf_file.h"

#include "core/errors.h"
#include "core/file_io.h"

#include <QBuffer>
#include <QPdfWriter>

namespace ravik {

void writePdfAtomically(const std::string& path, const std::function<bool(QPdfWriter&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        // The writer finishes the file when it is destroyed.
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setCreator(QStringLiteral("Ravik"));
        painted = paint(writer);
    }
    if (!painted || buffer.data().isEmpty()) throw IoError("cannot draw the PDF " + path);
    writeFileAtomically(path, std::string_view(buffer.data().constData(), buffer.data().size()));
}

} // namespace ravik
