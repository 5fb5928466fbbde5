// Saves the way the program does, beside the executable it runs from. The
// program-folder tests copy it into the folders they try.
//   save_probe                    one result, once; prints the status, the
//                                 path and the reason, a line each
//   save_probe SAVES FIRST STEP   a hundred results in the FULL range, from
//                                 FIRST in steps of STEP (in 0.0001 MHz),
//                                 saved SAVES times; exits 0 when all saved
#include <cstdio>
#include <cstdlib>
#include <string>

#include "divisor_calculator.h"
#include "platform_files.h"

namespace {

using namespace kestrami;

void Enter(DivisorCalculator& calc, long frequency)
{
    for (const char digit : std::to_string(frequency)) {
        calc.PressDigit(digit);
    }
    calc.EnterFrequency();
}

}  // namespace

int main(int argc, char* argv[])
{
    DivisorCalculator calc;
    calc.StartUp();
    const FolderLookup folder = ExecutableFolder();
    if (argc == 4) {
        calc.SelectBand(Band::Full);
        const long first = std::atol(argv[2]);
        const long step = std::atol(argv[3]);
        for (long i = 0; i < 100; ++i) {
            Enter(calc, first + step * i);
        }
        const int saves = std::atoi(argv[1]);
        int saved = 0;
        for (int i = 0; i < saves; ++i) {
            saved +=
                calc.SaveResults({folder.path, folder.reason}).status == SaveOutcome::Status::Saved ? 1 : 0;
        }
        return saved == saves ? 0 : 1;
    }
    Enter(calc, 4351250);
    const SaveOutcome outcome = calc.SaveResults({folder.path, folder.reason});
    const char* status = outcome.status == SaveOutcome::Status::Saved ? "Saved" : "Failed";
    std::printf("%s\n%s\n%s\n", status, outcome.path.c_str(), outcome.reason.c_str());
    return 0;
}
