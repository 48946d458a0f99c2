#include "InternetShortcut.h"

#include "BookmarkFile.h"

#include <QStringList>

namespace {

bool IsSectionHeader(QStringView line)
{
    return line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char(']'));
}

QStringView SectionName(QStringView header)
{
    return header.mid(1, header.indexOf(QLatin1Char(']')) - 1).trimmed();
}

} // namespace

QString InternetShortcutUrl(const QByteArray &bytes)
{
    const QString text = DecodeBookmarkFile(bytes);
    bool inShortcutSection = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (IsSectionHeader(line)) {
            inShortcutSection = SectionName(line).compare(QLatin1String("InternetShortcut"),
                                                          Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inShortcutSection || equals < 0)
            continue;
        if (line.left(equals).trimmed().compare(QLatin1String("URL"), Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1).trimmed().toString();
    }
    return QString();
}
