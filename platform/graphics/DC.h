#pragma once

// Drawing: device contexts over QPainter, bitmaps from the resources, fonts from a logical
// font description.

#include "platform/core/Types.h"

#include <QColor>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QPixmap;
class QFont;

namespace platform {

class DC;

// A colour as red, green and blue, 0 to 255 each.
struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// A point between pixels, for outlines that are drawn smooth at any scale.
struct PointF {
    double x = 0;
    double y = 0;
};

class Bitmap {
public:
    Bitmap();
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Loads bitmap resource id; false when there is no such bitmap.
    bool LoadBitmap(unsigned id);
    // False while the bitmap is selected into a memory context.
    bool DeleteObject();
    bool IsNull() const { return !m_pixmap; }
    const QPixmap* Pixmap() const { return m_pixmap.get(); }

private:
    friend class DC;
    std::unique_ptr<QPixmap> m_pixmap;
    DC* m_selectedIn = nullptr;
};

// A logical font: a field left 0 takes the platform's default. A positive height is the
// height of the character cell in pixels, a negative one the character height.
struct LogFont {
    int lfHeight = 0;
    QString lfFaceName;
};

class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool CreateFontIndirect(const LogFont& logFont);
    bool DeleteObject();
    bool IsNull() const { return !m_font; }
    const QFont* QtFont() const { return m_font.get(); }

private:
    std::unique_ptr<QFont> m_font;
};

// A device context. A paint context draws into a window; a memory context, made compatible
// with another context, draws into the bitmap selected into it (a 1 x 1 surface until one
// is). A window's own context (Window::GetDC) only serves to make memory contexts.
// Text is drawn in black on white unless the paint context is given the window's colours; the
// font is the platform's default until one is selected.
class DC {
public:
    DC();
    // A context drawing with the painter (not owned).
    explicit DC(QPainter* painter);
    // The same, drawing text in the given colour over the given background.
    DC(QPainter* painter, const QColor& text, const QColor& background);
    virtual ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    bool CreateCompatibleDC(DC* other);
    bool DeleteDC();

    // Each gives back the object it replaces (null for none). Selecting null puts back the
    // context's default font; a bitmap goes only into a memory context and only into one.
    Bitmap* SelectObject(Bitmap* bitmap);
    Font* SelectObject(Font* font);

    // 1 draws text without filling its background, 2 fills it; gives the previous mode.
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }

    // Copies a block of pixels from the source context's bitmap; kRopSrcCopy is a plain
    // copy and the one operation offered.
    bool BitBlt(int x, int y, int width, int height, DC* source, int xSrc, int ySrc, unsigned rop);
    // Draws the text in the rectangle, clipped to it; flags are kDtCenter, kDtVCenter and
    // kDtSingleLine. Gives the height of the text drawn.
    int DrawText(const QString& text, Rect* rect, unsigned format);

    // Device pixels per pixel of the context: 1 where a bitmap copied in lands pixel for pixel,
    // more where the window is drawn enlarged or the screen is high-resolution.
    double DeviceScale() const;
    // Fills the rectangle; its edges fall on whole device pixels, so rectangles of one size
    // come out equal wherever they lie.
    void FillSolidRect(const Rect& rect, Colour colour);
    // Fills the polygon, its edges smoothed at the device's resolution.
    void FillPolygon(const std::vector<PointF>& points, Colour colour);
    // Draws the text smoothed at the device's resolution, a digit's ink as large as the
    // rectangle and the text's ink centred in it. Not a text of the window's:
    // the pictures of a bitmap drawn from outlines.
    void FillGlyphs(const QString& text, const Rect& rect, Colour colour);

    QPainter* Painter() const { return Target(); }

private:
    // The painter that draws into the context; a memory context opens it on first use.
    QPainter* Target() const;
    QPixmap* Surface() const;
    void BeginOwnPainting(QPixmap* target) const;
    void EndOwnPainting() const;
    const QPixmap* SourcePixmap() const;

    // A memory context makes its painter and its 1 x 1 surface only when drawn into.
    mutable QPainter* m_painter = nullptr;
    bool m_memory = false;
    mutable std::unique_ptr<QPainter> m_ownPainter;
    mutable std::unique_ptr<QPixmap> m_surface;
    Bitmap* m_bitmap = nullptr;
    Font* m_font = nullptr;
    int m_bkMode = kBkOpaqueDefault;
    static constexpr int kBkOpaqueDefault = 2;
};

}  // namespace platform
