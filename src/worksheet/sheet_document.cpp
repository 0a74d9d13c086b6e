#include "worksheet/sheet_document.h"

#include "worksheet/blank_object.h"
#include "worksheet/paper_look.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>

namespace Worksheet {

namespace {

// The layout scales frame and table lengths and the space above and below a
// paragraph from 96 dots per inch to the device; a paragraph's indents, blanks and
// pages are in the device's own units.
qreal frameLength(qreal mm)
{
    return mm / 25.4 * 96.0;
}

QTextCharFormat text(qreal points, bool bold = false, const QColor &colour = Qt::black)
{
    QTextCharFormat f;
    f.setFont(paperFont(points, bold));
    f.setForeground(colour);
    return f;
}

QTextBlockFormat block(Qt::LayoutDirection direction, qreal spaceBelowMm = 0)
{
    QTextBlockFormat f;
    f.setLayoutDirection(direction);
    f.setAlignment((direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
    f.setBottomMargin(frameLength(spaceBelowMm));
    return f;
}

Qt::LayoutDirection directionOf(const QString &line)
{
    return line.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

constexpr qreal kBodyPoints = 13;
constexpr qreal kHeadingPoints = 15;
constexpr qreal kCaptionPoints = 9;
constexpr qreal kHangingIndentMm = 8; // a wrapped row continues right of its number
constexpr qreal kRowMm = 10.5;
constexpr qreal kHintedRowMm = 12;
constexpr qreal kHintRoomMm = 5; // below the last row of a page

// Writes a sheet into a document, paragraph by paragraph.
class SheetBuilder
{
public:
    SheetBuilder(QTextDocument &document, SheetDocument::Part part, QPaintDevice *device, QSizeF pageBody)
        : cursor(&document)
        , m_part(part)
        , m_device(device)
        , m_pageBody(pageBody)
    {
    }

    void addTitle();
    void addCaption(const QString &caption);
    void addNameAndClass();
    void addHeading(const QStringList &lines);
    void addWordBank(const QStringList &entries);
    void addRows(const SheetContent &content, const Options &options);

    // The document starts with one empty block; the first paragraph takes it.
    void paragraph(const QTextBlockFormat &format, const QTextCharFormat &chars)
    {
        if (m_fresh) {
            cursor.setBlockFormat(format);
            cursor.setBlockCharFormat(chars);
            cursor.setCharFormat(chars);
            m_fresh = false;
        } else {
            cursor.insertBlock(format, chars);
        }
    }

    // After a frame the cursor stands in the empty block that follows it.
    void leaveFrame()
    {
        cursor.movePosition(QTextCursor::End);
        m_fresh = true;
    }

    void object(const QTextCharFormat &format)
    {
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }

    QTextCursor cursor;

private:
    SheetDocument::Part m_part;
    QPaintDevice *m_device;
    QSizeF m_pageBody;
    bool m_fresh = true;
};

void SheetBuilder::addTitle()
{
    paragraph(block(Qt::RightToLeft, 1), text(kHeadingPoints, true));
    cursor.insertText(QStringLiteral("מפתח תשובות"));
}

void SheetBuilder::addCaption(const QString &caption)
{
    if (caption.isEmpty())
        return;
    paragraph(block(directionOf(caption), 3), text(kCaptionPoints, false, kPaperGrey));
    cursor.insertText(caption);
}

void SheetBuilder::addNameAndClass()
{
    const QTextCharFormat caption = text(12);
    QTextBlockFormat line = block(Qt::RightToLeft, 6);
    line.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
    paragraph(line, caption);
    cursor.insertText(QStringLiteral("שם: "), caption);
    object(BlankObject::blank(caption, m_device, deviceLength(*m_device, 75)));
    cursor.insertText(QStringLiteral("        כיתה: "), caption);
    object(BlankObject::blank(caption, m_device, deviceLength(*m_device, 30)));
}

void SheetBuilder::addHeading(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        const qreal below = i + 1 == lines.size() ? 5 : 0;
        paragraph(block(directionOf(lines.at(i)), below), text(kHeadingPoints, true));
        cursor.insertText(lines.at(i));
    }
}

void SheetBuilder::addWordBank(const QStringList &entries)
{
    if (entries.isEmpty())
        return;
    QTextFrameFormat box;
    box.setBorder(1);
    box.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    box.setBorderBrush(QColor(0x44, 0x44, 0x44));
    box.setPadding(frameLength(3));
    box.setTopMargin(frameLength(3));
    box.setBottomMargin(frameLength(6));
    cursor.insertFrame(box);
    cursor.setBlockFormat(block(Qt::RightToLeft, 2));
    cursor.insertText(QStringLiteral("מחסן מילים"), text(11, true));

    const int columns = int(std::min<qsizetype>(4, entries.size()));
    const int rows = int((entries.size() + columns - 1) / columns);
    QTextTableFormat grid;
    grid.setBorder(0);
    grid.setCellPadding(frameLength(1));
    grid.setCellSpacing(0);
    grid.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable *table = cursor.insertTable(rows, columns, grid);
    // Across the rows, in alphabetical order.
    for (int i = 0; i < entries.size(); ++i) {
        QTextCursor cell = table->cellAt(i / columns, i % columns).firstCursorPosition();
        cell.setBlockFormat(block(Qt::LeftToRight));
        cell.insertText(entries.at(i), text(kBodyPoints));
    }
    leaveFrame();
}

void SheetBuilder::addRows(const SheetContent &content, const Options &options)
{
    const QTextCharFormat body = text(kBodyPoints);
    const bool hints = options.hints && m_part == SheetDocument::Part::Pupil;

    // Every blank as long as the longest answer needs in handwriting, so that its
    // length gives no answer away.
    const QFontMetricsF metrics(body.font(), m_device);
    qreal longest = 0;
    for (const QString &answer : content.answers)
        longest = std::max(longest, metrics.horizontalAdvance(answer.trimmed()));
    const qreal blankWidth =
        std::min(std::max(longest * 1.4, deviceLength(*m_device, 25)), m_pageBody.width() * 0.5);

    QTextBlockFormat row = block(Qt::LeftToRight);
    // Room to write above each line; a hint hangs below the baseline into the room of
    // the next line. A row goes to the next page whole, room and all.
    row.setLineHeight(frameLength(hints ? kHintedRowMm : kRowMm), QTextBlockFormat::MinimumHeight);
    row.setLeftMargin(deviceLength(*m_device, kHangingIndentMm));
    row.setTextIndent(-deviceLength(*m_device, kHangingIndentMm));

    for (const QList<RowPiece> &pieces : content.rows) {
        paragraph(row, body);
        for (const RowPiece &piece : pieces) {
            if (piece.gap == 0) {
                cursor.insertText(piece.text, body);
                continue;
            }
            const int g = piece.gap - 1;
            if (m_part == SheetDocument::Part::Key)
                object(BlankObject::filled(body, m_device, blankWidth, content.answers.at(g)));
            else
                object(BlankObject::blank(body, m_device, blankWidth, hints ? content.masks.at(g) : QString()));
        }
    }
}

} // namespace

SheetDocument::SheetDocument(const Sheet &sheet, const Options &options, Part part, QPaintDevice *device,
                             QSizeF pageBody)
    : m_pageBody(pageBody)
    , m_document(std::make_unique<QTextDocument>())
{
    m_document->documentLayout()->setPaintDevice(device);
    m_document->documentLayout()->registerHandler(BlankObject::kType, new BlankObject(m_document.get()));
    m_document->setDocumentMargin(0);
    m_document->setDefaultFont(text(kBodyPoints).font());
    m_document->setPageSize(pageBody);

    SheetBuilder builder(*m_document, part, device, pageBody);
    if (part == Part::Key)
        builder.addTitle();
    builder.addCaption(sheet.caption);
    if (part == Part::Pupil)
        builder.addNameAndClass();
    builder.addHeading(sheet.content.headingLines);
    if (part == Part::Pupil && options.wordBank)
        builder.addWordBank(sheet.content.wordBank);
    builder.addRows(sheet.content, options);
}

SheetDocument::~SheetDocument() = default;

int SheetDocument::pageCount() const
{
    return m_document->pageCount();
}

void SheetDocument::paintPage(QPainter &painter, int page) const
{
    const QRectF body(QPointF(0, page * m_pageBody.height()), m_pageBody);
    painter.save();
    painter.translate(0, -body.top());
    // The page's rows are those the layout put on it; the hints under the last of
    // them reach into the bottom margin.
    const qreal hintRoom = deviceLength(*m_document->documentLayout()->paintDevice(), kHintRoomMm);
    painter.setClipRect(body.adjusted(0, 0, 0, hintRoom));
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = body;
    context.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace Worksheet
