#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Fill an array from a comma-separated list: element i of the text goes to values[i]; an empty
// element gives 0, elements beyond the array are ignored, slots beyond the elements in the text
// keep their contents, and an empty text changes nothing. A trailing "," adds one element (0).
// Integers are integer text, floats decimal text rounded to single precision.
void ParseIntList(std::u16string_view text, std::span<int32_t> values);
void ParseFloatList(std::u16string_view text, std::span<float> values);
