// Drives the real main window: clicks its keys, triggers its menu items and
// types into its boxes, then checks what it shows and what it saved.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <map>
#include <string_view>
#include <tuple>

#include "about_window.h"
#include "help_window.h"
#include "main_window.h"
#include "services.h"
#include "window_look.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform.folder = dir.path().toStdString();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T = QWidget>
    T* Find(const char* name)
    {
        T* child = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QLineEdit* Cell(int i)
    {
        return Find<QLineEdit>(i == 0 ? "spareCell" : ("cell" + std::to_string(i)).c_str());
    }

    // Clicks keys by their captions' shorthand: digits, '<' for "<--",
    // 'C' for CE, 'E' for ENTER, 'L' for CLEAR List.
    void Keys(std::string_view keys)
    {
        for (const char key : keys) {
            std::string name;
            switch (key) {
                case '<':
                    name = "stepBackKey";
                    break;
                case 'C':
                    name = "clearEntryKey";
                    break;
                case 'E':
                    name = "enterKey";
                    break;
                case 'L':
                    name = "clearListKey";
                    break;
                default:
                    name = std::string("digitKey") + key;
            }
            QTest::mouseClick(Find<QPushButton>(name.c_str()), Qt::LeftButton);
        }
    }

    void Menu(const char* action) { Find<QAction>(action)->trigger(); }

    // The list lays out its rows and column, then shows or hides its scroll
    // bars, each on a later turn of the event loop.
    static void LayOut()
    {
        for (int turn = 0; turn < 3; ++turn) {
            QCoreApplication::processEvents();
        }
    }

    std::string Display()
    {
        std::string shown;
        for (int i = 1; i <= 7; ++i) {
            shown += Cell(i)->text().toStdString();
        }
        return shown;
    }

    int UnderlinedCell()
    {
        int underlined = 0;
        for (int i = 1; i <= 7; ++i) {
            if (Cell(i)->font().underline()) {
                EXPECT_EQ(underlined, 0) << "more than one cell underlined";
                underlined = i;
            }
        }
        return underlined;
    }

    // The rows as shown, each without the left-to-right override that it is
    // shown in.
    QStringList Rows()
    {
        QStringList rows;
        const QAbstractItemModel* model = Find<QTableView>("resultsList")->model();
        for (int i = 0; i < model->rowCount(); ++i) {
            const QString row = model->index(i, 0).data().toString();
            EXPECT_TRUE(row.startsWith(QChar(0x202D)) && row.endsWith(QChar(0x202C))) << row.toStdString();
            rows << row.mid(1, row.size() - 2);
        }
        return rows;
    }

    QByteArray SavedFile()
    {
        QFile file(dir.filePath(QStringLiteral("Kestrami.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    FakePlatform platform;
    MainWindow window{platform};
};

TEST_F(MainWindowTest, StartsWithAClearedDisplayAndTheHamHeaders)
{
    EXPECT_EQ(window.windowTitle(), "NOKIA Kestrami");
    EXPECT_EQ(Display(), "0000000");
    EXPECT_EQ(UnderlinedCell(), 1);
    EXPECT_EQ(Find<QLineEdit>("cursorBox")->text(), "1");
    EXPECT_EQ(Rows(), QStringList({"HAM Range:", "430-440 MHz"}));
    EXPECT_TRUE(Find<QAction>("hamBandAction")->isChecked());
    EXPECT_FALSE(Find<QAction>("fullRangeAction")->isChecked());
    EXPECT_FALSE(Cell(0)->font().underline());
}

struct Placement {
    const char* name;
    const char* container;
    int left, top, width, height;  // twips
    const char* caption;
};

TEST_F(MainWindowTest, EveryControlStandsWhereTheDesignPutsIt)
{
    const Placement table[] = {
        {"calculatorFrame", "centralwidget", 135, 135, 3375, 5775, "Calculator"},
        {"resultsFrame", "centralwidget", 3675, 120, 3375, 5775, "Results"},
        {"cell1", "calculatorFrame", 270, 345, 375, 585, "0"},
        {"cell2", "calculatorFrame", 630, 345, 375, 585, "0"},
        {"cell3", "calculatorFrame", 990, 345, 375, 585, "0"},
        {"decimalSign", "calculatorFrame", 1350, 345, 375, 585, ","},
        {"cell4", "calculatorFrame", 1710, 345, 375, 585, "0"},
        {"cell5", "calculatorFrame", 2070, 345, 375, 585, "0"},
        {"cell6", "calculatorFrame", 2430, 345, 375, 585, "0"},
        {"cell7", "calculatorFrame", 2790, 345, 375, 585, "0"},
        {"digitKey1", "calculatorFrame", 315, 1065, 855, 855, "1"},
        {"digitKey2", "calculatorFrame", 1275, 1065, 855, 855, "2"},
        {"digitKey3", "calculatorFrame", 2235, 1065, 855, 855, "3"},
        {"digitKey4", "calculatorFrame", 315, 2025, 855, 855, "4"},
        {"digitKey5", "calculatorFrame", 1275, 2025, 855, 855, "5"},
        {"digitKey6", "calculatorFrame", 2235, 2025, 855, 855, "6"},
        {"digitKey7", "calculatorFrame", 315, 2985, 855, 855, "7"},
        {"digitKey8", "calculatorFrame", 1275, 2985, 855, 855, "8"},
        {"digitKey9", "calculatorFrame", 2235, 2985, 855, 855, "9"},
        {"digitKey0", "calculatorFrame", 315, 3945, 855, 855, "0"},
        {"stepBackKey", "calculatorFrame", 1275, 3945, 855, 855, "<--"},
        {"clearEntryKey", "calculatorFrame", 2235, 3945, 855, 855, "CE"},
        {"enterKey", "calculatorFrame", 360, 4905, 2775, 615, "E N T E R"},
        {"resultsList", "resultsFrame", 225, 300, 2925, 4470, nullptr},
        {"clearListKey", "resultsFrame", 240, 4920, 2895, 615, "CLEAR List"},
        {"cursorBox", "centralwidget", 7485, 1230, 975, 285, "1"},
        // Width and height 0: the label sizes itself to its caption.
        {"cursorBoxLabel", "centralwidget", 7485, 990, 0, 0, "char.position"},
        {"underlineKey", "centralwidget", 7485, 1710, 975, 375, "underline"},
        {"spareCell", "centralwidget", 7485, 270, 375, 585, "0"},
        {"spareTextBox", "centralwidget", 7560, 2760, 2535, 285, "Text1"},
    };
    for (const Placement& p : table) {
        SCOPED_TRACE(p.name);
        QWidget* widget = Find(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), p.container);
        if (p.width == 0) {
            EXPECT_EQ(InTwips(widget->geometry()).topLeft(), QPoint(p.left, p.top));
            EXPECT_EQ(widget->size(), widget->sizeHint());
        } else {
            EXPECT_EQ(InTwips(widget->geometry()), QRect(p.left, p.top, p.width, p.height));
        }
        if (p.caption == nullptr) {
            continue;
        }
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(box->text(), p.caption);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), p.caption);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), p.caption);
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_EQ(frame->title(), p.caption);
        }
    }
    // The client area below the menu bar is 7200 x 6135 twips; the service
    // controls lie beyond its right edge.
    EXPECT_EQ(Find("centralwidget")->size(), QSize(480, 409));
}

