// How close a standard shelving filter (the RBJ audio-EQ cookbook's, as other tools' parametric
// EQ files mean LSC/HSC) comes to the device's shelves: for gains from -12 to 12 dB and corner
// frequencies from 25 Hz to 16 kHz at 44.1 and 48 kHz, the Q whose cookbook shelf is closest to
// ours over 20 Hz to 20 kHz (largest difference in dB), and the largest difference with the Q the
// export writes; and the same design as ours evaluated in double precision against the cookbook
// shelf, to show that what is left is the single precision of the device's coefficients. Prints a
// summary; exits 1 when the written Q is off by more than 0.1 dB.

#include "exchange/ParametricEqWriter.h"
#include "params/ChainResponse.h"
#include "params/DesignGrid.h"
#include "params/EqualiserBands.h"
#include "params/ToolLibrary.h"
#include "base/NumberText.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

// The cookbook shelf's response in dB at frequency.
double CookbookShelf(bool low, double gainDb, double corner, double q, double sampleRate,
                     double frequency) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2.0 * kPi * corner / sampleRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double c = std::cos(w0);
    const double root = 2.0 * std::sqrt(a) * alpha;
    const double sign = low ? 1.0 : -1.0;
    const double b0 = a * ((a + 1) - sign * (a - 1) * c + root);
    const double b1 = sign * 2 * a * ((a - 1) - sign * (a + 1) * c);
    const double b2 = a * ((a + 1) - sign * (a - 1) * c - root);
    const double a0 = (a + 1) + sign * (a - 1) * c + root;
    const double a1 = -sign * 2 * ((a - 1) + sign * (a + 1) * c);
    const double a2 = (a + 1) + sign * (a - 1) * c - root;
    const std::complex<double> z = std::polar(1.0, -2.0 * kPi * frequency / sampleRate);
    const std::complex<double> h = (b0 + b1 * z + b2 * z * z) / (a0 + a1 * z + a2 * z * z);
    return 20.0 * std::log10(std::abs(h));
}

// The device's shelf design (second-order Butterworth, half the gain at the corner, the high
// shelf mirrored from a low one), evaluated in double precision.
double OurShelfInDouble(bool low, double gainDb, double corner, double sampleRate,
                        double frequency) {
    const double g = std::pow(10.0, gainDb / 20.0);
    const double w =
        low ? 2.0 * corner * kPi / sampleRate : (1.0 - 2.0 * corner / sampleRate) * kPi;
    const double t = std::tan(w / 2.0);
    const double e = std::sqrt((g * g - g) / (g - 1.0));
    const double s = std::sqrt(0.5);
    const double beta = t / std::sqrt(e);
    const double d = beta * beta + 2.0 * s * beta + 1.0;
    const double k = 2.0 * std::sqrt(g) * s * beta;
    const double n = g * beta * beta;
    const double sign = low ? 1.0 : -1.0;
    const double b0 = (k + n + 1.0) / d;
    const double b1 = sign * 2.0 * (n - 1.0) / d;
    const double b2 = (n - k + 1.0) / d;
    const double a1 = sign * 2.0 * (beta * beta - 1.0) / d;
    const double a2 = (beta * beta - 2.0 * s * beta + 1.0) / d;
    const std::complex<double> z = std::polar(1.0, -2.0 * kPi * frequency / sampleRate);
    const std::complex<double> h = (b0 + b1 * z + b2 * z * z) / (1.0 + a1 * z + a2 * z * z);
    return 20.0 * std::log10(std::abs(h));
}

struct Shelf {
    bool low;
    double gain;
    double corner;
    double sampleRate;
    std::vector<double> frequencies; // 20 Hz to 20 kHz
    std::vector<double> ours;        // dB
};

double LargestDifference(const Shelf& shelf, double q) {
    double largest = 0.0;
    for (std::size_t i = 0; i < shelf.frequencies.size(); ++i) {
        const double theirs = CookbookShelf(shelf.low, shelf.gain, shelf.corner, q,
                                            shelf.sampleRate, shelf.frequencies[i]);
        largest = std::max(largest, std::abs(theirs - shelf.ours[i]));
    }
    return largest;
}

