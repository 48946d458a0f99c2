#include "ui/editor/CharacterSetEdit.h"

#include "document/ValueEditing.h"
#include "settings/NodeTypes.h"
#include "validate/FieldLimits.h"

CCharacterSetEdit::CCharacterSetEdit(QWidget *parent)
    : CInPlaceLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &CCharacterSetEdit::RemoveRefusedCharacters);
}

CCharacterSetEdit::~CCharacterSetEdit() = default;

void CCharacterSetEdit::SetNodeType(int type)
{
    m_nodeType = type;
    m_allowed = AllowedCharacters(type).toString();
    RemoveRefusedCharacters();
}

bool CCharacterSetEdit::IsAllowedAt(QChar c, qsizetype position) const
{
    return IsTypedCharacterAllowed(EditorKind::PhoneNumber, m_nodeType, c, position);
}

void CCharacterSetEdit::RemoveRefusedCharacters()
{
    const QString current = text();
    const int cursor = cursorPosition();
    QString kept;
    kept.reserve(current.size());
    int removedBeforeCursor = 0;
    qsizetype firstRefused = -1;
    for (qsizetype i = 0; i < current.size(); ++i) {
        if (IsAllowedAt(current.at(i), i))
            kept += current.at(i);
        else if (firstRefused < 0)
            firstRefused = i;
        if (!IsAllowedAt(current.at(i), i) && i < cursor)
            ++removedBeforeCursor;
    }
    if (firstRefused < 0)
        return;
    setText(kept);
    setCursorPosition(cursor - removedBeforeCursor);
    emit characterRefused(current.at(firstRefused), firstRefused);
}
