#pragma once

#include <QWidget>

class CIniSettingBase;
class CPageEdit;

// The public parameter page (dialog 136, tab "Public Param"): the sample rate SWFS and the
// channel count CHANUM of the stream. Entries are checked when the focus leaves a box; the
// values reach the parameter set only through Store. The page is not localized.
//
// Controls: 1075 "Samplerate", 1078 sample rate edit, 1079 "Hz", 1076 "ChannelNum",
// 1080 channel count edit, 2000 the etched frame round them.
class CDlgPublic_Param : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDialogId = 136;

    explicit CDlgPublic_Param(CIniSettingBase& settings, QWidget* parent = nullptr);

    // Shows SWFS in 1078 and CHANUM in 1080, as decimal integers.
    void Fill();
    // SWFS = 1078 read as an integer, CHANUM = 1080 read as an integer, without any check.
    void Store();

    CPageEdit& SampleRateBox() const { return *sampleRate_; }
    CPageEdit& ChannelCountBox() const { return *channelCount_; }

private:
    void CreateUi();
    void ConnectUi();
    void CheckSampleRate();
    void CheckChannelCount();

    CIniSettingBase& settings_;
    CPageEdit* sampleRate_ = nullptr;
    CPageEdit* channelCount_ = nullptr;
};
