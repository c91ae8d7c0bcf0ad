#pragma once

#include <QFont>
#include <QSize>

// The chart's legend. The program keeps it hidden, and a hidden legend takes no room and draws
// nothing.
class CChartLegend {
public:
    CChartLegend() {
        m_font.setFamily(QStringLiteral("Times New Roman"));
        m_font.setStyleHint(QFont::Serif);
    }

    bool IsVisible() const { return false; }
    const QFont& GetFont() const { return m_font; }
    // The room the legend takes beside the plotting area.
    QSize GetSize() const { return QSize(0, 0); }

private:
    QFont m_font;
};