TEST_F(MainWindowTest, WideningTheWindowMovesNothing)
{
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && child->parentWidget() != &window) {
            before.emplace_back(child, child->geometry());
        }
    }
    window.resize(800, window.height() + 50);
    QTest::qWait(10);
    for (const auto& [child, geometry] : before) {
        EXPECT_EQ(child->geometry(), geometry) << child->objectName().toStdString();
    }
    for (const char* name : {"cursorBox", "cursorBoxLabel", "underlineKey", "spareCell", "spareTextBox"}) {
        QWidget* control = Find(name);
        EXPECT_TRUE(control->isVisible() && control->isEnabled()) << name;
        EXPECT_TRUE(Find("centralwidget")->rect().contains(control->geometry())) << name;
    }
}

TEST_F(MainWindowTest, LooksAsDesigned)
{
    const QColor light_green(192, 255, 192);
    for (int i = 0; i <= 7; ++i) {
        SCOPED_TRACE(i);
        const QFont font = Cell(i)->font();
        EXPECT_EQ(font.family(), "Courier New");
        EXPECT_EQ(font.pointSize(), 24);
        EXPECT_TRUE(font.bold());
        EXPECT_EQ(Cell(i)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_EQ(Cell(i)->palette().color(QPalette::Base), light_green);
    }
    EXPECT_EQ(Find<QPushButton>("clearEntryKey")->palette().color(QPalette::Button), QColor(255, 255, 0));
    auto* list = Find<QTableView>("resultsList");
    // The design's "Courier" 12 pt where the longest line fits, else the
    // nearest fixed-pitch face, smaller.
    const QFont list_font = list->font();
    EXPECT_TRUE(QFontInfo(list_font).fixedPitch());
    if (list_font.family() == "Courier") {
        EXPECT_EQ(list_font.pointSize(), 12);
    } else {
        EXPECT_EQ(list_font.family(), "Courier New");
        EXPECT_LT(list_font.pointSizeF(), 12);
    }
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->palette().color(QPalette::Base), light_green);
    // A list box: one column of whole text lines, nothing editable.
    EXPECT_EQ(list->model()->columnCount(), 1);
    EXPECT_FALSE(list->horizontalHeader()->isVisible() || list->verticalHeader()->isVisible());
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    const QFont underline_font = Find("underlineKey")->font();
    EXPECT_EQ(underline_font.family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(underline_font.pointSizeF(), 8.25);
    EXPECT_TRUE(underline_font.underline());

    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QList<QSize> icon_sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(icon_sizes.contains(QSize(16, 16)) && icon_sizes.contains(QSize(32, 32)));
}

TEST_F(MainWindowTest, MenusHoldTheirItemsWithoutAccessKeysAndThreeShortcuts)
{
    const std::vector<std::tuple<QString, QStringList, QStringList>> menus = {
        {"File", {"Save", "Exit"}, {"Ctrl+S", "Ctrl+Q"}},
        {"Settings", {"70cm HAM band", "70cm FULL range"}, {"", ""}},
        {"Info", {"About", "Help"}, {"", "F1"}},
    };
    const QList<QAction*> titles = window.menuBar()->actions();
    ASSERT_EQ(titles.size(), 3);
    for (std::size_t m = 0; m < menus.size(); ++m) {
        const auto& [title, captions, shortcuts] = menus[m];
        SCOPED_TRACE(title.toStdString());
        EXPECT_EQ(titles[m]->text(), title);
        QStringList items;
        QStringList keys;
        for (QAction* item : titles[m]->menu()->actions()) {
            EXPECT_FALSE(item->isSeparator());
            EXPECT_TRUE(item->isEnabled() && item->isVisible());
            items << item->text();
            keys << item->shortcut().toString(QKeySequence::PortableText);
        }
        EXPECT_EQ(items, captions);
        EXPECT_EQ(keys, shortcuts);
        EXPECT_FALSE(title.contains('&'));
    }
}

TEST_F(MainWindowTest, TabVisitsTheFiveStopsInOrderStartingInTheCursorBox)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), Find("cursorBox"));
    for (const char* next : {"underlineKey", "enterKey", "clearListKey", "spareTextBox", "cursorBox"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Find(next)) << next;
    }
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const bool tab_stop = (child->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        const bool listed =
            QStringList{"cursorBox", "underlineKey", "enterKey", "clearListKey", "spareTextBox"}.contains(
                child->objectName());
        if (child->isVisibleTo(&window) && !child->objectName().startsWith("qt_") &&
            child->window() == &window && qobject_cast<QMenuBar*>(child) == nullptr) {
            EXPECT_EQ(tab_stop, listed) << child->objectName().toStdString();
        }
    }
}

