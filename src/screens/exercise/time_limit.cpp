#include "screens/exercise/time_limit.h"

#include "state/numbers.h"
#include "state/variables.h"

#include <limits>

namespace TimeLimit {

Tick tick(Variables &state)
{
    Tick result;
    result.progress = int(Numbers::roundHalfEven((kTicks - state.TicksLeft) / double(kTicks) * 100.0));
    state.TicksLeft = int16_t(state.TicksLeft - 1);
    result.timeUp = state.TicksLeft < 0;
    return result;
}

std::optional<int> tickIntervalMs(const QString &minutesSetting)
{
    const auto minutes = Numbers::readDecimal(minutesSetting);
    if (!minutes || *minutes < 0)
        return std::nullopt;
    const double ms = Numbers::roundHalfEven(*minutes * 1000.0);
    if (ms > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(ms);
}

} // namespace TimeLimit
