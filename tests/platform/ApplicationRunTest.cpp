// The application's whole life as Run() leads it: it makes the QApplication itself, so this
// test has no application object of its own.

#include "platform/framework/Application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

namespace {

class RunApp : public platform::Application {
public:
    explicit RunApp(bool starts)
        : platform::Application(QStringLiteral("RunTest")), m_starts(starts) {}

    bool InitInstance() override {
        ++initCalls;
        if (m_starts) {
            QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
        }
        return m_starts;
    }
    int ExitInstance() override {
        ++exitCalls;
        return platform::Application::ExitInstance();
    }

    int initCalls = 0;
    int exitCalls = 0;

private:
    bool m_starts;
};

// A start that fails ends at once: no message loop and no exit step, which would store
// settings the program never read.
TEST(ApplicationRun, TheExitStepFollowsOnlyASuccessfulStart) {
    struct Case {
        bool starts;
        int exitCalls;
        int exitCode;
    };
    for (const Case& c : {Case{true, 1, 3}, Case{false, 0, 1}}) {
        SCOPED_TRACE(c.starts);
        RunApp app(c.starts);
        char name[] = "run_test";
        char* argv[] = {name, nullptr};
        int argc = 1;
        EXPECT_EQ(app.Run(argc, argv), c.exitCode);
        EXPECT_EQ(app.initCalls, 1);
        EXPECT_EQ(app.exitCalls, c.exitCalls);
    }
}

}  // namespace
