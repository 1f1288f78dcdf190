#include "platform/desktop/ProgressChart.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace platform {

namespace {

QColor Blend(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)));
}

}  // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProgressChart::SetBars(const QString& title, std::vector<Bar> bars, int maximum) {
    m_title = title;
    m_bars = std::move(bars);
    m_maximum = maximum;
    for (const Bar& bar : m_bars) {
        m_maximum = std::max(m_maximum, bar.value);
    }
    QStringList spoken;
    for (const Bar& bar : m_bars) {
        spoken << bar.spoken;
    }
    setAccessibleName(title);
    setAccessibleDescription(spoken.join(QLatin1Char('\n')));
    updateGeometry();
    update();
}

QSize ProgressChart::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int bars = std::max<int>(1, static_cast<int>(m_bars.size()));
    return {bars * metrics.horizontalAdvance(QStringLiteral("00000")), metrics.height() * 9};
}

QSize ProgressChart::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int bars = std::max<int>(1, static_cast<int>(m_bars.size()));
    // Two digits a bar: the labels give way before the bars do, so a phone's screen holds it.
    return {bars * metrics.horizontalAdvance(QStringLiteral("00")), metrics.height() * 6};
}

void ProgressChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor ink = colours.color(QPalette::WindowText);
    const QColor accent = colours.color(QPalette::Highlight);
    const QColor quiet = Blend(ink, colours.color(QPalette::Window), 0.45);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();

    const QRect area = rect().adjusted(4, 2, -4, -2);
    painter.setPen(ink);
    // On a narrow screen the title takes a second line rather than losing its end.
    const int titleFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect titleBox(area.left(), area.top(), area.width(), std::max(line, area.height()));
    const int titleHeight =
        std::max(line, metrics.boundingRect(titleBox, titleFlags, m_title).height());
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), titleFlags,
                     m_title);

    // Under the title: numbers, bars, the base line, labels.
    const QRect plot(area.left(), area.top() + titleHeight + line, area.width(),
                     std::max(1, area.height() - titleHeight - 2 * line - 4));
    const int count = static_cast<int>(m_bars.size());
    if (count > 0) {
        const double slot = static_cast<double>(plot.width()) / count;
        const double barWidth = std::max(2.0, slot * 0.62);
        for (int i = 0; i < count; ++i) {
            const Bar& bar = m_bars[static_cast<std::size_t>(i)];
            const double share = m_maximum > 0 ? static_cast<double>(bar.value) / m_maximum : 0;
            const double height = share * plot.height();
            const double centre = plot.left() + slot * (i + 0.5);
            const QRectF shape(centre - barWidth / 2, plot.bottom() - height, barWidth, height);
            painter.fillRect(shape, bar.accent ? accent : quiet);
            const QRectF numberBox(centre - slot / 2, shape.top() - line - 1, slot, line);
            painter.drawText(numberBox, Qt::AlignHCenter | Qt::AlignBottom, bar.number);
            const QRectF labelBox(centre - slot / 2, plot.bottom() + 3, slot, line);
            painter.drawText(labelBox, Qt::AlignHCenter | Qt::AlignTop,
                             metrics.elidedText(bar.label, Qt::ElideRight, static_cast<int>(slot)));
        }
    }
    painter.setPen(QPen(quiet, 1));
    painter.drawLine(QPointF(plot.left(), plot.bottom() + 0.5),
                     QPointF(plot.right(), plot.bottom() + 0.5));

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = colours.color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

}  // namespace platform
