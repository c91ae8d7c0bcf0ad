#pragma once

#include "chart/CChartLayer.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <vector>

class CChartCtrl;

// Handles at (x, y) values of the chart's bottom and left axes that the user takes with the left
// button: a press on a handle starts a drag, each move reports the pointer, the release ends it;
// the wheel over a handle and a double-click on it are reported too. The layer only reports: the
// owner decides what a move means and sets the handles again. A marked handle (one whose values
// the owner cannot take) is drawn hollow with a red cross. Handles outside the plotting area are
// neither drawn nor taken.
class CChartHandleLayer : public QObject, public CChartLayer {
    Q_OBJECT

public:
    struct Handle {
        double x = 0.0;
        double y = 0.0;
        QColor color;
        bool marked = false;
    };

    // Pixels from a handle's centre within which the mouse takes it.
    static constexpr int kHitRadius = 7;

    explicit CChartHandleLayer(CChartCtrl& chart);
    ~CChartHandleLayer() override;
    CChartHandleLayer(const CChartHandleLayer&) = delete;
    CChartHandleLayer& operator=(const CChartHandleLayer&) = delete;

    // Replaces the handles and redraws the chart.
    void SetHandles(std::vector<Handle> handles);
    const std::vector<Handle>& Handles() const { return handles_; }
    // The handle nearest to the pixel within kHitRadius, or -1.
    int HandleAt(QPoint pixel) const;
    // Where the handle stands on the chart as it was laid out last; false when it is outside
    // the plotting area (or there is no such handle).
    bool HandlePixel(int index, QPoint& pixel) const;
    // The handle being dragged, or -1.
    int DraggedHandle() const { return dragged_; }

    void Draw(QPainter& painter, const SChartRect& plot) override;
    bool MousePress(QMouseEvent& event) override;
    bool MouseMove(QMouseEvent& event) override;
    bool MouseRelease(QMouseEvent& event) override;
    bool MouseDoubleClick(QMouseEvent& event) override;
    bool Wheel(QWheelEvent& event) override;

signals:
    void DragStarted(int index, QPoint pixel);
    void Dragged(int index, QPoint pixel, Qt::KeyboardModifiers modifiers);
    void DragFinished(int index);
    // Whole notches of the wheel (positive away from the user) over a handle.
    void Wheeled(int index, int notches, Qt::KeyboardModifiers modifiers);
    void DoubleClicked(int index);

private:
    CChartCtrl& chart_;
    std::vector<Handle> handles_;
    int dragged_ = -1;
    int wheelRemainder_ = 0;
};
