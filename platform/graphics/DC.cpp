#include "platform/graphics/DC.h"

#include "platform/core/Messages.h"
#include "platform/core/Resources.h"
#include "platform/graphics/DrawingRecorder.h"
#include "platform/graphics/QtGeometry.h"
#include "platform/graphics/TextImageCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

// ---- Bitmap -------------------------------------------------------------------------------

Bitmap::Bitmap() = default;

Bitmap::~Bitmap() {
    if (m_selectedIn != nullptr) {
        // The context goes back to its own surface rather than keep a dangling bitmap.
        m_selectedIn->SelectObject(static_cast<Bitmap*>(nullptr));
    }
}

bool Bitmap::LoadBitmap(unsigned id) {
    const QString path = FindBitmap(id);
    // Pixmaps need the GUI application; before it exists there is nothing to load into.
    if (path.isEmpty() || qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr ||
        m_selectedIn != nullptr) {
        return false;
    }
    auto pixmap = std::make_unique<QPixmap>(path);
    if (pixmap->isNull()) {
        return false;
    }
    m_pixmap = std::move(pixmap);
    return true;
}

bool Bitmap::DeleteObject() {
    if (!m_pixmap || m_selectedIn != nullptr) {
        return false;
    }
    m_pixmap.reset();
    return true;
}

// ---- Font ---------------------------------------------------------------------------------

Font::Font() = default;
Font::~Font() = default;

namespace {

// Far beyond any screen. Font engines give up on much larger sizes and then report empty
// metrics, so a height from a damaged settings file is brought down to this first.
constexpr int kMaxFontPixels = 16384;

// The character cell (ascent + descent) of the font at a pixel size.
int CellAt(QFont& font, int pixels) {
    font.setPixelSize(pixels);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The largest pixel size whose character cell is at most cellHeight. The search starts from
// an estimate, which is as a rule right or one off, and widens its steps from there, so that
// even a face whose metrics make no sense at huge sizes costs a few dozen measurements.
int MeasurePixelSizeForCell(QFont font, int cellHeight) {
    font.setPixelSize(1000);
    const QFontMetricsF reference(font);
    const qreal cellPerPixel = (reference.ascent() + reference.descent()) / 1000.0;
    const qreal estimate = cellHeight / (cellPerPixel > 0 ? cellPerPixel : 1.0);
    const int start = qRound(std::clamp<qreal>(estimate, 1, kMaxFontPixels));
    // Bracket the answer: low fits (or is 1), high does not (or is one past the largest).
    int low = start;
    int high = start + 1;
    if (start > 1 && CellAt(font, start) > cellHeight) {
        high = start;
        for (int step = 1;; step *= 2) {
            low = std::max(1, high - step);
            if (low == 1 || CellAt(font, low) <= cellHeight) {
                break;
            }
            high = low;
        }
    } else {
        for (int step = 1; high <= kMaxFontPixels && CellAt(font, high) <= cellHeight; step *= 2) {
            low = high;
            high = std::min(low + step * 2, kMaxFontPixels + 1);
        }
    }
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (CellAt(font, middle) <= cellHeight) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low;
}

// The game makes its two fonts anew for every paint; each face and cell height is measured
// once. A handful of entries compared whole is cheaper than any key built from the font.
// Only the user-interface thread makes fonts.
int PixelSizeForCell(const QFont& font, int cellHeight) {
    cellHeight = std::min(cellHeight, kMaxFontPixels);
    struct Known {
        QFont font;
        int cellHeight;
        int pixelSize;
    };
    // Never destroyed: the fonts it holds would otherwise be freed after the application.
    static auto& known = *new std::vector<Known>;
    static FontChangeWatch watch([] { known.clear(); });
    watch.Check();
    for (const Known& entry : known) {
        if (entry.cellHeight == cellHeight && entry.font == font) {
            return entry.pixelSize;
        }
    }
    constexpr std::size_t kMaxKnown = 8;
    if (known.size() >= kMaxKnown) {
        known.erase(known.begin());
    }
    const int size = MeasurePixelSizeForCell(font, cellHeight);
    known.push_back({font, cellHeight, size});
    return size;
}

}  // namespace

bool Font::CreateFontIndirect(const LogFont& logFont) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    QFont font = QGuiApplication::font();
    if (!logFont.lfFaceName.isEmpty()) {
        // Qt asks fontconfig, whose aliases give a metric-compatible face for "Arial".
        font.setFamilies({logFont.lfFaceName});
    }
    // A plain face, whatever the desktop's own font is.
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    if (logFont.lfHeight > 0) {
        font.setPixelSize(PixelSizeForCell(font, logFont.lfHeight));
    } else if (logFont.lfHeight < 0) {
        font.setPixelSize(logFont.lfHeight < -kMaxFontPixels ? kMaxFontPixels : -logFont.lfHeight);
    }
    m_font = std::make_unique<QFont>(font);
    return true;
}

