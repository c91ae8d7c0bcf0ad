// Verified pushes to a line of slow devices, each device a folder of the fake adb
// (tests/support/fake-adb) that waits 200 ms in every push and pull. Sent one at a time the line
// takes the devices times 400 ms; up to N at a time it should take about 400 ms per batch of N
// (target: within 1.5 times that), since every device has its own process runner and files.
#include "base/ScratchFolder.h"
#include "device/DevicePush.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kDevices = 8;

// The fake adb with kDevices slow devices, and one job per device.
class Line {
public:
    Line() {
        const fs::path adb = fs::path(folder_.Path()) / "adb";
        fs::copy_file(fs::path(SONVEX_SOURCE_DIR) / "tests/support/fake-adb", adb);
        fs::permissions(adb, fs::perms::owner_all, fs::perm_options::replace);
        std::string devices;
        for (int i = 0; i < kDevices; ++i) {
            devices += "D" + std::to_string(i) + ":device:Bench ";
        }
        ::setenv("FAKE_ADB_DEVICE_DIR", folder_.File("devices").c_str(), 1);
        ::setenv("FAKE_ADB_DEVICES", devices.c_str(), 1);
        ::setenv("FAKE_ADB_SLOW", "0.2", 1);
        const std::string sent(2456, '\0');
        for (int i = 0; i < kDevices; ++i) {
            PushJob job;
            job.adb = adb.string();
            job.serial = "D" + std::to_string(i);
            job.local = folder_.File(job.serial + "-sent.bin");
            job.readBack = folder_.File(job.serial + "-read.bin");
            job.remote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";
            job.sent = sent;
            job.verify = true;
            std::ofstream(job.local, std::ios::binary) << sent;
            jobs_.push_back(job);
        }
    }
    const std::vector<PushJob>& Jobs() const { return jobs_; }

private:
    ScratchFolder folder_;
    std::vector<PushJob> jobs_;
};

void BM_VerifiedLinePush(benchmark::State& state) {
    const Line line;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DevicePush::RunAll(line.Jobs(), static_cast<int>(state.range(0))));
    }
}

} // namespace

BENCHMARK(BM_VerifiedLinePush)
    ->Arg(1)
    ->Arg(4)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

BENCHMARK_MAIN();
