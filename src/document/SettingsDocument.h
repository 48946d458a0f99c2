#pragma once

#include "validate/TreeCheck.h"

#include <QString>

#include <memory>

class CSettingNode;

// Owns the one settings tree of the program.
class CSettingsDocument
{
public:
    CSettingsDocument();
    ~CSettingsDocument();
    CSettingsDocument(const CSettingsDocument &) = delete;
    CSettingsDocument &operator=(const CSettingsDocument &) = delete;

    // Replaces the tree by a fresh root with the default content, made the
    // current root.
    CSettingNode *Reset();
    CSettingNode *GetRoot() const { return m_root.get(); }

    // Reads a file into the fresh root. notConfiguration is set when the file
    // was read but is not a configuration; it stays clear when it could not
    // be read at all.
    bool Load(const QString &path, int &notConfiguration);
    bool Save(const QString &path) const;
    QString LastErrorText() const;

    enum class OpenResult { Opened, Repaired, NotReadable, NotConfiguration };
    // Opens a file as the editor does: reset, load, then the after-loading
    // check that repairs failing values. A failed open leaves a fresh tree.
    OpenResult Open(const QString &path, const RepairObserver &observer = {});

private:
    std::unique_ptr<CSettingNode> m_root;
};
