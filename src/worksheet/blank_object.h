#pragma once

#include <QObject>
#include <QTextCharFormat>
#include <QTextObjectInterface>

class QPaintDevice;

namespace Worksheet {

/// The blank a pupil writes on: a run of underscores in the body's font, so that it
/// sits on the text's baseline and reads as a blank in any copy of the text. On the
/// answer key it carries its answer, filled in and marked.
class BlankObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    static constexpr int kType = QTextFormat::UserObject + 1;

    explicit BlankObject(QObject *parent = nullptr);

    /// A blank at least minimumWidth wide (device units) in base's font, with hint
    /// under it in small letters when there is one.
    static QTextCharFormat blank(const QTextCharFormat &base, const QPaintDevice *device, qreal minimumWidth,
                                 const QString &hint = QString());
    /// The same blank with its answer filled in and marked, widened where the answer needs it.
    static QTextCharFormat filled(const QTextCharFormat &base, const QPaintDevice *device, qreal minimumWidth,
                                  const QString &answer);

    QSizeF intrinsicSize(QTextDocument *doc, int posInDocument, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int posInDocument,
                    const QTextFormat &format) override;
};

} // namespace Worksheet
