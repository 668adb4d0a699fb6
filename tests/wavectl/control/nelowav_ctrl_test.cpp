#include "activex/ole_interfaces.h"
#include "com/connection_point.h"
#include "control_support.h"
#include "interface/nelowav_ids.h"
#include "mci/mci_constants.h"
#include "control/nelowav_bitmaps.h"
#include "number_event_sink.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {

using NeloWavCtrlTest = ControlTest;

TEST_F(NeloWavCtrlTest, StartsWithCodeZeroAndThePlatformsTextForIt) {
    EXPECT_EQ(errorCode(control.get()), 0);
    EXPECT_EQ(errorMessage(control.get()), "The specified command was carried out.");
    Variant name;
    ASSERT_EQ(callByName(control.get(), "GetWavFilename", {}, name.get()), S_OK);
    EXPECT_EQ(utf8FromBstr(name->bstrVal), "");
}

// Until the media device and the sample-level operations exist, every method that reports
// an outcome reports a failure, never success.
struct Outcome {
    const char *method;
    std::vector<VARIANT> args;
    int32_t code;
};

class NeloWavOutcomeTest : public NeloWavCtrlTest, public testing::WithParamInterface<Outcome> {};

TEST_P(NeloWavOutcomeTest, StoresAFailureCodeWithItsText) {
    ASSERT_EQ(callByName(control.get(), GetParam().method, GetParam().args), S_OK);
    EXPECT_EQ(errorCode(control.get()), GetParam().code) << GetParam().method;
    EXPECT_FALSE(errorMessage(control.get()).empty()) << GetParam().method;
}

int16_t g_array[4];

// In a folder that does not exist, so that SaveAs cannot create it either.
const VARIANT kMissingPath = variantText("/nonexistent/any.wav");
// Any existing file that is no WAV file: the device refuses to play it.
const VARIANT kExistingPath = variantText(NELOWAV_MODULE);

// A missing file is refused with the device's "Cannot find the specified file" before
// anything is sent; Save with no file open has no name to find.
INSTANTIATE_TEST_SUITE_P(
    Methods, NeloWavOutcomeTest,
    testing::Values(Outcome{"Open", {kMissingPath}, 275}, Outcome{"Open", {kExistingPath}, 296},
                    Outcome{"Save", {}, 275}, Outcome{"SaveAs", {kMissingPath}, 275},
                    Outcome{"Play", {variantI4(0), variantI4(-1), variantBool(false)}, 263},
                    Outcome{"Record", {variantI4(-1), variantI4(-1), variantBool(true)}, 263},
                    Outcome{"Stop", {}, 263}, Outcome{"Pause", {}, 263},
                    Outcome{"Seek", {variantI4(-1)}, 263},
                    Outcome{"Delete", {variantI4(0), variantI4(-1)}, 263},
                    Outcome{"WavFileToArray", {variantShortArray(g_array), variantI4(4)}, 515},
                    Outcome{"ArrayToWavFile", {variantShortArray(g_array), variantI4(4)}, 515},
                    Outcome{"ChangeVolume", {variantI4(0), variantI4(-1), variantI4(2)}, 515},
                    Outcome{"Copy", {variantI4(0), variantI4(-1)}, 515},
                    Outcome{"Paste", {variantI4(0), variantI4(-1)}, 515},
                    Outcome{"SetSamplingRate", {variantI4(8000)}, 515}));

TEST_F(NeloWavCtrlTest, QueriesAndCloseKeepTheLastCode) {
    ASSERT_EQ(callByName(control.get(), "Stop"), S_OK);
    ASSERT_EQ(errorCode(control.get()), 263);
    for (const char *method :
         {"GetLength", "GetPosition", "GetNumBits", "GetNumChannels", "GetSamplingRate", "GetMode",
          "GetWavFilename", "Close", "GetErrorMessage"}) {
        Variant result;
        ASSERT_EQ(callByName(control.get(), method, {}, result.get()), S_OK) << method;
        EXPECT_EQ(errorCode(control.get()), 263) << method;
    }
    EXPECT_EQ(errorMessage(control.get()),
              "The specified device is not open or is not recognized by MCI.");
}

TEST_F(NeloWavCtrlTest, RefusedQueriesAnswerZero) {
    for (const char *method : {"GetLength", "GetPosition", "GetSamplingRate", "GetMode"}) {
        Variant result;
        ASSERT_EQ(callByName(control.get(), method, {}, result.get()), S_OK);
        ASSERT_EQ(result.type(), VT_I4) << method;
        EXPECT_EQ(result->lVal, 0) << method;
    }
    Variant bits;
    ASSERT_EQ(callByName(control.get(), "GetNumBits", {}, bits.get()), S_OK);
    ASSERT_EQ(bits.type(), VT_I2);
    EXPECT_EQ(bits->iVal, 0);
}

