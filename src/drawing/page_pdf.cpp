#include "drawing/page_pdf.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/texts/pdf_texts.h"
#include "drawing/paper_html.h"
#include "drawing/pdf_file.h"
#include "drawing/qt_text.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace ravik {
namespace {

constexpr double kMarginMm = 10;
constexpr double kUnbounded = 100000; // a text width nothing is wrapped in
constexpr double kFootHeight = 18;    // the band under the text that holds the page number, 1/96 inch

// The statistics page's bars are pictures of one colour, stretched by the
// width and height the page gives them.
class PaperDocument : public QTextDocument {
protected:
    QVariant loadResource(int type, const QUrl& name) override {
        const QString source = name.toString();
        if (type == ImageResource && source.startsWith(QLatin1String(kBarImageScheme))) {
            QImage bar(1, 1, QImage::Format_RGB32);
            bar.fill(QColor(QLatin1Char('#') + source.mid(int(std::strlen(kBarImageScheme)))));
            return bar;
        }
        return QTextDocument::loadResource(type, name);
    }
};

QRectF paintRect(QPdfWriter& writer, QPageLayout::Orientation orientation) {
    writer.setPageOrientation(orientation);
    return writer.pageLayout().paintRectPixels(writer.resolution());
}

} // namespace

PagePdf pagePdf(const std::string& html, const std::string& folder, const std::string& title,
                Language language) {
    PagePdf result;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setCreator(QStringLiteral("Ravik"));
        writer.setTitle(fromUtf8(title));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);

        PaperDocument document;
        document.documentLayout()->setPaintDevice(&writer);
        if (!folder.empty())
            document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(fromUtf8(folder)).absoluteFilePath() + "/"));
        document.setHtml(fromCp1250(paperHtml(html)));

        // Portrait while the page's natural width (nothing wrapped) fits, else
        // landscape; a page wider than landscape is drawn smaller rather than
        // squeezed or cut at the right edge.
        document.setTextWidth(kUnbounded);
        const double natural = document.idealWidth();
        QRectF area = paintRect(writer, QPageLayout::Portrait);
        if (natural > area.width()) {
            result.landscape = true;
            area = paintRect(writer, QPageLayout::Landscape);
        }
        const double width = std::max<double>(area.width(), natural);
        const double scale = area.width() / width;
        const double pageHeight = (area.height() - kFootHeight) / scale;
        document.setPageSize(QSizeF(width, pageHeight));
        result.pages = document.pageCount();

        QPainter painter;
        if (!painter.begin(&writer)) throw IoError("cannot draw the PDF " + title);
        for (int page = 0; page < result.pages; ++page) {
            if (page > 0) writer.newPage();
            painter.save();
            painter.scale(scale, scale);
            painter.translate(0, -page * pageHeight);
            document.drawContents(&painter, QRectF(0, page * pageHeight, width, pageHeight));
            painter.restore();
            const QString number =
                fromUtf8(tr(language, texts::kPdfPageNumber)).arg(page + 1).arg(result.pages);
            painter.drawText(QRectF(0, area.height() - kFootHeight, area.width(), kFootHeight),
                             Qt::AlignRight | Qt::AlignBottom, number);
        }
        painter.end();
    }
    result.bytes.assign(buffer.data().constData(), buffer.data().size());
    return result;
}

int writePagePdf(const std::string& pagePath, const std::string& pdfPath, Language language) {
    const std::string html = readWholeFile(pagePath, 1'000'000'000);
    const QFileInfo page(fromUtf8(pagePath));
    const PagePdf pdf = pagePdf(html, toUtf8(page.absolutePath()), toUtf8(page.completeBaseName()), language);
    writeFileAtomically(pdfPath, pdf.bytes);
    return pdf.pages;
}

std::string pdfPathBeside(const std::string& pagePath) {
    const std::string extension = ".htm";
    if (pagePath.size() >= extension.size() &&
        pagePath.compare(pagePath.size() - extension.size(), extension.size(), extension) == 0)
        return pagePath.substr(0, pagePath.size() - extension.size()) + ".pdf";
    return pagePath + ".pdf";
}

} // namespace ravik
