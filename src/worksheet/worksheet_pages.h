#pragma once

#include "worksheet/worksheet_options.h"

#include <QList>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace Worksheet {

/// How many pages the pupils' part and the answer key took.
struct PageCounts
{
    int pupil = 0;
    int key = 0;
};

/// The paper in portrait with the sheet's margins.
QPageLayout pageLayout(Paper paper);

/// Lays the sheets out on the device's pages as its page layout gives them: every
/// sheet's worksheet, each from a new page, then with the answer key every sheet's
/// key. Each page is numbered within its sheet's part. Of a device with page ranges
/// (a printer's chosen pages) only those pages are painted. The painter is active on
/// the device, which stands on its first page.
PageCounts paintSheets(QPainter &painter, QPagedPaintDevice &device, const QList<Sheet> &sheets, const Options &options);

/// Writes the sheets as a PDF file at path; a file there is replaced only once the
/// new one is complete. Gives the reason when the file cannot be written, empty when
/// all went well.
QString writePdf(const QString &path, const QList<Sheet> &sheets, const Options &options, PageCounts *counts = nullptr);

} // namespace Worksheet
