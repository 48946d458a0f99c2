#pragma once

#include "document/DocumentPorts.h"

#include <QMap>
#include <QString>

// The per-user registry values in memory: key path -> value name -> text.
class CMemoryKeyValueStore final : public IKeyValueStorePort
{
public:
    QMap<QString, QMap<QString, QString>> keys;

    std::optional<QString> ReadString(const QString &key, const QString &name) override
    {
        const auto found = keys.constFind(key);
        if (found == keys.constEnd() || !found->contains(name))
            return std::nullopt;
        return found->value(name);
    }
    bool DeleteValue(const QString &key, const QString &name) override
    {
        const auto found = keys.find(key);
        return found != keys.end() && found->remove(name) > 0;
    }
    bool WriteString(const QString &key, const QString &name, const QString &value) override
    {
        keys[key][name] = value;
        return true;
    }
};
