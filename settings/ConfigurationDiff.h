#pragma once

#include "params/ParameterDiff.h"

#include <vector>

class CIniSettingBase;

// Key-by-key comparison of two configurations (config.ini files).
class ConfigurationDiff {
public:
    // The keys the configuration reads, as it reads them: the language keys (LangPath,
    // Selected, Lang1File, Lang2File), the system keys (LogPath, Debug) and every field of the
    // parameter set, one entry per list element that differs; so "5" and " 5" or a missing key
    // and "0" are equal. Then every other key of any section by its text, named
    // "Section:Key", missing on one side when that side lacks it. Both must have been loaded.
    static std::vector<FieldDifference> Compare(const CIniSettingBase& a, const CIniSettingBase& b);
};
