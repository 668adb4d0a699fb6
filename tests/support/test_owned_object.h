// The variant of the one COM object template for objects a test owns (on its stack or as a
// member): references are counted so that the test can watch them, and never delete it.
#pragma once

#include "com/com_object.h"

template <typename... Interfaces> class TestOwnedObject : public ComInterfaces<Interfaces...> {
  public:
    uint32_t AddRef() override { return ++m_references; }
    uint32_t Release() override { return --m_references; }
    uint32_t references() const { return m_references; }

  private:
    uint32_t m_references = 1;
};
