#include "stats/GameStatisticsDlg.h"

#include "dialogs/DialogLaF.h"
#include "platform/core/Messages.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "stats/GameStatistics.h"
#include "stats/GameStatisticsTotals.h"
#include "stats/StatisticsLock.h"
#include "trace/TraceScope.h"

#include <algorithm>

CGameStatisticsDlg::CGameStatisticsDlg(const QString& lpStatFile, int nLanguage,
                                       platform::Window* pParent)
    : platform::Dialog(IDD_STATISTICS, pParent) {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::CGameStatisticsDlg()"));
    m_strStatFile = lpStatFile;
    s_nLanguage = nLanguage;
    OnControlNotify(IDC_RESET_STATISTICS, platform::kBnClicked,
                    &CGameStatisticsDlg::OnResetStatistics);
    OnControlNotify(IDC_LEVEL, platform::kCbnSelChange, &CGameStatisticsDlg::OnSelChangeLevel);
}

void CGameStatisticsDlg::DoDataExchange(platform::DataExchange& dx) {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::DoDataExchange()"));
    platform::Dialog::DoDataExchange(dx);
    dx.Control(IDC_LEVEL, m_cbLevel);
    dx.Control(IDC_LABEL_LEVEL, m_stLevel);
    dx.Control(IDC_LABEL_PERCENT, m_stGamesWonPercent);
    dx.Control(IDC_LABEL_WON, m_stGamesWon);
    dx.Control(IDC_LABEL_PLAYED, m_stGamesPlayed);
    dx.Control(IDC_LABEL_LOST, m_stGamesLost);
    dx.Control(IDC_RESET_STATISTICS, m_btnReset);
    dx.Text(IDC_GAMES_PLAYED, m_strGamesPlayed);
    dx.Text(IDC_GAMES_WON, m_strGamesWon);
    dx.Text(IDC_GAMES_LOST, m_strGamesLost);
    dx.Text(IDC_GAMES_WON_PERCENT, m_strGamesWonPercent);
}

platform::MessageResult CGameStatisticsDlg::WindowProc(unsigned message, platform::WParam wParam,
                                                       platform::LParam lParam) {
    if (message == platform::kMsgSettingChange) {
        return 0;
    }
    return platform::Dialog::WindowProc(message, wParam, lParam);
}

bool CGameStatisticsDlg::OnInitDialog() {
    // The statistics are small enough never to need the whole screen.
    InitDialogLaF(this, true, true, false);
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::OnInitDialog()"));
    platform::Dialog::OnInitDialog();
    UpdateStatistics();
    // A screen reader reads each number with its caption.
    SetDlgItemLabel(IDC_LABEL_PLAYED, IDC_GAMES_PLAYED);
    SetDlgItemLabel(IDC_LABEL_WON, IDC_GAMES_WON);
    SetDlgItemLabel(IDC_LABEL_LOST, IDC_GAMES_LOST);
    SetDlgItemLabel(IDC_LABEL_PERCENT, IDC_GAMES_WON_PERCENT);
    SetDlgItemLabel(IDC_LABEL_LEVEL, IDC_LEVEL);
    SetDlgItemLabel(IDC_LABEL_SCORE, IDC_SCORE);

    if (s_nLanguage == kLanguageGerman) {
        trace.Log(QStringLiteral("language==german"));
        SetWindowText(platform::LoadString(IDS_STAT_CAPTION_DE));
        m_stGamesWonPercent.SetWindowText(platform::LoadString(IDS_STAT_PERCENT_DE));
        m_stGamesWon.SetWindowText(platform::LoadString(IDS_STAT_WON_DE));
        m_stGamesPlayed.SetWindowText(platform::LoadString(IDS_STAT_PLAYED_DE));
        m_stGamesLost.SetWindowText(platform::LoadString(IDS_STAT_LOST_DE));
        m_btnReset.SetWindowText(platform::LoadString(IDS_STAT_RESET_DE));
        m_stLevel.SetWindowText(platform::LoadString(IDS_STAT_LEVEL_DE));
        GetDlgItem(IDC_LABEL_SCORE)->SetWindowText(platform::LoadString(IDS_STAT_SCORE_DE));
        GetDlgItem(IDC_SCORE_NOTE)->SetWindowText(platform::LoadString(IDS_STAT_SCORE_NOTE_DE));
        m_cbLevel.AddString(platform::LoadString(IDS_STAT_ALL_DE));
    } else if (s_nLanguage == kLanguageEnglish) {
        trace.Log(QStringLiteral("language==english"));
        m_cbLevel.AddString(platform::LoadString(IDS_STAT_ALL));
    } else {
        platform::MessageBox(QStringLiteral("Unsupported language!"), platform::kMbIconInformation);
        trace.Log(QStringLiteral("language==unknown!"));
    }

    trace.LogFormat("s_nMaxLevels=%d", s_nMaxLevels);
    if (!s_strCustomLevels.isEmpty()) {
        FillCustomLB();
    } else {
        for (int i = 1; i <= s_nMaxLevels; ++i) {
            m_cbLevel.AddString(QString::asprintf("%02d", i));
        }
    }

    // Combo index k stands for record k; without levels only the overall record is there.
    if (s_nMaxLevels < 0) {
        m_cbLevel.SetCurSel(0);
        m_cbLevel.EnableWindow(false);
    } else {
        m_cbLevel.SetCurSel(s_nCurrLevel);
    }
    FitLevelList();
    if (HasLevelRecords()) {
        ShowScoreSection();
    }
    // The dialog opens with no button in focus, so Enter is its Done and never the reset;
    // Tab reaches Reset Statistics. A list of levels has the keys at once, for Up and Down.
    if (m_cbLevel.GetCount() > 1 && m_cbLevel.IsWindowEnabled()) {
        m_cbLevel.SetFocus();
    } else {
        SetFocus();
    }
    return true;
}

