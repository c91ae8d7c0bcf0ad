#include "pages/CDlgEQ1.h"

#include "params/EqualiserRecord.h"

CDlgEQ1::CDlgEQ1(CIniSettingBase& settings, CIniLocalLan& language, std::u16string programDirectory,
                 QWidget* parent)
    : CEqualiserPage(settings, language, kDialogId, kEightBandLayout,
                     EqualiserRecord::kEightBandFields, &ParameterSet::EQLink1,
                     &ParameterSet::EQ1Channel, std::move(programDirectory), parent) {
    setWindowTitle(QStringLiteral("8EQ"));
}

bool CDlgEQ1::ComputeResponse(int channel, int32_t sampleRate,
                              std::span<float, kCurvePoints> curve) const {
    return Design(Tool().Eq8(), EqualiserRecord::EightBand(Params(), channel), sampleRate, curve);
}
