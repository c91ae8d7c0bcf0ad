#pragma once

namespace sonvex_tool {

// One second-order section in direct form, H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 +
// a2 z^-2). The leading denominator coefficient a0 is always 1.
struct DirectForm {
    float b0;
    float b1;
    float b2;
    float a1;
    float a2;
};

} // namespace sonvex_tool
