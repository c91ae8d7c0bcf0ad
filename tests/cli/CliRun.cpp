#include "tests/cli/CliRun.h"

#include "cli/CliApp.h"

#include <sstream>

CliRun CliRun::Of(const std::vector<std::string>& args, const std::u16string& programDirectory) {
    std::ostringstream out;
    std::ostringstream err;
    CliIo io{out, err, programDirectory};
    CliRun run;
    run.code = CliApp().Main(args, io);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string CliRun::Compact() const {
    std::string compact;
    for (const char c : out) {
        if (c != ' ' && c != '\n') {
            compact += c;
        }
    }
    return compact;
}
