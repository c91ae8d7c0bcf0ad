#include "serial/CComSet.h"

#include "base/NumberText.h"
#include "base/SonvexVersion.h"
#include "serial/CMscomm_eq.h"
#include "serial/SerialResult.h"
#include "widgets/ControlId.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <array>
#include <cstdint>
#include <functional>

namespace {

constexpr int kWidthDialogUnits = 243;
constexpr int kHeightDialogUnits = 97;
constexpr int kBufferSize = 1024;
constexpr int kReceiveThreshold = 1;
const char* const kLineSettings = "115200,n,8,1";

} // namespace

CComSet::CComSet(CMscomm_eq& comm, QWidget* parent, TextCatalog texts)
    : QDialog(parent), comm_(comm), texts_(texts) {
    CreateUi();
    ConnectUi();
}

QString CComSet::MessageTitle() {
    return QString::fromUtf16(SonvexVersion::kName16);
}

void CComSet::CreateUi() {
    setWindowTitle(QStringLiteral("Dialog"));

    auto* portLabel = new QLabel(QStringLiteral("Com Port"), this);
    auto* baudLabel = new QLabel(QStringLiteral("Baud Rate"), this);
    portEdit_ = new QLineEdit(this);
    baudEdit_ = new QLineEdit(this);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    okButton_->setDefault(true);
    portLabel->setBuddy(portEdit_);
    baudLabel->setBuddy(baudEdit_);

    // The site of the serial communications control: it has no text and nothing to show, so it
    // stays hidden; the port itself lives in the wrapper, which outlives the dialog.
    auto* serialControl = new QWidget(this);
    serialControl->setObjectName(QStringLiteral("serialControl"));
    serialControl->hide();

    ControlId::Set(*portEdit_, kPortEditId);
    ControlId::Set(*baudEdit_, kBaudEditId);
    ControlId::Set(*okButton_, kOkId);
    ControlId::Set(*cancelButton_, kCancelId);
    ControlId::Set(*serialControl, kSerialControlId);
    ControlId::Set(*portLabel, kPortLabelId);
    ControlId::Set(*baudLabel, kBaudLabelId);

    auto* grid = new QGridLayout(this);
    grid->addWidget(portLabel, 0, 0);
    grid->addWidget(portEdit_, 0, 1);
    grid->addWidget(okButton_, 0, 2);
    grid->addWidget(baudLabel, 1, 0);
    grid->addWidget(baudEdit_, 1, 1);
    grid->addWidget(cancelButton_, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    // Dialog units: a quarter of the average character width, an eighth of the line height.
    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * kWidthDialogUnits / 4,
           metrics.height() * kHeightDialogUnits / 8);
}

void CComSet::ConnectUi() {
    connect(okButton_, &QPushButton::clicked, this, &CComSet::OnOk);
    // "Cancel" has no action: it does not close the dialog.
}

void CComSet::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        portEdit_->clear();
        baudEdit_->clear();
    }
    QDialog::showEvent(event);
}

void CComSet::OnOk() {
    const int number = NumberText::ParseInt(portEdit_->text().toStdU16String());
    if (number == 0) {
        ShowMessage(QStringLiteral("请先输入需要打开串口编号"), QMessageBox::NoIcon);
        return;
    }
    // A number no port can have is refused before anything changes, rather than cut to 16 bits
    // (65539 would otherwise open port 3).
    if (number < 1 || number > INT16_MAX) {
        ShowMessage(Text(TextId::SerialInvalidNumber, QString::number(number)),
                    QMessageBox::Warning);
        return;
    }
    if (comm_.GetPortOpen()) {
        comm_.SetPortOpen(false);
    }
    if (const SerialResult configured = ConfigurePort(number); !configured.Ok()) {
        ShowFailure(configured, number);
        return;
    }
    if (!comm_.GetPortOpen()) {
        // A port that fails to open is reported with its reason, never as opened.
        if (const SerialResult opened = comm_.SetPortOpen(true); !opened.Ok()) {
            ShowFailure(opened, number);
            return;
        }
        ShowMessage(QStringLiteral("串口打开成功"), QMessageBox::NoIcon);
    } else {
        comm_.SetOutBufferCount(0);
        ShowMessage(QStringLiteral("串口打开失败"), QMessageBox::NoIcon);
    }
}

SerialResult CComSet::ConfigurePort(int number) {
    const std::array<std::function<SerialResult()>, 7> steps{
        [&] { return comm_.SetCommPort(number); },
        [&] { return comm_.SetInBufferSize(kBufferSize); },
        [&] { return comm_.SetOutBufferSize(kBufferSize); },
        [&] { return comm_.SetInputLen(0); },
        [&] { return comm_.SetInputMode(CMscomm_eq::kInputModeBinary); },
        [&] { return comm_.SetRThreshold(kReceiveThreshold); },
        [&] { return comm_.SetSettings(QString::fromLatin1(kLineSettings)); },
    };
    for (const auto& step : steps) {
        if (SerialResult result = step(); !result.Ok()) {
            return result;
        }
    }
    return SerialResult::Success();
}

void CComSet::ShowMessage(const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, MessageTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

QString CComSet::Text(TextId id, const QString& argument) const {
    return QString::fromStdU16String(texts_.Format(id, {argument.toStdU16String()}));
}

QString CComSet::FailureText(const SerialResult& result, int number) const {
    using Status = SerialResult::Status;
    const QString& port = result.portName;
    QString text;
    switch (result.code) {
    case Status::Ok:
        return {};
    case Status::InvalidValue:
        text = Text(TextId::SerialRefusedSetting, {});
        break;
    case Status::NoPortName:
        text = Text(TextId::SerialNoPortName, QString::number(number));
        break;
    case Status::PortAlreadyOpen:
        text = Text(TextId::SerialAlreadyOpen, port);
        break;
    case Status::NotFound:
        text = Text(TextId::SerialNotFound, port);
        break;
    case Status::AccessDenied:
        text = Text(TextId::SerialAccessDenied, port);
        break;
    case Status::SettingsRejected:
        text = Text(TextId::SerialSettingsRejected, port);
        break;
    case Status::OpenFailed:
        text = Text(TextId::SerialOpenFailed, port);
        break;
    }
    if (!result.systemText.isEmpty()) {
        text += u'\n' + Text(TextId::SerialSystemReason, result.systemText);
    }
    return text;
}

void CComSet::ShowFailure(const SerialResult& result, int number) {
    ShowMessage(FailureText(result, number), QMessageBox::Warning);
}
