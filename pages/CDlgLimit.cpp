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

using FloatField = float ParameterSet::*;

struct LimitRow {
    int id;
    const char* label;
    const char* unit;
    FloatField channel0;
    FloatField channel1;
};

// The rows as the page shows them: static time, threshold, smooth time, attack time.
constexpr std::array<LimitRow, CDlgLimit::kFieldCount> kRows{{
    {1023, "Static time", "ms", &ParameterSet::LLMT_ECALTIME, &ParameterSet::RLMT_ECALTIME},
    {1068, "Threshold", "dB", &ParameterSet::LLMT_THRESHOLD, &ParameterSet::RLMT_THRESHOLD},
    {1069, "Smooth time", "ms", &ParameterSet::LLMT_SMOOTHTIME, &ParameterSet::RLMT_SMOOTHTIME},
    {1070, "Attack time", "ms", &ParameterSet::LLMT_ATTACKTIME, &ParameterSet::RLMT_ATTACKTIME},
}};

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
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const int row = static_cast<int>(i);
        boxes_[i] = new CPageEdit(kRows[i].id, group);
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
    grid->setRowStretch(kRows.size(), 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(group);
}

void CDlgLimit::LoadChannel(int channel) {
    ShowLinkState();
    const ParameterSet& params = Params();
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const FloatField field = ChannelOf(channel) == 1 ? kRows[i].channel1 : kRows[i].channel0;
        boxes_[i]->ShowOneDecimal(params.*field);
    }
}

void CDlgLimit::StoreChannel(int channel) {
    ParameterSet& params = Params();
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const FloatField field = ChannelOf(channel) == 1 ? kRows[i].channel1 : kRows[i].channel0;
        params.*field = boxes_[i]->FloatValue();
    }
}