void CGameStatisticsDlg::UpdateStatistics() {
    GAMESTATISTICS gs;
    bool bDamaged = false;
    const bool bRead = ReadStatistics(m_strStatFile, gs, bDamaged) == 0;
    // Counts that cannot be are no counts: the fields show that nothing could be read, as
    // before anything was. The totals of the levels stand in for a damaged overall record.
    if (!ShowLevelTotals(bRead, gs) && bDamaged) {
        m_strGamesPlayed = m_strGamesWon = m_strGamesLost = m_strGamesWonPercent =
            QStringLiteral("????");
        UpdateData(false);
        return;
    }
    m_strGamesPlayed = QString::asprintf("%d", gs.Get(GAMESTATISTICS::nGamesPlayed));
    m_strGamesWon = QString::asprintf("%d", gs.Get(GAMESTATISTICS::nGamesWon));
    m_strGamesLost = QString::asprintf("%d", gs.Get(GAMESTATISTICS::nGamesLost));
    m_strGamesWonPercent = QString::asprintf("%d", gs.Get(GAMESTATISTICS::nGamesWonPercent));
    UpdateData(false);
}

// The file's overall record weighs each level by its number, so that it would show a game
// of five digits as three games; the player reads the true totals instead, and the weighted
// wins as the score. A file that cannot be read shows zero throughout.
bool CGameStatisticsDlg::ShowLevelTotals(bool bRead, GAMESTATISTICS& gs) {
    if (!HasLevelRecords()) {
        return false;
    }
    GameStatisticsTotals totals;
    if (bRead) {
        GameStatisticsReadTotals(m_strStatFile, s_nMaxLevels, totals);
    }
    GetDlgItem(IDC_SCORE)->SetWindowText(QString::asprintf("%d", totals.nScore));
    if (s_nCurrLevel != 0) {
        return false;
    }
    gs = totals.record;
    return true;
}

