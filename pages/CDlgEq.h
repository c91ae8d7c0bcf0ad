#pragma once

#include "pages/CEqualiserPage.h"

// The ten-band equaliser page (dialog 132, tab "10EQ"): low shelf, eight peaking bands, high
// shelf of the channel EQChannel, link flag EQLink, the response drawn with EQ10Product.
//
// Columns, band 0 to 9: CEqualiserPage::kColumnIds (gain / frequency / Q; the shelves' Q boxes
// 1046 and 1040 disabled and empty).
//
// Entry checks when the focus leaves a box (bands 8 and 9 have none), each titled "错误" with
// the focus given back to the box:
//   gains of bands 0 to 7: integer outside -12..12 -> "数值不在-12~12范围!"
//   frequencies of bands 0 to 7: f <= 0, f >= SWFS / 2 or f beyond the 32-bit range ->
//     "调节范围：0 < CF < 采样率/2"
//   Q of bands 1 to 7: not above 0.5 -> "数值必须大于0.5!"
class CDlgEq : public CEqualiserPage {
    Q_OBJECT

public:
    static constexpr int kDialogId = 132;

    // programDirectory (ending with a separator) is where libTool.so is loaded from; empty means
    // the running program's directory.
    CDlgEq(CIniSettingBase& settings, CIniLocalLan& language, std::u16string programDirectory = {},
           QWidget* parent = nullptr);

protected:
    bool ComputeResponse(int channel, int32_t sampleRate,
                         std::span<float, kCurvePoints> curve) const override;

private:
    void ConnectChecks();
    void CheckGain(CPageEdit& box);
    void CheckFrequency(CPageEdit& box);
    void CheckQ(CPageEdit& box);
};
