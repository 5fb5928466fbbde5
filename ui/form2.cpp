#include "form2.h"
namespace kestrami::ui {
Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("NOKIA Kestrami - About"));
}
}  // namespace kestrami::ui
