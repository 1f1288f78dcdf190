#pragma once

// The statistics dialog (template 129): games played, won, lost and the percentage won of the
// chosen level, and a reset. Also the operations on the statistics file that the whole
// statistics service goes through; those need no dialog object.

#include "platform/dialogs/Controls.h"
#include "platform/dialogs/Dialog.h"
#include "stats/GameStatistics.h"
#include "stats/GameStatisticsRecord.h"

#include <QString>

class CGameStatisticsDlg : public platform::Dialog {
public:
    // Language 1 gives German texts, 0 English; it also becomes s_nLanguage.
    CGameStatisticsDlg(const QString& lpStatFile, int nLanguage,
                       platform::Window* pParent = nullptr);

    // Reads record s_nCurrLevel (record 0 of an older file) into gs, unscrambled. 0, or -1
    // with an all-zero record when the file cannot be read; the user is told.
    static int ReadStatistics(const QString& lpStatFile, GAMESTATISTICS& gs);
    // The same, and bDamaged tells a record read that cannot be counted on: cut short by the
    // end of the file, or holding counts that cannot be. The user is not told of that here.
    static int ReadStatistics(const QString& lpStatFile, GAMESTATISTICS& gs, bool& bDamaged);
    // Stamps gs and writes it as record s_nCurrLevel; with several levels, recomputes record
    // 0 from them. 0, or -1 when the file cannot be written; the user is told. gs is working
    // storage: its contents afterwards are of no use.
    static int WriteStatistics(const QString& lpStatFile, GAMESTATISTICS& gs);
    // Writes the module values and the record's counters to the trace.
    static void DbgGAMESTATISTICS(const GAMESTATISTICS& gs);

    QString m_strStatFile;
    platform::ComboBox m_cbLevel;
    platform::Static m_stLevel;
    platform::Static m_stGamesWonPercent;
    platform::Static m_stGamesWon;
    platform::Static m_stGamesPlayed;
    platform::Static m_stGamesLost;
    platform::Button m_btnReset;
    QString m_strGamesPlayed;
    QString m_strGamesWon;
    QString m_strGamesLost;
    QString m_strGamesWonPercent;

protected:
    void DoDataExchange(platform::DataExchange& dx) override;
    // A settings change (message 26) leaves the dialog as it is.
    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override;
    bool OnInitDialog() override;

private:
    // Reads the record of s_nCurrLevel and shows its four values.
    void UpdateStatistics();
    // Once the levels have records of their own: "All" shows every game counted once, and
    // the score, the wins weighted by level, is shown beside.
    bool HasLevelRecords() const { return s_nMaxLevels > 1; }
    // True when the totals took the place of gs ("All" chosen).
    bool ShowLevelTotals(bool bRead, GAMESTATISTICS& gs);
    void ShowScoreSection();
    // Widens the level list to the left, up to its label's text, so its names show whole.
    void FitLevelList();
    // Adds the names of s_strCustomLevels to the level list.
    void FillCustomLB();
    void OnSelChangeLevel();
    void OnResetStatistics();
};
