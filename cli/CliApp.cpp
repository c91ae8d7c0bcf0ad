#include "cli/CliApp.h"

#include "base/SonvexVersion.h"

#include "cli/CurveCommand.h"
#include "cli/DesignCommand.h"
#include "cli/DevicesCommand.h"
#include "cli/DiffCommand.h"
#include "cli/DumpCommand.h"
#include "cli/ExchangeCommand.h"
#include "cli/FitCommand.h"
#include "cli/ParameterFileCommand.h"
#include "cli/ResetCommand.h"
#include "cli/ShowCommand.h"
#include "cli/TransferCommand.h"

CliApp::CliApp() {
    // Commands in the order --help lists them.
    commands_.push_back(std::make_unique<ShowCommand>());
    commands_.push_back(std::make_unique<ResetCommand>());
    commands_.push_back(std::make_unique<CurveCommand>());
    commands_.push_back(std::make_unique<DesignCommand>());
    commands_.push_back(std::make_unique<ParameterFileCommand>(ParameterFileCommand::Kind::Write));
    commands_.push_back(std::make_unique<ParameterFileCommand>(ParameterFileCommand::Kind::Read));
    commands_.push_back(std::make_unique<DumpCommand>());
    commands_.push_back(std::make_unique<DiffCommand>());
    commands_.push_back(std::make_unique<DevicesCommand>());
    commands_.push_back(std::make_unique<TransferCommand>(TransferDirection::Push));
    commands_.push_back(std::make_unique<TransferCommand>(TransferDirection::Pull));
    commands_.push_back(std::make_unique<FitCommand>());
    commands_.push_back(std::make_unique<ExchangeCommand>(ExchangeCommand::Direction::Export));
    commands_.push_back(std::make_unique<ExchangeCommand>(ExchangeCommand::Direction::Import));
}

void CliApp::PrintUsage(std::ostream& stream) const {
    stream << "Usage: sonvex-cli COMMAND ARGUMENTS\n"
              "       sonvex-cli --help | --version\n\n"
              "Commands:\n";
    for (const auto& command : commands_) {
        stream << "  sonvex-cli " << command->Synopsis() << "\n";
    }
    stream << "\nfit prints the RMS errors before and after and the fitted bands as JSON;\n"
              "import-eq prints the bands and every change it made as JSON, and each change\n"
              "also on standard error; without --out neither writes a file.\n";
    stream
        << "\ndiff prints {\"identical\": bool, \"differences\": [...]} and exits 0 when A and B\n"
           "are identical, 1 when not, 2 when one cannot be read; a config.ini counts as the\n"
           "parameter file push writes from it. push with --serial, --all or --verify prints\n"
           "each device's result (ok, mismatch, failed, unauthorized, offline) and exits 0\n"
           "only when every device is ok; --all sends to up to --jobs devices at a time\n"
           "(default 4); --log FILE appends a JSON line per device with the file's SHA-256.\n";
    stream << "\nJSON and CSV go to standard output, messages to standard error.\n"
              "Exit codes: 0 success, 1 failure, 2 usage error or a measurement, target or EQ\n"
              "file that cannot be read, 3 adb could not be started.\n";
}

int CliApp::Main(const std::vector<std::string>& args, CliIo& io) const {
    if (args.empty()) {
        PrintUsage(io.err);
        return kExitUsage;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        PrintUsage(io.out);
        return kExitOk;
    }
    if (first == "--version") {
        io.out << SonvexVersion::kNameAndNumber << "\n";
        return kExitOk;
    }
    for (const auto& command : commands_) {
        if (first == command->Name()) {
            const std::vector<std::string> rest(args.begin() + 1, args.end());
            return command->Run(rest, io);
        }
    }
    io.err << "sonvex-cli: unknown command \"" << first << "\"\n";
    PrintUsage(io.err);
    return kExitUsage;
}
