#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CApplication;
class CReferenceNames;
struct CNameList;

// One node of the settings tree. A node owns its children; RemoveChild and
// RemoveFromTree unlink a child and hand its ownership to the caller.
class CSettingNode
{
public:
    CSettingNode();
    CSettingNode(const QString &value, int editorKind, int type, CSettingNode *parent);
    CSettingNode(const CSettingNode &other);
    CSettingNode &operator=(const CSettingNode &other);
    virtual ~CSettingNode();

    // Program-wide values of the settings tree.
    static void SetCurrentRoot(CSettingNode *root);
    static CSettingNode *GetCurrentRoot();
    static void SetModified(int modified);
    static int IsModified();
    static void SetLastError(const QString &text);
    static QString GetLastError();

    CApplication *GetApplication() const { return m_application; }
    int GetType() const { return m_type; }
    void SetType(int type);
    CSettingNode *GetParent() const { return m_parent; }
    void SetParent(CSettingNode *parent) { m_parent = parent; }
    int GetEditorKind() const { return m_editorKind; }
    void SetEditorKind(int kind) { m_editorKind = static_cast<qint8>(kind); }
    const QString &GetValue() const { return m_value; }
    int IsIncluded() const { return m_include; }
    // Sets the include flag as it stands, without the include rule.
    void SetIncludeFlag(int include) { m_include = include ? 1 : 0; }
    int GetUpdateFlag() const { return m_update; }
    void SetUpdateFlag(int update) { m_update = update ? 1 : 0; }
    int GetState() const { return m_state; }
    void SetState(int state) { m_state = static_cast<qint8>(state); }
    const QString &GetLabelOverride() const;
    void SetLabelOverride(const QString &label);
    const QString &GetAttributeText() const;
    void SetAttributeText(const QString &text);
    int GetRawMarkup() const { return m_rawMarkup; }
    void SetRawMarkup(int raw) { m_rawMarkup = raw ? 1 : 0; }

    const std::vector<CSettingNode *> &Children() const { return m_children; }
    int ChildCount() const { return static_cast<int>(m_children.size()); }

    // Tree operations.
    CSettingNode *AddChild(const QString &value, int editorKind, int type);
    CSettingNode *AddChildWithLabel(unsigned labelId, int editorKind, int type);
    int InsertChild(CSettingNode *child);
    CSettingNode *FindChild(int type) const;
    CSettingNode *FindChildByLabel(QStringView text) const;
    int HasAncestorOfType(int type) const;
    int GetVisibleChildren(std::vector<CSettingNode *> &list, bool withHidden,
                           bool withBookmarkEntries) const;
    int RemoveChild(CSettingNode *child);
    void DeleteChildren();
    int RemoveFromTree();
    int IsEqual(const CSettingNode &other) const;
    int SetInclude(int include, int markModified);
    int SetValue(const QString &text);
    void RefreshReferences();
    void CreateDefaultContent();

    // Per-type rules of the node type catalogue.
    QString GetLabel(bool localized) const;
    // The element name: GetLabel(false) without a copy.
    const QString &GetElementName() const;
    QString GetDisplayValue(bool localized);
    void GetChoices(QStringList &list, bool display) const;
    int IsDisabled();
    int IsMandatory() const;
    int IsMandatoryInIncludedParent() const;

    // The item whose name field this is, and the sibling items that share
    // the name space of its category.
    int IsDuplicateName(const QString &text) const;

private:
    void RefreshReferences(CReferenceNames &names);
    unsigned ReferencingCategoryLabel() const;
    // Re-points a dangling reference; false when there is nothing to name.
    bool RepointReference(const CNameList &names);
    QString FixedChoiceDisplay() const;
    void FixedChoiceIds(std::vector<unsigned> &ids) const;
    void StoreInclude(int include, int markModified);
    void CopyFrom(const CSettingNode &other);
    void AdjustTemplateCount(int type, int delta);
    int FindInsertPosition(int itemType) const;
    int SetName(const QString &text);
    void BecomeItemAndAddTemplate();
    bool DisabledByOwnRule();
    bool HasChoices() const;
    bool HasTemplateAncestor() const;

    // Text that only elements unknown to the catalogue or with unknown
    // attributes carry, kept aside so that ordinary nodes stay small.
    struct Markup
    {
        QString labelOverride;
        QString attributeText;
    };
    Markup &OwnMarkup();

    CApplication *m_application;
    QString m_value;
    std::vector<CSettingNode *> m_children;
    CSettingNode *m_parent = nullptr;
    std::unique_ptr<Markup> m_markup;
    // Children of a template type, so that ordered insertion finds the
    // template from the end in the usual case of exactly one.
    int m_templateChildren = 0;
    qint16 m_type = 1;
    qint8 m_editorKind = 0;
    qint8 m_include = 0;
    qint8 m_update = 0;
    qint8 m_state = 1;
    qint8 m_rawMarkup = 0;
};

// The category of the current root with this type, or null.
CSettingNode *FindCategory(int categoryType);
