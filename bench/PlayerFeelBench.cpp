// What a player feels, measured for the game and for the floor program (a bare Qt main window
// of the same shape, FloorWindow.cpp) side by side, in runs that alternate between the two:
//   tap     a left press delivered to the main window through Qt's event system, handled,
//           repainted and flushed (median per tap; and process CPU per tap, all threads)
//   start   process start to the first paint of the main window, flushed
//   exit    the main window's close request to the process gone
//   memory  resident set once started and idle
//   wakes   context switches of all the process's threads in one idle second
// Both programs run on Qt's offscreen platform with FeelProbe.cpp preloaded, which drives and
// times them from inside. The game gets a settings folder of its own that lives across the
// runs, as a player's does. Prints the medians and the game's ratio to the floor.
// Usage: player_feel_bench [rounds] [taps per run] [game executable]; run by hand on a Release
// build. Another build of the game (an older one, say) can be measured beside the floor.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

std::int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

struct Program {
    std::string name;
    std::string path;
    std::string startAction;  // menu action that starts a round, if the program has one
};

// One running program under the probe.
class Child {
public:
    Child(const Program& program, const std::string& home) {
        int out[2];
        int in[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(in, O_CLOEXEC) != 0) {
            std::perror("pipe");
            std::exit(2);
        }
        m_start = MonotonicNs();
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], 3);
            ::dup2(in[0], 4);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::setenv("FEEL_PROBE_OUT", "3", 1);
            ::setenv("FEEL_PROBE_IN", "4", 1);
            ::setenv("FEEL_PROBE_ACTION", program.startAction.c_str(), 1);
            ::setenv("LD_PRELOAD", FEEL_PROBE_LIBRARY, 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
            ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
            ::execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(in[0]);
        m_out = out[0];
        m_in = in[1];
    }

    ~Child() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
        ::close(m_out);
        ::close(m_in);
    }

    std::int64_t Started() const { return m_start; }
    pid_t Pid() const { return m_pid; }

    // The next report line, or nothing when the program went quiet for long.
    std::optional<std::string> ReadLine() {
        for (;;) {
            const auto end = m_buffer.find('\n');
            if (end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            pollfd poller{m_out, POLLIN, 0};
            if (::poll(&poller, 1, 60000) <= 0) {
                return std::nullopt;
            }
            char chunk[256];
            const ssize_t got = ::read(m_out, chunk, sizeof chunk);
            if (got <= 0) {
                return std::nullopt;
            }
            m_buffer.append(chunk, static_cast<size_t>(got));
        }
    }

    void Order(const std::string& order) {
        if (::write(m_in, order.data(), order.size()) < 0) {
            std::perror("write");
        }
    }

    // Waits for the process to end; gives when it was seen gone.
    std::int64_t Wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return MonotonicNs();
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_in = -1;
    std::int64_t m_start = 0;
    std::string m_buffer;
};

std::int64_t FieldAfter(const std::string& line, const std::string& key) {
    if (line.rfind(key + " ", 0) != 0) {
        return -1;
    }
    return std::atoll(line.c_str() + key.size() + 1);
}

long StatusValue(pid_t pid, const std::string& task, const std::string& key) {
    std::ifstream status("/proc/" + std::to_string(pid) + task + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            return std::atol(line.c_str() + key.size() + 1);
        }
    }
    return 0;
}

long ContextSwitches(pid_t pid) {
    long total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = ::opendir(tasks.c_str());
    if (dir == nullptr) {
        return 0;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string task = std::string("/task/") + entry->d_name;
        total += StatusValue(pid, task, "voluntary_ctxt_switches") +
                 StatusValue(pid, task, "nonvoluntary_ctxt_switches");
    }
    ::closedir(dir);
    return total;
}

using Samples = std::map<std::string, std::vector<double>>;

