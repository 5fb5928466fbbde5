// Starts either the main window or a bare Qt window with as many controls of
// the same kinds, and ends as soon as the window has been shown, printing the
// process's proportional set size (PSS) in KiB. The benchmark times the whole
// process from outside.
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "main_window.h"
#include "services.h"

namespace {

long PssKiB()
{
    std::ifstream rollup("/proc/self/smaps_rollup");
    std::string key;
    long value = 0;
    while (rollup >> key) {
        if (key == "Pss:") {
            rollup >> value;
            return value;
        }
        rollup.ignore(1 << 12, '\n');
    }
    return -1;
}

// The same controls as the main window: 11 line edits, 15 buttons, a list,
// a label, two frames and three menus with six items, built in code.
std::unique_ptr<QMainWindow> BareWindow()
{
    auto window = std::make_unique<QMainWindow>();
    auto* central = new QWidget;
    window->setCentralWidget(central);
    auto* frame1 = new QGroupBox(QStringLiteral("Calculator"), central);
    frame1->setGeometry(9, 9, 225, 385);
    auto* frame2 = new QGroupBox(QStringLiteral("Results"), central);
    frame2->setGeometry(245, 8, 225, 385);
    for (int i = 0; i < 9; ++i) {
        (new QLineEdit(QStringLiteral("0"), frame1))->setGeometry(18 + 24 * i, 23, 25, 39);
    }
    for (int i = 0; i < 13; ++i) {
        (new QPushButton(QString::number(i), frame1))
            ->setGeometry(21 + 64 * (i % 3), 71 + 64 * (i / 3), 57, 57);
    }
    auto* list = new QTableView(frame2);
    list->setModel(new QStringListModel({QStringLiteral("HAM Range:"), QStringLiteral("430-440 MHz")}, list));
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->setGeometry(15, 20, 195, 298);
    (new QPushButton(QStringLiteral("CLEAR List"), frame2))->setGeometry(16, 328, 193, 41);
    (new QLineEdit(QStringLiteral("1"), central))->setGeometry(499, 82, 65, 19);
    (new QLineEdit(QStringLiteral("spare"), central))->setGeometry(504, 184, 169, 19);
    (new QLabel(QStringLiteral("char.position"), central))->setGeometry(499, 66, 60, 13);
    (new QPushButton(QStringLiteral("underline"), central))->setGeometry(499, 114, 65, 25);
    for (const char* title : {"File", "Settings", "Info"}) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("one"));
        menu->addAction(QStringLiteral("two"));
    }
    window->resize(480, 430);
    return window;
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    QApplication application(argc, argv);
    kestrami::ui::Desktop desktop;
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = BareWindow();
    } else {
        window = std::make_unique<kestrami::ui::MainWindow>(desktop);
    }
    window->show();
    // The first pass of the event loop paints the shown window.
    QTimer::singleShot(0, [] {
        std::printf("%ld\n", PssKiB());
        std::fflush(stdout);
        std::_Exit(EXIT_SUCCESS);
    });
    return QApplication::exec();
}
