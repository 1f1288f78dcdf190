#include "platform/graphics/ViewScale.h"

#include <algorithm>
#include <cmath>

namespace platform {

ViewScale::ViewScale(int layoutWidth, int layoutHeight, int widgetWidth, int widgetHeight)
    : m_clientWidth(widgetWidth), m_clientHeight(widgetHeight) {
    if (layoutWidth <= 0 || layoutHeight <= 0 || widgetWidth < layoutWidth ||
        widgetHeight < layoutHeight) {
        return;
    }
    m_factor = std::min(static_cast<double>(widgetWidth) / layoutWidth,
                        static_cast<double>(widgetHeight) / layoutHeight);
    // Whole-pixel offsets keep every scaled pixel of the layout on the same device pixels.
    m_offsetX = static_cast<int>(std::floor((widgetWidth - layoutWidth * m_factor) / 2));
    m_offsetY = static_cast<int>(std::floor((widgetHeight - layoutHeight * m_factor) / 2));
    m_clientWidth = layoutWidth;
    m_clientHeight = layoutHeight;
}

Point ViewScale::ToClient(double x, double y) const {
    // The layout pixel drawn on the widget pixel at the position: the one under its centre,
    // as nearest-neighbour scaling picks it. A factor such as 1.1 has no exact binary form;
    // a centre on a pixel's edge must not fall into the pixel before it.
    constexpr double kEdge = 1e-9;
    auto toLayout = [this, kEdge](double position, int offset) {
        const double centre = std::floor(position) + 0.5;
        return static_cast<int>(std::floor((centre - offset) / m_factor + kEdge));
    };
    return {toLayout(x, m_offsetX), toLayout(y, m_offsetY)};
}

Rect ViewScale::ToWidget(const Rect& client) const {
    if (IsIdentity()) {
        return client;
    }
    return {static_cast<int>(std::floor(m_offsetX + client.left * m_factor)) - 1,
            static_cast<int>(std::floor(m_offsetY + client.top * m_factor)) - 1,
            static_cast<int>(std::ceil(m_offsetX + client.right * m_factor)) + 1,
            static_cast<int>(std::ceil(m_offsetY + client.bottom * m_factor)) + 1};
}

}  // namespace platform
