#include "state/variables.h"

Variables &variables()
{
    static Variables instance;
    return instance;
}
