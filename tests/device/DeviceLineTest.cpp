// The devices adb lists, which one a command addresses, why adb failed, and verified pushes to
// a line of devices through the fake adb (tests/support/fake-adb).
#include "device/AdbDeviceList.h"
#include "device/AdbFailure.h"
#include "device/DevicePush.h"
#include "device/DeviceSelection.h"

#include "tests/support/FakeAdb.h"
#include "tests/support/FloatBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kRemote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

// A parameter file's bytes with a mark of its own, so that files sent side by side differ.
std::string FileMarked(float mark) {
    std::vector<float> values(614, 0.0f);
    values[0] = 2;
    values[1] = 48000;
    values[16] = mark; // Gain1 of L
    return FloatBytes::LittleEndian(values);
}

} // namespace

TEST(AdbDeviceList, ReadsTheLinesAdbPrints) {
    const std::string output = "* daemon not running; starting now at tcp:5037\n"
                               "* daemon started successfully\n"
                               "List of devices attached\n"
                               "R58M123456             device usb:1-1 product:a52q model:SM_A525F "
                               "device:a52q transport_id:2\r\n"
                               "emulator-5554\tunauthorized transport_id:3\n"
                               "ZY22 no permissions (user in plugdev group; are your udev rules "
                               "wrong?); see [http://developer.android.com/tools/device.html] "
                               "usb:1-4 transport_id:4\n"
                               "192.168.1.5:5555       offline\n"
                               "\n";
    const std::vector<AdbDevice> expected = {{"R58M123456", "device", "SM_A525F"},
                                             {"emulator-5554", "unauthorized", ""},
                                             {"ZY22", "no permissions", ""},
                                             {"192.168.1.5:5555", "offline", ""}};
    EXPECT_EQ(AdbDeviceList::Parse(output), expected);
    EXPECT_TRUE(AdbDeviceList::Parse("List of devices attached\n\n").empty());
}

TEST(DeviceSelection, FollowsTheChosenSerialAndAsksAmongSeveral) {
    AdbDeviceListing two;
    two.run.started = true;
    two.run.exitCode = 0;
    two.devices = {{"A1", "device", "Alpha"}, {"B2", "unauthorized", ""}};
    AdbDeviceListing one = two;
    one.devices.resize(1);
    AdbDeviceListing failed;
    failed.run.started = true;
    failed.run.exitCode = 1;
    AdbDeviceListing silent = failed;
    silent.run.timedOut = true;
    using D = DeviceSelection::Decision;
    const struct {
        const char* chosen;
        const AdbDeviceListing& listing;
        D decision;
        const char* serial;
    } cases[] = {
        {"A1", two, D::Use, "A1"},         {"B2", two, D::NotReady, "B2"},
        {"C3", two, D::NotAttached, "C3"}, {"", two, D::Ask, ""},
        {"", one, D::AsBefore, ""},        {"C3", failed, D::AsBefore, "C3"},
        {"", silent, D::NoAnswer, ""},
    };
    for (const auto& c : cases) {
        const DeviceSelection selection = DeviceSelection::Decide(c.chosen, c.listing);
        EXPECT_EQ(selection.decision, c.decision) << c.chosen;
        EXPECT_EQ(selection.serial, c.serial) << c.chosen;
    }
    EXPECT_EQ(DeviceSelection::Decide("B2", two).state, "unauthorized");
    EXPECT_EQ(DeviceSelection::Decide("", two).candidates, two.devices);
}

TEST(AdbFailure, SaysWhyInAdbsOwnWordsOrOurs) {
    AdbRunResult run;
    run.found = false;
    EXPECT_EQ(AdbFailure::Detail(run, 25000),
              u"adb was not found (looked in the program folder and on PATH)");
    run.found = run.started = true;
    run.timedOut = true;
    EXPECT_EQ(AdbFailure::Detail(run, 25000), u"no answer within 25 s");
    EXPECT_EQ(AdbFailure::Detail(run, 300), u"no answer within 0.3 s");
    run.timedOut = false;
    run.exitCode = 1;
    run.output = "one\n\n  two  \r\nthree\nadb: error: failed to get feature set: device "
                 "unauthorized.\n";
    EXPECT_EQ(AdbFailure::Detail(run, 25000),
              u"two\nthree\nadb: error: failed to get feature set: device unauthorized.");
    EXPECT_EQ(AdbFailure::StateInOutput(run.output), "unauthorized");
    run.output.clear();
    EXPECT_EQ(AdbFailure::Detail(run, 25000), u"adb ended with exit code 1");
}

