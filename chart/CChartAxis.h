#pragma once

#include "chart/CChartAxisLabel.h"
#include "chart/CChartGrid.h"
#include "chart/SChartRect.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

class CChartCtrl;
class QPainter;

// Where an axis stands around the plotting area. Bottom and top axes are horizontal; right and
// top axes are secondary.
enum class ChartAxisPosition { Left = 0, Bottom = 1, Right = 2, Top = 3 };

// An axis of the chart: its range, its pixel span along the plotting area, the mapping between
// values and pixels, zoom and pan, and the drawing of its line, ticks, tick labels, title and
// grid. How ticks are placed and written is left to the derived axis.
class CChartAxis {
public:
    CChartAxis(CChartCtrl* owner, ChartAxisPosition position);
    virtual ~CChartAxis() = default;
    CChartAxis(const CChartAxis&) = delete;
    CChartAxis& operator=(const CChartAxis&) = delete;

    ChartAxisPosition GetPosition() const { return position_; }
    // A number no other axis of the program has had, so that what was drawn against one axis
    // is never taken for drawn against its successor.
    std::uint64_t GetSerial() const { return serial_; }
    bool IsHorizontal() const { return horizontal_; }
    bool IsSecondary() const { return secondary_; }
    bool IsInverted() const { return inverted_; }
    void SetInverted(bool inverted);
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);

    // Sets the range and the range a zoom returns to, then redraws the chart.
    void SetMinMax(double min, double max);
    double GetMin() const { return min_; }
    double GetMax() const { return max_; }
    double GetSavedMin() const { return savedMin_; }
    double GetSavedMax() const { return savedMax_; }

    // With automatic on (the default) the increment follows the range and the axis length; off,
    // the given increment is used as it is (0 or less: a single tick at the minimum).
    void SetTickIncrement(bool automatic, double increment);
    bool IsAutomaticTickIncrement() const { return automaticTickIncrement_; }
    double GetTickIncrement() const { return tickIncrement_; }
    double GetFirstTick() const { return firstTick_; }
    int GetDecimalCount() const { return decimalCount_; }
    // The values of every tick from the first one up to the maximum.
    std::vector<double> GetTickValues() const;
    // The ticks inside the span that get a label, as the last layout places them. All of the
    // major ticks while no label would run into its neighbour; otherwise every k-th one (k = 2,
    // 5, 10, 20, ... counted from the tick at zero, or from the first major tick when the axis
    // has no tick increment), the smallest k that parts them and still leaves two labels;
    // failing that the first and the last. Ticks and grid lines stay at every tick.
    std::vector<double> GetLabelledTickValues() const;

    const QColor& GetAxisColor() const { return axisColor_; }
    void SetAxisColor(const QColor& color);
    const QColor& GetTextColor() const { return textColor_; }
    void SetTextColor(const QColor& color);
    const QFont& GetTickFont() const { return tickFont_; }
    CChartGrid* GetGrid() { return &grid_; }
    CChartAxisLabel* GetLabel() { return &label_; }

    // Pixel span: left to right edge of the plotting area for a horizontal axis, bottom to top
    // edge for a vertical one. The control sets it while it lays the chart out.
    void SetSpan(int start, int end);
    int GetStartPixel() const { return start_; }
    int GetEndPixel() const { return end_; }
    // The strip beside the plotting area where the axis draws its ticks, labels and title.
    const SChartRect& GetArea() const { return area_; }

    // Value to pixel along the span; every value maps to the middle when min equals max. Values
    // far outside the range are held a million pixels beyond the span; NaN maps to the start.
    virtual int ValueToScreen(double value) const;
    // The same pixel as a floating-point number, held only at a million million pixels, for
    // drawing lines towards points far outside the range in their true direction.
    double ValueToScreenF(double value) const;
    // Pixel to value along the span; min when min equals max or the span is empty.
    virtual double ScreenToValue(int pixel) const;

    bool IsZoomEnabled() const { return zoomEnabled_; }
    void EnableZoom(bool enabled) { zoomEnabled_ = enabled; }
    double GetMinimumSpan() const { return minimumSpan_; }
    // Zooms to lo..hi, at least the minimum span wide; ignored while zoom is off or min equals
    // max. The range a zoom returns to stays as it is. Does not redraw.
    virtual void SetZoomRange(double lo, double hi);
    // Returns to the range last set with SetMinMax. Does not redraw.
    void UndoZoom();
    // Shifts the range so that the drawing follows a mouse move from pixel `from` to pixel `to`,
    // then redraws.
    virtual void Pan(int from, int to);

    // Tick placement and text, provided by the derived axis.
    virtual double GetFirstTickValue() const = 0;
    virtual bool GetNextTickValue(double current, double& next) const = 0;
    virtual int GetTickPosition(double value) const = 0;
    virtual QString GetTickLabelText(double value) const = 0;
    virtual void RefreshTickIncrement() = 0;
    virtual void RefreshFirstTick() = 0;
    // Whether a tick is a major one, with a label, a full tick mark and a grid line in the grid
    // colour; the others get a short mark and a grid line in the minor grid colour. Every tick
    // of the linear axis is a major one.
    virtual bool IsMajorTick(double /*value*/) const { return true; }

    // Layout and drawing, driven by the control: span and area from the chart area and the
    // plotting rectangle; the ticks for that span; the room the axis takes out of the plotting
    // rectangle; the drawing itself.
    void SetLayout(const SChartRect& chartArea, const SChartRect& plot);
    void RefreshTicks();
    void FitPlot(const SChartRect& chartArea, SChartRect& plot) const;
    void Draw(QPainter& painter, const SChartRect& plot);
    // Largest width and height of the tick labels that fall inside the span.
    QSize GetTickLabelExtent() const { return tickLabelExtent_; }

