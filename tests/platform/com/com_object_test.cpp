// The one COM object template: every listed interface is reached with its own vtable, all
// share one identity, and the last release deletes the object.
#include "com/class_factory.h"
#include "com/com_object.h"
#include "com/connection_point.h"

#include <gtest/gtest.h>

namespace {

// Each method answers a code of its own, so a call proves which vtable the pointer has.
class TwoInterfaces final : public ComObject<IClassFactory, IConnectionPointContainer> {
  public:
    explicit TwoInterfaces(bool &deleted)
        : m_deleted(deleted) {}
    HRESULT CreateInstance(IUnknown *, REFIID, void **) override { return E_ABORT; }
    HRESULT LockServer(bool) override { return S_FALSE; }
    HRESULT FindConnectionPoint(REFIID, IConnectionPoint **) override { return E_ACCESSDENIED; }

  private:
    ~TwoInterfaces() override { m_deleted = true; }
    bool &m_deleted;
};

TEST(ComObjectTest, AnswersEachListedInterfaceWithOneIdentityAndDeletesOnTheLastRelease) {
    bool deleted = false;
    auto object = ComPtr<IClassFactory>::attach(new TwoInterfaces(deleted));
    ComPtr<IUnknown> identity;
    ASSERT_EQ(object.queryInterface(IID_IUnknown, identity), S_OK);

    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(object.queryInterface(IID_IConnectionPointContainer, container), S_OK);
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, nullptr), E_ACCESSDENIED);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(container.queryInterface(IID_IClassFactory, factory), S_OK);
    EXPECT_EQ(factory->LockServer(true), S_FALSE);
    ComPtr<IUnknown> sameIdentity;
    ASSERT_EQ(container.queryInterface(IID_IUnknown, sameIdentity), S_OK);
    EXPECT_EQ(sameIdentity.get(), identity.get());

    void *none = &deleted;
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    object.reset();
    identity.reset();
    container.reset();
    factory.reset();
    EXPECT_FALSE(deleted) << "one reference is left";
    sameIdentity.reset();
    EXPECT_TRUE(deleted);
}

} // namespace
