#include "platform/registry/Registry.h"

#include <QDir>
#include <QSettings>

#include <algorithm>

namespace {

const QString kKeyMarker = QStringLiteral(".");
const QString kDefaultValue = QStringLiteral(".default");

struct CHiveName
{
    const char *name;
    const char *abbreviation;
};

constexpr CHiveName kHives[] = {
    {"HKEY_CLASSES_ROOT", "HKCR"},
    {"HKEY_CURRENT_USER", "HKCU"},
    {"HKEY_LOCAL_MACHINE", "HKLM"},
};

// A key path split into its hive file and the names below the hive.
struct CKeyPath
{
    QString file;
    QStringList names;
};

std::optional<CKeyPath> SplitKey(const QString &root, const QString &key)
{
    QStringList parts = key.split(u'\\', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::nullopt;
    const QString hive = parts.takeFirst();
    for (const CHiveName &known : kHives) {
        if (hive.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0 ||
            hive.compare(QLatin1String(known.abbreviation), Qt::CaseInsensitive) == 0)
            return CKeyPath{root + u'/' + QLatin1String(known.name) + QStringLiteral(".ini"),
                            parts};
    }
    return std::nullopt;
}

bool NeedsEscape(QChar c, qsizetype at)
{
    return c == u'%' || c == u'/' || c == u'\\' || (at == 0 && c == u'.');
}

QString EncodeName(const QString &name)
{
    QString encoded;
    encoded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (NeedsEscape(c, i))
            encoded += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            encoded += c;
    }
    return encoded;
}

QString DecodeName(const QString &encoded)
{
    auto hex = [](QChar c) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return u - u'0';
        if (u >= u'A' && u <= u'F')
            return u - u'A' + 10;
        if (u >= u'a' && u <= u'f')
            return u - u'a' + 10;
        return -1;
    };
    QString name;
    name.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded.at(i) == u'%' && i + 2 < encoded.size()) {
            const int high = hex(encoded.at(i + 1));
            const int low = hex(encoded.at(i + 2));
            if (high >= 0 && low >= 0) {
                name += QChar(static_cast<char16_t>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        name += encoded.at(i);
    }
    return name;
}

QString Join(const QString &group, const QString &name)
{
    return group.isEmpty() ? name : group + u'/' + name;
}

QStringList ChildGroups(QSettings &settings, const QString &group)
{
    if (group.isEmpty())
        return settings.childGroups();
    settings.beginGroup(group);
    const QStringList children = settings.childGroups();
    settings.endGroup();
    return children;
}

QStringList ChildKeys(QSettings &settings, const QString &group)
{
    if (group.isEmpty())
        return settings.childKeys();
    settings.beginGroup(group);
    const QStringList children = settings.childKeys();
    settings.endGroup();
    return children;
}

// The stored entry among candidates whose decoded name equals name, ignoring
// case.
std::optional<QString> FindStored(const QStringList &candidates, const QString &name)
{
    for (const QString &stored : candidates) {
        if (DecodeName(stored).compare(name, Qt::CaseInsensitive) == 0)
            return stored;
    }
    return std::nullopt;
}

// The group of a key, spelled as stored where the key (or a parent) exists
// and as given from the first missing name on.
struct CGroup
{
    QString path;
    bool exists = true;
};

CGroup ResolveGroup(QSettings &settings, const QStringList &names)
{
    CGroup group;
    for (const QString &name : names) {
        QString part = EncodeName(name);
        if (group.exists) {
            if (const auto stored = FindStored(ChildGroups(settings, group.path), name))
                part = *stored;
            else
                group.exists = false;
        }
        group.path = Join(group.path, part);
    }
    return group;
}

// The entry of a value; an empty name is the default value.
std::optional<QString> FindValueEntry(QSettings &settings, const QString &group,
                                      const QString &name)
{
    if (name.isEmpty()) {
        const QString entry = Join(group, kDefaultValue);
        return settings.contains(entry) ? std::optional<QString>(entry) : std::nullopt;
    }
    QStringList keys = ChildKeys(settings, group);
    keys.removeAll(kKeyMarker);
    keys.removeAll(kDefaultValue);
    if (const auto stored = FindStored(keys, name))
        return Join(group, *stored);
    return std::nullopt;
}

// Marks the group and each of its parents as existing keys.
void MarkKeys(QSettings &settings, const QString &group)
{
    QString path;
    for (const QString &part : group.split(u'/', Qt::SkipEmptyParts)) {
        path = Join(path, part);
        const QString marker = Join(path, kKeyMarker);
        if (!settings.contains(marker))
            settings.setValue(marker, QString());
    }
}

bool Commit(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// Takes in changes other processes made to the file since it was last read.
void Refresh(QSettings &settings)
{
    settings.sync();
}

void SortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
}

// Runs work(settings, group) on an existing key, read fresh from its hive
// file; answers fallback when the key is malformed or does not exist.
template<typename Result, typename Work>
Result OnExistingKey(const QString &root, const QString &key, Result fallback, Work work)
{
    const auto path = SplitKey(root, key);
    if (!path)
        return fallback;
    QSettings settings(path->file, QSettings::IniFormat);
    Refresh(settings);
    const CGroup group = ResolveGroup(settings, path->names);
    return group.exists ? work(settings, group) : fallback;
}

} // namespace