TEST_F(NeloWavCtrlTest, SampleOperationsLeaveTheHostsArrayAlone) {
    g_array[0] = 11;
    g_array[3] = 44;
    ASSERT_EQ(
        callByName(control.get(), "WavFileToArray", {variantShortArray(g_array), variantI4(4)}),
        S_OK);
    EXPECT_EQ(g_array[0], 11);
    EXPECT_EQ(g_array[3], 44);
    EXPECT_EQ(errorMessage(control.get()), "WAV file is not open.");
}

class NeloWavDoneTest : public NeloWavCtrlTest {
  protected:
    void SetUp() override {
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(control.queryInterface(IID_IConnectionPointContainer, container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(IID_DNeloWavEvents, point.put()), S_OK);
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
        ComPtr<IOleWindow> window;
        ASSERT_EQ(control.queryInterface(IID_IOleWindow, window), S_OK);
        ASSERT_EQ(window->GetWindow(&hwnd), S_OK);
    }

    // The control holds the sink, so it goes first.
    void TearDown() override {
        point.reset();
        control.reset();
    }

    // The NotifyCode of each Done that arrived, 9999 for any other event.
    std::vector<int> post(UINT message, WPARAM wParam) {
        sink.events.clear();
        EXPECT_NE(PostMessageA(hwnd, message, wParam, 77), 0);
        EXPECT_TRUE(sink.events.empty()) << "posting only queues";
        QCoreApplication::processEvents();
        std::vector<int> codes;
        for (const NumberEventSink::Event &event : sink.events) {
            const bool isDone = event.dispid == 1 && event.types == std::vector<VARTYPE>{VT_I2};
            codes.push_back(isDone ? event.values.front() : 9999);
        }
        return codes;
    }

    ComPtr<IConnectionPoint> point;
    NumberEventSink sink{IID_DNeloWavEvents};
    uint32_t cookie = 0;
    HWND hwnd = nullptr;
};

TEST_F(NeloWavDoneTest, EachCompletionMessageFiresOneDoneWithTheLowWordSigned) {
    EXPECT_EQ(post(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL), std::vector<int>{1});
    EXPECT_EQ(post(MM_MCINOTIFY, 0x10004), std::vector<int>{4});
    EXPECT_EQ(post(MM_MCINOTIFY, 0x8000), std::vector<int>{-32768});
    EXPECT_EQ(post(MM_MCINOTIFY, MCI_NOTIFY_FAILURE), std::vector<int>{8});
}

TEST_F(NeloWavDoneTest, OtherMessagesFireNothing) {
    EXPECT_TRUE(post(MM_MCINOTIFY + 1, 1).empty());
    EXPECT_TRUE(post(0x0010, 1).empty());
}

TEST_F(NeloWavDoneTest, NoDoneReachesASinkAfterUnadvise) {
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_TRUE(post(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL).empty());
}

TEST_F(NeloWavDoneTest, CompletionAfterTheControlIsGoneIsDropped) {
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    point.reset();
    control.reset();
    EXPECT_EQ(PostMessageA(hwnd, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0), 0);
}

// A host that records the sizes the control asks for, and grants or refuses them.
class Host final : public IOleInPlaceSite {
  public:
    HRESULT QueryInterface(REFIID, void **ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override { return 1; }
    HRESULT OnPosRectChange(const QRect &posRect) override {
        requests.push_back(posRect.size());
        return grants ? S_OK : S_FALSE;
    }
    bool grants = true;
    std::vector<QSize> requests;
};

class NeloWavDrawTest : public NeloWavCtrlTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(control.queryInterface(IID_IViewObject, view), S_OK);
        ASSERT_EQ(control.queryInterface(IID_IOleObject, object), S_OK);
        ASSERT_EQ(object->SetClientSite(&host), S_OK);
    }

    // The control holds the host's site, so it goes first.
    void TearDown() override {
        view.reset();
        object.reset();
        control.reset();
    }

    // Draws into a white picture of the given size; true when anything was painted.
    bool draw(QSize size, QImage *painted = nullptr) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            EXPECT_EQ(view->Draw(&painter, image.rect()), S_OK);
        }
        if (painted != nullptr)
            *painted = image;
        QImage blank(size, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return image != blank;
    }

    QSize extent() {
        QSize size;
        EXPECT_EQ(object->GetExtent(&size), S_OK);
        return size;
    }

    Host host;
    ComPtr<IViewObject> view;
    ComPtr<IOleObject> object;
};

