#pragma once

// Dialog units: the measure of dialog templates, tied to the template's font so that a dialog
// keeps its proportions whatever the font's size. The base units are the font's average
// character width (over "A".."Z" and "a".."z", rounded) and its height in pixels;
// x pixels = du * baseX / 4 and y pixels = du * baseY / 8, rounded to the nearest pixel.

#include <QFont>
#include <QRect>
#include <QString>

namespace platform {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The font of a template: "System" and "Tahoma", which Linux does not have, become
    // Liberation Sans (or DejaVu Sans, or the desktop's sans font); other faces are asked
    // for by name with the sans font behind them.
    static QFont TemplateFont(const QString& face, int points);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }
    int ToPixelsX(int du) const;
    int ToPixelsY(int du) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace platform