struct KeyRow {
    const char* keys;
    const char* display;
    const char* cursor;
    int underlined;
};

class MainWindowKeys : public MainWindowTest, public testing::WithParamInterface<KeyRow> {};

TEST_P(MainWindowKeys, ShowTheDigitsTheCursorAndItsUnderline)
{
    Keys(GetParam().keys);
    EXPECT_EQ(Display(), GetParam().display);
    EXPECT_EQ(Find<QLineEdit>("cursorBox")->text(), GetParam().cursor);
    EXPECT_EQ(UnderlinedCell(), GetParam().underlined);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, MainWindowKeys,
    testing::Values(KeyRow{"", "0000000", "1", 1}, KeyRow{"4351250", "4351250", "7", 7},
                    KeyRow{"43512509", "4351259", "7", 7}, KeyRow{"435<", "4350000", "3", 3},
                    KeyRow{"435<<", "4300000", "2", 2}, KeyRow{"435<<7", "4700000", "3", 3},
                    KeyRow{"<", "0000000", "1", 1}, KeyRow{"4351259<", "4351250", "6", 6},
                    KeyRow{"43512C", "0000000", "1", 1}, KeyRow{"4351250E", "0000000", "1", 1}));

TEST_F(MainWindowTest, EnterAppendsResultRowsAndClearListAndBandsResetThem)
{
    Keys("4351250E4385000E");
    EXPECT_EQ(Rows(),
              QStringList({"HAM Range:", "430-440 MHz", "Fo=435.1250  n=5620", "Fo=438.5000  n=6160"}));
    Keys("4500000E");  // outside the HAM band: nothing added, display cleared
    EXPECT_EQ(Rows().size(), 4);
    EXPECT_EQ(Display(), "0000000");

    Keys("43");  // band changes keep the digits keyed so far
    Menu("fullRangeAction");
    EXPECT_EQ(Rows(), QStringList({"FULL Range:", "400-500 MHz"}));
    EXPECT_FALSE(Find<QAction>("hamBandAction")->isChecked());
    EXPECT_TRUE(Find<QAction>("fullRangeAction")->isChecked());
    EXPECT_EQ(Display(), "4300000");
    EXPECT_EQ(Find<QLineEdit>("cursorBox")->text(), "3");

    Keys("CE4500000E");
    EXPECT_EQ(Rows(), QStringList({"FULL Range:", "400-500 MHz", "Fo=450.0000  n=8000"}));
    Keys("L");
    EXPECT_EQ(Rows(), QStringList({"FULL Range:", "400-500 MHz"}));

    Keys("4351250E");
    Menu("fullRangeAction");  // the band already chosen empties the list as well
    EXPECT_EQ(Rows(), QStringList({"FULL Range:", "400-500 MHz"}));
    EXPECT_TRUE(Find<QAction>("fullRangeAction")->isChecked());
    Menu("hamBandAction");
    EXPECT_EQ(Rows(), QStringList({"HAM Range:", "430-440 MHz"}));
    EXPECT_TRUE(Find<QAction>("hamBandAction")->isChecked());
    EXPECT_FALSE(Find<QAction>("fullRangeAction")->isChecked());
}

