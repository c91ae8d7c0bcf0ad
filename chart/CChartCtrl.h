#pragma once

#include "chart/CChartAxis.h"
#include "chart/CChartLegend.h"
#include "chart/CChartTitle.h"
#include "chart/SChartRect.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstddef>
#include <map>
#include <memory>

class CChartLineSerie;
class CChartSerie;
class CChartStandardAxis;
class QPainter;

// The response chart: line curves of (X, Y) points over up to four linear axes, with ticks,
// labels, a dashed grid and a border round the plotting area. Everything is drawn into an
// off-screen image of the widget's size, which painting only copies. The left mouse button drags
// a zoom rectangle (dragging up or left returns to the full range); the right button pans.
class CChartCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CChartCtrl(QWidget* parent = nullptr);
    ~CChartCtrl() override;

    // Creates a linear axis at the position, replacing any axis there (with its label text,
    // range and settings; series drawn against the old axis follow the new one), and redraws.
    CChartStandardAxis* AddAxis(ChartAxisPosition position);
    CChartAxis* GetAxis(ChartAxisPosition position) const;
    CChartAxis* GetLeftAxis() const { return GetAxis(ChartAxisPosition::Left); }
    CChartAxis* GetBottomAxis() const { return GetAxis(ChartAxisPosition::Bottom); }
    CChartAxis* GetRightAxis() const { return GetAxis(ChartAxisPosition::Right); }
    CChartAxis* GetTopAxis() const { return GetAxis(ChartAxisPosition::Top); }

    // Adds a line series drawn against the bottom and left axes, in the next palette colour,
    // and redraws. Returns null when either axis is missing.
    CChartLineSerie* AddLineSerie();
    CChartSerie* GetSerie(unsigned serieId) const;
    std::size_t GetSeriesCount() const { return m_series.size(); }
    // Destroys every series and redraws.
    void RemoveAllSeries();

    // Rebuilds the off-screen image and repaints; only marks the redraw as pending while redraw
    // is held. Before the window exists the data is only stored and the first paint draws.
    void Redraw();
    // Holds and releases redraws, nestable: a batch of changes between the two draws once.
    void HoldRedraw();
    void ReleaseRedraw();
    bool IsRedrawHeld() const { return m_redrawCounter <= 0; }

    bool IsZoomEnabled() const { return m_zoomEnabled; }
    void EnableZoom(bool enabled) { m_zoomEnabled = enabled; }
    bool IsPanEnabled() const { return m_panEnabled; }
    void EnablePan(bool enabled) { m_panEnabled = enabled; }

    const QColor& GetBackColor() const { return m_backColor; }
    void SetBackColor(const QColor& color);
    const QColor& GetBorderColor() const { return m_borderColor; }
    void SetBorderColor(const QColor& color);
    const QColor& GetZoomRectColor() const { return m_zoomRectColor; }
    void SetZoomRectColor(const QColor& color) { m_zoomRectColor = color; }

    // The rectangle inside the border, as laid out by the last redraw.
    const SChartRect& GetPlottingRect() const { return m_plottingRect; }
    // The off-screen image; null until the first redraw.
    const QImage& GetImage() const { return m_image; }

    const CChartTitle& GetTitle() const { return m_title; }
    const CChartLegend& GetLegend() const { return m_legend; }

    // The platform's sans-serif font at a size in tenths of a point, for this widget's screen.
    QFont MakeSansSerifFont(int pointTenths) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // Lays out and draws the axes, the border and the series into the chart area.
    virtual void DrawChart(QPainter& painter, const SChartRect& chartArea);
    // Fills the client area with the background colour and draws the raised edge.
    virtual void DrawBackground(QPainter& painter, const SChartRect& clientArea);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static constexpr std::size_t AxisCount = 4;
    // Room between the edge of the control and the chart area.
    static constexpr int ChartInset = 3;

    bool WindowExists() const;
    void RebuildImage();
    void LayOutAxes(const SChartRect& chartArea, SChartRect& plot);
    void DrawBorder(QPainter& painter, const SChartRect& plot) const;
    void FinishZoom();

    int m_redrawCounter = 1;
    bool m_redrawPending = false;
    QImage m_image;
    bool m_paintedOnce = false;

    QColor m_backColor;
    // The raised edge: outer and inner ring, top-left and bottom-right colours.
    QColor m_edgeOuterLight;
    QColor m_edgeOuterDark;
    QColor m_edgeInnerLight;
    QColor m_edgeInnerDark;
    QColor m_borderColor = Qt::black;
    SChartRect m_plottingRect;

    std::array<std::unique_ptr<CChartAxis>, AxisCount> m_axes;
    // Declared after the axes so that the series, which refer to them, go first.
    std::map<unsigned, std::unique_ptr<CChartSerie>> m_series;
    CChartLegend m_legend;
    CChartTitle m_title;

    bool m_panEnabled = true;
    bool m_panning = false;
    QPoint m_panLast;
    bool m_zoomEnabled = true;
    bool m_zooming = false;
    QPoint m_zoomStart;
    QPoint m_zoomEnd;
    QColor m_zoomRectColor = Qt::white;
};
