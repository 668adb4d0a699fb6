// The root interface of every object: interface negotiation and reference counting.
#pragma once

#include "com/guid.h"
#include "com/hresult.h"

#include <cstdint>
#include <utility>

extern const IID IID_IUnknown;

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void **ppvObject) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

  protected:
    // Objects die through Release only; the destructor is virtual so that implementations
    // need not all be final to satisfy -Wnon-virtual-dtor.
    virtual ~IUnknown() = default;
};

// What QueryInterface must know of an interface: its identifier and the interface it extends.
// Each interface declares it beside itself, so that one it forgot is a compile error rather
// than an identifier silently not answered.
template <typename Interface> struct InterfaceTraits;

template <typename Base, const IID &kId> struct InterfaceDescription {
    using BaseInterface = Base;
    static const IID &id() { return kId; }
};

template <> struct InterfaceTraits<IUnknown> : InterfaceDescription<void, IID_IUnknown> {};

// Owns one reference to an interface pointer.
template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to p (AddRef), like a copy.
    explicit ComPtr(T *p)
        : m_p(p) {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr &other)
        : ComPtr(other.m_p) {}
    ComPtr(ComPtr &&other) noexcept
        : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr &operator=(ComPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static ComPtr attach(T *p) {
        ComPtr result;
        result.m_p = p;
        return result;
    }

    // Gives up ownership without Release.
    [[nodiscard]] T *detach() { return std::exchange(m_p, nullptr); }

    void reset() {
        if (T *p = std::exchange(m_p, nullptr))
            p->Release();
    }

    // For out-parameters: releases what is held and returns the slot to fill.
    T **put() {
        reset();
        return &m_p;
    }
    void **putVoid() { return reinterpret_cast<void **>(put()); }

    // Queries for another interface of the same object.
    template <typename U> HRESULT queryInterface(REFIID riid, ComPtr<U> &out) const {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(riid, out.putVoid());
    }

    T *get() const { return m_p; }
    T *operator->() const { return m_p; }
    T &operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

  private:
    T *m_p = nullptr;
};
