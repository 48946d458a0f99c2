// provana: the command-line face of the configuration tool.
#include "CliTexts.h"

#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"

#include <ProvanaVersion.h>

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace {

enum ExitCode { ExitOk = 0, ExitCheckFailed = 1, ExitUsage = 2, ExitFile = 3 };

void Print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    if (!text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

// Message boxes of the core become lines on standard error.
class CConsoleMessages final : public IMessagePort
{
public:
    Result ShowMessage(const QString &text, Buttons, Icon) override
    {
        Print(stderr, text);
        return ResultOk;
    }
};

QString Text(unsigned id, std::initializer_list<FormatArg> args = {})
{
    return FormatLabel(CApplication::Current(), id, args);
}

int ShowHelp(const QStringList &)
{
    Print(stdout, Text(CliText::Usage));
    return ExitOk;
}

int ShowVersion(const QStringList &)
{
    Print(stdout,
          QStringLiteral("provana " PROVANA_DISPLAY_VERSION " (" PROVANA_MODULE_VERSION ")"));
    return ExitOk;
}

struct Command
{
    const char *name;
    std::function<int(const QStringList &)> run;
};

const Command kCommands[] = {
    {"--help", ShowHelp},
    {"-h", ShowHelp},
    {"--version", ShowVersion},
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication qtApplication(argc, argv);
    CApplication application;
    CApplication::SetCurrent(&application);
    CConsoleMessages messages;
    application.SetMessagePort(&messages);

    const QStringList arguments = qtApplication.arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == u"--version")
        return ShowVersion(arguments);
    if (!LoadLanguageLibrary(application)) {
        Print(stderr, QStringLiteral("provana: cannot load the language library %1%2")
                          .arg(ProgramFolder(), QLatin1String(kLanguageLibraryName)));
        return ExitFile;
    }
    if (arguments.isEmpty()) {
        Print(stderr, Text(CliText::Usage));
        return ExitUsage;
    }
    for (const Command &command : kCommands) {
        if (arguments.first() == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    }
    Print(stderr, Text(CliText::UnknownCommand, {arguments.first()}));
    return ExitUsage;
}
