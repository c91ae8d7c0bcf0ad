#include "pages/CDlgDrc.h"

#include "pages/CPageEdit.h"
#include "settings/CIniSettingBase.h"
#include "widgets/ControlId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <vector>

namespace {

using IntField = int32_t ParameterSet::*;

struct DrcField {
    int id;
    IntField channel0;
    IntField channel1;
};

// The 23 fields of one channel, in the order of the parameter set.
constexpr std::array<DrcField, CDlgDrc::kFieldCount> kFields{{
    {1055, &ParameterSet::DIVFREQ_L, &ParameterSet::DIVFREQ_R},
    {1024, &ParameterSet::OFFSET_LL, &ParameterSet::OFFSET_RL},
    {1018, &ParameterSet::THREL_LL, &ParameterSet::THREL_RL},
    {1020, &ParameterSet::THREH_LL, &ParameterSet::THREH_RL},
    {1023, &ParameterSet::ECALTIME_LL, &ParameterSet::ECALTIME_RL},
    {1019, &ParameterSet::RATLNOM_LL, &ParameterSet::RATLNOM_RL},
    {1027, &ParameterSet::RATLDEN_LL, &ParameterSet::RATLDEN_RL},
    {1021, &ParameterSet::RATHNOM_LL, &ParameterSet::RATHNOM_RL},
    {1029, &ParameterSet::RATHDEN_LL, &ParameterSet::RATHDEN_RL},
    {1025, &ParameterSet::RSLTIME_LL, &ParameterSet::RSLTIME_RL},
    {1022, &ParameterSet::SMTHTIME_LL, &ParameterSet::SMTHTIME_RL},
    {1026, &ParameterSet::ATTATIME_LL, &ParameterSet::ATTATIME_RL},
    {1017, &ParameterSet::OFFSET_LH, &ParameterSet::OFFSET_RH},
    {1011, &ParameterSet::THREL_LH, &ParameterSet::THREL_RH},
    {1013, &ParameterSet::THREH_LH, &ParameterSet::THREH_RH},
    {1016, &ParameterSet::ECALTIME_LH, &ParameterSet::ECALTIME_RH},
    {1032, &ParameterSet::RATLNOM_LH, &ParameterSet::RATLNOM_RH},
    {1034, &ParameterSet::RATLDEN_LH, &ParameterSet::RATLDEN_RH},
    {1033, &ParameterSet::RATHNOM_LH, &ParameterSet::RATHNOM_RH},
    {1035, &ParameterSet::RATHDEN_LH, &ParameterSet::RATHDEN_RH},
    {1031, &ParameterSet::RSLTIME_LH, &ParameterSet::RSLTIME_RH},
    {1012, &ParameterSet::SMTHTIME_LH, &ParameterSet::SMTHTIME_RH},
    {1014, &ParameterSet::ATTATIME_LH, &ParameterSet::ATTATIME_RH},
}};

// Position of a band's fields in kFields.
constexpr int kLowBandFirst = 1;
constexpr int kHighBandFirst = 12;
// Offsets of one band's fields from its first.
enum BandField {
    Makeup = 0,
    ThresholdL = 1,
    ThresholdH = 2,
    StaticTime = 3,
    RatioLNumerator = 4,
    RatioLDenominator = 5,
    RatioHNumerator = 6,
    RatioHDenominator = 7,
    ReleaseTime = 8,
    SmoothTime = 9,
    AttackTime = 10,
};

// One cell of a band's three-by-three grid: a label, one box (or two with ":" between them,
// for a ratio) and a unit label.
struct BandCell {
    const char* label;
    const char* unit; // ":" stands between the two boxes of a ratio
    int field;
    int secondField; // -1 for a single box
};
constexpr std::array<BandCell, 9> kCells{{
    {"Static time", "ms", StaticTime, -1},
    {"Makeup gain", "dB", Makeup, -1},
    {"Smooth time", "ms", SmoothTime, -1},
    {"Threshold L", "dB", ThresholdL, -1},
    {"Ratio L", ":", RatioLNumerator, RatioLDenominator},
    {"Release time", "ms", ReleaseTime, -1},
    {"Threshold H", "dB", ThresholdH, -1},
    {"Ratio H", ":", RatioHNumerator, RatioHDenominator},
    {"Attack time", "ms", AttackTime, -1},
}};

constexpr int kDivisionLabelId = 2000;
constexpr int kLowFrameId = 2001;
constexpr int kHighFrameId = 2002;
constexpr int kLowLabelsFirst = 2010;
constexpr int kHighLabelsFirst = 2030;
constexpr int kSaveId = 1054;
constexpr int kCancelId = 1001;

constexpr char16_t kPositiveMessage[] = u"数值必须大于0!";
constexpr char16_t kThresholdMessage[] = u"调节范围：-90.3087dB < Threshold L < Threshold H < 0dB";
constexpr char16_t kDivisionMessage[] = u"调节范围：0 < Division Frequency < 采样率/2!";

QLabel* MakeLabel(const char* text, int id, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    ControlId::Set(*label, id);
    return label;
}

} // namespace

CDlgDrc::CDlgDrc(CIniSettingBase& settings, CIniLocalLan& language, QWidget* parent)
    : CProcessingPage(settings, language, kDialogId, &ParameterSet::DRCLink,
                      &ParameterSet::DrcChannel, parent) {
    setWindowTitle(QStringLiteral("DRC"));
    CreateUi();
    ConnectChecks();
}

