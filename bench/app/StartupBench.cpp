// Start-up of the desktop program, measured from outside: the time from spawning build/bin/sonvex
// to its report that the main window has been painted for the first time, and the resident
// memory it reports at that moment. The program runs in a temporary program directory with a
// copy of the executable, libTool.so and the shipped config.ini and language files, so the
// measurement never depends on a user's build/bin/config.ini.
//
// The program is started with SONVEX_STARTUP_REPORT=1 (it prints one line after the first paint
// and closes). On a machine without a display it runs on Qt's offscreen platform; set DISPLAY
// (e.g. under xvfb-run) to measure with a real X server. Targets here: 300 ms and 80 MB.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// A program directory laid out like build/bin with the shipped data.
class ProgramCopy {
public:
    ProgramCopy() {
        std::string pattern = (fs::temp_directory_path() / "sonvex-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        dir_ = pattern;
        const fs::path bin(SONVEX_BIN_DIR);
        const fs::path data = fs::path(SONVEX_SOURCE_DIR) / "data";
        fs::copy_file(bin / "sonvex", dir_ / "sonvex");
        fs::copy_file(bin / "libTool.so", dir_ / "libTool.so");
        fs::copy_file(data / "config.ini", dir_ / "config.ini");
        fs::copy(data / "lang", dir_ / "lang", fs::copy_options::recursive);
    }
    ~ProgramCopy() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    fs::path Program() const { return dir_ / "sonvex"; }

private:
    fs::path dir_;
};

struct StartupRun {
    double seconds = 0;
    double residentKb = 0;
};

std::vector<std::string> Environment() {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        env.emplace_back(*entry);
    }
    env.emplace_back("SONVEX_STARTUP_REPORT=1");
    const bool display =
        std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!display && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    }
    return env;
}

StartupRun RunOnce(const ProgramCopy& copy) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    std::vector<std::string> env = Environment();
    std::vector<char*> envp;
    for (std::string& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string program = copy.Program().string();
    char* argv[] = {program.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        throw std::runtime_error("cannot start " + program);
    }

    std::string output;
    StartupRun run;
    char buffer[256];
    for (;;) {
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        output.append(buffer, static_cast<std::size_t>(n));
        if (output.find('\n') != std::string::npos) {
            run.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    const std::string marker = "resident memory ";
    const std::size_t at = output.find(marker);
    if (run.seconds == 0 || at == std::string::npos) {
        throw std::runtime_error("the program did not report its first paint: " + output);
    }
    run.residentKb = std::stod(output.substr(at + marker.size()));
    return run;
}

void BM_StartToFirstPaint(benchmark::State& state) {
    const ProgramCopy copy;
    double residentKb = 0;
    double worst = 0;
    for (auto _ : state) {
        const StartupRun run = RunOnce(copy);
        state.SetIterationTime(run.seconds);
        residentKb = std::max(residentKb, run.residentKb);
        worst = std::max(worst, run.seconds);
    }
    state.counters["resident_MB"] = residentKb / 1024.0;
    state.counters["slowest_ms"] = worst * 1000.0;
}

} // namespace

BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
