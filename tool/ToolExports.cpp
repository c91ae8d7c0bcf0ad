// The two entry points of the filter design library.

#include "tool/EqualiserDesign.h"
#include "tool/ToolApi.h"

extern "C" {

SONVEX_TOOL_EXPORT void EQ10Product(float* record, float* curve, int32_t sampleRate,
                                    float startFrequency, int32_t pointCount) {
    sonvex_tool::DesignEqualiser(kTenBandLayout, record, curve, sampleRate, startFrequency,
                                 pointCount);
}

SONVEX_TOOL_EXPORT void EQ8Product(float* record, float* curve, int32_t sampleRate,
                                   float startFrequency, int32_t pointCount) {
    sonvex_tool::DesignEqualiser(kEightBandLayout, record, curve, sampleRate, startFrequency,
                                 pointCount);
}

} // extern "C"
