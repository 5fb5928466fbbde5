// Runs the window tests inside one QApplication. Test discovery starts the
// binary without the test's environment, so headless is the default here.
#include <gtest/gtest.h>

#include <cstdlib>

#include "services.h"

#if defined(__SANITIZE_ADDRESS__)
// GCC 12's LeakSanitizer can crash in its final scan of the dynamic
// thread-local storage that Qt's plugins leave behind on this glibc, after
// every test has passed. The window tests keep AddressSanitizer's memory
// checks; leaks are checked in the core tests.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}
#endif

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // The program's own application class, which reports unhandled failures.
    kestrami::ui::Application application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
