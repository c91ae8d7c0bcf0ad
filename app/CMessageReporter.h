#pragma once

#include "device/DeviceTransfer.h"

#include <QMessageBox>
#include <QString>

#include <string>

class QWidget;

// The message boxes of the main window: modal, titled with the application's name
// (SonvexVersion::kName), one OK button (or Yes/No for a question). As a TransferReporter it
// shows what a device transfer reports ("update parameter fail!" and the reasons a transfer is
// refused).
class CMessageReporter : public TransferReporter {
public:
    explicit CMessageReporter(QWidget& owner) : owner_(owner) {}

    void Report(const std::u16string& message) override;

    // The application's name.
    static QString Title();
    static void Show(QWidget& owner, const QString& text,
                     QMessageBox::Icon icon = QMessageBox::NoIcon);
    // A question with Yes and No, No being the default; true for Yes.
    static bool AskYesNo(QWidget& owner, const QString& text);

private:
    QWidget& owner_;
};
