// The program's entry point. The application object already exists (static initialisation);
// the resources go to the platform before the first window is made.

#include "app/MyDrunoApp.h"
#include "res/Resources.h"

int main(int argc, char** argv) {
    res::Install();
    return theApp.Run(argc, argv);
}
