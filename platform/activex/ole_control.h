// COleControl: the base of a control object. It answers the host's interfaces (dispatch,
// events, embedding, drawing, persistence, class information) and gives the derived control
// its maps, its window, its size and event firing.
#pragma once

#include "activex/dispatch_map.h"
#include "activex/ole_interfaces.h"
#include "activex/ole_object_factory.h"
#include "activex/prop_exchange.h"
#include "base/window_message.h"
#include "com/com_object.h"
#include "com/connection_point.h"

#include <optional>
#include <span>
#include <vector>

class CMessageWindow;
class COleControl;

// The library a control's dispatch and event interfaces are described in, loaded once per
// module and kept for the module's life. Built with the library's identifier, by which the
// control's GetTypeLib loads it.
class CTypeLibCache {
  public:
    explicit CTypeLibCache(REFGUID) {}
    ITypeLib *Cached() const { return m_library.get(); }
    void Cache(ITypeLib *library) { m_library = ComPtr<ITypeLib>(library); }

  private:
    ComPtr<ITypeLib> m_library;
};

// A verb of the control's message map and the member that carries it out.
struct AFX_VERBMAP_ENTRY {
    int32_t verb;
    BOOL (COleControl::*handler)(QWidget *parent);
};

using AFX_VERBMAP = std::span<const AFX_VERBMAP_ENTRY>;

// Embedding and persistence are answered by interface parts of their own, so that their method
// names (Close, Save, Load...) stay free for the methods of derived controls.
class COleControl : public ComObject<IDispatch, IConnectionPointContainer, IViewObject, IOleWindow,
                                     IProvideClassInfo> {
  public:
    COleControl(const COleControl &) = delete;
    COleControl &operator=(const COleControl &) = delete;

    IUnknown *GetIUnknown() { return static_cast<IDispatch *>(this); }

    // IDispatch, answered from the dispatch map and the type library's description of the
    // primary dispatch interface, which gives each argument's type.
    HRESULT GetTypeInfoCount(uint32_t *pctinfo) override;
    HRESULT GetTypeInfo(uint32_t iTInfo, LCID lcid, ITypeInfo **ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames, LCID lcid,
                          DISPID *rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags,
                   DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo,
                   uint32_t *puArgErr) override;

    // IConnectionPointContainer: one connection point, for the event interface.
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) override;

    // IViewObject
    HRESULT Draw(QPainter *painter, const QRect &bounds) override;

    // IOleWindow
    HRESULT GetWindow(HWND *phwnd) override;

    // IProvideClassInfo
    HRESULT GetClassInfo(ITypeInfo **ppTI) override;

    // What the derived control describes of itself.
    virtual const CRuntimeClass *GetRuntimeClass() const = 0;
    virtual HRESULT GetClassID(CLSID *pclsid) = 0;
    virtual CTypeLibCache *GetTypeLibCache() = 0;
    virtual HRESULT GetTypeLib(LCID lcid, ITypeLib **ppTypeLib) = 0;
    virtual AFX_DISPMAP GetDispatchMap() const = 0;
    virtual AFX_EVENTMAP GetEventMap() const = 0;
    virtual AFX_VERBMAP GetMessageMap() const;
    virtual std::span<const CLSID> GetPropPageIDs() const = 0;
    virtual UINT GetUserTypeNameID() const = 0;
    virtual DWORD GetMiscStatus() const = 0;

    // Saves or loads the persistent values; the framework's own exchange keeps the extent.
    virtual void DoPropExchange(CPropExchange *pPX);
    virtual void OnResetState();
    virtual void OnDraw(QPainter *pdc, const QRect &rcBounds);
    // Messages posted to the control's window arrive here, on the window's thread.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The standard properties verb: the property frame with the control's pages.
    BOOL OnProperties(QWidget *parent);

    // The control's window, to which other threads may post (null when it has none).
    HWND GetSafeHwnd() const;
    // Safe from any thread; zero when the control has no window.
    BOOL PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Asks the host for the new size; zero, and the size unchanged, when the host refuses.
    BOOL SetControlSize(int cx, int cy);

    // The version found by the last load, or the one saved.
    DWORD GetVersionLoaded() const { return m_dwVersionLoaded; }

    // Calls the event on every advised sink, each argument converted to the type the event map
    // gives; nothing happens for an event not in the map or with the wrong number of arguments.
    template <typename... A> void FireEvent(DISPID dispid, A... args) {
        std::vector<Variant> values;
        (values.emplace_back(args), ...);
        FireEventV(dispid, values);
    }

  protected:
    COleControl();
    ~COleControl() override;

    void InitializeIIDs(const IID *piidPrimary, const IID *piidEvents);
    void SetInitialSize(int cx, int cy);
    void ExchangeVersion(CPropExchange *pPX, DWORD dwVersionDefault, BOOL bConvert = 1);
    HRESULT GetTypeInfoOfGuid(LCID lcid, REFGUID guid, ITypeInfo **ppTypeInfo);

  private:
    class XOleObject final : public ComPart<IOleObject> {
      public:
        explicit XOleObject(COleControl &owner)
            : ComPart(*owner.GetIUnknown())
            , m_owner(owner) {}
        HRESULT SetClientSite(IOleInPlaceSite *site) override;
        HRESULT DoVerb(int32_t verb, QWidget *parent) override;
        HRESULT GetExtent(QSize *size) override;
        HRESULT SetExtent(const QSize &size) override;
        HRESULT GetMiscStatus(DWORD *status) override;
        HRESULT Close() override;

      private:
        COleControl &m_owner;
    };

    class XPersistPropertyBag final : public ComPart<IPersistPropertyBag> {
      public:
        explicit XPersistPropertyBag(COleControl &owner)
            : ComPart(*owner.GetIUnknown())
            , m_owner(owner) {}
        HRESULT InitNew() override;
        HRESULT Load(IPropertyBag *bag) override;
        HRESULT Save(IPropertyBag *bag, BOOL clearDirty, BOOL saveAllProperties) override;

      private:
        COleControl &m_owner;
    };

    // The primary dispatch interface's identifier and the embedding and persistence parts.
    void *findOtherInterface(REFIID riid) override;
    void FireEventV(DISPID dispid, std::vector<Variant> &args);
    const AFX_DISPMAP_ENTRY *FindDispatchEntry(DISPID dispid) const;
    HRESULT InvokeMember(const AFX_DISPMAP_ENTRY &entry, DISPPARAMS *params, VARIANT *result,
                         uint32_t *puArgErr);

    XOleObject m_xOleObject{*this};
    XPersistPropertyBag m_xPersistPropertyBag{*this};
    IID m_piidPrimary{};
    IID m_piidEvents{};
    std::optional<ConnectionPoint> m_eventConnection;
    CMessageWindow *m_window = nullptr;
    ComPtr<IOleInPlaceSite> m_site;
    QSize m_extent;
    DWORD m_dwVersionLoaded = 0;
};
