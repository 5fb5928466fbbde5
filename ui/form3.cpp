#include "form3.h"
namespace kestrami::ui {
Form3::Form3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("NOKIA Kestrami - Help"));
}
}  // namespace kestrami::ui
