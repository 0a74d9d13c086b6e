#include "worksheet/worksheet_pages.h"

#include "worksheet/sheet_document.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextOption>

namespace Worksheet {

namespace {

constexpr qreal kMarginMm = 15;
constexpr qreal kFooterMm = 10; // below the text of each page: its number

qreal millimetres(const QPaintDevice &device, qreal mm)
{
    return mm / 25.4 * device.logicalDpiY();
}

void paintFooter(QPainter &painter, const QRectF &band, const QString &caption)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(9);
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    QTextOption centred(Qt::AlignHCenter | Qt::AlignBottom);
    centred.setTextDirection(Qt::RightToLeft);
    painter.drawText(band, caption, centred);
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
    const qreal footer = millimetres(device, kFooterMm);
    const QSizeF body(paintRect.width(), paintRect.height() - footer);
    const QRectF footerBand(0, body.height(), body.width(), footer);

    PageCounts counts;
    bool firstPage = true;
    auto paintPart = [&](const Sheet &sheet, SheetDocument::Part part) {
        const SheetDocument document(sheet, options, part, &device, body);
        const int pages = document.pageCount();
        for (int page = 0; page < pages; ++page) {
            if (!firstPage)
                device.newPage();
            firstPage = false;
            document.paintPage(painter, page);
            const QString number = QStringLiteral("עמוד %1 מתוך %2").arg(page + 1).arg(pages);
            paintFooter(painter, footerBand,
                        part == SheetDocument::Part::Key ? QStringLiteral("מפתח תשובות · ") + number : number);
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
