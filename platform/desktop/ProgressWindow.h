#pragma once

// The Progress window: a player's way through the journal of rounds. For every level and for
// all of them: rounds played and won, the win rate, the current and best winning streak, the
// attempts a win takes on average, a chart of the attempts of the won rounds (and the
// losses), and a chart of the win rate of the latest rounds; under them the rounds, newest
// first, and the guesses of the round chosen. Export... writes the rounds as CSV; Forget all
// rounds... empties the journal after asking. The keyboard leads: Tab goes through the level,
// the charts, the rounds, the guesses and the buttons; Esc closes it.

#include "platform/journal/Journal.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace platform {

class ProgressChart;
class RoundsModel;

// Shows the window over the journal at journalPath until it is closed. levelNames name the
// levels 1, 2, ...; allName is the choice of every level.
void ShowProgressWindow(const QString& journalPath, const QStringList& levelNames,
                        const QString& allName);

class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    ProgressWindow(const QString& journalPath, const QStringList& levelNames,
                   const QString& allName, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    // 0 for all levels.
    void SetLevel(int level);
    // Writes every round with its guesses; false when the file could not be written.
    bool ExportTo(const QString& path);
    // Asks first; true when the journal was emptied.
    bool ForgetAllRounds();

private:
    void Load();
    void ShowFigures();
    void ShowGuesses();
    void OnExport();
    QString LevelName(int level) const;

    Journal m_journal;
    JournalStatus m_status = JournalStatus::Missing;
    QStringList m_levelNames;
    std::vector<JournalRound> m_rounds;  // oldest first
    int m_level = 0;

    QComboBox* m_levelChoice = nullptr;
    QLabel* m_since = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLabel* m_empty = nullptr;
    std::vector<QLabel*> m_figures;
    ProgressChart* m_attempts = nullptr;
    ProgressChart* m_recent = nullptr;
    RoundsModel* m_model = nullptr;
    QTableView* m_roundList = nullptr;
    QListWidget* m_guesses = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_forget = nullptr;
};

}  // namespace platform