// The score and the note that says what it counts are parked below the template; they take
// the reset button's place, the button goes below them, and the dialog grows by as much.
void CGameStatisticsDlg::ShowScoreSection() {
    platform::Window* pLabel = GetDlgItem(IDC_LABEL_SCORE);
    platform::Window* pScore = GetDlgItem(IDC_SCORE);
    platform::Window* pNote = GetDlgItem(IDC_SCORE_NOTE);
    const auto clientRect = [this](const platform::Window* pWnd) {
        platform::Rect rect = pWnd->GetWindowRect();
        ScreenToClient(&rect);
        return rect;
    };
    const platform::Rect reset = clientRect(&m_btnReset);
    const int nUp = clientRect(pLabel).top - reset.top;
    for (platform::Window* pWnd : {pLabel, pScore, pNote}) {
        const platform::Rect rect = clientRect(pWnd);
        pWnd->MoveWindow(rect.left, rect.top - nUp, rect.Width(), rect.Height());
        pWnd->ShowWindow(platform::kSwShow);
    }
    const platform::Rect note = clientRect(pNote);
    const int nResetTop = note.bottom + (note.top - clientRect(pLabel).bottom);
    m_btnReset.MoveWindow(reset.left, nResetTop, reset.Width(), reset.Height());
    const platform::Rect dialog = GetWindowRect();
    MoveWindow(dialog.left, dialog.top, dialog.Width(), dialog.Height() + nResetTop - reset.top);
    CenterWindow();
}

void CGameStatisticsDlg::FitLevelList() {
    constexpr int kGap = 6;  // pixels kept between the label's text and the list
    const int nWanted = m_cbLevel.GetIdealWidth();
    platform::Rect list = m_cbLevel.GetWindowRect();
    ScreenToClient(&list);
    if (nWanted <= list.Width()) {
        return;
    }
    platform::Rect label = m_stLevel.GetWindowRect();
    ScreenToClient(&label);
    const int nLeft = std::max(label.left + m_stLevel.GetIdealWidth() + kGap, list.right - nWanted);
    m_cbLevel.MoveWindow(nLeft, list.top, list.right - nLeft, list.Height());
    m_stLevel.MoveWindow(label.left, label.top, std::min(label.Width(), nLeft - kGap - label.left),
                         label.Height());
}

void CGameStatisticsDlg::FillCustomLB() {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::FillCustomLB()"));
    qsizetype position = 0;
    for (;;) {
        const qsizetype separator = s_strCustomLevels.indexOf(QLatin1Char('|'), position);
        if (separator < 0) {
            m_cbLevel.AddString(s_strCustomLevels.mid(position));
            return;
        }
        m_cbLevel.AddString(s_strCustomLevels.mid(position, separator - position));
        position = separator + 1;
    }
}

void CGameStatisticsDlg::OnSelChangeLevel() {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::OnSelChangeLevel()"));
    s_nCurrLevel = m_cbLevel.GetCurSel();
    UpdateStatistics();
}

void CGameStatisticsDlg::OnResetStatistics() {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::OnResetStatistics()"));
    const unsigned question =
        s_nLanguage == kLanguageGerman ? IDS_STAT_REALLY_DELETE_DE : IDS_STAT_REALLY_DELETE;
    // Every count goes: only a deliberate Yes does it, Return alone answers No.
    if (platform::MessageBox(question, platform::kMbYesNoQuestion, platform::kIdNo) !=
        platform::kIdYes) {
        trace.Log(QStringLiteral("canceled"));
        return;
    }
    // With the levels switched off, the writes below leave record 0 as written.
    const int nMaxLevels = s_nMaxLevels;
    const int nCurrLevel = s_nCurrLevel;
    s_nMaxLevels = -1;
    const std::int64_t last = nMaxLevels == -1 ? 0 : nMaxLevels;
    {
        const CStatisticsLock lock(m_strStatFile);
        for (std::int64_t i = 0; i <= last; ++i) {
            s_nCurrLevel = static_cast<int>(i);
            GAMESTATISTICS gs;
            WriteStatistics(m_strStatFile, gs);
        }
    }
    s_nMaxLevels = nMaxLevels;
    s_nCurrLevel = nCurrLevel;
    UpdateStatistics();
    trace.Log(QStringLiteral("reset"));
}

int GameStatisticsShow(const QString& lpStatFile, int nLanguage) {
    CTraceScope trace(QStringLiteral("GameStatisticsShow()"));
    trace.Log(QStringLiteral("lpStatFile=\"") + lpStatFile + QLatin1Char('"'));
    trace.LogFormat("nLanguage=%d", nLanguage);
    CGameStatisticsDlg dlg(lpStatFile, nLanguage);
    return dlg.DoModal();
}
