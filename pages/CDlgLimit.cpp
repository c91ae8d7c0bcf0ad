#include "pages/CDlgLimit.h"

#include "pages/CPageEdit.h"
#include "settings/CIniSettingBase.h"
#include "widgets/ControlId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A row of the page: its box, label and unit, and the per-channel field the box edits.
struct LimitRow {
    int id;
    const char* label;
    const char* unit;
    const ChannelField* field;
};
consteval LimitRow Row(int id, const char* label, const char* unit, std::string_view stem) {
    return {id, label, unit, &ChannelFields::Get(stem)};
}

// The rows as the page shows them: static time, threshold, smooth time, attack time.
constexpr LimitRow kRows[] = {
    Row(1023, "Static time", "ms", "*LMT_ECALTIME"),
    Row(1068, "Threshold", "dB", "*LMT_THRESHOLD"),
    Row(1069, "Smooth time", "ms", "*LMT_SMOOTHTIME"),
    Row(1070, "Attack time", "ms", "*LMT_ATTACKTIME"),
};

constexpr int kFrameId = 2000;
constexpr int kFirstRowLabelId = 2001;

QLabel* MakeLabel(const char* text, int id, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    ControlId::Set(*label, id);
    return label;
}

} // namespace

CDlgLimit::CDlgLimit(CIniSettingBase& settings, CIniLocalLan& language, QWidget* parent)
    : CProcessingPage(settings, language, kDialogId, &ParameterSet::LimitLink,
                      &ParameterSet::LimitChannel, parent) {
    setWindowTitle(QStringLiteral("Limiter"));
    CreateUi();
}

void CDlgLimit::CreateUi() {
    auto* group = new QGroupBox(this);
    ControlId::Set(*group, kFrameId);
    auto* grid = new QGridLayout(group);
    int labelId = kFirstRowLabelId;
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const int row = static_cast<int>(i);
        boxes_.push_back(new CPageEdit(kRows[i].id, group));
        grid->addWidget(MakeLabel(kRows[i].label, labelId++, group), row, 0);
        grid->addWidget(boxes_[i], row, 1);
        grid->addWidget(MakeLabel(kRows[i].unit, labelId++, group), row, 2);
    }
    LinkBox().setParent(group);
    ChannelBox().setParent(group);
    grid->addWidget(&LinkBox(), 0, 4);
    grid->addWidget(&ChannelBox(), 0, 5);
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(6, 1);
    grid->setRowStretch(static_cast<int>(std::size(kRows)), 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(group);
}

void CDlgLimit::LoadChannel(int channel) {
    ShowLinkState();
    const ParameterSet& params = Params();
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        boxes_[i]->ShowOneDecimal(kRows[i].field->Of(channel).Floats(params)[0]);
    }
}

void CDlgLimit::StoreChannel(int channel) {
    ParameterSet& params = Params();
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        kRows[i].field->Of(channel).Floats(params)[0] = boxes_[i]->FloatValue();
    }
}
