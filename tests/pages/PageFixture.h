#pragma once

#include "settings/CIniLocalLan.h"
#include "settings/CIniSettingBase.h"
#include "tests/support/TempDir.h"

#include <QString>
#include <string>

class CPageEdit;
class QWidget;

// A program directory in a temporary folder holding the shipped config.ini, loaded into a
// configuration object as the program does at start, and a language object with no file.
class PageFixture {
public:
    PageFixture();

    ParameterSet& Params() { return settings.Params; }
    // The bytes of config.ini as they are on disk now.
    std::string ConfigBytes() const;
    // Whether config.ini holds the line "key=value".
    bool ConfigHasLine(const std::string& line) const;
    // Where the built libTool.so is, ending with a separator.
    static std::u16string ToolDirectory();

    TempDir dir;
    CIniSettingBase settings;
    CIniLocalLan language;
};

// Shows a window and waits until it is the active window, so that focus changes are delivered.
bool ShowActive(QWidget& window);

// The identifier of the widget with the keyboard focus; 0 when none has it.
int FocusedId();

// Types text into box (which takes the focus first), then moves the focus to next as the Tab key
// does, and lets the check that the move queued run to its end.
void TypeAndLeave(CPageEdit& box, const QString& text, QWidget& next);
