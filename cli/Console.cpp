#include "Console.h"

#include "settings/Application.h"
#include "settings/NodeCatalogue.h"

#include <cstdio>

namespace Cli {
namespace {

void Write(std::FILE *stream, const QString &text, bool lineFeed)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    if (lineFeed && !text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

} // namespace

void PrintOut(const QString &line)
{
    Write(stdout, line, true);
}

void PrintError(const QString &line)
{
    Write(stderr, line, true);
}

void PrintRaw(const QString &text)
{
    Write(stdout, text, false);
}

QString Text(unsigned id, std::initializer_list<FormatArg> args)
{
    return FormatLabel(CApplication::Current(), id, args);
}

QString NodeTypeLabel(int type)
{
    return LoadLabel(CApplication::Current(), NodeTypeInfoOf(type).labelId, false);
}

} // namespace Cli
