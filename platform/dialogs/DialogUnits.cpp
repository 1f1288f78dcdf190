#include "platform/dialogs/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

#include <cmath>

namespace platform {

namespace {

constexpr int kAlphabetLength = 52;

int AverageCharWidth(const QFontMetrics& metrics) {
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int total = metrics.horizontalAdvance(alphabet);
    return (total + kAlphabetLength / 2) / kAlphabetLength;
}

// du * base / divisor rounded half away from zero.
int Scale(int du, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(du) * base / divisor));
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_baseX = AverageCharWidth(metrics);
    m_baseY = metrics.height();
}

QFont DialogUnits::TemplateFont(const QString& face, int points) {
    QFont font;
    const bool handheldFace = face.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0 ||
                              face.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0;
    if (handheldFace || face.isEmpty()) {
        font.setFamilies(QStringList()
                         << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans"));
    } else {
        font.setFamilies(QStringList() << face << QStringLiteral("Liberation Sans")
                                       << QStringLiteral("DejaVu Sans"));
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points > 0 ? points : 8);
    return font;
}

int DialogUnits::ToPixelsX(int du) const {
    return Scale(du, m_baseX, 4);
}

int DialogUnits::ToPixelsY(int du) const {
    return Scale(du, m_baseY, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    return {ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy)};
}

}  // namespace platform
