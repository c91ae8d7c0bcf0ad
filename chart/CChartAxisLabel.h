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

    const QString& GetText() const { return m_text; }
    // Stores the text and redraws the chart.
    void SetText(const QString& text);
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible);
    const QColor& GetColor() const { return m_color; }
    void SetColor(const QColor& color);
    bool IsHorizontal() const { return m_horizontal; }
    const QFont& GetFont() const { return m_font; }

    // Width and height of the label where it stands: the text's extent, turned by 90 degrees for
    // a vertical axis; (0, 0) without text or while hidden.
    QSize GetSize() const;
    // Writes the text starting at the given point: for a horizontal label its top-left corner,
    // for a vertical one the lower-left corner from which the text runs upwards.
    void Draw(QPainter& painter, QPoint textOrigin) const;

private:
    CChartCtrl* m_owner;
    bool m_horizontal;
    bool m_visible = true;
    QColor m_color = Qt::black;
    QFont m_font;
    QString m_text;
};
