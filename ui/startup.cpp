#include "startup.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "command_line.h"
#include "command_line_texts.h"

namespace kestrami::ui {
namespace {

void Print(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

// Qt's messages while the application object opens the display, held back
// so that a failure shows the program's own line alone; once the display is
// open they are passed on unchanged. The context's texts are copied, as the
// context itself lives only for the call.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

std::mutex held_mutex;
std::vector<HeldMessage> held_messages;

void HoldWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // The one fatal failure of creating the application object is Qt
        // finding no platform to show windows on: no display at all, or one
        // it cannot reach. Qt would abort; end with the program's own line.
        Print(stderr, kNoDisplayError);
        std::_Exit(EXIT_FAILURE);
    }
    const std::lock_guard lock(held_mutex);
    held_messages.push_back({type, context.file, context.function, context.category, context.line, text});
}

// Ends the program with the no-display line when the application object is
// not made within kDisplayWait: a display server that takes the connection
// but never answers would otherwise keep it waiting for ever.
class DisplayWatch {
public:
    DisplayWatch()
        : watch_([this] {
              std::unique_lock lock(mutex_);
              if (!made_changed_.wait_for(lock, kDisplayWait, [this] { return made_; })) {
                  Print(stderr, kNoDisplayError);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    DisplayWatch(const DisplayWatch&) = delete;
    DisplayWatch& operator=(const DisplayWatch&) = delete;
    ~DisplayWatch()
    {
        {
            const std::lock_guard lock(mutex_);
            made_ = true;
        }
        made_changed_.notify_one();
        watch_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable made_changed_;
    bool made_ = false;
    std::thread watch_;
};

const char* OrNull(const QByteArray& text)
{
    return text.isNull() ? nullptr : text.constData();
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char** argv)
{
    const CommandLine read = ReadCommandLine({argv + std::min(argc, 1), argv + argc});
    switch (read.action) {
        case CommandLine::Action::Help:
            Print(stdout, kUsageText);
            return EXIT_SUCCESS;
        case CommandLine::Action::Version:
            Print(stdout, VersionLine(KESTRAMI_VERSION));
            return EXIT_SUCCESS;
        case CommandLine::Action::Refuse:
            Print(stderr, UsageError(read.refusal));
            return 2;
        case CommandLine::Action::Start:
            break;
    }
    return std::nullopt;
}

std::unique_ptr<Application> OpenApplication(int& argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("kestrami"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRAMI_VERSION));
    // Wayland compositors find the window's icon through its desktop entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));

    const QtMessageHandler previous = qInstallMessageHandler(HoldWhileOpening);
    std::unique_ptr<Application> application;
    {
        const DisplayWatch watch;
        application = std::make_unique<Application>(argc, argv);
    }
    qInstallMessageHandler(previous);

    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(held_mutex);
        held.swap(held_messages);
    }
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(OrNull(message.file), message.line, OrNull(message.function),
                                         OrNull(message.category));
        previous(message.type, context, message.text);
    }
    return application;
}

}  // namespace kestrami::ui
