#pragma once

#include "base/TextCatalog.h"
#include "device/AdbDeviceList.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CIniSettingBase;
class QAction;
class QMenu;
class QThread;

// The attached devices at the end of the Device menu, listed anew (by "adb devices -l", off the
// user-interface thread) each time the menu opens: one checkable item per device, "SERIAL —
// model", those that take no commands shown with their state and disabled, the chosen one
// checked. Choosing an item makes that device the one every adb command addresses and saves its
// serial at once as [Device] Serial= in config.ini; choosing the checked one again clears the
// choice (adb then chooses, as when the section is absent). A chosen device that is not
// attached stays listed, checked, as "SERIAL — not attached", so that it can be cleared.
class CDeviceMenu : public QObject {
    Q_OBJECT

public:
    // How long the menu waits for adb's list.
    static constexpr int kListingTimeoutMs = 5000;

    // The items go at the end of menu, below what it holds already.
    CDeviceMenu(QMenu& menu, CIniSettingBase& settings, std::u16string programDirectory,
                std::function<TextCatalog()> texts, QObject* parent = nullptr);
    ~CDeviceMenu() override;

    // The chosen serial ([Device] Serial), empty when none is.
    const std::string& Chosen() const { return chosen_; }
    // Makes serial the chosen one (empty: none) and saves it.
    void Choose(const std::string& serial);

    // The device items shown now (without the placeholder while adb runs).
    QList<QAction*> DeviceItems() const;
    // Whether a listing is running.
    bool Listing() const { return worker_ != nullptr; }

signals:
    // A listing has been shown in the menu.
    void Listed();

private:
    void StartListing();
    void ShowListing(const AdbDeviceListing& listing);
    void ClearItems();
    QAction* AddItem(const QString& text, bool enabled);

    QMenu& menu_;
    CIniSettingBase& settings_;
    std::u16string programDirectory_;
    std::function<TextCatalog()> texts_;
    std::string chosen_;
    std::vector<QPointer<QAction>> items_;
    std::unique_ptr<QThread> worker_;
    std::shared_ptr<AdbDeviceListing> result_;
};
