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

// Where a box stands: in the top row beside "Division Frequency", or in a cell of the low or
// the high band's three-by-three grid (cells row by row; two boxes in one cell are a ratio).
enum class DrcPlace { Top, LowBand, HighBand };

// A box of the page, the per-channel field it edits and its place.
struct DrcBox {
    int id;
    const ChannelField* field;
    DrcPlace place;
    int cell; // -1 in the top row
};
consteval DrcBox Top(int id, std::string_view stem) {
    return {id, &ChannelFields::Get(stem), DrcPlace::Top, -1};
}
consteval DrcBox Low(int id, std::string_view stem, int cell) {
    return {id, &ChannelFields::Get(stem), DrcPlace::LowBand, cell};
}
consteval DrcBox High(int id, std::string_view stem, int cell) {
    return {id, &ChannelFields::Get(stem), DrcPlace::HighBand, cell};
}

// The boxes in the order of the parameter set; of a ratio's two boxes the numerator comes first.
// clang-format off
constexpr DrcBox kBoxes[] = {
    Top(1055, "DIVFREQ_*"),
    Low(1024, "OFFSET_*L", 1),
    Low(1018, "THREL_*L", 3),
    Low(1020, "THREH_*L", 6),
    Low(1023, "ECALTIME_*L", 0),
    Low(1019, "RATLNOM_*L", 4),
    Low(1027, "RATLDEN_*L", 4),
    Low(1021, "RATHNOM_*L", 7),
    Low(1029, "RATHDEN_*L", 7),
    Low(1025, "RSLTIME_*L", 5),
    Low(1022, "SMTHTIME_*L", 2),
    Low(1026, "ATTATIME_*L", 8),
    High(1017, "OFFSET_*H", 1),
    High(1011, "THREL_*H", 3),
    High(1013, "THREH_*H", 6),
    High(1016, "ECALTIME_*H", 0),
    High(1032, "RATLNOM_*H", 4),
    High(1034, "RATLDEN_*H", 4),
    High(1033, "RATHNOM_*H", 7),
    High(1035, "RATHDEN_*H", 7),
    High(1031, "RSLTIME_*H", 5),
    High(1012, "SMTHTIME_*H", 2),
    High(1014, "ATTATIME_*H", 8),
};
// clang-format on

// The cells of both bands' grids, row by row: a label, the box (or the two boxes of a ratio
// with the unit ":" between them) and a unit label.
struct BandCell {
    const char* label;
    const char* unit;
};
// clang-format off
constexpr BandCell kCells[] = {
    {"Static time", "ms"}, {"Makeup gain", "dB"}, {"Smooth time", "ms"},
    {"Threshold L", "dB"}, {"Ratio L", ":"}, {"Release time", "ms"},
    {"Threshold H", "dB"}, {"Ratio H", ":"}, {"Attack time", "ms"},
};
// clang-format on
constexpr int kCellsPerRow = 3;

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

CPageEdit& CDlgDrc::Box(std::string_view stem) const {
    for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
        if (kBoxes[i].field->stem == stem) {
            return *boxes_[i];
        }
    }
    return *boxes_.front();
}

void CDlgDrc::CreateUi() {
    for (const DrcBox& box : kBoxes) {
        boxes_.push_back(new CPageEdit(box.id, this));
    }
    const auto boxesOf = [this](DrcPlace place, int cell) {
        std::vector<CPageEdit*> found;
        for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
            if (kBoxes[i].place == place && kBoxes[i].cell == cell) {
                found.push_back(boxes_[i]);
            }
        }
        return found;
    };

    auto* top = new QHBoxLayout;
    top->addWidget(MakeLabel("Division Frequency", kDivisionLabelId, this));
    const std::vector<CPageEdit*> topBoxes = boxesOf(DrcPlace::Top, -1);
    for (CPageEdit* box : topBoxes) {
        top->addWidget(box);
    }
    top->addStretch(1);
    top->addWidget(&LinkBox());
    top->addWidget(&ChannelBox());

    // Tab follows the screen: the top row, then each band's grid row by row.
    std::vector<QWidget*> order(topBoxes.begin(), topBoxes.end());
    order.push_back(&LinkBox());
    order.push_back(&ChannelBox());

    auto makeBand = [this, &order, &boxesOf](const char* title, int frameId, DrcPlace place,
                                             int labelsFirst) {
        auto* group = new QGroupBox(QString::fromLatin1(title), this);
        ControlId::Set(*group, frameId);
        auto* grid = new QGridLayout(group);
        int labelId = labelsFirst;
        for (std::size_t c = 0; c < std::size(kCells); ++c) {
            const BandCell& cell = kCells[c];
            const int row = static_cast<int>(c) / kCellsPerRow;
            const int column = static_cast<int>(c) % kCellsPerRow * 5;
            // The two halves of every edit column share the width evenly.
            grid->setColumnStretch(column + 1, 1);
            grid->setColumnStretch(column + 3, 1);
            grid->addWidget(MakeLabel(cell.label, labelId++, group), row, column);
            const std::vector<CPageEdit*> boxes = boxesOf(place, static_cast<int>(c));
            order.insert(order.end(), boxes.begin(), boxes.end());
            if (boxes.size() == 1) {
                grid->addWidget(boxes[0], row, column + 1, 1, 3);
                grid->addWidget(MakeLabel(cell.unit, labelId++, group), row, column + 4);
            } else if (boxes.size() == 2) {
                grid->addWidget(boxes[0], row, column + 1);
                grid->addWidget(MakeLabel(cell.unit, labelId++, group), row, column + 2);
                grid->addWidget(boxes[1], row, column + 3);
            }
        }
        return group;
    };

    QHBoxLayout* buttons =
        MakeFormButtons(QStringLiteral("Save"), kSaveId, QStringLiteral("Cancel"), kCancelId);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(makeBand("DRC Low Band", kLowFrameId, DrcPlace::LowBand, kLowLabelsFirst));
    page->addWidget(makeBand("DRC High Band", kHighFrameId, DrcPlace::HighBand, kHighLabelsFirst));
    page->addLayout(buttons);
    page->addStretch(1);
    SetTabOrder(order);
}

void CDlgDrc::ConnectChecks() {
    connect(&Box("DIVFREQ_*"), &CPageEdit::FocusLeft, this, &CDlgDrc::CheckDivisionFrequency);
    for (const std::string_view stem :
         {"ECALTIME_*L", "RSLTIME_*L", "SMTHTIME_*L", "ECALTIME_*H", "RSLTIME_*H", "SMTHTIME_*H"}) {
        CPageEdit& checked = Box(stem);
        connect(&checked, &CPageEdit::FocusLeft, this,
                [this, &checked] { CheckPositive(checked); });
    }
    CPageEdit& lowL = Box("THREL_*L");
    CPageEdit& lowH = Box("THREH_*L");
    CPageEdit& highL = Box("THREL_*H");
    CPageEdit& highH = Box("THREH_*H");
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
    for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
        boxes_[i]->ShowInt(kBoxes[i].field->Of(channel).Ints(params)[0]);
    }
}

void CDlgDrc::StoreChannel(int channel) {
    ParameterSet& params = Params();
    for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
        kBoxes[i].field->Of(channel).Ints(params)[0] = boxes_[i]->IntValue();
    }
}

void CDlgDrc::CheckDivisionFrequency() {
    CPageEdit& box = Box("DIVFREQ_*");
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
