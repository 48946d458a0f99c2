// Built without Qt: the interface headers must not need it.
#include "ComTestModule.h"

#include "orvenet/sdk/Callback.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/sdk/ViewHost.h"
#include "orvenet/sdk/ViewPlugin.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TextBuffer.h"
#include "platform/com/UnknownImpl.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

constexpr GUID kSample = GuidFromString("{0123abcd-4567-89EF-fedc-BA9876543210}");
static_assert(kSample.Data1 == 0x0123ABCD && kSample.Data3 == 0x89EF && kSample.Data4[0] == 0xFE &&
              kSample.Data4[7] == 0x10);

TEST(Guid, RoundTripsTheBracedFormAndRefusesAnythingElse)
{
    EXPECT_EQ(FormatGuid(kSample), "{0123ABCD-4567-89EF-FEDC-BA9876543210}");
    for (const GUID &guid : {kSample, IID_IUnknown, IID_IViewPlugin, CLSID_ConnectivityServer})
        EXPECT_EQ(ParseGuid(FormatGuid(guid)), guid);
    EXPECT_EQ(ParseGuid(u"{0123ABCD-4567-89ef-FEDC-ba9876543210}"), kSample);
    for (const char *bad :
         {"", "0123ABCD-4567-89EF-FEDC-BA9876543210", "{0123ABCD-4567-89EF-FEDC-BA9876543210}x",
          "{0123ABCD-4567-89EF-FEDCBA9876543210-}", "{0123ABCG-4567-89EF-FEDC-BA9876543210}",
          "{+123ABCD-4567-89EF-FEDC-BA9876543210}"})
        EXPECT_FALSE(ParseGuid(std::string_view(bad)).has_value()) << bad;
    // A wide character whose low byte is a hex digit is no hex digit.
    EXPECT_FALSE(ParseGuid(u"{0123ABCD-4567-89EF-FEDC-BA98765432\u0131\u0130}").has_value());
}

// An object with two interfaces: the test module's counter and ICallback.
int g_alive = 0;

class CBoth final : public CUnknownImpl<ITestCounter, ICallback>
{
public:
    CBoth() { ++g_alive; }
    ~CBoth() override { --g_alive; }
    HRESULT Add(int32_t amount, int32_t *total) override { return *total = amount, S_OK; }
    HRESULT OnStateChanged(uint32_t) override { return S_OK; }
    HRESULT OnError(HRESULT, uint32_t, const char16_t *, const char16_t *) override { return S_OK; }
    HRESULT OnProgress(int32_t, const char16_t *, int32_t) override { return S_OK; }
    HRESULT OnFinished(HRESULT result) override { return result; }
};

// The reference count of the object behind an interface.
ULONG Count(IUnknown *object)
{
    object->AddRef();
    return object->Release();
}

