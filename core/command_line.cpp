#include "command_line.h"

#include <algorithm>
#include <iterator>

namespace kestrami {

namespace {

// Qt's standard options as Qt documents them for QGuiApplication and
// QApplication, in their one-dash form.
struct ToolkitOption {
    std::string_view name;
    enum class Value { None, Next, NextOrJoined } value;
    bool x11_only;  // taken by Qt's X11 platform alone
};

using Value = ToolkitOption::Value;

constexpr ToolkitOption kToolkitOptions[] = {
    {"-style", Value::NextOrJoined, false},
    {"-stylesheet", Value::NextOrJoined, false},
    {"-widgetcount", Value::None, false},
    {"-reverse", Value::None, false},
    {"-qmljsdebugger", Value::NextOrJoined, false},
    {"-platform", Value::Next, false},
    {"-platformpluginpath", Value::Next, false},
    {"-platformtheme", Value::Next, false},
    {"-plugin", Value::Next, false},
    {"-qwindowgeometry", Value::Next, false},
    {"-qwindowicon", Value::Next, false},
    {"-qwindowtitle", Value::Next, false},
    {"-session", Value::Next, false},
    {"-display", Value::Next, true},
    {"-geometry", Value::Next, true},
};

#ifdef _WIN32
constexpr bool kX11 = false;
#else
constexpr bool kX11 = true;
#endif

const ToolkitOption* FindToolkitOption(std::string_view name)
{
    const auto found =
        std::find_if(std::begin(kToolkitOptions), std::end(kToolkitOptions),
                     [&](const ToolkitOption& o) { return o.name == name && (kX11 || !o.x11_only); });
    return found != std::end(kToolkitOptions) ? found : nullptr;
}

std::string Quoted(std::string_view text)
{
    // Appended piece by piece: GCC 12 at -O3 takes "'" + std::string for an
    // overlapping copy (a false -Wrestrict alarm).
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted += text;
    quoted += '\'';
    return quoted;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string_view>& arguments)
{
    bool help = false;
    bool version = false;
    const auto refuse = [](std::string reason) {
        return CommandLine{CommandLine::Action::Refuse, std::move(reason)};
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view typed = arguments[i];
        // "-" and "--" are no options; the program takes no other argument.
        if (typed.size() < 2 || typed[0] != '-' || typed == "--") {
            return refuse("unexpected argument " + Quoted(typed));
        }
        const std::string_view option = typed.substr(typed.starts_with("--") ? 1 : 0);
        const std::size_t equals = option.find('=');
        const std::string_view name = option.substr(0, equals);
        const bool joined = equals != std::string_view::npos;
        const std::string_view typed_name = typed.substr(0, typed.size() - (option.size() - name.size()));

        const bool is_help = name == "-h" || name == "-help";
        const bool is_version = name == "-v" || name == "-version";
        const ToolkitOption* toolkit = FindToolkitOption(name);
        if (!is_help && !is_version && toolkit == nullptr) {
            return refuse("unknown option " + Quoted(typed));
        }
        const Value value = toolkit != nullptr ? toolkit->value : Value::None;
        if (joined && value != Value::NextOrJoined) {
            return value == Value::None ? refuse("unexpected value after " + Quoted(typed_name))
                                        : refuse("unknown option " + Quoted(typed));
        }
        if (!joined && value != Value::None && ++i == arguments.size()) {
            return refuse("missing value after " + Quoted(typed));
        }
        help = help || is_help;
        version = version || is_version;
    }
    return {help      ? CommandLine::Action::Help
            : version ? CommandLine::Action::Version
                      : CommandLine::Action::Start,
            {}};
}

}  // namespace kestrami
