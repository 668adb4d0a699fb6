// Reading and writing 32-bit values of a property bag.
#include "activex/prop_exchange.h"

#include <string>

BOOL CPropExchange::ExchangeLong(const char *name, int32_t *value, int32_t defaultValue) {
    const std::u16string wideName = utf16FromUtf8(name);
    if (!m_loading) {
        Variant saved(*value);
        if (FAILED(m_bag->Write(wideName.c_str(), saved.get())))
            m_failed = true;
        return m_failed ? 0 : 1;
    }
    Variant loaded;
    if (SUCCEEDED(m_bag->Read(wideName.c_str(), loaded.get())) &&
        SUCCEEDED(loaded.changeType(VT_I4)))
        *value = loaded->lVal;
    else
        *value = defaultValue;
    return 1;
}
