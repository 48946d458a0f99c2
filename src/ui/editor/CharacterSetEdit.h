#pragma once

#include "ui/editor/InPlaceLineEdit.h"

#include <QString>

// The character-set editor of phone-number-like values: whatever reaches its
// text keeps only the characters the node type allows.
class CCharacterSetEdit : public CInPlaceLineEdit
{
    Q_OBJECT

public:
    explicit CCharacterSetEdit(QWidget *parent = nullptr);
    ~CCharacterSetEdit() override;

    // Selects the allowed characters; the text already there is filtered.
    void SetNodeType(int type);
    int GetNodeType() const { return m_nodeType; }
    const QString &GetAllowedCharacters() const { return m_allowed; }

private:
    bool IsAllowedAt(QChar c, qsizetype position) const;
    void RemoveRefusedCharacters();

    int m_nodeType = 0;
    QString m_allowed;
};
