#include "platform/core/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

int OpenFlags(unsigned flags) {
    // Without blocking: opening a FIFO or a device must never hold the program up. Such a
    // file is refused as soon as it is open, and a regular file does not care.
    int native = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
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
        if (flags & kFileCreateNew) {
            native |= O_EXCL;
        }
        // Creating truncates an existing file unless asked to keep it.
        if (!(flags & kFileNoTruncate)) {
            native |= O_TRUNC;
        }
    }
    return native;
}

// Appends the UTF-8 form of one code point.
void AppendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at p (at most n bytes) and its code point; 0 when
// the bytes there are not valid UTF-8 (overlong forms and surrogates included).
int DecodeUtf8(const unsigned char* p, qsizetype n, char32_t& cp) {
    const unsigned char lead = p[0];
    int length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (n < length) {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

constexpr char16_t kEscapeBase = 0xDC00;

}  // namespace

QString DecodeFileName(const QByteArray& name) {
    QString result;
    result.reserve(name.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
    qsizetype i = 0;
    while (i < name.size()) {
        if (bytes[i] < 0x80) {
            result += QChar(bytes[i]);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const int length = DecodeUtf8(bytes + i, name.size() - i, cp);
        if (length == 0) {
            result += QChar(static_cast<char16_t>(kEscapeBase + bytes[i]));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(cp)) {
            result += QChar(QChar::highSurrogate(cp));
            result += QChar(QChar::lowSurrogate(cp));
        } else {
            result += QChar(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return result;
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
            QChar::isLowSurrogate(name[i + 1].unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            out += static_cast<char>(unit - kEscapeBase);
        } else if (QChar::isSurrogate(unit) || unit == 0) {
            return QByteArray();  // no file name holds it
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

File::~File() {
    Close();
}

int File::Open(const QString& path, unsigned flags) {
    Close();
    m_error = 0;
    const QByteArray name = EncodeFileName(path);
    if (name.isEmpty()) {
        m_error = EINVAL;
        return -1;
    }
    int fd;
    do {
        fd = ::open(name.constData(), OpenFlags(flags), 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_error = errno;
        return -1;
    }
    // A FIFO would stall every read, a device swallow every write, a folder fail them all.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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

std::int64_t File::Size() const {
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

int File::Lock(bool exclusive) {
    if (m_fd < 0) {
        return -1;
    }
    while (::flock(m_fd, exclusive ? LOCK_EX : LOCK_SH) != 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return 0;
}

bool File::IsSameFile(const File& other) const {
    struct stat mine {};
    struct stat theirs {};
    if (m_fd < 0 || other.m_fd < 0 || ::fstat(m_fd, &mine) != 0 ||
        ::fstat(other.m_fd, &theirs) != 0) {
        return false;
    }
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
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
