#pragma once

class Main;
class Results;

namespace results_module {

/// Shows the results of the exercise that just ended: the grade already stands on the
/// results screen; a message of its band is picked and its sound played.
void ShowResults(Main &exerciseScreen, Results &results);

} // namespace results_module
