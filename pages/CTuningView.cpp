#include "pages/CTuningView.h"

#include "base/NumberText.h"
#include "base/TextCatalog.h"
#include "chart/CChartAxisLabel.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartHandleLayer.h"
#include "chart/CChartHoverReadout.h"
#include "chart/CChartLegendBox.h"
#include "chart/CChartLineSerie.h"
#include "chart/CChartLogAxis.h"
#include "chart/CChartReadoutBox.h"
#include "chart/CChartStandardAxis.h"
#include "tool/RecordLayout.h"

#include <QLabel>
#include <cmath>

namespace {

constexpr double kLogAxisStart = 20.0; // Hz, where the curves start
constexpr double kGainAxisMin = -30.0;
constexpr double kGainAxisMax = 30.0;

// Curve styles: colour, pen width, pen style.
struct CurveStyle {
    QRgb color;
    int width;
    Qt::PenStyle style;
};
constexpr CurveStyle kOwnStyle{qRgb(255, 0, 0), 2, Qt::SolidLine};
constexpr CurveStyle kOtherStyle{qRgb(0, 90, 255), 1, Qt::SolidLine};
constexpr CurveStyle kOwnChainStyle{qRgb(128, 0, 160), 2, Qt::SolidLine};
constexpr CurveStyle kOtherChainStyle{qRgb(190, 120, 230), 1, Qt::SolidLine};
constexpr CurveStyle kOwnDeviceStyle{qRgb(120, 0, 0), 1, Qt::DashLine};
constexpr CurveStyle kOtherDeviceStyle{qRgb(0, 40, 140), 1, Qt::DashLine};
constexpr CurveStyle kBandsLegendStyle{qRgb(120, 120, 120), 1, Qt::SolidLine};
constexpr CurveStyle kMeasuredStyle{qRgb(150, 150, 150), 1, Qt::SolidLine};
constexpr CurveStyle kPredictedStyle{qRgb(20, 20, 20), 2, Qt::SolidLine};
constexpr CurveStyle kTargetStyle{qRgb(0, 160, 0), 2, Qt::DashLine};

// One colour per band, apart from the red of the equaliser and from each other.
constexpr std::array<QRgb, 10> kBandColors = {
    qRgb(230, 120, 0), qRgb(0, 150, 150), qRgb(200, 0, 200),  qRgb(120, 120, 0),
    qRgb(150, 75, 0),  qRgb(0, 0, 170),   qRgb(240, 90, 150), qRgb(0, 160, 220),
    qRgb(90, 170, 0),  qRgb(64, 128, 128)};

QString ChannelLetter(int channel) {
    return channel != 0 ? QStringLiteral("R") : QStringLiteral("L");
}

std::u16string U16(const QString& text) {
    return text.toStdU16String();
}

std::vector<double> ToDouble(const std::vector<float>& values) {
    return std::vector<double>(values.begin(), values.end());
}

} // namespace

const QString CTuningView::kPeakReadout = QStringLiteral("peak");
const QString CTuningView::kErrorReadout = QStringLiteral("error");

CTuningView::CTuningView(CChartCtrl& chart, QLabel& warning) : chart_(chart), warning_(warning) {}

CTuningView::~CTuningView() = default;

TextId CTuningView::BandKindText(EqualiserKind kind, int band) {
    const RecordLayout& layout = kind == EqualiserKind::TenBand ? kTenBandLayout : kEightBandLayout;
    switch (layout.KindOf(band)) {
    case BandKind::LowShelf:
        return TextId::BandLowShelf;
    case BandKind::HighShelf:
        return TextId::BandHighShelf;
    case BandKind::Peaking:
        break;
    }
    return TextId::BandPeaking;
}

QColor CTuningView::BandColor(int band) {
    return QColor::fromRgb(kBandColors[static_cast<std::size_t>(band) % kBandColors.size()]);
}

QString CTuningView::FrequencyReadout(double hertz) {
    if (!std::isfinite(hertz)) {
        return {};
    }
    if (std::round(hertz) < 1000.0) {
        return QString::fromStdString(NumberText::FormatFixed(std::round(hertz), 0)) +
               QStringLiteral(" Hz");
    }
    const double kilo = hertz / 1000.0;
    const int decimals = kilo < 9.995 ? 2 : kilo < 99.95 ? 1 : 0;
    return QString::fromStdString(NumberText::FormatFixed(kilo, decimals)) + QStringLiteral(" kHz");
}

