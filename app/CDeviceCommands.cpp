#include "app/CDeviceCommands.h"

#include "app/CBusyDialog.h"
#include "app/CCompareDialog.h"
#include "app/CDeviceChooser.h"
#include "app/CDeviceMenu.h"
#include "app/CMessageReporter.h"
#include "base/NativePath.h"
#include "base/NumberText.h"
#include "base/SafeFile.h"
#include "base/ScratchFolder.h"
#include "base/TextCodec.h"
#include "device/AdbFailure.h"
#include "device/DeviceSelection.h"
#include "device/DeviceTransfer.h"
#include "device/PushVerification.h"
#include "params/ToolLibrary.h"
#include "settings/CIniSettingBase.h"

#include <QFileInfo>

namespace {

// A device file longer than this is read only this far for a comparison.
constexpr std::size_t kCopyLimit = 1u << 20;
constexpr const char* kCopyName = "device copy.bin";
// Differences listed below a failure message; all of them are behind its details button.
constexpr std::size_t kShownDifferences = 10;

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

AdbRunResult RunBusy(QWidget& owner, const TextCatalog& texts, TextId step,
                     const AdbCommand& command) {
    AdbRunResult run;
    CBusyDialog busy(texts, &owner, step);
    busy.Run([&run, command] { run = DeviceTransfer::RunAdb(command); });
    return run;
}

} // namespace

CDeviceCommands::CDeviceCommands(QWidget& owner, CIniSettingBase& settings, CDeviceMenu& menu,
                                 std::u16string programDirectory,
                                 std::function<TextCatalog()> texts)
    : owner_(owner), settings_(settings), menu_(menu),
      programDirectory_(std::move(programDirectory)), texts_(std::move(texts)) {}

CDeviceCommands::Choice CDeviceCommands::Choose(std::string& serial) {
    const TextCatalog texts = texts_();
    AdbDeviceListing listing;
    {
        CBusyDialog busy(texts, &owner_, TextId::BusyListing);
        busy.Run([&listing, directory = programDirectory_] {
            listing = AdbDeviceList::Query(directory, DeviceTransfer::kDefaultTimeoutMs);
        });
    }
    const DeviceSelection selection = DeviceSelection::Decide(menu_.Chosen(), listing);
    serial = selection.serial;
    const std::u16string name = TextCodec::FromUtf8(selection.serial);
    switch (selection.decision) {
    case DeviceSelection::Decision::AsBefore:
    case DeviceSelection::Decision::Use:
        return Choice::Run;
    case DeviceSelection::Decision::Ask: {
        CDeviceChooser chooser(selection.candidates, texts, &owner_);
        if (chooser.exec() != QDialog::Accepted || chooser.Chosen().empty()) {
            return Choice::Stop;
        }
        serial = chooser.Chosen();
        if (chooser.Remember()) {
            menu_.Choose(serial);
        }
        return Choice::Run;
    }
    case DeviceSelection::Decision::NotAttached:
        CMessageReporter::Show(owner_, Q(texts.Format(TextId::DeviceNotAttached, {name})),
                               QMessageBox::Warning);
        return Choice::Stop;
    case DeviceSelection::Decision::NotReady:
        CMessageReporter::Show(
            owner_,
            Q(texts.Format(TextId::DeviceNotReady, {name, TextCodec::FromUtf8(selection.state)})),
            QMessageBox::Warning);
        return Choice::Stop;
    case DeviceSelection::Decision::NoAnswer:
        break;
    }
    CMessageReporter::Show(
        owner_, Q(DeviceTransfer::FailureMessage()), QMessageBox::Warning,
        Q(AdbFailure::Detail(listing.run, DeviceTransfer::kDefaultTimeoutMs, texts)));
    return Choice::Failed;
}

CDeviceCommands::Result CDeviceCommands::Send(const ToolLibrary& tool) {
    Result result;
    const TextCatalog texts = texts_();
    CMessageReporter reporter(owner_);
    DeviceTransfer transfer(settings_.Params, tool, programDirectory_, reporter);
    transfer.SetTexts(texts);
    // EQPara.bin first: a set the library refuses needs no device.
    TransferPlan plan = transfer.Prepare(TransferDirection::Push);
    if (plan.ready) {
        const Choice choice = Choose(result.serial);
        if (choice != Choice::Run) {
            result.status = choice == Choice::Stop ? Status::NotRun : Status::Failed;
            return result;
        }
        DeviceTransfer::Address(plan.command, result.serial);
    }
    ScratchFolder scratch;
    const std::string readBack = scratch.File(kCopyName);
    AdbRunResult run;
    AdbRunResult check;
    if (plan.ready) {
        CBusyDialog busy(texts, &owner_, TextId::BusySending);
        const AdbCommand pull =
            PushVerification::PullBack(plan.command, DeviceTransfer::RemotePath(plan), readBack);
        busy.Run([&] {
            run = DeviceTransfer::RunAdb(plan.command);
            if (run.started && run.exitCode == 0 && !readBack.empty()) {
                busy.ShowStep(TextId::BusyVerifying);
                check = DeviceTransfer::RunAdb(pull);
            }
        });
    }
    if (transfer.Finish(plan, run) < 0) {
        result.status = Status::Failed;
        return result;
    }
    std::string sent;
    SafeFile::Read(NativePath::Narrow(plan.localPath), sent);
    const PushVerification verification =
        PushVerification::Judge(sent, check, readBack, DeviceTransfer::kDefaultTimeoutMs, texts);
    switch (verification.status) {
    case PushVerification::Status::Identical:
        result.status = Status::Done;
        break;
    case PushVerification::Status::Differs:
        result.status = Status::Mismatch;
        result.differences = verification.differences;
        break;
    case PushVerification::Status::CannotRun:
        result.status = Status::Unverified;
        CMessageReporter::Show(owner_, Q(texts.Text(TextId::VerifyCannotRun)), QMessageBox::Warning,
                               Q(verification.detail));
        break;
    }
    return result;
}

