#pragma once

// A look at the next modal window to open (a dialog, a message box, the Progress window), run
// from inside its modal loop once it is up; then the window is closed as a player would leave
// it: a question answered No, a box OK, a dialog cancelled.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void WhenModalOpens(std::function<void(QWidget*)> look) {
    QTimer::singleShot(10, [look] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr) {
            WhenModalOpens(look);
            return;
        }
        look(window);
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            QAbstractButton* no = box->button(QMessageBox::No);
            (no != nullptr ? no : box->button(QMessageBox::Ok))->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        }
    });
}
