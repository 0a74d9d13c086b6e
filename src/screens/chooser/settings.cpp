#include "screens/chooser/settings.h"

#include "screens/exercise/time_limit.h"
#include "state/numbers.h"

namespace Settings {

Check check(const Texts &texts, bool timeLimitOn, int gapCount)
{
    Check result;
    auto wholeFromOne = [&texts](int index) -> std::optional<int16_t> {
        const auto value = Numbers::readWholeInt16(texts[index]);
        if (value && *value >= 1)
            return value;
        return std::nullopt;
    };
    const auto attempts = wholeFromOne(Attempts);
    if (!attempts)
        result.refusals.append({Attempts, QStringLiteral("מספר הנסיונות צריך להיות מספר שלם מ-1 עד 32767.")});
    const auto credit = wholeFromOne(Credit);
    if (!credit)
        result.refusals.append({Credit, QStringLiteral("הזיכוי צריך להיות מספר שלם מ-1 עד 32767.")});
    const auto debit = Numbers::readDecimal(texts[Debit]);
    if (!debit || *debit < 0)
        result.refusals.append({Debit, QStringLiteral("החיוב צריך להיות מספר, 0 או יותר.")});
    std::optional<int> tickMs = 0;
    if (timeLimitOn) {
        tickMs = TimeLimit::tickIntervalMs(texts[Time]);
        if (!tickMs)
            result.refusals.append({Time, QStringLiteral("הזמן צריך להיות מספר דקות, 0 או יותר.")});
    }
    if (result.refusals.isEmpty() && gapCount == 0)
        result.refusals.append({-1, QStringLiteral("בשיעור זה אין מילים להשלים. נא לבחור שיעור אחר.")});
    if (result.refusals.isEmpty())
        result.accepted = Accepted{texts, *tickMs, *attempts, *credit, *debit};
    return result;
}

} // namespace Settings
