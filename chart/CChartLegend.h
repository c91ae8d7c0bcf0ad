#pragma once

#include <QFont>
#include <QSize>

// The chart's legend. The program keeps it hidden, and a hidden legend takes no room and draws
// nothing.
class CChartLegend {
public:
    CChartLegend() {
        font_.setFamily(QStringLiteral("Times New Roman"));
        font_.setStyleHint(QFont::Serif);
    }

    bool IsVisible() const { return false; }
    const QFont& GetFont() const { return font_; }
    // The room the legend takes beside the plotting area.
    QSize GetSize() const { return QSize(0, 0); }

private:
    QFont font_;
};
