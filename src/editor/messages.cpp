#include "editor/messages.h"

#include "lessons/patterns.h"

namespace Editor::Messages {

using Lessons::SqliteWriter::Failure;

QString openFailed(const QString &path)
{
    return QStringLiteral("לא ניתן לפתוח את %1: הקובץ חסר, פגום, אינו מאגר שיעורים, או שאין הרשאה לקרוא אותו. "
                          "שום דבר לא השתנה.")
        .arg(path);
}

QString saveFailed(Failure failure)
{
    const QString kept = QStringLiteral(" המאגר נשאר כפי שהיה, והשינויים שלך נשארים בחלון.");
    switch (failure) {
    case Failure::None:
        return QString();
    case Failure::Locked:
        return QStringLiteral("תוכנית אחרת תופסת את המאגר כרגע, ולכן השמירה לא בוצעה.") + kept
            + QStringLiteral(" נסו לשמור שוב בעוד רגע.");
    case Failure::ReadOnly:
        return QStringLiteral("אין הרשאה לכתוב בקובץ המאגר או בתיקייה שלו, ולכן השמירה לא בוצעה.") + kept;
    case Failure::WriteFailed:
        return QStringLiteral("הכתיבה לדיסק נכשלה (ייתכן שהדיסק מלא), ולכן השמירה לא בוצעה.") + kept;
    case Failure::Changed:
        return QStringLiteral("תוכנית אחרת שינתה את המאגר מאז שנפתח, ולכן השמירה לא בוצעה.") + kept;
    case Failure::NotAStore:
        return QStringLiteral("קובץ המאגר חסר, פגום או שאינו מאגר שיעורים, ולכן השמירה לא בוצעה.") + kept;
    case Failure::Other:
        break;
    }
    return QStringLiteral("השמירה לא הצליחה.") + kept;
}

QString readOnly(ReadOnly why)
{
    switch (why) {
    case ReadOnly::No:
        return QString();
    case ReadOnly::Access:
        return QStringLiteral("זהו מאגר Access: הוא נפתח לקריאה בלבד, והעורך לעולם אינו משנה אותו. "
                              "כדי לערוך את שיעוריו, העתיקו אותו למאגר SQLite חדש.");
    case ReadOnly::NotWritable:
        return QStringLiteral("אין הרשאה לשמור בקובץ זה, ולכן הוא נפתח לקריאה בלבד. "
                              "אפשר להעתיק אותו למאגר SQLite חדש ולערוך שם.");
    case ReadOnly::NoRowIds:
        return QStringLiteral("הטבלה במאגר זה בנויה כך שהעורך אינו יכול לשמור בה, ולכן הוא נפתח לקריאה בלבד. "
                              "אפשר להעתיק אותו למאגר SQLite חדש ולערוך שם.");
    }
    return QString();
}

QString hidden(Hidden why)
{
    switch (why) {
    case Hidden::No:
        return QString();
    case Hidden::UnnamedPattern:
        return QStringLiteral("תבנית ללא שם: לא מוצג לתלמידים");
    case Hidden::OutOfRange:
        return QStringLiteral("מספר שיעור מחוץ לטווח 1 עד 99: לא מוצג לתלמידים");
    case Hidden::SecondRow:
        return QStringLiteral("שורה נוספת לאותו מספר: התלמידים רואים רק את הראשונה");
    case Hidden::EmptyText:
        return QStringLiteral("טקסט ריק: לא מוצג לתלמידים");
    }
    return QString();
}

QString lessonName(int pattern, int lesson)
{
    return QStringLiteral("תבנית %1, שיעור %2").arg(pattern).arg(lesson);
}

QString listEntry(const ListedRow &row)
{
    const QString heading = row.heading.simplified();
    if (row.hidden == Hidden::No)
        return Patterns::lessonEntry(row.lesson, heading);
    return QStringLiteral("%1/%2  %3  — %4").arg(row.pattern).arg(row.lesson).arg(heading, hidden(row.hidden));
}

} // namespace Editor::Messages
