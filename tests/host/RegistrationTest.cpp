#include "FakeViewHost.h"
#include "PlugInFixture.h"

#include "orvenet/sdk/Callback.h"
#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/com/ClassFactory.h"
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
    EXPECT_EQ(registry.GetValue(QStringLiteral("HKEY_CLASSES_ROOT\\Talvik.ProvixView\\CurVer")),
              QStringLiteral("Talvik.ProvixView.1"));

    const QString classKey = ClassKey(versioned);
    EXPECT_EQ(registry.GetValue(classKey), QStringLiteral("Provana Class"));
    EXPECT_EQ(registry.GetValue(classKey + QStringLiteral("\\InprocServer32")), ModulePath());
    EXPECT_EQ(registry.GetValue(classKey + QStringLiteral("\\InprocServer32"),
                                QStringLiteral("ThreadingModel")),
              QStringLiteral("Apartment"));
    EXPECT_TRUE(registry.KeyExists(classKey + QStringLiteral("\\Programmable")));
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

TEST_F(RegistrationTest, FactoryServesOnlyItsClassRefusesAggregationAndHoldsTheModule)
{
    auto getClassObject = Entry<DllGetClassObjectFunction>(kDllGetClassObject);
    auto canUnloadNow = Entry<DllCanUnloadNowFunction>(kDllCanUnloadNow);
    void *object = nullptr;
    EXPECT_EQ(getClassObject(IID_IViewHost, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    CLSID clsid{};
    ASSERT_EQ(ClsidFromProgId(u"Talvik.ProvixView", &clsid), S_OK);
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(canUnloadNow(), S_OK);

    QStringList calls;
    CComPtr<IViewHost> outer;
    ASSERT_EQ(CreateComObject<CFakeViewHost>(nullptr, IID_IViewHost, outer.ReceiveVoid(), &calls),
              S_OK);
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IViewPlugin, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    {
        CComPtr<IViewPlugin> plugIn;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IViewPlugin, plugIn.ReceiveVoid()), S_OK);
        CComPtr<ICallback> callback;
        EXPECT_EQ(plugIn.QueryInterface(callback), S_OK);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->LockServer(1);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(0);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

} // namespace
