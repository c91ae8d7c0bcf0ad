#pragma once

#include "tool/ToolApi.h"

#include <string>

enum class ToolLoadResult {
    Ok,
    NotLoaded,       // the library file is missing or cannot be loaded
    MissingFunction, // it loaded, but EQ10Product or EQ8Product is not in it
};

// The run-time binding of the filter design library: loaded by its full path from the program
// directory, both entry points resolved by name. A function that did not resolve is null, and
// callers never call through it. The library stays loaded for the life of the object.
class ToolLibrary {
public:
    ToolLibrary() = default;
    ~ToolLibrary();
    ToolLibrary(const ToolLibrary&) = delete;
    ToolLibrary& operator=(const ToolLibrary&) = delete;

    // "libTool.so" here, "Tool.dll" on Windows.
    static const char* FileName();
    // "load libTool.so fail!" ("load Tool.dll fail!" on Windows).
    static std::u16string LoadFailureMessage();

    // Loads programDirectory + FileName() (programDirectory ends with a separator).
    ToolLoadResult Load(const std::u16string& programDirectory);

    bool Loaded() const { return handle_ != nullptr; }
    // Null when the library is not loaded or the entry point did not resolve.
    EqProductFunction Eq10() const { return eq10_; }
    EqProductFunction Eq8() const { return eq8_; }

private:
    void* handle_ = nullptr;
    EqProductFunction eq10_ = nullptr;
    EqProductFunction eq8_ = nullptr;
};
