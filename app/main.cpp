// Kestrami: the main window with its calculator, and the event loop.
#include "form1.h"
#include "services.h"

int main(int argc, char* argv[])
{
    kestrami::ui::Application application(argc, argv);
    kestrami::ui::Desktop desktop;
    kestrami::ui::Form1 window(desktop);
    window.show();
    return kestrami::ui::Application::exec();
}