TEST_F(MainWindowTest, AnAppendedRowNeitherScrollsNorChangesTheSelection)
{
    auto* list = Find<QTableView>("resultsList");
    list->selectRow(1);
    for (int i = 0; i < 40; ++i) {
        Keys("4351250E");
    }
    EXPECT_EQ(Rows().size(), 42);
    EXPECT_EQ(list->currentIndex().row(), 1);
    EXPECT_EQ(list->selectionModel()->selectedRows(), QModelIndexList{list->model()->index(1, 0)});
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(Rows().at(41), "Fo=435.1250  n=5620");
}

TEST_F(MainWindowTest, EveryResultLineShowsWholeBesideTheScrollBar)
{
    Menu("fullRangeAction");
    for (int i = 0; i < 20; ++i) {
        Keys("49998" + std::to_string(10 + 4 * i) + "E");  // n = 15997 and 15998
    }
    Keys("5000000E");
    ASSERT_EQ(Rows().last(), QString::fromStdString(LongestKeyedResultLine()));
    auto* list = Find<QTableView>("resultsList");
    LayOut();
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    EXPECT_GE(list->viewport()->height() / list->rowHeight(0), 15);
    for (int row = 0; row < Rows().size(); ++row) {
        SCOPED_TRACE(Rows()[row].toStdString());
        const QModelIndex index = list->model()->index(row, 0);
        // The text with the margins the view sets it in, in the font in use.
        EXPECT_LE(list->sizeHintForIndex(index).width(), list->visualRect(index).width());
        EXPECT_LE(list->visualRect(index).right(), list->viewport()->rect().right());
        EXPECT_EQ(list->rowHeight(row), list->fontMetrics().height());
    }
}

TEST_F(MainWindowTest, ALineWiderThanTheListScrollsSidewaysUntilTheListIsCleared)
{
    Keys("435125");
    QLineEdit* cell = Cell(7);
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, QString(30, '0'));  // typed, not keyed: a long line
    Keys("E");
    auto* list = Find<QTableView>("resultsList");
    LayOut();
    const int width = list->sizeHintForIndex(list->model()->index(2, 0)).width();
    ASSERT_GT(width, list->viewport()->width());
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
    EXPECT_GE(list->columnWidth(0), width);
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), list->columnWidth(0) - list->viewport()->width());

    Keys("L");
    LayOut();
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
}

