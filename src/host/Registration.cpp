#include "host/Registration.h"

#include "host/ProvixIds.h"
#include "orvenet/sdk/ViewPlugin.h"
#include "platform/registry/Registry.h"

#include <QFileInfo>

namespace {

const QString kClassesRoot = QStringLiteral("HKEY_CLASSES_ROOT\\");

QString Text(const char16_t *text)
{
    return QString::fromUtf16(text);
}

QString Guid(const GUID &guid)
{
    return QString::fromStdString(FormatGuid(guid));
}

QString ClassKey()
{
    return kClassesRoot + QStringLiteral("CLSID\\") + Guid(CLSID_Provix);
}

QString TypeLibraryKey()
{
    return kClassesRoot + QStringLiteral("TypeLib\\") + Guid(LIBID_ProvixLib);
}

bool WriteProgId(CRegistry &registry, const QString &progId, bool independent)
{
    const QString key = kClassesRoot + progId;
    bool written =
        registry.SetValue(key, QString(), Text(kClassDescription)) &&
        registry.SetValue(key + QStringLiteral("\\CLSID"), QString(), Guid(CLSID_Provix));
    if (independent)
        written = written && registry.SetValue(key + QStringLiteral("\\CurVer"), QString(),
                                               Text(kProgIdVersioned));
    return written;
}

bool WriteClassKey(CRegistry &registry, const QString &modulePath)
{
    const QString key = ClassKey();
    registry.DeleteKey(key);
    return registry.SetValue(key, QString(), Text(kClassDescription)) &&
           registry.SetValue(key + QStringLiteral("\\ProgID"), QString(), Text(kProgIdVersioned)) &&
           registry.SetValue(key + QStringLiteral("\\VersionIndependentProgID"), QString(),
                             Text(kProgIdIndependent)) &&
           registry.CreateKey(key + QStringLiteral("\\Programmable")) &&
           registry.SetValue(key + QStringLiteral("\\InprocServer32"), QString(), modulePath) &&
           registry.SetValue(key + QStringLiteral("\\InprocServer32"),
                             QStringLiteral("ThreadingModel"), Text(kThreadingModel)) &&
           registry.SetValue(key + QStringLiteral("\\TypeLib"), QString(), Guid(LIBID_ProvixLib));
}

// No type library is built; its keys still say where it would be, as
// installers and browsers of registered libraries expect.
bool WriteTypeLibraryKey(CRegistry &registry, const QString &modulePath)
{
    const QString key = TypeLibraryKey() + QStringLiteral("\\1.0");
    registry.DeleteKey(TypeLibraryKey());
    return registry.SetValue(key, QString(), Text(kTypeLibraryDescription)) &&
           registry.SetValue(key + QStringLiteral("\\0\\linux64"), QString(), modulePath) &&
           registry.SetValue(key + QStringLiteral("\\FLAGS"), QString(), QStringLiteral("0")) &&
           registry.SetValue(key + QStringLiteral("\\HELPDIR"), QString(),
                             QFileInfo(modulePath).absolutePath());
}

} // namespace

HRESULT RegisterProvix(CRegistry &registry, const QString &modulePath)
{
    // Only the key's existence counts; the host finds the class through the
    // ProgID it is named by. A failure here does not stop the registration.
    registry.CreateKey(Text(kViewPlugInsKey) + u'\\' + Text(kProgIdIndependent));

    const bool written = WriteProgId(registry, Text(kProgIdVersioned), false) &&
                         WriteProgId(registry, Text(kProgIdIndependent), true) &&
                         WriteClassKey(registry, modulePath);
    if (!written)
        return SELFREG_E_CLASS;
    return WriteTypeLibraryKey(registry, modulePath) ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT UnregisterProvix(CRegistry &registry)
{
    registry.DeleteKey(kClassesRoot + Text(kProgIdVersioned));
    registry.DeleteKey(kClassesRoot + Text(kProgIdIndependent));
    registry.DeleteKey(ClassKey());
    registry.DeleteKey(TypeLibraryKey());
    return S_OK;
}