bool Font::DeleteObject() {
    if (!m_font) {
        return false;
    }
    m_font.reset();
    return true;
}

// ---- DC -----------------------------------------------------------------------------------

DC::DC() = default;

// A fresh context draws opaque text, black on white unless told the window's colours.
DC::DC(QPainter* painter) : DC(painter, Qt::black, Qt::white) {}

DC::DC(QPainter* painter, const QColor& text, const QColor& background) : m_painter(painter) {
    if (painter != nullptr) {
        painter->setPen(text);
        painter->setBackground(background);
        painter->setBackgroundMode(Qt::OpaqueMode);
    }
}

DC::~DC() {
    DeleteDC();
}

bool DC::CreateCompatibleDC(DC* /*other*/) {
    if (m_painter != nullptr || m_memory ||
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    // Nothing is made until something is drawn into the context: a context that only serves
    // as the source of a copy costs no painter and no surface.
    m_memory = true;
    return true;
}

bool DC::DeleteDC() {
    if (m_bitmap != nullptr) {
        m_bitmap->m_selectedIn = nullptr;
        m_bitmap = nullptr;
    }
    EndOwnPainting();
    m_surface.reset();
    const bool wasContext = m_painter != nullptr || m_memory;
    m_painter = nullptr;
    m_memory = false;
    return wasContext;
}

QPainter* DC::Target() const {
    if (m_painter == nullptr && m_memory) {
        BeginOwnPainting(m_bitmap != nullptr ? m_bitmap->m_pixmap.get() : Surface());
    }
    return m_painter;
}

QPixmap* DC::Surface() const {
    if (!m_surface) {
        m_surface = std::make_unique<QPixmap>(1, 1);
        m_surface->fill(Qt::white);
    }
    return m_surface.get();
}

void DC::BeginOwnPainting(QPixmap* target) const {
    EndOwnPainting();
    m_ownPainter = std::make_unique<QPainter>(target);
    m_ownPainter->setPen(Qt::black);
    m_ownPainter->setBackground(Qt::white);
    m_ownPainter->setBackgroundMode(m_bkMode == kBkTransparent ? Qt::TransparentMode
                                                               : Qt::OpaqueMode);
    if (m_font != nullptr && m_font->QtFont() != nullptr) {
        m_ownPainter->setFont(*m_font->QtFont());
    }
    m_painter = m_ownPainter.get();
}

void DC::EndOwnPainting() const {
    if (m_ownPainter) {
        m_ownPainter->end();
        m_ownPainter.reset();
        m_painter = nullptr;
    }
}

Bitmap* DC::SelectObject(Bitmap* bitmap) {
    if (!m_memory || (bitmap != nullptr && (bitmap->IsNull() || bitmap->m_selectedIn != nullptr))) {
        return nullptr;
    }
    Bitmap* previous = m_bitmap;
    if (previous != nullptr) {
        previous->m_selectedIn = nullptr;
    }
    m_bitmap = bitmap;
    if (bitmap != nullptr) {
        bitmap->m_selectedIn = this;
    }
    // Drawing from now on goes to the new target, through a painter opened when needed.
    EndOwnPainting();
    return previous;
}

Font* DC::SelectObject(Font* font) {
    Font* previous = m_font;
    m_font = font;
    if (m_painter != nullptr) {
        if (font != nullptr && font->QtFont() != nullptr) {
            m_painter->setFont(*font->QtFont());
        } else {
            m_painter->setFont(QGuiApplication::font());
        }
    }
    return previous;
}

int DC::SetBkMode(int mode) {
    if (mode != kBkTransparent && mode != kBkOpaque) {
        return 0;
    }
    const int previous = m_bkMode;
    m_bkMode = mode;
    if (m_painter != nullptr) {
        m_painter->setBackgroundMode(mode == kBkTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
    }
    return previous;
}

const QPixmap* DC::SourcePixmap() const {
    if (m_bitmap != nullptr) {
        return m_bitmap->m_pixmap.get();
    }
    return m_memory ? Surface() : nullptr;
}

bool DC::BitBlt(int x, int y, int width, int height, DC* source, int xSrc, int ySrc, unsigned rop) {
    if (rop != kRopSrcCopy || Target() == nullptr || source == nullptr || width < 0 || height < 0) {
        return false;
    }
    const QPixmap* pixmap = source->SourcePixmap();
    if (pixmap == nullptr) {
        return false;
    }
    const QPainter::CompositionMode mode = m_painter->compositionMode();
    m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->drawPixmap(QRect(x, y, width, height), *pixmap, QRect(xSrc, ySrc, width, height));
    m_painter->setCompositionMode(mode);
    RecordDrawnBitmap(*pixmap, xSrc, ySrc, Rect{x, y, x + width, y + height});
    return true;
}

double DC::DeviceScale() const {
    QPainter* painter = Target();
    if (painter == nullptr) {
        return 1.0;
    }
    // The painter's transform takes in the device's own pixel ratio.
    const QTransform transform = painter->combinedTransform();
    return std::hypot(transform.m11(), transform.m12());
}

void DC::FillSolidRect(const Rect& rect, Colour colour) {
    QPainter* painter = Target();
    if (painter == nullptr || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    // Edges rounded to device pixels and taken back through the painter's transform.
    const QTransform transform = painter->combinedTransform();
    const QRectF device = transform.mapRect(QRectF(ToQRect(rect)));
    const QRectF snapped(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(transform.inverted().mapRect(snapped),
                      QColor(colour.red, colour.green, colour.blue));
    painter->restore();
}

void DC::FillPolygon(const std::vector<PointF>& points, Colour colour) {
    QPainter* painter = Target();
    if (painter == nullptr || points.size() < 3) {
        return;
    }
    QPolygonF polygon;
    for (const PointF& point : points) {
        polygon << QPointF(point.x, point.y);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(colour.red, colour.green, colour.blue));
    painter->drawPolygon(polygon);
    painter->restore();
}

void DC::FillGlyphs(const QString& text, const Rect& rect, Colour colour) {
    QPainter* painter = Target();
    if (painter == nullptr || text.isEmpty() || rect.bottom <= rect.top) {
        return;
    }
    // Outlines at a large size, brought to the rectangle by the size of a digit's ink, so the
    // face's hinting plays no part and the glyphs stay as smooth as the device allows.
    constexpr int kOutlinePixels = 200;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kOutlinePixels);
    QPainterPath outline;
    outline.addText(0, 0, font, text);
    QPainterPath digit;
    digit.addText(0, 0, font, QStringLiteral("0"));
    const QRectF ink = outline.boundingRect();
    const QRectF digitInk = digit.boundingRect();
    if (ink.isEmpty() || digitInk.isEmpty()) {
        return;
    }
    const QRectF box(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom));
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(box.width() / digitInk.width(), box.height() / digitInk.height());
    place.translate(-ink.center().x(), -ink.center().y());
    // The face's regular strokes, thickened a little, weigh about as much as the bitmap's.
    constexpr double kThickening = 0.25;
    const QColor fill(colour.red, colour.green, colour.blue);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(fill, kThickening, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(fill);
    painter->drawPath(place.map(outline));
    painter->restore();
}

namespace {

// Text without kDtCenter starts at the left; vertical centring applies to a single line only,
// other text starts at the top. An ampersand marks a mnemonic, as on the handheld.
int QtTextFlags(unsigned format) {
    const bool single = (format & kDtSingleLine) != 0;
    int flags = (format & kDtCenter) != 0 ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= single && (format & kDtVCenter) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
    flags |= single ? Qt::TextSingleLine : 0;
    return flags | Qt::TextShowMnemonic;
}

}  // namespace

int DC::DrawText(const QString& text, Rect* rect, unsigned format) {
    if (Target() == nullptr || rect == nullptr) {
        return 0;
    }
    const QRect box = ToQRect(*rect);
    const int flags = QtTextFlags(format);
    RecordDrawnText(text, *rect, format);
    QRect drawn;
    if (!DrawCachedText(*m_painter, box, flags, text, &drawn)) {
        m_painter->save();
        m_painter->setClipRect(box, Qt::IntersectClip);
        m_painter->drawText(box, flags, text, &drawn);
        m_painter->restore();
    }
    // Text placed lower in the box reports where it ends, measured from the box's top.
    if ((flags & Qt::AlignVCenter) != 0) {
        return drawn.bottom() + 1 - rect->top;
    }
    return drawn.height();
}

}  // namespace platform