CDeviceCommands::Result CDeviceCommands::Fetch(const ToolLibrary& tool) {
    Result result;
    const Choice choice = Choose(result.serial);
    if (choice != Choice::Run) {
        result.status = choice == Choice::Stop ? Status::NotRun : Status::Failed;
        return result;
    }
    const TextCatalog texts = texts_();
    CMessageReporter reporter(owner_);
    DeviceTransfer transfer(settings_.Params, tool, programDirectory_, reporter);
    transfer.SetTexts(texts);
    transfer.SetSerial(result.serial);
    const TransferPlan plan = transfer.Prepare(TransferDirection::Pull);
    const AdbRunResult run =
        plan.ready ? RunBusy(owner_, texts, TextId::BusyExchanging, plan.command) : AdbRunResult{};
    result.status = transfer.Finish(plan, run) < 0 ? Status::Failed : Status::Done;
    return result;
}

CDeviceCommands::Result CDeviceCommands::FetchCopy(ComparisonSource& copy) {
    Result result;
    const Choice choice = Choose(result.serial);
    if (choice != Choice::Run) {
        result.status = choice == Choice::Stop ? Status::NotRun : Status::Failed;
        return result;
    }
    const TextCatalog texts = texts_();
    ScratchFolder scratch;
    AdbCommand pull;
    pull.timeoutMs = DeviceTransfer::kDefaultTimeoutMs;
    const ParameterSet& p = settings_.Params;
    const std::string remote = std::string(DeviceTransfer::DeviceDirectory()) +
                               DeviceTransfer::DeviceFileName(p.SWFS, p.CHANUM);
    if (scratch.Ok()) {
        pull.argv =
            DeviceTransfer::AdbArgv(DeviceTransfer::FindAdb(programDirectory_), result.serial,
                                    {"pull", remote, scratch.File(kCopyName)});
    }
    const AdbRunResult run = RunBusy(owner_, texts, TextId::BusyExchanging, pull);
    copy = ComparisonSource{};
    const bool read = run.started && run.exitCode == 0 &&
                      SafeFile::ReadUpTo(scratch.File(kCopyName), copy.bytes, kCopyLimit,
                                         &copy.length) == SafeReadResult::Ok;
    if (!read) {
        CMessageReporter::Show(owner_, Q(texts.Text(TextId::CompareDeviceFailed)),
                               QMessageBox::Warning,
                               Q(AdbFailure::Detail(run, pull.timeoutMs, texts)));
        result.status = Status::Failed;
        return result;
    }
    result.status = Status::Done;
    return result;
}

void CDeviceCommands::ShowMismatch(const QString& message,
                                   const std::vector<FieldDifference>& differences) {
    const TextCatalog texts = texts_();
    const std::u16string count =
        NumberText::Widen(NumberText::FormatInt(static_cast<int64_t>(differences.size())));
    const std::u16string shown = texts.Format(TextId::VerifyMismatch, {count}) + u"\n" +
                                 PushVerification::List(differences, kShownDifferences, texts);
    CMessageReporter::Show(owner_, message, QMessageBox::Warning, Q(shown),
                           Q(PushVerification::List(differences, differences.size(), texts)));
}

void CDeviceCommands::ShowComparison(const SourceComparison::Result& result, const QString& other) {
    const TextCatalog texts = texts_();
    CCompareDialog dialog(result.differences, other, texts, &owner_);
    if (!result.coefficients) {
        dialog.SetNote(Q(texts.Format(TextId::CompareNoCoefficients,
                                      {NumberText::Widen(ToolLibrary::FileName())})));
    }
    dialog.exec();
}

void CDeviceCommands::CompareWithFile(const ToolLibrary& tool, const QString& path) {
    const std::u16string file = path.toStdU16String();
    const ComparisonSource other = ComparisonSource::Load(file);
    if (!other.Ok()) {
        CMessageReporter::Show(owner_, Q(ComparisonSource::Message(other, file, texts_())),
                               QMessageBox::Warning);
        return;
    }
    ShowComparison(SourceComparison::Compare(settings_.Params, other, tool),
                   QFileInfo(path).fileName());
}

void CDeviceCommands::CompareWithDevice(const ToolLibrary& tool) {
    ComparisonSource copy;
    const Result fetched = FetchCopy(copy);
    if (fetched.status == Status::Done) {
        ShowComparison(
            SourceComparison::Compare(settings_.Params, copy, tool),
            Q(texts_().Format(TextId::CompareDevice, {TextCodec::FromUtf8(fetched.serial)}))
                .trimmed());
    }
}
