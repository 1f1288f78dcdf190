#pragma once

// The wire between a process that publishes windows (PublishedWindow) and one that sends them
// messages (RemoteWindow). Internal to the platform layer.
//
// Each published top-level window listens on a Unix-domain stream socket named "w-<pid>-<n>" in
// a folder only the user can enter: "$XDG_RUNTIME_DIR/druno-windows", or "/tmp/druno-windows-<uid>"
// when XDG_RUNTIME_DIR is unset or unsafe. Both ends check that the folder and the socket belong
// to the user and that the peer runs as the user.
//
// Every exchange is one request and one reply, so a message is handled before the next is sent.
// Frames are a 32-bit length followed by that many bytes, all integers in host byte order (both
// ends run on the same machine):
//
//   request  := u8 op, then by op:
//     kOpTitle       (nothing)                                   reply: i64 0, text title
//     kOpFirstChild  u32 window                                  reply: i64 child id, 0 = none
//     kOpMessage     u32 window, u32 message, u64 wParam,
//                    u8 kind (0 number, 1 text), i64 | text      reply: i64 handler's result
//   reply    := i64 result [, text]
//   text     := u32 count, count UTF-16 code units
//
// Window ids are the publisher's: 1 is the top-level window, children count up from 2.
//
// A socket is bound and listening under a hidden staging name (".w-...") and renamed into place
// only once its window is complete, so a sender never meets a half-built window or a socket that
// is not listening yet.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

namespace platform::remote {

inline constexpr std::uint8_t kOpTitle = 1;
inline constexpr std::uint8_t kOpFirstChild = 2;
inline constexpr std::uint8_t kOpMessage = 3;

inline constexpr std::uint8_t kParamNumber = 0;
inline constexpr std::uint8_t kParamText = 1;

inline constexpr std::uint32_t kTopLevelId = 1;
// Larger frames are refused; a longer text is cut to fit (see SendRemoteMessage).
inline constexpr std::uint32_t kMaxFrame = 1u << 20;
// The longest a publisher waits for a sender to take one reply.
inline constexpr std::chrono::milliseconds kReplyWait{1500};
// How long a peer may keep a sender waiting, in all: the search that finds it and every request
// after. Every wait is charged in full, however short, so that a peer answering each message a
// little late cannot slow the sender without limit. The budget grows back by one part in
// kBudgetRegainShare of the time the sender runs (a second of running buys 20 ms of waiting), up
// to the whole budget: a healthy peer that answers in microseconds is never cut off in ordinary
// use, while the waiting a slow one costs stays within kPeerBudget plus that share of the run.
// Once the budget is spent, the connection is closed for good.
inline constexpr std::chrono::milliseconds kPeerBudget{1500};
inline constexpr int kBudgetRegainShare = 50;

using Deadline = std::chrono::steady_clock::time_point;

// What is left until the deadline, for poll(): whole milliseconds, rounded up, never negative.
int MillisecondsLeft(Deadline deadline);

// The user's private folder of window sockets, created when create is set. Empty when there
// is none, or when it is not safe (not ours, a symbolic link, open to others); problem, when
// given, then says which folder and why ("the folder /tmp/x is open to other users").
QByteArray SocketFolder(bool create, QString* problem = nullptr);
// Whether the file at path is a socket that belongs to the user.
bool IsOwnSocket(const QByteArray& path);
// Whether the peer on a connected socket runs as the user; its process id goes to pid.
bool PeerIsOwnUser(int fd, std::int64_t* pid);

// Whole-frame input and output on a non-blocking socket, waiting at most until the deadline.
// Writes never raise SIGPIPE.
bool WriteFrame(int fd, const QByteArray& body, Deadline deadline);
std::optional<QByteArray> ReadFrame(int fd, Deadline deadline);

// Incremental input for a peer served among others. ReceiveAvailable appends what the socket
// holds, without waiting, but never more than one largest frame's worth; false when the peer
// has closed or failed. TakeFrame removes the first whole frame from pending and answers its
// body; nothing while the frame is incomplete, and broken is set when its announced size is
// over the limit.
bool ReceiveAvailable(int fd, QByteArray& pending);
std::optional<QByteArray> TakeFrame(QByteArray& pending, bool* broken);

// Building and reading frame bodies.
void PutU8(QByteArray& out, std::uint8_t value);
void PutU32(QByteArray& out, std::uint32_t value);
void PutU64(QByteArray& out, std::uint64_t value);
void PutText(QByteArray& out, const QString& text);

class Reader {
public:
    explicit Reader(const QByteArray& data) : m_data(data) {}
    bool U8(std::uint8_t* value) { return Take(value, sizeof *value); }
    bool U32(std::uint32_t* value) { return Take(value, sizeof *value); }
    bool U64(std::uint64_t* value) { return Take(value, sizeof *value); }
    bool Text(QString* text);
    bool AtEnd() const { return m_pos == m_data.size(); }

private:
    bool Take(void* value, qsizetype size);
    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

}  // namespace platform::remote
