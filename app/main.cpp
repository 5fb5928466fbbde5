// Kestrami: the command line, the main window with its calculator, and the
// event loop.
#include "main_window.h"
#include "services.h"
#include "startup.h"

int main(int argc, char* argv[])
{
    if (const auto status = kestrami::ui::HandleCommandLine(argc, argv)) {
        return *status;
    }
    const auto application = kestrami::ui::OpenApplication(argc, argv);
    kestrami::ui::Desktop desktop;
    kestrami::ui::MainWindow window(desktop);
    window.show();
    return kestrami::ui::Application::exec();
}
