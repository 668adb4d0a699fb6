#include "dispatch_call.h"
#include "number_event_sink.h"
#include "test_control.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <thread>

namespace {

TestCtrl &testCtrl(const ComPtr<IDispatch> &control) {
    return static_cast<TestCtrl &>(*control.get());
}

ComPtr<IConnectionPoint> eventConnection(const ComPtr<IDispatch> &control) {
    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(control.queryInterface(IID_IConnectionPointContainer, container), S_OK);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_DTestCtrlEvents, point.put()), S_OK);
    return point;
}

TEST(OleControlEventsTest, OnlyTheEventInterfaceHasAConnectionPoint) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(control.queryInterface(IID_IConnectionPointContainer, container), S_OK);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_DTestCtrl, point.put()), CONNECT_E_NOCONNECTION);
    EXPECT_FALSE(point);
}

TEST(OleControlEventsTest, EventsReachEveryAdvisedSinkWithTheMapsTypesUntilUnadvised) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IConnectionPoint> point = eventConnection(control);
    NumberEventSink first(IID_DTestCtrlEvents);
    NumberEventSink second(IID_DTestCtrlEvents);
    uint32_t firstCookie = 0;
    uint32_t secondCookie = 0;
    ASSERT_EQ(point->Advise(&first, &firstCookie), S_OK);
    ASSERT_EQ(point->Advise(&second, &secondCookie), S_OK);

    ASSERT_EQ(invokeMethod(control.get(), 5, {}), S_OK);
    ASSERT_EQ(first.events.size(), 1u);
    EXPECT_EQ(first.events[0].dispid, 1);
    EXPECT_EQ(first.events[0].types, std::vector<VARTYPE>{VT_I2})
        << "fired as a long, declared short";
    EXPECT_EQ(first.events[0].values, std::vector<int32_t>{7});
    EXPECT_EQ(second.events.size(), 1u);

    ASSERT_EQ(point->Unadvise(firstCookie), S_OK);
    ASSERT_EQ(invokeMethod(control.get(), 5, {}), S_OK);
    EXPECT_EQ(first.events.size(), 1u);
    EXPECT_EQ(second.events.size(), 2u);
    EXPECT_EQ(point->Unadvise(firstCookie), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(point->Unadvise(secondCookie), S_OK);
}

TEST(OleControlEventsTest, EventsThatDoNotMatchTheMapAreNotFired) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IConnectionPoint> point = eventConnection(control);
    NumberEventSink sink(IID_DTestCtrlEvents);
    uint32_t cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    testCtrl(control).FireEvent(2, int16_t{1});
    testCtrl(control).FireEvent(1);
    testCtrl(control).FireEvent(1, int16_t{1}, int16_t{2});
    testCtrl(control).FireEvent(1, int32_t{100000});
    EXPECT_TRUE(sink.events.empty());
    point->Unadvise(cookie);
}

TEST(OleControlEventsTest, CloseReleasesTheSinks) {
    ComPtr<IDispatch> control = createTestControl();
    NumberEventSink sink(IID_DTestCtrlEvents);
    uint32_t cookie = 0;
    ASSERT_EQ(eventConnection(control)->Advise(&sink, &cookie), S_OK);
    EXPECT_EQ(sink.references(), 2u);
    ComPtr<IOleObject> object;
    ASSERT_EQ(control.queryInterface(IID_IOleObject, object), S_OK);
    ASSERT_EQ(object->Close(), S_OK);
    EXPECT_EQ(sink.references(), 1u);
}

TEST(OleControlWindowTest, PostsFromAnyThreadRunOnTheWindowsThread) {
    ComPtr<IDispatch> control = createTestControl();
    TestCtrl &ctrl = testCtrl(control);
    ASSERT_NE(ctrl.GetSafeHwnd(), nullptr);
    std::thread poster([&ctrl] { EXPECT_NE(ctrl.PostMessage(0x3B9, 0x10004, 9), 0); });
    poster.join();
    EXPECT_TRUE(ctrl.messages.empty()) << "a post only queues";
    QCoreApplication::processEvents();
    ASSERT_EQ(ctrl.messages.size(), 1u);
    EXPECT_EQ(ctrl.messages[0].message, 0x3B9u);
    EXPECT_EQ(ctrl.messages[0].wParam, 0x10004u);
    EXPECT_EQ(ctrl.messages[0].lParam, 9);
    EXPECT_TRUE(ctrl.messages[0].onMainThread);
}

TEST(OleControlWindowTest, AGoneControlsWindowRefusesPostsAndDropsQueuedOnes) {
    ComPtr<IDispatch> control = createTestControl();
    const HWND hwnd = testCtrl(control).GetSafeHwnd();
    EXPECT_NE(PostMessageA(hwnd, 1, 2, 3), 0);
    control.reset();
    EXPECT_EQ(PostMessageA(hwnd, 1, 2, 3), 0);
    QCoreApplication::processEvents();
}

TEST(OleControlWindowTest, TheHostMayReleaseTheControlFromInsideItsWindowProcedure) {
    ComPtr<IDispatch> control = createTestControl();
    TestCtrl &ctrl = testCtrl(control);
    ctrl.releaseInWindowProc = control.detach();
    ASSERT_NE(ctrl.PostMessage(0x3B9, 1, 0), 0);
    ASSERT_NE(ctrl.PostMessage(0x3B9, 2, 0), 0);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AfxDllCanUnloadNow(), S_OK) << "the control is gone";
}

} // namespace
