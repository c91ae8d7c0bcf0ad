#pragma once

#include "device/AdbDeviceList.h"

#include <string>
#include <vector>

// Which device a command of the program addresses, from the serial chosen in the Device menu
// (empty when none is) and the devices adb lists.
struct DeviceSelection {
    enum class Decision {
        AsBefore,    // run without asking: with the chosen serial, or letting adb choose (the
                     // listing did not run or failed, or at most one device is attached)
        Use,         // the chosen device is attached and ready: serial
        Ask,         // several devices and none chosen: ask which of candidates
        NotAttached, // the chosen device (serial) is not attached
        NotReady,    // the chosen device (serial) is attached in another state (state)
        NoAnswer,    // adb gave no answer to the listing within its time-out: nothing runs
    };

    Decision decision = Decision::AsBefore;
    std::string serial; // the serial to address; empty lets adb choose
    std::string state;
    std::vector<AdbDevice> candidates; // every device listed, ready or not

    static DeviceSelection Decide(const std::string& chosen, const AdbDeviceListing& listing);
};
