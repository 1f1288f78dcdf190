#pragma once

// What the game screen shows, read through the drawing recorder on a full repaint of the view:
// the text of the status line and of the result line, found by the areas they are drawn in,
// and the bitmaps with the places they were copied to.

#include "platform/core/Types.h"
#include "platform/framework/View.h"
#include "platform/graphics/DrawingRecorder.h"
#include "tests/support/Printers.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace testing_support {

struct ScreenDrawing {
    // Texts drawn centred on one line into the status area (top + 5 to top + 45) and into the
    // result area (top + 40 to bottom - 45), in the order drawn.
    QStringList status;
    QStringList result;
    // Bitmap copies, in the order drawn.
    std::vector<platform::Drawing> bitmaps;
    // Texts drawn anywhere else or otherwise.
    std::vector<platform::Drawing> otherTexts;

    bool IsEmpty() const {
        return status.isEmpty() && result.isEmpty() && bitmaps.empty() && otherTexts.empty();
    }
};

inline ScreenDrawing DrawGameScreen(platform::View& view) {
    constexpr unsigned kCentredLine = 37;
    const platform::Rect client = view.GetClientRect();
    const platform::Rect statusArea{client.left, client.top + 5, client.right, client.top + 45};
    const platform::Rect resultArea{client.left, client.top + 40, client.right, client.bottom - 45};
    platform::DrawingRecorder recorder;
    view.Widget()->grab();
    ScreenDrawing shown;
    for (const platform::Drawing& drawing : recorder.Drawings()) {
        if (drawing.kind == platform::Drawing::Kind::Bitmap) {
            shown.bitmaps.push_back(drawing);
        } else if (drawing.format == kCentredLine && drawing.rect == statusArea) {
            shown.status << drawing.text;
        } else if (drawing.format == kCentredLine && drawing.rect == resultArea) {
            shown.result << drawing.text;
        } else {
            shown.otherTexts.push_back(drawing);
        }
    }
    return shown;
}

}  // namespace testing_support
