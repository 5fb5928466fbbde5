// Runs the window tests inside one QApplication. Test discovery starts the
// binary without the test's environment, so headless is the default here.
#include <gtest/gtest.h>

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <QDir>
#include <QFont>
#include <QSettings>
#include <QString>

#include <windows.h>
#endif

#include <cstdlib>
#include <string>

#include "services.h"
#include "window_test_support.h"

namespace {

#ifdef Q_OS_WIN
// On Windows the offscreen platform reads its fonts from the files of one
// folder: the system's font folder, as the desktop's own. In a Wine prefix
// whose registry replaces Windows' faces by metric-compatible ones ("Courier
// New" by Liberation Mono, say), the same replacements stand in for them
// here, so that text measures as it does on Windows.
void UseTheSystemsFonts()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        qputenv("QT_QPA_FONTDIR",
                QDir::fromNativeSeparators(qEnvironmentVariable("WINDIR") + "/Fonts").toLocal8Bit());
    }
    QSettings replacements(QStringLiteral("HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements"),
                           QSettings::NativeFormat);
    for (const QString& face : replacements.childKeys()) {
        QFont::insertSubstitution(face, replacements.value(face).toString());
    }
}
#endif

}  // namespace

std::string kestrami::ui::MissingFolderReason()
{
#ifdef Q_OS_WIN
    wchar_t text[512];
    DWORD size = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                ERROR_PATH_NOT_FOUND, 0, text, 512, nullptr);
    while (size > 0 && (text[size - 1] == L'\r' || text[size - 1] == L'\n' || text[size - 1] == L' ' ||
                        text[size - 1] == L'.')) {
        --size;
    }
    return QString::fromWCharArray(text, static_cast<qsizetype>(size)).toStdString();
#else
    return "No such file or directory";
#endif
}

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
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#ifdef Q_OS_WIN
    UseTheSystemsFonts();
#endif
    // The program's own application class, which reports unhandled failures.
    kestrami::ui::Application application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
