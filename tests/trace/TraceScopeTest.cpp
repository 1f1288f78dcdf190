#include "platform/core/Debug.h"
#include "trace/TraceScope.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

// Captures what the trace hands to the debug output.
class TraceLines : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDebugObserver([this](const QString& text) { written << text; });
    }
    void TearDown() override { platform::SetDebugObserver({}); }

    QStringList written;
};

TEST_F(TraceLines, ExitLineCarriesTheLastNonEmptyResult) {
    { CTraceScope trace(QStringLiteral("CA::NoResult()")); }
    {
        CTraceScope trace(QStringLiteral("CA::EmptyResult()"));
        trace.SetResult(QString());
    }
    {
        CTraceScope trace(QStringLiteral("CA::Twice()"));
        trace.SetResult(QStringLiteral("0 /* OK */"));
        trace.SetResult(QStringLiteral("-1 /* error */"));
    }
    EXPECT_EQ(written, (QStringList{"CA::NoResult() {\n", "} CA::NoResult()\n",
                                    "CA::EmptyResult() {\n", "} CA::EmptyResult()\n",
                                    "CA::Twice() {\n", "} CA::Twice() (-1 /* error */)\n"}));
}

int LeavesEarly(bool fail) {
    CTraceScope trace(QStringLiteral("CA::LeavesEarly()"));
    if (fail) {
        trace.SetResult(QStringLiteral("-1 /* error */"));
        return -1;
    }
    {
        CTraceScope inner(QStringLiteral("CA::Inner()"));
        inner.LogFormat("index=%d", 4);
    }
    trace.SetResult(QStringLiteral("0 /* OK */"));
    return 0;
}

TEST_F(TraceLines, EveryEntryHasItsExitOnEveryPath) {
    LeavesEarly(true);
    LeavesEarly(false);
    EXPECT_EQ(written,
              (QStringList{"CA::LeavesEarly() {\n", "} CA::LeavesEarly() (-1 /* error */)\n",
                           "CA::LeavesEarly() {\n", "CA::Inner() {\n", "index=4\n",
                           "} CA::Inner()\n", "} CA::LeavesEarly() (0 /* OK */)\n"}));
}

TEST_F(TraceLines, LogPassesItsTextOnUnchanged) {
    CTraceScope trace(QStringLiteral("CA::Logs()"));
    written.clear();
    trace.Log(QString());
    trace.Log(QStringLiteral("{VOQDBGLOG}"));
    trace.Log(QStringLiteral("two\nlines"));
    EXPECT_EQ(written, (QStringList{"\n", "{VOQDBGLOG}\n", "two\nlines\n"}));
}

TEST_F(TraceLines, NothingGoesToTheDebugOutputWhileSwitchedOff) {
    s_bDebugOutput = false;
    TraceOutput(QStringLiteral("hidden"));
    s_bDebugOutput = true;
    TraceOutput(QStringLiteral("shown"));
    EXPECT_EQ(written, QStringList{"shown\n"});
}

}  // namespace
