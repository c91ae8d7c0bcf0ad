#pragma once

#include "base/SafeFile.h"
#include "params/ParameterDiff.h"
#include "params/ParameterFile.h"
#include "settings/CIniSettingBase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ToolLibrary;

// One side of a comparison: a parameter file or a configuration (config.ini).
struct ComparisonSource {
    enum class Kind { ParameterFile, Configuration };
    enum class Status {
        Ok,
        CannotRead,  // see readError
        NeitherKind, // text that holds no INI section, or binary of another length than 2456
    };

    Kind kind = Kind::ParameterFile;
    Status status = Status::Ok;
    SafeReadResult readError = SafeReadResult::Ok;
    std::string bytes;        // a parameter file: its first bytes (all that a file may hold)
    std::uint64_t length = 0; // its length
    std::unique_ptr<CIniSettingBase> config; // a configuration, loaded

    bool Ok() const { return status == Status::Ok; }

    // Reads path and tells the kinds apart by their content: a file that holds a zero byte is a
    // parameter file (every one has zero areas), text with at least one [section] a
    // configuration, and other text of exactly 2456 bytes a parameter file after all.
    static ComparisonSource Load(const std::u16string& path);
    // Why a source could not be loaded, naming path.
    static std::u16string Message(const ComparisonSource& source, const std::u16string& path,
                                  const TextCatalog& texts = {});
};

// A parameter set as the parameter file that Set writes from it.
struct DesignedFile {
    ParameterArray values{};
    // Whether the coefficient areas hold the designs; false when the filter design library is
    // not loaded or refused the set (see design).
    bool coefficients = false;
    ParameterFileResult design;
};

// Compares two sides field by field: two configurations key by key (ConfigurationDiff); else
// each side as a parameter file, a configuration as the file Set would write from it, so that
// only what the file carries counts.
class SourceComparison {
public:
    static DesignedFile Design(const ParameterSet& set, const ToolLibrary& tool);
    // The array and length of a loaded source, designed where it is a configuration.
    static DesignedFile AsFile(const ComparisonSource& source, const ToolLibrary& tool,
                               std::uint64_t& length);

    struct Result {
        std::vector<FieldDifference> differences;
        // Whether the coefficient areas were compared (not when a configuration could not be
        // designed into a file).
        bool coefficients = true;
    };
    static Result Compare(const ComparisonSource& a, const ComparisonSource& b,
                          const ToolLibrary& tool);
    // The editor's parameter set (as Set would write it) against another side.
    static Result Compare(const ParameterSet& editor, const ComparisonSource& other,
                          const ToolLibrary& tool);
};
