#include "worksheet_fixtures.h"

#include <QStringList>

namespace WorksheetFixtures {

namespace {

QString crlf(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString lessonText(int lesson)
{
    switch (lesson) {
    case kTypedAnswers:
        return crlf({QStringLiteral("Write the short forms."),
                     QStringLiteral("1. She &isn't& at school today."),
                     QStringLiteral("2. My friends &aren't& here, they &are not& ready."),
                     QStringLiteral("3. We &don't know& (not know) the way."),
                     QStringLiteral("4. &It's& (it is) cold, and I& am& a pupil&&.")});
    case kFiftyGaps: {
        QStringList lines{QStringLiteral("Fifty gaps: write the words.")};
        for (int row = 1; row <= 25; ++row)
            lines << QStringLiteral("%1. Write &w%1a& and &w%1b& here.").arg(row);
        for (int row = 26; row <= 49; ++row)
            lines << QStringLiteral("%1. Read the row again.").arg(row);
        return crlf(lines);
    }
    case kHebrewHeading:
        return crlf({QStringLiteral("השלימו את הפעלים בזמן הווה."),
                     QStringLiteral("1. Dana &walks& (walk) to school."),
                     QStringLiteral("2. The cat &sleeps& (sleep) all day."),
                     QStringLiteral("3. Tom &doesn't like& (not like) fish.")});
    case kLongStory: {
        const QStringList verbs{QStringLiteral("jumped"), QStringLiteral("barked"), QStringLiteral("slept"),
                                QStringLiteral("walked"), QStringLiteral("smiled"), QStringLiteral("cried"),
                                QStringLiteral("laughed"), QStringLiteral("waited"), QStringLiteral("looked")};
        QStringList lines{QStringLiteral("A long story: the past simple.")};
        for (int row = 1; row <= 90; ++row) {
            if (row % 10 == 0)
                lines << QStringLiteral("%1. Then the fox &%2& again.").arg(row).arg(verbs.at(row / 10 - 1));
            else
                lines << QStringLiteral("%1. This is row %1 of the story.").arg(row);
        }
        return crlf(lines);
    }
    case kUnclosed:
        return crlf({QStringLiteral("Fill in."), QStringLiteral("1. She &is& here."), QStringLiteral("2. We &are there.")});
    }
    return QString();
}

QList<Lessons::StoredLesson> rows()
{
    QList<Lessons::StoredLesson> list;
    for (int lesson = kTypedAnswers; lesson <= kUnclosed; ++lesson)
        list.append({kPattern, lesson, lessonText(lesson), false});
    list.append({kRefusedPattern, 1, QStringLiteral("Fill &in&\r\n1. She &is& here."), false});
    return list;
}

} // namespace WorksheetFixtures
