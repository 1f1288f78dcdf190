#pragma once

// Drives a modal dialog from inside its modal loop, as a user would: the handler that opens
// the dialog is called, and each step then runs on the open dialog after the event loop has
// handled the one before. A dialog still open after the last step is cancelled, so that a
// test never hangs, and the run says so.

#include "platform/dialogs/Dialog.h"

#include <QString>

#include <functional>
#include <vector>

namespace testing_support {

using ModalStep = std::function<void(platform::Dialog& dlg)>;

struct ModalRun {
    int stepsRun = 0;
    bool leftOpen = false;    // still open after the last step (then cancelled by the driver)
    unsigned templateId = 0;  // the dialog that was shown
};

ModalRun DriveModal(const std::function<void()>& open, const std::vector<ModalStep>& steps);

// The dialog of the modal run in progress, or null.
platform::Dialog* ActiveDialog();

// The OK (Done) button of the dialog's title area, and the dialog's control 2.
void PressDone(platform::Dialog& dlg);
void PressCancel(platform::Dialog& dlg);
void SetText(platform::Dialog& dlg, int id, const QString& text);
QString Text(platform::Dialog& dlg, int id);
void Click(platform::Dialog& dlg, int id);

}  // namespace testing_support
