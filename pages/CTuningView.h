#pragma once

#include "base/TextCatalog.h"
#include "measure/MeasurementOverlay.h"
#include "params/TuningResponse.h"
#include "settings/ViewOptions.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

class CChartCtrl;
class CChartHandleLayer;
class CChartHoverReadout;
class CChartLegendBox;
class CChartLineSerie;
class CChartReadoutBox;
class QLabel;

// What an equaliser page draws while any View option is on (the tuning view): the page's own
// equaliser in red as always, and as the options ask the other channel's curve, the whole
// chain of each shown channel with a legend and the peak readout, each band's own curve with a
// handle at (frequency, gain), the response from the stored sections (dashed) with a warning
// naming the bands that depart from the design, the logarithmic frequency axis, the hover
// readout and the axis gestures. The curves come from a parameter set that the page gives (the
// stored one, or a draft of what its boxes show); nothing here stores anything.
//
// Series are kept from one drawing to the next while the same curves are shown, and only their
// points change, so that a drag step redraws without rebuilding the chart.
class CTuningView : public QObject {
    Q_OBJECT

public:
    // Where the page's equaliser stands, for the curves and the legend.
    struct Page {
        EqualiserKind kind = EqualiserKind::TenBand;
        int channel = 0; // 0 L, 1 R
        QString name;    // "10EQ", "8EQ"
        // The channel's measurement, drawn with the predicted response, the target and the
        // error readout; null when there is none. targetName says what the target is.
        const MeasurementOverlay* measurement = nullptr;
        QString targetName;
    };

    // The chart and the warning label belong to the page and outlive this object.
    CTuningView(CChartCtrl& chart, QLabel& warning);
    ~CTuningView() override;

    // Sets the axes (logarithmic from 20 Hz or linear from 0, to half the sample rate; -30 to
    // 30 dB) and the layers for these options. The ranges are set again (leaving any zoom) only
    // when the options or the end of the frequency axis change.
    void Apply(const ViewOptions& options, int32_t sampleRate);
    // Removes the layers, the series and the logarithmic axis: the chart as the classic page
    // sets it up next.
    void Detach();

    // Draws the curves of set. marked[b] says that band b's boxes hold a value the entry checks
    // refuse (it is drawn flat, its handle marked). Without a design (the library not loaded)
    // or a usable sample rate only the axes remain.
    void Draw(const ParameterSet& set, const Page& page, const ChainResponse* design,
              const std::vector<bool>& marked, const TextCatalog& texts);

    // The series of the page's own equaliser drawn last; null while there is none.
    CChartLineSerie* Curve() const { return series_.own; }
    CChartHandleLayer* Handles() const { return handles_.get(); }
    CChartReadoutBox* Readouts() const { return readouts_.get(); }
    CChartLegendBox* Legend() const { return legend_.get(); }
    const CChartHoverReadout* Hover() const { return hover_.get(); }
    const TuningCurves& Curves() const { return curves_; }
    // The measurement's curves drawn last (empty without a measurement).
    const OverlayCurves& Overlay() const { return overlay_; }
    const TuningResponse* Response() const { return response_.get(); }

    // "low shelf", "peaking" or "high shelf" for a band of an equaliser.
    static TextId BandKindText(EqualiserKind kind, int band);
    // The colour of band b's curve and handle.
    static QColor BandColor(int band);
    // "63 Hz", "1.25 kHz", "12.5 kHz": whole Hz below 1 kHz, three digits above.
    static QString FrequencyReadout(double hertz);
    // "+7.0", "-3.5": dB with a sign and one decimal.
    static QString GainReadout(double decibels);

    // The keys of the peak line and of the error line among the readouts.
    static const QString kPeakReadout;
    static const QString kErrorReadout;

private:
    struct Series {
        std::vector<CChartLineSerie*> bands;
        CChartLineSerie* otherEqualiser = nullptr;
        CChartLineSerie* otherChain = nullptr;
        CChartLineSerie* ownChain = nullptr;
        CChartLineSerie* otherDevice = nullptr;
        CChartLineSerie* ownDevice = nullptr;
        CChartLineSerie* own = nullptr;
        CChartLineSerie* measured = nullptr;
        CChartLineSerie* predicted = nullptr;
        CChartLineSerie* target = nullptr;
    };
    // Which series a drawing needs.
    struct Shape {
        int bands = 0;
        bool other = false;
        bool chain = false;
        bool device = false;
        bool measurement = false;
        bool target = false;

        friend bool operator==(const Shape&, const Shape&) = default;
    };

    void SetUpAxes(bool logAxis, int32_t halfRate);
    void MakeSeries(const Shape& shape);
    CChartLineSerie* AddSerie(const QColor& color, int width, Qt::PenStyle style);
    void ShowCurves(const TuningCurves& curves);
    void ShowHandles(const ParameterSet& set, const Page& page, const std::vector<bool>& marked);
    void ShowLegend(const Page& page, const TextCatalog& texts);
    void ShowPeak(const TextCatalog& texts);
    void ShowError(const Page& page, const TextCatalog& texts);
    // The measurement's curves for the page, or none (overlay_ emptied).
    void ComputeOverlay(const ParameterSet& set, const Page& page);
    void ShowDepartures(const Page& page, const TextCatalog& texts);
    void RemoveSeries();

    CChartCtrl& chart_;
    QLabel& warning_;
    ViewOptions options_;
    bool applied_ = false;
    bool logAxis_ = false;
    int32_t halfRate_ = -1;
    const ChainResponse* design_ = nullptr;
    std::unique_ptr<TuningResponse> response_;
    TuningCurves curves_;
    OverlayCurves overlay_;
    Series series_;
    Shape shape_;
    bool haveSeries_ = false;
    std::unique_ptr<CChartHandleLayer> handles_;
    std::unique_ptr<CChartLegendBox> legend_;
    std::unique_ptr<CChartReadoutBox> readouts_;
    std::unique_ptr<CChartHoverReadout> hover_;
};
