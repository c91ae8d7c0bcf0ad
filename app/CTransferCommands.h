#pragma once

class CSonvexDlg;

// The commands that exchange the parameter file with the device: Set, Read and Compare with
// device. The device side (which device, adb on a worker thread, the device's own messages) is
// CDeviceCommands; this class stores the editor before, shows the parameter set after, and says
// the commands' results ("设置成功", "设置失败", "读取参数成功", "读取参数失败").
class CTransferCommands {
public:
    explicit CTransferCommands(CSonvexDlg& window) : window_(window) {}

    // Stores the public page and the processing pages, sends, verifies; config.ini is saved only
    // when the device holds what was sent.
    void Set();
    // Fetches the device's file into the parameter set and shows it; one undo step.
    void Read();
    void CompareWithDevice();

private:
    CSonvexDlg& window_;
};
