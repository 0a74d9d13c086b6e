// The lesson in the editor on paper: printed, previewed and written as a PDF, read
// back with poppler's pdftotext.
#include "editor_rig.h"

#include "pdf_text.h"

namespace {

// Sets the options dialog's controls as a teacher would.
std::function<void(WorksheetOptionsDialog &)> choose(bool key)
{
    return [=](WorksheetOptionsDialog &dialog) {
        dialog.findChild<QCheckBox *>(QStringLiteral("WorksheetWordBank"))->setChecked(true);
        dialog.findChild<QCheckBox *>(QStringLiteral("WorksheetHints"))->setChecked(false);
        dialog.findChild<QCheckBox *>(QStringLiteral("WorksheetKey"))->setChecked(key);
        dialog.findChild<QComboBox *>(QStringLiteral("WorksheetPaper"))->setCurrentText(QStringLiteral("Letter"));
    };
}

// The pages of a printed PDF; none unless there are as many as expected, on Letter.
QStringList printed(const QString &pdf, int pages)
{
    const QStringList text = PdfText::pages(pdf);
    return text.size() == pages && PdfText::info(pdf).contains(QStringLiteral("(letter)")) ? text : QStringList();
}

} // namespace

class EditorWorksheetTest : public QObject
{
    Q_OBJECT

private slots:
    void printedPreviewedAndWrittenWithTheOptionsOfLastTime();
};

void EditorWorksheetTest::printedPreviewedAndWrittenWithTheOptionsOfLastTime()
{
    EditorRig rig;
    QTemporaryDir folder;
    rig.dialogs.printTo = folder.filePath(QStringLiteral("printed.pdf"));
    rig.start();
    QVERIFY(!rig.control("PrintWorksheet")->isEnabled()); // no lesson before a store is open
    QVERIFY(rig.open(24, 1, QStringLiteral("Now "))); // unsaved

    // Printed with a word bank on Letter, the key's page alone.
    rig.dialogs.sheetChoice = choose(true);
    rig.dialogs.pagesChosen = QPageRanges::fromString(QStringLiteral("2"));
    rig.trigger("PrintWorksheet");
    QStringList pages = printed(rig.dialogs.printTo, 1);
    QVERIFY(PdfText::squeezed(pages.value(0)).contains(QStringLiteral("NowWritetheverb.1.Sheplays(play)")));
    const QStringList caption = PdfText::words(pages.value(0)).mid(0, 12); // "1 ( · שיעור present ... 24 תבנית"
    for (const char *word : {"תבנית", "24", "simple", "שיעור", "1"})
        QVERIFY2(caption.contains(QString::fromUtf8(word)), qPrintable(caption.join(' ')));

    // Previewed as chosen before: the worksheet with its word bank, then the key.
    rig.dialogs.sheetChoice = nullptr;
    rig.trigger("PreviewWorksheet");
    pages = printed(rig.dialogs.printTo, 2);
    QVERIFY(PdfText::squeezed(pages.value(0)).contains(QStringLiteral("מחסן")));

    // Written without the key, to a name without .pdf; a new run offers the same, in
    // the folder of the last PDF.
    rig.dialogs.sheetChoice = choose(false);
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("sheet"));
    rig.trigger("ExportWorksheet");
    QVERIFY(PdfText::squeezed(printed(rig.dialogs.pdfPath + QStringLiteral(".pdf"), 1).value(0)).contains(QStringLiteral("מחסן")));
    rig.dialogs.sheetChoice = nullptr;
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("again.pdf"));
    QVERIFY(rig.open(24, 2));
    rig.trigger("ExportWorksheet");
    QCOMPARE(QFileInfo(rig.dialogs.suggestedPdf).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
    pages = printed(rig.dialogs.pdfPath, 1);
    QVERIFY(PdfText::words(pages.value(0)).contains(QStringLiteral("works")));

    // A line too wide for the pupils' page is refused, though paper would wrap it; a
    // PDF that cannot be written is said.
    QFile::remove(rig.dialogs.printTo);
    rig.key(Qt::Key_End, Qt::ControlModifier);
    rig.type(QStringLiteral(" ") + QString(330, QLatin1Char('x')));
    rig.trigger("PrintWorksheet");
    QVERIFY(rig.choose(5, 1));
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("missing/sheet.pdf"));
    rig.trigger("ExportWorksheet");
    QCOMPARE(rig.dialogs.informed.size(), 2);
    QVERIFY(rig.dialogs.informed[0].startsWith(
        QStringLiteral("לא ניתן להכין דף עבודה: את תבנית 24, שיעור 2 תוכנית התלמידים לא תוכל לפתוח.")));
    QVERIFY(rig.dialogs.informed[0].contains(QStringLiteral("ארוכה מדי")));
    QVERIFY(rig.dialogs.informed[1].startsWith(QStringLiteral("לא ניתן לכתוב את")));
    QVERIFY(!QFileInfo::exists(rig.dialogs.printTo) && !QFileInfo::exists(folder.filePath(QStringLiteral("missing"))));
    QCOMPARE(rig.stored(), EditorRig::kLessons); // printing saves nothing
}

QTEST_MAIN(EditorWorksheetTest)
#include "editor_worksheet_test.moc"
