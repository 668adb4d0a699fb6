// Placeholder until variants land.
#include "com/variant.h"

void VariantInit(VARIANT *v) { v->vt = VT_EMPTY; }
HRESULT VariantClear(VARIANT *) { return E_NOTIMPL; }
HRESULT VariantCopy(VARIANT *, const VARIANT *) { return E_NOTIMPL; }
HRESULT VariantCopyInd(VARIANT *, const VARIANT *) { return E_NOTIMPL; }
HRESULT VariantChangeType(VARIANT *, const VARIANT *, uint16_t, VARTYPE) { return E_NOTIMPL; }
Variant::Variant(int16_t) { VariantInit(&m_value); }
Variant::Variant(int32_t) { VariantInit(&m_value); }
Variant::Variant(float) { VariantInit(&m_value); }
Variant::Variant(bool) { VariantInit(&m_value); }
Variant::Variant(std::string_view) { VariantInit(&m_value); }
Variant::Variant(const Variant &) { VariantInit(&m_value); }
Variant::Variant(Variant &&) noexcept { VariantInit(&m_value); }
Variant &Variant::operator=(Variant) noexcept { return *this; }
Variant Variant::attach(VARIANT &) { return {}; }
HRESULT Variant::changeType(VARTYPE, uint16_t) { return E_NOTIMPL; }
