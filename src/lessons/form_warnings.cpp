#include "lessons/form_warnings.h"

#include "lessons/cloze_builder.h"

#include <QRegularExpression>
#include <QStringList>

#include <utility>

namespace FormWarnings {

namespace {

struct Form
{
    QString text;      ///< as it stands in the answer, normalised
    QStringList other; ///< its common other forms
    bool isShort = false;
    QString shown;     ///< as it stands in the answer, for the message
};

// Negative short forms and their long forms.
const std::pair<const char *, const char *> kNegatives[] = {
    {"isn't", "is not"},       {"aren't", "are not"},     {"wasn't", "was not"},       {"weren't", "were not"},
    {"don't", "do not"},       {"doesn't", "does not"},   {"didn't", "did not"},       {"haven't", "have not"},
    {"hasn't", "has not"},     {"hadn't", "had not"},     {"won't", "will not"},       {"wouldn't", "would not"},
    {"can't", "cannot"},       {"couldn't", "could not"}, {"mustn't", "must not"},     {"shouldn't", "should not"},
};

const QStringList kPronouns = {QStringLiteral("i"),  QStringLiteral("you"), QStringLiteral("he"),
                               QStringLiteral("she"), QStringLiteral("it"), QStringLiteral("we"),
                               QStringLiteral("they")};
// Words whose "is" is shortened as well as the pronouns': "that's", "where's".
const QStringList kIsWords = {QStringLiteral("that"), QStringLiteral("there"), QStringLiteral("here"),
                              QStringLiteral("what"), QStringLiteral("where"), QStringLiteral("who")};

// Lower case, ’ as ', one space for any run of white space.
QString normalised(const QString &text)
{
    QString s = text.toLower();
    s.replace(QChar(0x2019), QLatin1Char('\''));
    return s.simplified();
}

QString shortOf(const QString &aux)
{
    static const QList<std::pair<QString, QString>> kShort = {
        {QStringLiteral("am"), QStringLiteral("'m")},    {QStringLiteral("is"), QStringLiteral("'s")},
        {QStringLiteral("are"), QStringLiteral("'re")},  {QStringLiteral("will"), QStringLiteral("'ll")},
        {QStringLiteral("would"), QStringLiteral("'d")},
    };
    for (const auto &[longForm, shortForm] : kShort) {
        if (longForm == aux)
            return shortForm;
    }
    return QString();
}

// Long forms of a word with 'm, 're, 's, 've, 'll or 'd; empty when it is none.
QStringList longOfSuffix(const QString &word)
{
    const int mark = int(word.indexOf(QLatin1Char('\'')));
    if (mark <= 0)
        return {};
    const QString stem = word.left(mark);
    const QString suffix = word.mid(mark);
    if (suffix == QStringLiteral("'m"))
        return {stem + QStringLiteral(" am")};
    if (suffix == QStringLiteral("'re"))
        return {stem + QStringLiteral(" are")};
    if (suffix == QStringLiteral("'ve"))
        return {stem + QStringLiteral(" have")};
    if (suffix == QStringLiteral("'ll"))
        return {stem + QStringLiteral(" will")};
    if (suffix == QStringLiteral("'d"))
        return {stem + QStringLiteral(" had"), stem + QStringLiteral(" would")};
    if (suffix == QStringLiteral("'s") && (kPronouns.contains(stem) || kIsWords.contains(stem)))
        return {stem + QStringLiteral(" is"), stem + QStringLiteral(" has")};
    return {};
}

bool endsClause(const QString &after)
{
    const QString rest = after.trimmed();
    return rest.isEmpty() || QStringLiteral(".,!?;:").contains(rest.at(0));
}

QList<Form> formsIn(const QString &answer, const QString &after)
{
    static const QRegularExpression kWord(QStringLiteral("[a-z]+(?:'[a-z]+)?"));
    const QString lower = normalised(answer);
    const QString written = answer.simplified(); // same length as lower, for the message
    QStringList words;
    QList<qsizetype> starts;
    for (auto it = kWord.globalMatch(lower); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words << m.captured();
        starts << m.capturedStart();
    }

    QList<Form> forms;
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        const QString next = words.value(i + 1);
        auto add = [&](const QString &text, QStringList other, bool isShort) {
            const QString shown = written.mid(starts.at(i), text.size());
            // "Don't" is "Do not" at the start of a sentence, "I'm" is "I am".
            if (!shown.isEmpty() && shown.at(0).isUpper()) {
                for (QString &o : other)
                    o[0] = o.at(0).toUpper();
            }
            forms.append({text, other, isShort, shown});
        };
        bool found = false;
        for (const auto &[shortForm, longForm] : kNegatives) {
            const QString s = QString::fromLatin1(shortForm);
            const QString l = QString::fromLatin1(longForm);
            if (word == s) {
                add(s, word == QStringLiteral("can't") ? QStringList{l, QStringLiteral("can not")} : QStringList{l}, true);
                found = true;
            } else if (word + QLatin1Char(' ') + next == l) {
                add(l, {s}, false);
                found = true;
            }
        }
        if (found)
            continue;
        if (word == QStringLiteral("cannot") || (word == QStringLiteral("can") && next == QStringLiteral("not"))) {
            const QString text = word == QStringLiteral("cannot") ? word : QStringLiteral("can not");
            QStringList other = {QStringLiteral("can't"), QStringLiteral("cannot"), QStringLiteral("can not")};
            other.removeAll(text);
            add(text, other, false);
            continue;
        }
        const QStringList longForms = longOfSuffix(word);
        if (!longForms.isEmpty()) {
            add(word, longForms, true);
            continue;
        }
        const bool pronounPair = kPronouns.contains(word) && !shortOf(next).isEmpty();
        const bool isPair = kIsWords.contains(word) && next == QStringLiteral("is");
        const bool lastPair = i + 2 == words.size();
        if ((pronounPair || isPair) && !(lastPair && endsClause(after)))
            add(word + QLatin1Char(' ') + next, {word + shortOf(next)}, false);
    }
    return forms;
}

bool holdsWords(const QString &place, const QString &form)
{
    const QString pattern = QStringLiteral("(?<![a-z'])") + QRegularExpression::escape(form) + QStringLiteral("(?![a-z'])");
    return place.contains(QRegularExpression(pattern));
}

// "short form(s)" with what comes right before it: a negation turns it into "long".
bool namesKind(const QString &place, bool isShort)
{
    static const QRegularExpression kShortForms(
        QStringLiteral("(?<![a-z'])(no |not |without |(?:don't|do not) (?:use|write) )?short forms?(?![a-z])"));
    static const QRegularExpression kLongForms(QStringLiteral("(?<![a-z'])(?:long|full) forms?(?![a-z])"));
    for (auto it = kShortForms.globalMatch(place); it.hasNext();) {
        const bool negated = !it.next().captured(1).isEmpty();
        if (negated != isShort)
            return true;
    }
    return !isShort && place.contains(kLongForms);
}

bool names(const QString &place, const Form &form)
{
    return holdsWords(place, form.text) || namesKind(place, form.isShort);
}

// Bracketed cues of a line, brackets inside a gap left out.
QStringList cuesOf(QString line, const QList<Cloze::GapSpan> &gaps)
{
    for (const Cloze::GapSpan &gap : gaps)
        line.replace(gap.open, gap.close - gap.open + 1, QString(gap.close - gap.open + 1, QLatin1Char(' ')));
    static const QRegularExpression kCue(QStringLiteral("\\(([^()]*)\\)"));
    QStringList cues;
    for (auto it = kCue.globalMatch(line); it.hasNext();)
        cues << normalised(it.next().captured(1));
    return cues;
}

} // namespace

QList<Warning> check(const QString &clozeText)
{
    const QString heading = normalised(Cloze::heading(clozeText));
    const QStringList lines = Cloze::splitLines(clozeText);
    QList<Warning> warnings;
    int gapNumber = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const QList<Cloze::GapSpan> gaps = Cloze::scanGaps(line);
        const QStringList cues = cuesOf(line, gaps);
        for (const Cloze::GapSpan &gap : gaps) {
            ++gapNumber;
            const QString answer = gap.answer(line);
            for (const Form &form : formsIn(answer, line.mid(gap.close + 1))) {
                bool named = names(heading, form);
                for (const QString &cue : cues)
                    named = named || names(cue, form);
                if (named)
                    continue;
                warnings.append({i + 1, gapNumber, answer, form.shown, form.other});
                break;
            }
        }
    }
    return warnings;
}

} // namespace FormWarnings
