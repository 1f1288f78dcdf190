#include "platform/File.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace platform {

namespace {

int OpenFlags(unsigned flags) {
    int native = O_CLOEXEC;
    switch (flags & 0x3) {
        case kFileReadWrite:
            native |= O_RDWR;
            break;
        case 0x1:
            native |= O_WRONLY;
            break;
        default:
            native |= O_RDONLY;
            break;
    }
    if (flags & kFileCreate) {
        native |= O_CREAT;
        // Creating truncates an existing file unless asked to keep it.
        if (!(flags & kFileNoTruncate)) {
            native |= O_TRUNC;
        }
    }
    return native;
}

}  // namespace

File::~File() {
    Close();
}

int File::Open(const QString& path, unsigned flags) {
    Close();
    if (path.isEmpty()) {
        return -1;
    }
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), OpenFlags(flags), 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return -1;
    }
    m_fd = fd;
    return 0;
}

std::int64_t File::Seek(std::int64_t offset) {
    if (m_fd < 0 || offset < 0) {
        return -1;
    }
    const off_t position = ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET);
    return position < 0 ? -1 : static_cast<std::int64_t>(position);
}

int File::Read(void* buffer, int count) {
    if (m_fd < 0 || count < 0) {
        return -1;
    }
    // A regular file may still deliver less than asked (a signal); keep reading until the
    // count is reached or the file ends.
    auto* bytes = static_cast<char*>(buffer);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, bytes + done, static_cast<size_t>(count - done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<int>(n);
    }
    return done;
}

int File::Write(const void* buffer, int count) {
    if (m_fd < 0 || count < 0) {
        return -1;
    }
    const auto* bytes = static_cast<const char*>(buffer);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, bytes + done, static_cast<size_t>(count - done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        done += static_cast<int>(n);
    }
    return done;
}

void File::Close() {
    if (m_fd < 0) {
        return;
    }
    // Not retried on EINTR: on Linux the descriptor is released whatever close answers.
    ::close(m_fd);
    m_fd = -1;
}

}  // namespace platform