CRegistry::CRegistry()
    : m_root(DefaultRoot())
{}

CRegistry::CRegistry(QString rootFolder)
    : m_root(std::move(rootFolder))
{}

QString CRegistry::DefaultRoot()
{
    const QString configured = qEnvironmentVariable("TALVIK_REGISTRY");
    if (!configured.isEmpty())
        return configured;
    return QDir::homePath() + QStringLiteral("/.config/Talvik/registry");
}

QString CRegistry::HiveFile(const QString &key) const
{
    const auto path = SplitKey(m_root, key);
    return path ? path->file : QString();
}

bool CRegistry::KeyExists(const QString &key) const
{
    return OnExistingKey(m_root, key, false, [](QSettings &, const CGroup &) { return true; });
}

bool CRegistry::CreateKey(const QString &key)
{
    const auto path = SplitKey(m_root, key);
    if (!path || !QDir().mkpath(m_root))
        return false;
    QSettings settings(path->file, QSettings::IniFormat);
    Refresh(settings);
    MarkKeys(settings, ResolveGroup(settings, path->names).path);
    return Commit(settings);
}

std::optional<QString> CRegistry::GetValue(const QString &key, const QString &name) const
{
    return OnExistingKey(
        m_root, key, std::optional<QString>(), [&name](QSettings &settings, const CGroup &group) {
            const auto entry = FindValueEntry(settings, group.path, name);
            return entry ? std::optional<QString>(settings.value(*entry).toString()) : std::nullopt;
        });
}

bool CRegistry::SetValue(const QString &key, const QString &name, const QString &value)
{
    const auto path = SplitKey(m_root, key);
    if (!path || !QDir().mkpath(m_root))
        return false;
    QSettings settings(path->file, QSettings::IniFormat);
    Refresh(settings);
    const CGroup group = ResolveGroup(settings, path->names);
    MarkKeys(settings, group.path);
    std::optional<QString> entry;
    if (group.exists)
        entry = FindValueEntry(settings, group.path, name);
    if (!entry)
        entry = Join(group.path, name.isEmpty() ? kDefaultValue : EncodeName(name));
    settings.setValue(*entry, value);
    return Commit(settings);
}

bool CRegistry::DeleteValue(const QString &key, const QString &name)
{
    return OnExistingKey(m_root, key, false, [&name](QSettings &settings, const CGroup &group) {
        const auto entry = FindValueEntry(settings, group.path, name);
        if (!entry)
            return false;
        settings.remove(*entry);
        return Commit(settings);
    });
}

bool CRegistry::DeleteKey(const QString &key)
{
    const auto path = SplitKey(m_root, key);
    if (!path || path->names.isEmpty())
        return false;
    return OnExistingKey(m_root, key, false, [](QSettings &settings, const CGroup &group) {
        settings.remove(group.path);
        return Commit(settings);
    });
}

QStringList CRegistry::SubKeys(const QString &key) const
{
    return OnExistingKey(m_root, key, QStringList(), [](QSettings &settings, const CGroup &group) {
        QStringList names;
        for (const QString &stored : ChildGroups(settings, group.path))
            names.append(DecodeName(stored));
        SortNames(names);
        return names;
    });
}

QStringList CRegistry::ValueNames(const QString &key) const
{
    return OnExistingKey(m_root, key, QStringList(), [](QSettings &settings, const CGroup &group) {
        QStringList names;
        bool hasDefault = false;
        for (const QString &stored : ChildKeys(settings, group.path)) {
            if (stored == kDefaultValue)
                hasDefault = true;
            else if (stored != kKeyMarker)
                names.append(DecodeName(stored));
        }
        SortNames(names);
        if (hasDefault)
            names.prepend(QString());
        return names;
    });
}
