#include "platform/desktop/ProgressWindow.h"

#include "platform/core/Messages.h"
#include "platform/desktop/ProgressChart.h"
#include "platform/graphics/QtGeometry.h"
#include "platform/journal/JournalCsv.h"
#include "platform/journal/JournalFigures.h"
#include "platform/services/MessageBox.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

QString OutcomeText(RoundOutcome outcome) {
    switch (outcome) {
        case RoundOutcome::Playing:
            return QCoreApplication::translate("platform::ProgressWindow", "Being played");
        case RoundOutcome::Won:
            return QCoreApplication::translate("platform::ProgressWindow", "Won");
        case RoundOutcome::Lost:
            return QCoreApplication::translate("platform::ProgressWindow", "Lost");
        case RoundOutcome::GivenUp:
            return QCoreApplication::translate("platform::ProgressWindow", "Given up");
        case RoundOutcome::Closed:
            return QCoreApplication::translate("platform::ProgressWindow", "Lost by closing");
        case RoundOutcome::Signal:
            return QCoreApplication::translate("platform::ProgressWindow", "Lost to a signal");
        case RoundOutcome::DisplayLost:
            return QCoreApplication::translate("platform::ProgressWindow",
                                               "Lost with the display gone");
        case RoundOutcome::Unfinished:
            return QCoreApplication::translate("platform::ProgressWindow", "Unfinished");
    }
    return {};
}

QString LocalTime(std::int64_t ms) {
    return QLocale().toString(QDateTime::fromMSecsSinceEpoch(ms).toLocalTime(),
                              QLocale::ShortFormat);
}

