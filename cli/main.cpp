// provana: the command-line face of the configuration tool.
#include "Commands.h"
#include "Console.h"
#include "PrintCommand.h"

#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "settings/Application.h"
#include "settings/MessagePort.h"

#include <ProvanaVersion.h>

#include <QCoreApplication>

namespace {

// Message boxes of the core become lines on standard error.
class CConsoleMessages final : public IMessagePort
{
public:
    Result ShowMessage(const QString &text, Buttons, Icon) override
    {
        Cli::PrintError(text);
        return ResultOk;
    }
};

// Standard error carries the tool's own messages only: Qt's warnings (such
// as a missing runtime folder) would read as the tool's.
void DropQtMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Cli::PrintError(message);
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(DropQtMessage);
    const std::unique_ptr<QCoreApplication> qtApplication = Cli::CreateQtApplication(argc, argv);
    CApplication application;
    Cli::SetApplication(&application);
    CConsoleMessages messages;
    application.SetMessagePort(&messages);

    const QStringList arguments = qtApplication->arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == u"--version") {
        Cli::PrintOut(
            QStringLiteral("provana " PROVANA_DISPLAY_VERSION " (" PROVANA_MODULE_VERSION ")"));
        return Cli::ExitOk;
    }
    if (!LoadLanguageLibrary(application)) {
        Cli::PrintError(QStringLiteral("provana: cannot load the language library %1")
                            .arg(ChooseLanguageLibrary().path));
        return Cli::ExitFile;
    }
    return Cli::Run(arguments);
}
