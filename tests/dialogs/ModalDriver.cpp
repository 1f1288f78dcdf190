#include "tests/dialogs/ModalDriver.h"

#include "platform/core/Messages.h"
#include "platform/framework/Window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace testing_support {

platform::Dialog* ActiveDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return nullptr;
    }
    return dynamic_cast<platform::Dialog*>(platform::Window::FromWidget(modal));
}

ModalRun DriveModal(const std::function<void()>& open, const std::vector<ModalStep>& steps) {
    ModalRun run;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        platform::Dialog* dlg = ActiveDialog();
        if (dlg == nullptr) {
            return;
        }
        run.templateId = dlg->TemplateId();
        if (run.stepsRun < static_cast<int>(steps.size())) {
            steps[run.stepsRun++](*dlg);
            return;
        }
        run.leftOpen = true;
        dlg->EndDialog(platform::kIdCancel);
    });
    timer.start();
    open();
    timer.stop();
    return run;
}

void PressDone(platform::Dialog& dlg) {
    auto* done = dlg.Widget()->findChild<QAbstractButton*>(QStringLiteral("doneButton"));
    ASSERT_NE(done, nullptr) << "no Done button";
    ASSERT_TRUE(done->isVisible()) << "the Done button is hidden";
    QTest::mouseClick(done, Qt::LeftButton);
}

void PressCancel(platform::Dialog& dlg) {
    Click(dlg, platform::kIdCancel);
}

void Click(platform::Dialog& dlg, int id) {
    platform::Window* control = dlg.GetDlgItem(id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control->Widget(), Qt::LeftButton);
}

void SetText(platform::Dialog& dlg, int id, const QString& text) {
    platform::Window* control = dlg.GetDlgItem(id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    control->SetWindowText(text);
}

QString Text(platform::Dialog& dlg, int id) {
    platform::Window* control = dlg.GetDlgItem(id);
    return control != nullptr ? control->GetWindowText() : QString();
}

}  // namespace testing_support
