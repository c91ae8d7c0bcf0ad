#include "app/CFileCommands.h"

#include "app/CDeviceCommands.h"
#include "app/CEditHistory.h"
#include "app/CMessageReporter.h"
#include "app/CSonvexDlg.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "params/ParameterFile.h"

#include <QFileInfo>

void CFileCommands::Load() {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::Load);
    if (chosen.isEmpty()) {
        return;
    }
    const QFileInfo info(chosen);
    const bool otherLength =
        info.isFile() && info.size() != static_cast<qint64>(kParameterFileBytes);
    if (otherLength &&
        !CMessageReporter::AskYesNo(
            window_, ParameterFileChooser::LengthQuestion(window_.Texts(), chosen, info.size()))) {
        return;
    }
    // The user agreed to another length; the values are checked either way.
    const std::u16string path = chosen.toStdU16String();
    const ParameterFileResult result = ParameterFile::ReadParameterFile(
        path, window_.Settings().Params, otherLength ? FileLength::Any : FileLength::Exact);
    if (!result.Ok()) {
        window_.ShowMessage(
            QString::fromStdU16String(ParameterFile::Message(result, path, window_.Texts())), true);
        return;
    }
    window_.ShowParameterSet();
    window_.History().Record(TextId::StepLoad);
    window_.History().MarkClean();
}

void CFileCommands::SaveAs() {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::SaveAs);
    if (chosen.isEmpty()) {
        return;
    }
    // The file holds what the screen shows, as Save stores it.
    window_.StorePublicAndPages();
    window_.TenBandPage().DrawCurve();
    window_.EightBandPage().DrawCurve();
    const std::u16string path = chosen.toStdU16String();
    const ParameterFileResult result = ParameterFile::WriteParameterFile(
        path, window_.Settings().Params, window_.TenBandPage().Tool());
    if (result.Ok()) {
        window_.History().MarkClean();
    }
    window_.History().Settle();
    if (!result.Ok()) {
        window_.ShowMessage(
            QString::fromStdU16String(ParameterFile::Message(result, path, window_.Texts())), true);
        return;
    }
    window_.ShowMessage(ParameterFileChooser::WrittenMessage(window_.Texts(), chosen), false);
}

void CFileCommands::CompareWithFile() {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::Compare);
    if (!chosen.isEmpty()) {
        window_.StorePublicAndPages(); // the editor's side is what Set would write
        window_.History().Settle();
        window_.DeviceCommands().CompareWithFile(window_.TenBandPage().Tool(), chosen);
    }
}
