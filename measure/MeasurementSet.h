#pragma once

#include "measure/FitRange.h"
#include "measure/MeasuredResponse.h"
#include "measure/MeasurementOverlay.h"
#include "measure/ResponseFileReader.h"
#include "measure/TargetCurve.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// What the program knows of the measurements: the measured response of each channel (channel L
// 0, R 1) with the file it came from, the target (flat, a tilt or a target file) and the fit
// range. Imports that are refused change nothing. The curves drawn over a channel's measurement
// are prepared once per sample rate (Overlay) and prepared again after any change.
class MeasurementSet {
public:
    enum class TargetKind { Flat, Tilt, File };

    // Reads a channel's measurement (path UTF-8); on a refusal the channel keeps what it had.
    ResponseFileResult Import(int channel, const std::string& path);
    void Clear(int channel);
    // Takes a response that was read elsewhere (tests, a start-up read).
    void Set(int channel, const std::string& path, MeasuredResponse response);

    // The path the channel's measurement came from; empty for none.
    const std::string& Path(int channel) const { return channels_[Index(channel)].path; }
    // The channel's measurement; null for none.
    const MeasuredResponse* Response(int channel) const {
        return channels_[Index(channel)].response.get();
    }

    void SetFlat();
    void SetTilt(double dbPerOctave);
    // Reads a target file (path UTF-8) and makes it the target; on a refusal nothing changes.
    ResponseFileResult SetTargetFile(const std::string& path);
    // Names a target file that could not be read (at start): the target is then missing, and
    // drawings show no target and no error, until another target is chosen.
    void SetUnreadTargetFile(const std::string& path, const ResponseFileResult& why);

    TargetKind Kind() const { return kind_; }
    double Tilt() const { return tilt_; }
    const std::string& TargetPath() const { return targetPath_; }
    // The target; null when the target file could not be read (TargetProblem says why).
    const TargetCurve* Target() const { return target_ ? &*target_ : nullptr; }
    const ResponseFileResult& TargetProblem() const { return targetProblem_; }

    // False, and the range stays, for a range that is not valid.
    bool SetRange(const FitRange& range);
    const FitRange& Range() const { return range_; }

    // The curves of a channel's measurement for a sample rate; null without a measurement.
    std::shared_ptr<const MeasurementOverlay> Overlay(int channel, int32_t sampleRate) const;

private:
    struct Channel {
        std::string path;
        std::shared_ptr<const MeasuredResponse> response;
    };
    static std::size_t Index(int channel) { return channel == 0 ? 0 : 1; }
    void Changed();

    std::array<Channel, 2> channels_;
    TargetKind kind_ = TargetKind::Flat;
    double tilt_ = 0.0;
    std::string targetPath_;
    std::optional<TargetCurve> target_ = TargetCurve::Flat();
    ResponseFileResult targetProblem_;
    FitRange range_;
    mutable std::array<std::shared_ptr<const MeasurementOverlay>, 2> overlays_;
};
