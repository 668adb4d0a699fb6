#include "test_control.h"
#include "test_owned_object.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

class TestSite final : public TestOwnedObject<IOleInPlaceSite> {
  public:
    explicit TestSite(bool accepts)
        : m_accepts(accepts) {}
    HRESULT OnPosRectChange(const QRect &posRect) override {
        requests.push_back(posRect.size());
        return m_accepts ? S_OK : S_FALSE;
    }
    std::vector<QSize> requests;

  private:
    bool m_accepts;
};

class TestBag final : public TestOwnedObject<IPropertyBag> {
  public:
    HRESULT Read(const OLECHAR *name, VARIANT *value) override {
        const auto found = values.find(utf8FromUtf16(name));
        if (found == values.end())
            return E_INVALIDARG;
        value->vt = VT_I4;
        value->lVal = found->second;
        return S_OK;
    }
    HRESULT Write(const OLECHAR *name, VARIANT *value) override {
        if (refusesWrites || value->vt != VT_I4)
            return E_FAIL;
        values[utf8FromUtf16(name)] = value->lVal;
        return S_OK;
    }
    std::map<std::string, int32_t> values;
    bool refusesWrites = false;
};

TestCtrl &testCtrl(const ComPtr<IDispatch> &control) {
    return static_cast<TestCtrl &>(*control.get());
}

TEST(OleControlEmbeddingTest, ControlSizeChangesOnlyWhenTheHostAgrees) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IOleObject> object;
    ASSERT_EQ(control.queryInterface(IID_IOleObject, object), S_OK);
    QSize extent;
    ASSERT_EQ(object->GetExtent(&extent), S_OK);
    EXPECT_EQ(extent, QSize(30, 20)) << "the initial size";

    EXPECT_NE(testCtrl(control).SetControlSize(40, 25), 0) << "no site: nobody to refuse";
    TestSite refusing(false);
    ASSERT_EQ(object->SetClientSite(&refusing), S_OK);
    EXPECT_EQ(testCtrl(control).SetControlSize(50, 50), 0);
    ASSERT_EQ(object->GetExtent(&extent), S_OK);
    EXPECT_EQ(extent, QSize(40, 25));
    EXPECT_EQ(refusing.requests, std::vector<QSize>{QSize(50, 50)});

    TestSite accepting(true);
    ASSERT_EQ(object->SetClientSite(&accepting), S_OK);
    EXPECT_NE(testCtrl(control).SetControlSize(60, 10), 0);
    ASSERT_EQ(object->GetExtent(&extent), S_OK);
    EXPECT_EQ(extent, QSize(60, 10));
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(accepting.AddRef(), 2u) << "the control let go of the site";
}

TEST(OleControlEmbeddingTest, MiscStatusAndUnknownVerbs) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IOleObject> object;
    ASSERT_EQ(control.queryInterface(IID_IOleObject, object), S_OK);
    DWORD status = 0;
    ASSERT_EQ(object->GetMiscStatus(&status), S_OK);
    EXPECT_EQ(status, OLEMISC_INSIDEOUT);
    EXPECT_EQ(object->DoVerb(OLEIVERB_PROPERTIES, nullptr), OLEOBJ_E_INVALIDVERB)
        << "the test control's message map has no verbs";
}

TEST(OleControlEmbeddingTest, SavingWritesTheVersionAndTheExtent) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_EQ(control.queryInterface(IID_IPersistPropertyBag, persist), S_OK);
    TestBag bag;
    ASSERT_EQ(persist->Save(&bag, 1, 1), S_OK);
    EXPECT_EQ(bag.values, (std::map<std::string, int32_t>{
                              {"_ExtentX", 30}, {"_ExtentY", 20}, {"_Version", 0x00020003}}));

    TestBag refusing;
    refusing.refusesWrites = true;
    EXPECT_EQ(persist->Save(&refusing, 1, 1), E_FAIL);
}

TEST(OleControlEmbeddingTest, LoadingTakesTheBagsValuesOrTheDefaults) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_EQ(control.queryInterface(IID_IPersistPropertyBag, persist), S_OK);
    TestBag bag;
    bag.values = {{"_Version", 0x00010000}, {"_ExtentX", 70}};
    ASSERT_EQ(persist->Load(&bag), S_OK);
    EXPECT_EQ(testCtrl(control).GetVersionLoaded(), 0x00010000u);
    ComPtr<IOleObject> object;
    ASSERT_EQ(control.queryInterface(IID_IOleObject, object), S_OK);
    QSize extent;
    ASSERT_EQ(object->GetExtent(&extent), S_OK);
    EXPECT_EQ(extent, QSize(70, 20));

    TestBag empty;
    ASSERT_EQ(persist->Load(&empty), S_OK);
    EXPECT_EQ(testCtrl(control).GetVersionLoaded(), kTestVersion);
}

TEST(OleControlEmbeddingTest, TheFrameworksDrawingPaintsNothing) {
    ComPtr<IDispatch> control = createTestControl();
    ComPtr<IViewObject> view;
    ASSERT_EQ(control.queryInterface(IID_IViewObject, view), S_OK);
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ASSERT_EQ(view->Draw(&painter, image.rect()), S_OK);
    }
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(view->Draw(nullptr, image.rect()), E_POINTER);
}

} // namespace
