#include "cli/CliConfiguration.h"

#include "cli/CliArguments.h"

bool CliConfiguration::SaveAs(const std::string& path, std::ostream& err) {
    filePath_ = CliArguments::Path(path);
    if (Save(u"")) {
        return true;
    }
    err << "sonvex-cli: cannot write the configuration \"" << path
        << "\" (read-only or not writable); it is unchanged\n";
    return false;
}
