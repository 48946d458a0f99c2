#include "host/MessageBoxPort.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

IMessagePort::Result CMessageBoxPort::ShowMessage(const QString &text, Buttons buttons, Icon icon)
{
    // Without a user interface (the module loaded only to register it) the
    // text still reaches someone.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return buttons == Ok || buttons == OkCancel ? ResultOk : ResultYes;
    }
    QMessageBox box(m_parent ? m_parent.data() : QApplication::activeWindow());
    box.setWindowTitle(m_title);
    box.setText(text);
    constexpr QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                           QMessageBox::Critical, QMessageBox::Question};
    box.setIcon(icons[icon]);
    switch (buttons) {
    case Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
    case QMessageBox::Save:
        return ResultYes;
    case QMessageBox::No:
    case QMessageBox::Discard:
        return ResultNo;
    case QMessageBox::Ok:
        return ResultOk;
    default:
        return ResultCancel;
    }
}
