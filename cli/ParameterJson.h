#pragma once

#include "cli/JsonWriter.h"
#include "params/ParameterSet.h"

#include <ostream>

class CIniSettingBase;

// Every field of the parameter set under its configuration key, in declaration order: booleans
// as true/false, integers as integers, floats in their shortest exact form, arrays as arrays.
void WriteParameterFields(JsonWriter& json, const ParameterSet& set);

// The language and system settings (as loaded, nothing filled in), then every field.
void WriteConfiguration(JsonWriter& json, const CIniSettingBase& config);

// The configuration as one JSON document, as show prints it.
void PrintConfiguration(std::ostream& out, const CIniSettingBase& config);
