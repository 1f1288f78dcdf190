#pragma once

// A file opened for the duration of one operation, on POSIX calls.

#include <QString>

#include <cstdint>

namespace platform {

// Open flags, in the handheld's numbers.
inline constexpr unsigned kFileRead = 0x0000;
inline constexpr unsigned kFileReadWrite = 0x0002;
inline constexpr unsigned kFileCreate = 0x1000;
inline constexpr unsigned kFileNoTruncate = 0x2000;
// 12290: create when missing, keep the contents, read and write.
inline constexpr unsigned kFileCreateReadWrite = kFileCreate | kFileNoTruncate | kFileReadWrite;

class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // 0 on success, -1 on failure.
    int Open(const QString& path, unsigned flags);
    // Positions at the byte offset from the start; the new position, or -1.
    std::int64_t Seek(std::int64_t offset);
    // The number of bytes read (0 at the end), or -1.
    int Read(void* buffer, int count);
    // The number of bytes written, or -1.
    int Write(const void* buffer, int count);
    // Harmless when nothing is open.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace platform
