#include "device/DevicePush.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "device/AdbFailure.h"
#include "device/PushVerification.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

// Differences named in the detail line of a mismatch.
constexpr std::size_t kDetailDifferences = 3;

DeviceOutcome::Result FailureResult(const AdbRunResult& run) {
    const std::string state = AdbFailure::StateInOutput(run.output);
    if (state == "unauthorized") {
        return DeviceOutcome::Result::Unauthorized;
    }
    if (state == "offline") {
        return DeviceOutcome::Result::Offline;
    }
    return DeviceOutcome::Result::Failed;
}

DeviceOutcome Send(const PushJob& job) {
    DeviceOutcome outcome;
    outcome.serial = job.serial;
    AdbCommand push;
    push.timeoutMs = job.timeoutMs;
    push.argv = DeviceTransfer::AdbArgv(job.adb, job.serial, {"push", job.local, job.remote});
    const AdbRunResult sent = DeviceTransfer::RunAdb(push);
    if (!sent.started || sent.exitCode != 0) {
        outcome.adbStarted = sent.started;
        outcome.result = FailureResult(sent);
        outcome.detail = AdbFailure::Detail(sent, job.timeoutMs);
        return outcome;
    }
    if (!job.verify) {
        outcome.result = DeviceOutcome::Result::Ok;
        return outcome;
    }
    const AdbRunResult pulled =
        DeviceTransfer::RunAdb(PushVerification::PullBack(push, job.remote, job.readBack));
    const PushVerification check =
        PushVerification::Judge(job.sent, pulled, job.readBack, job.timeoutMs);
    switch (check.status) {
    case PushVerification::Status::Identical:
        outcome.result = DeviceOutcome::Result::Ok;
        break;
    case PushVerification::Status::Differs:
        outcome.result = DeviceOutcome::Result::Mismatch;
        outcome.differences = check.differences;
        outcome.detail = PushVerification::List(check.differences, kDetailDifferences, {}, u"; ");
        break;
    case PushVerification::Status::CannotRun:
        outcome.result = FailureResult(pulled);
        outcome.detail = u"sent, but the check failed: " + check.detail;
        break;
    }
    return outcome;
}

} // namespace

const char* DeviceOutcome::ResultName(Result result) {
    switch (result) {
    case Result::Ok:
        return "ok";
    case Result::Mismatch:
        return "mismatch";
    case Result::Failed:
        break;
    case Result::Unauthorized:
        return "unauthorized";
    case Result::Offline:
        return "offline";
    }
    return "failed";
}

DeviceOutcome DeviceOutcome::NotReady(const AdbDevice& device) {
    DeviceOutcome outcome;
    outcome.serial = device.serial;
    if (device.state == "unauthorized") {
        outcome.result = Result::Unauthorized;
        outcome.detail = u"device unauthorized: allow USB debugging on its screen";
    } else if (device.state == "offline") {
        outcome.result = Result::Offline;
        outcome.detail = u"device offline";
    } else {
        outcome.result = Result::Failed;
        outcome.detail = u"the device is in state \"" + TextCodec::FromUtf8(device.state) +
                         u"\" and takes no commands";
    }
    return outcome;
}

DeviceOutcome DevicePush::Run(const PushJob& job) {
    const auto start = std::chrono::steady_clock::now();
    DeviceOutcome outcome = Send(job);
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

std::vector<DeviceOutcome>
DevicePush::RunAll(const std::vector<PushJob>& jobs, int parallel,
                   const std::function<void(const DeviceOutcome&)>& finished) {
    std::vector<DeviceOutcome> outcomes(jobs.size());
    std::atomic<std::size_t> next{0};
    std::mutex report;
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            outcomes[i] = Run(jobs[i]);
            if (finished) {
                const std::lock_guard<std::mutex> lock(report);
                finished(outcomes[i]);
            }
        }
    };
    const std::size_t threads =
        std::min(jobs.size(), static_cast<std::size_t>(std::max(parallel, 1)));
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (std::size_t t = 0; t < threads; ++t) {
        workers.emplace_back(work);
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return outcomes;
}
