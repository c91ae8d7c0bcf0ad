#pragma once

#include "base/TextCatalog.h"
#include "params/ChannelFields.h"
#include "params/ParameterSet.h"

#include <QWidget>
#include <cstdint>
#include <span>

class CIniLocalLan;
class CIniSettingBase;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QPushButton;

// What the four processing pages (ten-band, DRC, eight-band, limiter) share: the page shows one
// channel, chosen in its own channel box (1072, "channel0"/"channel1") and kept in the parameter
// set, and its "Link" box (1058) makes the main window store the page into both channels.
//
// The main window constructs a page with references to its configuration and language objects
// (neither owned; both must outlive the page), creates it inside its tab control after its own
// localization pass, and then calls Initialise once. Afterwards it uses the page operations
// below. A channel index follows ChannelField::Index: 0 is L, any other index R.
class CProcessingPage : public QWidget {
    Q_OBJECT

public:
    // The dialog initialisation: localizes the page (collect mode when Debug is set; no window
    // title), selects the page's channel in the channel box and loads that channel. The
    // equaliser pages first load the filter design library and set up their chart.
    virtual void Initialise();

    // Shows a channel of the parameter set in the page's boxes (and the Link state).
    virtual void LoadChannel(int channel) = 0;
    // Copies the page's boxes into a channel of the parameter set; no check is made.
    virtual void StoreChannel(int channel) = 0;
    // What Set and Save do with the page: store into channel 0 and then channel 1 when the
    // page's link flag is set, otherwise into the page's selected channel only.
    void StoreForCommit();

    // The handler of the channel box: the page's channel field becomes the box's selection,
    // that channel is loaded (discarding typed values not yet stored) and config.ini is saved.
    // The chain buttons of the main window call SetChannelBoxIndex, then ChannelChange.
    void ChannelChange();
    // Selects an entry of the channel box without running the channel change.
    void SetChannelBoxIndex(int index);
    int ChannelBoxIndex() const;

    // The handler of the Link box: inverts the page's link flag, enables the channel box
    // exactly when the flag is now clear, and saves config.ini.
    void LinkClick();

    // The page's link flag (EQLink, EQLink1, DRCLink, LimitLink).
    bool LinkFlag() const;
    // The page's channel field (EQChannel, EQ1Channel, DrcChannel, LimitChannel) as stored.
    int32_t SelectedChannel() const;

    // The texts of messages, captions and tooltips: the language file's, except in collect mode
    // (the program's own English then).
    TextCatalog Texts() const;

    // The dialog id: 132 ten-band, 134 eight-band, 131 DRC, 135 limiter.
    int DialogId() const { return dialogId_; }
    QComboBox& ChannelBox() const { return *channelBox_; }
    QCheckBox& LinkBox() const { return *linkBox_; }

protected:
    using LinkField = bool ParameterSet::*;
    using SelectionField = int32_t ParameterSet::*;

    CProcessingPage(CIniSettingBase& settings, CIniLocalLan& language, int dialogId, LinkField link,
                    SelectionField channel, QWidget* parent);

    CIniSettingBase& Settings() const { return settings_; }
    ParameterSet& Params() const;

    // Localizes or collects the page's texts (dialog DialogId, no window title).
    void Localize();
    // Sets the Link box from the link flag and enables the channel box exactly when it is clear.
    void ShowLinkState();
    // The form's own "save" and "cancel" buttons, which have no function: a row holding them,
    // for the page's layout. HideFormButtons hides them again each time a channel loads.
    QHBoxLayout* MakeFormButtons(const QString& saveText, int saveId, const QString& cancelText,
                                 int cancelId);
    void HideFormButtons();
    // Makes Tab visit the widgets in this order (the order of the screen).
    static void SetTabOrder(std::span<QWidget* const> order);

private:
    CIniSettingBase& settings_;
    CIniLocalLan& language_;
    int dialogId_;
    LinkField link_;
    SelectionField channel_;
    QComboBox* channelBox_ = nullptr;
    QCheckBox* linkBox_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
