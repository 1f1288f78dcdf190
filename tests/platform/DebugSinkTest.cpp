// The debug output as a reader of the standard error stream gets it, from a process of its own:
// every line, in order, while the program runs, when it ends and when a fatal signal ends it.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
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

// Reads the child's error stream: every "line N" in order, each gap between them filled by a
// note that says how many lines are missing there. Returns the lines accounted for (arrived or
// noted) and sets dropped to those noted; stops with a failure at the first line out of place.
int AccountedLines(const std::string& output, int* dropped) {
    int next = 0;
    *dropped = 0;
    std::size_t at = 0;
    while (at < output.size()) {
        const std::size_t end = output.find('\n', at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "an unfinished last line: " << output.substr(at);
            break;
        }
        const std::string line = output.substr(at, end - at);
        at = end + 1;
        int n = 0;
        char tail = 0;
        if (std::sscanf(line.c_str(), "(%d lines of debug output dropped%c", &n, &tail) == 2 &&
            tail == ')' && n > 0) {
            next += n;
            *dropped += n;
        } else if (line == "line " + std::to_string(next)) {
            ++next;
        } else {
            ADD_FAILURE() << "expected line " << next << ", found: " << line;
            break;
        }
    }
    return next;
}

struct LateCase {
    const char* name;
    int lines;
    bool dropsSome;  // more than the lines waiting for the stream may hold
};

void PrintTo(const LateCase& c, std::ostream* out) {
    *out << c.name;
}

class DebugOutputReadLate : public testing::TestWithParam<LateCase> {};

// A reader that comes late to a pipe of one page (the child waits until it comes, so nothing
// hangs on timing): the lines that waited reach it in order, and where the program had to drop
// some, a note stands in their place with their number. Nothing goes missing unsaid.
TEST_P(DebugOutputReadLate, GetsEveryLineOrANoteForIt) {
    const LateCase& c = GetParam();
    ChildOptions options = Child("late");
    options.arguments.push_back(std::to_string(c.lines));
    options.errorStream = ErrorStream::OnePage;
    ChildProcess child;
    ASSERT_TRUE(child.Start(options));
    ASSERT_TRUE(child.WaitForOutput("stalled\n"));
    const ChildEnd end = child.Wait();

    ASSERT_TRUE(end.exited && end.exitCode == 0);
    int dropped = 0;
    EXPECT_EQ(AccountedLines(child.ErrorOutput(), &dropped), c.lines);
    if (c.dropsSome) {
        EXPECT_GT(dropped, 0);
    } else {
        EXPECT_EQ(dropped, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, DebugOutputReadLate,
                         testing::Values(LateCase{"allHeld", 3010, false},
                                         LateCase{"overflowing", 40000, true}),
                         [](const testing::TestParamInfo<LateCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
