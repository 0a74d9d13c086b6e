#include "lessons/patterns.h"

#include <cstdio>

// Until the screens exist the program lists the grammar patterns it offers.
int main()
{
    for (const QString &entry : Patterns::patternListEntries())
        std::printf("%s\n", entry.toUtf8().constData());
    return 0;
}
