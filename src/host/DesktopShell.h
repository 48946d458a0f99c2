#pragma once

#include "document/DocumentPorts.h"

// Opens files the way the desktop does; where no desktop answers, with the
// user's editor ($VISUAL, then $EDITOR) or xdg-open.
class CDesktopShell final : public IShellPort
{
public:
    bool OpenWithDefaultProgram(const QString &path) override;
};
