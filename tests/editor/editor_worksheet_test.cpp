// The lesson in the editor on paper: printed, previewed and written as a PDF, read
// back with poppler's pdftotext.
#include "editor_rig.h"

#include "pdf_text.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QTest>

namespace {

QString options(const Worksheet::Options &o)
{
    return QStringLiteral("bank %1 hints %2 key %3 paper %4").arg(o.wordBank).arg(o.hints).arg(o.answerKey).arg(int(o.paper));
}

// Clicks the options dialog's boxes that differ from the wanted options.
std::function<void(WorksheetOptionsDialog &)> choose(const Worksheet::Options &wanted)
{
    return [wanted](WorksheetOptionsDialog &dialog) {
        for (const auto &[name, on] : {std::pair{"WorksheetWordBank", wanted.wordBank}, std::pair{"WorksheetHints", wanted.hints},
                                       std::pair{"WorksheetKey", wanted.answerKey}}) {
            auto *box = dialog.findChild<QCheckBox *>(QString::fromLatin1(name));
            if (box->isChecked() != on)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 8, box->height() / 2));
        }
        dialog.findChild<QComboBox *>(QStringLiteral("WorksheetPaper"))->setCurrentIndex(int(wanted.paper));
    };
}

} // namespace

class EditorWorksheetTest : public QObject
{
    Q_OBJECT

private slots:
    void theLessonAsTheWindowShowsItGoesOnPaper_data();
    void theLessonAsTheWindowShowsItGoesOnPaper();
    void theOptionsAreRememberedBetweenUses();
    void aLessonThePupilsCannotOpenIsRefused_data();
    void aLessonThePupilsCannotOpenIsRefused();
};

void EditorWorksheetTest::theLessonAsTheWindowShowsItGoesOnPaper_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<bool>("wordBank");
    QTest::addColumn<bool>("key");
    QTest::addColumn<bool>("letter");
    QTest::addColumn<QString>("pagesChosen");
    QTest::addColumn<int>("pages");
    QTest::newRow("printed") << QByteArray("PrintWorksheet") << true << true << false << QString() << 2;
    QTest::newRow("printed, the pupil's page alone") << QByteArray("PrintWorksheet") << false << true << false << "1" << 1;
    QTest::newRow("previewed on Letter") << QByteArray("PreviewWorksheet") << false << true << true << QString() << 2;
    QTest::newRow("a PDF without key") << QByteArray("ExportWorksheet") << true << false << false << QString() << 1;
}

void EditorWorksheetTest::theLessonAsTheWindowShowsItGoesOnPaper()
{
    QFETCH(QByteArray, action);
    QFETCH(bool, wordBank);
    QFETCH(bool, key);
    QFETCH(bool, letter);
    QFETCH(QString, pagesChosen);
    QFETCH(int, pages);
    EditorRig rig;
    QTemporaryDir folder;
    rig.dialogs.printTo = folder.filePath(QStringLiteral("printed.pdf"));
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("sheet")); // the file type is added
    const QString pdf = action == "ExportWorksheet" ? rig.dialogs.pdfPath + QStringLiteral(".pdf") : rig.dialogs.printTo;
    rig.dialogs.pagesChosen = QPageRanges::fromString(pagesChosen);
    rig.dialogs.sheetChoice = choose({wordBank, false, key, letter ? Worksheet::Paper::Letter : Worksheet::Paper::A4});
    rig.start();
    QVERIFY(!rig.action(action)->isEnabled()); // no lesson before a store is open
    rig.window().openProgramStore();
    QVERIFY(rig.choose(24, 1));
    rig.type(QStringLiteral("Now ")); // unsaved
    rig.trigger(action);

    QCOMPARE(rig.dialogs.informed, QStringList());
    const QStringList printed = PdfText::pages(pdf);
    QCOMPARE(printed.size(), pages);
    const QStringList first = PdfText::words(printed.first());
    const QStringList caption = first.mid(0, 12); // in the order seen: "1 ( · שיעור present ... 24 תבנית"
    for (const char *word : {"תבנית", "24", "שיעור", "1"})
        QVERIFY2(caption.contains(QString::fromUtf8(word)), qPrintable(caption.join(' ')));
    QVERIFY(PdfText::squeezed(printed.first()).contains(QStringLiteral("NowWritetheverb.")));
    QCOMPARE(first.contains(QStringLiteral("plays")), wordBank);
    QCOMPARE(PdfText::squeezed(printed.last()).contains(QStringLiteral("Sheplays(play)")), pages == 2);
    QVERIFY(PdfText::info(pdf).contains(letter ? QStringLiteral("(letter)") : QStringLiteral("(A4)")));
    QCOMPARE(rig.stored(), EditorRig::kLessons); // printing saves nothing
}

