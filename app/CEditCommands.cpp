#include "app/CEditCommands.h"

#include "app/CEditHistory.h"
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "base/NumberText.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "params/ResetEqBands.h"

namespace {

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// "Integer" for the default command's check: blanks aside, an optional sign and ASCII digits.
bool IsIntegerText(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-')) {
        ++i;
    }
    if (i == trimmed.size()) {
        return false;
    }
    for (; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9') {
            return false;
        }
    }
    return true;
}

constexpr int kGainMinimum = -12;
constexpr int kGainMaximum = 12;

} // namespace

void CEditCommands::StoreEditor() {
    ParameterSet& p = window_.Settings().Params;
    const QString gain1 = window_.Modes().Gain1Box().text();
    const QString gain2 = window_.Modes().Gain2Box().text();
    if (p.Link) {
        const int32_t g1 = NumberText::TruncateToInt32(NumberText::ParseDecimal(View(gain1)));
        const int32_t g2 = NumberText::TruncateToInt32(NumberText::ParseDecimal(View(gain2)));
        CSonvexDlg::Gain(p, 0, true) = CSonvexDlg::Gain(p, 1, true) = g1;
        CSonvexDlg::Gain(p, 0, false) = CSonvexDlg::Gain(p, 1, false) = g2;
    } else {
        CSonvexDlg::Gain(p, p.Channel, true) = NumberText::ParseInt(View(gain1));
        CSonvexDlg::Gain(p, p.Channel, false) = NumberText::ParseInt(View(gain2));
    }
    window_.StorePublicAndPages();
}

void CEditCommands::Save() {
    StoreEditor();
    window_.TenBandPage().DrawCurve();
    window_.EightBandPage().DrawCurve();
    // A save is no step: undo goes back over the edits, and the user saves again.
    const bool saved = window_.SaveConfig();
    window_.History().Settle();
    if (saved) {
        window_.ShowMessage(QStringLiteral(u"保存成功"), false);
    } else {
        // Saying "saved" when nothing reached the disk would lose the user's edits at exit.
        window_.ShowSaveFailure();
    }
}

void CEditCommands::Cancel() {
    ParameterSet& p = window_.Settings().Params;
    window_.TenBandPage().LoadChannel(p.EQChannel);
    window_.DrcPage().LoadChannel(p.DrcChannel);
    // Channel L's Gain1 comes back with one decimal, channel R's as a whole number.
    CPageEdit& gain1 = window_.Modes().Gain1Box();
    if (ChannelField::Index(p.Channel) == 1) {
        gain1.setText(QString::fromStdString(NumberText::FormatInt(CSonvexDlg::Gain(p, 1, true))));
    } else {
        gain1.setText(
            QString::fromStdString(NumberText::FormatFixed(CSonvexDlg::Gain(p, 0, true), 1)));
    }
    window_.History().Record(TextId::StepCancel);
}

void CEditCommands::Reset() {
    window_.PublicPage().Store();
    ParameterSet& p = window_.Settings().Params;
    if (!ResetEqBands(p)) {
        // The public page's values were stored all the same.
        window_.History().Record(TextId::StepReset);
        window_.ShowMessage(QStringLiteral(u"不支持该采样率 "), true);
        return;
    }
    window_.TenBandPage().DrawCurve();
    window_.TenBandPage().LoadChannel(p.EQChannel);
    window_.EightBandPage().DrawCurve();
    window_.EightBandPage().LoadChannel(p.EQ1Channel);
    window_.History().Record(TextId::StepReset);
    window_.ShowMessage(QStringLiteral(u"重置成功"), false);
}

void CEditCommands::DefaultCommand() {
    if (!window_.CommitBeforeCommand()) {
        return;
    }
    CPageEdit& box = window_.Modes().Gain1Box();
    QString failure;
    if (!IsIntegerText(box.text())) {
        failure = QStringLiteral(u"请输入一个整数。");
    } else {
        const int32_t value = NumberText::ParseInt(View(box.text()));
        if (value < kGainMinimum || value > kGainMaximum) {
            failure = QStringLiteral(u"请输入一个在 %1 和 %2 之间的整数。")
                          .arg(kGainMinimum)
                          .arg(kGainMaximum);
        }
    }
    if (failure.isEmpty()) {
        window_.accept();
        return;
    }
    window_.ShowMessage(failure, true);
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
}