class DeviceLine : public ::testing::Test {
protected:
    PushJob Job(const std::string& serial, float mark, bool verify) {
        PushJob job;
        job.adb = adb_.AdbPath();
        job.serial = serial;
        job.sent = FileMarked(mark);
        job.local = adb_.ScratchFile(serial + " sent.bin");
        job.readBack = adb_.ScratchFile(serial + " read.bin");
        job.remote = kRemote;
        job.verify = verify;
        job.timeoutMs = 10000;
        TempDir::WriteBytes(job.local, job.sent);
        return job;
    }
    // How many pushes and pulls ran at the same time at most.
    int MostAtOnce() const {
        int running = 0;
        int most = 0;
        for (const std::string& event : adb_.Events()) {
            running += event.starts_with("begin") ? 1 : -1;
            most = std::max(most, running);
        }
        return most;
    }
    FakeAdb adb_;
};

TEST_F(DeviceLine, ParallelPushesOverlapAndNeverMixTheirFiles) {
    adb_.SetDevices("A1:device:Alpha B2:device:Beta C3:device:Gamma");
    adb_.Set("FAKE_ADB_SLOW", "0.5");
    const std::vector<PushJob> jobs = {Job("A1", 1, true), Job("B2", 2, true), Job("C3", 3, true)};
    std::vector<std::string> finished;
    const std::vector<DeviceOutcome> outcomes = DevicePush::RunAll(
        jobs, 4, [&](const DeviceOutcome& outcome) { finished.push_back(outcome.serial); });
    ASSERT_EQ(outcomes.size(), 3u);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(outcomes[i].serial, jobs[i].serial);
        EXPECT_EQ(outcomes[i].result, DeviceOutcome::Result::Ok) << outcomes[i].serial;
        EXPECT_EQ(TempDir::ReadBytes(adb_.DeviceFileOf(jobs[i].serial, kRemote)), jobs[i].sent);
        EXPECT_EQ(TempDir::ReadBytes(jobs[i].readBack), jobs[i].sent);
    }
    EXPECT_EQ(finished.size(), 3u);
    EXPECT_EQ(MostAtOnce(), 3);

    // One at a time when asked.
    adb_.ClearEvents();
    DevicePush::RunAll({Job("A1", 5, false), Job("B2", 6, false), Job("C3", 7, false)}, 1);
    EXPECT_EQ(adb_.Events().size(), 6u);
    EXPECT_EQ(MostAtOnce(), 1);
}

TEST_F(DeviceLine, CorruptingVanishingAndUnauthorisedDevices) {
    adb_.SetDevices("A1:device:Alpha B2:device:Beta C3:unauthorized D4:device:Delta");
    adb_.Set("FAKE_ADB_CORRUPT", "A1");
    adb_.Set("FAKE_ADB_VANISH", "B2");
    const std::vector<DeviceOutcome> outcomes = DevicePush::RunAll(
        {Job("A1", 1, true), Job("B2", 2, true), Job("C3", 3, true), Job("D4", 4, false)}, 2);

    EXPECT_EQ(outcomes[0].result, DeviceOutcome::Result::Mismatch);
    ASSERT_EQ(outcomes[0].differences.size(), 1u);
    const FieldDifference& changed = outcomes[0].differences[0];
    EXPECT_EQ(changed.key, "EQGAINLEFT");
    EXPECT_EQ(changed.channel, 0);
    EXPECT_EQ(changed.band, 3);
    EXPECT_EQ(changed.a.Format() + u"/" + changed.b.Format(), u"0/7");
    EXPECT_NE(outcomes[0].detail.find(u"EQGAINLEFT"), std::u16string::npos);

    EXPECT_EQ(outcomes[1].result, DeviceOutcome::Result::Failed);
    EXPECT_NE(outcomes[1].detail.find(u"Connection reset"), std::u16string::npos);
    const AdbDeviceListing after = AdbDeviceList::Query(adb_.ProgramDir16(), 10000);
    EXPECT_TRUE(after.Ok());
    EXPECT_EQ(after.Find("B2"), nullptr); // gone
    EXPECT_EQ(after.Find("C3")->state, "unauthorized");

    EXPECT_EQ(outcomes[2].result, DeviceOutcome::Result::Unauthorized);
    EXPECT_FALSE(adb_.HasDeviceFile("/C3" + kRemote));
    EXPECT_EQ(outcomes[3].result, DeviceOutcome::Result::Ok); // not verified: no pull
    const auto calls = adb_.Calls();
    EXPECT_EQ(
        std::count_if(calls.begin(), calls.end(), [](const auto& call) { return call[1] == "D4"; }),
        1);
}