void CDlgDrc::CreateUi() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        boxes_[i] = new CPageEdit(kFields[i].id, this);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(MakeLabel("Division Frequency", kDivisionLabelId, this));
    top->addWidget(boxes_[0]);
    top->addStretch(1);
    top->addWidget(&LinkBox());
    top->addWidget(&ChannelBox());

    // Tab follows the screen: the top row, then each band's grid row by row.
    std::vector<QWidget*> order{boxes_[0], &LinkBox(), &ChannelBox()};

    auto makeBand = [this, &order](const char* title, int frameId, int fieldsFirst,
                                   int labelsFirst) {
        auto* group = new QGroupBox(QString::fromLatin1(title), this);
        ControlId::Set(*group, frameId);
        auto* grid = new QGridLayout(group);
        int labelId = labelsFirst;
        for (std::size_t c = 0; c < kCells.size(); ++c) {
            const BandCell& cell = kCells[c];
            const int row = static_cast<int>(c / 3);
            const int column = static_cast<int>(c % 3) * 5;
            // The two halves of every edit column share the width evenly.
            grid->setColumnStretch(column + 1, 1);
            grid->setColumnStretch(column + 3, 1);
            grid->addWidget(MakeLabel(cell.label, labelId++, group), row, column);
            CPageEdit* first = boxes_[static_cast<std::size_t>(fieldsFirst + cell.field)];
            order.push_back(first);
            if (cell.secondField < 0) {
                grid->addWidget(first, row, column + 1, 1, 3);
                grid->addWidget(MakeLabel(cell.unit, labelId++, group), row, column + 4);
            } else {
                CPageEdit* second =
                    boxes_[static_cast<std::size_t>(fieldsFirst + cell.secondField)];
                order.push_back(second);
                grid->addWidget(first, row, column + 1);
                grid->addWidget(MakeLabel(cell.unit, labelId++, group), row, column + 2);
                grid->addWidget(second, row, column + 3);
            }
        }
        return group;
    };

    QHBoxLayout* buttons =
        MakeFormButtons(QStringLiteral("Save"), kSaveId, QStringLiteral("Cancel"), kCancelId);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(makeBand("DRC Low Band", kLowFrameId, kLowBandFirst, kLowLabelsFirst));
    page->addWidget(makeBand("DRC High Band", kHighFrameId, kHighBandFirst, kHighLabelsFirst));
    page->addLayout(buttons);
    page->addStretch(1);
    SetTabOrder(order);
}

void CDlgDrc::ConnectChecks() {
    auto box = [this](int field) -> CPageEdit& { return *boxes_[static_cast<std::size_t>(field)]; };
    connect(boxes_[0], &CPageEdit::FocusLeft, this, &CDlgDrc::CheckDivisionFrequency);
    for (const int first : {kLowBandFirst, kHighBandFirst}) {
        for (const int field : {StaticTime, ReleaseTime, SmoothTime}) {
            CPageEdit& checked = box(first + field);
            connect(&checked, &CPageEdit::FocusLeft, this,
                    [this, &checked] { CheckPositive(checked); });
        }
    }
    CPageEdit& lowL = box(kLowBandFirst + ThresholdL);
    CPageEdit& lowH = box(kLowBandFirst + ThresholdH);
    CPageEdit& highL = box(kHighBandFirst + ThresholdL);
    CPageEdit& highH = box(kHighBandFirst + ThresholdH);
    connect(&lowL, &CPageEdit::FocusLeft, this,
            [this, &lowL, &lowH] { CheckThresholds(lowL, lowH, true, lowL); });
    connect(&lowH, &CPageEdit::FocusLeft, this,
            [this, &lowL, &lowH] { CheckThresholds(lowL, lowH, false, lowH); });
    // Both high-band threshold checks give the focus to threshold H.
    connect(&highL, &CPageEdit::FocusLeft, this,
            [this, &highL, &highH] { CheckThresholds(highL, highH, true, highH); });
    connect(&highH, &CPageEdit::FocusLeft, this,
            [this, &highL, &highH] { CheckThresholds(highL, highH, false, highH); });
}

void CDlgDrc::LoadChannel(int channel) {
    HideFormButtons();
    ShowLinkState();
    const ParameterSet& params = Params();
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const IntField field = ChannelOf(channel) == 1 ? kFields[i].channel1 : kFields[i].channel0;
        boxes_[i]->ShowInt(params.*field);
    }
}

void CDlgDrc::StoreChannel(int channel) {
    ParameterSet& params = Params();
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const IntField field = ChannelOf(channel) == 1 ? kFields[i].channel1 : kFields[i].channel0;
        params.*field = boxes_[i]->IntValue();
    }
}

void CDlgDrc::CheckDivisionFrequency() {
    CPageEdit& box = *boxes_[0];
    const int32_t frequency = box.IntValue();
    if (frequency <= 0 || frequency >= Params().SWFS / 2) {
        CPageEdit::ReportFailedCheck(*this, QString::fromUtf16(kDivisionMessage), box);
    }
}

void CDlgDrc::CheckPositive(CPageEdit& box) {
    if (box.IntValue() <= 0) {
        CPageEdit::ReportFailedCheck(*this, QString::fromUtf16(kPositiveMessage), box);
    }
}

void CDlgDrc::CheckThresholds(CPageEdit& lowBox, CPageEdit& highBox, bool leftLow,
                              CPageEdit& focus) {
    const int32_t low = lowBox.IntValue();
    const int32_t high = highBox.IntValue();
    const int32_t left = leftLow ? low : high;
    if (low < -90 || low >= high || left >= 0) {
        CPageEdit::ReportFailedCheck(*this, QString::fromUtf16(kThresholdMessage), focus);
    }
}
