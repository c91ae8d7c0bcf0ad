#include "pages/CDlgEq.h"

#include "pages/CPageEdit.h"
#include "params/EqualiserRecord.h"

#include <limits>

namespace {

// Bands 0 to 7 have their gain and frequency checked, bands 1 to 7 their Q.
constexpr int kCheckedBands = 8;
constexpr int32_t kGainLimit = 12;
constexpr float kQMinimum = 0.5f;

constexpr char16_t kGainMessage[] = u"数值不在-12~12范围!";
constexpr char16_t kFrequencyMessage[] = u"调节范围：0 < CF < 采样率/2";
constexpr char16_t kQMessage[] = u"数值必须大于0.5!";

} // namespace

CDlgEq::CDlgEq(CIniSettingBase& settings, CIniLocalLan& language, std::u16string programDirectory,
               QWidget* parent)
    : CEqualiserPage(settings, language, kDialogId, kTenBandLayout, EqualiserRecord::kTenBandFields,
                     &ParameterSet::EQLink, &ParameterSet::EQChannel, std::move(programDirectory),
                     parent) {
    setWindowTitle(QStringLiteral("10EQ"));
    ConnectChecks();
}

bool CDlgEq::ComputeResponse(int channel, int32_t sampleRate,
                             std::span<float, kCurvePoints> curve) const {
    return Design(Tool().Eq10(), EqualiserRecord::TenBand(Params(), channel), sampleRate, curve);
}

void CDlgEq::ConnectChecks() {
    for (int band = 0; band < kCheckedBands; ++band) {
        CPageEdit& gain = GainBox(band);
        CPageEdit& frequency = FrequencyBox(band);
        connect(&gain, &CPageEdit::FocusLeft, this, [this, &gain] { CheckGain(gain); });
        connect(&frequency, &CPageEdit::FocusLeft, this,
                [this, &frequency] { CheckFrequency(frequency); });
        if (band >= 1) {
            CPageEdit& q = QBox(band);
            connect(&q, &CPageEdit::FocusLeft, this, [this, &q] { CheckQ(q); });
        }
    }
}

void CDlgEq::CheckGain(CPageEdit& box) {
    const int32_t gain = box.IntValue();
    if (gain < -kGainLimit || gain > kGainLimit) {
        CPageEdit::ReportFailedCheck(*this, QString::fromUtf16(kGainMessage), box);
    }
}

void CDlgEq::CheckFrequency(CPageEdit& box) {
    // Compared as read, in 64 bits: a value beyond the 32-bit range fails, so a value that
    // passes is stored unchanged.
    const int64_t frequency = box.Int64Value();
    if (frequency <= 0 || frequency > std::numeric_limits<int32_t>::max() ||
        frequency >= Params().SWFS / 2) {
        CPageEdit::ReportFailedCheck(*this, QString::fromUtf16(kFrequencyMessage), box);
    }
}

void CDlgEq::CheckQ(CPageEdit& box) {
    const float q = box.FloatValue();
    if (!(q > kQMinimum)) {
        CPageEdit::ReportFailedCheck(*this, QString::fromUtf16(kQMessage), box);
    }
}
