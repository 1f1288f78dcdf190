#include "KvoWindow.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// Lines are taken in batches: the first line of a batch starts this wait, so a burst of
// thousands costs a few repaints, not one per line, and an idle viewer never wakes.
constexpr int kBatchMs = 50;
}  // namespace

KvoWindow::KvoWindow(TraceLimits limits, QWidget* parent)
    : QMainWindow(parent),
      m_inbox(
          [this] {
              // On the inbox's thread: hand over to the user interface's.
              QMetaObject::invokeMethod(this, &KvoWindow::LinesArrived, Qt::QueuedConnection);
          },
          limits),
      m_model(limits) {
    setWindowTitle(QStringLiteral("Kvo"));
    m_view = new QListView(this);
    m_view->setModel(&m_model);
    m_view->setUniformItemSizes(true);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    // A problem that keeps lines from coming shows above them, whole, however long the path;
    // the count keeps the status bar to itself.
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_problem);
    layout->addWidget(m_view, 1);
    setCentralWidget(central);
    BuildToolBar();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("count"));
    statusBar()->addWidget(m_status, 1);
    if (m_inbox.IsListening()) {
        m_problem->hide();
    } else {
        m_problem->setText(tr("Cannot receive lines: %1.").arg(m_inbox.Problem()));
        m_problem->setMargin(6);
    }
    m_batch = new QTimer(this);
    m_batch->setSingleShot(true);
    m_batch->setInterval(kBatchMs);
    connect(m_batch, &QTimer::timeout, this, &KvoWindow::TakeWaitingLines);
    resize(640, 480);
    UpdateStatus();
}

void KvoWindow::LinesArrived() {
    if (!m_batch->isActive()) {
        m_batch->start();
    }
}

void KvoWindow::BuildToolBar() {
    QToolBar* bar = addToolBar(tr("Trace"));
    bar->setMovable(false);
    bar->addAction(tr("Clear"), this, [this] {
        m_model.Clear();
        m_inbox.TakeDropped();
        UpdateStatus();
    });
    m_pause = bar->addAction(tr("Pause"));
    m_pause->setCheckable(true);
    connect(m_pause, &QAction::toggled, this, &KvoWindow::SetPaused);
    QAction* currentRun = bar->addAction(tr("Current run"));
    currentRun->setCheckable(true);
    currentRun->setToolTip(tr("Show only the lines of the program started last"));
    connect(currentRun, &QAction::toggled, this, [this](bool only) {
        m_model.SetCurrentRunOnly(only);
        UpdateStatus();
    });
    bar->addAction(tr("Save..."), this, &KvoWindow::Save);
    bar->addSeparator();
    m_findField = new QLineEdit(bar);
    m_findField->setPlaceholderText(tr("Find"));
    m_findField->setClearButtonEnabled(true);
    m_findField->setMaximumWidth(200);
    connect(m_findField, &QLineEdit::returnPressed, this, &KvoWindow::FindNext);
    bar->addWidget(m_findField);
    bar->addAction(tr("Next"), this, &KvoWindow::FindNext);
}

void KvoWindow::TakeWaitingLines() {
    if (m_pause->isChecked()) {
        // Lines stay in the inbox; the next one to come updates the count of those waiting.
        m_inbox.Rearm();
        UpdateStatus();
        return;
    }
    m_model.NoteDropped(m_inbox.TakeDropped());
    const std::vector<TraceLine> lines = m_inbox.Take();
    if (lines.empty()) {
        UpdateStatus();
        return;
    }
    // Follow the end only when the user is already there, so reading back is not disturbed.
    QScrollBar* scroll = m_view->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    m_model.Append(lines);
    if (atEnd) {
        m_view->scrollToBottom();
    }
    UpdateStatus();
}

void KvoWindow::SetPaused(bool paused) {
    if (m_pause->isChecked() != paused) {
        m_pause->setChecked(paused);
        return;
    }
    TakeWaitingLines();
    UpdateStatus();
}

void KvoWindow::FindNext() {
    const int from = m_view->currentIndex().isValid() ? m_view->currentIndex().row() : -1;
    const int row = m_model.FindNext(m_findField->text(), from);
    if (row < 0) {
        statusBar()->showMessage(tr("Not found: %1").arg(m_findField->text()), 3000);
        return;
    }
    const QModelIndex index = m_model.index(row);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool KvoWindow::SaveTo(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        return false;
    }
    QTextStream out(&file);
    for (int row = 0; row < m_model.rowCount(); ++row) {
        out << m_model.ShownText(row) << '\n';
    }
    out.flush();
    return file.error() == QFile::NoError;
}

void KvoWindow::Save() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Save trace"), QString(),
                                                      tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty()) {
        return;
    }
    if (!SaveTo(path)) {
        QMessageBox::warning(this, windowTitle(), tr("Could not write %1.").arg(path));
    }
}

namespace {
QString Lines(int count) {
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
}
}  // namespace

void KvoWindow::UpdateStatus() {
    QString text = Lines(m_model.TotalLines());
    if (m_model.CurrentRunOnly()) {
        text += QStringLiteral(", %1 shown from process %2")
                    .arg(m_model.rowCount())
                    .arg(m_model.CurrentRun());
    }
    if (m_pause->isChecked()) {
        text += QStringLiteral(", paused: %1 waiting").arg(m_inbox.Waiting());
    }
    const std::size_t dropped = m_model.Dropped() + m_inbox.Dropped();
    if (dropped > 0) {
        text += QStringLiteral(", %1 oldest dropped").arg(dropped);
    }
    m_status->setText(text);
}
