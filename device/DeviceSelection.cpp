#include "device/DeviceSelection.h"

#include <algorithm>

DeviceSelection DeviceSelection::Decide(const std::string& chosen,
                                        const AdbDeviceListing& listing) {
    DeviceSelection selection;
    selection.serial = chosen;
    if (listing.run.timedOut) {
        selection.decision = Decision::NoAnswer;
        return selection;
    }
    if (!listing.Ok()) {
        return selection; // adb is missing or failed: the command itself says so
    }
    if (!chosen.empty()) {
        const AdbDevice* device = listing.Find(chosen);
        if (device == nullptr) {
            selection.decision = Decision::NotAttached;
        } else if (!device->Ready()) {
            selection.decision = Decision::NotReady;
            selection.state = device->state;
        } else {
            selection.decision = Decision::Use;
        }
        return selection;
    }
    const bool anyReady = std::any_of(listing.devices.begin(), listing.devices.end(),
                                      [](const AdbDevice& device) { return device.Ready(); });
    if (listing.devices.size() > 1 && anyReady) {
        selection.decision = Decision::Ask;
        selection.candidates = listing.devices;
    }
    return selection;
}
