#include "screens/app_start.h"

int main(int argc, char **argv)
{
    return ClozeApp::run(argc, argv);
}
