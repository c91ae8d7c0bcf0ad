#pragma once

// The interface of the filter design library (libTool.so, Tool.dll on Windows): two plain C
// functions and the layouts of the records they fill. The program never links the library; it
// loads it at run time (params/ToolLibrary.h) and uses only this header.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define SONVEX_TOOL_EXPORT __declspec(dllexport)
#else
#define SONVEX_TOOL_EXPORT __attribute__((visibility("default")))
#endif

// One second-order section in lattice-ladder form.
struct LatticeSection {
    float k1; // reflection coefficient of stage 1
    float k2; // reflection coefficient of stage 2
    float c0; // ladder coefficients
    float c1;
    float c2;
};
static_assert(sizeof(LatticeSection) == 20);

// The record of the ten-band equaliser: 28 inputs, then 50 coefficients. This is also its layout
// inside the parameter file, so neither the order of the groups nor the split of the peaking
// coefficients may change.
struct EQ10Record {
    float gain[10];           // dB; band 0 low shelf, 1 to 8 peaking, 9 high shelf
    float frequency[10];      // Hz
    float q[8];               // Q of peaking bands 1 to 8
    LatticeSection lowShelf;  // band 0
    float peakK[16];          // (k1, k2) of bands 1 to 8
    float peakC[24];          // (c0, c1, c2) of bands 1 to 8
    LatticeSection highShelf; // band 9
};
static_assert(sizeof(EQ10Record) == 78 * sizeof(float));
static_assert(offsetof(EQ10Record, frequency) == 40);
static_assert(offsetof(EQ10Record, q) == 80);
static_assert(offsetof(EQ10Record, lowShelf) == 112);
static_assert(offsetof(EQ10Record, peakK) == 132);
static_assert(offsetof(EQ10Record, peakC) == 196);
static_assert(offsetof(EQ10Record, highShelf) == 292);

// The record of the eight-band equaliser: 22 inputs, then 40 coefficients.
struct EQ8Record {
    float gain[8];            // dB; band 0 low shelf, 1 to 6 peaking, 7 high shelf
    float frequency[8];       // Hz
    float q[6];               // Q of peaking bands 1 to 6
    LatticeSection lowShelf;  // band 0
    float peakK[12];          // (k1, k2) of bands 1 to 6
    float peakC[18];          // (c0, c1, c2) of bands 1 to 6
    LatticeSection highShelf; // band 7
};
static_assert(sizeof(EQ8Record) == 62 * sizeof(float));
static_assert(offsetof(EQ8Record, frequency) == 32);
static_assert(offsetof(EQ8Record, q) == 64);
static_assert(offsetof(EQ8Record, lowShelf) == 88);
static_assert(offsetof(EQ8Record, peakK) == 108);
static_assert(offsetof(EQ8Record, peakC) == 156);
static_assert(offsetof(EQ8Record, highShelf) == 228);

constexpr int kEQ10RecordFloats = 78;
constexpr int kEQ10InputFloats = 28;
constexpr int kEQ8RecordFloats = 62;
constexpr int kEQ8InputFloats = 22;

// Designs the equaliser in record (inputs at the start, coefficients written after them) and
// writes pointCount points of its magnitude response in dB into curve, on a logarithmic grid
// from startFrequency towards half the sample rate. With pointCount <= 0 only the coefficients
// are written.
using EqProductFunction = void (*)(float* record, float* curve, int32_t sampleRate,
                                   float startFrequency, int32_t pointCount);

extern "C" {
SONVEX_TOOL_EXPORT void EQ10Product(float* record, float* curve, int32_t sampleRate,
                                    float startFrequency, int32_t pointCount);
SONVEX_TOOL_EXPORT void EQ8Product(float* record, float* curve, int32_t sampleRate,
                                   float startFrequency, int32_t pointCount);
}