QString CTuningView::GainReadout(double decibels) {
    std::string text = NumberText::FormatFixed(decibels, 1);
    if (text == "-0.0") {
        text = "0.0";
    }
    if (!text.empty() && text.front() != '-' && std::isfinite(decibels)) {
        text.insert(text.begin(), '+');
    }
    return QString::fromStdString(text);
}

void CTuningView::SetUpAxes(bool logAxis, int32_t halfRate) {
    chart_.HoldRedraw();
    const bool isLog = dynamic_cast<CChartLogAxis*>(chart_.GetBottomAxis()) != nullptr;
    if (chart_.GetBottomAxis() == nullptr || isLog != logAxis) {
        CChartAxis* bottom =
            logAxis ? static_cast<CChartAxis*>(chart_.AddLogAxis(ChartAxisPosition::Bottom))
                    : chart_.AddAxis(ChartAxisPosition::Bottom);
        bottom->GetLabel()->SetText(QStringLiteral("CF"));
    }
    chart_.GetBottomAxis()->SetMinMax(logAxis ? kLogAxisStart : 0.0, halfRate);
    if (chart_.GetLeftAxis() != nullptr) {
        chart_.GetLeftAxis()->SetMinMax(kGainAxisMin, kGainAxisMax);
    }
    logAxis_ = logAxis;
    halfRate_ = halfRate;
    chart_.ReleaseRedraw();
}

void CTuningView::Apply(const ViewOptions& options, int32_t sampleRate) {
    const int32_t halfRate = NumberText::TruncateToInt32(static_cast<double>(sampleRate) * 0.5);
    const bool logAxis = options.Get(ViewOption::LogAxis);
    chart_.HoldRedraw();
    if (!applied_ || logAxis != logAxis_ || halfRate != halfRate_) {
        SetUpAxes(logAxis, halfRate);
    }
    options_ = options;
    applied_ = true;
    chart_.EnableAxisGestures(true);
    if (!legend_) {
        legend_ = std::make_unique<CChartLegendBox>(chart_);
        readouts_ = std::make_unique<CChartReadoutBox>(chart_);
        hover_ = std::make_unique<CChartHoverReadout>(chart_, [](double x, double y) {
            return FrequencyReadout(x) + QStringLiteral(", ") + GainReadout(y) +
                   QStringLiteral(" dB");
        });
    }
    if (options.Get(ViewOption::BandCurves) && !handles_) {
        handles_ = std::make_unique<CChartHandleLayer>(chart_);
    } else if (!options.Get(ViewOption::BandCurves)) {
        handles_.reset();
    }
    chart_.ReleaseRedraw();
}

void CTuningView::Detach() {
    chart_.HoldRedraw();
    handles_.reset();
    hover_.reset();
    readouts_.reset();
    legend_.reset();
    RemoveSeries();
    curves_ = TuningCurves{};
    if (dynamic_cast<CChartLogAxis*>(chart_.GetBottomAxis()) != nullptr) {
        chart_.AddAxis(ChartAxisPosition::Bottom)->GetLabel()->SetText(QStringLiteral("CF"));
    }
    chart_.EnableAxisGestures(false);
    warning_.hide();
    applied_ = false;
    options_ = ViewOptions{};
    chart_.ReleaseRedraw();
}

void CTuningView::RemoveSeries() {
    chart_.RemoveAllSeries();
    series_ = Series{};
    haveSeries_ = false;
}

CChartLineSerie* CTuningView::AddSerie(const QColor& color, int width, Qt::PenStyle style) {
    CChartLineSerie* serie = chart_.AddLineSerie();
    if (serie != nullptr) {
        serie->SetColor(color);
        serie->SetWidth(width);
        serie->SetPenStyle(style);
        // Redrawn at every step of a drag: the fast way for the wide curves.
        serie->SetFastDrawing(true);
    }
    return serie;
}

void CTuningView::MakeSeries(const Shape& shape) {
    RemoveSeries();
    const auto add = [this](const CurveStyle& style) {
        return AddSerie(QColor::fromRgb(style.color), style.width, style.style);
    };
    // Drawn in this order: the bands and the measurement at the bottom, the predicted response
    // and the page's own equaliser on top.
    for (int band = 0; band < shape.bands; ++band) {
        series_.bands.push_back(AddSerie(BandColor(band), 1, Qt::SolidLine));
    }
    series_.measured = shape.measurement ? add(kMeasuredStyle) : nullptr;
    series_.target = shape.target ? add(kTargetStyle) : nullptr;
    if (shape.other) {
        series_.otherEqualiser = add(kOtherStyle);
        series_.otherChain = shape.chain ? add(kOtherChainStyle) : nullptr;
        series_.otherDevice = shape.device ? add(kOtherDeviceStyle) : nullptr;
    }
    series_.ownChain = shape.chain ? add(kOwnChainStyle) : nullptr;
    series_.ownDevice = shape.device ? add(kOwnDeviceStyle) : nullptr;
    series_.predicted = shape.measurement ? add(kPredictedStyle) : nullptr;
    series_.own = add(kOwnStyle);
    shape_ = shape;
    haveSeries_ = true;
}

