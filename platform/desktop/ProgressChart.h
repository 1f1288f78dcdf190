#pragma once

// A bar chart drawn in the theme's colours: a bar per value, its number above it and its label
// under it. It is vector drawing, sharp at any scale. Tab reaches it, and assistive technology
// reads its title as its name and every bar as text in its description.

#include <QString>
#include <QWidget>

#include <vector>

namespace platform {

class ProgressChart : public QWidget {
    Q_OBJECT

public:
    struct Bar {
        QString label;       // under the bar
        int value = 0;       // its height, against the chart's largest value
        QString number;      // over the bar
        QString spoken;      // the bar as a sentence, for the description
        bool accent = true;  // drawn in the highlight colour; otherwise in a quieter one
    };

    explicit ProgressChart(QWidget* parent = nullptr);

    // The title names the chart; maximum is the value of a full bar (the largest when 0).
    void SetBars(const QString& title, std::vector<Bar> bars, int maximum = 0);
    const std::vector<Bar>& Bars() const { return m_bars; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    std::vector<Bar> m_bars;
    int m_maximum = 0;
};

}  // namespace platform
