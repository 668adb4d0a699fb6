// Events from the test module's object to advised sinks, and the connection point's rules.
#include "com/connection_point.h"
#include "com/creation.h"
#include "test_module_ids.h"
#include "test_owned_object.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {
// Answers to nothing but IUnknown, so it cannot receive dispatch events.
class MuteObject final : public TestOwnedObject<IUnknown> {};

class ConnectionPointTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), S_OK);
        ASSERT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   object.putVoid()),
                  S_OK);
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(object.queryInterface(IID_IConnectionPointContainer, container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(kTestEventsId, point.put()), S_OK);
    }

    void ring(int16_t code) { ASSERT_EQ(invokeMethod(object.get(), kRing, {Variant(code)}), S_OK); }

    static std::vector<int16_t> codes(const VariantEventSink &sink) {
        std::vector<int16_t> result;
        for (const auto &event : sink.events) {
            EXPECT_EQ(event.id, kRungDispid);
            EXPECT_EQ(event.args.size(), 1u);
            EXPECT_EQ(event.args[0].type(), VT_I2);
            result.push_back(event.args[0]->iVal);
        }
        return result;
    }

    PrivateRegistry registry;
    ComPtr<IDispatch> object;
    ComPtr<IConnectionPoint> point;
};
} // namespace

TEST_F(ConnectionPointTest, EventsReachAdvisedSinksUntilUnadvise) {
    VariantEventSink first;
    VariantEventSink second;
    uint32_t firstCookie = 0;
    uint32_t secondCookie = 0;
    ASSERT_EQ(point->Advise(&first, &firstCookie), S_OK);
    ASSERT_EQ(point->Advise(&second, &secondCookie), S_OK);
    EXPECT_NE(firstCookie, 0u);
    EXPECT_NE(firstCookie, secondCookie);
    ring(7);
    ASSERT_EQ(point->Unadvise(firstCookie), S_OK);
    ring(8);
    ASSERT_EQ(point->Unadvise(secondCookie), S_OK);
    ring(9);
    EXPECT_EQ(codes(first), std::vector<int16_t>{7});
    EXPECT_EQ(codes(second), (std::vector<int16_t>{7, 8}));
}

TEST_F(ConnectionPointTest, SinksAreReferencedWhileAdvised) {
    VariantEventSink sink;
    uint32_t cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    EXPECT_EQ(sink.references(), 2u);
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(sink.references(), 1u);
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    point.reset();
    object.reset();
    EXPECT_EQ(sink.references(), 1u) << "the object let go of its sinks when it died";
}

TEST_F(ConnectionPointTest, BadCookiesAndSinksAreRefused) {
    EXPECT_EQ(point->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
    VariantEventSink sink;
    uint32_t cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION) << "a cookie is good once";
    MuteObject mute;
    uint32_t muteCookie = 99;
    EXPECT_EQ(point->Advise(&mute, &muteCookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(muteCookie, 0u);
    EXPECT_EQ(point->Advise(nullptr, &muteCookie), E_POINTER);
}

TEST_F(ConnectionPointTest, SinkMayUnadviseItselfDuringAnEvent) {
    VariantEventSink leaving;
    VariantEventSink staying;
    uint32_t leavingCookie = 0;
    uint32_t stayingCookie = 0;
    ASSERT_EQ(point->Advise(&leaving, &leavingCookie), S_OK);
    ASSERT_EQ(point->Advise(&staying, &stayingCookie), S_OK);
    leaving.onEvent = [&] { EXPECT_EQ(point->Unadvise(leavingCookie), S_OK); };
    ring(1);
    ring(2);
    EXPECT_EQ(codes(leaving), std::vector<int16_t>{1});
    EXPECT_EQ(codes(staying), (std::vector<int16_t>{1, 2}));
    point->Unadvise(stayingCookie);
}

TEST_F(ConnectionPointTest, PointBelongsToItsContainer) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(object.queryInterface(IID_IConnectionPointContainer, container), S_OK);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(kTestDispatchId, none.put()), CONNECT_E_NOCONNECTION);
    IID iid{};
    ASSERT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, kTestEventsId);
    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(back.put()), S_OK);
    EXPECT_EQ(back.get(), container.get());
    container.reset();
    back.reset();
    object.reset();
    ASSERT_EQ(point->GetConnectionInterface(&iid), S_OK) << "the point keeps its object alive";
}
