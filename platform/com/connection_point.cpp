// Placeholder until connection points land.
#include "com/connection_point.h"

const IID IID_IConnectionPointContainer = makeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
const IID IID_IConnectionPoint = makeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");
const IID IID_IDispatch = makeGuid("{00020400-0000-0000-C000-000000000046}");
const IID IID_NULL = GUID_NULL;

ConnectionPoint::ConnectionPoint(IConnectionPointContainer &container, REFIID eventInterface)
    : m_container(container), m_eventInterface(eventInterface) {}
ConnectionPoint::~ConnectionPoint() = default;
HRESULT ConnectionPoint::QueryInterface(REFIID, void **) { return E_NOTIMPL; }
uint32_t ConnectionPoint::AddRef() { return 1; }
uint32_t ConnectionPoint::Release() { return 1; }
HRESULT ConnectionPoint::GetConnectionInterface(IID *) { return E_NOTIMPL; }
HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer **) { return E_NOTIMPL; }
HRESULT ConnectionPoint::Advise(IUnknown *, uint32_t *) { return E_NOTIMPL; }
HRESULT ConnectionPoint::Unadvise(uint32_t) { return E_NOTIMPL; }
HRESULT ConnectionPoint::fire(DISPID, DISPPARAMS &) { return E_NOTIMPL; }
HRESULT ConnectionPoint::fire(DISPID, std::span<const VARIANT>) { return E_NOTIMPL; }
void ConnectionPoint::unadviseAll() {}
