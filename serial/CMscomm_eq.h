#pragma once

#include "device/SerialLineSettings.h"
#include "serial/SerialPortLayer.h"
#include "serial/SerialResult.h"

#include <QString>

#include <cstdint>

// The serial communications control as the program sees it: the properties the serial port
// settings dialog sets and reads, kept here and carried out on a SerialPortLayer. The main window
// owns one for its whole life and lends it to each serial port settings dialog; the port stays
// open when a dialog closes and is closed when this object is destroyed.
//
// Every setter checks its value; a refused value leaves the property unchanged and returns the
// reason. The 16-bit properties take 0 to 32767 (buffer sizes 1 to 32767, port numbers 1 to
// 32767) rather than wrapping larger values around.
class CMscomm_eq {
public:
    static constexpr int32_t kInputModeText = 0;
    static constexpr int32_t kInputModeBinary = 1;

    CMscomm_eq() = default;
    CMscomm_eq(const CMscomm_eq&) = delete;
    CMscomm_eq& operator=(const CMscomm_eq&) = delete;

    // Port number (default 1). Cannot change while the port is open.
    int16_t GetCommPort() const { return commPort_; }
    SerialResult SetCommPort(int number);

    // Receive buffer size in bytes (default 1024); applies at once to an open port.
    int16_t GetInBufferSize() const { return inBufferSize_; }
    SerialResult SetInBufferSize(int size);

    // Characters taken per read, 0 for all that wait (default 0).
    int16_t GetInputLen() const { return inputLen_; }
    SerialResult SetInputLen(int count);

    // Transmit buffer size in bytes (default 512).
    int16_t GetOutBufferSize() const { return outBufferSize_; }
    SerialResult SetOutBufferSize(int size);

    // Bytes waiting to be sent. Setting it to 0 discards them; no other value can be set.
    int16_t GetOutBufferCount() const;
    SerialResult SetOutBufferCount(int count);

    // Port-open state. Setting it true opens the port with the current port number, line
    // settings and receive buffer size (refused when already open); on failure the port stays
    // closed. Setting it false closes the port.
    bool GetPortOpen() const { return layer_.IsOpen(); }
    SerialResult SetPortOpen(bool open);

    // Received characters that raise a receive notification, 0 for none (default 0).
    int16_t GetRThreshold() const { return rThreshold_; }
    SerialResult SetRThreshold(int count);

    // Line settings text "baud,parity,data bits,stop bits" (default "9600,n,8,1"); a malformed
    // text is refused. Applies at once to an open port; when the port refuses the new settings
    // it keeps the old ones and so does this property.
    const QString& GetSettings() const { return settingsText_; }
    SerialResult SetSettings(const QString& text);
    const SerialLineSettings& LineSettings() const { return lineSettings_; }

    // kInputModeText or kInputModeBinary (default text).
    int32_t GetInputMode() const { return inputMode_; }
    SerialResult SetInputMode(int32_t mode);

    SerialPortLayer& Layer() { return layer_; }
    const SerialPortLayer& Layer() const { return layer_; }

private:
    static bool InRange(int value, int low) { return value >= low && value <= INT16_MAX; }

    SerialPortLayer layer_;
    int16_t commPort_ = 1;
    int16_t inBufferSize_ = 1024;
    int16_t inputLen_ = 0;
    int16_t outBufferSize_ = 512;
    int16_t rThreshold_ = 0;
    int32_t inputMode_ = kInputModeText;
    QString settingsText_ = QStringLiteral("9600,n,8,1");
    SerialLineSettings lineSettings_;
};
