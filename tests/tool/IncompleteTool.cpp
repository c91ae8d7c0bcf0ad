// Exports only the ten-band entry point.
#include "tool/ToolApi.h"

extern "C" SONVEX_TOOL_EXPORT void EQ10Product(float*, float*, int32_t, float, int32_t) {}
