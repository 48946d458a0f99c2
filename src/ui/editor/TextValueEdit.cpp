#include "ui/editor/TextValueEdit.h"

#include "settings/NodeTypes.h"

#include <QKeyEvent>

CTextValueEdit::CTextValueEdit(QWidget *parent)
    : CInPlaceLineEdit(parent)
{}

CTextValueEdit::~CTextValueEdit() = default;

void CTextValueEdit::keyPressEvent(QKeyEvent *event)
{
    // The mailbox owner's name goes into a mail header, where angle brackets
    // delimit the address.
    if (m_nodeType == NodeType::MailboxOwnerName &&
        (event->text().contains(u'<') || event->text().contains(u'>'))) {
        event->accept();
        return;
    }
    CInPlaceLineEdit::keyPressEvent(event);
}
