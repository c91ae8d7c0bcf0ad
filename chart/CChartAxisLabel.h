#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

class CChartCtrl;
class QPainter;

// The title of an axis ("CF", "GAIN"): 10 pt sans-serif, black, written upwards beside a vertical
// axis. Without text it takes no room and draws nothing.
class CChartAxisLabel {
public:
    CChartAxisLabel(CChartCtrl* owner, bool horizontal);

    const QString& GetText() const { return text_; }
    // Stores the text and redraws the chart.
    void SetText(const QString& text);
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);
    const QColor& GetColor() const { return color_; }
    void SetColor(const QColor& color);
    bool IsHorizontal() const { return horizontal_; }
    const QFont& GetFont() const { return font_; }

    // Width and height of the label where it stands: the text's extent, turned by 90 degrees for
    // a vertical axis; (0, 0) without text or while hidden.
    QSize GetSize() const;
    // Writes the text starting at the given point: for a horizontal label its top-left corner,
    // for a vertical one the lower-left corner from which the text runs upwards.
    void Draw(QPainter& painter, QPoint textOrigin) const;

private:
    CChartCtrl* owner_;
    bool horizontal_;
    bool visible_ = true;
    QColor color_ = Qt::black;
    QFont font_;
    QString text_;
};
