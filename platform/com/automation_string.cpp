// Placeholder until the allocator lands.
#include "com/automation_string.h"

BSTR SysAllocString(const OLECHAR *) { return nullptr; }
BSTR SysAllocStringLen(const OLECHAR *, uint32_t) { return nullptr; }
bool SysReAllocString(BSTR *, const OLECHAR *) { return false; }
void SysFreeString(BSTR) {}
uint32_t SysStringLen(BSTR) { return 0; }
uint32_t SysStringByteLen(BSTR) { return 0; }
BSTR bstrFromUtf8(std::string_view) { return nullptr; }
std::string utf8FromBstr(BSTR) { return {}; }
std::u16string utf16FromUtf8(std::string_view) { return {}; }
std::string utf8FromUtf16(std::u16string_view) { return {}; }