QString Duration(std::int64_t ms) {
    const std::int64_t seconds = (ms + 500) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

// The rounds of the level chosen, newest first.
class RoundsModel : public QAbstractTableModel {
public:
    explicit RoundsModel(std::function<QString(int)> levelName, QObject* parent)
        : QAbstractTableModel(parent), m_levelName(std::move(levelName)) {}

    void SetRounds(std::vector<const JournalRound*> rounds) {
        beginResetModel();
        m_rounds = std::move(rounds);
        endResetModel();
    }
    const JournalRound* RoundAt(int row) const {
        return row >= 0 && row < rowCount() ? m_rounds[static_cast<std::size_t>(row)] : nullptr;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rounds.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 4;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const JournalRound* round = RoundAt(index.row());
        if (round == nullptr || role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
            case 0:
                return LocalTime(round->startedMs);
            case 1:
                return m_levelName(round->level);
            case 2:
                return OutcomeText(round->outcome);
            default:
                return round->attempts;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        switch (section) {
            case 0:
                return QCoreApplication::translate("platform::ProgressWindow", "Date");
            case 1:
                return QCoreApplication::translate("platform::ProgressWindow", "Level");
            case 2:
                return QCoreApplication::translate("platform::ProgressWindow", "Outcome");
            default:
                return QCoreApplication::translate("platform::ProgressWindow", "Attempts");
        }
    }

private:
    std::function<QString(int)> m_levelName;
    std::vector<const JournalRound*> m_rounds;
};

void ShowProgressWindow(const QString& journalPath, const QStringList& levelNames,
                        const QString& allName) {
    ProgressWindow window(journalPath, levelNames, allName, QApplication::activeWindow());
    window.exec();
}

ProgressWindow::ProgressWindow(const QString& journalPath, const QStringList& levelNames,
                               const QString& allName, QWidget* parent)
    : QDialog(parent), m_journal(journalPath), m_levelNames(levelNames) {
    setWindowTitle(QCoreApplication::translate("platform::ProgressWindow", "Progress"));

    auto* levelLabel =
        new QLabel(QCoreApplication::translate("platform::ProgressWindow", "&Level:"), this);
    m_levelChoice = new QComboBox(this);
    m_levelChoice->addItem(allName);
    m_levelChoice->addItems(levelNames);
    levelLabel->setBuddy(m_levelChoice);
    m_since = new QLabel(this);
    auto* top = new QHBoxLayout;
    top->addWidget(levelLabel);
    top->addWidget(m_levelChoice);
    top->addStretch();
    top->addWidget(m_since);

    // The figures, each a name and its value; a screen reader reads them in this order.
    auto* figures = new QGridLayout;
    const QStringList names = {
        QCoreApplication::translate("platform::ProgressWindow", "Rounds played:"),
        QCoreApplication::translate("platform::ProgressWindow", "Won:"),
        QCoreApplication::translate("platform::ProgressWindow", "Win rate:"),
        QCoreApplication::translate("platform::ProgressWindow", "Current streak:"),
        QCoreApplication::translate("platform::ProgressWindow", "Best streak:"),
        QCoreApplication::translate("platform::ProgressWindow", "Average attempts of a win:")};
    for (int i = 0; i < names.size(); ++i) {
        auto* name = new QLabel(names[i], this);
        auto* value = new QLabel(this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAccessibleName(names[i]);
        name->setBuddy(value);
        figures->addWidget(name, i / 3, (i % 3) * 2);
        figures->addWidget(value, i / 3, (i % 3) * 2 + 1);
        m_figures.push_back(value);
    }
    for (int column = 1; column < 6; column += 2) {
        figures->setColumnStretch(column, 1);
    }

    m_attempts = new ProgressChart(this);
    m_recent = new ProgressChart(this);
    auto* charts = new QHBoxLayout;
    charts->addWidget(m_attempts, 3);
    charts->addWidget(m_recent, 2);

    m_model = new RoundsModel([this](int level) { return LevelName(level); }, this);
    m_roundList = new QTableView(this);
    m_roundList->setModel(m_model);
    m_roundList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_roundList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_roundList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_roundList->setTabKeyNavigation(false);
    m_roundList->verticalHeader()->hide();
    m_roundList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_roundList->setWordWrap(false);
    // Widths from the texts a column can hold, not from measuring thousands of rows.
    const QFontMetrics listMetrics = m_roundList->fontMetrics();
    const auto widest = [&](const QStringList& texts) {
        int width = 0;
        for (const QString& text : texts) {
            width = std::max(width, listMetrics.horizontalAdvance(text));
        }
        return width + 2 * listMetrics.averageCharWidth() + 4;
    };
    QStringList outcomes;
    for (RoundOutcome outcome : {RoundOutcome::Playing, RoundOutcome::Won, RoundOutcome::Lost,
                                 RoundOutcome::GivenUp, RoundOutcome::Closed, RoundOutcome::Signal,
                                 RoundOutcome::DisplayLost, RoundOutcome::Unfinished}) {
        outcomes << OutcomeText(outcome);
    }
    QHeaderView* header = m_roundList->horizontalHeader();
    header->resizeSection(
        0, widest({LocalTime(QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58)).toMSecsSinceEpoch()),
                   m_model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString()}));
    header->resizeSection(1, widest(levelNames));
    header->resizeSection(
        3, widest({m_model->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString()}));
    // The outcome takes the room that is left; its longest words show in full on a wide list.
    header->setMinimumSectionSize(listMetrics.averageCharWidth() * 4);
    header->resizeSection(2, widest(outcomes));
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    m_roundList->setAccessibleName(
        QCoreApplication::translate("platform::ProgressWindow", "Rounds, newest first"));
    auto* roundsLabel = new QLabel(
        QCoreApplication::translate("platform::ProgressWindow", "&Rounds, newest first:"), this);
    roundsLabel->setBuddy(m_roundList);
    m_guesses = new QListWidget(this);
    m_guesses->setAccessibleName(
        QCoreApplication::translate("platform::ProgressWindow", "Guesses of the round"));
    auto* guessesLabel = new QLabel(
        QCoreApplication::translate("platform::ProgressWindow", "&Guesses of the round:"), this);
    guessesLabel->setBuddy(m_guesses);
    auto* lists = new QGridLayout;
    lists->addWidget(roundsLabel, 0, 0);
    lists->addWidget(m_roundList, 1, 0);
    lists->addWidget(guessesLabel, 0, 1);
    lists->addWidget(m_guesses, 1, 1);
    lists->setColumnStretch(0, 2);
    lists->setColumnStretch(1, 1);

    auto* journalPage = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(journalPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addLayout(figures);
    pageLayout->addLayout(charts, 2);
    pageLayout->addLayout(lists, 3);
    m_empty = new QLabel(this);
    m_empty->setWordWrap(true);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_empty);
    m_pages->addWidget(journalPage);

    m_export = new QPushButton(
        QCoreApplication::translate("platform::ProgressWindow", "&Export..."), this);
    m_forget = new QPushButton(
        QCoreApplication::translate("platform::ProgressWindow", "&Forget all rounds..."), this);
    auto* close =
        new QPushButton(QCoreApplication::translate("platform::ProgressWindow", "Close"), this);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addWidget(m_forget);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    setTabOrder(m_levelChoice, m_attempts);
    setTabOrder(m_attempts, m_recent);
    setTabOrder(m_recent, m_roundList);
    setTabOrder(m_roundList, m_guesses);
    setTabOrder(m_guesses, m_export);
    setTabOrder(m_export, m_forget);
    setTabOrder(m_forget, close);

    connect(m_levelChoice, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetLevel(index); });
    connect(m_roundList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowGuesses(); });
    connect(m_export, &QPushButton::clicked, this, [this] { OnExport(); });
    connect(m_forget, &QPushButton::clicked, this, [this] { ForgetAllRounds(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    // A screen too narrow for the parts side by side (a phone's) has them above each other.
    if (layout->minimumSize().width() > GetWorkArea().Width()) {
        top->removeWidget(m_since);
        layout->insertWidget(1, m_since);
        charts->setDirection(QBoxLayout::TopToBottom);
        buttons->removeWidget(close);
        layout->addWidget(close);
        for (int column = 0; column < figures->columnCount(); ++column) {
            figures->setColumnStretch(column, 0);
        }
        std::vector<QWidget*> figureWidgets;
        while (QLayoutItem* item = figures->takeAt(0)) {
            figureWidgets.push_back(item->widget());
            delete item;
        }
        for (size_t i = 0; i < figureWidgets.size(); ++i) {
            figures->addWidget(figureWidgets[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
        }
        figures->setColumnStretch(1, 1);
        lists->removeWidget(guessesLabel);
        lists->removeWidget(m_guesses);
        lists->addWidget(guessesLabel, 2, 0);
        lists->addWidget(m_guesses, 3, 0);
        lists->setColumnStretch(1, 0);
        // No column is squeezed to dots: the list scrolls sideways instead.
        m_roundList->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Interactive);
        // The page's least size was taken with the parts side by side.
        journalPage->updateGeometry();
        m_pages->updateGeometry();
    }

    const QFontMetrics metrics = fontMetrics();
    resize(WithinWorkArea(QSize(metrics.averageCharWidth() * 120, metrics.height() * 38)));
    Load();
    m_levelChoice->setFocus();
}

ProgressWindow::~ProgressWindow() = default;

QString ProgressWindow::LevelName(int level) const {
    if (level >= 1 && level <= m_levelNames.size()) {
        return m_levelNames[level - 1];
    }
    return QString::number(level);
}

void ProgressWindow::Load() {
    m_status = m_journal.Open(Journal::Mode::Write, false);
    if (m_status == JournalStatus::ReadOnly) {
        m_status = m_journal.Open(Journal::Mode::Read);
    }
    m_rounds.clear();
    if (m_journal.IsOpen() && m_journal.ReadRounds(&m_rounds, false) != JournalStatus::Ok) {
        m_rounds.clear();
    }
    const std::int64_t since = m_journal.IsOpen() ? m_journal.CountingSince() : 0;
    m_since->setText(
        since > 0 ? QCoreApplication::translate("platform::ProgressWindow", "Counting since %1")
                        .arg(LocalTime(since))
                  : QString());
    ShowFigures();
}

void ProgressWindow::SetLevel(int level) {
    m_level = level;
    if (m_levelChoice->currentIndex() != level) {
        m_levelChoice->setCurrentIndex(level);
    }
    ShowFigures();
}

void ProgressWindow::ShowFigures() {
    std::vector<const JournalRound*> shown;
    shown.reserve(m_rounds.size());
    for (auto round = m_rounds.rbegin(); round != m_rounds.rend(); ++round) {
        if (m_level == 0 || round->level == m_level) {
            shown.push_back(&*round);
        }
    }
    const bool empty = shown.empty();
    m_export->setEnabled(!m_rounds.empty());
    m_forget->setEnabled(!m_rounds.empty() && m_journal.IsOpen() &&
                         m_status != JournalStatus::ReadOnly);
    if (empty) {
        QString text;
        switch (m_status) {
            case JournalStatus::Ok:
            case JournalStatus::Missing:
            case JournalStatus::Damaged:
            case JournalStatus::ReadOnly:
                text = m_rounds.empty()
                           ? QCoreApplication::translate(
                                 "platform::ProgressWindow",
                                 "No rounds yet. Every round you play from now on is kept here: "
                                 "choose Druno > New Game, and come back to see how you do.")
                           : QCoreApplication::translate("platform::ProgressWindow",
                                                         "No rounds at this level yet.");
                break;
            case JournalStatus::Newer:
                text = QCoreApplication::translate(
                           "platform::ProgressWindow",
                           "The journal %1 comes from a newer version of Druno and is left "
                           "as it is.")
                           .arg(m_journal.Path());
                break;
            default:
                text = QCoreApplication::translate("platform::ProgressWindow",
                                                   "The journal %1 cannot be read just now.")
                           .arg(m_journal.Path());
                break;
        }
        m_empty->setText(text);
        m_pages->setCurrentWidget(m_empty);
        m_model->SetRounds({});
        m_guesses->clear();
        return;
    }
    m_pages->setCurrentIndex(1);

    const JournalFigures figures = ComputeFigures(m_rounds, m_level);
    const QLocale locale;
    m_figures[0]->setText(locale.toString(figures.rounds));
    m_figures[1]->setText(locale.toString(figures.won));
    m_figures[2]->setText(
        QCoreApplication::translate("platform::ProgressWindow", "%1 %").arg(figures.winPercent));
    m_figures[3]->setText(locale.toString(figures.currentStreak));
    m_figures[4]->setText(locale.toString(figures.bestStreak));
    m_figures[5]->setText(
        figures.won > 0 ? locale.toString(figures.averageAttempts, 'f', 1)
                        : QCoreApplication::translate("platform::ProgressWindow", "none won yet"));

    std::vector<ProgressChart::Bar> bars;
    for (int attempts = 1; attempts <= JournalFigures::kMostAttempts; ++attempts) {
        const int wins = figures.winsIn[static_cast<std::size_t>(attempts - 1)];
        bars.push_back(
            {locale.toString(attempts), wins, locale.toString(wins),
             QCoreApplication::translate("platform::ProgressWindow", "Won at attempt %1: %2")
                 .arg(attempts)
                 .arg(wins),
             true});
    }
    bars.push_back(
        {QCoreApplication::translate("platform::ProgressWindow", "Lost",
                                     "the label of a chart's bar"),
         figures.losses, locale.toString(figures.losses),
         QCoreApplication::translate("platform::ProgressWindow", "Lost: %1").arg(figures.losses),
         false});
    m_attempts->SetBars(
        QCoreApplication::translate("platform::ProgressWindow",
                                    "Attempts of the won rounds, and the rounds lost"),
        std::move(bars));

    std::vector<ProgressChart::Bar> stretches;
    for (const WinRateStretch& stretch : figures.recent) {
        stretches.push_back(
            {QStringLiteral("%1–%2").arg(stretch.first).arg(stretch.last), stretch.percent,
             QCoreApplication::translate("platform::ProgressWindow", "%1 %").arg(stretch.percent),
             QCoreApplication::translate("platform::ProgressWindow", "Rounds %1 to %2: %3 % won")
                 .arg(stretch.first)
                 .arg(stretch.last)
                 .arg(stretch.percent),
             true});
    }
    m_recent->SetBars(
        QCoreApplication::translate("platform::ProgressWindow", "Win rate of the latest rounds"),
        std::move(stretches), 100);

    m_model->SetRounds(std::move(shown));
    m_roundList->setCurrentIndex(m_model->index(0, 0));
}

void ProgressWindow::ShowGuesses() {
    m_guesses->clear();
    const JournalRound* round = m_model->RoundAt(m_roundList->currentIndex().row());
    if (round == nullptr) {
        return;
    }
    std::vector<JournalGuess> guesses;
    m_journal.ReadGuesses(round->id, &guesses);
    int attempt = 0;
    for (const JournalGuess& guess : guesses) {
        m_guesses->addItem(QCoreApplication::translate("platform::ProgressWindow",
                                                       "%1.  %2   %3 in place, %4 elsewhere")
                               .arg(++attempt)
                               .arg(guess.digits)
                               .arg(guess.rightPlace)
                               .arg(guess.elsewhere));
    }
    if (guesses.empty()) {
        m_guesses->addItem(
            QCoreApplication::translate("platform::ProgressWindow", "No guess was made."));
    }
    if (!round->secret.isEmpty()) {
        m_guesses->addItem(
            QCoreApplication::translate("platform::ProgressWindow", "The number was %1.")
                .arg(round->secret));
    }
    if (round->endedMs != 0) {
        m_guesses->addItem(QCoreApplication::translate("platform::ProgressWindow", "Time taken: %1")
                               .arg(Duration(round->spentMs)));
    }
}

void ProgressWindow::OnExport() {
    const QString path = QFileDialog::getSaveFileName(
        this, QCoreApplication::translate("platform::ProgressWindow", "Export Rounds"),
        QDir::home().filePath(QStringLiteral("druno-rounds.csv")),
        QCoreApplication::translate("platform::ProgressWindow", "CSV files (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    if (!ExportTo(path)) {
        MessageBox(QCoreApplication::translate("platform::ProgressWindow",
                                               "The rounds could not be written to %1.")
                       .arg(path),
                   kMbIconInformation);
    }
}

bool ProgressWindow::ExportTo(const QString& path) {
    std::vector<JournalRound> rounds;
    if (!m_journal.IsOpen() || m_journal.ReadRounds(&rounds, true) != JournalStatus::Ok) {
        return false;
    }
    return WriteJournalCsv(path, rounds);
}

bool ProgressWindow::ForgetAllRounds() {
    if (MessageBox(QCoreApplication::translate(
                       "platform::ProgressWindow",
                       "Forget every round in the journal? The statistics stay as they are."),
                   kMbYesNoQuestion, kIdNo) != kIdYes) {
        return false;
    }
    const JournalStatus status = m_journal.Forget();
    if (status != JournalStatus::Ok) {
        MessageBox(QCoreApplication::translate(
                       "platform::ProgressWindow",
                       "The journal could not be emptied just now. Please try again later."),
                   kMbIconInformation);
        return false;
    }
    Load();
    return true;
}

}  // namespace platform
