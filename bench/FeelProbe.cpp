// A probe preloaded (LD_PRELOAD) into a program under measurement by player_feel_bench. It
// works on any Qt Widgets program with a main window, so the game and the floor program are
// measured by the very same code. It reports on the descriptor FEEL_PROBE_OUT, one line per
// figure, and takes orders on FEEL_PROBE_IN:
//   painted <ns>      the first paint of the main window is done and flushed (steady clock)
//   closing <ns>      written just before it asks the main window to close (order "close")
//   taps <n> <wall median ns> <cpu ns per tap>   after order "tap <n>"
// A tap is a left press delivered to the main window's platform window through Qt's event
// system, at a cell of the strip 35 pixels above the bottom of the central widget; it counts
// as done when a paint it caused has been flushed. Cells alternate between a digit and delete.
// FEEL_PROBE_ACTION names a menu action (without '&') triggered before the taps.

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
QT_END_NAMESPACE

namespace {

std::int64_t ClockNs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

int EnvFd(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : -1;
}

void Report(const std::string& line) {
    static const int fd = EnvFd("FEEL_PROBE_OUT");
    if (fd < 0) {
        return;
    }
    const std::string text = line + "\n";
    if (::write(fd, text.data(), text.size()) < 0) {
        std::_Exit(3);
    }
}

QMainWindow* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

class Probe : public QObject {
public:
    // The application is still being made: orders are listened to once its loop runs.
    Probe() { QMetaObject::invokeMethod(this, &Probe::ListenForOrders, Qt::QueuedConnection); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (qobject_cast<QMainWindow*>(widget->window()) == nullptr) {
            return false;
        }
        ++m_paints;
        if (!m_firstPaintSeen) {
            m_firstPaintSeen = true;
            // Reported once control is back in the loop: the paint has been flushed by then.
            QTimer::singleShot(
                0, this, [] { Report("painted " + std::to_string(ClockNs(CLOCK_MONOTONIC))); });
        }
        return false;
    }

private:
    void ListenForOrders() {
        const int in = EnvFd("FEEL_PROBE_IN");
        if (in >= 0) {
            m_orders = new QSocketNotifier(in, QSocketNotifier::Read, this);
            connect(m_orders, &QSocketNotifier::activated, this, &Probe::ReadOrder);
        }
    }

    void ReadOrder() {
        char buffer[64] = {};
        const ssize_t got = ::read(static_cast<int>(m_orders->socket()), buffer, sizeof buffer - 1);
        if (got <= 0) {
            m_orders->setEnabled(false);
            return;
        }
        const std::string order(buffer, static_cast<size_t>(got));
        if (order.rfind("close", 0) == 0) {
            Close();
        } else if (order.rfind("tap ", 0) == 0) {
            Taps(std::atoi(order.c_str() + 4));
        }
    }

    void Close() {
        QMainWindow* window = MainWindow();
        Report("closing " + std::to_string(ClockNs(CLOCK_MONOTONIC)));
        if (window != nullptr) {
            window->close();
        }
    }

    // Waits, without spinning, until a paint has been done since the mark.
    void WaitForPaintSince(int mark) {
        while (m_paints == mark) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        // The repaint and its flush run within one update request: let it finish.
        QCoreApplication::processEvents();
    }

    void TriggerStartAction(QMainWindow* window) {
        const QString name = QString::fromLocal8Bit(qgetenv("FEEL_PROBE_ACTION"));
        if (name.isEmpty()) {
            return;
        }
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->text().remove(QLatin1Char('&')) == name && action->isEnabled()) {
                const int mark = m_paints;
                action->trigger();
                WaitForPaintSince(mark);
                return;
            }
        }
    }

    void Press(QWindow* window, QPointF at, QEvent::Type type) {
        m_timestamp += 1000;  // never a double click
        const Qt::MouseButtons state =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        qt_handleMouseEvent(window, at, window->mapToGlobal(at), state, Qt::LeftButton, type,
                            Qt::NoModifier, m_timestamp);
    }

    void Taps(int count) {
        QMainWindow* window = MainWindow();
        if (window == nullptr || window->windowHandle() == nullptr ||
            window->centralWidget() == nullptr) {
            Report("taps 0 0 0");
            return;
        }
        TriggerStartAction(window);
        QWindow* handle = window->windowHandle();
        const QWidget* central = window->centralWidget();
        const QPoint origin = central->mapTo(window, QPoint(0, 0));
        const int stripTop = origin.y() + central->height() - 35;

        std::vector<std::int64_t> walls;
        const std::int64_t cpuStart = ClockNs(CLOCK_PROCESS_CPUTIME_ID);
        for (int i = 0; i < count; ++i) {
            // Digits 1 to 9 in turn, each followed by a delete: no guess is ever complete.
            const int cell = i % 2 == 0 ? 1 + (i / 2) % 9 : 10;
            const QPointF at(origin.x() + 10 + cell * 20 + 10, stripTop + 12);
            const int mark = m_paints;
            const std::int64_t start = ClockNs(CLOCK_MONOTONIC);
            Press(handle, at, QEvent::MouseButtonPress);
            WaitForPaintSince(mark);
            walls.push_back(ClockNs(CLOCK_MONOTONIC) - start);
            Press(handle, at, QEvent::MouseButtonRelease);
            QCoreApplication::processEvents();
        }
        const std::int64_t cpu = ClockNs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
        std::sort(walls.begin(), walls.end());
        const std::int64_t median = walls.empty() ? 0 : walls[walls.size() / 2];
        Report("taps " + std::to_string(count) + " " + std::to_string(median) + " " +
               std::to_string(count > 0 ? cpu / count : 0));
        // The round stays unfinished: the process ends here, without an exit step to measure.
        std::_Exit(0);
    }

    QSocketNotifier* m_orders = nullptr;
    bool m_firstPaintSeen = false;
    int m_paints = 0;
    int m_timestamp = 0;
};

void InstallProbe() {
    auto* probe = new Probe;
    probe->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
}

// Runs when the program makes its application object.
struct Installer {
    Installer() { qAddPreRoutine(InstallProbe); }
} installer;

}  // namespace
