#pragma once

#include "device/SerialLineSettings.h"
#include "serial/SerialResult.h"

#include <QSerialPort>
#include <QString>

#include <functional>

// The serial port itself: a QSerialPort opened by port number. The number is turned into a
// device name by a mapping that defaults to "COM<N>" on Windows and "/dev/ttyS<N-1>" elsewhere;
// it can be replaced, e.g. by one that names a pseudo-terminal.
class SerialPortLayer {
public:
    // Gives the device name of port number N, or an empty text when N names no device.
    using NameMapping = std::function<QString(int)>;

    SerialPortLayer();
    ~SerialPortLayer();
    SerialPortLayer(const SerialPortLayer&) = delete;
    SerialPortLayer& operator=(const SerialPortLayer&) = delete;

    // "COM<N>" on Windows, "/dev/ttyS<N-1>" elsewhere; empty for N below 1.
    static QString DefaultPortName(int number);
    // Replaces the mapping; an empty function restores the default one. Takes effect at the
    // next Open.
    void SetNameMapping(NameMapping mapping);
    QString PortName(int number) const;

    // Opens port number `number` read-write with the given line settings and receive buffer
    // size. The port must be closed.
    SerialResult Open(int number, const SerialLineSettings& settings, qint64 receiveBufferSize);
    void Close();
    bool IsOpen() const { return port_.isOpen(); }
    // The device name of the open port, empty while closed.
    const QString& OpenPortName() const { return openName_; }

    // Applies line settings to the open port; on failure the port gets back the settings it
    // had and stays open.
    SerialResult ApplySettings(const SerialLineSettings& settings);
    void SetReceiveBufferSize(qint64 size);
    // Bytes handed to the port and not yet sent; 0 while closed.
    qint64 PendingOutput() const;
    // Discards output that waits to be sent.
    void DiscardOutput();

    // The port itself, for reading its state and for data transfers.
    QSerialPort& Port() { return port_; }
    const QSerialPort& Port() const { return port_; }

private:
    // Hands the settings to the port (kept until open() when closed, applied at once when open).
    SerialResult Configure(const SerialLineSettings& settings, const QString& name);
    SerialResult FailureFromPort(const QString& name) const;

    QSerialPort port_;
    NameMapping mapping_;
    QString openName_;
};
