#include "base/ProgramDirectory.h"
#include "cli/CliApp.h"

#include <exception>
#include <iostream>
#include <new>

int main(int argc, char** argv) {
    try {
        CliIo io{std::cout, std::cerr, ProgramDirectory::Current()};
        const std::vector<std::string> args(argv + 1, argv + argc);
        return CliApp().Main(args, io);
    } catch (const std::bad_alloc&) {
        std::cerr << "sonvex-cli: out of memory\n";
    } catch (const std::exception& e) {
        std::cerr << "sonvex-cli: " << e.what() << "\n";
    }
    return kExitFailure;
}
