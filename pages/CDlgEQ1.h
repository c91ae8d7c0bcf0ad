#pragma once

#include "pages/CEqualiserPage.h"

// The eight-band equaliser page (dialog 134, tab "8EQ"): low shelf, six peaking bands, high
// shelf of the channel EQ1Channel, link flag EQLink1, the response drawn with EQ8Product. The
// page has no entry checks.
//
// Columns, band 0 to 7: the first eight of CEqualiserPage::kColumnIds (gain / frequency / Q;
// the shelves' Q boxes 1046 and 1034 disabled and empty).
class CDlgEQ1 : public CEqualiserPage {
    Q_OBJECT

public:
    static constexpr int kDialogId = 134;

    // programDirectory as for CDlgEq.
    CDlgEQ1(CIniSettingBase& settings, CIniLocalLan& language, std::u16string programDirectory = {},
            QWidget* parent = nullptr);

protected:
    bool ComputeResponse(int channel, int32_t sampleRate,
                         std::span<float, kCurvePoints> curve) const override;
};
