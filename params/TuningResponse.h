#pragma once

#include "params/ChainResponse.h"
#include "params/DesignGrid.h"
#include "params/DeviceResponse.h"
#include "params/EqualiserBands.h"
#include "params/ParameterSet.h"

#include <array>
#include <vector>

// What an equaliser page's tuning view shows besides its own curve.
struct TuningRequest {
    EqualiserKind kind = EqualiserKind::TenBand; // the page's equaliser
    int channel = 0;                             // the page's channel (0 L, else R)
    bool bothChannels = false;                   // the other channel too
    bool wholeChain = false;
    bool bandCurves = false;     // each band of the page's channel alone
    bool deviceResponse = false; // the equaliser from its stored sections, and the departures
};

// The highest point of a curve.
struct CurvePeak {
    bool found = false;
    double db = 0.0;
    double frequency = 0.0; // Hz
};

// The curves of one channel, dB, one value per grid point.
struct TuningChannel {
    std::vector<float> equaliser; // the page's equaliser, the library's curve
    std::vector<double> chain;    // the whole chain (with wholeChain)
    std::vector<double> device;   // the equaliser from its stored sections (with deviceResponse)
    CurvePeak chainPeak;
};

// A band whose stored section departs from its design by more than the limit somewhere on the
// grid, and by how much at most.
struct BandDeparture {
    int band = 0;
    double db = 0.0;

    friend bool operator==(const BandDeparture&, const BandDeparture&) = default;
};

struct TuningCurves {
    std::vector<double> frequencies; // Hz, the grid
    TuningChannel own;
    TuningChannel other; // with bothChannels
    // The page's channel, each band alone (the other bands flat), with bandCurves.
    std::vector<std::vector<float>> bands;
    // The page's channel, with deviceResponse: the bands beyond kDepartureLimitDb.
    std::vector<BandDeparture> departures;
};

// Computes the tuning view's curves of a parameter set (the stored one, or a draft made of what
// the boxes show) through the design library, on one grid. Each equaliser's curve and each
// band's curve is kept with the inputs it came from and reused while they stay the same, so
// that dragging one band recomputes that band, its equaliser and the chains only.
//
// A band's own curve is the library's curve of the equaliser with every other band at 0 dB (and
// at a frequency and Q the library can take, so that a band it cannot take leaves the others'
// curves finite). A band's stored section is its lattice section as the library designs it (the
// floats the parameter file carries); its departure is the largest difference between the
// section's response evaluated in double and the band's own curve.
class TuningResponse {
public:
    static constexpr double kDepartureLimitDb = 0.1;

    // design must outlive this object.
    explicit TuningResponse(const ChainResponse& design) : design_(design) {}

    ChainStatus Compute(const ParameterSet& set, const TuningRequest& request,
                        const DesignGrid& grid, TuningCurves& curves);

    // How many times the library was called since construction (each call designs one
    // equaliser and computes its curve).
    long LibraryCalls() const { return libraryCalls_; }

    // The highest finite point of a curve on its frequencies.
    static CurvePeak Peak(const std::vector<double>& db, const std::vector<double>& frequencies);

private:
    struct Designed {
        bool valid = false;
        EqualiserBands bands;
        DesignGrid grid;
        std::vector<float> record; // with the designed coefficients
        std::vector<float> curve;
    };
    struct Band {
        Designed alone;
        bool hasDevice = false;
        std::vector<double> device; // the band's stored section, dB
    };

    // The slot of an equaliser of a channel, designed afresh when its bands or grid changed.
    ChainStatus Design(Designed& slot, const EqualiserBands& bands, const DesignGrid& grid);
    Designed& Slot(EqualiserKind kind, int channel);
    ChainStatus Channel(const ParameterSet& set, const TuningRequest& request, int channel,
                        const DesignGrid& grid, TuningChannel& out);
    ChainStatus BandCurves(const EqualiserBands& bands, const TuningRequest& request,
                           const DesignGrid& grid, TuningCurves& curves);

    const ChainResponse& design_;
    std::array<std::array<Designed, 2>, 2> designed_; // [kind][channel]
    std::vector<Band> bands_;                         // of the last request's equaliser
    EqualiserKind bandsKind_ = EqualiserKind::TenBand;
    int bandsChannel_ = 0;
    DesignGrid phasorGrid_{0, 0.0f, 0};
    DeviceResponse::Phasors phasors_;
    long libraryCalls_ = 0;
};
