#pragma once

// A program started in a process of its own, with its standard streams set up the way a fault
// needs them: an error stream closed, a pipe nobody reads, a reader that has gone. Every wait
// ends after a minute at most, so that a child that hangs fails its test instead of the run.

#include <string>
#include <vector>

namespace testing_support {

enum class ErrorStream {
    Collected,   // a pipe the test reads to the end
    Closed,      // descriptor 2 closed, as `program 2>&-`
    Unread,      // a pipe of one page that nobody reads
    ReaderGone,  // a pipe whose reader has gone before the child starts
};

struct ChildOptions {
    std::string program;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;  // "NAME=value", on top of the test's own
    ErrorStream errorStream = ErrorStream::Collected;
};

struct ChildEnd {
    bool hung = false;  // killed after the minute
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
    void Signal(int signal) const;
    // Waits until the child has ended and, with ErrorStream::Collected, its error stream is
    // read to the end.
    ChildEnd Wait();

    const std::string& ErrorOutput() const { return m_error; }

private:
    static bool WaitFor(int fd, std::string& text, const std::string& wanted);

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
