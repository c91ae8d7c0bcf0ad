#pragma once

#include <atomic>
#include <functional>

// Reports a fit's progress as a fraction from 0 to 1 (never decreasing). Called on the thread
// that runs the fit; a desktop program forwards it to its window thread.
using FitProgress = std::function<void(double fraction)>;

// The progress callback and the cancel flag of one fit. The work is divided into stages, each a
// share of the whole; a stage reports how far it is, and the control maps that onto the whole.
class FitControl {
public:
    FitControl(FitProgress progress, const std::atomic<bool>* cancel)
        : progress_(std::move(progress)), cancel_(cancel) {}

    // Whether the cancel flag is raised.
    bool Cancelled() const {
        return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed);
    }

    // The next stage covers the whole from `from` to `to`.
    void Stage(double from, double to) {
        from_ = from;
        to_ = to;
    }
    // The current stage is this far (0 to 1).
    void Report(double fraction);
    // The whole is done.
    void Finish() { Publish(1.0); }

private:
    void Publish(double whole);

    FitProgress progress_;
    const std::atomic<bool>* cancel_;
    double from_ = 0.0;
    double to_ = 1.0;
    double reported_ = -1.0;
};
