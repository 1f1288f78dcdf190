#include "platform/graphics/TextImageCache.h"

#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QtMath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <list>

namespace platform {

namespace {

// Qt's raster engine keeps glyphs in its own cache up to this size (QT_MAX_CACHED_GLYPH_SIZE).
constexpr int kLargestCachedGlyph = 64;
// Lines kept: the screen shows one large line, and a round changes it a few times.
constexpr std::size_t kKeptLines = 4;
// Lines larger than this (a huge window's box) are drawn directly rather than kept.
constexpr qreal kLargestKeptImageBytes = 4 * 1024 * 1024;

struct CachedText {
    QString text;
    QFont font;
    int flags = 0;
    QRect box;
    QRgb pen = 0;
    Qt::BGMode backgroundMode = Qt::TransparentMode;
    QRgb background = 0;
    qreal devicePixelRatio = 1;
    QPainter::RenderHints hints;
    QImage image;   // the pixels the text covers, no more
    QPoint origin;  // where the image goes, in the painter's coordinates
    QRect drawn;    // as drawText reports it

    bool Matches(const CachedText& other) const {
        return text == other.text && flags == other.flags && box == other.box && pen == other.pen &&
               backgroundMode == other.backgroundMode &&
               (backgroundMode == Qt::TransparentMode || background == other.background) &&
               devicePixelRatio == other.devicePixelRatio && hints == other.hints &&
               font == other.font;
    }
};

// Most recently used first. The painting thread is the only user.
std::list<CachedText>& Lines() {
    // Never destroyed, as the measured fonts of DC.cpp: what it holds goes with the process.
    static auto& lines = *new std::list<CachedText>;
    static FontChangeWatch watch([] { lines.clear(); });
    watch.Check();
    return lines;
}

bool IsWhole(qreal value) {
    return value == std::floor(value);
}

int PixelSize(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

bool IsOneColour(const QBrush& brush) {
    return brush.style() == Qt::SolidPattern && brush.transform().isIdentity();
}

// Whether a copied image lands on exactly the pixels the painter would fill: whole device
// pixels, at the device's own ratio, blended as text is.
bool CanStandIn(const QPainter& painter, const QRect& box, qreal ratio) {
    if (PixelSize(painter.font()) <= kLargestCachedGlyph ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0 || !IsOneColour(painter.pen().brush()) ||
        (painter.backgroundMode() == Qt::OpaqueMode && !IsOneColour(painter.background()))) {
        return false;
    }
    // Logical to device pixels: no more than the device's own ratio and a shift.
    const QTransform transform = painter.combinedTransform();
    if (transform.type() > QTransform::TxScale || transform.m11() != ratio ||
        transform.m22() != ratio) {
        return false;
    }
    const QPointF origin = transform.map(QPointF(box.topLeft()));
    return IsWhole(origin.x()) && IsWhole(origin.y());
}

// The smallest rectangle holding every pixel the text touched, in whole logical pixels.
QRect CoveredPixels(const QImage& image, int ratio) {
    int top = image.height();
    int bottom = -1;
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                top = std::min(top, y);
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (bottom < 0) {
        return {};
    }
    return QRect(QPoint(left / ratio, top / ratio), QPoint(right / ratio, bottom / ratio));
}

CachedText Render(const QPainter& painter, CachedText key) {
    const QPaintDevice* device = painter.device();
    QImage image(key.box.size() * key.devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(key.devicePixelRatio);
    // The same resolution as the target, for fonts measured in points.
    image.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
    image.fill(Qt::transparent);
    QPainter imagePainter(&image);
    imagePainter.setRenderHints(painter.renderHints());
    imagePainter.setFont(painter.font());
    imagePainter.setPen(painter.pen());
    imagePainter.setBackground(painter.background());
    imagePainter.setBackgroundMode(painter.backgroundMode());
    // Laid out at the box's own place, as the painter would: where a line starts in its
    // box depends on where the box is.
    imagePainter.translate(-key.box.topLeft());
    imagePainter.setClipRect(key.box);
    imagePainter.drawText(key.box, key.flags, key.text, &key.drawn);
    imagePainter.end();
    // Only what the text covers is kept: a line is much smaller than its box.
    key.image = std::move(image);
    key.origin = key.box.topLeft();
    const int wholeRatio = qCeil(key.devicePixelRatio);
    if (wholeRatio == key.devicePixelRatio) {
        const QRect covered = CoveredPixels(key.image, wholeRatio);
        key.image =
            key.image.copy(QRect(covered.topLeft() * wholeRatio, covered.size() * wholeRatio));
        key.image.setDevicePixelRatio(key.devicePixelRatio);
        key.origin += covered.topLeft();
    }
    return key;
}

}  // namespace

void FontChangeWatch::Check() {
    if (m_watched == qGuiApp) {
        return;
    }
    m_forget();
    m_watched = qGuiApp;
    if (qGuiApp != nullptr) {
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, m_forget);
    }
}

bool DrawCachedText(QPainter& painter, const QRect& box, int flags, const QString& text,
                    QRect* drawn) {
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1;
    const qreal bytes = box.width() * ratio * box.height() * ratio * 4;
    if (box.isEmpty() || bytes > kLargestKeptImageBytes || !CanStandIn(painter, box, ratio)) {
        return false;
    }
    CachedText key;
    key.text = text;
    key.font = painter.font();
    key.flags = flags;
    key.box = box;
    key.pen = painter.pen().color().rgba();
    key.backgroundMode = painter.backgroundMode();
    key.background = painter.background().color().rgba();
    key.devicePixelRatio = ratio;
    key.hints = painter.renderHints();

    std::list<CachedText>& lines = Lines();
    auto found = lines.begin();
    while (found != lines.end() && !found->Matches(key)) {
        ++found;
    }
    if (found == lines.end()) {
        lines.push_front(Render(painter, std::move(key)));
        if (lines.size() > kKeptLines) {
            lines.pop_back();
        }
    } else if (found != lines.begin()) {
        lines.splice(lines.begin(), lines, found);
    }
    const CachedText& line = lines.front();
    if (!line.image.isNull()) {
        painter.drawImage(line.origin, line.image);
    }
    if (drawn != nullptr) {
        *drawn = line.drawn;
    }
    return true;
}

}  // namespace platform
