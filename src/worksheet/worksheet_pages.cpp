#include "worksheet/worksheet_pages.h"

#include "worksheet/paper_look.h"
#include "worksheet/sheet_document.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextOption>

#include <functional>

namespace Worksheet {

namespace {

constexpr qreal kMarginMm = 15;
constexpr qreal kFooterMm = 10; // below the text of each page: its number
constexpr qreal kImageDpi = 200;

void paintFooter(QPainter &painter, const QRectF &band, const QString &caption)
{
    painter.save();
    painter.setFont(paperFont(9));
    painter.setPen(kPaperGrey);
    QTextOption centred(Qt::AlignHCenter | Qt::AlignBottom);
    centred.setTextDirection(Qt::RightToLeft);
    painter.drawText(band, caption, centred);
    painter.restore();
}

// A page drawn on an image at a screen's sharpness, then onto the painter.
void paintAsImage(QPainter &painter, QSizeF size, qreal dpi, const std::function<void(QPainter &)> &paint)
{
    const qreal scale = kImageDpi / dpi;
    QImage image((size * scale).toSize(), QImage::Format_RGB32);
    // Fonts take their size from the device's resolution, as on the device.
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter onImage(&image);
    onImage.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    onImage.scale(scale, scale);
    paint(onImage);
    onImage.end();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // thin lines stay at any zoom
    painter.drawImage(QRectF(QPointF(0, 0), size), image);
    painter.restore();
}

} // namespace

QPageLayout pageLayout(Paper paper)
{
    const QPageSize size(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

PageCounts paintSheets(QPainter &painter, QPagedPaintDevice &device, const QList<Sheet> &sheets, const Options &options)
{
    const QRectF paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal footer = deviceLength(device, kFooterMm);
    const QSizeF body(paintRect.width(), paintRect.height() - footer);
    const QRectF footerBand(0, body.height(), body.width(), footer);

    // A print preview records pages as pictures, which draw every run of text left to
    // right again when shown: Hebrew would come out with its spaces and signs misplaced.
    const bool picture = device.paintEngine() && device.paintEngine()->type() == QPaintEngine::Picture;
    // Pages chosen in a print dialog, counted over the whole run; none chosen prints all.
    const QPageRanges chosen = device.pageRanges();
    int pageNumber = 0;
    bool firstPage = true;
    PageCounts counts;
    auto paintPart = [&](const Sheet &sheet, SheetDocument::Part part) {
        const SheetDocument document(sheet, options, part, &device, body);
        const int pages = document.pageCount();
        for (int page = 0; page < pages; ++page) {
            ++pageNumber;
            if (!chosen.isEmpty() && !chosen.contains(pageNumber))
                continue;
            if (!firstPage)
                device.newPage();
            firstPage = false;
            const QString number = QStringLiteral("עמוד %1 מתוך %2").arg(page + 1).arg(pages);
            auto paintOn = [&](QPainter &onto) {
                document.paintPage(onto, page);
                paintFooter(onto, footerBand,
                            part == SheetDocument::Part::Key ? QStringLiteral("מפתח תשובות · ") + number : number);
            };
            if (picture)
                paintAsImage(painter, paintRect.size(), device.logicalDpiX(), paintOn);
            else
                paintOn(painter);
        }
        return pages;
    };
    for (const Sheet &sheet : sheets)
        counts.pupil += paintPart(sheet, SheetDocument::Part::Pupil);
    if (options.answerKey) {
        for (const Sheet &sheet : sheets)
            counts.key += paintPart(sheet, SheetDocument::Part::Key);
    }
    return counts;
}

QString writePdf(const QString &path, const QList<Sheet> &sheets, const Options &options, PageCounts *counts)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    PageCounts painted;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout(options.paper));
        writer.setCreator(QStringLiteral("Cloze Trainer"));
        if (!sheets.isEmpty())
            writer.setTitle(sheets.first().content.headingLines.join(QLatin1Char(' ')));
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("the PDF could not be started");
        painted = paintSheets(painter, writer, sheets, options);
        if (!painter.end())
            return QStringLiteral("the PDF could not be finished");
    }
    if (!file.commit())
        return file.errorString();
    if (counts)
        *counts = painted;
    return QString();
}

} // namespace Worksheet
