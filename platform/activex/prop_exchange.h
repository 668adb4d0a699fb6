// Property exchange: one routine that both saves a control's persistent values into a host's
// property bag and loads them back, depending on the direction of the exchange.
#pragma once

#include "activex/ole_interfaces.h"

class CPropExchange {
  public:
    CPropExchange(IPropertyBag *bag, bool loading)
        : m_bag(bag)
        , m_loading(loading) {}

    BOOL IsLoading() const { return m_loading ? 1 : 0; }
    // The version being saved, or the one found when loading.
    DWORD GetVersion() const { return m_version; }
    void SetVersion(DWORD version) { m_version = version; }
    // True once the bag has refused a write.
    bool Failed() const { return m_failed; }

    // Saves *value, or loads it (defaultValue when the bag has none or it does not convert).
    // Zero when the bag refused a write.
    BOOL ExchangeLong(const char *name, int32_t *value, int32_t defaultValue);

  private:
    IPropertyBag *m_bag;
    bool m_loading;
    DWORD m_version = 0;
    bool m_failed = false;
};

inline BOOL PX_Long(CPropExchange *pPX, const char *name, int32_t &value, int32_t defaultValue) {
    return pPX->ExchangeLong(name, &value, defaultValue);
}
