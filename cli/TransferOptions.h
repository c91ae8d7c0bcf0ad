#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The words after "push" or "pull".
struct TransferOptions {
    static constexpr int kDefaultJobs = 4;

    std::string config;
    std::string serial;      // --serial S
    bool all = false;        // --all (push)
    bool verify = false;     // --verify (push)
    int jobs = kDefaultJobs; // --jobs N (push --all)
    int timeoutMs = 0;       // --timeout MS, else adb's default
    bool force = false;      // --force (pull)
    std::string log;         // --log FILE

    // Whether push reports each device as JSON (--serial, --all or --verify); without them it
    // works as it always has.
    bool DeviceReport() const { return all || verify || !serial.empty(); }

    // None, with the reason written to err, on a usage error: an unknown or repeated option, a
    // missing value, --serial with --all, --jobs without --all, a count or time-out below 1,
    // no CONFIG or more than one.
    static std::optional<TransferOptions> Parse(const std::vector<std::string>& args, bool pull,
                                                std::ostream& err);
};
