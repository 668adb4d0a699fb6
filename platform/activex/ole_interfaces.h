// The interfaces between a control and its host beyond dispatch and events: embedding
// (verbs, extent, miscellaneous status), drawing, persistence, class information and
// property pages. Each is the subset of its platform namesake that controls and hosts here
// use, with Qt's painter and widgets where the platform has device contexts and windows.
#pragma once

#include "base/platform_types.h"
#include "base/window_message.h"
#include "com/dispatch.h"
#include "com/type_info.h"

#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

inline constexpr IID IID_IOleObject = makeGuid("{00000112-0000-0000-C000-000000000046}");
inline constexpr IID IID_IOleWindow = makeGuid("{00000114-0000-0000-C000-000000000046}");
inline constexpr IID IID_IOleInPlaceSite = makeGuid("{00000119-0000-0000-C000-000000000046}");
inline constexpr IID IID_IViewObject = makeGuid("{0000010D-0000-0000-C000-000000000046}");
inline constexpr IID IID_IPersistPropertyBag = makeGuid("{37D84F60-42CB-11CE-8135-00AA004BB851}");
inline constexpr IID IID_IPropertyBag = makeGuid("{55272A00-42CB-11CE-8135-00AA004BB851}");
inline constexpr IID IID_IProvideClassInfo = makeGuid("{B196B283-BAB4-101A-B69C-00AA00341D07}");
inline constexpr IID IID_IPropertyPage = makeGuid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");

inline constexpr int32_t OLEIVERB_PROPERTIES = -7;
inline constexpr HRESULT OLEOBJ_E_INVALIDVERB = makeHresult(0x80040181u);

inline constexpr DWORD OLEMISC_RECOMPOSEONRESIZE = 0x1;
inline constexpr DWORD OLEMISC_CANTLINKINSIDE = 0x10;
inline constexpr DWORD OLEMISC_INSIDEOUT = 0x80;
inline constexpr DWORD OLEMISC_ACTIVATEWHENVISIBLE = 0x100;
inline constexpr DWORD OLEMISC_INVISIBLEATRUNTIME = 0x400;
inline constexpr DWORD OLEMISC_SETCLIENTSITEFIRST = 0x20000;

// The host's side of an embedded control.
struct IOleInPlaceSite : IUnknown {
    // The control asks to occupy posRect (its size is what counts here). S_OK when the host
    // has given it that size; any other answer refuses it and the control keeps its size.
    virtual HRESULT OnPosRectChange(const QRect &posRect) = 0;
};
template <>
struct InterfaceTraits<IOleInPlaceSite> : InterfaceDescription<IUnknown, IID_IOleInPlaceSite> {};

struct IOleObject : IUnknown {
    // The site may be null (the control is then not embedded). The control keeps a reference.
    virtual HRESULT SetClientSite(IOleInPlaceSite *site) = 0;
    // parent is the window a verb's dialogs belong to, or null.
    virtual HRESULT DoVerb(int32_t verb, QWidget *parent) = 0;
    // In pixels.
    virtual HRESULT GetExtent(QSize *size) = 0;
    virtual HRESULT SetExtent(const QSize &size) = 0;
    virtual HRESULT GetMiscStatus(DWORD *status) = 0;
    // Drops the site and every advised event sink; the host calls it before its last Release.
    virtual HRESULT Close() = 0;
};
template <> struct InterfaceTraits<IOleObject> : InterfaceDescription<IUnknown, IID_IOleObject> {};

// The object's window, to which completion messages are posted.
struct IOleWindow : IUnknown {
    // E_FAIL, with *phwnd null, when the object has no window.
    virtual HRESULT GetWindow(HWND *phwnd) = 0;
};
template <> struct InterfaceTraits<IOleWindow> : InterfaceDescription<IUnknown, IID_IOleWindow> {};

struct IViewObject : IUnknown {
    virtual HRESULT Draw(QPainter *painter, const QRect &bounds) = 0;
};
template <>
struct InterfaceTraits<IViewObject> : InterfaceDescription<IUnknown, IID_IViewObject> {};

// A host's store of named values.
struct IPropertyBag : IUnknown {
    // E_INVALIDARG when the bag holds no value of that name; value must be initialised.
    virtual HRESULT Read(const OLECHAR *name, VARIANT *value) = 0;
    virtual HRESULT Write(const OLECHAR *name, VARIANT *value) = 0;
};
template <>
struct InterfaceTraits<IPropertyBag> : InterfaceDescription<IUnknown, IID_IPropertyBag> {};

struct IPersistPropertyBag : IUnknown {
    virtual HRESULT InitNew() = 0;
    virtual HRESULT Load(IPropertyBag *bag) = 0;
    virtual HRESULT Save(IPropertyBag *bag, BOOL clearDirty, BOOL saveAllProperties) = 0;
};
template <>
struct InterfaceTraits<IPersistPropertyBag>
    : InterfaceDescription<IUnknown, IID_IPersistPropertyBag> {};

struct IProvideClassInfo : IUnknown {
    // The type information of the object's coclass, which lists its default source interface.
    virtual HRESULT GetClassInfo(ITypeInfo **ppTI) = 0;
};
template <>
struct InterfaceTraits<IProvideClassInfo> : InterfaceDescription<IUnknown, IID_IProvideClassInfo> {
};

// One page of a property frame.
struct IPropertyPage : IUnknown {
    virtual HRESULT GetPageTitle(BSTR *title) = 0;
    // Creates the page's widget as a child of parent; the parent owns it from then on.
    virtual HRESULT Activate(QWidget *parent, QWidget **page) = 0;
    virtual HRESULT Deactivate() = 0;
    // The objects whose properties the page shows; the page keeps references until the next call.
    virtual HRESULT SetObjects(uint32_t count, IUnknown **objects) = 0;
    virtual HRESULT Apply() = 0;
};
template <>
struct InterfaceTraits<IPropertyPage> : InterfaceDescription<IUnknown, IID_IPropertyPage> {};
