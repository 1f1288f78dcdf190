#include "platform/graphics/DrawingRecorder.h"

#include <QPixmap>
#include <QRect>

#include <utility>

namespace platform {

DrawingRecorder::DrawingRecorder() : m_previous(s_active) {
    s_active = this;
}

DrawingRecorder::~DrawingRecorder() {
    s_active = m_previous;
}

void DrawingRecorder::RecordText(const QString& text, const Rect& rect, unsigned format) {
    Drawing drawing;
    drawing.kind = Drawing::Kind::Text;
    drawing.rect = rect;
    drawing.text = text;
    drawing.format = format;
    m_drawings.push_back(std::move(drawing));
}

void DrawingRecorder::RecordBitmap(const QPixmap& source, int xSrc, int ySrc, const Rect& place) {
    Drawing drawing;
    drawing.kind = Drawing::Kind::Bitmap;
    drawing.rect = place;
    drawing.image = source.copy(QRect(xSrc, ySrc, place.Width(), place.Height())).toImage();
    m_drawings.push_back(std::move(drawing));
}

}  // namespace platform
