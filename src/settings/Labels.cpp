#include "settings/Labels.h"

#include "settings/Application.h"
#include "settings/StringSource.h"
#include "settings/TagTable.h"

#include <algorithm>

std::optional<QString> FindLabel(const CApplication *application, unsigned id)
{
    if (!application || !application->GetLanguageLibrary())
        return QString();
    char16_t buffer[kLabelBufferSize] = {};
    const int length = application->GetLanguageLibrary()->LoadString(id, buffer, kLabelBufferSize);
    if (length <= 0)
        return std::nullopt;
    return QString::fromUtf16(buffer, std::min(length, kLabelBufferSize - 1));
}

QString LoadLabel(const CApplication *application, unsigned id, bool localized)
{
    if (!localized)
        return InvariantText(id);
    return FindLabel(application, id).value_or(QStringLiteral("<error>"));
}

QString LabelForTag(const CApplication *application, const QString &name)
{
    const unsigned id = TagIdForName(name);
    return id ? LoadLabel(application, id, true) : QString();
}

QString FormatText(const QString &format, std::initializer_list<FormatArg> args)
{
    QString result;
    result.reserve(format.size() + 16);
    auto next = args.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const QChar conversion = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (c == u'%' && conversion == u'%') {
            result += u'%';
            ++i;
        } else if (c == u'%' && (conversion == u's' || conversion == u'd') && next != args.end()) {
            result += (next++)->Text();
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}

QString FormatLabel(const CApplication *application, unsigned id,
                    std::initializer_list<FormatArg> args)
{
    return FormatText(LoadLabel(application, id, true), args);
}
