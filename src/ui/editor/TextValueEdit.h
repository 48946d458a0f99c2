#pragma once

#include "ui/editor/InPlaceLineEdit.h"

// The text editor: plain, host-name, e-mail and password values. It refuses
// the characters the node type does not take as they are typed; the rules a
// committed text must pass are the document's.
class CTextValueEdit : public CInPlaceLineEdit
{
    Q_OBJECT

public:
    explicit CTextValueEdit(QWidget *parent = nullptr);
    ~CTextValueEdit() override;

    void SetNodeType(int type) { m_nodeType = type; }
    int GetNodeType() const { return m_nodeType; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_nodeType = 0;
};
