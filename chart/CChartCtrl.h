#pragma once

#include "chart/CChartAxis.h"
#include "chart/SChartRect.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <vector>

class CChartLayer;
class CChartLineSerie;
class CChartLogAxis;
class CChartSerie;
class CChartStandardAxis;
class QPainter;

// The response chart: line curves of (X, Y) points over up to four linear axes, with ticks,
// labels, a dashed grid and a border round the plotting area. Everything is drawn into an
// off-screen image of the widget's size, which painting only copies. The left mouse button drags
// a zoom rectangle (dragging up or left returns to the full range); the right button pans.
//
// Beyond that, and only when asked: a logarithmic axis (AddLogAxis), layers drawn over the
// series that may take the mouse first (AddLayer), and the axis gestures (EnableAxisGestures).
// Without them the chart draws and behaves exactly as described above.
class CChartCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CChartCtrl(QWidget* parent = nullptr);
    ~CChartCtrl() override;

    // Creates a linear axis at the position, replacing any axis there (with its label text,
    // range and settings; series drawn against the old axis follow the new one), and redraws.
    CChartStandardAxis* AddAxis(ChartAxisPosition position);
    // The same with a logarithmic axis.
    CChartLogAxis* AddLogAxis(ChartAxisPosition position);
    CChartAxis* GetAxis(ChartAxisPosition position) const;
    CChartAxis* GetLeftAxis() const { return GetAxis(ChartAxisPosition::Left); }
    CChartAxis* GetBottomAxis() const { return GetAxis(ChartAxisPosition::Bottom); }
    CChartAxis* GetRightAxis() const { return GetAxis(ChartAxisPosition::Right); }
    CChartAxis* GetTopAxis() const { return GetAxis(ChartAxisPosition::Top); }

    // Adds a line series drawn against the bottom and left axes, in the next palette colour,
    // and redraws. Returns null when either axis is missing.
    CChartLineSerie* AddLineSerie();
    CChartSerie* GetSerie(unsigned serieId) const;
    std::size_t GetSeriesCount() const { return series_.size(); }
    // Destroys every series and redraws.
    void RemoveAllSeries();

    // Rebuilds the off-screen image and repaints; only marks the redraw as pending while redraw
    // is held. Before the window exists the data is only stored and the first paint draws.
    void Redraw();
    // Holds and releases redraws, nestable: a batch of changes between the two draws once.
    void HoldRedraw();
    void ReleaseRedraw();
    bool IsRedrawHeld() const { return redrawCounter_ <= 0; }

    bool IsZoomEnabled() const { return zoomEnabled_; }
    void EnableZoom(bool enabled) { zoomEnabled_ = enabled; }
    bool IsPanEnabled() const { return panEnabled_; }
    void EnablePan(bool enabled) { panEnabled_ = enabled; }

    const QColor& GetBackColor() const { return backColor_; }
    void SetBackColor(const QColor& color);
    const QColor& GetBorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& color);
    const QColor& GetZoomRectColor() const { return zoomRectColor_; }
    void SetZoomRectColor(const QColor& color) { zoomRectColor_ = color; }

    // Adds a layer (not owned) over the series and redraws; the mouse is then followed without a
    // button too, for the layers. RemoveLayer takes it away again and redraws.
    void AddLayer(CChartLayer* layer);
    void RemoveLayer(CChartLayer* layer);

    // The axis gestures of the tuning view: the wheel over the plotting area zooms the left axis
    // about the pointer, and a double-click on an axis (its strip beside the plotting area)
    // returns that axis to its full range. Off by default: a double-click is then two clicks.
    void EnableAxisGestures(bool enabled) { axisGestures_ = enabled; }
    bool AxisGesturesEnabled() const { return axisGestures_; }

    // The rectangle inside the border, as laid out by the last redraw.
    const SChartRect& GetPlottingRect() const { return plottingRect_; }
    // The off-screen image; null until the first redraw.
    const QImage& GetImage() const { return image_; }

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
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    static constexpr std::size_t kAxisCount = 4;
    // Room between the edge of the control and the chart area.
    static constexpr int kChartInset = 3;

    template <class Axis>
    Axis* PlaceAxis(ChartAxisPosition position);
    bool WindowExists() const;
    // Zooms the left axis by the wheel's turn about the value under y.
    void ZoomLeftAxis(int y, int angleDelta);
    // The axis whose strip holds the point, or null.
    CChartAxis* AxisAt(QPoint point) const;
    void RebuildImage();
    void LayOutAxes(const SChartRect& chartArea, SChartRect& plot);
    void DrawBorder(QPainter& painter, const SChartRect& plot) const;
    void FinishZoom();

    int redrawCounter_ = 1;
    bool redrawPending_ = false;
    QImage image_;
    bool paintedOnce_ = false;

    QColor backColor_;
    // The raised edge: outer and inner ring, top-left and bottom-right colours.
    QColor edgeOuterLight_;
    QColor edgeOuterDark_;
    QColor edgeInnerLight_;
    QColor edgeInnerDark_;
    QColor borderColor_ = Qt::black;
    SChartRect plottingRect_;

    std::array<std::unique_ptr<CChartAxis>, kAxisCount> axes_;
    // Declared after the axes so that the series, which refer to them, go first.
    std::map<unsigned, std::unique_ptr<CChartSerie>> series_;

    bool panEnabled_ = true;
    bool panning_ = false;
    QPoint panLast_;
    bool zoomEnabled_ = true;
    bool zooming_ = false;
    QPoint zoomStart_;
    QPoint zoomEnd_;
    QColor zoomRectColor_ = Qt::white;

    std::vector<CChartLayer*> layers_;
    CChartLayer* mouseLayer_ = nullptr; // the layer that took the button held
    bool axisGestures_ = false;
};
