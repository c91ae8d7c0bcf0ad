#include "pages/CEqualiserPage.h"

#include "base/NumberText.h"
#include "base/ProgramDirectory.h"
#include "base/SonvexVersion.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartLineSerie.h"
#include "chart/CChartStandardAxis.h"
#include "pages/CBandEditor.h"
#include "pages/CMeasurementBar.h"
#include "pages/CPageEdit.h"
#include "pages/CTuningView.h"
#include "params/ChainResponse.h"
#include "params/DeviceSteps.h"
#include "settings/CIniSettingBase.h"
#include "tool/FrequencyGrid.h"
#include "widgets/ControlId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

constexpr int kChartId = 1010;
constexpr int kSaveId = 1054;
constexpr int kCancelId = 1055;
constexpr int kGainLabelId = 2000;
constexpr int kFrequencyLabelId = 2001;
constexpr int kQLabelId = 2002;

constexpr double kGainAxisMin = -30.0;
constexpr double kGainAxisMax = 30.0;
constexpr int kCurvePenWidth = 2;

QLabel* MakeLabel(const char* text, int id, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    ControlId::Set(*label, id);
    return label;
}

// The end of the frequency axis: half the sample rate, truncated.
int32_t HalfRate(int32_t sampleRate) {
    return NumberText::TruncateToInt32(static_cast<double>(sampleRate) * 0.5);
}

} // namespace

CEqualiserPage::CEqualiserPage(CIniSettingBase& settings, CIniLocalLan& language, int dialogId,
                               const RecordLayout& layout, const EqualiserFields& fields,
                               LinkField link, SelectionField channel,
                               std::u16string programDirectory, QWidget* parent)
    : CProcessingPage(settings, language, dialogId, link, channel, parent), layout_(layout),
      fields_(fields), programDirectory_(std::move(programDirectory)) {
    CreateUi();
    tuning_ = std::make_unique<CTuningView>(*chart_, *warning_);
    editor_ = std::make_unique<CBandEditor>(*this);
    liveTimer_.setSingleShot(true);
    connect(&liveTimer_, &QTimer::timeout, this, &CEqualiserPage::RedrawTuning);
    ConnectLiveCurve();
}

// The tuning view and the editor go before the chart they draw on.
CEqualiserPage::~CEqualiserPage() = default;

void CEqualiserPage::ConnectLiveCurve() {
    for (const BandBoxes& boxes : bands_) {
        for (CPageEdit* box : {boxes.gain, boxes.frequency, boxes.q}) {
            connect(box, &QLineEdit::textChanged, this, [this] {
                ScheduleLiveRedraw();
                emit BoxesChanged();
            });
        }
    }
}

CEqualiserPage::ChannelBands CEqualiserPage::Bands(int channel) const {
    ParameterSet& params = Params();
    return {fields_.gain.Of(channel).Ints(params), fields_.frequency.Of(channel).Ints(params),
            fields_.q.Of(channel).Floats(params)};
}

void CEqualiserPage::CreateUi() {
    const std::span<const BandIds> bandIds =
        std::span(kColumnIds).first(static_cast<std::size_t>(layout_.bands));
    chart_ = new CChartCtrl(this);
    ControlId::Set(*chart_, kChartId);

    auto* side = new QVBoxLayout;
    side->addWidget(&LinkBox());
    side->addWidget(&ChannelBox());
    side->addStretch(1);
    // The device response's warning; it has no identifier, so the localization leaves it alone.
    warning_ = new QLabel(this);
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #b00000;"));
    warning_->hide();
    auto* plot = new QVBoxLayout;
    plot->addWidget(chart_, 1);
    plot->addWidget(warning_);
    auto* top = new QHBoxLayout;
    top->addLayout(plot, 1);
    top->addLayout(side);

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel("Gain", kGainLabelId, this), 0, 0);
    grid->addWidget(MakeLabel("GF(HZ)", kFrequencyLabelId, this), 1, 0);
    grid->addWidget(MakeLabel("Q", kQLabelId, this), 2, 0);
    bands_.resize(bandIds.size());
    for (std::size_t band = 0; band < bandIds.size(); ++band) {
        BandBoxes& boxes = bands_[band];
        boxes.gain = new CPageEdit(bandIds[band].gain, this);
        boxes.frequency = new CPageEdit(bandIds[band].frequency, this);
        boxes.q = new CPageEdit(bandIds[band].q, this);
        const int column = static_cast<int>(band) + 1;
        grid->addWidget(boxes.gain, 0, column);
        grid->addWidget(boxes.frequency, 1, column);
        grid->addWidget(boxes.q, 2, column);
        if (IsShelf(static_cast<int>(band))) {
            boxes.q->setReadOnly(true);
        }
    }

    // Tab runs along the rows: Link, the channel box, all gains, all frequencies, all Q.
    std::vector<QWidget*> order{&LinkBox(), &ChannelBox()};
    for (CPageEdit* BandBoxes::*row : {&BandBoxes::gain, &BandBoxes::frequency, &BandBoxes::q}) {
        for (const BandBoxes& boxes : bands_) {
            order.push_back(boxes.*row);
        }
    }
    SetTabOrder(order);

    QHBoxLayout* buttons =
        MakeFormButtons(QStringLiteral("save"), kSaveId, QStringLiteral("cancel"), kCancelId);

    auto* page = new QVBoxLayout(this);
    measureBar_ = new CMeasurementBar(this);
    page->addLayout(top, 1);
    page->addWidget(measureBar_);
    page->addLayout(grid);
    page->addLayout(buttons);
}

