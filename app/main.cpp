// The program's entry point. The application object already exists (static initialisation);
// the resources go to the platform before the first window is made.

#include "app/CommandLine.h"
#include "app/MyDrunoApp.h"
#include "res/Resources.h"

int main(int argc, char** argv) {
    // --help and --version answer before any window or setting is touched.
    if (const auto exitCode = druno::AnswerInfoOption(argc, argv, stdout)) {
        return *exitCode;
    }
    res::Install();
    return theApp.Run(argc, argv);
}
