#pragma once

#include "settings/MessagePort.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// Messages of the plug-in in modal message boxes over the view (or, before
// there is one, over the active window).
class CMessageBoxPort final : public IMessagePort
{
public:
    void SetTitle(const QString &title) { m_title = title; }
    void SetParent(QWidget *parent) { m_parent = parent; }

    Result ShowMessage(const QString &text, Buttons buttons, Icon icon) override;

private:
    QString m_title;
    QPointer<QWidget> m_parent;
};
