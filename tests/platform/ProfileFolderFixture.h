#pragma once

// Settings stores that keep their files in a folder of the test's own, for the test's length;
// and a FIFO that lets through at once whoever opens it for reading, and tells.

#include "platform/services/ProfileStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

// Removes a folder and all it holds, whatever bytes their names are: Qt leaves out the names
// that are not UTF-8, so a QTemporaryDir cannot take such a folder away by itself.
inline void RemoveTree(const QByteArray& folder) {
    ::nftw(
        folder.constData(),
        [](const char* name, const struct stat*, int, FTW*) { return ::remove(name); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

class ProfileFolderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        platform::SetProfileFolder(m_dir.path());
    }
    void TearDown() override { platform::SetProfileFolder(QString()); }
    // Puts a file where the key-name folder should be, so that no settings file can be made.
    void BlockKeyFolder() {
        QFile blocker(m_dir.filePath(QStringLiteral("Brantel")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
};

// Opening a FIFO for reading waits for a writer. This one has a writer standing by for as long
// as it lives, so that a reader comes back at once (to an empty file) instead of hanging the
// test, and OpenedForReading says that one came.
class WatchedFifo {
public:
    explicit WatchedFifo(const QString& path) : m_path(QFile::encodeName(path)) {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made) {
            m_writer = std::thread([this] { StandBy(); });
        }
    }
    ~WatchedFifo() { Stop(); }
    WatchedFifo(const WatchedFifo&) = delete;
    WatchedFifo& operator=(const WatchedFifo&) = delete;

    bool Made() const { return m_made; }
    bool OpenedForReading() {
        Stop();
        return m_opened;
    }

private:
    // A writer's open that does not wait succeeds only while a reader has the FIFO open or is
    // waiting in its open.
    void StandBy() {
        while (!m_stop) {
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_opened = true;
                ::close(fd);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }
    void Stop() {
        m_stop = true;
        if (m_writer.joinable()) {
            m_writer.join();
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_writer;
};
