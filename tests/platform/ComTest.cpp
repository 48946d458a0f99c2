// Built without Qt: the interface headers must not need it.
#include "orvenet/sdk/Callback.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/sdk/ViewHost.h"
#include "orvenet/sdk/ViewPlugin.h"
#include "platform/com/ClassFactoryImpl.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/TextBuffer.h"
#include "platform/com/UnknownImpl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>
#include <vector>

namespace {

constexpr GUID kSample = GuidFromString("{0123abcd-4567-89EF-fedc-BA9876543210}");
static_assert(kSample.Data1 == 0x0123ABCD && kSample.Data2 == 0x4567 && kSample.Data3 == 0x89EF);
static_assert(kSample.Data4[0] == 0xFE && kSample.Data4[7] == 0x10);

TEST(Guid, ParsesAndFormatsTheRegistryForm)
{
    EXPECT_EQ(FormatGuid(kSample), "{0123ABCD-4567-89EF-FEDC-BA9876543210}");
    EXPECT_EQ(FormatGuid(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
    EXPECT_EQ(FormatGuid(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    for (const GUID &guid : {kSample, IID_IClassFactory, IID_IViewPlugin, CLSID_ConnectivityServer})
        EXPECT_EQ(ParseGuid(FormatGuid(guid)), guid);
    EXPECT_EQ(ParseGuid(u"{0123ABCD-4567-89ef-FEDC-ba9876543210}"), kSample);
    EXPECT_FALSE(kSample == IID_IUnknown);
}

TEST(Guid, RefusesAnythingButTheBracedForm)
{
    for (const char *bad :
         {"", "{}", "0123ABCD-4567-89EF-FEDC-BA9876543210", "{0123ABCD-4567-89EF-FEDC-BA9876543210",
          "{0123ABCD-4567-89EF-FEDC-BA9876543210}x", "(0123ABCD-4567-89EF-FEDC-BA9876543210)",
          "{0123ABCD-4567-89EF-FEDCBA9876543210-}", "{0123ABCD_4567-89EF-FEDC-BA9876543210}",
          "{0123ABCG-4567-89EF-FEDC-BA9876543210}", "{0123ABCD-4567-89EF-FEDC-BA987654321 }",
          "{+123ABCD-4567-89EF-FEDC-BA9876543210}"})
        EXPECT_FALSE(ParseGuid(std::string_view(bad)).has_value()) << bad;
    // A wide character whose low byte is a hex digit is no hex digit.
    EXPECT_FALSE(ParseGuid(u"{0123ABCD-4567-89EF-FEDC-BA98765432\u0131\u0130}").has_value());
}

TEST(ComTypes, ResultCodesAndHelpers)
{
    EXPECT_TRUE(SUCCEEDED(S_OK) && SUCCEEDED(S_FALSE));
    EXPECT_TRUE(FAILED(E_FAIL) && FAILED(CLASS_E_NOAGGREGATION));
    EXPECT_EQ(static_cast<uint32_t>(E_NOINTERFACE), 0x80004002u);
    EXPECT_EQ(static_cast<uint32_t>(REGDB_E_CLASSNOTREG), 0x80040154u);
    EXPECT_EQ(static_cast<uint32_t>(SELFREG_E_CLASS), 0x80040201u);
    EXPECT_EQ(HRESULT_FROM_WIN32(122), E_NOT_SUFFICIENT_BUFFER);
    const HRESULT held = MAKE_HRESULT(1, FACILITY_ITF, ServerResult::PhoneHeld);
    EXPECT_TRUE(FAILED(held));
    EXPECT_EQ(HRESULT_CODE(held), 0x23u);
    EXPECT_EQ(HRESULT_FACILITY(held), FACILITY_ITF);
}

// Two interfaces of an object, a third it lacks.
struct IFirst : IUnknown
{
    virtual HRESULT First(int32_t *value) = 0;

protected:
    ~IFirst() = default;
};
struct ISecond : IUnknown
{
    virtual HRESULT Second(int32_t *value) = 0;

protected:
    ~ISecond() = default;
};
struct IThird : IUnknown
{
protected:
    ~IThird() = default;
};

} // namespace

template<>
struct InterfaceId<IFirst>
{
    static constexpr IID value = GuidFromString("{6B1F3C52-0D57-4E7C-9E7A-1D0C2F3A4B51}");
};
template<>
struct InterfaceId<ISecond>
{
    static constexpr IID value = GuidFromString("{6B1F3C52-0D57-4E7C-9E7A-1D0C2F3A4B52}");
};
template<>
struct InterfaceId<IThird>
{
    static constexpr IID value = GuidFromString("{6B1F3C52-0D57-4E7C-9E7A-1D0C2F3A4B53}");
};

namespace {

int g_alive = 0;

class CBoth final : public CUnknownImpl<IFirst, ISecond>
{
public:
    explicit CBoth(int32_t value = 7)
        : m_value(value)
    {
        ++g_alive;
    }
    ~CBoth() override { --g_alive; }
    HRESULT First(int32_t *value) override
    {
        *value = m_value;
        return S_OK;
    }
    HRESULT Second(int32_t *value) override
    {
        *value = -m_value;
        return S_OK;
    }
    ULONG Count()
    {
        AddRef();
        return Release();
    }

private:
    CModuleLock m_moduleLock;
    int32_t m_value;
};

TEST(UnknownImpl, AnswersEachListedInterfaceAndCountsReferences)
{
    IFirst *first = nullptr;
    ASSERT_EQ(
        CreateComObject<CBoth>(nullptr, IidOf<IFirst>(), reinterpret_cast<void **>(&first), 5),
        S_OK);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(g_alive, 1);
    EXPECT_EQ(static_cast<CBoth *>(first)->Count(), 1u);

    ISecond *second = nullptr;
    ASSERT_EQ(first->QueryInterface(IidOf<ISecond>(), reinterpret_cast<void **>(&second)), S_OK);
    int32_t value = 0;
    second->Second(&value);
    EXPECT_EQ(value, -5);
    EXPECT_EQ(first->AddRef(), 3u);
    EXPECT_EQ(first->Release(), 2u);

    // IUnknown is the same pointer whichever interface it is asked from.
    IUnknown *viaFirst = nullptr;
    IUnknown *viaSecond = nullptr;
    ASSERT_EQ(first->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&viaFirst)), S_OK);
    ASSERT_EQ(second->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&viaSecond)), S_OK);
    EXPECT_EQ(viaFirst, viaSecond);
    EXPECT_EQ(viaFirst->Release(), 3u);
    EXPECT_EQ(viaSecond->Release(), 2u);

    void *missing = &value;
    EXPECT_EQ(second->QueryInterface(IidOf<IThird>(), &missing), E_NOINTERFACE);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(first->QueryInterface(IidOf<ISecond>(), nullptr), E_POINTER);

    EXPECT_EQ(second->Release(), 1u);
    EXPECT_EQ(g_alive, 1);
    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(g_alive, 0);
}

TEST(UnknownImpl, AFailedCreationLeavesNothingBehind)
{
    void *object = &object;
    EXPECT_EQ(CreateComObject<CBoth>(nullptr, IidOf<IThird>(), &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(g_alive, 0);
    EXPECT_EQ(CreateComObject<CBoth>(nullptr, IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(g_alive, 0);
}

// An outer object that aggregates a CBoth and exposes its ISecond as its own.
class COuter final : public CUnknownImpl<IFirst>
{
public:
    HRESULT Init()
    {
        IUnknown *controlling = static_cast<IFirst *>(this);
        return CreateComObject<CBoth>(controlling, IID_IUnknown,
                                      reinterpret_cast<void **>(&m_inner));
    }
    ~COuter() override
    {
        if (m_inner)
            m_inner->Release();
    }
    HRESULT First(int32_t *value) override
    {
        *value = 1;
        return S_OK;
    }
    HRESULT QueryInterface(const IID &iid, void **object) override
    {
        if (iid == IidOf<ISecond>())
            return m_inner->QueryInterface(iid, object);
        return CUnknownImpl<IFirst>::QueryInterface(iid, object);
    }

    IUnknown *m_inner = nullptr;
};

TEST(UnknownImpl, AnAggregatedObjectDelegatesToItsOuterObject)
{
    IFirst *outer = nullptr;
    ASSERT_EQ(CreateComObject<COuter>(nullptr, IidOf<IFirst>(), reinterpret_cast<void **>(&outer)),
              S_OK);
    auto *outerObject = static_cast<COuter *>(outer);
    ASSERT_EQ(outerObject->Init(), S_OK);
    EXPECT_EQ(g_alive, 1);

    // Inner interfaces answer for the outer object: its identity, its
    // interfaces and its reference count.
    ISecond *second = nullptr;
    ASSERT_EQ(outer->QueryInterface(IidOf<ISecond>(), reinterpret_cast<void **>(&second)), S_OK);
    IUnknown *identity = nullptr;
    ASSERT_EQ(second->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown *>(outer));
    IFirst *first = nullptr;
    ASSERT_EQ(second->QueryInterface(IidOf<IFirst>(), reinterpret_cast<void **>(&first)), S_OK);
    int32_t value = 0;
    first->First(&value);
    EXPECT_EQ(value, 1) << "the outer object's IFirst, not the inner one's";
    EXPECT_EQ(second->AddRef(), 5u);
    second->Release();
    identity->Release();
    first->Release();
    second->Release();

    // Only IUnknown may be asked for when aggregating.
    void *object = &object;
    EXPECT_EQ(CreateComObject<CBoth>(outer, IidOf<IFirst>(), &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    EXPECT_EQ(outer->Release(), 0u);
    EXPECT_EQ(g_alive, 0);
}

TEST(ComPtr, OwnsExactlyOneReference)
{
    CComPtr<IFirst> first;
    ASSERT_EQ(CreateComObject<CBoth>(nullptr, IidOf<IFirst>(), first.ReceiveVoid()), S_OK);
    auto *object = static_cast<CBoth *>(first.Get());
    EXPECT_EQ(object->Count(), 1u);
    {
        CComPtr<IFirst> copy = first;
        EXPECT_EQ(object->Count(), 2u);
        CComPtr<IFirst> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(object->Count(), 2u);
        CComPtr<ISecond> second;
        ASSERT_EQ(moved.QueryInterface(second), S_OK);
        EXPECT_EQ(object->Count(), 3u);
        CComPtr<IThird> third;
        EXPECT_EQ(first.QueryInterface(third), E_NOINTERFACE);
        EXPECT_FALSE(third);
        moved = first;
        EXPECT_EQ(object->Count(), 3u);
    }
    EXPECT_EQ(object->Count(), 1u);

    // Receive drops what was held before lending the slot.
    CComPtr<IFirst> other;
    ASSERT_EQ(CreateComObject<CBoth>(nullptr, IidOf<IFirst>(), other.ReceiveVoid()), S_OK);
    EXPECT_EQ(g_alive, 2);
    ASSERT_EQ(first->QueryInterface(IidOf<IFirst>(), other.ReceiveVoid()), S_OK);
    EXPECT_EQ(g_alive, 1);
    EXPECT_EQ(other, first);

    IFirst *raw = first.Detach();
    EXPECT_FALSE(first);
    other.Reset();
    EXPECT_EQ(g_alive, 1);
    first.Attach(raw);
    EXPECT_EQ(object->Count(), 1u);
    IFirst *extra = nullptr;
    EXPECT_EQ(first.CopyTo(&extra), S_OK);
    EXPECT_EQ(object->Count(), 2u);
    extra->Release();
    first = nullptr;
    EXPECT_EQ(g_alive, 0);

    CComPtr<ISecond> none;
    EXPECT_EQ(first.QueryInterface(none), E_POINTER);
}

TEST(ClassFactory, MakesNewObjectsAndOnlyLocksHoldTheModule)
{
    const long before = CModuleLock::Count();
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(GetClassFactory<CBoth>(IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(CModuleLock::Count(), before);

    CComPtr<IFirst> a;
    CComPtr<IFirst> b;
    ASSERT_EQ(factory->CreateInstance(nullptr, IidOf<IFirst>(), a.ReceiveVoid()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IidOf<IFirst>(), b.ReceiveVoid()), S_OK);
    EXPECT_NE(a, b);
    EXPECT_EQ(CModuleLock::Count(), before + 2);

    void *object = &object;
    EXPECT_EQ(factory->CreateInstance(a.Get(), IidOf<ISecond>(), &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    factory->LockServer(1);
    a.Reset();
    b.Reset();
    EXPECT_EQ(CModuleLock::Count(), before + 1);
    factory->LockServer(0);
    EXPECT_EQ(CModuleLock::Count(), before);
    EXPECT_EQ(g_alive, 0);
}

TEST(TextBuffer, CopiesWhatFitsAndTellsTheFullLength)
{
    const char16_t text[] = u"Phone";
    char16_t buffer[8];
    uint32_t length = 99;
    EXPECT_EQ(CopyTextToBuffer(text, 5, buffer, 8, &length), S_OK);
    EXPECT_EQ(std::u16string_view(buffer), u"Phone");
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(CopyTextToBuffer(text, 5, buffer, 5, &length), E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string_view(buffer), u"Phon");
    EXPECT_EQ(CopyTextToBuffer(text, 5, buffer, 6, &length), S_OK);
    EXPECT_EQ(CopyTextToBuffer(text, 5, nullptr, 0, &length), E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(CopyTextToBuffer(u"", 0, nullptr, 0, &length), S_OK);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(CopyTextToBuffer(text, 5, buffer, 1, &length), E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(CopyTextToBuffer(text, 5, nullptr, 4, &length), E_POINTER);
    EXPECT_EQ(CopyTextToBuffer(text, 5, buffer, 8, nullptr), E_POINTER);
}

// The interfaces are bare vtables, as the ABI demands.
template<class I>
constexpr bool
    kIsBareInterface = std::is_polymorphic_v<I> && sizeof(I) == sizeof(void *) &&
                       !std::has_virtual_destructor_v<I> && std::is_base_of_v<IUnknown, I>;
static_assert(kIsBareInterface<IUnknown> && kIsBareInterface<IClassFactory>);
static_assert(kIsBareInterface<IViewPlugin> && kIsBareInterface<IViewHost>);
static_assert(kIsBareInterface<ICallback> && kIsBareInterface<IConnectivityServer>);

// The vtable slot a pointer to a virtual member function names, read from its
// Itanium C++ ABI representation.
template<class Member>
std::size_t Slot(Member member)
{
    struct CRepresentation
    {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(Member) == sizeof(CRepresentation));
    std::memcpy(&representation, &member, sizeof representation);
#if defined(__arm__) || defined(__aarch64__)
    return representation.pointer / sizeof(void *);
#else
    return (representation.pointer - 1) / sizeof(void *);
#endif
}

template<class... Members>
std::vector<std::size_t> Slots(Members... members)
{
    return {Slot(members)...};
}

std::vector<std::size_t> Expected(std::size_t count)
{
    std::vector<std::size_t> slots;
    for (std::size_t i = 0; i < count; ++i)
        slots.push_back(3 + i);
    return slots;
}

TEST(SuiteInterfaces, MethodsSitInTheirPublishedVtableOrder)
{
    EXPECT_EQ(Slots(&IUnknown::QueryInterface, &IUnknown::AddRef, &IUnknown::Release),
              (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(Slots(&IClassFactory::CreateInstance, &IClassFactory::LockServer), Expected(2));
    EXPECT_EQ(Slots(&IViewPlugin::Initialize, &IViewPlugin::Reserved, &IViewPlugin::GetStringId,
                    &IViewPlugin::PrepareMenu, &IViewPlugin::SetHost, &IViewPlugin::CreateView,
                    &IViewPlugin::GetCommandState, &IViewPlugin::Execute,
                    &IViewPlugin::GetCommandString, &IViewPlugin::MoveView,
                    &IViewPlugin::FocusEvent, &IViewPlugin::Activate, &IViewPlugin::Deactivate,
                    &IViewPlugin::Help, &IViewPlugin::About, &IViewPlugin::GetResourceModule,
                    &IViewPlugin::GetNameId, &IViewPlugin::GetImageId, &IViewPlugin::SetState,
                    &IViewPlugin::Close),
              Expected(20));
    EXPECT_EQ(Slots(&IViewHost::CreateToolbar, &IViewHost::SetToolbarBitmap,
                    &IViewHost::AddToolbarButton, &IViewHost::ShowToolbar,
                    &IViewHost::SetToolbarCaption, &IViewHost::RemoveToolbar,
                    &IViewHost::IsPlugInActive, &IViewHost::ActivatePlugIn),
              Expected(8));
    EXPECT_EQ(Slots(&ICallback::OnStateChanged, &ICallback::OnError, &ICallback::OnProgress,
                    &ICallback::OnFinished),
              Expected(4));
    EXPECT_EQ(Slots(&IConnectivityServer::SetClientName, &IConnectivityServer::RegisterCallback,
                    &IConnectivityServer::UnregisterCallback,
                    &IConnectivityServer::GetConnectionState, &IConnectivityServer::GetPhoneInfo,
                    &IConnectivityServer::GetHolderName, &IConnectivityServer::ReservePhone,
                    &IConnectivityServer::ReleasePhone, &IConnectivityServer::CancelTransfer,
                    &IConnectivityServer::AnswerQuestion, &IConnectivityServer::SetConfiguration,
                    &IConnectivityServer::StartTransfer),
              Expected(12));
}

TEST(SuiteInterfaces, IdentifiersAreDistinctAndStable)
{
    const GUID all[] = {
        IID_IUnknown,  IID_IClassFactory,       IID_IViewPlugin,         IID_IViewHost,
        IID_ICallback, IID_IConnectivityServer, CLSID_ConnectivityServer};
    for (std::size_t i = 0; i < std::size(all); ++i)
        for (std::size_t j = i + 1; j < std::size(all); ++j)
            EXPECT_FALSE(all[i] == all[j]) << i << " " << j;
    // Modules built earlier carry these values: they must never change.
    EXPECT_EQ(FormatGuid(IID_IViewPlugin), "{4A53D29E-A207-4B5A-839A-AEA13817812E}");
    EXPECT_EQ(FormatGuid(IID_IViewHost), "{F9C9848E-8042-498F-83A8-C6F251338C7C}");
    EXPECT_EQ(FormatGuid(IID_ICallback), "{3758A96F-FE36-4D4C-A00E-87AF92308232}");
    EXPECT_EQ(FormatGuid(IID_IConnectivityServer), "{BD9346AE-B568-4E6F-BECE-C1BA3CC944A0}");
    EXPECT_EQ(FormatGuid(CLSID_ConnectivityServer), "{BCA25A90-FACC-403C-9505-54E8A0BD9263}");
    EXPECT_EQ(&IidOf<IViewPlugin>(), &IID_IViewPlugin);
    EXPECT_EQ(&IidOf<IConnectivityServer>(), &IID_IConnectivityServer);
}

} // namespace
