#pragma once

#include "device/DeviceTransfer.h"

#include <QMessageBox>
#include <QString>

#include <string>

class QWidget;

// The message boxes of the main window: modal, titled with the application's name
// (SonvexVersion::kName), one OK button (or Yes/No for a question). As a TransferReporter it
// shows what a device transfer reports ("update parameter fail!", with adb's own words below it,
// and the reasons a transfer is refused).
class CMessageReporter : public TransferReporter {
public:
    explicit CMessageReporter(QWidget& owner) : owner_(owner) {}

    void Report(const std::u16string& message) override;
    void ReportFailure(const std::u16string& message, const std::u16string& detail) override;

    // The application's name.
    static QString Title();
    static void Show(QWidget& owner, const QString& text,
                     QMessageBox::Icon icon = QMessageBox::NoIcon);
    // The box with text as its message (unchanged, as the specified messages read) and
    // informative below it (the reason, or the first lines of a list); detailed, when not empty,
    // behind the box's "Show Details" button.
    static void Show(QWidget& owner, const QString& text, QMessageBox::Icon icon,
                     const QString& informative, const QString& detailed = {});
    // A question with Yes and No, No being the default; true for Yes.
    static bool AskYesNo(QWidget& owner, const QString& text);

private:
    QWidget& owner_;
};
