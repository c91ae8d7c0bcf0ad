#include "exchange/ParametricEqWriter.h"

#include "base/NumberText.h"

std::string ParametricEqWriter::Write(const EqualiserBands& bands, std::optional<double> preamp) {
    std::string text;
    if (preamp) {
        text += "Preamp: " + NumberText::FormatFixed(*preamp, 1) + " dB\n";
    }
    const int count = bands.Bands();
    for (int band = 0; band < count; ++band) {
        const auto b = static_cast<std::size_t>(band);
        const BandKind kind = EqualiserBands::Layout(bands.kind).KindOf(band);
        const bool lowShelf = kind == BandKind::LowShelf;
        const bool highShelf = kind == BandKind::HighShelf;
        text += "Filter " + NumberText::FormatInt(band + 1) + ": ON ";
        text += lowShelf ? "LSC" : highShelf ? "HSC" : "PK";
        text +=
            " Fc " + NumberText::FormatInt(b < bands.frequencies.size() ? bands.frequencies[b] : 0);
        text += " Hz Gain " +
                NumberText::FormatFixed(b < bands.gains.size() ? bands.gains[b] : 0, 1) + " dB Q ";
        if (lowShelf || highShelf) {
            text += NumberText::FormatFixed(kShelfQ, 3);
        } else {
            text += NumberText::FormatShortest(b - 1 < bands.q.size() ? bands.q[b - 1] : 0.0f);
        }
        text += "\n";
    }
    return text;
}
