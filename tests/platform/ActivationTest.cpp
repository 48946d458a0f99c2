#include "ComTestModule.h"

#include "platform/com/Activation.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComExports.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

constexpr CLSID kOther = GuidFromString("{0D5E9A7C-3B1F-4C2E-8A6D-5F4B3C2A1E0F}");
const QString kOtherClass = QString::fromStdString(FormatGuid(kOther));
const QString kCounterClass = QString::fromStdString(FormatGuid(CLSID_TestCounter));

QString TestModule(const char *name)
{
    return QFileInfo("/proc/self/exe").canonicalPath() + u'/' + QLatin1String(name);
}

// A registry of its own in a temporary folder, which activation reads through
// $TALVIK_REGISTRY.
class ActivationTest : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("TALVIK_REGISTRY", QFile::encodeName(m_folder.path())); }
    void TearDown() override { qunsetenv("TALVIK_REGISTRY"); }

    // Sets the default value of a key below HKEY_CLASSES_ROOT.
    void Set(const QString &key, const QString &value)
    {
        ASSERT_TRUE(m_registry.SetValue("HKCR\\" + key, QString(), value));
    }

    QTemporaryDir m_folder;
    CRegistry m_registry{m_folder.path()};
};

TEST_F(ActivationTest, CreatesTheRegisteredClassFromItsModule)
{
    const QString module = TestModule("ComTestModule.so");
    Set("CLSID\\" + kCounterClass + "\\InprocServer32", module);
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, IID_IClassFactory,
                             factory.ReceiveVoid()),
              S_OK);
    CComPtr<ITestCounter> counter, other;
    ASSERT_EQ(CreateInstance(CLSID_TestCounter, nullptr, counter), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_ITestCounter, other.ReceiveVoid()), S_OK);
    EXPECT_NE(counter, other) << "every activation makes a new object";

    // The module stays loaded while objects or LockServer hold it; its
    // factory does not.
    void *handle = dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto canUnload = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle, kDllCanUnloadNow));
    EXPECT_EQ(canUnload(), S_FALSE);
    counter = other = nullptr;
    factory->LockServer(1);
    EXPECT_EQ(canUnload(), S_FALSE);
    factory->LockServer(0);
    EXPECT_EQ(canUnload(), S_OK);
    dlclose(handle);

    // With an outer object only IUnknown may be asked for.
    void *object = &object;
    EXPECT_EQ(CreateInstance(CLSID_TestCounter, factory.Get(), IID_ITestCounter, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(
        CreateInstance(CLSID_TestCounter, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
        REGDB_E_CLASSNOTREG)
        << "an in-process class asked for out of process only";
}

TEST_F(ActivationTest, ReportsWhyAClassCannotBeMade)
{
    const struct
    {
        const char *server;
        QString module;
        HRESULT result;
    } cases[] = {
        {nullptr, {}, REGDB_E_CLASSNOTREG},
        {"InprocServer32", QString(), REGDB_E_CLASSNOTREG},
        {"LocalServer32", "/usr/bin/true", REGDB_E_CLASSNOTREG},
        {"InprocServer32", TestModule("NoSuchModule.so"), CO_E_DLLNOTFOUND},
        {"InprocServer32", "NoSuchModuleOnThePath.so", CO_E_DLLNOTFOUND},
        // Something that exists but is no library.
        {"InprocServer32", QDir::currentPath(), CO_E_ERRORINDLL},
        {"InprocServer32", TestModule("ProvixLangTest.so"), CO_E_ERRORINDLL},
        // The test module serves only its own class.
        {"InprocServer32", TestModule("ComTestModule.so"), CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const auto &c : cases) {
        m_registry.DeleteKey("HKCR\\CLSID");
        if (c.server)
            Set("CLSID\\" + kOtherClass + u'\\' + QLatin1String(c.server), c.module);
        void *object = &object;
        EXPECT_EQ(CreateInstance(kOther, nullptr, IID_IUnknown, &object), c.result)
            << c.module.toStdString();
        EXPECT_EQ(object, nullptr);
    }
}

TEST_F(ActivationTest, ALocalServerClassGoesToTheConnectorWithItsProgram)
{
    Set("CLSID\\" + kOtherClass + "\\LocalServer32", "/opt/talvik/server");
    static QString program;
    const LocalServerConnector connector = [](const CLSID &clsid, const QString &path, const IID &,
                                              void **object) {
        program = path;
        *object = nullptr;
        return clsid == kOther ? CO_E_SERVER_EXEC_FAILURE : E_FAIL;
    };
    void *object = &object;
    EXPECT_EQ(CreateInstance(kOther, nullptr, IID_IUnknown, &object), REGDB_E_CLASSNOTREG)
        << "without a connector";
    EXPECT_EQ(
        CreateInstance(kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object, connector),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(program, QString());
    EXPECT_EQ(CreateInstance(kOther, nullptr, IID_IUnknown, &object, connector),
              CO_E_SERVER_EXEC_FAILURE);
    EXPECT_EQ(program, u"/opt/talvik/server");
    EXPECT_EQ(object, nullptr);
    // Others find the program too, such as where it writes its log.
    EXPECT_EQ(LocalServerProgram(kOther), u"/opt/talvik/server");
    EXPECT_EQ(LocalServerProgram(IID_IUnknown), QString());
}

TEST_F(ActivationTest, ProgIdsLeadToTheirClass)
{
    Set("Talvik.Test.1\\CLSID", kCounterClass.toLower());
    Set("Talvik.Test\\CurVer", "Talvik.Test.1");
    Set("Talvik.Loop\\CurVer", "Talvik.Loop");
    Set("Talvik.Bad\\CLSID", "{not a guid}");
    CLSID clsid{};
    EXPECT_EQ(ClsidFromProgId(u"talvik.TEST", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCounter);
    for (const char16_t *bad : {u"Talvik.None", u"Talvik.Loop", u"Talvik.Bad", u"", u"HKCR\\x"}) {
        EXPECT_EQ(ClsidFromProgId(bad, &clsid), CO_E_CLASSSTRING);
        EXPECT_EQ(clsid, GUID_NULL);
    }
    EXPECT_EQ(ClsidFromProgId(nullptr, &clsid), E_INVALIDARG);
}

} // namespace
