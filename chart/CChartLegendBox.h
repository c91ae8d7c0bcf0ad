#pragma once

#include "chart/CChartLayer.h"

#include <QColor>
#include <QString>
#include <vector>

class CChartCtrl;

// A legend in the top left corner of the plotting area: one line per entry, a short sample of
// the curve's pen and its text, on a pale box. Without entries it draws nothing.
class CChartLegendBox : public CChartLayer {
public:
    struct Entry {
        QColor color;
        int width = 1;
        Qt::PenStyle style = Qt::SolidLine;
        QString text;

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    explicit CChartLegendBox(CChartCtrl& chart);
    ~CChartLegendBox() override;
    CChartLegendBox(const CChartLegendBox&) = delete;
    CChartLegendBox& operator=(const CChartLegendBox&) = delete;

    // Replaces the entries; redraws when they changed.
    void SetEntries(std::vector<Entry> entries);
    const std::vector<Entry>& Entries() const { return entries_; }

    void Draw(QPainter& painter, const SChartRect& plot) override;

private:
    CChartCtrl& chart_;
    std::vector<Entry> entries_;
};
