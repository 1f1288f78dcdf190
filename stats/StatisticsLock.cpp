#include "stats/StatisticsLock.h"

#include "platform/core/Module.h"

#include <cerrno>

namespace {

// Counts and resets run one at a time on the user-interface thread: one lock at most.
CStatisticsLock* s_pHeld = nullptr;
// The lock that gave up on a busy file, while it lives.
const CStatisticsLock* s_pBusy = nullptr;

}  // namespace

CStatisticsLock::CStatisticsLock(const QString& lpStatFile) {
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
}
