#include "editor_rig.h"

#include "lessons/patterns.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"

#include <QTextBlock>

const QList<Lessons::StoredLesson> EditorRig::kLessons = {
    {24, 1, QStringLiteral("Write the verb.\r\n1. She &plays& (play) the piano.\r\n2. We &live& (live) here."), false},
    {24, 2, QStringLiteral("Write the verb again.\r\n1. He &works& (work) at home."), false},
    {5, 1, QStringLiteral("Write can or can't.\r\n1. Fish &can't& fly."), false},
};

EditorRig::EditorRig()
{
    const auto made = Lessons::SqliteWriter::createStore(storePath(), kLessons, Lessons::SqliteWriter::Existing::Refuse);
    if (!made.ok())
        qFatal("no store: %s", qPrintable(made.error));
}

EditorWindow &EditorRig::start()
{
    m_window = std::make_unique<EditorWindow>(EditorContext{dialogs, sound, m_program.path(), m_program.path(),
                                                            m_recovery.path(), m_settings.filePath(QStringLiteral("editor.ini"))});
    m_window->show();
    return *m_window;
}

bool EditorRig::open(int pattern, int lesson, const QString &typed)
{
    start().openProgramStore();
    if (lesson != 0 && !choose(pattern, lesson))
        return false;
    type(typed);
    return true;
}

void EditorRig::type(const QString &keys)
{
    QTest::keyClicks(text(), keys);
    QApplication::processEvents();
}

void EditorRig::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(text(), key, modifiers);
    QApplication::processEvents();
}

void EditorRig::trigger(const char *name)
{
    control(name)->trigger();
    QApplication::processEvents();
}

QTreeWidgetItem *EditorRig::item(int pattern, int lesson) const
{
    for (QTreeWidgetItem *entry : tree()->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive)) {
        const QTreeWidgetItem *top = entry->parent() ? entry->parent() : entry;
        if (Patterns::patternNumberFromEntry(top->text(0).left(3)) == pattern
            && (lesson == 0 ? entry == top : Patterns::lessonNumberFromEntry(entry->text(0)) == lesson))
            return entry;
    }
    return nullptr;
}

bool EditorRig::choose(int pattern, int lesson)
{
    QTreeWidgetItem *entry = item(pattern, lesson);
    if (!entry)
        return false;
    tree()->scrollToItem(entry);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(entry).center());
    return tree()->currentItem() == entry;
}

void EditorRig::clickText(int line, int column, bool doubleClick)
{
    LessonTextEdit *edit = text();
    QTextCursor cursor(edit->document()->findBlockByNumber(line - 1));
    cursor.setPosition(cursor.position() + column - 1);
    const QPoint at = edit->cursorRect(cursor).center() + QPoint(2, 0);
    if (doubleClick)
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

QString EditorRig::findingTexts() const
{
    QStringList texts;
    for (int i = 0; i < findings()->count(); ++i)
        texts << findings()->item(i)->text();
    return texts.join(QLatin1Char('\n'));
}

QStringList EditorRig::pupilsList(int pattern) const
{
    QStringList entries;
    const auto listing = Lessons::programLessonStore(m_program.path())->lessons(pattern);
    for (const Lessons::LessonInfo &info : listing.value.value_or(QList<Lessons::LessonInfo>()))
        entries << Patterns::lessonEntry(info.lesson, info.heading).simplified();
    return entries;
}
