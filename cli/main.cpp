#include "cli/CliApp.h"
#include "settings/ProgramDirectory.h"

#include <iostream>

int main(int argc, char** argv) {
    CliIo io{std::cout, std::cerr, ProgramDirectory::Current()};
    const std::vector<std::string> args(argv + 1, argv + argc);
    return CliApp().Main(args, io);
}
