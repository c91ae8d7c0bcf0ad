#include "pages/CDlgPublic_Param.h"

#include "pages/CPageEdit.h"
#include "settings/CIniSettingBase.h"
#include "widgets/ControlId.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>
#include <array>

namespace {

constexpr int kSampleRateLabelId = 1075;
constexpr int kSampleRateId = 1078;
constexpr int kHzLabelId = 1079;
constexpr int kChannelCountLabelId = 1076;
constexpr int kChannelCountId = 1080;
constexpr int kFrameId = ControlId::kFirstLabelId;

constexpr std::array<int32_t, 8> kSampleRates{8000,  11025, 16000, 22050,
                                              24000, 32000, 44100, 48000};

QLabel* MakeLabel(const QString& text, int id, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    ControlId::Set(*label, id);
    return label;
}

} // namespace

CDlgPublic_Param::CDlgPublic_Param(CIniSettingBase& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("Public Param"));
    CreateUi();
    ConnectUi();
}

void CDlgPublic_Param::CreateUi() {
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    ControlId::Set(*frame, kFrameId);
    sampleRate_ = new CPageEdit(kSampleRateId, frame);
    channelCount_ = new CPageEdit(kChannelCountId, frame);

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(40, 24, 40, 24);
    grid->setVerticalSpacing(20);
    grid->addWidget(MakeLabel(QStringLiteral("Samplerate"), kSampleRateLabelId, frame), 0, 0);
    grid->addWidget(sampleRate_, 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("Hz"), kHzLabelId, frame), 0, 2);
    grid->addWidget(MakeLabel(QStringLiteral("ChannelNum"), kChannelCountLabelId, frame), 1, 0);
    grid->addWidget(channelCount_, 1, 1);

    auto* page = new QGridLayout(this);
    page->setRowStretch(0, 1);
    page->setRowStretch(2, 3);
    page->setColumnStretch(0, 1);
    page->setColumnStretch(2, 1);
    page->addWidget(frame, 1, 1);
}

void CDlgPublic_Param::ConnectUi() {
    connect(sampleRate_, &CPageEdit::FocusLeft, this, &CDlgPublic_Param::CheckSampleRate);
    connect(channelCount_, &CPageEdit::FocusLeft, this, &CDlgPublic_Param::CheckChannelCount);
}

void CDlgPublic_Param::Fill() {
    sampleRate_->ShowInt(settings_.Params.SWFS);
    channelCount_->ShowInt(settings_.Params.CHANUM);
}

void CDlgPublic_Param::Store() {
    settings_.Params.SWFS = sampleRate_->IntValue();
    settings_.Params.CHANUM = channelCount_->IntValue();
}

void CDlgPublic_Param::CheckSampleRate() {
    const int32_t rate = sampleRate_->IntValue();
    if (std::find(kSampleRates.begin(), kSampleRates.end(), rate) == kSampleRates.end()) {
        CPageEdit::ReportFailedCheck(*this, QStringLiteral(u"不支持该采样率 "), *sampleRate_);
    }
}

void CDlgPublic_Param::CheckChannelCount() {
    const int32_t count = channelCount_->IntValue();
    if (count != 1 && count != 2) {
        CPageEdit::ReportFailedCheck(*this, QStringLiteral(u"不支持该声道数"), *channelCount_);
    }
}
