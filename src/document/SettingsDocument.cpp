#include "document/SettingsDocument.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

CSettingsDocument::CSettingsDocument() = default;

CSettingsDocument::~CSettingsDocument()
{
    if (CSettingNode::GetCurrentRoot() == m_root.get())
        CSettingNode::SetCurrentRoot(nullptr);
}

CSettingNode *CSettingsDocument::Reset()
{
    CSettingNode::SetCurrentRoot(nullptr);
    m_root.reset();
    m_root = std::make_unique<CSettingNode>();
    m_root->SetType(NodeType::Root);
    CSettingNode::SetCurrentRoot(m_root.get());
    m_root->CreateDefaultContent();
    return m_root.get();
}

bool CSettingsDocument::Load(const QString &path, int &notConfiguration)
{
    return LoadConfigurationFile(m_root.get(), path, notConfiguration) != 0;
}

bool CSettingsDocument::Save(const QString &path) const
{
    return SaveConfigurationFile(m_root.get(), path) != 0;
}

QString CSettingsDocument::LastErrorText() const
{
    return CSettingNode::GetLastError();
}

CSettingsDocument::OpenResult CSettingsDocument::Open(const QString &path,
                                                      const RepairObserver &observer)
{
    Reset();
    int notConfiguration = 0;
    if (!Load(path, notConfiguration)) {
        Reset();
        return notConfiguration ? OpenResult::NotConfiguration : OpenResult::NotReadable;
    }
    const bool passed = CheckTree(m_root.get(), nullptr, false, true, observer) != 0;
    return passed ? OpenResult::Opened : OpenResult::Repaired;
}
