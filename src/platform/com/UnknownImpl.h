#pragma once

#include "platform/com/Unknown.h"

#include <atomic>
#include <new>
#include <tuple>
#include <utility>

// QueryInterface, AddRef and Release for an object that implements the listed
// interfaces: QueryInterface answers IUnknown and each of them, nothing else.
// An object may be aggregated: then every interface delegates its IUnknown
// methods to the outer object, and the outer object holds the inner unknown.
// Objects are made by CreateComObject and delete themselves on their last
// Release.
template<class... Interfaces>
class CUnknownImpl : public Interfaces...
{
    static_assert(sizeof...(Interfaces) > 0, "an object implements at least one interface");
    using Primary = std::tuple_element_t<0, std::tuple<Interfaces...>>;

public:
    HRESULT QueryInterface(const IID &iid, void **object) override
    {
        return m_outer ? m_outer->QueryInterface(iid, object) : InnerQueryInterface(iid, object);
    }
    ULONG AddRef() override { return m_outer ? m_outer->AddRef() : InnerAddRef(); }
    ULONG Release() override { return m_outer ? m_outer->Release() : InnerRelease(); }

protected:
    CUnknownImpl() = default;
    CUnknownImpl(const CUnknownImpl &) = delete;
    CUnknownImpl &operator=(const CUnknownImpl &) = delete;
    virtual ~CUnknownImpl() = default;

private:
    // The unknown that an aggregating object owns; it never delegates.
    class CInnerUnknown final : public IUnknown
    {
    public:
        explicit CInnerUnknown(CUnknownImpl *owner)
            : m_owner(owner)
        {}
        virtual ~CInnerUnknown() = default;
        HRESULT QueryInterface(const IID &iid, void **object) override
        {
            return m_owner->InnerQueryInterface(iid, object);
        }
        ULONG AddRef() override { return m_owner->InnerAddRef(); }
        ULONG Release() override { return m_owner->InnerRelease(); }

    private:
        CUnknownImpl *m_owner;
    };

    HRESULT InnerQueryInterface(const IID &iid, void **object)
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown) {
            IUnknown *identity = m_outer ? static_cast<IUnknown *>(&m_inner)
                                         : static_cast<IUnknown *>(static_cast<Primary *>(this));
            identity->AddRef();
            *object = identity;
            return S_OK;
        }
        const bool found = (Answer<Interfaces>(iid, object) || ...);
        return found ? S_OK : E_NOINTERFACE;
    }

    template<class Interface>
    bool Answer(const IID &iid, void **object)
    {
        if (!(iid == IidOf<Interface>()))
            return false;
        Interface *pointer = this;
        pointer->AddRef();
        *object = pointer;
        return true;
    }

    ULONG InnerAddRef() { return ++m_references; }

    ULONG InnerRelease()
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    template<class T, class... Args>
    friend HRESULT CreateComObject(IUnknown *outer, const IID &iid, void **object, Args &&...args);

    std::atomic<ULONG> m_references{0};
    IUnknown *m_outer = nullptr;
    CInnerUnknown m_inner{this};
};

// Makes a T (a CUnknownImpl) and hands out its interface iid; with an outer
// object only IUnknown may be asked for, as aggregation requires. The object
// owns itself from here on: its last Release deletes it.
template<class T, class... Args>
HRESULT CreateComObject(IUnknown *outer, const IID &iid, void **object, Args &&...args)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer && !(iid == IID_IUnknown))
        return CLASS_E_NOAGGREGATION;
    T *instance = new (std::nothrow) T(std::forward<Args>(args)...);
    if (!instance)
        return E_OUTOFMEMORY;
    instance->m_outer = outer;
    // Held across the query, so that a failed query frees the object.
    instance->InnerAddRef();
    const HRESULT result = instance->InnerQueryInterface(iid, object);
    instance->InnerRelease();
    return result;
}