class MainWindowReturn : public MainWindowTest,
                         public testing::WithParamInterface<std::tuple<const char*, QKeyCombination>> {};

TEST_P(MainWindowReturn, PressesTheFocusedKeyAsSpaceDoes)
{
    auto* key = Find<QPushButton>(std::get<const char*>(GetParam()));
    QTest::mouseClick(key, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), key);
    QSignalSpy clicked(key, &QPushButton::clicked);
    const QKeyCombination press = std::get<QKeyCombination>(GetParam());
    QTest::keyClick(key, press.key(), press.keyboardModifiers());
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), key);  // so the same key can be pressed again
}

INSTANTIATE_TEST_SUITE_P(Keys, MainWindowReturn,
                         testing::Combine(testing::Values("enterKey", "clearListKey", "underlineKey",
                                                          "digitKey5", "clearEntryKey"),
                                          testing::Values(QKeyCombination(Qt::Key_Return),
                                                          QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter),
                                                          QKeyCombination(Qt::Key_Space))),
                         [](const auto& info) {
                             return std::string(std::get<const char*>(info.param)) + "_" +
                                    std::to_string(std::get<QKeyCombination>(info.param).key());
                         });

// Where each arrow moves the focus from each key of the keypad: the keys as
// drawn, E N T E R beneath them all, and edges that stop.
struct ArrowWalk {
    const char* from;
    const char* left;
    const char* right;
    const char* up;
    const char* down;
};

class MainWindowArrows : public MainWindowTest, public testing::WithParamInterface<ArrowWalk> {};

TEST_P(MainWindowArrows, MoveTheFocusAcrossTheKeypadAsDrawn)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const ArrowWalk& walk = GetParam();
    const std::pair<Qt::Key, const char*> arrows[] = {{Qt::Key_Left, walk.left},
                                                      {Qt::Key_Right, walk.right},
                                                      {Qt::Key_Up, walk.up},
                                                      {Qt::Key_Down, walk.down}};
    for (const auto& [arrow, to] : arrows) {
        Find(walk.from)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), arrow);
        EXPECT_EQ(QApplication::focusWidget(), Find(to)) << arrow;
        // What a screen reader announces as the focus lands: the key's name.
        const QAccessibleInterface* key = QAccessible::queryAccessibleInterface(Find(to));
        EXPECT_TRUE(key->state().focused);
        EXPECT_FALSE(key->text(QAccessible::Name).isEmpty());
    }
    EXPECT_EQ(Display(), "0000000");  // an arrow presses nothing
}

INSTANTIATE_TEST_SUITE_P(
    Keypad, MainWindowArrows,
    testing::Values(ArrowWalk{"digitKey1", "digitKey1", "digitKey2", "digitKey1", "digitKey4"},
                    ArrowWalk{"digitKey2", "digitKey1", "digitKey3", "digitKey2", "digitKey5"},
                    ArrowWalk{"digitKey3", "digitKey2", "digitKey3", "digitKey3", "digitKey6"},
                    ArrowWalk{"digitKey4", "digitKey4", "digitKey5", "digitKey1", "digitKey7"},
                    ArrowWalk{"digitKey5", "digitKey4", "digitKey6", "digitKey2", "digitKey8"},
                    ArrowWalk{"digitKey6", "digitKey5", "digitKey6", "digitKey3", "digitKey9"},
                    ArrowWalk{"digitKey7", "digitKey7", "digitKey8", "digitKey4", "digitKey0"},
                    ArrowWalk{"digitKey8", "digitKey7", "digitKey9", "digitKey5", "stepBackKey"},
                    ArrowWalk{"digitKey9", "digitKey8", "digitKey9", "digitKey6", "clearEntryKey"},
                    ArrowWalk{"digitKey0", "digitKey0", "stepBackKey", "digitKey7", "enterKey"},
                    ArrowWalk{"stepBackKey", "digitKey0", "clearEntryKey", "digitKey8", "enterKey"},
                    ArrowWalk{"clearEntryKey", "stepBackKey", "clearEntryKey", "digitKey9", "enterKey"},
                    ArrowWalk{"enterKey", "enterKey", "enterKey", "stepBackKey", "enterKey"}),
    [](const testing::TestParamInfo<ArrowWalk>& info) { return std::string(info.param.from); });

