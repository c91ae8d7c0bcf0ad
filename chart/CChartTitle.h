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
    explicit CChartTitle(const QFont& font) : font_(font) {}

    const QStringList& GetLines() const { return lines_; }
    const QFont& GetFont() const { return font_; }
    const QColor& GetColor() const { return color_; }
    // The room the title takes above the plotting area.
    QSize GetSize() const { return QSize(0, 0); }

private:
    QStringList lines_;
    QFont font_;
    QColor color_ = Qt::black;
};
