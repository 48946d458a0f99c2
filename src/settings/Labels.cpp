#include "settings/Labels.h"

#include "settings/Application.h"
#include "settings/StringIds.h"
#include "settings/StringSource.h"
#include "settings/TagTable.h"

#include <QList>

#include <algorithm>
#include <vector>

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

namespace {

QString FormatWith(const QString &format, const FormatArg *next, const FormatArg *end)
{
    QString result;
    result.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const QChar conversion = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (c == u'%' && conversion == u'%') {
            result += u'%';
            ++i;
        } else if (c == u'%' && (conversion == u's' || conversion == u'd') && next != end) {
            result += (next++)->Text();
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

QString FormatText(const QString &format, std::initializer_list<FormatArg> args)
{
    return FormatWith(format, args.begin(), args.end());
}

QString FormatLabel(const CApplication *application, unsigned id,
                    std::initializer_list<FormatArg> args)
{
    return FormatText(LoadLabel(application, id, true), args);
}

namespace {

bool TakesFirstPluralForm(const CApplication *application, long long count)
{
    const QString numbers = FindLabel(application, StringId::PluralOne).value_or(QString());
    const QString number = QString::number(count);
    for (QStringView listed : QStringView(numbers).split(u' ', Qt::SkipEmptyParts)) {
        if (listed == number)
            return true;
    }
    return false;
}

} // namespace

QString FormatCount(const CApplication *application, unsigned id, long long count,
                    std::initializer_list<FormatArg> args)
{
    const QString text = LoadLabel(application, id, true);
    const QList<QStringView> forms = QStringView(text).split(u'|');
    const QStringView form =
        forms.size() > 1 && TakesFirstPluralForm(application, count) ? forms.first() : forms.last();
    std::vector<FormatArg> all{FormatArg(count)};
    all.insert(all.end(), args.begin(), args.end());
    return FormatWith(form.toString(), all.data(), all.data() + all.size());
}
