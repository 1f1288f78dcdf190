// The harness that runs programs in processes of their own: a program that ignores the signal
// meant to end it must fail its test soon, killed, and leave the rest of the run going.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>

using namespace testing_support;

namespace {

TEST(ChildProcess, AChildThatIgnoresTheEndingSignalIsKilledAndMarkedHung) {
    ChildOptions options;
    options.program = "/bin/sh";
    options.arguments = {"-c", "trap '' TERM; echo ready; exec sleep 600"};
    options.endWait = std::chrono::milliseconds(500);
    ChildProcess child;
    ASSERT_TRUE(child.Start(options));
    ASSERT_TRUE(child.WaitForOutput("ready\n"));
    child.Signal(SIGTERM);
    const ChildEnd end = child.Wait();

    EXPECT_TRUE(end.hung);
    EXPECT_FALSE(end.exited);
    EXPECT_EQ(end.signal, SIGKILL);
}

TEST(ChildProcess, AChildThatEndsOnTheSignalIsNotHung) {
    ChildOptions options;
    options.program = "/bin/sh";
    options.arguments = {"-c", "echo ready; exec sleep 600"};
    ChildProcess child;
    ASSERT_TRUE(child.Start(options));
    ASSERT_TRUE(child.WaitForOutput("ready\n"));
    child.Signal(SIGTERM);
    const ChildEnd end = child.Wait();

    EXPECT_FALSE(end.hung);
    EXPECT_EQ(end.signal, SIGTERM);
}

}  // namespace
