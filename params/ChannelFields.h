#pragma once

#include "params/ParameterFields.h"
#include "params/ParameterSet.h"

#include <cstddef>
#include <span>
#include <string_view>

// Which part of a channel block of the parameter file a value belongs to, and so which block of
// the processing chain.
enum class ParameterArea {
    Header, // channel count, sample rate, switches
    Gain1,
    TenBandEq, // gains, frequencies, Q and coefficients of the ten-band equaliser
    Drc,
    Limiter,
    EightBandEq, // the same for the eight-band equaliser
    Gain2,
    Unused, // the zero areas
};

// A field that every channel has once: its stem, the field of channel L, the field of channel R,
// the block it belongs to and, for an equaliser field, the band of its first value.
//
// The stem is the config.ini key with "*" for the channel's part of it ("L" or "LEFT", "R" or
// "RIGHT"): "DIVFREQ_*" stands for DIVFREQ_L and DIVFREQ_R, "EQGAIN*1" for EQGAINLEFT1 and
// EQGAINRIGHT1. The parameter file layout and the pages name rows by their stem.
struct ChannelField {
    std::string_view stem;
    ParameterField left;
    ParameterField right;
    ParameterArea area;
    int firstBand; // -1 outside the equalisers; the Q lists start at band 1

    // The one rule for a channel index: 0 is channel L, any other index channel R (1).
    static constexpr int Index(int channel) { return channel != 0 ? 1 : 0; }

    // The field of a channel, by that rule.
    constexpr const ParameterField& Of(int channel) const {
        return Index(channel) == 0 ? left : right;
    }
};

