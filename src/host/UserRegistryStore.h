#pragma once

#include "document/DocumentPorts.h"

// The current user's values in the registry.
class CUserRegistryStore final : public IKeyValueStorePort
{
public:
    std::optional<QString> ReadString(const QString &key, const QString &name) override;
    bool DeleteValue(const QString &key, const QString &name) override;
    bool WriteString(const QString &key, const QString &name, const QString &value) override;
};
