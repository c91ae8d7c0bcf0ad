#pragma once

#include "fit/FitControl.h"
#include "fit/FitRequest.h"
#include "fit/FitResult.h"
#include "params/ChainResponse.h"

#include <atomic>
#include <cstdint>

class ToolLibrary;

// Chooses the bands of a channel's ten-band equaliser, eight-band equaliser or both so that the
// predicted response (measurement + whole chain) comes closest to the target over the fit range,
// in the RMS sense after removing the mean difference, within the device's steps: gains whole dB
// from -12 to 12, frequencies whole Hz above 0 and below SWFS / 2, Q above 0.5 with one decimal
// (and at most kMaxQ), band 0 the low shelf and the last band the high shelf. The model is the
// design library's own curves (FitModel), so what is fitted is what the device runs.
//
// The search (FitRun): Levenberg-Marquardt in (log frequency, gain, log Q) from five
// deterministic starts (the current bands; greedy placement with the shelves first and with them
// last; matching pursuit, plain and sliding), the best minima reseeded (their weakest bands moved
// to where the error is largest), then a descent over the device's lattice from the rounding of
// the best two (LatticeSearch). The best lattice point wins; the current bands, when they are on
// the device's steps, are one of the candidates, so a fit never ends worse than where it began
// nor than the rounding of its own continuous minimum. Both equalisers are fitted jointly,
// starting among others from the fit of the ten-band one alone, whose result is also a
// candidate: fitting both is never worse than fitting the ten-band one.
//
// Deterministic: no random numbers and one thread, so the same request gives the same bands.
// Fit runs on the caller's thread (a desktop program calls it from a worker thread), reports its
// progress through the callback and stops soon after the cancel flag is raised, returning
// Cancelled and no bands. It changes nothing outside its result.
class EqualiserFitter {
public:
    // The highest Q a fit chooses. The device takes any Q above 0.5; beyond 10 a band is
    // narrower than a tenth of an octave, which the measured points and the design grid (about a
    // hundredth of an octave apart) no longer follow well.
    static constexpr double kMaxQ = 10.0;
    static constexpr int32_t kMaxQTenths = 100;

    explicit EqualiserFitter(const ToolLibrary& library);
    EqualiserFitter(EqProductFunction tenBand, EqProductFunction eightBand)
        : chain_(tenBand, eightBand) {}

    FitResult Fit(const FitRequest& request, const FitProgress& progress = {},
                  const std::atomic<bool>* cancel = nullptr) const;

private:
    ChainResponse chain_;
};