// Start, memory, idle wake-ups and exit, in one life of the program.
bool MeasureLife(const Program& program, const std::string& home, Samples& samples) {
    Child child(program, home);
    const auto painted = child.ReadLine();
    if (!painted || FieldAfter(*painted, "painted") < 0) {
        return false;
    }
    samples["start ms"].push_back((FieldAfter(*painted, "painted") - child.Started()) / 1e6);

    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    samples["memory MiB"].push_back(StatusValue(child.Pid(), "", "VmRSS") / 1024.0);
    const long before = ContextSwitches(child.Pid());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    samples["idle wakes/s"].push_back(static_cast<double>(ContextSwitches(child.Pid()) - before));

    child.Order("close\n");
    const auto closing = child.ReadLine();
    if (!closing || FieldAfter(*closing, "closing") < 0) {
        return false;
    }
    const std::int64_t gone = child.Wait();
    samples["exit ms"].push_back((gone - FieldAfter(*closing, "closing")) / 1e6);
    return true;
}

bool MeasureTaps(const Program& program, const std::string& home, int taps, Samples& samples) {
    Child child(program, home);
    const auto painted = child.ReadLine();
    if (!painted) {
        return false;
    }
    child.Order("tap " + std::to_string(taps) + "\n");
    const auto result = child.ReadLine();
    long long count = 0;
    long long wall = 0;
    long long cpu = 0;
    if (!result || std::sscanf(result->c_str(), "taps %lld %lld %lld", &count, &wall, &cpu) != 3 ||
        count == 0) {
        return false;
    }
    child.Wait();
    samples["tap ms"].push_back(wall / 1e6);
    samples["tap cpu ms"].push_back(cpu / 1e6);
    return true;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const int taps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    ::signal(SIGPIPE, SIG_IGN);

    const std::vector<Program> programs = {
        {"druno", argc > 3 ? argv[3] : DRUNO_PROGRAM, "New Game"},
        {"floor", FLOOR_PROGRAM, ""},
    };
    std::map<std::string, QTemporaryDir> homes;
    for (const Program& program : programs) {
        const QString home = homes[program.name].path();
        for (const char* folder : {"config", "data", "runtime"}) {
            QDir(home).mkpath(QString::fromLatin1(folder));
        }
        QFile::setPermissions(home + QStringLiteral("/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::map<std::string, Samples> samples;
    // One life each first: caches warm, and the game's settings file exists as after any
    // earlier run.
    for (const Program& program : programs) {
        Samples ignored;
        if (!MeasureLife(program, homes[program.name].path().toStdString(), ignored)) {
            std::fprintf(stderr, "%s did not start under the probe\n", program.name.c_str());
            return 1;
        }
    }
    for (int round = 0; round < rounds; ++round) {
        // Alternate which program goes first, so neither always meets a busier machine.
        for (size_t i = 0; i < programs.size(); ++i) {
            const Program& program = programs[(i + static_cast<size_t>(round)) % programs.size()];
            const std::string home = homes[program.name].path().toStdString();
            if (!MeasureLife(program, home, samples[program.name]) ||
                !MeasureTaps(program, home, taps, samples[program.name])) {
                std::fprintf(stderr, "%s: a run failed\n", program.name.c_str());
                return 1;
            }
        }
        std::fprintf(stderr, "round %d of %d done\n", round + 1, rounds);
    }

    std::printf("medians of %d interleaved runs each (%d taps per tap run)\n", rounds, taps);
    std::printf("%-14s %12s %12s %8s\n", "", "druno", "floor", "ratio");
    for (const char* key :
         {"tap ms", "tap cpu ms", "start ms", "exit ms", "memory MiB", "idle wakes/s"}) {
        const double druno = Median(samples["druno"][key]);
        const double floor = Median(samples["floor"][key]);
        std::printf("%-14s %12.3f %12.3f", key, druno, floor);
        if (floor > 0) {
            std::printf(" %7.2fx\n", druno / floor);
        } else {
            std::printf(" %8s\n", "-");
        }
    }
    return 0;
}
