#include "measure/MeasurementSet.h"

#include <utility>

ResponseFileResult MeasurementSet::Import(int channel, const std::string& path) {
    MeasuredResponse response;
    const ResponseFileResult result = ResponseFileReader::Read(path, response);
    if (result.Ok()) {
        Set(channel, path, std::move(response));
    }
    return result;
}

void MeasurementSet::Clear(int channel) {
    channels_[Index(channel)] = Channel{};
    Changed();
}

void MeasurementSet::Set(int channel, const std::string& path, MeasuredResponse response) {
    channels_[Index(channel)] =
        Channel{path, std::make_shared<const MeasuredResponse>(std::move(response))};
    Changed();
}

void MeasurementSet::SetFlat() {
    kind_ = TargetKind::Flat;
    target_ = TargetCurve::Flat();
    targetProblem_ = {};
    Changed();
}

void MeasurementSet::SetTilt(double dbPerOctave) {
    kind_ = TargetKind::Tilt;
    tilt_ = dbPerOctave;
    target_ = TargetCurve::Tilt(dbPerOctave);
    targetProblem_ = {};
    Changed();
}

ResponseFileResult MeasurementSet::SetTargetFile(const std::string& path) {
    MeasuredResponse response;
    const ResponseFileResult result = ResponseFileReader::Read(path, response);
    if (result.Ok()) {
        kind_ = TargetKind::File;
        targetPath_ = path;
        target_ = TargetCurve::FromResponse(std::move(response));
        targetProblem_ = {};
        Changed();
    }
    return result;
}

void MeasurementSet::SetUnreadTargetFile(const std::string& path, const ResponseFileResult& why) {
    kind_ = TargetKind::File;
    targetPath_ = path;
    target_.reset();
    targetProblem_ = why;
    Changed();
}

bool MeasurementSet::SetRange(const FitRange& range) {
    if (!range.Valid()) {
        return false;
    }
    range_ = range;
    Changed();
    return true;
}

std::shared_ptr<const MeasurementOverlay> MeasurementSet::Overlay(int channel,
                                                                  int32_t sampleRate) const {
    const Channel& measured = channels_[Index(channel)];
    if (!measured.response) {
        return nullptr;
    }
    std::shared_ptr<const MeasurementOverlay>& overlay = overlays_[Index(channel)];
    if (!overlay || overlay->SampleRate() != sampleRate) {
        overlay = std::make_shared<const MeasurementOverlay>(*measured.response, Target(), range_,
                                                             sampleRate);
    }
    return overlay;
}

void MeasurementSet::Changed() {
    overlays_ = {};
}