TEST_F(MainWindowTest, AFrequencyIsKeyedWithTabArrowsAndSpaceAlone)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // From the cursor box: Tab, Tab to E N T E R, then up into the keypad.
    const char* path =
        "TTU"
        "UULS"
        "ULRRS"
        "DLS"
        "ULS"
        "RS"
        "DS"
        "DDLS"
        "DS";
    for (const char step : std::string_view(path)) {
        const std::map<char, Qt::Key> keys{{'T', Qt::Key_Tab},  {'U', Qt::Key_Up},    {'D', Qt::Key_Down},
                                           {'L', Qt::Key_Left}, {'R', Qt::Key_Right}, {'S', Qt::Key_Space}};
        QTest::keyClick(QApplication::focusWidget(), keys.at(step));
    }
    EXPECT_EQ(Rows(), (QStringList{"HAM Range:", "430-440 MHz", "Fo=435.1250  n=5620"}));
    EXPECT_EQ(QApplication::focusWidget(), Find("enterKey"));
}

TEST_F(MainWindowTest, ArrowsInTheCursorBoxAndCellsStillMoveTheCaret)
{
    for (const char* name : {"cursorBox", "cell3"}) {
        auto* box = Find<QLineEdit>(name);
        box->setFocus();
        box->setText("12");
        box->setCursorPosition(2);
        QTest::keyClick(box, Qt::Key_Left);
        EXPECT_EQ(box->cursorPosition(), 1) << name;
        EXPECT_EQ(QApplication::focusWidget(), box) << name;
    }
}

TEST_F(MainWindowTest, ScreenReadersHearWhatTheDisplayAndKeysAre)
{
    const std::pair<const char*, const char*> names[] = {
        {"cell1", "Digit 1"},
        {"cell2", "Digit 2"},
        {"cell3", "Digit 3"},
        {"decimalSign", "Decimal sign"},
        {"cell4", "Digit 4"},
        {"cell5", "Digit 5"},
        {"cell6", "Digit 6"},
        {"cell7", "Digit 7"},
        {"resultsList", "Results"},
        {"stepBackKey", "Step back"},
        {"clearEntryKey", "Clear entry"},
        {"enterKey", "Enter"},
    };
    for (const auto& [name, spoken] : names) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(Find(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->text(QAccessible::Name), spoken) << name;
    }
}

struct Opening {
    const char* menu_item;
    QWidget* (*window)(const MainWindow& main);
    QPoint offset;  // from the main window's client area
};
void PrintTo(const Opening& o, std::ostream* os)
{
    *os << o.menu_item;
}

class MainWindowOpens : public MainWindowTest, public testing::WithParamInterface<Opening> {};

TEST_P(MainWindowOpens, SecondaryWindowOverTheMainWindowAsItsTransient)
{
    window.move(200, 150);
    const QPoint client = Find("centralwidget")->mapToGlobal(QPoint(0, 0));
    Menu(GetParam().menu_item);
    QWidget* opened = GetParam().window(window);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->geometry().topLeft(), client + GetParam().offset);
    ASSERT_NE(opened->windowHandle(), nullptr);
    EXPECT_EQ(opened->windowHandle()->transientParent(), window.windowHandle());
    // X11 learns of the transient parent only for a dialog.
    EXPECT_EQ(opened->windowType(), Qt::Dialog);
}

// About lies within the main window at its own offset; Help, wider than the
// main window, is centred across it.
INSTANTIATE_TEST_SUITE_P(
    Windows, MainWindowOpens,
    testing::Values(Opening{"aboutAction",
                            [](const MainWindow& w) -> QWidget* { return w.findChild<AboutWindow*>(); },
                            {29, 95}},
                    Opening{"helpAction",
                            [](const MainWindow& w) -> QWidget* { return w.findChild<HelpWindow*>(); },
                            {-25, 54}}),
    [](const testing::TestParamInfo<Opening>& info) { return std::string(info.param.menu_item); });

struct CursorTyping {
    const char* name;
    std::vector<QKeyCombination> keys;  // typed into the cursor box in turn
    const char* cursor;
    int underlined;
};

class MainWindowCursorBox : public MainWindowTest, public testing::WithParamInterface<CursorTyping> {};

TEST_P(MainWindowCursorBox, EveryChangeIsClampedAndMarked)
{
    auto* cursorBox = Find<QLineEdit>("cursorBox");
    cursorBox->setFocus();
    for (const QKeyCombination key : GetParam().keys) {
        QTest::keyClick(cursorBox, key.key(), key.keyboardModifiers());
    }
    EXPECT_EQ(cursorBox->text(), GetParam().cursor);
    EXPECT_EQ(UnderlinedCell(), GetParam().underlined);
    EXPECT_EQ(window.Calculator().Entry().Cursor(), GetParam().cursor);
}

