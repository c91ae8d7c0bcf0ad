#pragma once

#include "chart/CChartLayer.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

class CChartCtrl;

// A legend along the top of the plotting area: each entry a short sample of the curve's pen and
// its text, side by side, wrapped to the width of the plotting area, on a pale box; an entry
// without a colour is a note, written on a line of its own. Without entries it draws nothing.
class CChartLegendBox : public CChartLayer {
public:
    struct Entry {
        QColor color; // invalid for a note
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
    // The box drawn for the entries and a width of the plotting area.
    QImage Render(int plotWidth) const;

    CChartCtrl& chart_;
    std::vector<Entry> entries_;
    QImage image_; // kept while the entries and the width stay the same
    int imageWidth_ = -1;
};
