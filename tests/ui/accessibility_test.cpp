// What a screen reader and a keyboard reach: every control of the three
// windows has a name in words, result rows are read without the marks that
// keep them left to right, the secondary windows are dialogs, and the
// shortcuts act without taking a key from the boxes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <ostream>
#include <string>
#include <vector>

#include "about_window.h"
#include "help_window.h"
#include "main_window.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

class KeyboardAndScreenReader : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        platform_.folder = dir_.path().toStdString();
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    template <typename T = QWidget>
    T* Find(const QString& name)
    {
        T* child = window_.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }

    QTemporaryDir dir_;
    FakePlatform platform_;
    MainWindow window_{platform_};
};

// A name shaped like a program's identifier rather than words, which means
// nothing to a listener: a lower-case or camel-case word ("cursorBox"), a
// capitalised word glued to a number ("Label6"), or an element of an array
// ("cell(3)").
const QRegularExpression kIdentifierName(
    QStringLiteral("^([a-z]+([A-Z]\\w*)?|[A-Z][A-Za-z]*\\d+|\\w+\\(\\d+\\))$"));
// Marks that set the direction of text without being shown.
const QRegularExpression kDirectionMark(
    QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"));

void Walk(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& nodes)
{
    nodes.push_back(node);
    for (int i = 0; i < node->childCount(); ++i) {
        Walk(node->child(i), nodes);
    }
}

struct Tree {
    const char* name;
    QWidget* (*open)(MainWindow& main);
    QAccessible::Role role;
    // A control the window must offer a screen reader, focusable, and how
    // many of them.
    QAccessible::Role reached;
    int count;
};
void PrintTo(const Tree& tree, std::ostream* os)
{
    *os << tree.name;
}

template <typename Window>
QWidget* Open(MainWindow& main, const char* action)
{
    main.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    QWidget* opened = main.findChild<Window*>();
    EXPECT_TRUE(QTest::qWaitForWindowActive(opened));
    return opened;
}

class AccessibilityTree : public KeyboardAndScreenReader, public testing::WithParamInterface<Tree> {};

TEST_P(AccessibilityTree, NamesEveryControlInWordsAndReadsRowsWithoutDirectionMarks)
{
    // A result whose last cell was typed with a right-to-left letter, which
    // the list draws inside a left-to-right override.
    for (const char* key : {"digitKey4", "digitKey3", "digitKey5", "digitKey1", "digitKey2", "digitKey5"}) {
        QTest::mouseClick(Find<QPushButton>(QString::fromLatin1(key)), Qt::LeftButton);
    }
    auto* cell7 = Find<QLineEdit>(QStringLiteral("cell7"));
    cell7->selectAll();
    QTest::sendKeyEvent(QTest::Click, cell7, Qt::Key_unknown, QStringLiteral("\u05D0"), Qt::NoModifier);
    QTest::keyClick(cell7, Qt::Key_0);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("enterKey")), Qt::LeftButton);
    ASSERT_NE(window_.Calculator().Results().Line(2).find("\u05D0"), std::string::npos);

    QWidget* shown = GetParam().open(window_);
    ASSERT_NE(shown, nullptr);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(shown);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->role(), GetParam().role);
    std::vector<QAccessibleInterface*> nodes;
    Walk(root, nodes);
    int reached = 0;
    for (QAccessibleInterface* node : nodes) {
        const QAccessible::Role role = node->role();
        // Plain containers, separators and scroll bars, and the list's
        // hidden headers, are no controls of their own.
        if (role == QAccessible::Client || role == QAccessible::Pane || role == QAccessible::Separator ||
            role == QAccessible::ScrollBar || role == QAccessible::MenuBar ||
            role == QAccessible::ColumnHeader || role == QAccessible::RowHeader) {
            continue;
        }
        const QString name = node->text(QAccessible::Name);
        const QString object = node->object() != nullptr ? node->object()->objectName() : QString();
        SCOPED_TRACE(object.toStdString() + " \"" + name.toStdString() + "\"");
        EXPECT_FALSE(name.trimmed().isEmpty());
        EXPECT_FALSE(kIdentifierName.match(name).hasMatch());
        EXPECT_NE(name, object);
        EXPECT_FALSE(kDirectionMark.match(name).hasMatch());
        if (role == GetParam().reached) {
            ++reached;
            EXPECT_TRUE(node->state().focusable);
        }
    }
    EXPECT_EQ(reached, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, AccessibilityTree,
    testing::Values(
        // The rows: two headers and the result.
        Tree{"Main", [](MainWindow& main) -> QWidget* { return &main; }, QAccessible::Window,
             QAccessible::Cell, 3},
        Tree{"About", [](MainWindow& main) { return Open<AboutWindow>(main, "aboutAction"); },
             QAccessible::Dialog, QAccessible::Link, 1},
        Tree{"Help", [](MainWindow& main) { return Open<HelpWindow>(main, "helpAction"); },
             QAccessible::Dialog, QAccessible::EditableText, 1}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Effect { None, Save, Exit, Help };

struct Shortcut {
    const char* name;
    const char* focus;  // the control that has the focus
    QKeyCombination key;
    Effect effect;
    const char* typed;  // what the key adds to the focused box's text
};
void PrintTo(const Shortcut& s, std::ostream* os)
{
    *os << s.name;
}

class Shortcuts : public KeyboardAndScreenReader, public testing::WithParamInterface<Shortcut> {};

TEST_P(Shortcuts, ActFromAnyControlAndTakeNoKeyFromTheBoxes)
{
    QWidget* focus = Find(QString::fromLatin1(GetParam().focus));
    auto* box = qobject_cast<QLineEdit*>(focus);
    const QString before = box != nullptr ? box->text() : QString();
    focus->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), focus);
    QTest::keyClick(focus, GetParam().key.key(), GetParam().key.keyboardModifiers());

    // Save with no result line says "Error"; that box is the sign it ran.
    EXPECT_EQ(platform_.boxes.size(), GetParam().effect == Effect::Save ? 1U : 0U);
    EXPECT_EQ(window_.isVisible(), GetParam().effect != Effect::Exit);
    EXPECT_EQ(window_.findChild<HelpWindow*>() != nullptr, GetParam().effect == Effect::Help);
    if (box != nullptr) {
        EXPECT_EQ(box->text(), before + QString::fromUtf8(GetParam().typed));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcuts,
    testing::Values(
        Shortcut{"CtrlSInTheCursorBox", "cursorBox", QKeyCombination(Qt::ControlModifier, Qt::Key_S),
                 Effect::Save, ""},
        Shortcut{"CtrlSOnEnter", "enterKey", QKeyCombination(Qt::ControlModifier, Qt::Key_S), Effect::Save,
                 ""},
        Shortcut{"CtrlQInACell", "cell2", QKeyCombination(Qt::ControlModifier, Qt::Key_Q), Effect::Exit, ""},
        Shortcut{"F1InTheSpareTextBox", "spareTextBox", QKeyCombination(Qt::Key_F1), Effect::Help, ""},
        Shortcut{"STypedInACell", "cell2", QKeyCombination(Qt::Key_S), Effect::None, "s"},
        Shortcut{"QTypedInTheSpareTextBox", "spareTextBox", QKeyCombination(Qt::Key_Q), Effect::None, "q"},
        Shortcut{"EscapeInTheCursorBox", "cursorBox", QKeyCombination(Qt::Key_Escape), Effect::None, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami::ui
