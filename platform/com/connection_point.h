// Outgoing interfaces: a source object's connection points, to which sinks are advised, and
// a reusable connection point for such objects.
#pragma once

#include "com/com_object.h"
#include "com/dispatch.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

extern const IID IID_IConnectionPointContainer;
extern const IID IID_IConnectionPoint;

struct IConnectionPoint;

// Enumeration of connection points and of connections is not offered by this runtime.
struct IConnectionPointContainer : IUnknown {
    // CONNECT_E_NOCONNECTION when the object has no connection point for riid.
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) = 0;
};
template <>
struct InterfaceTraits<IConnectionPointContainer>
    : InterfaceDescription<IUnknown, IID_IConnectionPointContainer> {};

struct IConnectionPoint : IUnknown {
    virtual HRESULT GetConnectionInterface(IID *pIID) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer **ppCPC) = 0;
    // The sink must answer QueryInterface for the connection interface or for IDispatch,
    // else CONNECT_E_CANNOTCONNECT. The cookie is never 0.
    virtual HRESULT Advise(IUnknown *sink, uint32_t *pdwCookie) = 0;
    // CONNECT_E_NOCONNECTION for a cookie that is not (or no longer) advised.
    virtual HRESULT Unadvise(uint32_t dwCookie) = 0;
};
template <>
struct InterfaceTraits<IConnectionPoint> : InterfaceDescription<IUnknown, IID_IConnectionPoint> {};

// A connection point for one dispatch event interface, meant to be a member of the source
// object: an object of its own for QueryInterface, but its reference count is the container's,
// so it lives exactly as long as the object.
// Sinks are held as IDispatch and events reach them through IDispatch::Invoke.
// Single-threaded, like the objects that own it.
class ConnectionPoint final : public ComInterfaces<IConnectionPoint> {
  public:
    ConnectionPoint(IConnectionPointContainer &container, REFIID eventInterface);
    ~ConnectionPoint() override;
    ConnectionPoint(const ConnectionPoint &) = delete;
    ConnectionPoint &operator=(const ConnectionPoint &) = delete;

    uint32_t AddRef() override { return m_container.AddRef(); }
    uint32_t Release() override { return m_container.Release(); }
    HRESULT GetConnectionInterface(IID *pIID) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer **ppCPC) override;
    HRESULT Advise(IUnknown *sink, uint32_t *pdwCookie) override;
    HRESULT Unadvise(uint32_t dwCookie) override;

    const IID &eventInterface() const { return m_eventInterface; }

    // Calls dispid on every sink advised when the call starts, even if a sink unadvises
    // itself or another one meanwhile. args are in the platform's reverse order.
    // A sink's failure does not stop the others; the result is S_OK.
    HRESULT fire(DISPID dispid, DISPPARAMS &args);
    // The same with the arguments given in their natural order.
    HRESULT fire(DISPID dispid, std::span<const VARIANT> argsInOrder);

    // Releases every sink, for a source that is shutting down.
    void unadviseAll();

  private:
    IConnectionPointContainer &m_container;
    IID m_eventInterface;
    uint32_t m_nextCookie = 1;
    std::vector<std::pair<uint32_t, ComPtr<IDispatch>>> m_sinks;
};
