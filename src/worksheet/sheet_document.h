#pragma once

#include "worksheet/worksheet_options.h"

#include <QSizeF>

#include <memory>

class QPainter;
class QPaintDevice;
class QTextDocument;

namespace Worksheet {

/// One part of one sheet laid out for a paint device and cut into pages: the pupil's
/// worksheet (room for name and class, heading, word bank, rows with blanks) or its
/// answer key (the rows with every answer filled in and marked).
class SheetDocument
{
public:
    enum class Part { Pupil, Key };

    /// pageBody: the width and height the text may take on each page, device units.
    SheetDocument(const Sheet &sheet, const Options &options, Part part, QPaintDevice *device, QSizeF pageBody);
    ~SheetDocument();

    int pageCount() const;
    /// Draws page `page` (0-based) with its top left corner at the painter's origin.
    void paintPage(QPainter &painter, int page) const;

private:
    QSizeF m_pageBody;
    std::unique_ptr<QTextDocument> m_document;
};

} // namespace Worksheet
