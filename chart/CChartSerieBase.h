#pragma once

#include "chart/CChartAxis.h"
#include "chart/CChartSerie.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The point store of a series: the points in one array, kept sorted by X (the default) or by Y,
// with the smallest and largest coordinates. Room for 1000 points is taken when the series is
// created; setting more grows it to exactly the new count. Sorting puts points whose sort
// coordinate is NaN after all others.
template <typename PointType>
class CChartSerieBase : public CChartSerie {
public:
    static constexpr std::size_t kInitialCapacity = 1000;

    CChartSerieBase(CChartCtrl* owner, CChartAxis* horizontalAxis, CChartAxis* verticalAxis,
                    const QColor& color)
        : CChartSerie(owner, horizontalAxis, verticalAxis, color) {
        points_.reserve(kInitialCapacity);
    }

    std::size_t GetPointsCount() const override { return points_.size(); }
    std::size_t GetCapacity() const { return points_.capacity(); }
    // The point at an index below GetPointsCount(), in the stored order.
    const PointType& GetPoint(std::size_t index) const { return points_[index]; }
    Ordering GetSeriesOrdering() const { return ordering_; }
    // Counts the changes of the points (and of their order), so that what is drawn from them
    // can be kept while it stays the same.
    std::uint64_t GetPointsVersion() const { return version_; }

    // Copies the points, sorts them, recomputes the extents and redraws once.
    void SetPoints(std::span<const PointType> points) {
        if (points.size() > points_.capacity()) {
            std::vector<PointType> grown;
            grown.reserve(points.size());
            points_.swap(grown);
        }
        points_.assign(points.begin(), points.end());
        SortPoints();
        RefreshExtents();
        ++version_;
        RequestRedraw();
    }

    void SetSeriesOrdering(Ordering ordering) override {
        ordering_ = ordering;
        SortPoints();
        ++version_;
        RequestRedraw();
    }

    bool GetSerieXMinMax(double& min, double& max) const override {
        min = extent_.minX;
        max = extent_.maxX;
        return extent_.hasX;
    }
    bool GetSerieYMinMax(double& min, double& max) const override {
        min = extent_.minY;
        max = extent_.maxY;
        return extent_.hasY;
    }
    bool GetVisibleSerieXMinMax(double& min, double& max) const override {
        std::size_t first = 0;
        std::size_t last = 0;
        return GetVisiblePoints(first, last) && ExtentOf(first, last, true, min, max);
    }
    bool GetVisibleSerieYMinMax(double& min, double& max) const override {
        std::size_t first = 0;
        std::size_t last = 0;
        return GetVisiblePoints(first, last) && ExtentOf(first, last, false, min, max);
    }

    // With ordering by X, binary searches for the first point not left of the horizontal axis's
    // min and, from there, the last point not right of its max (likewise by Y on the vertical
    // axis); without ordering all points. When no point falls inside the range, first and last
    // are the first point beyond it. Callers widen the range by one point on each side, so that
    // the lines that leave the plotting area are drawn up to its edge.
    bool GetVisiblePoints(std::size_t& first, std::size_t& last) const override {
        if (points_.empty()) {
            return false;
        }
        first = 0;
        last = points_.size() - 1;
        const bool byX = ordering_ == Ordering::ByX;
        const CChartAxis* axis = byX ? GetHorizontalAxis() : GetVerticalAxis();
        if (ordering_ == Ordering::None || axis == nullptr) {
            return true;
        }
        const double lo = std::min(axis->GetMin(), axis->GetMax());
        const double hi = std::max(axis->GetMin(), axis->GetMax());
        const auto begin = points_.begin();
        const auto from =
            std::lower_bound(begin, points_.end(), lo, [byX](const PointType& point, double value) {
                return Below(Coordinate(point, byX), value);
            });
        const auto to =
            std::upper_bound(from, points_.end(), hi, [byX](double value, const PointType& point) {
                return Below(value, Coordinate(point, byX));
            });
        first = std::min(static_cast<std::size_t>(from - begin), last);
        last = std::max(first, static_cast<std::size_t>(to - begin) - (to == begin ? 0 : 1));
        return true;
    }

private:
    struct Extent {
        bool hasX = false;
        bool hasY = false;
        double minX = 0.0;
        double maxX = 0.0;
        double minY = 0.0;
        double maxY = 0.0;
    };

    static double Coordinate(const PointType& point, bool byX) { return byX ? point.x : point.y; }
    // Numbers in ascending order, NaN after every number.
    static bool Below(double value, double key) {
        return value < key || (std::isnan(key) && !std::isnan(value));
    }

    void SortPoints() {
        if (ordering_ == Ordering::None) {
            return;
        }
        const bool byX = ordering_ == Ordering::ByX;
        std::stable_sort(points_.begin(), points_.end(),
                         [byX](const PointType& a, const PointType& b) {
                             return Below(Coordinate(a, byX), Coordinate(b, byX));
                         });
    }

    void RefreshExtents() {
        extent_ = Extent{};
        if (points_.empty()) {
            return;
        }
        const std::size_t last = points_.size() - 1;
        extent_.hasX = ExtentOf(0, last, true, extent_.minX, extent_.maxX);
        extent_.hasY = ExtentOf(0, last, false, extent_.minY, extent_.maxY);
    }

    // Smallest and largest finite coordinate of the points first..last.
    bool ExtentOf(std::size_t first, std::size_t last, bool byX, double& min, double& max) const {
        bool found = false;
        for (std::size_t i = first; i <= last && i < points_.size(); ++i) {
            const double value = Coordinate(points_[i], byX);
            if (!std::isfinite(value)) {
                continue;
            }
            min = found ? std::min(min, value) : value;
            max = found ? std::max(max, value) : value;
            found = true;
        }
        return found;
    }

    std::vector<PointType> points_;
    Ordering ordering_ = Ordering::ByX;
    Extent extent_;
    std::uint64_t version_ = 0;
};
