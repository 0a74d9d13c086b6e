#include "screens/exercise/gap_speech.h"

#include "lessons/cloze_builder.h"

namespace GapSpeech {

namespace {

const QString kBlank = QStringLiteral("___");
const QString kOtherGap = QStringLiteral("...");

QString attemptsLeft(int triesLeft)
{
    if (triesLeft == 1)
        return QStringLiteral("נשאר עוד נסיון אחד");
    return QStringLiteral("נשארו עוד %1 נסיונות").arg(triesLeft);
}

} // namespace

QString name(int gap, int gapCount)
{
    return QStringLiteral("השלמה %1 מתוך %2").arg(gap).arg(gapCount);
}

QString wrong(int gap, int gapCount, int triesLeft)
{
    QString said = name(gap, gapCount) + QStringLiteral(". לא נכון");
    // With no attempts set the count runs below zero and the gap stays open: say only "wrong".
    if (triesLeft > 0)
        said += QStringLiteral(", ") + attemptsLeft(triesLeft);
    return said;
}

QString afterClose(bool right, const QString &answer)
{
    if (right)
        return QStringLiteral("נכון!");
    return QStringLiteral("נגמרו הנסיונות. התשובה: %1.").arg(answer);
}

QString closed(int gap, const QString &answer, bool right)
{
    return QStringLiteral("השלמה %1: %2. %3")
        .arg(gap)
        .arg(answer, right ? QStringLiteral("תשובה נכונה") : QStringLiteral("נגמרו הנסיונות"));
}

QStringList sentences(const Cloze::Lesson &lesson)
{
    // Gaps are numbered over every line, as the builder numbers them.
    QStringList said;
    for (const QString &line : lesson.lines) {
        const QList<Cloze::GapSpan> gaps = Cloze::scanGaps(line);
        for (int own = 0; own < gaps.size(); ++own) {
            QString sentence;
            for (int i = 0; i < gaps.size(); ++i)
                sentence += gaps[i].runBefore(line) + (i == own ? kBlank : kOtherGap);
            sentence += line.mid(gaps.last().close + 1);
            said << sentence.simplified();
        }
    }
    return said;
}

} // namespace GapSpeech
