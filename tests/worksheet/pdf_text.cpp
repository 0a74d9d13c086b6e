#include "pdf_text.h"

#include <QDebug>
#include <QProcess>
#include <QRegularExpression>

namespace PdfText {

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    // A failure reads as an empty text, which no test takes for a page.
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning() << program << "failed:" << process.readAllStandardError();
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// poppler sets a right-to-left word apart with direction marks, not always with a space.
QString withoutMarks(QString text)
{
    static const QRegularExpression marks(QStringLiteral("[\u200e\u200f\u202a-\u202e\u2066-\u2069]"));
    return text.replace(marks, QStringLiteral(" "));
}

} // namespace

QStringList pages(const QString &pdf)
{
    QStringList list = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                         QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
                           .split(QLatin1Char('\f'));
    if (!list.isEmpty() && list.last().trimmed().isEmpty())
        list.removeLast(); // the form feed after the last page
    return list;
}

QString info(const QString &pdf)
{
    return run(QStringLiteral("pdfinfo"), {pdf});
}

QString fonts(const QString &pdf)
{
    return run(QStringLiteral("pdffonts"), {pdf});
}

QString squeezed(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return withoutMarks(text).remove(space);
}

QStringList words(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return withoutMarks(text).split(space, Qt::SkipEmptyParts);
}

} // namespace PdfText
