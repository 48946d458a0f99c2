#pragma once

#include "platform/com/Unknown.h"

#include <cstddef>
#include <utility>

// Holds one reference to an interface and releases it when it lets go.
template<class T>
class CComPtr
{
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) {}
    // Takes a reference of its own; the caller keeps its reference.
    CComPtr(T *pointer)
        : m_pointer(pointer)
    {
        if (m_pointer)
            m_pointer->AddRef();
    }
    CComPtr(const CComPtr &other)
        : CComPtr(other.m_pointer)
    {}
    CComPtr(CComPtr &&other) noexcept
        : m_pointer(std::exchange(other.m_pointer, nullptr))
    {}
    ~CComPtr() { Reset(); }

    CComPtr &operator=(const CComPtr &other)
    {
        CComPtr(other).Swap(*this);
        return *this;
    }
    CComPtr &operator=(CComPtr &&other) noexcept
    {
        CComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    CComPtr &operator=(T *pointer)
    {
        CComPtr(pointer).Swap(*this);
        return *this;
    }

    T *Get() const { return m_pointer; }
    T *operator->() const { return m_pointer; }
    T &operator*() const { return *m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Releases the reference held, if any.
    void Reset()
    {
        if (T *old = std::exchange(m_pointer, nullptr))
            old->Release();
    }
    // Takes over a reference the caller owns, without AddRef.
    void Attach(T *pointer)
    {
        Reset();
        m_pointer = pointer;
    }
    // Gives the reference held to the caller.
    T *Detach() { return std::exchange(m_pointer, nullptr); }

    // For out-parameters: releases the reference held and lends the slot, which
    // the callee fills with a reference the pointer then owns.
    T **Receive()
    {
        Reset();
        return &m_pointer;
    }
    void **ReceiveVoid() { return reinterpret_cast<void **>(Receive()); }

    // Hands out an additional reference.
    HRESULT CopyTo(T **out) const
    {
        if (!out)
            return E_POINTER;
        *out = m_pointer;
        if (m_pointer)
            m_pointer->AddRef();
        return S_OK;
    }

    template<class Q>
    HRESULT QueryInterface(CComPtr<Q> &out) const
    {
        if (!m_pointer) {
            out.Reset();
            return E_POINTER;
        }
        return m_pointer->QueryInterface(IidOf<Q>(), out.ReceiveVoid());
    }

    void Swap(CComPtr &other) noexcept { std::swap(m_pointer, other.m_pointer); }

    friend bool operator==(const CComPtr &a, const CComPtr &b)
    {
        return a.m_pointer == b.m_pointer;
    }
    friend bool operator==(const CComPtr &a, std::nullptr_t) { return a.m_pointer == nullptr; }

private:
    T *m_pointer = nullptr;
};