TEST_F(NeloWavDrawTest, StartsAt62By40AndPaintsItsFaceThere) {
    EXPECT_EQ(extent(), QSize(62, 40));
    QImage painted;
    ASSERT_TRUE(draw(QSize(62, 40), &painted));
    EXPECT_EQ(painted, MakeFaceBitmap().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(host.requests.empty());
    EXPECT_TRUE(draw(QSize(62, 40)));
}

TEST_F(NeloWavDrawTest, AnyOtherSizeAsksForTheFaceSizeFirstAndPaintsOnTheNextDraw) {
    ASSERT_EQ(object->SetExtent(QSize(100, 100)), S_OK);
    EXPECT_FALSE(draw(QSize(100, 100)));
    EXPECT_EQ(host.requests, std::vector<QSize>{QSize(62, 40)});
    EXPECT_EQ(extent(), QSize(62, 40));
    EXPECT_TRUE(draw(QSize(100, 100))) << "the forced draw paints whatever its bounds";
    EXPECT_FALSE(draw(QSize(100, 100))) << "and the flag is cleared again";
}

TEST_F(NeloWavDrawTest, AHostThatRefusesGetsTheFaceOnEverySecondDraw) {
    host.grants = false;
    ASSERT_EQ(object->SetExtent(QSize(100, 100)), S_OK);
    const std::array expected{false, true, false, true, false, true};
    for (const bool painted : expected)
        EXPECT_EQ(draw(QSize(100, 100)), painted);
    EXPECT_EQ(host.requests.size(), 3u);
    EXPECT_EQ(extent(), QSize(100, 100));
}

TEST_F(NeloWavCtrlTest, SavesItsVersionAndNoPropertyOfItsOwn) {
    class Bag final : public IPropertyBag {
      public:
        HRESULT QueryInterface(REFIID, void **ppv) override {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        uint32_t AddRef() override { return 2; }
        uint32_t Release() override { return 1; }
        HRESULT Read(const OLECHAR *, VARIANT *) override { return E_INVALIDARG; }
        HRESULT Write(const OLECHAR *name, VARIANT *value) override {
            values[utf8FromUtf16(name)] = value->lVal;
            return S_OK;
        }
        std::map<std::string, int32_t> values;
    } bag;
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_EQ(control.queryInterface(IID_IPersistPropertyBag, persist), S_OK);
    ASSERT_EQ(persist->Save(&bag, 1, 1), S_OK);
    EXPECT_EQ(bag.values, (std::map<std::string, int32_t>{
                              {"_ExtentX", 62}, {"_ExtentY", 40}, {"_Version", 0x00010000}}));
}

// Runs check on the modal dialog once it is up, then closes it.
void whenDialogShows(std::function<void(QDialog *)> check) {
    QTimer::singleShot(0, [check] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        check(dialog);
        dialog->reject();
    });
}

TEST_F(NeloWavCtrlTest, PropertiesVerbShowsTheGeneralAndAboutPages) {
    ComPtr<IOleObject> object;
    ASSERT_EQ(control.queryInterface(IID_IOleObject, object), S_OK);
    QStringList tabs;
    QStringList generalTexts;
    whenDialogShows([&](QDialog *dialog) {
        auto *tabWidget = dialog->findChild<QTabWidget *>();
        ASSERT_NE(tabWidget, nullptr);
        for (int i = 0; i < tabWidget->count(); ++i)
            tabs << tabWidget->tabText(i);
        for (const QLabel *label : tabWidget->widget(0)->findChildren<QLabel *>())
            generalTexts << label->text();
    });
    ASSERT_EQ(object->DoVerb(OLEIVERB_PROPERTIES, nullptr), S_OK);
    EXPECT_EQ(tabs, QStringList({"General", "About"}));
    EXPECT_EQ(generalTexts, QStringList({"The general Properties/Methods of the Pardane Wave OCX "
                                         "control are available only during run-time."}));
}

TEST_F(NeloWavCtrlTest, AboutBoxShowsItsDialogAndChangesNothing) {
    ASSERT_EQ(callByName(control.get(), "Stop"), S_OK);
    QString okText;
    whenDialogShows([&](QDialog *dialog) {
        const auto buttons = dialog->findChildren<QPushButton *>();
        ASSERT_EQ(buttons.size(), 1);
        okText = buttons[0]->text();
    });
    ASSERT_EQ(callByName(control.get(), "AboutBox"), S_OK);
    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(errorCode(control.get()), 263);
}

} // namespace
