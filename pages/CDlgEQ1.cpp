#include "pages/CDlgEQ1.h"

#include "params/EqualiserRecord.h"

#include <array>

namespace {

constexpr std::array<CEqualiserPage::BandIds, 8> kBandIds{{
    {1041, 1044, 1046},
    {1042, 1045, 1047},
    {1043, 1018, 1019},
    {1020, 1021, 1022},
    {1023, 1024, 1025},
    {1026, 1027, 1028},
    {1029, 1030, 1031},
    {1032, 1033, 1034},
}};

} // namespace

CDlgEQ1::CDlgEQ1(CIniSettingBase& settings, CIniLocalLan& language, std::u16string programDirectory,
                 QWidget* parent)
    : CEqualiserPage(settings, language, kDialogId, kBandIds, &ParameterSet::EQLink1,
                     &ParameterSet::EQ1Channel, std::move(programDirectory), parent) {
    setWindowTitle(QStringLiteral("8EQ"));
}

CEqualiserPage::ChannelBands CDlgEQ1::Bands(int channel) const {
    ParameterSet& params = Params();
    if (channel != 0) {
        return {params.EQGAINRIGHT1, params.EQCFRIGHT1, params.EQQRIGHT1};
    }
    return {params.EQGAINLEFT1, params.EQCFLEFT1, params.EQQLEFT1};
}

bool CDlgEQ1::ComputeResponse(int channel, int32_t sampleRate,
                              std::span<float, kCurvePoints> curve) const {
    return Design(Tool().Eq8(), EqualiserRecord::EightBand(Params(), channel), sampleRate, curve);
}
