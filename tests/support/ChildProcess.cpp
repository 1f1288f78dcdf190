#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>

extern char** environ;

namespace testing_support {

namespace {

constexpr auto kGuard = std::chrono::minutes(1);

int MsLeft(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Reads what is there; false at the end of the stream.
bool ReadInto(int fd, std::string& text) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
    return n < 0 && errno == EINTR;
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (m_pid > 0 && !m_end.exited && m_end.signal == 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    CloseFd(m_pidFd);
    CloseFd(m_out);
    CloseFd(m_err);
    CloseFd(m_unread);
}

bool ChildProcess::Start(const ChildOptions& options) {
    m_endWait = options.endWait;
    int out[2];
    int err[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (options.errorStream == ErrorStream::Closed) {
        posix_spawn_file_actions_addclose(&actions, STDERR_FILENO);
    } else {
        if (::pipe2(err, O_CLOEXEC) != 0) {
            return false;
        }
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        if (options.errorStream == ErrorStream::Unread ||
            options.errorStream == ErrorStream::OnePage) {
            ::fcntl(err[0], F_SETPIPE_SZ, 4096);
        } else if (options.errorStream == ErrorStream::ReaderGone) {
            CloseFd(err[0]);
        }
    }

    // The options' variables take the place of the test's own of the same name: a process
    // that finds a name twice reads the first.
    const auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string name = nameOf(*entry);
        if (std::none_of(options.environment.begin(), options.environment.end(),
                         [&](const std::string& own) { return nameOf(own) == name; })) {
            environment.emplace_back(*entry);
        }
    }
    environment.insert(environment.end(), options.environment.begin(), options.environment.end());
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> arguments{options.program};
    arguments.insert(arguments.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    const int spawned =
        ::posix_spawn(&m_pid, options.program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    m_out = out[0];
    if (err[1] >= 0) {
        ::close(err[1]);
    }
    if (options.errorStream == ErrorStream::Unread) {
        m_unread = err[0];  // kept open, never read
    } else if (options.errorStream == ErrorStream::Collected ||
               options.errorStream == ErrorStream::OnePage) {
        m_err = err[0];
    }
    if (spawned != 0) {
        m_pid = -1;
        return false;
    }
    m_pidFd = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
    return m_pidFd >= 0;
}

bool ChildProcess::WaitFor(int fd, std::string& text, const std::string& wanted) {
    const auto deadline = std::chrono::steady_clock::now() + kGuard;
    while (text.find(wanted) == std::string::npos) {
        pollfd ready{fd, POLLIN, 0};
        if (fd < 0 || ::poll(&ready, 1, MsLeft(deadline)) <= 0 || !ReadInto(fd, text)) {
            return false;
        }
    }
    return true;
}

bool ChildProcess::WaitForOutput(const std::string& text) {
    return WaitFor(m_out, m_output, text);
}

bool ChildProcess::WaitForErrorOutput(const std::string& text) {
    return WaitFor(m_err, m_error, text);
}

void ChildProcess::Signal(int signal) {
    if (m_pid > 0) {
        ::kill(m_pid, signal);
        if (!m_endDeadline) {
            m_endDeadline = std::chrono::steady_clock::now() + m_endWait;
        }
    }
}

ChildEnd ChildProcess::Wait() {
    if (m_pid <= 0) {
        return m_end;
    }
    const auto deadline =
        std::min(std::chrono::steady_clock::now() + kGuard,
                 m_endDeadline.value_or(std::chrono::steady_clock::time_point::max()));
    bool ended = false;
    while (!ended || m_err >= 0 || m_out >= 0) {
        pollfd ready[3] = {
            {ended ? -1 : m_pidFd, POLLIN, 0}, {m_err, POLLIN, 0}, {m_out, POLLIN, 0}};
        if (::poll(ready, 3, MsLeft(deadline)) <= 0) {
            m_end.hung = true;
            ::kill(m_pid, SIGKILL);
            break;
        }
        ended = ended || (ready[0].revents & POLLIN) != 0;
        if (ready[1].revents != 0 && !ReadInto(m_err, m_error)) {
            CloseFd(m_err);
        }
        if (ready[2].revents != 0 && !ReadInto(m_out, m_output)) {
            CloseFd(m_out);
        }
    }
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_end.exited = WIFEXITED(status);
    m_end.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    if (m_end.hung) {
        m_end.exited = false;
    }
    m_pid = -1;
    return m_end;
}

}  // namespace testing_support