INSTANTIATE_TEST_SUITE_P(
    Typing, MainWindowCursorBox,
    testing::Values(CursorTyping{"FiveBeforeOneGivesSeven", {Qt::Key_Home, Qt::Key_5}, "7", 7},
                    CursorTyping{"EmptiedGivesOne", {Qt::Key_End, Qt::Key_Backspace}, "1", 1},
                    CursorTyping{"FourOverAll", {Qt::CTRL | Qt::Key_A, Qt::Key_4}, "4", 4},
                    CursorTyping{"LettersOverAllGiveOne", {Qt::CTRL | Qt::Key_A, Qt::Key_A}, "1", 1},
                    CursorTyping{"LetterAfterOneStaysAsTyped", {Qt::Key_End, Qt::Key_A}, "1a", 1},
                    CursorTyping{"NineGivesSeven", {Qt::CTRL | Qt::Key_A, Qt::Key_9}, "7", 7},
                    CursorTyping{"MinusGivesOne", {Qt::Key_Home, Qt::Key_Minus}, "1", 1},
                    CursorTyping{"HalfMarksNoCell",
                                 {Qt::CTRL | Qt::Key_A, Qt::Key_2, Qt::Key_Period, Qt::Key_5},
                                 "2.5",
                                 0}),
    [](const testing::TestParamInfo<CursorTyping>& info) { return info.param.name; });

TEST_F(MainWindowTest, TypedCursorDecidesWhereTheNextDigitGoes)
{
    auto* cursorBox = Find<QLineEdit>("cursorBox");
    cursorBox->selectAll();
    QTest::keyClicks(cursorBox, "2.5");
    Keys("9");  // 2.5 takes the even neighbour, cell 2
    EXPECT_EQ(Display(), "0900000");
    EXPECT_EQ(cursorBox->text(), "3.5");
    EXPECT_EQ(UnderlinedCell(), 0);
}

TEST_F(MainWindowTest, TypingIntoACellChangesOnlyThatCellUntilEnterReadsIt)
{
    Keys("43");
    QLineEdit* cell = Cell(2);
    QTest::mouseClick(cell, Qt::LeftButton);
    cell->setCursorPosition(1);
    QTest::keyClicks(cell, "1");
    EXPECT_EQ(cell->text(), "31");
    EXPECT_EQ(window.Calculator().Entry().Cell(2), "31");
    EXPECT_EQ(Find<QLineEdit>("cursorBox")->text(), "3");
    EXPECT_EQ(UnderlinedCell(), 3);

    // The service boxes are nobody's input.
    for (const char* name : {"decimalSign", "spareCell", "spareTextBox"}) {
        QTest::keyClicks(Find<QLineEdit>(name), "7");
    }
    EXPECT_EQ(window.Calculator().FrequencyText(), "4310.0000");
    EXPECT_EQ(Find<QLineEdit>("cursorBox")->text(), "3");

    Keys("E");  // 4310 MHz lies outside the band: nothing added, all cleared
    EXPECT_EQ(Rows().size(), 2);
    EXPECT_EQ(Cell(2)->text(), "0");
}

// A text with line breaks and other control characters pasted into a cell
// or the cursor box loses them there, so the row it makes is one line of
// the file and forges no result or block end.
TEST_F(MainWindowTest, PastedLineBreaksNeverReachTheFile)
{
    QString forged = QStringLiteral("5\r\nFo=999.9999  n=99999\r\n\r\n \r\nFAKE\a\x1B");
    forged += QChar(0);
    QApplication::clipboard()->setText(QStringLiteral("4\n"));
    Find<QLineEdit>("cursorBox")->selectAll();
    Find<QLineEdit>("cursorBox")->paste();
    EXPECT_EQ(Find<QLineEdit>("cursorBox")->text(), "4");
    EXPECT_EQ(UnderlinedCell(), 4);

    Keys("C435");
    QApplication::clipboard()->setText(forged);
    Cell(4)->selectAll();
    Cell(4)->paste();
    EXPECT_EQ(Cell(4)->text(), "5Fo=999.9999  n=99999 FAKE");
    Keys("E");
    Menu("saveAction");
    EXPECT_EQ(Rows(),
              QStringList({"HAM Range:", "430-440 MHz", "Fo=435.5Fo=999.9999  n=99999 FAKE000  n=5680"}));
    EXPECT_EQ(SavedFile(),
              "HAM Range:\r\n430-440 MHz\r\nFo=435.5Fo=999.9999  n=99999 FAKE000  n=5680\r\n\r\n \r\n");
}

