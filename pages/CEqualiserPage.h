#pragma once

#include "pages/CProcessingPage.h"
#include "params/EqualiserBands.h"
#include "params/EqualiserRecord.h"
#include "params/ToolLibrary.h"
#include "settings/ViewOptions.h"
#include "tool/RecordLayout.h"

#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CBandEditor;
class CMeasurementBar;
class MeasurementOverlay;
class CChartCtrl;
class CChartLineSerie;
class CPageEdit;
class CTuningView;
class ChainResponse;
class QLabel;

// What the two equaliser pages share: the chart of the response (1010), the grid of gain,
// frequency and Q boxes (one column per band; the shelves at both ends have a disabled, empty
// Q box), the hidden "save"/"cancel" buttons (1054, 1055) and the page's own binding of the
// filter design library.
//
// Library ownership: each equaliser page loads its own ToolLibrary from the program directory
// when it initialises and keeps it for its life. The parameter file writer needs one too: the
// main window may borrow the ten-band page's (Tool()) or load its own.
//
// Labels: 2000 "Gain", 2001 "GF(HZ)", 2002 "Q" (the row labels).
//
// The tuning view: with any View option on (SetViewOptions; all are off until the main window
// sets them), the chart is drawn by CTuningView and the bands can be edited on it (CBandEditor).
// With the live curve on, the curves are redrawn from what the boxes show, read as the store
// reads them, at the next turn of the event loop after an edit (edits coalesce); a band whose
// boxes hold a value outside the limits of the ten-band page's entry checks (on either page, as
// the design needs them) is drawn flat and its handle marked. Nothing is
// stored by this: the parameter set changes on the commits only. With every option off the page
// draws exactly its classic curve, at the classic times.
class CEqualiserPage : public CProcessingPage {
    Q_OBJECT

public:
    static constexpr int kCurvePoints = 1000;
    static constexpr float kStartFrequency = 20.0f;

    // The identifiers of one band's column.
    struct BandIds {
        int gain;
        int frequency;
        int q;
    };
    // The columns of the ten-band page, band 0 to 9; the eight-band page has the first eight.
    static constexpr std::array<BandIds, 10> kColumnIds{{
        {1041, 1044, 1046},
        {1042, 1045, 1047},
        {1043, 1018, 1019},
        {1020, 1021, 1022},
        {1023, 1024, 1025},
        {1026, 1027, 1028},
        {1029, 1030, 1031},
        {1032, 1033, 1034},
        {1035, 1036, 1037},
        {1038, 1039, 1040},
    }};

    // In this order: loads the library (on failure a message box titled with the application's name
    // says ToolLibrary::LoadFailureMessage(), and the page goes on without curves), localizes the
    // page, sets up the chart (bottom axis 0 to SWFS x 0.5 truncated, "CF"; left axis -30 to
    // 30, "GAIN"), selects the page's channel and loads it (which draws the curve).
    void Initialise() override;

    // Hides "save"/"cancel", disables the shelves' Q boxes, shows the Link state, writes the
    // gains and frequencies as integers and the Q values with one decimal (rounded), then draws
    // the curve.
    void LoadChannel(int channel) override;
    // Gains and frequencies read as integer text, Q as decimal text stored as float; the
    // shelves' Q boxes are not read.
    void StoreChannel(int channel) override;

    // Recomputes the response of the page's selected channel from the parameter set (not from
    // the boxes) and draws it as one red series, 2 pixels wide; the bottom axis follows SWFS.
    // Without the library (or without a usable sample rate) the chart shows no curve. In the
    // tuning view: draws its curves, from the boxes when the live curve is on.
    void DrawCurve();

    // The display options (the View menu). Before Initialise they are only kept.
    void SetViewOptions(const ViewOptions& options);
    const ViewOptions& Options() const { return options_; }
    // Who adds to a draft what other boxes show (the main window: its gain boxes and both
    // equaliser pages); without one the draft takes this page's boxes only.
    void SetDraftOverlay(std::function<void(ParameterSet&)> overlay) {
        draftOverlay_ = std::move(overlay);
    }
    // Writes what this page's boxes show into a draft, as the store would (into both channels
    // when linked); a band the entry checks refuse goes in flat, at a frequency and Q the design
    // can take.
    void OverlayBoxes(ParameterSet& draft) const;
    // The parameter set with what the boxes show.
    ParameterSet Draft() const;
    // With the live curve on: redraws at the next turn of the event loop (once for any number
    // of calls before it).
    void ScheduleLiveRedraw();
    // Redraws the tuning view now from what the boxes show (a drag or wheel edit), and keeps
    // doing so until the page next redraws for a commit, a load or a channel change.
    void RedrawFromBoxes();