void CTuningView::ShowCurves(const TuningCurves& curves) {
    // A curve that did not change (most of them, while one band is dragged) is left alone.
    const auto set = [](CChartLineSerie* serie, const std::vector<double>& x,
                        const std::vector<double>& y) {
        if (serie == nullptr) {
            return;
        }
        bool same = serie->GetPointsCount() == y.size() && y.size() == x.size();
        for (std::size_t i = 0; same && i < y.size(); ++i) {
            const SChartXYPoint& point = serie->GetPoint(i);
            same = point.x == x[i] && point.y == y[i];
        }
        if (!same) {
            serie->SetPoints(x, y);
        }
    };
    const std::vector<double>& x = curves.frequencies;
    for (std::size_t band = 0; band < series_.bands.size() && band < curves.bands.size(); ++band) {
        set(series_.bands[band], x, ToDouble(curves.bands[band]));
    }
    set(series_.otherEqualiser, x, ToDouble(curves.other.equaliser));
    set(series_.otherChain, x, curves.other.chain);
    set(series_.otherDevice, x, curves.other.device);
    set(series_.ownChain, x, curves.own.chain);
    set(series_.ownDevice, x, curves.own.device);
    set(series_.own, x, ToDouble(curves.own.equaliser));
    // The measurement's curves lie on the measured points.
    set(series_.measured, overlay_.frequencies, overlay_.measured);
    set(series_.predicted, overlay_.frequencies, overlay_.predicted);
    set(series_.target, overlay_.targetFrequencies, overlay_.target);
}

void CTuningView::ShowHandles(const ParameterSet& set, const Page& page,
                              const std::vector<bool>& marked) {
    if (!handles_) {
        return;
    }
    const EqualiserBands bands = EqualiserBands::Of(set, page.kind, page.channel);
    std::vector<CChartHandleLayer::Handle> handles;
    for (int band = 0; band < bands.Bands(); ++band) {
        const auto index = static_cast<std::size_t>(band);
        handles.push_back(CChartHandleLayer::Handle{
            static_cast<double>(bands.frequencies[index]), static_cast<double>(bands.gains[index]),
            BandColor(band), index < marked.size() && marked[index]});
    }
    handles_->SetHandles(std::move(handles));
}

void CTuningView::ShowLegend(const Page& page, const TextCatalog& texts) {
    const QString own = ChannelLetter(page.channel);
    const QString other = ChannelLetter(1 - page.channel);
    std::vector<CChartLegendBox::Entry> entries;
    const auto add = [&entries](const CurveStyle& style, const QString& text) {
        entries.push_back(
            CChartLegendBox::Entry{QColor::fromRgb(style.color), style.width, style.style, text});
    };
    const auto format = [&texts](TextId id, const QString& argument) {
        return QString::fromStdU16String(texts.Format(id, {U16(argument)}));
    };
    // "10EQ L": the page's name and the channel, as the tabs and the chain show them.
    const QString ownCurve = page.name + QLatin1Char(' ') + own;
    const QString otherCurve = page.name + QLatin1Char(' ') + other;
    add(kOwnStyle, ownCurve);
    if (shape_.other) {
        add(kOtherStyle, otherCurve);
    }
    if (shape_.chain) {
        add(kOwnChainStyle, format(TextId::LegendChain, own));
        if (shape_.other) {
            add(kOtherChainStyle, format(TextId::LegendChain, other));
        }
    }
    if (shape_.device) {
        add(kOwnDeviceStyle, format(TextId::LegendDevice, ownCurve));
        if (shape_.other) {
            add(kOtherDeviceStyle, format(TextId::LegendDevice, otherCurve));
        }
    }
    if (shape_.bands > 0) {
        add(kBandsLegendStyle, format(TextId::LegendBands, own));
    }
    if (shape_.measurement) {
        add(kMeasuredStyle,
            QString::fromStdU16String(texts.Format(
                TextId::LegendMeasurement,
                {U16(own), NumberText::Widen(NumberText::FormatFixed(overlay_.shift, 1))})));
        add(kPredictedStyle, format(TextId::LegendPredicted, own));
    }
    if (shape_.target) {
        add(kTargetStyle, format(TextId::LegendTarget, page.targetName));
    }
    if (shape_.chain) {
        entries.push_back(
            CChartLegendBox::Entry{QColor(), 1, Qt::SolidLine,
                                   QString::fromStdU16String(texts.Text(TextId::LegendChainNote))});
    }
    // The page's curve alone needs no legend.
    if (entries.size() < 2) {
        entries.clear();
    }
    legend_->SetEntries(std::move(entries));
}

