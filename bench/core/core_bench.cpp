// Timing of the core's operations. Targets: each key under 1 us, ENTER with
// an accepted frequency under 2 us, the block of a 32,767-line list under
// 5 ms; band switch and whole save of such a list are measured for reference.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "divisor_calculator.h"
#include "results_file.h"

namespace {

using kestrami::Band;
using kestrami::DivisorCalculator;

constexpr std::size_t kLongList = 32767;  // lines, headers included
constexpr std::size_t kBatch = 1000;

void Key(DivisorCalculator& calc, const std::string& digits)
{
    for (const char d : digits) {
        calc.PressDigit(d);
    }
}

// A HAM list of kLongList lines: the headers and accepted frequencies.
const DivisorCalculator& LongList()
{
    static const DivisorCalculator calc = [] {
        DivisorCalculator c;
        c.StartUp();
        for (std::size_t i = 0; c.Results().Count() < kLongList; ++i) {
            Key(c, std::to_string(4300000 + (i * 3) % 100000));
            c.EnterFrequency();
        }
        return c;
    }();
    return calc;
}

// Runs op once on each of kBatch copies of a prepared calculator, copying
// outside the timing, so that every timed call starts from the same state.
template <typename Op>
void OnCopies(benchmark::State& state, const std::vector<DivisorCalculator>& prepared, Op op)
{
    std::vector<DivisorCalculator> calcs;
    while (state.KeepRunningBatch(static_cast<benchmark::IterationCount>(prepared.size()))) {
        state.PauseTiming();
        calcs = prepared;
        state.ResumeTiming();
        for (auto& calc : calcs) {
            op(calc);
        }
        benchmark::ClobberMemory();
    }
}

// Calculators whose cursor stands on cells 1..7 in turn, cells filled.
std::vector<DivisorCalculator> OnEveryCell()
{
    std::vector<DivisorCalculator> calcs(kBatch);
    for (std::size_t i = 0; i < calcs.size(); ++i) {
        calcs[i].StartUp();
        Key(calcs[i], std::string("4351250").substr(0, i % 7));
    }
    return calcs;
}

void BM_PressDigit(benchmark::State& state)
{
    OnCopies(state, OnEveryCell(), [](DivisorCalculator& calc) { calc.PressDigit('7'); });
}
BENCHMARK(BM_PressDigit);

// On cell 7 the cursor is written twice: "8", then the clamp's "7".
void BM_PressDigitOnLastCell(benchmark::State& state)
{
    DivisorCalculator calc;
    Key(calc, "4351250");
    for (auto _ : state) {
        calc.PressDigit('9');
    }
}
BENCHMARK(BM_PressDigitOnLastCell);

void BM_StepBack(benchmark::State& state)
{
    OnCopies(state, OnEveryCell(), [](DivisorCalculator& calc) { calc.StepBack(); });
}
BENCHMARK(BM_StepBack);

void BM_ClearEntry(benchmark::State& state)
{
    std::vector<DivisorCalculator> calcs(kBatch);
    for (auto& calc : calcs) {
        Key(calc, "4351250");
    }
    OnCopies(state, calcs, [](DivisorCalculator& calc) { calc.ClearEntry(); });
}
BENCHMARK(BM_ClearEntry);

void BM_WriteCursor(benchmark::State& state)
{
    const std::string texts[] = {"4", "9", "2.5", "0", " 3 ", "7"};
    DivisorCalculator calc;
    std::size_t i = 0;
    for (auto _ : state) {
        calc.WriteCursor(texts[i]);
        i = i + 1 == std::size(texts) ? 0 : i + 1;
    }
}
BENCHMARK(BM_WriteCursor);

// Each of a batch of calculators holds a keyed, accepted frequency and a
// list with a few lines; ENTER appends and clears.
void BM_EnterFrequencyAccepted(benchmark::State& state)
{
    std::vector<DivisorCalculator> calcs(kBatch);
    for (std::size_t i = 0; i < calcs.size(); ++i) {
        calcs[i].StartUp();
        Key(calcs[i], std::to_string(4300000 + i * 97));
    }
    OnCopies(state, calcs, [](DivisorCalculator& calc) { calc.EnterFrequency(); });
}
BENCHMARK(BM_EnterFrequencyAccepted);

void BM_ResultLine(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(kestrami::ResultLine("435.1250", Band::Ham));
    }
}
BENCHMARK(BM_ResultLine);

void BM_SelectBandLongList(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        DivisorCalculator calc = LongList();
        state.ResumeTiming();
        calc.SelectBand(Band::Full);
        benchmark::DoNotOptimize(calc.Results().Count());
        state.PauseTiming();  // the copy's destruction is not the switch
        calc = DivisorCalculator();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectBandLongList)->Unit(benchmark::kMicrosecond);

void BM_ResultsBlockLongList(benchmark::State& state)
{
    const auto& lines = LongList().Results().Lines();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kestrami::ResultsBlock(lines));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(kestrami::ResultsBlock(lines).size()));
}
BENCHMARK(BM_ResultsBlockLongList)->Unit(benchmark::kMicrosecond);

// The whole save, fsync included, into a fresh file each time.
void BM_SaveResultsLongList(benchmark::State& state)
{
    std::string folder = std::filesystem::temp_directory_path().string() + "/kestrami-bench-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    DivisorCalculator calc = LongList();
    for (auto _ : state) {
        const auto outcome = calc.SaveResults({folder});
        if (outcome.status != kestrami::SaveOutcome::Status::Saved) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        state.PauseTiming();
        std::filesystem::remove(outcome.path);
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveResultsLongList)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
