#include "orvenet/host/HostCommandLine.h"

#include <cstring>
#include <string_view>

namespace {

// QGuiApplication's and QApplication's options; the first group takes a value.
constexpr std::string_view kValueOptions[] = {"-platform",        "-platformpluginpath",
                                              "-platformtheme",   "-plugin",
                                              "-qwindowgeometry", "-qwindowicon",
                                              "-qwindowtitle",    "-session",
                                              "-display",         "-name",
                                              "-title",           "-visual",
                                              "-geometry",        "-style",
                                              "-stylesheet",      "-qmljsdebugger"};
constexpr std::string_view kFlagOptions[] = {"-reverse", "-widgetcount", "-nograb",
                                             "-dograb",  "-sync",        "-testability"};

// Qt accepts "-option=value" and "--option" too.
std::string_view OptionName(std::string_view argument)
{
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    return argument.substr(0, argument.find('='));
}

template<std::size_t N>
bool IsOneOf(std::string_view name, const std::string_view (&names)[N])
{
    for (std::string_view known : names) {
        if (name == known)
            return true;
    }
    return false;
}

} // namespace

CHostCommandLine ParseHostCommandLine(int argc, const char *const *argv)
{
    CHostCommandLine line;
    const bool registering = argc == 3 && std::strcmp(argv[1], "--register") == 0;
    if (registering || (argc == 3 && std::strcmp(argv[1], "--unregister") == 0)) {
        line.kind = registering ? CHostCommandLine::Register : CHostCommandLine::Unregister;
        line.argument = QString::fromLocal8Bit(argv[2]);
        return line;
    }
    int files = 0;
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument.size() > 1 && argument.front() == '-') {
            const std::string_view name = OptionName(argument);
            if (IsOneOf(name, kFlagOptions))
                continue;
            if (IsOneOf(name, kValueOptions)) {
                // "-style Fusion" takes the next argument, "-style=Fusion" not.
                if (argument.find('=') == std::string_view::npos && ++index >= argc)
                    return {CHostCommandLine::Usage, {}};
                continue;
            }
            return {CHostCommandLine::Usage, {}};
        }
        if (++files > 1)
            return {CHostCommandLine::Usage, {}};
        line.argument = QString::fromLocal8Bit(argv[index]);
    }
    return line;
}
