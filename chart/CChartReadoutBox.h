#pragma once

#include "chart/CChartLayer.h"

#include <QString>
#include <utility>
#include <vector>

class CChartCtrl;

// Readouts in the bottom left corner of the plotting area (below the curves, which rarely go
// there), one line each, on a pale box: the whole chain's peak, an error figure. Each line has a
// key, so that whoever sets a line can change or remove it without knowing the others; lines keep
// the order they were first set.
class CChartReadoutBox : public CChartLayer {
public:
    explicit CChartReadoutBox(CChartCtrl& chart);
    ~CChartReadoutBox() override;
    CChartReadoutBox(const CChartReadoutBox&) = delete;
    CChartReadoutBox& operator=(const CChartReadoutBox&) = delete;

    // Sets the line of key; an empty text removes it. Redraws when something changed.
    void SetLine(const QString& key, const QString& text);
    // The line of key; empty when there is none.
    QString Line(const QString& key) const;

    void Draw(QPainter& painter, const SChartRect& plot) override;

private:
    CChartCtrl& chart_;
    std::vector<std::pair<QString, QString>> lines_;
};