TEST_F(MainWindowTest, SavingWithNoResultShowsTheErrorBoxAndTouchesNoFile)
{
    Menu("saveAction");
    Keys("4500000EL");  // outside HAM, then CLEAR List
    Menu("saveAction");
    ASSERT_EQ(platform.boxes.size(), 2u);
    for (const auto& box : platform.boxes) {
        EXPECT_EQ(box.title, "Error");
        EXPECT_EQ(box.style, 0);
        EXPECT_EQ(box.prompt,
                  "Nothing to save !\r\nAt least 1 frequency must be\r\nadded to the Results-list.");
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Kestrami.txt"))));
}

TEST_F(MainWindowTest, SaveAppendsTheListBesideTheProgramByteForByte)
{
    Keys("4351250E4385000E");
    Menu("saveAction");
    Menu("saveAction");
    const QByteArray block =
        "HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\nFo=438.5000  n=6160\r\n\r\n \r\n";
    ASSERT_EQ(block.size(), 72);
    EXPECT_EQ(SavedFile(), block + block);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(Rows().size(), 4);
}

TEST_F(MainWindowTest, AFailedSaveSaysWhyAndKeepsTheProgramAndListGoing)
{
    platform.folder = dir.filePath(QStringLiteral("missing")).toStdString();
    Keys("4351250E");
    Menu("saveAction");
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].title, "Error");
    EXPECT_NE(platform.boxes[0].prompt.find(platform.folder + "/Kestrami.txt"), std::string::npos);
    EXPECT_NE(platform.boxes[0].prompt.find(MissingFolderReason()), std::string::npos);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Rows().size(), 3);

    platform.folder = dir.path().toStdString();  // a later save can succeed
    Menu("saveAction");
    EXPECT_EQ(platform.boxes.size(), 1u);
    EXPECT_TRUE(SavedFile().startsWith("HAM Range:\r\n"));
}

// An installed copy: nobody may create a file in the program's folder (as
// /sys refuses it even to root), so the file goes to the documents folder,
// made when missing, and the user is told where, once in a run.
TEST_F(MainWindowTest, ASaveThatMayNotGoBesideTheProgramGoesToTheDocumentsFolder)
{
    platform.folder = "/sys";
    platform.documents = dir.filePath(QStringLiteral("home/Documents")).toStdString();
    Keys("4351250E");
    Menu("saveAction");
    Menu("saveAction");
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].title, "Kestrami");
    EXPECT_EQ(platform.boxes[0].style, 0);
    EXPECT_EQ(platform.boxes[0].prompt,
              "The Results-list was saved to\r\n" + platform.documents + "/Kestrami.txt");
    QFile file(QString::fromStdString(platform.documents + "/Kestrami.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray block = "HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\n\r\n \r\n";
    EXPECT_EQ(file.readAll(), block + block);
}

struct Ending {
    const char* name;
    const char* opened_first;  // a menu item that opens another window, or none
    bool close_box;            // the window's close box instead of File > Exit
};

class MainWindowEnding : public MainWindowTest, public testing::WithParamInterface<Ending> {};

TEST_P(MainWindowEnding, EndsTheProgramAtOnceWithUnsavedResults)
{
    Keys("4351250E");
    if (GetParam().opened_first != nullptr) {
        Menu(GetParam().opened_first);
    }
    // Closing the main window ends the event loop, whatever else is open; a
    // hang would end it with 99.
    QTimer::singleShot(0, [this] {
        if (GetParam().close_box) {
            window.close();
        } else {
            Menu("exitAction");
        }
    });
    QTimer::singleShot(5000, [] { QApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(platform.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWindowEnding,
                         testing::Values(Ending{"Exit", nullptr, false}, Ending{"CloseBox", nullptr, true},
                                         Ending{"ExitWithAboutOpen", "aboutAction", false},
                                         Ending{"CloseBoxWithHelpOpen", "helpAction", true}),
                         [](const testing::TestParamInfo<Ending>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrami::ui