protected:
    CChartCtrl* GetOwner() const { return owner_; }
    void RequestRedraw();
    // The scale along which values are spread evenly over the span, and its inverse: the value
    // itself on the linear axis, its logarithm on the logarithmic one.
    virtual double ToScale(double value) const { return value; }
    virtual double FromScale(double scaled) const { return scaled; }

    double min_ = 0.0;
    double max_ = 0.0;
    bool automaticTickIncrement_ = true;
    double firstTick_ = 0.0;
    double tickIncrement_ = 1.0;
    int decimalCount_ = 0;

private:
    // A tick inside the span, with its label where the axis writes it.
    struct TickLabel {
        double value = 0.0;
        int pixel = 0;
        QString text;
        QPoint origin;
        QSize size;
        bool major = true;
        bool shown = true;
    };

    template <typename Visit>
    void ForEachTick(Visit visit) const;
    std::vector<TickLabel> TickLabels() const;
    // Clears `shown` on the major labels that are left out (see GetLabelledTickValues); minor
    // ticks are never shown.
    void ThinLabels(std::vector<TickLabel>& labels) const;
    bool LabelsApart(const TickLabel& a, const TickLabel& b) const;
    bool IsInSpan(int pixel) const;
    // The width of a tick label in the tick font, measured once per text.
    int TextWidth(const QString& text) const;
    // ToScale of min and max, computed again only when they change.
    void ScaledRange(double& low, double& high) const;
    int SpanMiddle() const { return (start_ + end_) / 2; }
    void MeasureTickLabels();
    void DrawAxisLine(QPainter& painter) const;
    void DrawTickMark(QPainter& painter, int pixel, int length) const;
    QPoint LabelOrigin() const;
    QPoint TickLabelOrigin(int pixel, QSize textSize) const;

    static inline std::uint64_t nextSerial_ = 0;

    CChartCtrl* owner_;
    std::uint64_t serial_ = nextSerial_++;
    ChartAxisPosition position_;
    bool horizontal_;
    bool secondary_;
    bool inverted_ = false;
    bool visible_ = true;
    double savedMin_ = 0.0;
    double savedMax_ = 0.0;
    int start_ = 0;
    int end_ = 0;
    SChartRect area_;
    QFont tickFont_;
    QColor textColor_ = Qt::black;
    QColor axisColor_ = Qt::black;
    CChartGrid grid_;
    CChartAxisLabel label_;
    bool zoomEnabled_ = true;
    double minimumSpan_ = 0.001;
    QSize tickLabelExtent_;
    mutable QHash<QString, int> textWidths_;
    mutable double scaledFor_[2] = {0.0, 0.0};
    mutable double scaled_[2] = {0.0, 0.0};
    mutable bool scaledValid_ = false;
};
