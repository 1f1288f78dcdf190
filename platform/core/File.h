#pragma once

// A file opened for the duration of one operation, on POSIX calls.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace platform {

// Open flags, in the handheld's numbers.
inline constexpr unsigned kFileRead = 0x0000;
inline constexpr unsigned kFileReadWrite = 0x0002;
inline constexpr unsigned kFileCreate = 0x1000;
inline constexpr unsigned kFileNoTruncate = 0x2000;
// 12290: create when missing, keep the contents, read and write.
inline constexpr unsigned kFileCreateReadWrite = kFileCreate | kFileNoTruncate | kFileReadWrite;
// Our own addition: with kFileCreate, fail (EEXIST) when the file is there already.
inline constexpr unsigned kFileCreateNew = 0x10000;

class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // 0 on success, -1 on failure. Only a regular file (or a link to one) opens: a FIFO, a
    // device or a folder is a failed open, and opening one never waits. In a folder that other
    // users can write (group or world writable, sticky or not), anyone there could have put a
    // link to someone else's file, or a file of their own, in place: there only a regular file
    // of our own, with no other name, opens (ELOOP for a link, EPERM for the rest).
    int Open(const QString& path, unsigned flags);
    // Why the last Open or Lock failed, as an errno value (ENOENT: no such file); 0 after a
    // successful Open.
    int Error() const { return m_error; }
    // Positions at the byte offset from the start; the new position, or -1.
    std::int64_t Seek(std::int64_t offset);
    // The number of bytes read (0 at the end), or -1.
    int Read(void* buffer, int count);
    // The number of bytes written, or -1.
    int Write(const void* buffer, int count);
    // The file's length in bytes, or -1.
    std::int64_t Size() const;
    // Takes an advisory lock on the whole file, shared or exclusive; 0 or -1. The lock belongs
    // to this open file and ends with Close. While another holds the file it waits, keeping
    // the windows painted (no user input is taken meanwhile), but not for good: after
    // kLockWaitMs it gives up with EWOULDBLOCK, and a termination signal that has come in
    // ends the wait at once with EINTR. The signal itself is left for the event loop.
    int Lock(bool exclusive);
    // True when both are open on the same file, whatever names they were opened by.
    bool IsSameFile(const File& other) const;
    // Harmless when nothing is open.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    int m_error = 0;
};

// Removes the file at path; false when it cannot.
bool RemoveFile(const QString& path);

// How long Lock waits for a file another holds at most.
inline constexpr int kLockWaitMs = 3000;

// True while a Lock waits on this thread: the events handled meanwhile must not start
// anything that would use the file again.
bool IsWaitingForLock();

// Test seams: the longest wait of Lock (kLockWaitMs when 0 or less), and a call made each
// time a Lock begins to wait.
void SetLockWaitLimit(int milliseconds);
void SetLockWaitObserver(std::function<void()> observer);

// File names are bytes; the program's strings are UTF-16. Names are read as UTF-8, and every
// byte that is not part of valid UTF-8 stands as U+DC80..U+DCFF, so that any name comes back
// to the very same bytes. Encoding gives an empty array for a string no name maps to.
QString DecodeFileName(const QByteArray& name);
QByteArray EncodeFileName(const QString& name);

}  // namespace platform
