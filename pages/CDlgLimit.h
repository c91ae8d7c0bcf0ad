#pragma once

#include "pages/CProcessingPage.h"

#include <vector>

class CPageEdit;

// The limiter page (dialog 135, tab "Limiter"): static time (1023), threshold (1068), smooth
// time (1069) and attack time (1070) of the channel LimitChannel, link flag LimitLink. Values
// are shown with one decimal, rounded, and read back as decimal text stored as float. No entry
// checks.
//
// Labels and frames: 2000 the group frame (no title), 2001 "Static time", 2002 "ms",
// 2003 "Threshold", 2004 "dB", 2005 "Smooth time", 2006 "ms", 2007 "Attack time", 2008 "ms".
class CDlgLimit : public CProcessingPage {
    Q_OBJECT

public:
    static constexpr int kDialogId = 135;

    CDlgLimit(CIniSettingBase& settings, CIniLocalLan& language, QWidget* parent = nullptr);

    // Shows the Link state and the four values, in the order static time, threshold, smooth
    // time, attack time.
    void LoadChannel(int channel) override;
    void StoreChannel(int channel) override;

private:
    void CreateUi();

    std::vector<CPageEdit*> boxes_; // in the order of the page's table
};
