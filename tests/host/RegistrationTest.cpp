#include "PlugInFixture.h"

#include "orvenet/sdk/Callback.h"
#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/registry/Registry.h"

namespace {

const QString kPlugInKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\Software\\Talvik\\Orvenet6\\Framework\\PlugIns\\Talvik.ProvixView");

QString ClassKey(const CLSID &clsid)
{
    return QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + QString::fromStdString(FormatGuid(clsid));
}

using RegistrationTest = PlugInFixture;

TEST_F(RegistrationTest, RegisteringListsThePlugInAndLeadsFromBothProgIdsToTheModule)
{
    // Twice: the second run must leave the same keys, not add to them.
    ASSERT_EQ(Entry<DllRegisterServerFunction>(kDllRegisterServer)(), S_OK);
    const CRegistry registry;
    EXPECT_TRUE(registry.KeyExists(kPlugInKey));
    CLSID versioned{}, independent{};
    ASSERT_EQ(ClsidFromProgId(u"Talvik.ProvixView.1", &versioned), S_OK);
    ASSERT_EQ(ClsidFromProgId(u"Talvik.ProvixView", &independent), S_OK);
    EXPECT_EQ(versioned, independent);

    const QString classKey = ClassKey(versioned);
    EXPECT_EQ(registry.GetValue(classKey), QStringLiteral("Provana Class"));
    EXPECT_EQ(registry.GetValue(classKey + QStringLiteral("\\InprocServer32")), ModulePath());
    EXPECT_EQ(registry.GetValue(classKey + QStringLiteral("\\InprocServer32"),
                                QStringLiteral("ThreadingModel")),
              QStringLiteral("Apartment"));
    EXPECT_TRUE(registry.GetValue(classKey + QStringLiteral("\\TypeLib")).has_value());
    EXPECT_EQ(registry.SubKeys(classKey), (QStringList{"InprocServer32", "ProgID", "Programmable",
                                                       "TypeLib", "VersionIndependentProgID"}));
}

TEST_F(RegistrationTest, UnregisteringKeepsTheClassRootAndThePlugInKey)
{
    CLSID clsid{};
    ASSERT_EQ(ClsidFromProgId(u"Talvik.ProvixView", &clsid), S_OK);
    ASSERT_EQ(Entry<DllUnregisterServerFunction>(kDllUnregisterServer)(), S_OK);
    const CRegistry registry;
    EXPECT_FALSE(registry.KeyExists(QStringLiteral("HKEY_CLASSES_ROOT\\Talvik.ProvixView")));
    EXPECT_FALSE(registry.KeyExists(QStringLiteral("HKEY_CLASSES_ROOT\\Talvik.ProvixView.1")));
    EXPECT_FALSE(registry.KeyExists(ClassKey(clsid)));
    EXPECT_TRUE(registry.KeyExists(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID")));
    EXPECT_TRUE(registry.KeyExists(kPlugInKey));
    CComPtr<IViewPlugin> plugIn;
    EXPECT_EQ(CreateInstance(clsid, nullptr, plugIn), REGDB_E_CLASSNOTREG);
}

// Installers may give the module a versioned name; the class must lead to
// the file that registered it, not to the usual name beside it.
TEST_F(RegistrationTest, ARenamedModuleRegistersItsOwnPath)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString renamed = folder.filePath(QStringLiteral("Provix-0.1.so"));
    ASSERT_TRUE(QFile::copy(ModulePath(), renamed));
    void *module = dlopen(QFile::encodeName(renamed).constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto registerServer =
        reinterpret_cast<DllRegisterServerFunction>(dlsym(module, kDllRegisterServer));
    const HRESULT result = registerServer();
    dlclose(module);
    ASSERT_EQ(result, S_OK);

    CLSID clsid{};
    ASSERT_EQ(ClsidFromProgId(u"Talvik.ProvixView", &clsid), S_OK);
    EXPECT_EQ(CRegistry().GetValue(ClassKey(clsid) + QStringLiteral("\\InprocServer32")), renamed);
}

// The class factory itself is the one the platform tests cover; what is the
// plug-in's own is the class it serves and that its objects hold the module.
TEST_F(RegistrationTest, TheModuleServesOnlyThePlugInWhoseObjectsHoldIt)
{
    auto canUnloadNow = Entry<DllCanUnloadNowFunction>(kDllCanUnloadNow);
    void *object = &object;
    EXPECT_EQ(Entry<DllGetClassObjectFunction>(kDllGetClassObject)(IID_IViewHost, IID_IClassFactory,
                                                                   &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);
    {
        CComPtr<IViewPlugin> plugIn = CreatePlugIn();
        CComPtr<ICallback> callback;
        EXPECT_EQ(plugIn.QueryInterface(callback), S_OK);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
}

} // namespace
