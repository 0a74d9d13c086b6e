#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

/// What poppler's tools read from a PDF file. Right-to-left words come out in the order
/// they are seen, each set apart with direction marks, not always with a space.
namespace PdfText {

inline QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    // A failure reads as an empty text, which no test takes for a page.
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

/// The text of every page, in page order, with the layout's lines.
inline QStringList pages(const QString &pdf)
{
    QStringList list = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
    list.removeLast(); // after the form feed of the last page
    return list;
}

/// pdfinfo's report, the page size among it.
inline QString info(const QString &pdf)
{
    return run(QStringLiteral("pdfinfo"), {pdf});
}

/// The words of a text, direction marks dropped.
inline QStringList words(const QString &text)
{
    static const QRegularExpression marksAndSpace(QStringLiteral("[\u200e\u200f\u202a-\u202e\u2066-\u2069\\s]+"));
    return text.split(marksAndSpace, Qt::SkipEmptyParts);
}

/// Text without direction marks and white space.
inline QString squeezed(const QString &text)
{
    return words(text).join(QString());
}

} // namespace PdfText