// Golden-section search of the closest Q in [0.3, 3].
double ClosestQ(const Shelf& shelf) {
    double a = 0.3;
    double b = 3.0;
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int i = 0; i < 80; ++i) {
        const double c = b - ratio * (b - a);
        const double d = a + ratio * (b - a);
        if (LargestDifference(shelf, c) < LargestDifference(shelf, d)) {
            b = d;
        } else {
            a = c;
        }
    }
    return (a + b) / 2.0;
}

} // namespace

int main() {
    ToolLibrary library;
    if (library.Load(NumberText::Widen(SONVEX_BIN_DIR) + u"/") != ToolLoadResult::Ok) {
        std::fprintf(stderr, "cannot load libTool.so from %s\n", SONVEX_BIN_DIR);
        return 1;
    }
    const ChainResponse chain(library);
    const double written = ParametricEqWriter::kShelfQ;
    double lowestQ = 10.0;
    double highestQ = 0.0;
    double worstBest = 0.0;
    double worstWritten = 0.0;
    int shelves = 0;
    char worstCase[96] = "";
    double worstAbove100 = 0.0;
    double exact = 0.0;
    for (const int32_t sampleRate : {44100, 48000}) {
        const DesignGrid grid{sampleRate, 20.0f, 4000};
        const std::vector<double> frequencies = grid.Frequencies();
        for (const bool low : {true, false}) {
            for (int gain = -12; gain <= 12; gain += 3) {
                if (gain == 0) {
                    continue;
                }
                for (const int corner : {25, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 16000}) {
                    EqualiserBands bands = EqualiserBands::Empty(EqualiserKind::TenBand);
                    for (int b = 0; b < 10; ++b) {
                        bands.frequencies[static_cast<std::size_t>(b)] = 1000;
                    }
                    std::fill(bands.q.begin(), bands.q.end(), 1.0f);
                    const std::size_t band = low ? 0 : 9;
                    bands.gains[band] = gain;
                    bands.frequencies[band] = corner;
                    std::vector<float> curve;
                    chain.Equaliser(bands, grid, curve);
                    Shelf shelf{low,
                                static_cast<double>(gain),
                                static_cast<double>(corner),
                                static_cast<double>(sampleRate),
                                {},
                                {}};
                    for (std::size_t i = 0; i < frequencies.size(); ++i) {
                        if (frequencies[i] <= 20000.0) {
                            shelf.frequencies.push_back(frequencies[i]);
                            shelf.ours.push_back(curve[i]);
                        }
                    }
                    const double q = ClosestQ(shelf);
                    lowestQ = std::min(lowestQ, q);
                    highestQ = std::max(highestQ, q);
                    worstBest = std::max(worstBest, LargestDifference(shelf, q));
                    for (const double f : shelf.frequencies) {
                        exact = std::max(
                            exact, std::abs(OurShelfInDouble(low, gain, corner, sampleRate, f) -
                                            CookbookShelf(low, gain, corner, 1.0 / std::sqrt(2.0),
                                                          sampleRate, f)));
                    }
                    const double difference = LargestDifference(shelf, written);
                    if (corner >= 100) {
                        worstAbove100 = std::max(worstAbove100, difference);
                    }
                    if (difference > worstWritten) {
                        worstWritten = difference;
                        std::snprintf(worstCase, sizeof worstCase,
                                      "%s shelf %+d dB at %d Hz, %d Hz", low ? "low" : "high", gain,
                                      corner, sampleRate);
                    }
                    ++shelves;
                }
            }
        }
    }
    std::printf("%d shelves: closest cookbook Q from %.5f to %.5f, largest difference there "
                "%.5f dB;\nwith the written Q %.3f the largest difference is %.5f dB (%s)\n",
                shelves, lowestQ, highestQ, worstBest, written, worstWritten, worstCase);
    std::printf("with corners from 100 Hz up: %.5f dB; the same design in double precision "
                "differs from the cookbook shelf of Q 1/sqrt(2) by %.1e dB at most\n",
                worstAbove100, exact);
    return worstWritten <= 0.1 ? 0 : 1;
}
