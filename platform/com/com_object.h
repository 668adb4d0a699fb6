// The one way objects here implement IUnknown: QueryInterface over a list of interfaces and
// their bases, and reference counting, written once instead of in every class.
#pragma once

#include "com/unknown.h"

#include <atomic>
#include <initializer_list>
#include <type_traits>

namespace com_object_detail {

// object seen as the interface of its chain (Interface and the bases it extends) that riid
// names, or null. IUnknown itself is left out: only the first listed interface answers it.
template <typename Interface> void *findInChain(Interface *object, REFIID riid) {
    if constexpr (std::is_same_v<Interface, IUnknown>) {
        return nullptr;
    } else {
        using Base = typename InterfaceTraits<Interface>::BaseInterface;
        static_assert(std::is_base_of_v<Base, Interface>, "an interface's traits name its base");
        if (riid == InterfaceTraits<Interface>::id())
            return object;
        return findInChain<Base>(object, riid);
    }
}

} // namespace com_object_detail

// QueryInterface for an object that derives from Interfaces: each listed interface and every
// interface it extends is answered, and IID_IUnknown by the first, so that the object has one
// identity. AddRef and Release are left to the class; ComObject below is the usual choice.
template <typename First, typename... Rest> class ComInterfaces : public First, public Rest... {
  public:
    HRESULT QueryInterface(REFIID riid, void **ppvObject) override {
        if (ppvObject == nullptr)
            return E_POINTER;
        *ppvObject = find(riid);
        if (*ppvObject == nullptr)
            return E_NOINTERFACE;
        static_cast<First *>(this)->AddRef();
        return S_OK;
    }

  protected:
    ComInterfaces() = default;
    ~ComInterfaces() override = default;

    // Identifiers known only at run time (the dispatch interface of a control or of an event
    // source, served by IDispatch) or interfaces held in members: the pointer to hand out, of
    // the type riid names, or null. The object takes the reference for it.
    virtual void *findOtherInterface(REFIID) { return nullptr; }

  private:
    void *find(REFIID riid) {
        if (riid == IID_IUnknown)
            return static_cast<IUnknown *>(static_cast<First *>(this));
        for (void *found : {com_object_detail::findInChain<First>(this, riid),
                            com_object_detail::findInChain<Rest>(this, riid)...})
            if (found != nullptr)
                return found;
        return findOtherInterface(riid);
    }
};

// An object that lives by its references: counted atomically, as the last Release may come
// from any thread, and deleted with the last one. It starts with the one reference its creator
// holds.
template <typename... Interfaces> class ComObject : public ComInterfaces<Interfaces...> {
  public:
    uint32_t AddRef() override { return m_references.fetch_add(1) + 1; }
    uint32_t Release() override {
        const uint32_t left = m_references.fetch_sub(1) - 1;
        if (left == 0)
            delete this;
        return left;
    }

  protected:
    ComObject() = default;
    ~ComObject() override = default;

  private:
    std::atomic<uint32_t> m_references{1};
};

// An interface that an object gives through a member rather than through itself, so that the
// member's method names stay apart from the object's: identity and references are the owner's.
template <typename Interface> class ComPart : public Interface {
  public:
    explicit ComPart(IUnknown &owner)
        : m_owner(owner) {}
    ComPart(const ComPart &) = delete;
    ComPart &operator=(const ComPart &) = delete;

    HRESULT QueryInterface(REFIID riid, void **ppvObject) override {
        return m_owner.QueryInterface(riid, ppvObject);
    }
    uint32_t AddRef() override { return m_owner.AddRef(); }
    uint32_t Release() override { return m_owner.Release(); }

  protected:
    ~ComPart() override = default;

  private:
    IUnknown &m_owner;
};