    EqualiserKind Kind() const {
        return layout_.bands == 10 ? EqualiserKind::TenBand : EqualiserKind::EightBand;
    }
    int32_t SampleRate() const { return Params().SWFS; }
    CTuningView* Tuning() const { return tuning_.get(); }
    CBandEditor* Editor() const { return editor_.get(); }
    // What the tuning view draws over the channel's measurement: the overlay (null for none)
    // and the name of the target for the legend.
    struct MeasurementView {
        std::shared_ptr<const MeasurementOverlay> overlay;
        QString targetName;
    };
    using MeasurementSource = std::function<MeasurementView(int channel, int32_t sampleRate)>;
    // Who gives the page its channel's measurement (the main window); without one, none.
    void SetMeasurementSource(MeasurementSource source) { measurementSource_ = std::move(source); }
    // The measurement row under the chart.
    CMeasurementBar& MeasureBar() const { return *measureBar_; }
    // Shows bands (of this page's kind) in the boxes, as a load shows a channel; nothing is
    // stored. The shelves' Q boxes stay empty.
    void ShowBands(const EqualiserBands& bands);

    // The warning under the chart (the device response's departures); hidden without one.
    QLabel& Warning() const { return *warning_; }

    // The x value of each curve point for a sample rate: the frequencies at which the library
    // evaluates the response, 20 Hz times 2^(i x step), step = log2((SWFS x 0.5) / 20) / 1000.
    static std::vector<double> CurveFrequencies(int32_t sampleRate);

    const ToolLibrary& Tool() const { return tool_; }
    ToolLoadResult ToolResult() const { return toolResult_; }
    CChartCtrl& Chart() const { return *chart_; }
    // The series of the response drawn last; null while the chart shows no curve.
    const CChartLineSerie* Curve() const;

    int BandCount() const { return static_cast<int>(bands_.size()); }
    CPageEdit& GainBox(int band) const;
    CPageEdit& FrequencyBox(int band) const;
    // The Q box of a band; the shelves' boxes (first and last band) stay disabled and empty.
    CPageEdit& QBox(int band) const;

signals:
    // A box's text changed (typed, stepped, dragged or loaded).
    void BoxesChanged();
    // A drag or wheel edit of a band on the chart begins and ends: one edit.
    void EditStarted(int band);
    void EditFinished(int band);

protected:
    // One channel's equaliser fields in the parameter set: gains and frequencies of every band,
    // Q of the peaking bands (element i belongs to band i + 1).
    struct ChannelBands {
        std::span<int32_t> gain;
        std::span<int32_t> frequency;
        std::span<float> q;
    };

    // The page shows the bands of layout (the first layout.bands columns) and edits fields.
    // programDirectory ends with a separator; empty means the running program's directory.
    CEqualiserPage(CIniSettingBase& settings, CIniLocalLan& language, int dialogId,
                   const RecordLayout& layout, const EqualiserFields& fields, LinkField link,
                   SelectionField channel, std::u16string programDirectory, QWidget* parent);
    ~CEqualiserPage() override;

    // The fields of a channel in the parameter set.
    ChannelBands Bands(int channel) const;
    // Runs the page's design function on a channel of the parameter set, writing kCurvePoints dB
    // values into curve; false when the function is not available.
    virtual bool ComputeResponse(int channel, int32_t sampleRate,
                                 std::span<float, kCurvePoints> curve) const = 0;

    // Calls design (when it resolved) on record, filling curve on the page's grid.
    template <class Record>
    static bool Design(EqProductFunction design, Record record, int32_t sampleRate,
                       std::span<float, kCurvePoints> curve) {
        if (design == nullptr) {
            return false;
        }
        design(reinterpret_cast<float*>(&record), curve.data(), sampleRate, kStartFrequency,
               kCurvePoints);
        return true;
    }

private:
    struct BandBoxes {
        CPageEdit* gain = nullptr;
        CPageEdit* frequency = nullptr;
        CPageEdit* q = nullptr;
    };

    void CreateUi();
    void SetUpChart();
    void ConnectLiveCurve();
    // The tuning view's drawing, from the boxes or from the parameter set.
    void RedrawTuning();
    // The bands the boxes show, read as the store reads them; marked[b] is set for a band whose
    // boxes the entry checks refuse (drawn flat).
    EqualiserBands BoxBands(std::vector<bool>* marked) const;
    // Bottom axis 0 to half the sample rate, left axis -30 to 30 dB: both leave any zoom.
    void SetRanges();
    bool IsShelf(int band) const { return layout_.KindOf(band) != BandKind::Peaking; }

    const RecordLayout& layout_;
    const EqualiserFields& fields_;
    std::u16string programDirectory_;
    ToolLibrary tool_;
    ToolLoadResult toolResult_ = ToolLoadResult::NotLoaded;
    CChartCtrl* chart_ = nullptr;
    CChartLineSerie* curve_ = nullptr;
    QLabel* warning_ = nullptr;
    std::vector<BandBoxes> bands_;

    ViewOptions options_;
    bool initialised_ = false;
    bool boxesShown_ = false; // the tuning view shows the boxes, not the parameter set
    std::unique_ptr<ChainResponse> design_;
    std::unique_ptr<CTuningView> tuning_;
    std::unique_ptr<CBandEditor> editor_;
    std::function<void(ParameterSet&)> draftOverlay_;
    MeasurementSource measurementSource_;
    CMeasurementBar* measureBar_ = nullptr;
    QTimer liveTimer_;
};