CPageEdit& CEqualiserPage::GainBox(int band) const {
    return *bands_.at(static_cast<std::size_t>(band)).gain;
}

CPageEdit& CEqualiserPage::FrequencyBox(int band) const {
    return *bands_.at(static_cast<std::size_t>(band)).frequency;
}

CPageEdit& CEqualiserPage::QBox(int band) const {
    return *bands_.at(static_cast<std::size_t>(band)).q;
}

void CEqualiserPage::Initialise() {
    const std::u16string directory =
        programDirectory_.empty() ? ProgramDirectory::Current() : programDirectory_;
    toolResult_ = tool_.Load(directory);
    if (toolResult_ != ToolLoadResult::Ok) {
        QMessageBox box(QMessageBox::Warning, QString::fromUtf16(SonvexVersion::kName16),
                        QString::fromStdU16String(ToolLibrary::LoadFailureMessage()),
                        QMessageBox::Ok, this);
        box.exec();
    }
    design_ = std::make_unique<ChainResponse>(tool_);
    Localize();
    measureBar_->SetTexts(Texts());
    SetUpChart();
    initialised_ = true;
    if (options_.Any()) {
        tuning_->Apply(options_, Params().SWFS);
    }
    SetChannelBoxIndex(ChannelField::Index(SelectedChannel()));
    LoadChannel(SelectedChannel());
}
const CChartLineSerie* CEqualiserPage::Curve() const {
    return options_.Any() ? tuning_->Curve() : curve_;
}

void CEqualiserPage::SetViewOptions(const ViewOptions& options) {
    const bool wasTuning = options_.Any();
    options_ = options;
    if (!initialised_) {
        return;
    }
    if (options.Any()) {
        // The tuning view draws its own series; the classic one goes with the next drawing.
        curve_ = nullptr;
        tuning_->Apply(options, Params().SWFS);
    } else if (wasTuning) {
        tuning_->Detach();
        curve_ = nullptr;
    }
    // Values a drag put into the boxes stay drawn through an option change, until DrawCurve.
    if (options.Any() && !options.Get(ViewOption::LiveCurve) && boxesShown_) {
        RedrawTuning();
        return;
    }
    DrawCurve();
}

EqualiserBands CEqualiserPage::BoxBands(std::vector<bool>* marked) const {
    EqualiserBands bands = EqualiserBands::Empty(Kind());
    const int32_t rate = Params().SWFS;
    if (marked != nullptr) {
        marked->assign(static_cast<std::size_t>(BandCount()), false);
    }
    for (int band = 0; band < BandCount(); ++band) {
        const auto index = static_cast<std::size_t>(band);
        const int32_t gain = GainBox(band).IntValue();
        // The frequency check compares the value as read in 64 bits.
        const int64_t frequency = FrequencyBox(band).Int64Value();
        bool ok = DeviceSteps::GainOk(gain) && frequency >= DeviceSteps::kMinFrequency &&
                  frequency <= DeviceSteps::MaxFrequency(rate);
        float q = 0.0f;
        if (!IsShelf(band)) {
            q = QBox(band).FloatValue();
            ok = ok && q > 0.5f;
        }
        bands.gains[index] = ok ? gain : 0;
        bands.frequencies[index] =
            ok ? static_cast<int32_t>(frequency)
               : DeviceSteps::Frequency(static_cast<double>(frequency), rate);
        if (!IsShelf(band)) {
            bands.q[index - 1] = ok || q > 0.5f ? q : DeviceSteps::Q(q);
        }
        if (marked != nullptr) {
            (*marked)[index] = !ok;
        }
    }
    return bands;
}

void CEqualiserPage::OverlayBoxes(ParameterSet& draft) const {
    const EqualiserBands bands = BoxBands(nullptr);
    if (LinkFlag()) {
        bands.StoreInto(draft, 0);
        bands.StoreInto(draft, 1);
    } else {
        bands.StoreInto(draft, ChannelField::Index(SelectedChannel()));
    }
}

ParameterSet CEqualiserPage::Draft() const {
    ParameterSet draft = Params();
    if (draftOverlay_) {
        draftOverlay_(draft);
    } else {
        OverlayBoxes(draft);
    }
    return draft;
}

void CEqualiserPage::ScheduleLiveRedraw() {
    if (initialised_ && options_.Get(ViewOption::LiveCurve)) {
        liveTimer_.start(0);
    }
}

void CEqualiserPage::RedrawFromBoxes() {
    if (!options_.Any()) {
        return;
    }
    boxesShown_ = true;
    RedrawTuning();
}

