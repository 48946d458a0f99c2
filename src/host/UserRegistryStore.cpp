#include "host/UserRegistryStore.h"

#include "platform/registry/Registry.h"

namespace {
QString UserKey(const QString &key)
{
    return QStringLiteral("HKEY_CURRENT_USER\\") + key;
}
} // namespace

std::optional<QString> CUserRegistryStore::ReadString(const QString &key, const QString &name)
{
    return CRegistry().GetValue(UserKey(key), name);
}

bool CUserRegistryStore::DeleteValue(const QString &key, const QString &name)
{
    return CRegistry().DeleteValue(UserKey(key), name);
}

bool CUserRegistryStore::WriteString(const QString &key, const QString &name, const QString &value)
{
    return CRegistry().SetValue(UserKey(key), name, value);
}
