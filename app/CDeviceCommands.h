#pragma once

#include "base/TextCatalog.h"
#include "params/ParameterDiff.h"
#include "settings/ComparisonSource.h"

#include <functional>
#include <string>
#include <vector>

class CDeviceMenu;
class CIniSettingBase;
class QString;
class QWidget;
class ToolLibrary;

// The device side of Set, Read and Compare with device: which device (the one chosen in the
// Device menu; with none chosen and several attached, the user is asked), the adb runs on a
// worker thread behind the busy dialog, and the messages about the device itself. The commands'
// own results ("设置成功", "设置失败", ...) are the window's to show.
class CDeviceCommands {
public:
    enum class Status {
        NotRun,     // cancelled, or the chosen device is not there (said so)
        Failed,     // adb failed ("update parameter fail!" shown) or the transfer was refused
        Mismatch,   // sent, but the device holds something else: see differences
        Unverified, // sent, but reading it back failed (said so)
        Done,
    };
    struct Result {
        Status status = Status::NotRun;
        std::vector<FieldDifference> differences; // Mismatch: sent (a) against read (b)
        std::string serial;                       // the device addressed; empty: adb's choice
    };

    CDeviceCommands(QWidget& owner, CIniSettingBase& settings, CDeviceMenu& menu,
                    std::u16string programDirectory, std::function<TextCatalog()> texts);

    // Writes EQPara.bin from the parameter set, sends it, pulls the device's file back into a
    // scratch file and compares the two byte for byte.
    Result Send(const ToolLibrary& tool);
    // Fetches the device's file into EQPara.bin and reads it into the parameter set.
    Result Fetch(const ToolLibrary& tool);
    // Fetches the device's file into a scratch file for a comparison; copy holds it when Done.
    Result FetchCopy(ComparisonSource& copy);

    // The comparisons of the editor's parameter set (as Set would write it, designed with tool)
    // with the parameter file or configuration at path, or with the device's file, shown in a
    // table; what keeps them from running is said instead.
    void CompareWithFile(const ToolLibrary& tool, const QString& path);
    void CompareWithDevice(const ToolLibrary& tool);
    // A command's failure message with what the device holds otherwise below it.
    void ShowMismatch(const QString& message, const std::vector<FieldDifference>& differences);

private:
    enum class Choice { Run, Stop, Failed };
    Choice Choose(std::string& serial);
    void ShowComparison(const SourceComparison::Result& result, const QString& other);

    QWidget& owner_;
    CIniSettingBase& settings_;
    CDeviceMenu& menu_;
    std::u16string programDirectory_;
    std::function<TextCatalog()> texts_;
};
