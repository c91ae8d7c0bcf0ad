#include "app/CTransferCommands.h"

#include "app/CDeviceCommands.h"
#include "app/CEditHistory.h"
#include "app/CSonvexDlg.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"

void CTransferCommands::Set() {
    // Sent under the sample rate and channel count the public page shows.
    window_.StorePublicAndPages();
    CDeviceCommands& device = window_.DeviceCommands();
    CEditHistory& history = window_.History();
    const CDeviceCommands::Result sent = device.Send(window_.TenBandPage().Tool());
    if (sent.status != CDeviceCommands::Status::Done) {
        history.Settle(); // the pages' values were stored all the same
    }
    switch (sent.status) {
    case CDeviceCommands::Status::NotRun:
        return;
    case CDeviceCommands::Status::Failed:
    case CDeviceCommands::Status::Unverified:
        window_.ShowMessage(QStringLiteral(u"设置失败"), true);
        return;
    case CDeviceCommands::Status::Mismatch:
        // What differs, below the specified message; config.ini keeps what it held.
        device.ShowMismatch(QStringLiteral(u"设置失败"), sent.differences);
        return;
    case CDeviceCommands::Status::Done:
        break;
    }
    window_.TenBandPage().DrawCurve();
    const bool saved = window_.SaveConfig();
    history.MarkClean(); // sent, even when config.ini could not be written
    history.Settle();
    window_.ShowMessage(QStringLiteral(u"设置成功"), false);
    if (!saved && window_.ConfigLoaded()) {
        window_.ShowSaveFailure(); // the device has the parameters, config.ini does not
    }
}

void CTransferCommands::Read() {
    const CDeviceCommands::Result fetched =
        window_.DeviceCommands().Fetch(window_.TenBandPage().Tool());
    if (fetched.status == CDeviceCommands::Status::NotRun) {
        return;
    }
    if (fetched.status != CDeviceCommands::Status::Done) {
        window_.ShowMessage(QStringLiteral(u"读取参数失败"), true);
        return;
    }
    window_.ShowParameterSet();
    window_.TenBandPage().DrawCurve();
    window_.EightBandPage().DrawCurve();
    window_.History().Record(TextId::StepRead);
    window_.History().MarkClean();
    window_.ShowMessage(QStringLiteral(u"读取参数成功"), false);
}

void CTransferCommands::CompareWithDevice() {
    window_.StorePublicAndPages(); // and the device file is named as Set names it
    window_.History().Settle();
    window_.DeviceCommands().CompareWithDevice(window_.TenBandPage().Tool());
}
