#include "fit/MatchingPursuit.h"

#include <algorithm>
#include <cmath>

namespace {

// One candidate band of the pursuit: its curve at +6 dB, centred and weighed as the residuals
// are (FitModel::Weigh), and where it may go.
struct Atom {
    bool peak;
    bool lowShelf;
    double frequency;
    double q;
    std::vector<double> curve;
};

constexpr double kAtomGain = 6.0;

// Solves the small symmetric system a x = b (n x n, row-major) by Gaussian elimination with
// partial pivoting; false when it is singular.
bool Solve(std::vector<double> a, std::vector<double>& b, std::size_t n) {
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            if (std::abs(a[row * n + col]) > std::abs(a[pivot * n + col])) {
                pivot = row;
            }
        }
        if (!(std::abs(a[pivot * n + col]) > 1e-12)) {
            return false;
        }
        for (std::size_t k = 0; k < n; ++k) {
            std::swap(a[col * n + k], a[pivot * n + k]);
        }
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double factor = a[row * n + col] / a[col * n + col];
            for (std::size_t k = col; k < n; ++k) {
                a[row * n + k] -= factor * a[col * n + k];
            }
            b[row] -= factor * b[col];
        }
    }
    for (std::size_t row = n; row-- > 0;) {
        for (std::size_t k = row + 1; k < n; ++k) {
            b[row] -= a[row * n + k] * b[k];
        }
        b[row] /= a[row * n + row];
    }
    return true;
}

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += a[i] * b[i];
    }
    return sum;
}

// The dictionary of the pursuits: peaks every sixth of an octave at five widths, shelves every
// third, each curve at +6 dB and centred. False when cancelled.
bool Dictionary(FitModel& model, double maxQ, std::vector<Atom>& atoms) {
    const std::vector<double>& frequencies = model.Response().Frequencies();
    const double low = frequencies.front();
    const double octaves = std::log2(frequencies.back() / low);
    atoms.clear();
    for (int k = 0; k <= static_cast<int>(octaves * 6.0); ++k) {
        for (const double q : {0.7, 1.4, 2.8, 5.6, maxQ}) {
            atoms.push_back({true, false, low * std::exp2(k / 6.0), std::min(q, maxQ), {}});
        }
    }
    for (int k = 0; k <= static_cast<int>(octaves * 3.0); ++k) {
        for (const bool lowShelf : {true, false}) {
            atoms.push_back({false, lowShelf, low * std::exp2(k / 3.0), 0.0, {}});
        }
    }
    BandValues probe = BandValues::From(EqualiserBands::Empty(model.Kind(0)));
    const int last = probe.Bands() - 1;
    for (int band = 0; band <= last; ++band) {
        probe.frequency[static_cast<std::size_t>(band)] = 1000.0;
        probe.q[static_cast<std::size_t>(band)] = 1.0;
    }
    for (Atom& atom : atoms) {
        BandValues one = probe;
        const auto band = static_cast<std::size_t>(atom.peak ? 1 : atom.lowShelf ? 0 : last);
        one.gain[band] = kAtomGain;
        one.frequency[band] = atom.frequency;
        one.q[band] = atom.peak ? atom.q : 1.0;
        if (!model.Curve(0, one, atom.curve)) {
            return false;
        }
        model.Weigh(atom.curve);
    }
    return true;
}

