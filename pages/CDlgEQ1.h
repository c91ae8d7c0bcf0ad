#pragma once

#include "pages/CEqualiserPage.h"

// The eight-band equaliser page (dialog 134, tab "8EQ"): low shelf, six peaking bands, high
// shelf of the channel EQ1Channel, link flag EQLink1, the response drawn with EQ8Product. The
// page has no entry checks.
//
// Columns, band 0 to 7 (gain / frequency / Q): 1041/1044/1046, 1042/1045/1047,
// 1043/1018/1019, 1020/1021/1022, 1023/1024/1025, 1026/1027/1028, 1029/1030/1031,
// 1032/1033/1034 (1046 and 1034 disabled and empty).
class CDlgEQ1 : public CEqualiserPage {
    Q_OBJECT

public:
    static constexpr int kDialogId = 134;

    // programDirectory as for CDlgEq.
    CDlgEQ1(CIniSettingBase& settings, CIniLocalLan& language, std::u16string programDirectory = {},
            QWidget* parent = nullptr);

protected:
    ChannelBands Bands(int channel) const override;
    bool ComputeResponse(int channel, int32_t sampleRate,
                         std::span<float, kCurvePoints> curve) const override;
};
