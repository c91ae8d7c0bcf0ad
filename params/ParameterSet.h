#pragma once

#include <array>
#include <cstdint>

// The complete tunable state of the device's audio post-processing chain, plus the editor state
// that goes with it (which channel each page shows, which pages edit both channels at once).
// Every field bears its config.ini key as its name. Channel L is index 0, channel R index 1.
// Everything is zero until a configuration is loaded.
struct ParameterSet {
    // Editor state: link flags (edits apply to both channels).
    bool Link = false;
    bool EQLink = false;
    bool EQLink1 = false;
    bool DRCLink = false;
    bool LimitLink = false;

    // Block switches, both channels.
    bool EQSwtch = false;
    bool EQSwtch1 = false;
    bool LimitSwtch = false;
    bool DrcSwtch = false;

    // Editor state: channel shown by the main window and by each page.
    int32_t Channel = 0;
    int32_t EQChannel = 0;
    int32_t EQ1Channel = 0;
    int32_t DrcChannel = 0;
    int32_t LimitChannel = 0;

    // Public parameters of the stream.
    int32_t SWFS = 0;   // sample rate, Hz
    int32_t CHANUM = 0; // channel count, 1 or 2

    // Channel L: Gain1, Gain2 (dB), ten-band equaliser, DRC.
    int32_t SCTRGAINL1 = 0;
    int32_t SCTRGAINL2 = 0;
    std::array<int32_t, 10> EQGAINLEFT{}; // dB
    std::array<int32_t, 10> EQCFLEFT{};   // Hz
    std::array<float, 8> EQQLEFT{};       // Q of peaking bands 1 to 8
    int32_t DIVFREQ_L = 0;                // DRC division frequency, Hz
    int32_t OFFSET_LL = 0;
    int32_t THREL_LL = 0;
    int32_t THREH_LL = 0;
    int32_t ECALTIME_LL = 0;
    int32_t RATLNOM_LL = 0;
    int32_t RATLDEN_LL = 0;
    int32_t RATHNOM_LL = 0;
    int32_t RATHDEN_LL = 0;
    int32_t RSLTIME_LL = 0;
    int32_t SMTHTIME_LL = 0;
    int32_t ATTATIME_LL = 0;
    int32_t OFFSET_LH = 0;
    int32_t THREL_LH = 0;
    int32_t THREH_LH = 0;
    int32_t ECALTIME_LH = 0;
    int32_t RATLNOM_LH = 0;
    int32_t RATLDEN_LH = 0;
    int32_t RATHNOM_LH = 0;
    int32_t RATHDEN_LH = 0;
    int32_t RSLTIME_LH = 0;
    int32_t SMTHTIME_LH = 0;
    int32_t ATTATIME_LH = 0;

    // Channel R: Gain1, Gain2 (dB), ten-band equaliser, DRC.
    int32_t SCTRGAINR1 = 0;
    int32_t SCTRGAINR2 = 0;
    std::array<int32_t, 10> EQGAINRIGHT{};
    std::array<int32_t, 10> EQCFRIGHT{};
    std::array<float, 8> EQQRIGHT{};
    int32_t DIVFREQ_R = 0;
    int32_t OFFSET_RL = 0;
    int32_t THREL_RL = 0;
    int32_t THREH_RL = 0;
    int32_t ECALTIME_RL = 0;
    int32_t RATLNOM_RL = 0;
    int32_t RATLDEN_RL = 0;
    int32_t RATHNOM_RL = 0;
    int32_t RATHDEN_RL = 0;
    int32_t RSLTIME_RL = 0;
    int32_t SMTHTIME_RL = 0;
    int32_t ATTATIME_RL = 0;
    int32_t OFFSET_RH = 0;
    int32_t THREL_RH = 0;
    int32_t THREH_RH = 0;
    int32_t ECALTIME_RH = 0;
    int32_t RATLNOM_RH = 0;
    int32_t RATLDEN_RH = 0;
    int32_t RATHNOM_RH = 0;
    int32_t RATHDEN_RH = 0;
    int32_t RSLTIME_RH = 0;
    int32_t SMTHTIME_RH = 0;
    int32_t ATTATIME_RH = 0;

    // Limiter: static time (ms), threshold (dB), attack time (ms), smooth time (ms).
    float LLMT_ECALTIME = 0.0f;
    float LLMT_THRESHOLD = 0.0f;
    float LLMT_ATTACKTIME = 0.0f;
    float LLMT_SMOOTHTIME = 0.0f;
    float RLMT_ECALTIME = 0.0f;
    float RLMT_THRESHOLD = 0.0f;
    float RLMT_ATTACKTIME = 0.0f;
    float RLMT_SMOOTHTIME = 0.0f;

    // Eight-band equaliser.
    std::array<int32_t, 8> EQGAINLEFT1{};
    std::array<int32_t, 8> EQCFLEFT1{};
    std::array<float, 6> EQQLEFT1{}; // Q of peaking bands 1 to 6
    std::array<int32_t, 8> EQGAINRIGHT1{};
    std::array<int32_t, 8> EQCFRIGHT1{};
    std::array<float, 6> EQQRIGHT1{};

    friend bool operator==(const ParameterSet&, const ParameterSet&) = default;
};