// The unused atom whose curve explains most of residual, among the kinds allowed; atoms.size()
// when none is left.
std::size_t BestAtom(const std::vector<Atom>& atoms, const std::vector<char>& used,
                     const std::vector<double>& residual, bool peaks, bool lowShelves,
                     bool highShelves) {
    std::size_t best = atoms.size();
    double bestScore = 0.0;
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const Atom& atom = atoms[i];
        const bool allowed = atom.peak ? peaks : atom.lowShelf ? lowShelves : highShelves;
        const double norm = Dot(atom.curve, atom.curve);
        if (!allowed || used[i] || !(norm > 0.0)) {
            continue;
        }
        const double projection = Dot(atom.curve, residual);
        const double score = projection * projection / norm;
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

bool MatchingPursuit::Sliding(FitModel& model, ContinuousFit& fit, const ParameterMap& map,
                              double maxQ, std::vector<BandValues>& values) {
    constexpr int kRefineIterations = 8;
    std::vector<Atom> atoms;
    if (!Dictionary(model, maxQ, atoms)) {
        return false;
    }
    // The bands still free, by kind, in the order they are taken.
    struct Band {
        std::size_t slot;
        int band;
    };
    std::vector<Band> peaks;
    std::vector<Band> lowShelves;
    std::vector<Band> highShelves;
    for (std::size_t slot = 0; slot < values.size(); ++slot) {
        BandValues& bands = values[slot];
        std::fill(bands.gain.begin(), bands.gain.end(), 0.0);
        lowShelves.push_back({slot, 0});
        highShelves.push_back({slot, bands.Bands() - 1});
        for (int band = 1; band + 1 < bands.Bands(); ++band) {
            peaks.push_back({slot, band});
        }
    }
    std::reverse(peaks.begin(), peaks.end());
    std::reverse(lowShelves.begin(), lowShelves.end());
    std::reverse(highShelves.begin(), highShelves.end());
    std::vector<char> used(atoms.size(), 0);
    std::vector<char> free(map.Size(), 0);
    std::vector<std::vector<double>> curves;
    std::vector<double> residual;
    double cost = 0.0;
    while (true) {
        if (!fit.Curves(values, curves)) {
            return false;
        }
        model.Residuals(curves, residual);
        const std::size_t best = BestAtom(atoms, used, residual, !peaks.empty(),
                                          !lowShelves.empty(), !highShelves.empty());
        if (best == atoms.size()) {
            return true;
        }
        used[best] = 1;
        const Atom& atom = atoms[best];
        std::vector<Band>& pool = atom.peak ? peaks : atom.lowShelf ? lowShelves : highShelves;
        const Band taken = pool.back();
        pool.pop_back();
        const auto b = static_cast<std::size_t>(taken.band);
        BandValues& bands = values[taken.slot];
        bands.gain[b] = std::clamp(
            -Dot(atom.curve, residual) / Dot(atom.curve, atom.curve) * kAtomGain, -12.0, 12.0);
        bands.frequency[b] = atom.frequency;
        if (atom.peak) {
            bands.q[b] = atom.q;
        }
        for (std::size_t i = 0; i < map.Size(); ++i) {
            if (map.At(i).slot == taken.slot && map.At(i).band == taken.band) {
                free[i] = 1;
            }
        }
        // Every band placed so far slides to fit with the new one.
        if (!fit.Minimise(values, cost, free, kRefineIterations)) {
            return false;
        }
    }
}

bool MatchingPursuit::Plain(FitModel& model, ContinuousFit& fit, double maxQ,
                            std::vector<BandValues>& values) {
    std::vector<Atom> atoms;
    if (!Dictionary(model, maxQ, atoms)) {
        return false;
    }
    // How many bands of each kind the slots have.
    int peaksLeft = 0;
    int lowShelvesLeft = static_cast<int>(values.size());
    int highShelvesLeft = lowShelvesLeft;
    for (const BandValues& bands : values) {
        peaksLeft += bands.Bands() - 2;
    }
    std::vector<double> target = model.Base();
    model.Weigh(target);
    std::vector<std::size_t> chosen;
    std::vector<double> weights;
    std::vector<double> residual = target;
    std::vector<char> used(atoms.size(), 0);
    while (peaksLeft + lowShelvesLeft + highShelvesLeft > 0) {
        // The atom that best explains what is left.
        std::size_t best = atoms.size();
        double bestScore = 0.0;
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            const Atom& atom = atoms[i];
            const bool allowed = atom.peak       ? peaksLeft > 0
                                 : atom.lowShelf ? lowShelvesLeft > 0
                                                 : highShelvesLeft > 0;
            const double norm = Dot(atom.curve, atom.curve);
            if (!allowed || used[i] || !(norm > 0.0)) {
                continue;
            }
            const double projection = Dot(atom.curve, residual);
            const double score = projection * projection / norm;
            if (score > bestScore) {
                best = i;
                bestScore = score;
            }
        }
        if (best == atoms.size()) {
            break;
        }
        used[best] = 1;
        chosen.push_back(best);
        (atoms[best].peak ? peaksLeft : atoms[best].lowShelf ? lowShelvesLeft : highShelvesLeft)--;
        // All chosen weights again, by least squares: residual = target + sum w_i atom_i.
        const std::size_t n = chosen.size();
        std::vector<double> normal(n * n);
        std::vector<double> right(n);
        for (std::size_t a = 0; a < n; ++a) {
            for (std::size_t b = 0; b <= a; ++b) {
                normal[a * n + b] = normal[b * n + a] =
                    Dot(atoms[chosen[a]].curve, atoms[chosen[b]].curve);
            }
            right[a] = -Dot(atoms[chosen[a]].curve, target);
        }
        if (!Solve(normal, right, n)) {
            chosen.pop_back();
            continue;
        }
        weights = right;
        residual = target;
        for (std::size_t a = 0; a < n; ++a) {
            const double weight = std::clamp(weights[a], -12.0 / kAtomGain, 12.0 / kAtomGain);
            weights[a] = weight;
            for (std::size_t i = 0; i < residual.size(); ++i) {
                residual[i] += weight * atoms[chosen[a]].curve[i];
            }
        }
    }

    // The chosen atoms into the slots' bands: shelves in order of choice, peaks by frequency.
    for (BandValues& bands : values) {
        std::fill(bands.gain.begin(), bands.gain.end(), 0.0);
    }
    std::vector<std::pair<double, std::size_t>> peaks;
    std::size_t lowShelves = 0;
    std::size_t highShelves = 0;
    for (std::size_t a = 0; a < chosen.size(); ++a) {
        const Atom& atom = atoms[chosen[a]];
        if (atom.peak) {
            peaks.emplace_back(atom.frequency, a);
            continue;
        }
        std::size_t& shelves = atom.lowShelf ? lowShelves : highShelves;
        BandValues& bands = values[shelves++];
        const auto band = static_cast<std::size_t>(atom.lowShelf ? 0 : bands.Bands() - 1);
        bands.gain[band] = weights[a] * kAtomGain;
        bands.frequency[band] = atom.frequency;
    }
    std::stable_sort(peaks.begin(), peaks.end());
    std::size_t slot = 0;
    std::size_t band = 1;
    for (const auto& [frequency, a] : peaks) {
        while (slot < values.size() && band + 1 >= static_cast<std::size_t>(values[slot].Bands())) {
            ++slot;
            band = 1;
        }
        if (slot == values.size()) {
            break;
        }
        values[slot].gain[band] = weights[a] * kAtomGain;
        values[slot].frequency[band] = frequency;
        values[slot].q[band] = atoms[chosen[a]].q;
        ++band;
    }
    double unused = 0.0;
    return fit.Cost(values, unused);
}
