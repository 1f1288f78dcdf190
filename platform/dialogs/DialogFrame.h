#pragma once

// The top-level widget of a dialog: a frameless window with a title area of its own (the
// caption, a Done button and a close box at its right) and the client area below it, which
// holds the controls. The window manager adds no decorations, so nothing but this title area
// offers to close the dialog. Keys and buttons become commands for the dialog's window.

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

namespace platform {

class DialogFrame : public QDialog {
    Q_OBJECT

public:
    // command receives the handheld's command ids: 1 for OK, 2 for Cancel, or the id of the
    // push button that has the focus when Enter is pressed.
    DialogFrame(QWidget* parent, std::function<void(int)> command);

    QWidget* Client() const { return m_client; }
    // Height of the title area in pixels; the client area is the rest of the window.
    int TitleHeight() const { return m_titleHeight; }
    // Border around the client area, in pixels, on the left, right and bottom.
    static constexpr int kBorder = 1;

    void SetDoneButtonVisible(bool visible);
    void SetCloseBoxVisible(bool visible);
    bool IsDoneButtonVisible() const;
    bool IsCloseBoxVisible() const;
    // Dragging the title area moves the window, except while it fills the screen.
    void SetMovable(bool movable) { m_movable = movable; }

    // Outer size that gives the client area this size.
    QSize SizeForClient(const QSize& client) const;

    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();

    std::function<void(int)> m_command;
    QWidget* m_title = nullptr;
    QLabel* m_caption = nullptr;
    QPushButton* m_done = nullptr;
    QToolButton* m_close = nullptr;
    QWidget* m_client = nullptr;
    int m_titleHeight = 0;
    bool m_movable = true;
};

}  // namespace platform
