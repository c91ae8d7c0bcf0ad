#include "app/CDeviceMenu.h"

#include "app/CDeviceChooser.h"
#include "base/TextCodec.h"
#include "device/AdbFailure.h"
#include "settings/CIniSettingBase.h"
#include "widgets/ControlId.h"

#include <QAction>
#include <QMenu>
#include <QThread>

namespace {

constexpr std::u16string_view kSection = u"Device";
constexpr std::u16string_view kKey = u"Serial";

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

} // namespace

CDeviceMenu::CDeviceMenu(QMenu& menu, CIniSettingBase& settings, std::u16string programDirectory,
                         std::function<TextCatalog()> texts, QObject* parent)
    : QObject(parent), menu_(menu), settings_(settings),
      programDirectory_(std::move(programDirectory)), texts_(std::move(texts)),
      chosen_(TextCodec::ToUtf8(settings.SectionValue(kSection, kKey))) {
    menu_.addSeparator();
    connect(&menu_, &QMenu::aboutToShow, this, &CDeviceMenu::StartListing);
}

CDeviceMenu::~CDeviceMenu() {
    if (worker_) {
        worker_->wait(); // bounded by the listing's time-out
    }
}

void CDeviceMenu::Choose(const std::string& serial) {
    chosen_ = serial;
    // The choice holds for this run even where config.ini cannot keep it.
    settings_.SaveSectionValue(kSection, kKey, TextCodec::FromUtf8(serial));
    for (const QPointer<QAction>& item : items_) {
        if (item && item->isCheckable()) {
            item->setChecked(item->data().toString().toStdString() == chosen_);
        }
    }
}

QList<QAction*> CDeviceMenu::DeviceItems() const {
    QList<QAction*> items;
    for (const QPointer<QAction>& item : items_) {
        if (item && item->isCheckable()) {
            items << item.data();
        }
    }
    return items;
}

void CDeviceMenu::ClearItems() {
    for (const QPointer<QAction>& item : items_) {
        delete item.data();
    }
    items_.clear();
}

QAction* CDeviceMenu::AddItem(const QString& text, bool enabled) {
    auto* item = new QAction(text, &menu_);
    ControlId::SetFixedText(*item);
    item->setEnabled(enabled);
    menu_.addAction(item);
    items_.emplace_back(item);
    return item;
}

void CDeviceMenu::StartListing() {
    if (worker_) {
        return; // the running listing fills the menu
    }
    ClearItems();
    AddItem(Q(texts_().Text(TextId::DeviceMenuLooking)), false);
    result_ = std::make_shared<AdbDeviceListing>();
    worker_.reset(QThread::create([result = result_, directory = programDirectory_] {
        *result = AdbDeviceList::Query(directory, kListingTimeoutMs);
    }));
    connect(worker_.get(), &QThread::finished, this, [this] {
        worker_->wait();
        worker_.reset();
        ShowListing(*result_);
    });
    worker_->start();
}

void CDeviceMenu::ShowListing(const AdbDeviceListing& listing) {
    ClearItems();
    const TextCatalog texts = texts_();
    if (!listing.Ok()) {
        AddItem(Q(texts.Format(TextId::DeviceMenuFailed,
                               {AdbFailure::Detail(listing.run, kListingTimeoutMs, texts)})),
                false);
    } else if (listing.devices.empty() && chosen_.empty()) {
        AddItem(Q(texts.Text(TextId::DeviceMenuNone)), false);
    }
    const auto addDevice = [this](const QString& text, const std::string& serial, bool enabled) {
        QAction* item = AddItem(text, enabled);
        item->setCheckable(true);
        item->setData(QString::fromStdString(serial));
        item->setChecked(serial == chosen_);
        connect(item, &QAction::triggered, this,
                [this, serial] { Choose(serial == chosen_ ? std::string() : serial); });
    };
    for (const AdbDevice& device : listing.devices) {
        // The chosen device stays enabled, so that the choice can be cleared.
        addDevice(CDeviceChooser::ItemText(device), device.serial,
                  device.Ready() || device.serial == chosen_);
    }
    if (!chosen_.empty() && listing.Find(chosen_) == nullptr) {
        const QString serial = QString::fromStdString(chosen_);
        addDevice(listing.Ok()
                      ? Q(texts.Format(TextId::DeviceMenuNotAttached, {serial.toStdU16String()}))
                      : serial,
                  chosen_, true);
    }
    emit Listed();
}
