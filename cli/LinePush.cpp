#include "cli/LinePush.h"

#include "base/NativePath.h"
#include "base/SafeFile.h"
#include "base/ScratchFolder.h"
#include "base/Sha256.h"
#include "base/TextCodec.h"
#include "cli/DifferenceJson.h"
#include "cli/JsonWriter.h"
#include "cli/TransferLog.h"
#include "device/AdbDeviceList.h"
#include "device/AdbFailure.h"
#include "device/DevicePush.h"
#include "params/ParameterFile.h"
#include "params/ToolLibrary.h"
#include "settings/CIniSettingBase.h"

#include <cmath>
#include <optional>

namespace {

// One line of the report: a job that runs, or an outcome known before anything is sent.
struct Entry {
    std::optional<std::size_t> job;
    DeviceOutcome outcome;
};

float RoundedSeconds(double seconds) {
    return static_cast<float>(std::round(seconds * 1000.0) / 1000.0);
}

void PrintReport(std::ostream& out, const std::vector<DeviceOutcome>& outcomes) {
    JsonWriter json(out);
    json.BeginObject().Key("devices").BeginArray();
    for (const DeviceOutcome& outcome : outcomes) {
        json.BeginObject();
        json.Key("serial").String(outcome.serial);
        json.Key("result").String(DeviceOutcome::ResultName(outcome.result));
        json.Key("seconds").Float(RoundedSeconds(outcome.seconds));
        json.Key("detail").String(outcome.detail);
        json.Key("differences");
        WriteDifferences(json, outcome.differences);
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Finish();
}

void SayWhy(std::ostream& err, const DeviceOutcome& outcome) {
    if (outcome.result == DeviceOutcome::Result::Ok) {
        return;
    }
    err << "sonvex-cli: " << (outcome.serial.empty() ? std::string("the device") : outcome.serial)
        << ": " << DeviceOutcome::ResultName(outcome.result);
    if (!outcome.detail.empty()) {
        err << ": " << TextCodec::ToUtf8(outcome.detail);
    }
    err << "\n";
}

DeviceOutcome NotAttached(const std::string& serial) {
    DeviceOutcome outcome;
    outcome.serial = serial;
    outcome.detail = u"the device is not attached";
    return outcome;
}

} // namespace

void LinePush::ExplainSeveral(const std::u16string& programDirectory, int timeoutMs, bool push,
                              std::ostream& err) {
    const AdbDeviceListing listing = AdbDeviceList::Query(programDirectory, timeoutMs);
    if (listing.Ok() && listing.devices.size() > 1) {
        err << "sonvex-cli: " << listing.devices.size()
            << " devices are attached: name one with --serial SERIAL"
            << (push ? " or send to all with --all" : "") << " (sonvex-cli devices lists them)\n";
    }
}

int LinePush::Run(const TransferOptions& options, const CIniSettingBase& settings,
                  const ToolLibrary& tool, CliIo& io, TransferLog* log) {
    const bool chooses = options.all || !options.serial.empty();
    AdbDeviceListing listing;
    if (chooses) {
        listing = AdbDeviceList::Query(io.programDirectory, options.timeoutMs);
        if (!listing.run.started) {
            io.err << "sonvex-cli: " << TextCodec::ToUtf8(AdbFailure::Detail(listing.run, 0))
                   << "\n";
            return kExitAdbNotStarted;
        }
        if (options.all && !listing.Ok()) {
            io.err << "sonvex-cli: the devices cannot be listed: "
                   << TextCodec::ToUtf8(AdbFailure::Detail(listing.run, options.timeoutMs)) << "\n";
            return kExitFailure;
        }
    }

    const std::u16string local = io.programDirectory + DeviceTransfer::LocalFileName();
    const ParameterFileResult written =
        ParameterFile::WriteParameterFile(local, settings.Params, tool);
    if (!written.Ok()) {
        io.err << "sonvex-cli: " << TextCodec::ToUtf8(ParameterFile::Message(written, local))
               << "\n";
        return kExitFailure;
    }
    std::string sent;
    if (!SafeFile::Read(NativePath::Narrow(local), sent)) {
        io.err << "sonvex-cli: \"" << TextCodec::ToUtf8(local) << "\" cannot be read back\n";
        return kExitFailure;
    }
    const std::string sha256 = Sha256::Hex(sent);
    ScratchFolder scratch;
    if (!scratch.Ok()) {
        io.err << "sonvex-cli: no scratch folder can be made in the temporary folder\n";
        return kExitFailure;
    }

    PushJob model;
    model.adb = DeviceTransfer::FindAdb(io.programDirectory);
    model.remote = std::string(DeviceTransfer::DeviceDirectory()) +
                   DeviceTransfer::DeviceFileName(settings.Params.SWFS, settings.Params.CHANUM);
    model.sent = sent;
    model.verify = options.verify;
    model.timeoutMs = options.timeoutMs;

    std::vector<Entry> entries;
    std::vector<PushJob> jobs;
    const auto addJob = [&](const std::string& serial, const std::string& localFile) {
        PushJob job = model;
        job.serial = serial;
        job.local = localFile;
        job.readBack = scratch.File(std::to_string(jobs.size()) + "-read.bin");
        entries.push_back(Entry{jobs.size(), {}});
        jobs.push_back(job);
    };
    if (options.all) {
        for (const AdbDevice& device : listing.devices) {
            if (!device.Ready()) {
                entries.push_back(Entry{std::nullopt, DeviceOutcome::NotReady(device)});
                continue;
            }
            // Each device is sent its own copy, so that no two runs share a file.
            const std::string copy = scratch.File(std::to_string(jobs.size()) + "-sent.bin");
            if (SafeFile::Write(copy, sent) != SafeFileResult::Ok) {
                io.err << "sonvex-cli: the copy \"" << copy << "\" cannot be written\n";
                return kExitFailure;
            }
            addJob(device.serial, copy);
        }
        if (listing.devices.empty()) {
            io.err << "sonvex-cli: no device is attached\n";
        }
    } else {
        const AdbDevice* device = listing.Ok() ? listing.Find(options.serial) : nullptr;
        if (listing.Ok() && device == nullptr) {
            entries.push_back(Entry{std::nullopt, NotAttached(options.serial)});
        } else if (device != nullptr && !device->Ready()) {
            entries.push_back(Entry{std::nullopt, DeviceOutcome::NotReady(*device)});
        } else {
            addJob(options.serial, NativePath::Narrow(local));
        }
    }

    bool logged = true;
    const auto record = [&](const DeviceOutcome& outcome) {
        if (log != nullptr) {
            logged = log->Append("push", outcome.serial, DeviceOutcome::ResultName(outcome.result),
                                 sha256) &&
                     logged;
        }
    };
    for (const Entry& entry : entries) {
        if (!entry.job) {
            record(entry.outcome); // known before anything is sent
        }
    }
    const std::vector<DeviceOutcome> ran = DevicePush::RunAll(jobs, options.jobs, record);
    std::vector<DeviceOutcome> outcomes;
    bool allOk = !entries.empty();
    bool adbStarted = true;
    for (const Entry& entry : entries) {
        const DeviceOutcome& outcome = entry.job ? ran[*entry.job] : entry.outcome;
        SayWhy(io.err, outcome);
        allOk = allOk && outcome.result == DeviceOutcome::Result::Ok;
        adbStarted = adbStarted && outcome.adbStarted;
        outcomes.push_back(outcome);
    }
    if (!allOk && !chooses && adbStarted) {
        ExplainSeveral(io.programDirectory, options.timeoutMs, true, io.err);
    }
    PrintReport(io.out, outcomes);
    if (!logged) {
        io.err << "sonvex-cli: the log \"" << options.log << "\" could not be written\n";
        allOk = false;
    }
    if (!adbStarted) {
        return kExitAdbNotStarted;
    }
    return allOk ? kExitOk : kExitFailure;
}
