// The services the windows rest on: the message box, the one-line boxes,
// the documents folder, and the report of a failure that no handler caught.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <stdexcept>

#include "services.h"

namespace kestrami::ui {
namespace {

// Looks at the message box that is open now, then answers it with OK.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::WindowModality modality = Qt::NonModal;
};

void AnswerNextBox(SeenBox& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
                box->windowModality()};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

TEST(MessageBox, StyleZeroIsOneOkButtonWithoutIconModalToTheApplication)
{
    SeenBox seen;
    AnswerNextBox(seen);
    ShowMessageBox(nullptr, "Nothing to save !\r\nAt least 1 frequency must be\r\nadded to the Results-list.",
                   0, "Error");
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.text, "Nothing to save !\nAt least 1 frequency must be\nadded to the Results-list.");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

// The one-line boxes: what typing or pasting keeps, and where the caret
// stays. The caret is given before and expected after, in UTF-16 units.
struct TypedCase {
    const char* name;
    QString typed;
    int caret;
    QString kept;
    int caret_after;
};
void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << c.name;
}

class SingleLineBoxTest : public testing::TestWithParam<TypedCase> {};

TEST_P(SingleLineBoxTest, KeepsOneLineInTheOrderTyped)
{
    const TypedCase& c = GetParam();
    const SingleLineValidator validator;
    QString text = c.typed;
    int caret = c.caret;
    EXPECT_EQ(validator.validate(text, caret), QValidator::Acceptable);
    EXPECT_EQ(text, c.kept);
    EXPECT_EQ(caret, c.caret_after);
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, SingleLineBoxTest,
    testing::Values(TypedCase{"DirectionMarks", QString::fromUtf8("4\u202E3\u202C5\u2066\u2069\u200F\u061C"),
                              4, QStringLiteral("435"), 2},
                    TypedCase{"OtherCharactersKept", QString::fromUtf8("\u00E9\u05D0\u0628\U0001F4FB"), 5,
                              QString::fromUtf8("\u00E9\u05D0\u0628\U0001F4FB"), 5}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// The documents folder as the desktop finds it, from HOME and the user-dirs
// file: always an absolute path, in the bytes the system gave. (Windows names
// its Documents folder itself; the core's Windows tests cover it.)
struct DocumentsCase {
    const char* name;
    std::string home;         // under a fresh folder
    const char* config_home;  // XDG_CONFIG_HOME under the fresh folder; nullptr: unset
    std::string user_dirs;    // written where the program must find it
    std::string documents;    // under the fresh folder
};
void PrintTo(const DocumentsCase& c, std::ostream* os)
{
    *os << c.name;
}

class DocumentsFolderTest : public testing::TestWithParam<DocumentsCase> {};

TEST_P(DocumentsFolderTest, IsAbsoluteInTheSystemsBytes)
{
    const DocumentsCase& c = GetParam();
    const QTemporaryDir scratch;
    const std::string root = QFile::encodeName(scratch.path()).toStdString();
    const std::string home = root + "/" + c.home;
    const std::string config = c.config_home != nullptr ? root + "/" + c.config_home : home + "/.config";
    ASSERT_EQ(MakeFolder(config), "");
    std::ofstream(config + "/user-dirs.dirs", std::ios::binary) << c.user_dirs;
    ::setenv("HOME", home.c_str(), 1);
    if (c.config_home != nullptr) {
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    const FolderLookup documents = Desktop().DocumentsFolder();
    EXPECT_EQ(documents.path, root + "/" + c.documents);
    EXPECT_EQ(documents.reason, "");
}

INSTANTIATE_TEST_SUITE_P(Desktops, DocumentsFolderTest,
                         testing::Values(DocumentsCase{"RelativeGivesTheHomeFolder", "op", nullptr,
                                                       "XDG_DOCUMENTS_DIR=\"docs\"\n", "op"},
                                         DocumentsCase{"BytesBeyondUtf8Kept", "h\xE9me", nullptr,
                                                       "XDG_DOCUMENTS_DIR=\"$HOME/Dok\xE9mente\"\n",
                                                       "h\xE9me/Dok\xE9mente"},
                                         DocumentsCase{"ConfigHomeHonoured", "op", "config",
                                                       "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", "op/Papers"}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

// An object whose event handler fails the way no handler expects.
class Failing : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("disk on fire"); }
};

// Running out of memory in an operation ends that operation only: the user
// is told, and the program goes on.
TEST(OutOfMemory, IsReportedAndTheProgramGoesOn)
{
    SeenBox seen;
    AnswerNextBox(seen);
    bool after = false;
    RunReported([] { throw std::bad_alloc(); });
    RunReported([&] { after = true; });
    EXPECT_EQ(seen.title, "Kestrami");
    EXPECT_EQ(seen.text,
              "Run-time error: out of memory\nThe operation was not carried out; the results list is kept.");
    EXPECT_TRUE(after);
}

TEST(UnhandledFailureDeathTest, IsReportedToTheUserAndEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SeenBox seen;
            QTimer::singleShot(0, [&seen] {
                AnswerNextBox(seen);
                QTimer::singleShot(0, [&seen] {
                    std::fprintf(stderr, "[%s] %s\n", qPrintable(seen.title), qPrintable(seen.text));
                });
            });
            // The test program's application is the program's own, so the
            // event goes through the same notify() as in the program.
            Failing failing;
            QEvent event(QEvent::User);
            QTimer::singleShot(0, [&] { QCoreApplication::sendEvent(&failing, &event); });
            QApplication::exec();
        },
        testing::ExitedWithCode(1), "\\[Kestrami\\] Run-time error: disk on fire");
}

}  // namespace
}  // namespace kestrami::ui
