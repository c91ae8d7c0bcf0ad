#include "app/CDeviceChooser.h"

#include "app/CMessageReporter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CDeviceChooser::CDeviceChooser(const std::vector<AdbDevice>& devices, TextCatalog texts,
                               QWidget* parent)
    : QDialog(parent), devices_(devices) {
    setWindowTitle(CMessageReporter::Title());
    setModal(true);
    auto* prompt = new QLabel(QString::fromStdU16String(texts.Text(TextId::DeviceChoose)), this);
    list_ = new QListWidget(this);
    for (const AdbDevice& device : devices_) {
        auto* item = new QListWidgetItem(ItemText(device), list_);
        if (!device.Ready()) {
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        }
    }
    remember_ = new QCheckBox(QString::fromStdU16String(texts.Text(TextId::DeviceRemember)), this);
    remember_->setChecked(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list_);
    layout->addWidget(remember_);
    layout->addWidget(buttons);

    connect(list_, &QListWidget::currentRowChanged, this,
            [this, ok] { ok->setEnabled(!Chosen().empty()); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (!Chosen().empty()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CDeviceChooser::ItemText(const AdbDevice& device) {
    QString text = QString::fromStdString(device.serial);
    const std::string& note = device.Ready() ? device.model : device.state;
    if (!note.empty()) {
        text += QStringLiteral(u" — ") + QString::fromStdString(note);
    }
    return text;
}

std::string CDeviceChooser::Chosen() const {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= devices_.size() ||
        !devices_[static_cast<std::size_t>(row)].Ready()) {
        return {};
    }
    return devices_[static_cast<std::size_t>(row)].serial;
}

bool CDeviceChooser::Remember() const {
    return remember_->isChecked();
}
