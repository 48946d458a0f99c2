#include "ui/controls/RedrawLock.h"

int CRedrawLock::s_count = 0;

bool CRedrawLock::Lock()
{
    return s_count++ == 0;
}

bool CRedrawLock::Unlock()
{
    if (s_count > 0)
        --s_count;
    return s_count == 0;
}

int CRedrawLock::Count()
{
    return s_count;
}
