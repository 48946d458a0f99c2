#include "platform/com/Activation.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ComExports.h"
#include "platform/com/UnknownImpl.h"
#include "platform/registry/Registry.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QString>

#include <dlfcn.h>

#include <mutex>

namespace {

const QString kClassesKey = QStringLiteral("HKEY_CLASSES_ROOT\\");

QString ClassKey(const CLSID &clsid)
{
    return kClassesKey + QStringLiteral("CLSID\\") + QString::fromStdString(FormatGuid(clsid));
}

// A loaded module is never unloaded: objects and factories from it may be
// alive anywhere in the process. Its entry point is looked up once.
HRESULT FindClassObjectEntry(const QString &path, DllGetClassObjectFunction *entry)
{
    static std::mutex mutex;
    static QHash<QString, DllGetClassObjectFunction> entries;
    const std::lock_guard<std::mutex> lock(mutex);
    if (const auto found = entries.constFind(path); found != entries.constEnd()) {
        *entry = *found;
        return S_OK;
    }
    // A bare name is left to the loader's search path, like a DLL name.
    const bool searched = !path.contains(u'/');
    if (!searched && !QFileInfo::exists(path))
        return CO_E_DLLNOTFOUND;
    void *module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return searched ? CO_E_DLLNOTFOUND : CO_E_ERRORINDLL;
    auto function = reinterpret_cast<DllGetClassObjectFunction>(dlsym(module, kDllGetClassObject));
    if (!function)
        return CO_E_ERRORINDLL;
    entries.insert(path, function);
    *entry = function;
    return S_OK;
}

// The class factory of a class served by a program of its own: each object
// it makes is a proxy connected to that program, started when needed.
class CLocalServerFactory final : public CUnknownImpl<IClassFactory>
{
public:
    CLocalServerFactory(const CLSID &clsid, QString serverPath, LocalServerConnector connector)
        : m_clsid(clsid)
        , m_serverPath(std::move(serverPath))
        , m_connector(connector)
    {}

    HRESULT CreateInstance(IUnknown *outer, const IID &iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return m_connector(m_clsid, m_serverPath, iid, object);
    }
    HRESULT LockServer(BOOL) override { return S_OK; }

private:
    CLSID m_clsid;
    QString m_serverPath;
    LocalServerConnector m_connector;
};

} // namespace

HRESULT GetClassObject(const CLSID &clsid, uint32_t context, const IID &iid, void **object,
                       LocalServerConnector connector)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const CRegistry registry;
    const QString classKey = ClassKey(clsid);
    if (context & CLSCTX_INPROC_SERVER) {
        const std::optional<QString> path =
            registry.GetValue(classKey + QStringLiteral("\\InprocServer32"));
        if (path && !path->isEmpty()) {
            DllGetClassObjectFunction entry = nullptr;
            const HRESULT found = FindClassObjectEntry(*path, &entry);
            if (FAILED(found))
                return found;
            return entry(clsid, iid, object);
        }
    }
    // A LocalServer32 class runs in a server process of its own and is reached
    // through a proxy that speaks to that process over its socket.
    if ((context & CLSCTX_LOCAL_SERVER) && connector) {
        const QString path = LocalServerProgram(clsid);
        if (!path.isEmpty())
            return CreateComObject<CLocalServerFactory>(nullptr, iid, object, clsid, path,
                                                        connector);
    }
    return REGDB_E_CLASSNOTREG;
}

QString LocalServerProgram(const CLSID &clsid)
{
    return CRegistry()
        .GetValue(ClassKey(clsid) + QStringLiteral("\\LocalServer32"))
        .value_or(QString());
}

HRESULT CreateInstance(const CLSID &clsid, IUnknown *outer, uint32_t context, const IID &iid,
                       void **object, LocalServerConnector connector)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    CComPtr<IClassFactory> factory;
    const HRESULT found =
        GetClassObject(clsid, context, IID_IClassFactory, factory.ReceiveVoid(), connector);
    if (FAILED(found))
        return found;
    if (!factory)
        return CO_E_ERRORINDLL;
    return factory->CreateInstance(outer, iid, object);
}

HRESULT ClsidFromProgId(const char16_t *progId, CLSID *clsid)
{
    if (!progId || !clsid)
        return E_INVALIDARG;
    *clsid = GUID_NULL;
    const CRegistry registry;
    QString name = QString::fromUtf16(progId);
    // One step through CurVer: a version-independent name points at the
    // current versioned one.
    for (int step = 0; step < 2; ++step) {
        if (name.isEmpty() || name.contains(u'\\'))
            return CO_E_CLASSSTRING;
        const QString key = kClassesKey + name;
        if (const auto text = registry.GetValue(key + QStringLiteral("\\CLSID"))) {
            const std::optional<GUID> parsed = ParseGuid(text->toStdU16String());
            if (!parsed)
                return CO_E_CLASSSTRING;
            *clsid = *parsed;
            return S_OK;
        }
        const auto current = registry.GetValue(key + QStringLiteral("\\CurVer"));
        if (!current)
            break;
        name = *current;
    }
    return CO_E_CLASSSTRING;
}
