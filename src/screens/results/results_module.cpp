#include "screens/results/results_module.h"

#include "platform/random.h"
#include "screens/exercise/main_screen.h"
#include "screens/results/feedback.h"
#include "screens/results/results_screen.h"
#include "state/numbers.h"

namespace results_module {

void ShowResults(Main &exerciseScreen, Results &results)
{
    results.show();
    exerciseScreen.hide();
    const int pick = Feedback::messagePick(Random::uniform());
    const int grade = Numbers::clampToInt16(Numbers::readDecimal(results.grade()).value_or(0.0));
    if (const auto message = Feedback::message(grade, pick))
        results.setMessage(*message);
    exerciseScreen.PlaySound(Feedback::soundFor(grade));
}

} // namespace results_module
