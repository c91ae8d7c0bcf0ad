#pragma once

#include "settings/CIniSettingBase.h"

#include <ostream>
#include <string>

// A configuration named on the command line that a command may save under another name: the
// file it was read from with the parameter set as it is now, every other key and section kept.
class CliConfiguration : public CIniSettingBase {
public:
    // Saves to path (UTF-8); false, with a message on err, when it cannot be written. Later
    // saves go to path too.
    bool SaveAs(const std::string& path, std::ostream& err);
};
