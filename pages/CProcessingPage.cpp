#include "pages/CProcessingPage.h"

#include "pages/CPageEdit.h"
#include "settings/CIniLocalLan.h"
#include "settings/CIniSettingBase.h"
#include "widgets/ControlId.h"
#include "widgets/WidgetLocalizer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace {

constexpr int kLinkBoxId = 1058;
constexpr int kChannelBoxId = 1072;

} // namespace

CProcessingPage::CProcessingPage(CIniSettingBase& settings, CIniLocalLan& language, int dialogId,
                                 LinkField link, SelectionField channel, QWidget* parent)
    : QWidget(parent), settings_(settings), language_(language), dialogId_(dialogId), link_(link),
      channel_(channel), channelBox_(new QComboBox(this)),
      linkBox_(new QCheckBox(QStringLiteral("Link"), this)) {
    ControlId::Set(*linkBox_, kLinkBoxId);
    ControlId::Set(*channelBox_, kChannelBoxId);
    channelBox_->addItems({QStringLiteral("channel0"), QStringLiteral("channel1")});
    // Both first run the checks that the focus change of their click caused; a failed check
    // leaves the page as it was.
    connect(channelBox_, &QComboBox::activated, this, [this](int) {
        if (!CPageEdit::ReportPending()) {
            SetChannelBoxIndex(SelectedChannel());
            return;
        }
        ChannelChange();
    });
    connect(linkBox_, &QCheckBox::clicked, this, [this](bool) {
        if (!CPageEdit::ReportPending()) {
            ShowLinkState();
            return;
        }
        LinkClick();
    });
}

ParameterSet& CProcessingPage::Params() const {
    return settings_.Params;
}

void CProcessingPage::Initialise() {
    Localize();
    const int channel = ChannelField::Index(SelectedChannel());
    SetChannelBoxIndex(channel);
    LoadChannel(SelectedChannel());
}

TextCatalog CProcessingPage::Texts() const {
    return settings_.Debug ? TextCatalog() : TextCatalog(language_);
}

void CProcessingPage::Localize() {
    WidgetLocalizer::ApplyDialogLanguage(language_, *this, settings_.Debug, dialogId_, false);
}

void CProcessingPage::StoreForCommit() {
    if (LinkFlag()) {
        StoreChannel(0);
        StoreChannel(1);
    } else {
        StoreChannel(SelectedChannel());
    }
}

void CProcessingPage::ChannelChange() {
    const int selected = channelBox_->currentIndex();
    // A box without a selection keeps the channel shown.
    if (selected >= 0) {
        Params().*channel_ = selected;
    }
    LoadChannel(SelectedChannel());
    settings_.Save(u"");
}

void CProcessingPage::SetChannelBoxIndex(int index) {
    const QSignalBlocker blocker(channelBox_);
    channelBox_->setCurrentIndex(ChannelField::Index(index));
}

int CProcessingPage::ChannelBoxIndex() const {
    return channelBox_->currentIndex();
}

void CProcessingPage::LinkClick() {
    Params().*link_ = !(Params().*link_);
    ShowLinkState();
    settings_.Save(u"");
}

bool CProcessingPage::LinkFlag() const {
    return Params().*link_;
}

int32_t CProcessingPage::SelectedChannel() const {
    return Params().*channel_;
}

void CProcessingPage::ShowLinkState() {
    linkBox_->setChecked(LinkFlag());
    channelBox_->setEnabled(!LinkFlag());
}

QHBoxLayout* CProcessingPage::MakeFormButtons(const QString& saveText, int saveId,
                                              const QString& cancelText, int cancelId) {
    saveButton_ = new QPushButton(saveText, this);
    ControlId::Set(*saveButton_, saveId);
    cancelButton_ = new QPushButton(cancelText, this);
    ControlId::Set(*cancelButton_, cancelId);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(cancelButton_);
    return buttons;
}

void CProcessingPage::SetTabOrder(std::span<QWidget* const> order) {
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void CProcessingPage::HideFormButtons() {
    saveButton_->hide();
    cancelButton_->hide();
}
