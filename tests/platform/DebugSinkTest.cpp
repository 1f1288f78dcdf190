// The debug output as a reader of the standard error stream gets it, from a process of its own:
// every line, in order, while the program runs, when it ends and when a fatal signal ends it.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

using namespace testing_support;

namespace {

// The numbered lines the child writes: from..to-1, each once and in order.
std::string Lines(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
        text += "line " + std::to_string(i) + "\n";
    }
    return text;
}

ChildOptions Child(const char* mode) {
    ChildOptions options;
    options.program = DEBUG_SINK_CHILD;
    options.arguments = {mode};
    return options;
}

// Lines wait for the program to fall idle, but no longer.
TEST(DebugOutput, ReachesTheStreamWhileTheProgramIdles) {
    ChildProcess child;
    ASSERT_TRUE(child.Start(Child("idle")));
    EXPECT_TRUE(child.WaitForErrorOutput(Lines(0, 3000)));
    child.Signal(SIGKILL);
    child.Wait();
    EXPECT_EQ(child.ErrorOutput(), Lines(0, 3000));
}

struct EndCase {
    const char* mode;
    bool fatal;  // ended by a signal
    int lines;   // written before the end
};

void PrintTo(const EndCase& c, std::ostream* out) {
    *out << c.mode;
}

class DebugOutputAtTheEnd : public testing::TestWithParam<EndCase> {};

// What was written last before the end is on the stream too. The signal still ends the process
// (under a sanitizer its own handler, which comes after ours, may choose how).
TEST_P(DebugOutputAtTheEnd, HoldsEveryLine) {
    const EndCase& c = GetParam();
    ChildProcess child;
    ASSERT_TRUE(child.Start(Child(c.mode)));
    const ChildEnd end = child.Wait();

    ASSERT_FALSE(end.hung);
    if (!c.fatal) {
        EXPECT_TRUE(end.exited && end.exitCode == 0);
        EXPECT_EQ(child.ErrorOutput(), Lines(0, c.lines));
    } else {
        EXPECT_FALSE(end.exited && end.exitCode == 0) << "the signal was swallowed";
        EXPECT_EQ(child.ErrorOutput().substr(0, Lines(0, c.lines).size()), Lines(0, c.lines));
    }
}

INSTANTIATE_TEST_SUITE_P(Ends, DebugOutputAtTheEnd,
                         testing::Values(EndCase{"exit", false, 3010},
                                         EndCase{"exit_call", false, 3000},
                                         EndCase{"abort", true, 3000}, EndCase{"segv", true, 3000}),
                         [](const testing::TestParamInfo<EndCase>& info) {
                             return std::string(info.param.mode);
                         });

// A line handed over in pieces reaches the stream as the same line handed over whole: the
// child writes its lines both ways, the lines in pieces first.
TEST(DebugOutput, LinesInPiecesAreWrittenAsTheJoinedLine) {
    ChildProcess child;
    ASSERT_TRUE(child.Start(Child("pieces")));
    const ChildEnd end = child.Wait();
    ASSERT_TRUE(end.exited && end.exitCode == 0);
    const std::string& output = child.ErrorOutput();
    ASSERT_EQ(output.size() % 2, 0u) << output;
    const std::string inPieces = output.substr(0, output.size() / 2);
    EXPECT_EQ(inPieces, output.substr(output.size() / 2));
    EXPECT_TRUE(inPieces.starts_with("CA::Name() {\n")) << inPieces;
    EXPECT_NE(inPieces.find("} Zur\xc3\xbc"
                            "cksetzen \xc3\xa4\xc3\xb6\xc3\x9f (\xf0\x9f\x98\x80 smile)\n"),
              std::string::npos);
    // A surrogate without its partner is written as '?', as the rest of the program writes it.
    EXPECT_TRUE(inPieces.ends_with(" smile)\n?xtwo\nlines\n\n")) << inPieces;
}

}  // namespace
