// Saves one result the way the program does, beside the executable it runs
// from, and prints how it went: the status, the path and the reason, a line
// each. The program-folder tests copy it into the folders they try.
#include <cstdio>

#include "divisor_calculator.h"
#include "platform_files.h"

int main()
{
    using namespace kestrami;
    DivisorCalculator calc;
    calc.StartUp();
    for (const char digit : {'4', '3', '5', '1', '2', '5', '0'}) {
        calc.PressDigit(digit);
    }
    calc.EnterFrequency();
    const FolderLookup folder = ExecutableFolder();
    const SaveOutcome outcome = calc.SaveResults({folder.path, folder.reason});
    const char* status = outcome.status == SaveOutcome::Status::Saved ? "Saved" : "Failed";
    std::printf("%s\n%s\n%s\n", status, outcome.path.c_str(), outcome.reason.c_str());
    return 0;
}
