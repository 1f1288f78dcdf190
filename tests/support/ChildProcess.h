#pragma once

// A program started in a process of its own, with its standard streams set up the way a fault
// needs them: an error stream closed, a pipe nobody reads, a reader that has gone. Every wait
// ends after a minute at most, and the wait for a child that was asked to end after endWait,
// so that a child that hangs is killed and fails its test instead of the run.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

enum class ErrorStream {
    Collected,   // a pipe the test reads to the end
    OnePage,     // a pipe of one page, read (to the end) only once the test waits on it
    Closed,      // descriptor 2 closed, as `program 2>&-`
    Unread,      // a pipe of one page that nobody reads
    ReaderGone,  // a pipe whose reader has gone before the child starts
};

struct ChildOptions {
    std::string program;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;  // "NAME=value", in place of the test's own
    ErrorStream errorStream = ErrorStream::Collected;
    // How long a child may take to end once it has been sent a signal.
    std::chrono::milliseconds endWait = std::chrono::seconds(15);
};

struct ChildEnd {
    bool hung = false;  // killed when a wait ran out
    bool exited = false;
    int exitCode = -1;
    int signal = 0;  // the signal that ended it, when it did not exit
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const ChildOptions& options);
    // Wait until the child has written the text to its standard output, or (ErrorStream::
    // Collected) to its error stream.
    bool WaitForOutput(const std::string& text);
    bool WaitForErrorOutput(const std::string& text);
    void Signal(int signal);
    // Waits until the child has ended and, with ErrorStream::Collected, its error stream is
    // read to the end. A child still there when the wait runs out is killed and marked hung.
    ChildEnd Wait();

    const std::string& ErrorOutput() const { return m_error; }
    // What WaitForOutput has read of the standard output so far.
    const std::string& Output() const { return m_output; }

private:
    static bool WaitFor(int fd, std::string& text, const std::string& wanted);

    std::chrono::milliseconds m_endWait{0};
    // Set by Signal: Wait gives up endWait after it.
    std::optional<std::chrono::steady_clock::time_point> m_endDeadline;
    int m_pid = -1;
    int m_pidFd = -1;
    int m_out = -1;
    int m_err = -1;
    int m_unread = -1;
    std::string m_output;
    std::string m_error;
    ChildEnd m_end;
};

}  // namespace testing_support