void EditorWorksheetTest::theOptionsAreRememberedBetweenUses()
{
    EditorRig rig;
    QTemporaryDir folder;
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("sheet.pdf"));
    rig.start().openProgramStore();
    QVERIFY(rig.choose(5, 1));
    const Worksheet::Options chosen{true, true, false, Worksheet::Paper::Letter};
    rig.dialogs.sheetChoice = choose(chosen);
    rig.trigger("ExportWorksheet");
    QCOMPARE(options(rig.dialogs.presets.value(0)), options(Worksheet::Options{}));
    QVERIFY(QFileInfo::exists(rig.dialogs.pdfPath));

    // Cancelled, the options dialog changes nothing.
    rig.dialogs.sheetChoice = choose({});
    rig.dialogs.yes = false;
    rig.trigger("PrintWorksheet");
    QCOMPARE(options(rig.dialogs.presets.value(1)), options(chosen));

    // A new run of the editor offers them again, and the folder of the last PDF.
    rig.dialogs.sheetChoice = nullptr;
    rig.dialogs.yes = true;
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("again.pdf"));
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 2));
    rig.trigger("ExportWorksheet");
    QCOMPARE(options(rig.dialogs.presets.value(2)), options(chosen));
    QCOMPARE(QFileInfo(rig.dialogs.suggestedPdf).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
    QCOMPARE(PdfText::pages(rig.dialogs.pdfPath).size(), 1); // no key
    QVERIFY(PdfText::info(rig.dialogs.pdfPath).contains(QStringLiteral("(letter)")));
}

void EditorWorksheetTest::aLessonThePupilsCannotOpenIsRefused_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a marker left open, printed") << QByteArray("PrintWorksheet") << QStringLiteral(" &")
                                                 << QStringLiteral("נפתח ולא נסגר");
    // Paper would wrap the line, but the pupils' page cannot hold it.
    QTest::newRow("a line too wide for the page, as a PDF")
        << QByteArray("ExportWorksheet") << QStringLiteral(" ") + QString(330, QLatin1Char('x')) << QStringLiteral("ארוכה מדי");
    QTest::newRow("a marker left open, previewed") << QByteArray("PreviewWorksheet") << QStringLiteral(" &")
                                                   << QStringLiteral("נפתח ולא נסגר");
}

void EditorWorksheetTest::aLessonThePupilsCannotOpenIsRefused()
{
    QFETCH(QByteArray, action);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    EditorRig rig;
    QTemporaryDir folder;
    rig.dialogs.printTo = folder.filePath(QStringLiteral("printed.pdf"));
    rig.dialogs.pdfPath = folder.filePath(QStringLiteral("sheet.pdf"));
    rig.start().openProgramStore();
    QVERIFY(rig.choose(24, 1));
    rig.clickText(2, 1);
    rig.key(Qt::Key_End);
    rig.type(typed);
    rig.trigger(action);
    QCOMPARE(rig.dialogs.informed.size(), 1);
    QVERIFY(rig.dialogs.informed.first().startsWith(QStringLiteral("לא ניתן להכין דף עבודה: את תבנית 24, שיעור 1 ")));
    QVERIFY2(rig.dialogs.informed.first().contains(reason), qPrintable(rig.dialogs.informed.first()));
    QVERIFY(rig.dialogs.presets.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

QTEST_MAIN(EditorWorksheetTest)
#include "editor_worksheet_test.moc"