namespace channel_fields_detail {

using P = ParameterSet;
using F = ParameterField;
using A = ParameterArea;

// In the order of ParameterSet: the gains, the ten-band equaliser and the DRC, then the limiter,
// then the eight-band equaliser. Adding a per-channel field: its member pair in ParameterSet, a
// row here, its position in the parameter file (ParameterFile.cpp) and, when a page edits it, a
// row in that page's table.
inline constexpr ChannelField kRows[] = {
    // The gains of channel L are read from config.ini as decimals, truncated; those of R as
    // integers.
    {"SCTRGAIN*1", F::Of("SCTRGAINL1", ConfigRead::DecimalTruncated, &P::SCTRGAINL1),
     F::Of("SCTRGAINR1", &P::SCTRGAINR1), A::Gain1, -1},
    {"SCTRGAIN*2", F::Of("SCTRGAINL2", ConfigRead::DecimalTruncated, &P::SCTRGAINL2),
     F::Of("SCTRGAINR2", &P::SCTRGAINR2), A::Gain2, -1},
    {"EQGAIN*", F::Of("EQGAINLEFT", &P::EQGAINLEFT), F::Of("EQGAINRIGHT", &P::EQGAINRIGHT),
     A::TenBandEq, 0},
    {"EQCF*", F::Of("EQCFLEFT", &P::EQCFLEFT), F::Of("EQCFRIGHT", &P::EQCFRIGHT), A::TenBandEq, 0},
    {"EQQ*", F::Of("EQQLEFT", &P::EQQLEFT), F::Of("EQQRIGHT", &P::EQQRIGHT), A::TenBandEq, 1},
    {"DIVFREQ_*", F::Of("DIVFREQ_L", &P::DIVFREQ_L), F::Of("DIVFREQ_R", &P::DIVFREQ_R), A::Drc, -1},
    {"OFFSET_*L", F::Of("OFFSET_LL", &P::OFFSET_LL), F::Of("OFFSET_RL", &P::OFFSET_RL), A::Drc, -1},
    {"THREL_*L", F::Of("THREL_LL", &P::THREL_LL), F::Of("THREL_RL", &P::THREL_RL), A::Drc, -1},
    {"THREH_*L", F::Of("THREH_LL", &P::THREH_LL), F::Of("THREH_RL", &P::THREH_RL), A::Drc, -1},
    {"ECALTIME_*L", F::Of("ECALTIME_LL", &P::ECALTIME_LL), F::Of("ECALTIME_RL", &P::ECALTIME_RL),
     A::Drc, -1},
    {"RATLNOM_*L", F::Of("RATLNOM_LL", &P::RATLNOM_LL), F::Of("RATLNOM_RL", &P::RATLNOM_RL), A::Drc,
     -1},
    {"RATLDEN_*L", F::Of("RATLDEN_LL", &P::RATLDEN_LL), F::Of("RATLDEN_RL", &P::RATLDEN_RL), A::Drc,
     -1},
    {"RATHNOM_*L", F::Of("RATHNOM_LL", &P::RATHNOM_LL), F::Of("RATHNOM_RL", &P::RATHNOM_RL), A::Drc,
     -1},
    {"RATHDEN_*L", F::Of("RATHDEN_LL", &P::RATHDEN_LL), F::Of("RATHDEN_RL", &P::RATHDEN_RL), A::Drc,
     -1},
    {"RSLTIME_*L", F::Of("RSLTIME_LL", &P::RSLTIME_LL), F::Of("RSLTIME_RL", &P::RSLTIME_RL), A::Drc,
     -1},
    {"SMTHTIME_*L", F::Of("SMTHTIME_LL", &P::SMTHTIME_LL), F::Of("SMTHTIME_RL", &P::SMTHTIME_RL),
     A::Drc, -1},
    {"ATTATIME_*L", F::Of("ATTATIME_LL", &P::ATTATIME_LL), F::Of("ATTATIME_RL", &P::ATTATIME_RL),
     A::Drc, -1},
    {"OFFSET_*H", F::Of("OFFSET_LH", &P::OFFSET_LH), F::Of("OFFSET_RH", &P::OFFSET_RH), A::Drc, -1},
    {"THREL_*H", F::Of("THREL_LH", &P::THREL_LH), F::Of("THREL_RH", &P::THREL_RH), A::Drc, -1},
    {"THREH_*H", F::Of("THREH_LH", &P::THREH_LH), F::Of("THREH_RH", &P::THREH_RH), A::Drc, -1},
    {"ECALTIME_*H", F::Of("ECALTIME_LH", &P::ECALTIME_LH), F::Of("ECALTIME_RH", &P::ECALTIME_RH),
     A::Drc, -1},
    {"RATLNOM_*H", F::Of("RATLNOM_LH", &P::RATLNOM_LH), F::Of("RATLNOM_RH", &P::RATLNOM_RH), A::Drc,
     -1},
    {"RATLDEN_*H", F::Of("RATLDEN_LH", &P::RATLDEN_LH), F::Of("RATLDEN_RH", &P::RATLDEN_RH), A::Drc,
     -1},
    {"RATHNOM_*H", F::Of("RATHNOM_LH", &P::RATHNOM_LH), F::Of("RATHNOM_RH", &P::RATHNOM_RH), A::Drc,
     -1},
    {"RATHDEN_*H", F::Of("RATHDEN_LH", &P::RATHDEN_LH), F::Of("RATHDEN_RH", &P::RATHDEN_RH), A::Drc,
     -1},
    {"RSLTIME_*H", F::Of("RSLTIME_LH", &P::RSLTIME_LH), F::Of("RSLTIME_RH", &P::RSLTIME_RH), A::Drc,
     -1},
    {"SMTHTIME_*H", F::Of("SMTHTIME_LH", &P::SMTHTIME_LH), F::Of("SMTHTIME_RH", &P::SMTHTIME_RH),
     A::Drc, -1},
    {"ATTATIME_*H", F::Of("ATTATIME_LH", &P::ATTATIME_LH), F::Of("ATTATIME_RH", &P::ATTATIME_RH),
     A::Drc, -1},
    {"*LMT_ECALTIME", F::Of("LLMT_ECALTIME", &P::LLMT_ECALTIME),
     F::Of("RLMT_ECALTIME", &P::RLMT_ECALTIME), A::Limiter, -1},
    {"*LMT_THRESHOLD", F::Of("LLMT_THRESHOLD", &P::LLMT_THRESHOLD),
     F::Of("RLMT_THRESHOLD", &P::RLMT_THRESHOLD), A::Limiter, -1},
    {"*LMT_ATTACKTIME", F::Of("LLMT_ATTACKTIME", &P::LLMT_ATTACKTIME),
     F::Of("RLMT_ATTACKTIME", &P::RLMT_ATTACKTIME), A::Limiter, -1},
    {"*LMT_SMOOTHTIME", F::Of("LLMT_SMOOTHTIME", &P::LLMT_SMOOTHTIME),
     F::Of("RLMT_SMOOTHTIME", &P::RLMT_SMOOTHTIME), A::Limiter, -1},
    {"EQGAIN*1", F::Of("EQGAINLEFT1", &P::EQGAINLEFT1), F::Of("EQGAINRIGHT1", &P::EQGAINRIGHT1),
     A::EightBandEq, 0},
    {"EQCF*1", F::Of("EQCFLEFT1", &P::EQCFLEFT1), F::Of("EQCFRIGHT1", &P::EQCFRIGHT1),
     A::EightBandEq, 0},
    {"EQQ*1", F::Of("EQQLEFT1", &P::EQQLEFT1), F::Of("EQQRIGHT1", &P::EQQRIGHT1), A::EightBandEq,
     1},
};

// Whether key is stem with its "*" replaced by one of the two spellings of a channel.
constexpr bool KeyFitsStem(std::string_view stem, std::string_view key, std::string_view shortName,
                           std::string_view longName) {
    const std::size_t star = stem.find('*');
    if (star == std::string_view::npos || stem.find('*', star + 1) != std::string_view::npos) {
        return false;
    }
    const std::string_view head = stem.substr(0, star);
    const std::string_view tail = stem.substr(star + 1);
    for (const std::string_view name : {shortName, longName}) {
        if (key.size() == head.size() + name.size() + tail.size() && key.starts_with(head) &&
            key.substr(head.size(), name.size()) == name && key.ends_with(tail)) {
            return true;
        }
    }
    return false;
}

constexpr bool RowsFitTheirStems() {
    for (const ChannelField& row : kRows) {
        if (!KeyFitsStem(row.stem, row.left.key, "L", "LEFT") ||
            !KeyFitsStem(row.stem, row.right.key, "R", "RIGHT")) {
            return false;
        }
    }
    return true;
}
static_assert(RowsFitTheirStems(), "a per-channel row whose keys do not fit its stem");

} // namespace channel_fields_detail

class ChannelFields {
public:
    static constexpr std::span<const ChannelField> All() { return channel_fields_detail::kRows; }

    // The row of a stem, found while compiling: a stem that names no row does not compile.
    static consteval const ChannelField& Get(std::string_view stem) {
        for (const ChannelField& row : channel_fields_detail::kRows) {
            if (row.stem == stem) {
                return row;
            }
        }
        throw "no per-channel field has this stem";
    }
};