TEST(UnknownImpl, AnswersEachListedInterfaceAndCountsReferences)
{
    CComPtr<ITestCounter> counter;
    ASSERT_EQ(CreateComObject<CBoth>(nullptr, IID_ITestCounter, counter.ReceiveVoid()), S_OK);
    EXPECT_EQ(Count(counter.Get()), 1u);
    CComPtr<ICallback> callback;
    ASSERT_EQ(counter.QueryInterface(callback), S_OK);
    EXPECT_EQ(callback->OnFinished(E_ABORT), E_ABORT);
    EXPECT_EQ(Count(counter.Get()), 2u);

    // IUnknown is the same pointer whichever interface it is asked from.
    CComPtr<IUnknown> viaCounter, viaCallback;
    ASSERT_EQ(counter.QueryInterface(viaCounter), S_OK);
    ASSERT_EQ(callback.QueryInterface(viaCallback), S_OK);
    EXPECT_EQ(viaCounter, viaCallback);
    void *missing = &missing;
    EXPECT_EQ(callback->QueryInterface(IID_IViewHost, &missing), E_NOINTERFACE);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(counter->QueryInterface(IID_ICallback, nullptr), E_POINTER);
    counter = nullptr;
    callback = nullptr;
    viaCounter = nullptr;
    EXPECT_EQ(g_alive, 1);
    viaCallback = nullptr;
    EXPECT_EQ(g_alive, 0);

    // A failed creation leaves nothing behind.
    EXPECT_EQ(CreateComObject<CBoth>(nullptr, IID_IViewHost, &missing), E_NOINTERFACE);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(CreateComObject<CBoth>(nullptr, IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(g_alive, 0);
}

// An outer object that aggregates a CBoth and hands out its ICallback.
class COuter final : public CUnknownImpl<ITestCounter>
{
public:
    HRESULT Init()
    {
        IUnknown *controlling = static_cast<ITestCounter *>(this);
        return CreateComObject<CBoth>(controlling, IID_IUnknown, m_inner.ReceiveVoid());
    }
    HRESULT Add(int32_t, int32_t *total) override { return *total = -1, S_OK; }
    HRESULT QueryInterface(const IID &iid, void **object) override
    {
        return iid == IID_ICallback ? m_inner->QueryInterface(iid, object)
                                    : CUnknownImpl<ITestCounter>::QueryInterface(iid, object);
    }

private:
    CComPtr<IUnknown> m_inner;
};

TEST(UnknownImpl, AnAggregatedObjectAnswersForItsOuterObject)
{
    CComPtr<ITestCounter> outer;
    ASSERT_EQ(CreateComObject<COuter>(nullptr, IID_ITestCounter, outer.ReceiveVoid()), S_OK);
    ASSERT_EQ(static_cast<COuter *>(outer.Get())->Init(), S_OK);
    CComPtr<ICallback> callback;
    ASSERT_EQ(outer.QueryInterface(callback), S_OK);
    // The inner object's identity, interfaces and references are the outer's.
    CComPtr<IUnknown> identity;
    CComPtr<ITestCounter> counter;
    ASSERT_EQ(callback.QueryInterface(identity), S_OK);
    ASSERT_EQ(callback.QueryInterface(counter), S_OK);
    EXPECT_EQ(identity.Get(), static_cast<IUnknown *>(outer.Get()));
    int32_t total = 0;
    counter->Add(5, &total);
    EXPECT_EQ(total, -1) << "the outer object's counter, not the inner one's";
    EXPECT_EQ(Count(outer.Get()), 4u);
    void *object = &object;
    EXPECT_EQ(CreateComObject<CBoth>(outer.Get(), IID_ICallback, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    outer = nullptr, callback = nullptr, identity = nullptr, counter = nullptr;
    EXPECT_EQ(g_alive, 0);
}

TEST(SuiteInterfaces, IdentifiersStayAsPublished)
{
    // Modules built earlier carry these values: they must never change.
    EXPECT_EQ(FormatGuid(IID_IViewPlugin), "{4A53D29E-A207-4B5A-839A-AEA13817812E}");
    EXPECT_EQ(FormatGuid(IID_IViewHost), "{F9C9848E-8042-498F-83A8-C6F251338C7C}");
    EXPECT_EQ(FormatGuid(IID_ICallback), "{3758A96F-FE36-4D4C-A00E-87AF92308232}");
    EXPECT_EQ(FormatGuid(IID_IConnectivityServer), "{BD9346AE-B568-4E6F-BECE-C1BA3CC944A0}");
    EXPECT_EQ(FormatGuid(CLSID_ConnectivityServer), "{BCA25A90-FACC-403C-9505-54E8A0BD9263}");
}

TEST(ComPtr, OwnsExactlyOneReference)
{
    CComPtr<ITestCounter> first;
    ASSERT_EQ(CreateComObject<CBoth>(nullptr, IID_ITestCounter, first.ReceiveVoid()), S_OK);
    {
        CComPtr<ITestCounter> copy = first;
        CComPtr<ITestCounter> moved = std::move(copy);
        EXPECT_FALSE(copy);
        moved = first;
        EXPECT_EQ(Count(first.Get()), 2u);
    }
    EXPECT_EQ(Count(first.Get()), 1u);
    // Receive drops what was held before lending the slot.
    CComPtr<ITestCounter> other;
    ASSERT_EQ(CreateComObject<CBoth>(nullptr, IID_ITestCounter, other.ReceiveVoid()), S_OK);
    ASSERT_EQ(first->QueryInterface(IID_ITestCounter, other.ReceiveVoid()), S_OK);
    EXPECT_EQ(g_alive, 1);
    ITestCounter *raw = first.Detach();
    EXPECT_FALSE(first);
    EXPECT_EQ(raw->Release(), 1u) << "other still holds the object";
    other = nullptr;
    EXPECT_EQ(g_alive, 0);
    CComPtr<ICallback> none;
    EXPECT_EQ(first.QueryInterface(none), E_POINTER);
}

TEST(TextBuffer, CopiesWhatFitsAndTellsTheFullLength)
{
    char16_t buffer[8];
    uint32_t length = 99;
    EXPECT_EQ(CopyTextToBuffer(u"Phone", 5, buffer, 6, &length), S_OK);
    EXPECT_EQ(std::u16string_view(buffer), u"Phone");
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(CopyTextToBuffer(u"Phone", 5, buffer, 5, &length), E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string_view(buffer), u"Phon");
    EXPECT_EQ(CopyTextToBuffer(u"Phone", 5, buffer, 1, &length), E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(buffer[0], u'\0');
    length = 99;
    EXPECT_EQ(CopyTextToBuffer(u"Phone", 5, nullptr, 0, &length), E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(CopyTextToBuffer(u"", 0, nullptr, 0, &length), S_OK);
    EXPECT_EQ(CopyTextToBuffer(u"Phone", 5, nullptr, 4, &length), E_POINTER);
    EXPECT_EQ(CopyTextToBuffer(u"Phone", 5, buffer, 8, nullptr), E_POINTER);
}

// The interfaces are bare vtables, as the ABI demands.
template<class I>
constexpr bool
    kIsBareInterface = std::is_polymorphic_v<I> && sizeof(I) == sizeof(void *) &&
                       !std::has_virtual_destructor_v<I> && std::is_base_of_v<IUnknown, I>;
static_assert(kIsBareInterface<IUnknown> && kIsBareInterface<IClassFactory>);
static_assert(kIsBareInterface<IViewPlugin> && kIsBareInterface<IViewHost>);
static_assert(kIsBareInterface<ICallback> && kIsBareInterface<IConnectivityServer>);

} // namespace
