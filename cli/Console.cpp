#include "Console.h"

#include "settings/Application.h"
#include "settings/NodeCatalogue.h"

#include <cstdio>

namespace Cli {
namespace {

CApplication *g_application = nullptr;

void Write(std::FILE *stream, QStringView text, bool lineFeed)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    if (lineFeed && !text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

} // namespace

void SetApplication(CApplication *application)
{
    g_application = application;
}

CApplication *Application()
{
    return g_application;
}

void PrintOut(const QString &line)
{
    Write(stdout, line, true);
}

void PrintError(const QString &line)
{
    Write(stderr, line, true);
}

void PrintRaw(QStringView text)
{
    Write(stdout, text, false);
}

QString Text(unsigned id, std::initializer_list<FormatArg> args)
{
    return FormatLabel(g_application, id, args);
}

QString NodeTypeLabel(int type)
{
    return LoadLabel(g_application, NodeTypeInfoOf(type).labelId, false);
}

} // namespace Cli
