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

namespace {
// Lines are taken in batches this often: a burst of thousands costs a few repaints, not one
// per line.
constexpr int kRefreshMs = 50;
}  // namespace

KvoWindow::KvoWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kvo"));
    m_view = new QListView(this);
    m_view->setModel(&m_model);
    m_view->setUniformItemSizes(true);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    setCentralWidget(m_view);
    BuildToolBar();
    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    if (!m_inbox.IsListening()) {
        statusBar()->showMessage(tr("Cannot receive lines: no private runtime folder."));
    }
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &KvoWindow::TakeWaitingLines);
    m_timer->start(kRefreshMs);
    resize(640, 480);
    UpdateStatus();
}

void KvoWindow::BuildToolBar() {
    QToolBar* bar = addToolBar(tr("Trace"));
    bar->setMovable(false);
    bar->addAction(tr("Clear"), this, [this] {
        m_model.Clear();
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
        UpdateStatus();
        return;
    }
    const std::vector<TraceLine> lines = m_inbox.Take();
    if (lines.empty()) {
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
    m_status->setText(text);
}
