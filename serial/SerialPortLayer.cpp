#include "serial/SerialPortLayer.h"

#include <utility>

namespace {

QSerialPort::Parity ToQt(SerialLineSettings::Parity parity) {
    switch (parity) {
    case SerialLineSettings::Parity::Even:
        return QSerialPort::EvenParity;
    case SerialLineSettings::Parity::Odd:
        return QSerialPort::OddParity;
    case SerialLineSettings::Parity::Mark:
        return QSerialPort::MarkParity;
    case SerialLineSettings::Parity::Space:
        return QSerialPort::SpaceParity;
    case SerialLineSettings::Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(SerialLineSettings::StopBits stop) {
    switch (stop) {
    case SerialLineSettings::StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case SerialLineSettings::StopBits::Two:
        return QSerialPort::TwoStop;
    case SerialLineSettings::StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

SerialResult::Status StatusOf(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return SerialResult::Status::NotFound;
    case QSerialPort::PermissionError:
        return SerialResult::Status::AccessDenied;
    case QSerialPort::UnsupportedOperationError:
        return SerialResult::Status::SettingsRejected;
    default:
        return SerialResult::Status::OpenFailed;
    }
}

} // namespace

SerialPortLayer::SerialPortLayer() : mapping_(&SerialPortLayer::DefaultPortName) {}

SerialPortLayer::~SerialPortLayer() {
    Close();
}

QString SerialPortLayer::DefaultPortName(int number) {
    if (number < 1) {
        return {};
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

void SerialPortLayer::SetNameMapping(NameMapping mapping) {
    mapping_ = mapping ? std::move(mapping) : NameMapping(&SerialPortLayer::DefaultPortName);
}

QString SerialPortLayer::PortName(int number) const {
    return mapping_(number);
}

SerialResult SerialPortLayer::Open(int number, const SerialLineSettings& settings,
                                   qint64 receiveBufferSize) {
    const QString name = PortName(number);
    if (IsOpen()) {
        return SerialResult::Failure(SerialResult::Status::PortAlreadyOpen, openName_);
    }
    if (name.isEmpty()) {
        return SerialResult::Failure(SerialResult::Status::NoPortName);
    }
    port_.setPortName(name);
    port_.setReadBufferSize(receiveBufferSize);
    // Settings given to a closed port are kept and applied by open(), which fails when the
    // device refuses one of them.
    if (SerialResult configured = Configure(settings, name); !configured.Ok()) {
        port_.clearError();
        return configured;
    }
    if (!port_.open(QIODevice::ReadWrite)) {
        const SerialResult failure = FailureFromPort(name);
        port_.close();
        port_.clearError();
        return failure;
    }
    openName_ = name;
    return SerialResult::Success();
}

void SerialPortLayer::Close() {
    if (port_.isOpen()) {
        port_.close();
    }
    port_.clearError();
    openName_.clear();
}

SerialResult SerialPortLayer::ApplySettings(const SerialLineSettings& settings) {
    if (!IsOpen()) {
        return SerialResult::Success();
    }
    const qint32 baud = port_.baudRate();
    const QSerialPort::Parity parity = port_.parity();
    const QSerialPort::DataBits dataBits = port_.dataBits();
    const QSerialPort::StopBits stop = port_.stopBits();
    SerialResult result = Configure(settings, openName_);
    if (result.Ok()) {
        return result;
    }
    // Put back what the port ran before; a failure here leaves the port's own error, cleared.
    port_.clearError();
    port_.setBaudRate(baud);
    port_.setParity(parity);
    port_.setDataBits(dataBits);
    port_.setStopBits(stop);
    port_.clearError();
    if (result.code == SerialResult::Status::OpenFailed) {
        result.code = SerialResult::Status::SettingsRejected;
    }
    return result;
}

void SerialPortLayer::SetReceiveBufferSize(qint64 size) {
    port_.setReadBufferSize(size);
}

qint64 SerialPortLayer::PendingOutput() const {
    return IsOpen() ? port_.bytesToWrite() : 0;
}

void SerialPortLayer::DiscardOutput() {
    if (IsOpen()) {
        port_.clear(QSerialPort::Output);
    }
}

SerialResult SerialPortLayer::Configure(const SerialLineSettings& settings, const QString& name) {
#ifndef Q_OS_WIN
    // Unix terminals know one or two stop bits only; QSerialPort would quietly run one.
    if (settings.stopBits == SerialLineSettings::StopBits::OneAndHalf) {
        return SerialResult::Failure(SerialResult::Status::SettingsRejected, name,
                                     QStringLiteral("1.5 stop bits are not supported"));
    }
#endif
    if (port_.setBaudRate(settings.baudRate) && port_.setParity(ToQt(settings.parity)) &&
        port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
        port_.setStopBits(ToQt(settings.stopBits))) {
        return SerialResult::Success();
    }
    return FailureFromPort(name);
}

SerialResult SerialPortLayer::FailureFromPort(const QString& name) const {
    return SerialResult::Failure(StatusOf(port_.error()), name, port_.errorString());
}
