#pragma once

#include "document/DocumentPorts.h"

// The busy cursor over the whole application, as the override cursor.
class CWaitCursorPort final : public IWaitCursorPort
{
public:
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
};
