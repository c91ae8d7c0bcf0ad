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

// A box of the page and the per-channel field it edits.
struct DrcBox {
    int id;
    const ChannelField* field;
};
consteval DrcBox Box(int id, std::string_view stem) {
    return {id, &ChannelFields::Get(stem)};
}

// The 23 boxes, in the order of the parameter set.
constexpr std::array<DrcBox, CDlgDrc::kFieldCount> kFields{{
    Box(1055, "DIVFREQ_*"),   Box(1024, "OFFSET_*L"),   Box(1018, "THREL_*L"),
    Box(1020, "THREH_*L"),    Box(1023, "ECALTIME_*L"), Box(1019, "RATLNOM_*L"),
    Box(1027, "RATLDEN_*L"),  Box(1021, "RATHNOM_*L"),  Box(1029, "RATHDEN_*L"),
    Box(1025, "RSLTIME_*L"),  Box(1022, "SMTHTIME_*L"), Box(1026, "ATTATIME_*L"),
    Box(1017, "OFFSET_*H"),   Box(1011, "THREL_*H"),    Box(1013, "THREH_*H"),
    Box(1016, "ECALTIME_*H"), Box(1032, "RATLNOM_*H"),  Box(1034, "RATLDEN_*H"),
    Box(1033, "RATHNOM_*H"),  Box(1035, "RATHDEN_*H"),  Box(1031, "RSLTIME_*H"),
    Box(1012, "SMTHTIME_*H"), Box(1014, "ATTATIME_*H"),
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
        boxes_[i]->ShowInt(kFields[i].field->Of(channel).Ints(params)[0]);
    }
}

void CDlgDrc::StoreChannel(int channel) {
    ParameterSet& params = Params();
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        kFields[i].field->Of(channel).Ints(params)[0] = boxes_[i]->IntValue();
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
