#include "stats/StatisticsLock.h"

#include "platform/core/Module.h"
#include "platform/services/MessageBox.h"

#include <cerrno>
#include <utility>
#include <vector>

namespace {

// Counts and resets run one at a time on the user-interface thread: one lock at most.
CStatisticsLock* s_pHeld = nullptr;
// The lock that gave up on a busy file, while it lives.
const CStatisticsLock* s_pBusy = nullptr;

struct Notice {
    QString text;
    unsigned type;
};
// What the player is still to be told once the file is free.
std::vector<Notice>& PendingNotices() {
    static std::vector<Notice> notices;
    return notices;
}

}  // namespace

CStatisticsLock::CStatisticsLock(const QString& lpStatFile) : m_strPath(lpStatFile) {
    const CStatisticsLock* outer = s_pHeld != nullptr ? s_pHeld : s_pBusy;
    if (outer != nullptr && outer->m_strPath == lpStatFile) {
        m_bNested = true;
        return;
    }
    platform::MakeDataFolderFor(lpStatFile);
    // Opened when it is there; otherwise made here, exclusively, so that the lock knows the
    // file is its own. Another game making it in between makes the first open succeed again.
    for (int attempt = 0; attempt < 2 && !m_file.IsOpen(); ++attempt) {
        if (m_file.Open(lpStatFile, platform::kFileReadWrite) == 0) {
            break;
        }
        if (m_file.Error() != ENOENT) {
            return;
        }
        if (m_file.Open(lpStatFile, platform::kFileCreateReadWrite | platform::kFileCreateNew) ==
            0) {
            m_bCreated = true;
        } else if (m_file.Error() != EEXIST) {
            return;
        }
    }
    if (!m_file.IsOpen()) {
        return;
    }
    if (m_file.Lock(true) != 0) {
        if (m_file.Error() == EWOULDBLOCK || m_file.Error() == EINTR) {
            s_pBusy = this;
        }
        m_file.Close();
        return;
    }
    s_pHeld = this;
}

CStatisticsLock::~CStatisticsLock() {
    if (m_bNested) {
        return;
    }
    if (s_pHeld == this) {
        Release();
    }
    if (s_pBusy == this) {
        s_pBusy = nullptr;
    }
}

bool CStatisticsLock::Covers(const platform::File& file) {
    return s_pHeld != nullptr && s_pHeld->m_file.IsSameFile(file);
}

bool CStatisticsLock::IsNewAndEmpty(const platform::File& file) {
    return Covers(file) && s_pHeld->m_bCreated && file.Size() == 0;
}

bool CStatisticsLock::IsBusy() {
    return s_pBusy != nullptr;
}

void CStatisticsLock::Release() {
    if (s_pHeld != nullptr) {
        s_pHeld->m_file.Close();
    }
    s_pHeld = nullptr;
    for (const Notice& notice : std::exchange(PendingNotices(), {})) {
        platform::MessageBox(notice.text, notice.type);
    }
}

void CStatisticsLock::TellWhenFree(const QString& text, unsigned type) {
    PendingNotices().push_back({text, type});
    if (s_pHeld == nullptr) {
        Release();
    }
}
