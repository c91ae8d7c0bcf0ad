#pragma once

#include "chart/SChartRect.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <cstddef>

class CChartAxis;
class CChartCtrl;
class QPainter;

// Base of every chart series: the owning chart, the two axes the series is drawn against, its
// colour, and an id from a counter shared by the whole program (never reused).
class CChartSerie {
public:
    // How the points are kept: in the order given, by X ascending or by Y ascending.
    enum class Ordering { None = 0, ByX = 1, ByY = 2 };

    CChartSerie(CChartCtrl* owner, CChartAxis* horizontalAxis, CChartAxis* verticalAxis,
                const QColor& color);
    virtual ~CChartSerie() = default;
    CChartSerie(const CChartSerie&) = delete;
    CChartSerie& operator=(const CChartSerie&) = delete;

    unsigned GetSerieId() const { return serieId_; }
    CChartCtrl* GetOwner() const { return owner_; }
    CChartAxis* GetHorizontalAxis() const { return horizontalAxis_; }
    CChartAxis* GetVerticalAxis() const { return verticalAxis_; }
    // Moves the series from an axis that is being replaced to its successor.
    void ReplaceAxis(const CChartAxis* replaced, CChartAxis* successor);

    const QString& GetName() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);
    const QColor& GetColor() const { return color_; }
    // Sets the colour and redraws the chart.
    void SetColor(const QColor& color);
    // Where the series may draw: the plotting area with its border.
    const SChartRect& GetClippingRect() const { return clippingRect_; }
    void SetClippingRect(const SChartRect& rect) { clippingRect_ = rect; }

    virtual std::size_t GetPointsCount() const = 0;
    virtual QPoint GetPointScreenCoord(std::size_t index) const = 0;
    // Smallest and largest Y (vertical) and X (horizontal) of the finite coordinates of all
    // points; false when there is none.
    virtual bool GetSerieYMinMax(double& min, double& max) const = 0;
    virtual bool GetSerieXMinMax(double& min, double& max) const = 0;
    // The same over the visible points only.
    virtual bool GetVisibleSerieXMinMax(double& min, double& max) const = 0;
    virtual bool GetVisibleSerieYMinMax(double& min, double& max) const = 0;
    // First and last index of the points within the axis range; false for an empty series.
    virtual bool GetVisiblePoints(std::size_t& first, std::size_t& last) const = 0;
    virtual void DrawAll(QPainter& painter) = 0;
    virtual void SetSeriesOrdering(Ordering ordering) = 0;

protected:
    void RequestRedraw();

private:
    static inline unsigned nextSerieId_ = 0;

    CChartCtrl* owner_;
    CChartAxis* horizontalAxis_;
    CChartAxis* verticalAxis_;
    unsigned serieId_;
    QString name_;
    bool visible_ = true;
    QColor color_;
    SChartRect clippingRect_;
};
