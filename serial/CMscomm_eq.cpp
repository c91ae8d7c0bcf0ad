#include "serial/CMscomm_eq.h"

#include <algorithm>

namespace {

SerialResult Invalid() {
    return SerialResult::Failure(SerialResult::Status::InvalidValue);
}

} // namespace

SerialResult CMscomm_eq::SetCommPort(int number) {
    if (!InRange(number, 1)) {
        return Invalid();
    }
    if (layer_.IsOpen()) {
        return SerialResult::Failure(SerialResult::Status::PortAlreadyOpen, layer_.OpenPortName());
    }
    commPort_ = static_cast<int16_t>(number);
    return SerialResult::Success();
}

SerialResult CMscomm_eq::SetInBufferSize(int size) {
    if (!InRange(size, 1)) {
        return Invalid();
    }
    inBufferSize_ = static_cast<int16_t>(size);
    layer_.SetReceiveBufferSize(inBufferSize_);
    return SerialResult::Success();
}

SerialResult CMscomm_eq::SetInputLen(int count) {
    if (!InRange(count, 0)) {
        return Invalid();
    }
    inputLen_ = static_cast<int16_t>(count);
    return SerialResult::Success();
}

SerialResult CMscomm_eq::SetOutBufferSize(int size) {
    if (!InRange(size, 1)) {
        return Invalid();
    }
    outBufferSize_ = static_cast<int16_t>(size);
    return SerialResult::Success();
}

int16_t CMscomm_eq::GetOutBufferCount() const {
    return static_cast<int16_t>(std::min<qint64>(layer_.PendingOutput(), INT16_MAX));
}

SerialResult CMscomm_eq::SetOutBufferCount(int count) {
    if (count != 0) {
        return Invalid();
    }
    layer_.DiscardOutput();
    return SerialResult::Success();
}

SerialResult CMscomm_eq::SetPortOpen(bool open) {
    if (!open) {
        layer_.Close();
        return SerialResult::Success();
    }
    return layer_.Open(commPort_, lineSettings_, inBufferSize_);
}

SerialResult CMscomm_eq::SetRThreshold(int count) {
    if (!InRange(count, 0)) {
        return Invalid();
    }
    rThreshold_ = static_cast<int16_t>(count);
    return SerialResult::Success();
}

SerialResult CMscomm_eq::SetSettings(const QString& text) {
    const auto parsed = SerialLineSettings::Parse(text.toStdU16String());
    if (!parsed) {
        return Invalid();
    }
    if (const SerialResult applied = layer_.ApplySettings(*parsed); !applied.Ok()) {
        return applied;
    }
    lineSettings_ = *parsed;
    settingsText_ = text;
    return SerialResult::Success();
}

SerialResult CMscomm_eq::SetInputMode(int32_t mode) {
    if (mode != kInputModeText && mode != kInputModeBinary) {
        return Invalid();
    }
    inputMode_ = mode;
    return SerialResult::Success();
}
