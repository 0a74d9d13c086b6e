#pragma once

#include <QString>
#include <QStringList>

/// What poppler's tools read from a PDF file: the text of each page as laid out,
/// the page size and the fonts.
namespace PdfText {

/// The text of every page, in page order, with the layout's lines.
QStringList pages(const QString &pdf);

/// pdfinfo's report and pdffonts' table.
QString info(const QString &pdf);
QString fonts(const QString &pdf);

/// Text as the tests compare it: without the direction marks poppler puts around
/// right-to-left words and without any white space.
QString squeezed(const QString &text);

/// The words of a text, direction marks dropped: right-to-left words come out of a
/// page in the order they are seen, so Hebrew is compared word by word.
QStringList words(const QString &text);

} // namespace PdfText
