#pragma once

#include "pages/CProcessingPage.h"

#include <string_view>
#include <vector>

class CPageEdit;

// The DRC page (dialog 131, tab "DRC"): the division frequency and the low and high band of the
// two-band compressor of the channel DrcChannel, link flag DRCLink. 23 integer boxes:
//   1055 division frequency;
//   low band:  1024 makeup gain, 1018 threshold L, 1020 threshold H, 1023 static time,
//              1019:1027 ratio L, 1021:1029 ratio H, 1025 release, 1022 smooth, 1026 attack;
//   high band: 1017 makeup gain, 1011 threshold L, 1013 threshold H, 1016 static time,
//              1032:1034 ratio L, 1033:1035 ratio H, 1031 release, 1012 smooth, 1014 attack.
// The hidden buttons "Save" (1054) and "Cancel" (1001) are hidden at every load.
//
// Labels and frames:
//   2000 "Division Frequency", 2001 frame "DRC Low Band", 2002 frame "DRC High Band";
//   low band from 2010, high band from 2030, in this order (offset from the band's first):
//     +0 "Static time", +1 "ms", +2 "Makeup gain", +3 "dB", +4 "Smooth time", +5 "ms",
//     +6 "Threshold L", +7 "dB", +8 "Ratio L", +9 ":", +10 "Release time", +11 "ms",
//     +12 "Threshold H", +13 "dB", +14 "Ratio H", +15 ":", +16 "Attack time", +17 "ms".
//
// Entry checks when the focus leaves a box, titled "错误":
//   1055: f <= 0 or f >= SWFS / 2 -> "调节范围：0 < Division Frequency < 采样率/2!" (focus 1055)
//   static, release, smooth times (1023 1025 1022 1016 1012 1031): v <= 0 -> "数值必须大于0!"
//   thresholds (L/H 1018/1020 low, 1011/1013 high): L < -90, L >= H, or the box left >= 0 ->
//   "调节范围：-90.3087dB < Threshold L < Threshold H < 0dB"; the focus returns to the box
//   left, except that both high-band thresholds return it to 1013.
class CDlgDrc : public CProcessingPage {
    Q_OBJECT

public:
    static constexpr int kDialogId = 131;

    CDlgDrc(CIniSettingBase& settings, CIniLocalLan& language, QWidget* parent = nullptr);

    // Hides "Save"/"Cancel", shows the Link state and writes the 23 fields as integers.
    void LoadChannel(int channel) override;
    // Reads the 23 boxes as integer text (2.5 reads as 2, text without digits as 0).
    void StoreChannel(int channel) override;

private:
    void CreateUi();
    void ConnectChecks();
    void CheckDivisionFrequency();
    void CheckPositive(CPageEdit& box);
    void CheckThresholds(CPageEdit& lowBox, CPageEdit& highBox, bool leftLow, CPageEdit& focus);

    // The box of a per-channel field.
    CPageEdit& Box(std::string_view stem) const;

    std::vector<CPageEdit*> boxes_; // in the order of the page's table
};
