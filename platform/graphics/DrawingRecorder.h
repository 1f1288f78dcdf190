#pragma once

// Test seam: what the drawing contexts draw, recorded in order while a recorder is alive.
// Texts come with their rectangle and format, bitmap copies with the block copied and the
// place it went to. Without a recorder a context pays one pointer test per drawing call.

#include "platform/core/Types.h"

#include <QImage>
#include <QString>

#include <vector>

class QPixmap;

namespace platform {

struct Drawing {
    enum class Kind { Text, Bitmap };
    Kind kind = Kind::Text;
    // The text's rectangle, or where the bitmap block was copied to.
    Rect rect;
    QString text;
    unsigned format = 0;
    // The block of the source bitmap that was copied.
    QImage image;
};

class DrawingRecorder {
public:
    // Records from now on; a recorder made while another records takes over until it ends.
    DrawingRecorder();
    ~DrawingRecorder();
    DrawingRecorder(const DrawingRecorder&) = delete;
    DrawingRecorder& operator=(const DrawingRecorder&) = delete;

    // The recorder that records now, or null.
    static DrawingRecorder* Active() { return s_active; }

    const std::vector<Drawing>& Drawings() const { return m_drawings; }

    void RecordText(const QString& text, const Rect& rect, unsigned format);
    void RecordBitmap(const QPixmap& source, int xSrc, int ySrc, const Rect& place);

private:
    static inline DrawingRecorder* s_active = nullptr;
    DrawingRecorder* m_previous = nullptr;
    std::vector<Drawing> m_drawings;
};

// What the drawing contexts call after drawing; a pointer test while nobody records.
inline void RecordDrawnText(const QString& text, const Rect& rect, unsigned format) {
    if (DrawingRecorder* recorder = DrawingRecorder::Active()) {
        recorder->RecordText(text, rect, format);
    }
}

inline void RecordDrawnBitmap(const QPixmap& source, int xSrc, int ySrc, const Rect& place) {
    if (DrawingRecorder* recorder = DrawingRecorder::Active()) {
        recorder->RecordBitmap(source, xSrc, ySrc, place);
    }
}

}  // namespace platform
