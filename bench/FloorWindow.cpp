// The floor: the least a program of the game's shape costs. A bare Qt main window with a menu,
// a tool bar and one painted view of the game screen's size that shows what the game shows
// during a round (the digit strip, a status line, a large result line) and answers a press on
// the strip by repainting its two text lines, in the game's font sizes (cells of 100 and 16
// pixels of an Arial-like face). Fonts and the strip are made once; nothing is traced, stored
// or played. player_feel_bench measures it beside the game.

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>
#include <QWidget>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 268;
constexpr int kStripWidth = 220;
constexpr int kStripHeight = 25;

class FloorView : public QWidget {
public:
    explicit FloorView(const QString& stripPath) : m_strip(stripPath) {
        m_resultFont.setFamilies({QStringLiteral("Arial")});
        m_resultFont.setPixelSize(89);
        m_statusFont.setFamilies({QStringLiteral("Arial")});
        m_statusFont.setPixelSize(14);
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        setMinimumSize(1, 1);
    }

    QSize sizeHint() const override { return QSize(kWidth, kHeight); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(StripLeft(), StripTop(), m_strip);
        painter.setFont(m_resultFont);
        painter.drawText(ResultRect(), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("? ?"));
        painter.setFont(m_statusFont);
        const QString status =
            m_typed.isEmpty() ? QStringLiteral("1 / 10") : m_typed + QStringLiteral(", 1 / 10");
        painter.drawText(StatusRect(), Qt::AlignCenter | Qt::TextSingleLine, status);
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const int cell = (at.x() - StripLeft()) / 20;
        if (at.x() < StripLeft() || cell > 10 || at.y() < StripTop() ||
            at.y() > StripTop() + kStripHeight) {
            return;
        }
        if (cell == 10) {
            m_typed.chop(1);
        } else if (m_typed.size() < 2) {
            m_typed += QString::number(cell);
        }
        update(ResultRect());
        update(StatusRect());
    }

private:
    int StripLeft() const { return (width() - kStripWidth) / 2; }
    int StripTop() const { return height() - 35; }
    QRect ResultRect() const { return QRect(0, 40, width(), height() - 85); }
    QRect StatusRect() const { return QRect(0, 5, width(), 40); }

    QPixmap m_strip;
    QFont m_resultFont;
    QFont m_statusFont;
    QString m_typed;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));

    QMenu* game = window.menuBar()->addMenu(QStringLiteral("&Game"));
    game->addAction(QStringLiteral("&New Game"));
    game->addAction(QStringLiteral("E&xit"), &window, &QWidget::close);

    QToolBar* tools = window.addToolBar(QStringLiteral("Tools"));
    tools->setMovable(false);
    QStyle* style = window.style();
    tools->addAction(style->standardIcon(QStyle::SP_FileIcon), QStringLiteral("New"));
    tools->addAction(style->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Abort"));
    tools->addAction(style->standardIcon(QStyle::SP_MessageBoxInformation),
                     QStringLiteral("Statistics"));

    window.setCentralWidget(new FloorView(QStringLiteral(DRUNO_STRIP_IMAGE)));
    window.show();
    return QApplication::exec();
}
