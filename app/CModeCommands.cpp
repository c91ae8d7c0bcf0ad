#include "app/CModeCommands.h"

#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "base/NumberText.h"
#include "pages/CPageEdit.h"

#include <QCheckBox>
#include <QComboBox>

#include <array>

namespace {

// The switch each mode box sets, in the order of CModePanel::kModeBoxIds (1064 to 1067).
constexpr std::array<bool ParameterSet::*, CModePanel::kModeBoxCount> kModeSwitches{
    &ParameterSet::EQSwtch, &ParameterSet::DrcSwtch, &ParameterSet::EQSwtch1,
    &ParameterSet::LimitSwtch};

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString IntText(int64_t value) {
    return QString::fromStdString(NumberText::FormatInt(value));
}

} // namespace

void CModeCommands::StoreGain(bool first) {
    if (window_.Closing()) {
        return;
    }
    const CPageEdit& box = first ? panel_.Gain1Box() : panel_.Gain2Box();
    const int32_t value = NumberText::TruncateToInt32(NumberText::ParseDecimal(View(box.text())));
    ParameterSet& p = window_.Settings().Params;
    if (p.Link) {
        CSonvexDlg::Gain(p, 0, first) = value;
        CSonvexDlg::Gain(p, 1, first) = value;
    } else {
        CSonvexDlg::Gain(p, p.Channel, first) = value;
    }
    window_.SaveConfig();
}

void CModeCommands::ShowGains() {
    ParameterSet& p = window_.Settings().Params;
    panel_.Gain1Box().setText(IntText(CSonvexDlg::Gain(p, p.Channel, true)));
    panel_.Gain2Box().setText(IntText(CSonvexDlg::Gain(p, p.Channel, false)));
}

void CModeCommands::ChannelSelected(int index) {
    ParameterSet& p = window_.Settings().Params;
    if (!window_.CommitBeforeCommand()) {
        panel_.ChannelBox().setCurrentIndex(ChannelField::Index(p.Channel));
        return;
    }
    p.Channel = index;
    ShowGains();
    window_.SaveConfig();
}

void CModeCommands::LinkClicked() {
    ParameterSet& p = window_.Settings().Params;
    if (!window_.CommitBeforeCommand()) {
        panel_.LinkBox().setChecked(p.Link);
        return;
    }
    panel_.ChannelBox().setEnabled(p.Link);
    p.Link = !p.Link;
    window_.SaveConfig();
}

void CModeCommands::ShowModes() {
    const ParameterSet& p = window_.Settings().Params;
    for (int i = 0; i < CModePanel::kModeBoxCount; ++i) {
        panel_.ModeBox(i).setCurrentIndex(p.*kModeSwitches[static_cast<std::size_t>(i)] ? 1 : 0);
    }
}

void CModeCommands::ModeSelected(int box, int index) {
    if (!window_.CommitBeforeCommand()) {
        ShowModes();
        return;
    }
    window_.Settings().Params.*kModeSwitches[static_cast<std::size_t>(box)] = index != 0;
    window_.SaveConfig();
}

void CModeCommands::Fill() {
    const ParameterSet& p = window_.Settings().Params;
    panel_.ChannelBox().setCurrentIndex(ChannelField::Index(p.Channel));
    ShowModes();
    panel_.LinkBox().setChecked(p.Link);
    panel_.ChannelBox().setEnabled(!p.Link);
    ShowGains();
}
