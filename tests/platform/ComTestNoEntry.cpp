// A module that exports something, but not DllGetClassObject.
#include "platform/com/ComExports.h"

STDAPI DllCanUnloadNow()
{
    return S_OK;
}
