// The control site as hosts use it, against the test control's module in a private registry.
#include "activex/control_site.h"
#include "com/registry.h"
#include "test_control.h"
#include "variant_arguments.h"

#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr const char *kProgId = "Test.SiteCtrl";

class ControlSiteTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string classKey = "CLSID\\" + guidToString(CLSID_TestCtrl);
        ASSERT_EQ(Registry::setValue(classKey + "\\InprocServer32", "", ACTIVEX_TEST_MODULE), S_OK);
        ASSERT_EQ(
            Registry::setValue(std::string(kProgId) + "\\CLSID", "", guidToString(CLSID_TestCtrl)),
            S_OK);
    }
    void TearDown() override { std::remove(Registry::path().c_str()); }

    ControlSite site;
    std::string error;
};

TEST_F(ControlSiteTest, CreatesByProgIdOrClsidAndInvokesByDispidOrName) {
    for (const bool byProgId : {true, false}) {
        SCOPED_TRACE(byProgId ? "by ProgID" : "by CLSID");
        ASSERT_EQ(byProgId ? site.create(kProgId, error) : site.create(CLSID_TestCtrl, error), S_OK)
            << error;
        ASSERT_NE(site.methodsInfo(), nullptr);
        Variant sum;
        ASSERT_EQ(site.invoke(1, std::vector{variantI4(40), variantI2(2)}, sum.get()), S_OK);
        EXPECT_EQ(sum.type(), VT_I4);
        EXPECT_EQ(sum->lVal, 42);
        Variant negated;
        ASSERT_EQ(site.invoke("nEGATE", std::vector{variantI4(1)}, negated.get()), S_OK)
            << "converted to the parameter's type by the control";
        EXPECT_EQ(negated->iVal, -1);
        const FUNCDESC *function = nullptr;
        ASSERT_EQ(site.findMethod("echo", &function), S_OK);
        EXPECT_EQ(function->memid, 2);
    }
}

TEST_F(ControlSiteTest, EventsReachTheHandlerUntilTheSiteCloses) {
    ASSERT_EQ(site.create(kProgId, error), S_OK) << error;
    std::vector<std::pair<DISPID, int32_t>> events;
    ASSERT_EQ(site.advise(
                  [&events](DISPID dispid, std::span<const VARIANT> args) {
                      ASSERT_EQ(args.size(), 1u);
                      EXPECT_EQ(args[0].vt, VT_I2);
                      events.emplace_back(dispid, args[0].iVal);
                  },
                  error),
              S_OK)
        << error;
    DISPID pinged = DISPID_UNKNOWN;
    ASSERT_EQ(site.findEvent("PINGED", pinged), S_OK);
    ASSERT_EQ(site.invoke("Ping", {}), S_OK);
    EXPECT_EQ(events, (std::vector<std::pair<DISPID, int32_t>>{{pinged, 7}}));
    EXPECT_EQ(site.advise([](DISPID, std::span<const VARIANT>) {}, error), E_UNEXPECTED)
        << "one sink per site";

    site.close();
    EXPECT_EQ(site.invoke(5, {}), E_UNEXPECTED);
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(ControlSiteTest, WaitForEventReturnsOnTheNextEventOrWhenTheTimeIsUp) {
    using namespace std::chrono_literals;
    ASSERT_EQ(site.create(kProgId, error), S_OK) << error;
    EXPECT_EQ(site.waitForEvent(0ms), E_UNEXPECTED) << "not advised";
    int events = 0;
    ASSERT_EQ(site.advise([&events](DISPID, std::span<const VARIANT>) { ++events; }, error), S_OK)
        << error;
    EXPECT_EQ(site.waitForEvent(0ms), S_FALSE);

    ASSERT_EQ(site.invoke("Ping", {}), S_OK);
    ASSERT_EQ(site.invoke("Ping", {}), S_OK);
    EXPECT_EQ(site.waitForEvent(0ms), S_OK) << "the events fired before the wait count";
    EXPECT_EQ(site.waitForEvent(0ms), S_FALSE) << "and only once";

    // Fired from the event loop that the wait runs; the timer is only a limit, never reached.
    QTimer::singleShot(0, [this] { ASSERT_EQ(site.invoke("Ping", {}), S_OK); });
    EXPECT_EQ(site.waitForEvent(60s), S_OK);
    EXPECT_EQ(events, 3);

    HRESULT elsewhere = S_OK;
    std::thread([this, &elsewhere] { elsewhere = site.waitForEvent(0ms); }).join();
    EXPECT_EQ(elsewhere, RPC_E_WRONG_THREAD) << "events arrive on the control's thread only";
}

TEST_F(ControlSiteTest, FailuresSayWhichStepFailed) {
    const auto expectFailure = [this](HRESULT actual, HRESULT expected, const char *message) {
        EXPECT_EQ(actual, expected) << message;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    };
    expectFailure(site.create("Test.Nothing", error), CO_E_CLASSSTRING,
                  "Test.Nothing is not registered");
    expectFailure(site.create(IID_DTestCtrl, error), REGDB_E_CLASSNOTREG,
                  "cannot create {5D0B7A11-6C1E-4F2A-9E37-0A1B2C3D4E50}");
    expectFailure(site.advise([](DISPID, std::span<const VARIANT>) {}, error), E_UNEXPECTED,
                  "cannot connect to the events of");
    EXPECT_EQ(site.invoke("Add", {}), E_UNEXPECTED) << "nothing created";
    ASSERT_EQ(site.create(CLSID_TestCtrl, error), S_OK) << error;
    EXPECT_EQ(site.invoke("Rewind", {}), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(site.invoke(1, std::vector{variantI4(1)}), DISP_E_BADPARAMCOUNT);
}

} // namespace
