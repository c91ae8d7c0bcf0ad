#pragma once

#include "settings/CIniLocalLan.h"
#include "settings/CIniSettingBase.h"
#include "tests/support/TempDir.h"

#include <QString>
#include <memory>
#include <string>

class CPageEdit;
class QWidget;

// A program directory in a temporary folder holding the shipped config.ini, loaded as the
// program does at start, and a language object with no file.
class PageFixture {
public:
    PageFixture();

    ParameterSet& Params() { return settings.Params; }
    // Whether config.ini on disk holds the line "key=value".
    bool ConfigHasLine(const std::string& line) const;
    // Where the built libTool.so is, ending with a separator.
    static std::u16string ToolDirectory();
    // A page by dialog id (136 public, 132, 134, 131, 135), initialised (the public one
    // filled); the equaliser pages load the library from toolDirectory.
    std::unique_ptr<QWidget> MakePage(int dialogId,
                                      const std::u16string& toolDirectory = ToolDirectory());

    TempDir dir;
    CIniSettingBase settings;
    CIniLocalLan language;
};

// The edit box with an identifier; the test stops when there is none.
CPageEdit& Box(const QWidget& page, int id);
// Shows a window and waits until it is the active window, so that focus changes are delivered.
bool ShowActive(QWidget& window);
// The identifier of the widget with the keyboard focus; 0 when none has it.
int FocusedId();
// Types text into box (which takes the focus first), moves the focus on to next as the Tab key
// does, and lets the check that the move queued run to its end.
void TypeAndLeave(CPageEdit& box, const QString& text, QWidget& next);