void CTuningView::ShowPeak(const TextCatalog& texts) {
    const CurvePeak& peak = curves_.own.chainPeak;
    QString text;
    if (shape_.chain && peak.found) {
        text = QString::fromStdU16String(texts.Format(
            TextId::ChainPeak, {U16(GainReadout(peak.db)), U16(FrequencyReadout(peak.frequency))}));
    }
    readouts_->SetLine(kPeakReadout, text);
}

void CTuningView::ComputeOverlay(const ParameterSet& set, const Page& page) {
    overlay_ = OverlayCurves{};
    if (page.measurement != nullptr && design_ != nullptr) {
        page.measurement->Compute(*design_, set, page.channel, overlay_);
    }
}

void CTuningView::ShowError(const Page& page, const TextCatalog& texts) {
    QString text;
    if (overlay_.rms && page.measurement != nullptr) {
        const FitRange& range = page.measurement->FitPoints().Range();
        text = QString::fromStdU16String(
            texts.Format(TextId::ErrorReadout,
                         {NumberText::Widen(NumberText::FormatFixed(*overlay_.rms, 2)),
                          U16(FrequencyReadout(range.low)), U16(FrequencyReadout(range.high))}));
    }
    readouts_->SetLine(kErrorReadout, text);
}

void CTuningView::ShowDepartures(const Page& page, const TextCatalog& texts) {
    QStringList lines;
    if (shape_.device) {
        for (const BandDeparture& departure : curves_.departures) {
            lines << QString::fromStdU16String(
                texts.Format(TextId::DeviceDeparts,
                             {NumberText::Widen(NumberText::FormatInt(departure.band)),
                              texts.Text(BandKindText(page.kind, departure.band)),
                              NumberText::Widen(std::isfinite(departure.db)
                                                    ? NumberText::FormatFixed(departure.db, 2)
                                                    : std::string("?"))}));
        }
    }
    warning_.setText(lines.join(QLatin1Char('\n')));
    warning_.setVisible(!lines.isEmpty());
}

void CTuningView::Draw(const ParameterSet& set, const Page& page, const ChainResponse* design,
                       const std::vector<bool>& marked, const TextCatalog& texts) {
    if (design != design_) {
        design_ = design;
        response_ = design != nullptr ? std::make_unique<TuningResponse>(*design) : nullptr;
    }
    chart_.HoldRedraw();
    Apply(options_, set.SWFS);
    const TuningRequest request{page.kind,
                                page.channel,
                                options_.Get(ViewOption::BothChannels),
                                options_.Get(ViewOption::WholeChain),
                                options_.Get(ViewOption::BandCurves),
                                options_.Get(ViewOption::DeviceResponse)};
    const ChainStatus status =
        response_ ? response_->Compute(set, request, DesignGrid::Display(set.SWFS), curves_)
                  : ChainStatus::LibraryMissing;
    if (status != ChainStatus::Ok) {
        RemoveSeries();
        curves_ = TuningCurves{};
        shape_ = Shape{};
        legend_->SetEntries({});
        readouts_->SetLine(kPeakReadout, {});
        readouts_->SetLine(kErrorReadout, {});
        overlay_ = OverlayCurves{};
        if (handles_) {
            handles_->SetHandles({});
        }
        warning_.hide();
        chart_.ReleaseRedraw();
        return;
    }
    ComputeOverlay(set, page);
    const Shape shape{request.bandCurves ? static_cast<int>(curves_.bands.size()) : 0,
                      request.bothChannels,
                      request.wholeChain,
                      request.deviceResponse,
                      !overlay_.frequencies.empty(),
                      !overlay_.target.empty()};
    if (!haveSeries_ || !(shape == shape_)) {
        MakeSeries(shape);
    }
    ShowCurves(curves_);
    ShowHandles(set, page, marked);
    ShowLegend(page, texts);
    ShowPeak(texts);
    ShowError(page, texts);
    ShowDepartures(page, texts);
    chart_.ReleaseRedraw();
}
