// The editor window's lesson on paper: a worksheet printed, previewed or written as a PDF.
#include "editor/editor_window.h"

#include "editor/editor_dialogs.h"
#include "editor/messages.h"
#include "worksheet/worksheet_pages.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

const QString kWordBankKey = QStringLiteral("worksheet/wordBank");
const QString kHintsKey = QStringLiteral("worksheet/hints");
const QString kKeyKey = QStringLiteral("worksheet/answerKey");
const QString kPaperKey = QStringLiteral("worksheet/paper");
const QString kFolderKey = QStringLiteral("worksheet/folder");

Worksheet::Options rememberedOptions(QSettings &settings)
{
    Worksheet::Options options;
    options.wordBank = settings.value(kWordBankKey, options.wordBank).toBool();
    options.hints = settings.value(kHintsKey, options.hints).toBool();
    options.answerKey = settings.value(kKeyKey, options.answerKey).toBool();
    if (settings.value(kPaperKey).toString() == QStringLiteral("Letter"))
        options.paper = Worksheet::Paper::Letter;
    return options;
}

void remember(QSettings &settings, const Worksheet::Options &options)
{
    settings.setValue(kWordBankKey, options.wordBank);
    settings.setValue(kHintsKey, options.hints);
    settings.setValue(kKeyKey, options.answerKey);
    settings.setValue(kPaperKey, options.paper == Worksheet::Paper::Letter ? QStringLiteral("Letter") : QStringLiteral("A4"));
}

} // namespace

void EditorWindow::worksheet(SheetOutput output)
{
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (!row)
        return;
    // The lesson as the window shows it, unsaved changes included.
    const Lessons::StoredLesson lesson = row->lesson;
    const QString name = Editor::Messages::lessonName(lesson.pattern, lesson.lesson);
    const Worksheet::PreparedSheet prepared = Worksheet::prepareSheet(lesson.cloze);
    std::optional<LessonRules::Finding> refusal = refusalOf(lesson.cloze);
    if (!refusal)
        refusal = prepared.refusal;
    if (refusal) {
        m_context.dialogs.inform(this, QStringLiteral("לא ניתן להכין דף עבודה: את %1 תוכנית התלמידים לא תוכל לפתוח. %2")
                                           .arg(name, refusal->hebrew()));
        return;
    }
    const QString title = QStringLiteral("דף עבודה – %1").arg(name);
    const auto options = m_context.dialogs.worksheetOptions(this, title, rememberedOptions(settings()));
    if (!options)
        return;
    remember(settings(), *options);
    const QList<Worksheet::Sheet> sheets{{*prepared.content, Worksheet::lessonCaption(lesson.pattern, lesson.lesson)}};

    if (output == SheetOutput::Pdf) {
        const QString folder = settings().value(kFolderKey, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                   .toString();
        const QString file = QStringLiteral("worksheet-%1-%2.pdf")
                                 .arg(lesson.pattern, 2, 10, QLatin1Char('0'))
                                 .arg(lesson.lesson, 2, 10, QLatin1Char('0'));
        QString path = m_context.dialogs.pdfFile(this, QDir(folder).filePath(file));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        if (!Worksheet::writePdf(path, sheets, *options).isEmpty()) {
            m_context.dialogs.inform(this, QStringLiteral("לא ניתן לכתוב את %1: ייתכן שאין הרשאה לכתוב בתיקייה, או שהדיסק "
                                                          "מלא. שום קובץ קיים לא השתנה.")
                                               .arg(QDir::toNativeSeparators(path)));
            return;
        }
        settings().setValue(kFolderKey, QFileInfo(path).absolutePath());
        statusBar()->showMessage(QStringLiteral("דף העבודה נשמר: %1").arg(QDir::toNativeSeparators(path)), 8000);
        return;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(Worksheet::pageLayout(options->paper));
    printer.setDocName(title);
    auto paint = [&](QPrinter *device) {
        QPainter painter;
        if (!painter.begin(device))
            return false;
        Worksheet::paintSheets(painter, *device, sheets, *options);
        return painter.end();
    };
    if (output == SheetOutput::Preview) {
        m_context.dialogs.preview(this, title, printer, paint);
    } else if (m_context.dialogs.print(this, printer) && !paint(&printer)) {
        m_context.dialogs.inform(this, QStringLiteral("ההדפסה נכשלה: המדפסת שנבחרה אינה זמינה. אפשר לנסות שוב או לבחור "
                                                      "מדפסת אחרת."));
    }
}
