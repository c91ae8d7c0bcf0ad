#pragma once

#include <QString>

#include <utility>

// The outcome of a request to the serial port wrapper or its port layer. The dialog that made
// the request decides how to show it.
struct SerialResult {
    enum class Status {
        Ok,
        InvalidValue,     // a property value out of its range, or a malformed settings text
        PortAlreadyOpen,  // the request needs a closed port
        NoPortName,       // the port-name mapping names no device for the port number
        NotFound,         // the device does not exist
        AccessDenied,     // no permission, or another program holds the port
        SettingsRejected, // the device does not accept the line settings
        OpenFailed,       // any other failure to open the device
    };

    Status code = Status::Ok;
    // The device the failure concerns ("/dev/ttyS6", "COM7"); empty when there is none.
    QString portName;
    // The system's own description of the failure; may be empty.
    QString systemText;

    bool Ok() const { return code == Status::Ok; }

    static SerialResult Success() { return {}; }
    static SerialResult Failure(Status code, QString portName = {}, QString systemText = {}) {
        return {code, std::move(portName), std::move(systemText)};
    }
};
