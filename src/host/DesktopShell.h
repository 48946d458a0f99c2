#pragma once

#include "document/DocumentPorts.h"

#include <QPointer>
#include <QWidget>

// Opens files the way the desktop does; where no desktop answers, with the
// user's editor ($VISUAL, then $EDITOR) or xdg-open. Text files can also be
// shown in a viewer window of the program's own, over the owner's window.
class CDesktopShell final : public IShellPort
{
public:
    void SetOwner(QWidget *owner) { m_owner = owner; }

    bool OpenWithDefaultProgram(const QString &path) override;
    bool ShowTextFile(const QString &path) override;

private:
    QPointer<QWidget> m_owner;
};