void CEqualiserPage::RedrawTuning() {
    liveTimer_.stop();
    if (!initialised_ || !options_.Any()) {
        return;
    }
    const bool fromBoxes = options_.Get(ViewOption::LiveCurve) || boxesShown_;
    std::vector<bool> marked;
    if (fromBoxes) {
        BoxBands(&marked);
    }
    const ParameterSet& drawn = fromBoxes ? Draft() : Params();
    CTuningView::Page page;
    page.kind = Kind();
    page.channel = ChannelField::Index(SelectedChannel());
    page.name = windowTitle();
    MeasurementView measured;
    if (measurementSource_) {
        measured = measurementSource_(page.channel, drawn.SWFS);
    }
    page.measurement = measured.overlay.get();
    page.targetName = measured.targetName;
    tuning_->Draw(drawn, page, design_.get(), marked, Texts());
    editor_->Attach(tuning_->Handles());
}

void CEqualiserPage::SetUpChart() {
    chart_->HoldRedraw();
    chart_->AddAxis(ChartAxisPosition::Bottom);
    chart_->GetBottomAxis()->GetLabel()->SetText(QStringLiteral("CF"));
    chart_->AddAxis(ChartAxisPosition::Left);
    SetRanges();
    chart_->GetLeftAxis()->GetLabel()->SetText(QStringLiteral("GAIN"));
    chart_->ReleaseRedraw();
}

void CEqualiserPage::SetRanges() {
    if (CChartAxis* bottom = chart_->GetBottomAxis()) {
        bottom->SetMinMax(0.0, HalfRate(Params().SWFS));
    }
    // The gain range goes back with the frequency range, so that a zoom never leaves the
    // curve drawn against a zoomed gain axis under the full frequency axis.
    if (CChartAxis* left = chart_->GetLeftAxis()) {
        left->SetMinMax(kGainAxisMin, kGainAxisMax);
    }
}

void CEqualiserPage::LoadChannel(int channel) {
    HideFormButtons();
    for (int band = 0; band < BandCount(); ++band) {
        if (IsShelf(band)) {
            QBox(band).setEnabled(false);
        }
    }
    ShowLinkState();
    const ChannelBands fields = Bands(ChannelField::Index(channel));
    for (int band = 0; band < BandCount(); ++band) {
        GainBox(band).ShowInt(fields.gain[static_cast<std::size_t>(band)]);
    }
    for (int band = 0; band < BandCount(); ++band) {
        FrequencyBox(band).ShowInt(fields.frequency[static_cast<std::size_t>(band)]);
    }
    for (std::size_t i = 0; i < fields.q.size(); ++i) {
        QBox(static_cast<int>(i) + 1).ShowOneDecimal(fields.q[i]);
    }
    DrawCurve();
}

void CEqualiserPage::ShowBands(const EqualiserBands& bands) {
    for (int band = 0; band < BandCount() && band < bands.Bands(); ++band) {
        const auto index = static_cast<std::size_t>(band);
        GainBox(band).ShowInt(bands.gains[index]);
        FrequencyBox(band).ShowInt(bands.frequencies[index]);
        if (!IsShelf(band)) {
            QBox(band).ShowOneDecimal(bands.q[index - 1]);
        }
    }
}

void CEqualiserPage::StoreChannel(int channel) {
    const ChannelBands fields = Bands(ChannelField::Index(channel));
    for (int band = 0; band < BandCount(); ++band) {
        fields.gain[static_cast<std::size_t>(band)] = GainBox(band).IntValue();
        fields.frequency[static_cast<std::size_t>(band)] = FrequencyBox(band).IntValue();
    }
    for (std::size_t i = 0; i < fields.q.size(); ++i) {
        fields.q[i] = QBox(static_cast<int>(i) + 1).FloatValue();
    }
}

std::vector<double> CEqualiserPage::CurveFrequencies(int32_t sampleRate) {
    const float step = sonvex_grid::Step(sampleRate, kStartFrequency, kCurvePoints);
    std::vector<double> x(kCurvePoints);
    for (int i = 0; i < kCurvePoints; ++i) {
        x[static_cast<std::size_t>(i)] = sonvex_grid::Frequency(kStartFrequency, step, i);
    }
    return x;
}

void CEqualiserPage::DrawCurve() {
    if (options_.Any()) {
        boxesShown_ = false;
        RedrawTuning();
        return;
    }
    const int32_t sampleRate = Params().SWFS;
    std::array<float, kCurvePoints> curve{};
    // Without a sample rate there is no frequency grid to evaluate the response on.
    const bool computed = sampleRate > 0 && ComputeResponse(ChannelField::Index(SelectedChannel()),
                                                            sampleRate, curve);
    chart_->HoldRedraw();
    chart_->RemoveAllSeries();
    curve_ = nullptr;
    SetRanges();
    if (computed) {
        const std::vector<double> x = CurveFrequencies(sampleRate);
        const std::vector<double> y(curve.begin(), curve.end());
        curve_ = chart_->AddLineSerie();
        if (curve_ != nullptr) {
            curve_->SetPoints(x, y);
            curve_->SetColor(QColor(255, 0, 0));
            curve_->SetWidth(kCurvePenWidth);
        }
    }
    chart_->ReleaseRedraw();
}
