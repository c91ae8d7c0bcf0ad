#include "app/EditStepNames.h"

#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "base/NumberText.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "widgets/ControlId.h"

#include <span>

namespace {

enum class DrcBand { None, Low, High };

struct FieldName {
    int id;
    DrcBand band;
    TextId field;
};

constexpr FieldName kDrcNames[] = {
    {1055, DrcBand::None, TextId::StepDivisionFrequency},
    {1024, DrcBand::Low, TextId::StepMakeupGain},
    {1018, DrcBand::Low, TextId::StepThresholdL},
    {1020, DrcBand::Low, TextId::StepThresholdH},
    {1023, DrcBand::Low, TextId::StepStaticTime},
    {1019, DrcBand::Low, TextId::StepRatioLNumerator},
    {1027, DrcBand::Low, TextId::StepRatioLDenominator},
    {1021, DrcBand::Low, TextId::StepRatioHNumerator},
    {1029, DrcBand::Low, TextId::StepRatioHDenominator},
    {1025, DrcBand::Low, TextId::StepReleaseTime},
    {1022, DrcBand::Low, TextId::StepSmoothTime},
    {1026, DrcBand::Low, TextId::StepAttackTime},
    {1017, DrcBand::High, TextId::StepMakeupGain},
    {1011, DrcBand::High, TextId::StepThresholdL},
    {1013, DrcBand::High, TextId::StepThresholdH},
    {1016, DrcBand::High, TextId::StepStaticTime},
    {1032, DrcBand::High, TextId::StepRatioLNumerator},
    {1034, DrcBand::High, TextId::StepRatioLDenominator},
    {1033, DrcBand::High, TextId::StepRatioHNumerator},
    {1035, DrcBand::High, TextId::StepRatioHDenominator},
    {1031, DrcBand::High, TextId::StepReleaseTime},
    {1012, DrcBand::High, TextId::StepSmoothTime},
    {1014, DrcBand::High, TextId::StepAttackTime},
};

constexpr FieldName kLimiterNames[] = {
    {1023, DrcBand::None, TextId::StepStaticTime},
    {1068, DrcBand::None, TextId::StepThreshold},
    {1069, DrcBand::None, TextId::StepSmoothTime},
    {1070, DrcBand::None, TextId::StepAttackTime},
};

std::u16string Field(const TextCatalog& texts, const std::u16string& block, TextId field) {
    return texts.Format(TextId::StepField, {block, texts.Text(field)});
}

void NameBands(const CEqualiserPage& page, const TextCatalog& texts,
               std::map<const CPageEdit*, std::u16string>& names) {
    const std::u16string pageName = EditStepNames::PageName(page, texts);
    for (int band = 0; band < page.BandCount(); ++band) {
        const std::u16string number = NumberText::Widen(NumberText::FormatInt(band));
        const auto name = [&](TextId field) {
            return texts.Format(TextId::StepBand, {pageName, number, texts.Text(field)});
        };
        names[&page.GainBox(band)] = name(TextId::StepGain);
        names[&page.FrequencyBox(band)] = name(TextId::StepFrequency);
        names[&page.QBox(band)] = name(TextId::StepQ);
    }
}

void NameFields(const CProcessingPage& page, std::span<const FieldName> table,
                const TextCatalog& texts, std::map<const CPageEdit*, std::u16string>& names) {
    const std::u16string pageName = EditStepNames::PageName(page, texts);
    for (const FieldName& row : table) {
        std::u16string block = pageName;
        if (row.band != DrcBand::None) {
            block = Field(texts, pageName,
                          row.band == DrcBand::Low ? TextId::StepLowBand : TextId::StepHighBand);
        }
        if (const auto* box = ControlId::Find<CPageEdit>(page, row.id)) {
            names[box] = Field(texts, block, row.field);
        }
    }
}

} // namespace

std::u16string EditStepNames::PageName(const CProcessingPage& page, const TextCatalog& texts) {
    switch (page.DialogId()) {
    case CDlgEq::kDialogId:
        return texts.Text(TextId::StepTenBand);
    case CDlgEQ1::kDialogId:
        return texts.Text(TextId::StepEightBand);
    case CDlgDrc::kDialogId:
        return texts.Text(TextId::AreaDrc);
    default:
        return texts.Text(TextId::AreaLimiter);
    }
}

std::map<const CPageEdit*, std::u16string> EditStepNames::BoxNames(const CSonvexDlg& window,
                                                                   const TextCatalog& texts) {
    std::map<const CPageEdit*, std::u16string> names;
    names[&window.Modes().Gain1Box()] = texts.Text(TextId::AreaGain1);
    names[&window.Modes().Gain2Box()] = texts.Text(TextId::AreaGain2);
    names[&window.PublicPage().SampleRateBox()] = texts.Text(TextId::StepSampleRate);
    names[&window.PublicPage().ChannelCountBox()] = texts.Text(TextId::StepChannelCount);
    NameBands(window.TenBandPage(), texts, names);
    NameBands(window.EightBandPage(), texts, names);
    NameFields(window.DrcPage(), kDrcNames, texts, names);
    NameFields(window.LimiterPage(), kLimiterNames, texts, names);
    return names;
}
