#include "ComTestModule.h"

#include "platform/com/Activation.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComExports.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/Registry.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

constexpr CLSID kUnregistered = GuidFromString("{0D5E9A7C-3B1F-4C2E-8A6D-5F4B3C2A1E0F}");
constexpr CLSID kElsewhere = GuidFromString("{0D5E9A7C-3B1F-4C2E-8A6D-5F4B3C2A1E10}");
constexpr IID kUnknownInterface = GuidFromString("{0D5E9A7C-3B1F-4C2E-8A6D-5F4B3C2A1E11}");

QString TestFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + u'/';
}

QString ClassKey(const CLSID &clsid)
{
    return QStringLiteral("HKCR\\CLSID\\") + QString::fromStdString(FormatGuid(clsid));
}

// A registry of its own in a temporary folder, which activation reads through
// $TALVIK_REGISTRY.
class ActivationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = qgetenv("TALVIK_REGISTRY");
        qputenv("TALVIK_REGISTRY", QFile::encodeName(m_folder.path()));
    }
    void TearDown() override
    {
        if (m_saved.isNull())
            qunsetenv("TALVIK_REGISTRY");
        else
            qputenv("TALVIK_REGISTRY", m_saved);
    }

    void Register(const CLSID &clsid, const QString &module)
    {
        ASSERT_TRUE(m_registry.SetValue(ClassKey(clsid) + QStringLiteral("\\InprocServer32"),
                                        QString(), module));
    }

    QTemporaryDir m_folder;
    CRegistry m_registry{m_folder.path()};
    QByteArray m_saved;
};

TEST_F(ActivationTest, CreatesTheRegisteredClassFromItsModule)
{
    const QString module = TestFolder() + QStringLiteral("ComTestModule.so");
    Register(CLSID_TestCounter, module);

    CComPtr<ITestCounter> counter;
    ASSERT_EQ(CreateInstance(CLSID_TestCounter, nullptr, counter), S_OK);
    int32_t total = 0;
    ASSERT_EQ(counter->Add(2, &total), S_OK);
    ASSERT_EQ(counter->Add(3, &total), S_OK);
    EXPECT_EQ(total, 5);

    // Every activation makes a new object.
    CComPtr<ITestCounter> other;
    ASSERT_EQ(CreateInstance(CLSID_TestCounter, nullptr, IID_ITestCounter, other.ReceiveVoid()),
              S_OK);
    EXPECT_NE(other, counter);
    ASSERT_EQ(other->Add(1, &total), S_OK);
    EXPECT_EQ(total, 1);

    // The module stays loaded and counts its objects and locks.
    void *handle = dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto canUnload = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle, kDllCanUnloadNow));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    counter.Reset();
    other.Reset();
    EXPECT_EQ(canUnload(), S_OK);
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, IID_IClassFactory,
                             factory.ReceiveVoid()),
              S_OK);
    EXPECT_EQ(canUnload(), S_OK);
    factory->LockServer(1);
    EXPECT_EQ(canUnload(), S_FALSE);
    factory->LockServer(0);
    EXPECT_EQ(canUnload(), S_OK);
    dlclose(handle);

    // The module's and the object's own refusals come through unchanged.
    void *object = &object;
    EXPECT_EQ(CreateInstance(CLSID_TestCounter, nullptr, kUnknownInterface, &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    IUnknown *outer = factory.Get();
    EXPECT_EQ(CreateInstance(CLSID_TestCounter, outer, IID_ITestCounter, &object),
              CLASS_E_NOAGGREGATION);
    Register(kElsewhere, module);
    EXPECT_EQ(CreateInstance(kElsewhere, nullptr, IID_ITestCounter, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(CreateInstance(CLSID_TestCounter, nullptr, IID_ITestCounter, nullptr), E_POINTER);
}

TEST_F(ActivationTest, ReportsWhyAClassCannotBeMade)
{
    void *object = &object;
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);

    // Registered without a module path, or for an out-of-process server only.
    ASSERT_TRUE(m_registry.CreateKey(ClassKey(kUnregistered) + QStringLiteral("\\InprocServer32")));
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    ASSERT_TRUE(m_registry.DeleteKey(ClassKey(kUnregistered)));
    ASSERT_TRUE(m_registry.SetValue(ClassKey(kUnregistered) + QStringLiteral("\\LocalServer32"),
                                    QString(), QStringLiteral("/usr/bin/true")));
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);

    // An in-process class asked for out of process only.
    Register(CLSID_TestCounter, TestFolder() + QStringLiteral("ComTestModule.so"));
    EXPECT_EQ(
        CreateInstance(CLSID_TestCounter, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
        REGDB_E_CLASSNOTREG);

    // Module missing, not a module, and a module without DllGetClassObject.
    Register(kUnregistered, TestFolder() + QStringLiteral("NoSuchModule.so"));
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    Register(kUnregistered, QStringLiteral("NoSuchModuleOnThePath.so"));
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    const QString text = m_folder.filePath(QStringLiteral("NotAModule.so"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an ELF file");
    file.close();
    Register(kUnregistered, text);
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), CO_E_ERRORINDLL);
    Register(kUnregistered, TestFolder() + QStringLiteral("ComTestNoEntry.so"));
    EXPECT_EQ(CreateInstance(kUnregistered, nullptr, IID_IUnknown, &object), CO_E_ERRORINDLL);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ActivationTest, ProgIdsLeadToTheirClass)
{
    const QString classText = QString::fromStdString(FormatGuid(CLSID_TestCounter));
    ASSERT_TRUE(m_registry.SetValue(QStringLiteral("HKCR\\Talvik.Test.1\\CLSID"), QString(),
                                    classText.toLower()));
    ASSERT_TRUE(m_registry.SetValue(QStringLiteral("HKCR\\Talvik.Test\\CurVer"), QString(),
                                    QStringLiteral("Talvik.Test.1")));
    ASSERT_TRUE(m_registry.SetValue(QStringLiteral("HKCR\\Talvik.Loop\\CurVer"), QString(),
                                    QStringLiteral("Talvik.Loop")));
    ASSERT_TRUE(m_registry.SetValue(QStringLiteral("HKCR\\Talvik.Bad\\CLSID"), QString(),
                                    QStringLiteral("{not a guid}")));

    CLSID clsid{};
    EXPECT_EQ(ClsidFromProgId(u"Talvik.Test.1", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCounter);
    clsid = GUID_NULL;
    EXPECT_EQ(ClsidFromProgId(u"talvik.test", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCounter);
    for (const char16_t *bad : {u"Talvik.None", u"Talvik.Loop", u"Talvik.Bad", u"", u"HKCR\\x"}) {
        EXPECT_EQ(ClsidFromProgId(bad, &clsid), CO_E_CLASSSTRING);
        EXPECT_EQ(clsid, GUID_NULL);
    }
    EXPECT_EQ(ClsidFromProgId(nullptr, &clsid), E_INVALIDARG);
}

} // namespace
