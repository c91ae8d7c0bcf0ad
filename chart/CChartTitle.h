#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

// The chart's title: a list of text lines above the plotting area. The program shows no title,
// so the list stays empty, and an empty title takes no room and draws nothing.
class CChartTitle {
public:
    explicit CChartTitle(const QFont& font) : m_font(font) {}

    const QStringList& GetLines() const { return m_lines; }
    const QFont& GetFont() const { return m_font; }
    const QColor& GetColor() const { return m_color; }
    // The room the title takes above the plotting area.
    QSize GetSize() const { return QSize(0, 0); }

private:
    QStringList m_lines;
    QFont m_font;
    QColor m_color = Qt::black;
};
