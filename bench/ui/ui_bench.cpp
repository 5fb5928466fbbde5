// Window benchmarks. Run headless: QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "main_window.h"
#include "services.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs the start-up probe once; returns its PSS in KiB, or -1.
long RunProbe(const char* which)
{
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    // Qt's start-up chatter would drown the table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char probe[] = KESTRAMI_STARTUP_PROBE;
    std::string mode = which;
    char* args[] = {probe, mode.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, probe, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    long pss = -1;
    if (spawned == 0) {
        char buffer[64] = {};
        const ssize_t n = read(pipe_fds[0], buffer, sizeof buffer - 1);
        if (n > 0) {
            pss = std::stol(std::string(buffer, static_cast<std::size_t>(n)));
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    close(pipe_fds[0]);
    return pss;
}

// Time from process start to the first shown window, and the memory then.
void BM_StartUp(benchmark::State& state, const char* which)
{
    long pss = 0;
    for (auto _ : state) {
        pss = RunProbe(which);
    }
    state.counters["PSS_KiB"] = static_cast<double>(pss);
}
BENCHMARK_CAPTURE(BM_StartUp, main_window, "main")->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();
BENCHMARK_CAPTURE(BM_StartUp, bare_qt_window, "bare")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3)
    ->UseRealTime();

class NoDesktop : public kestrami::ui::Platform {
public:
    kestrami::FolderLookup ProgramFolder() const override { return {"/nonexistent", {}}; }
    kestrami::FolderLookup DocumentsFolder() const override { return {}; }
    void MessageBox(QWidget*, const std::string&, int, const std::string&) override {}
};

// 32,767 accepted frequencies keyed in through the window's own buttons: the
// last thousand must not take much longer than the first thousand.
void BM_SessionThroughButtons(benchmark::State& state)
{
    constexpr int kEntries = 32767;
    double first_ms = 0;
    double last_ms = 0;
    for (auto _ : state) {
        NoDesktop platform;
        kestrami::ui::MainWindow window(platform);
        window.show();
        QPushButton* keys[10];
        for (int d = 0; d < 10; ++d) {
            keys[d] = window.findChild<QPushButton*>(QStringLiteral("digitKey%1").arg(d));
        }
        auto* enter = window.findChild<QPushButton*>(QStringLiteral("enterKey"));
        Clock::time_point thousand_start = Clock::now();
        for (int entry = 0; entry < kEntries; ++entry) {
            // 430.0000 + entry * 0.0003 MHz stays inside the HAM band.
            const std::string digits = std::to_string(4300000 + (entry * 3) % 100000);
            for (const char digit : digits) {
                keys[digit - '0']->click();
            }
            enter->click();
            QApplication::processEvents();  // the list lays out and paints its new row
            if (entry == 999) {
                first_ms = std::chrono::duration<double, std::milli>(Clock::now() - thousand_start).count();
            }
            if (entry == kEntries - 1000) {
                thousand_start = Clock::now();
            }
        }
        last_ms = std::chrono::duration<double, std::milli>(Clock::now() - thousand_start).count();
        QApplication::processEvents();
    }
    state.counters["first_1000_ms"] = first_ms;
    state.counters["last_1000_ms"] = last_ms;
    state.counters["last_over_first"] = last_ms / first_ms;
}
BENCHMARK(BM_SessionThroughButtons)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
