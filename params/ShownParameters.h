#pragma once

#include "params/ParameterSet.h"

// The parameter set as the editor's boxes hold it. Every decimal field of the set (Q values,
// limiter values) is shown with one decimal and read back from that text, so a box that was
// loaded and not touched stores the value rounded to a tenth; comparing what the boxes would
// store with AsShown tells typed values from that rounding.
class ShownParameters {
public:
    // Every float field rounded to one decimal as a box shows it and reads it back.
    static ParameterSet AsShown(const ParameterSet& set);
    // The set without the editor's view: the channel shown by the main window and by each page
    // set to 0. What remains is what the editor holds, whichever channel it shows.
    static ParameterSet WithoutView(const ParameterSet& set);
};
