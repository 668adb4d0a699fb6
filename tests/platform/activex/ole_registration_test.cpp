#include "activex/ole_registration.h"
#include "com/registry.h"
#include "test_control.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kClassKey = "CLSID\\" + guidToString(CLSID_TestCtrl);

class OleRegistrationTest : public testing::Test {
  protected:
    void SetUp() override { std::remove(Registry::path().c_str()); }
    void TearDown() override { std::remove(Registry::path().c_str()); }

    static std::optional<std::string> value(const std::string &key, const std::string &name = {}) {
        RegistryTree tree;
        EXPECT_EQ(Registry::read(tree), S_OK);
        return tree.value(key, name);
    }

    static bool hasKey(const std::string &key) {
        RegistryTree tree;
        EXPECT_EQ(Registry::read(tree), S_OK);
        return tree.hasKey(key);
    }
};

TEST_F(OleRegistrationTest, ControlClassWritesItsKeysAndUnregisteringRemovesThem) {
    const std::string path = AfxGetInstanceHandle()->ModuleFileName();
    ASSERT_EQ(Registry::setValue("Unrelated\\Key", "", "kept"), S_OK);
    ASSERT_NE(AfxOleRegisterControlClass(AfxGetInstanceHandle(), CLSID_TestCtrl, "Test.Ctrl",
                                         kTestStringName, 3, afxRegDefault, 0x20191, LIBID_TestLib,
                                         1, 0),
              0);
    EXPECT_EQ(value(kClassKey), "Test Control");
    EXPECT_EQ(value(kClassKey + "\\InprocServer32"), path);
    EXPECT_EQ(value(kClassKey + "\\InprocServer32", "ThreadingModel"), std::nullopt);
    EXPECT_EQ(value(kClassKey + "\\ProgID"), "Test.Ctrl");
    EXPECT_TRUE(hasKey(kClassKey + "\\Control"));
    EXPECT_FALSE(hasKey(kClassKey + "\\Insertable"));
    EXPECT_EQ(value(kClassKey + "\\ToolboxBitmap32"), path + ", 3");
    EXPECT_EQ(value(kClassKey + "\\MiscStatus"), "0");
    EXPECT_EQ(value(kClassKey + "\\MiscStatus\\1"), "131473");
    EXPECT_EQ(value(kClassKey + "\\TypeLib"), guidToString(LIBID_TestLib));
    EXPECT_EQ(value(kClassKey + "\\Version"), "1.0");
    EXPECT_EQ(value("Test.Ctrl"), "Test Control");
    EXPECT_EQ(value("Test.Ctrl\\CLSID"), guidToString(CLSID_TestCtrl));

    ASSERT_NE(AfxOleUnregisterClass(CLSID_TestCtrl, "Test.Ctrl"), 0);
    EXPECT_FALSE(hasKey(kClassKey));
    EXPECT_FALSE(hasKey("Test.Ctrl"));
    EXPECT_EQ(value("Unrelated\\Key"), "kept");
}

TEST_F(OleRegistrationTest, FlagsAddTheThreadingModelAndInsertableKeys) {
    ASSERT_NE(AfxOleRegisterControlClass(
                  AfxGetInstanceHandle(), CLSID_TestCtrl, "Test.Ctrl", kTestStringName, 1,
                  afxRegInsertable | afxRegApartmentThreading, 0, LIBID_TestLib, 1, 0),
              0);
    EXPECT_EQ(value(kClassKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_TRUE(hasKey(kClassKey + "\\Insertable"));
    EXPECT_TRUE(hasKey("Test.Ctrl\\Insertable"));
}

TEST_F(OleRegistrationTest, PropertyPageClassHasANameAndAServerOnly) {
    ASSERT_NE(
        AfxOleRegisterPropertyPageClass(AfxGetInstanceHandle(), CLSID_TestCtrl, kTestStringName),
        0);
    RegistryTree tree;
    ASSERT_EQ(Registry::read(tree), S_OK);
    EXPECT_EQ(tree.value(kClassKey), "Test Control");
    EXPECT_EQ(tree.subkeys(kClassKey), std::vector<std::string>{"InprocServer32"});
    ASSERT_NE(AfxOleUnregisterClass(CLSID_TestCtrl, nullptr), 0);
    EXPECT_FALSE(hasKey(kClassKey));
}

TEST_F(OleRegistrationTest, UnregisteringALibraryThatIsNotRegisteredFails) {
    EXPECT_EQ(AfxOleUnregisterTypeLib(LIBID_TestLib), 0);
    EXPECT_EQ(AfxOleUnregisterTypeLib(LIBID_TestLib, 1, 0, 0), 0);
}

TEST_F(OleRegistrationTest, TypeLibraryOfAModuleWithoutOneIsNotRegistered) {
    EXPECT_EQ(AfxOleRegisterTypeLib(AfxGetInstanceHandle(), LIBID_TestLib), 0);
    EXPECT_FALSE(hasKey("TypeLib\\" + guidToString(LIBID_TestLib)));
}

TEST(OleObjectFactoryTest, CreatesObjectsAndCountsThemForUnloading) {
    class Factory final : public COleObjectFactory {
      public:
        Factory()
            : COleObjectFactory(CLSID_TestCtrl, &TestCtrl::classTestCtrl, 0, "Test.Ctrl") {}
        BOOL UpdateRegistry(BOOL) override { return 1; }
    } factory;

    ComPtr<IClassFactory> classFactory;
    ASSERT_EQ(AfxDllGetClassObject(CLSID_TestCtrl, IID_IClassFactory, classFactory.putVoid()),
              S_OK);
    void *unused = nullptr;
    EXPECT_EQ(AfxDllGetClassObject(IID_DTestCtrl, IID_IClassFactory, &unused),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE) << "a factory reference is held";

    ComPtr<IDispatch> control;
    ComPtr<IDispatch> outer = createTestControl();
    EXPECT_EQ(classFactory->CreateInstance(outer.get(), IID_IDispatch, control.putVoid()),
              CLASS_E_NOAGGREGATION);
    outer.reset();
    ASSERT_EQ(classFactory->CreateInstance(nullptr, IID_IDispatch, control.putVoid()), S_OK);
    EXPECT_EQ(classFactory->CreateInstance(nullptr, IID_IClassFactory, &unused), E_NOINTERFACE);
    classFactory.reset();
    EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE) << "an object is alive";
    control.reset();
    EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
}

} // namespace
