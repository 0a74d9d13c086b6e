#include "screens/results/feedback.h"

#include <algorithm>

namespace Feedback {

Band bandOf(int grade)
{
    if (grade >= 90 && grade <= 100)
        return Band::High;
    if (grade >= 55 && grade <= 89)
        return Band::Middle;
    if (grade >= 0 && grade <= 54)
        return Band::Low;
    if (grade < 0)
        return Band::Negative;
    return Band::AboveHundred;
}

const QStringList &messages(Band band)
{
    static const QStringList high = {
        QStringLiteral("אתה מלך"),
        QStringLiteral("נהדר עבודה מעולה"),
        QStringLiteral("תמסור להורים שאתה מעולה"),
        QStringLiteral("אתה על הסוס"),
        QStringLiteral("אתה 100"),
    };
    static const QStringList middle = {
        QStringLiteral("אתה כמעט על הסוס"),
        QStringLiteral("לא רע בכלל"),
        QStringLiteral("הצלחת,מחיאות כפיים"),
        QStringLiteral("יפה אך אפשר יותר"),
        QStringLiteral("ציון טוב אך אפשר לשפר"),
    };
    static const QStringList low = {
        QStringLiteral("הסבתא שלך עושה זאת טוב יותר"),
        QStringLiteral("תביא מכתב מההורים שלך"),
        QStringLiteral("רצוי שתחזור על החומר כדי להצליח"),
        QStringLiteral("אם תרצו אין זו אגדה,למד ותצליח"),
        QStringLiteral("לא נורא נסה בפעם הבאה להצליח"),
        QStringLiteral("אל תתיאש חזק ותתחזק"),
        QStringLiteral("מדוע לא תתרכז ותעשה זאת טוב יותר"),
        QStringLiteral("גם הסבא שלך עושה זאת טוב יותר"),
        QStringLiteral("רצוי שההורים שלך יתנו לך מכתב"),
        QStringLiteral("לא תראה טלוויזיה היום אם תמשיך כך"),
    };
    static const QStringList negative = {QStringLiteral("עליך לתרגל עוד על מנת להצליח")};
    static const QStringList none;
    switch (band) {
    case Band::High:
        return high;
    case Band::Middle:
        return middle;
    case Band::Low:
        return low;
    case Band::Negative:
        return negative;
    case Band::AboveHundred:
        break;
    }
    return none;
}

int messagePick(double uniform)
{
    return std::clamp(int(uniform * 10.0), 0, 9);
}

std::optional<QString> message(int grade, int pick)
{
    const Band band = bandOf(grade);
    const QStringList &list = messages(band);
    if (list.isEmpty())
        return std::nullopt;
    switch (band) {
    case Band::High:
    case Band::Middle:
        return list.at(pick % 5);
    case Band::Low:
        return list.at(pick);
    default:
        return list.first();
    }
}

QString soundFor(int grade)
{
    return grade <= 55 ? kLaugh : kApplause;
}

} // namespace Feedback
