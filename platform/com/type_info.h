// Type information: a module's type library, its dispatch interfaces and classes, and the
// functions that load and register it.
//
// A module embeds its type library as text and exports it as
// `extern "C" const char *KorvaneTypeLibrary()`, standing in for the platform's type-library
// resource. The text is a small subset of the platform's interface definition language:
//
//   library   = attrs "library" NAME "{" { interface | coclass } "}" [";"]
//   interface = attrs "dispinterface" NAME "{" ["properties" ":"] ["methods" ":" { method }]
//               "}" [";"]
//   method    = "[" "id" "(" INTEGER ")" { "," mattr } "]" type NAME "(" [params] ")" ";"
//   params    = type NAME { "," type NAME }            (a parameter's type is not void)
//   coclass   = attrs "coclass" NAME "{" { [iattrs] "dispinterface" NAME ";" } "}" [";"]
//   attrs     = "[" attr { "," attr } "]"
//   iattrs    = "[" iattr { "," iattr } "]"
//   type      = ( "void" | "short" | "long" | "float" | "double" | "VARIANT_BOOL" | "BSTR"
//               | "VARIANT" | "IDispatch" "*" | "IUnknown" "*" ) ["*"]
//
// A trailing "*" makes the type by-reference (VT_BYREF), so "short*" is VT_BYREF | VT_I2.
// Library attributes: uuid(...) and version(MAJOR.MINOR) required, lcid(N), helpstring("..."),
// control, hidden. Interface attributes: uuid(...) required, helpstring("..."), hidden.
// Coclass attributes: uuid(...) required, helpstring("..."), control, hidden, noncreatable.
// Method attributes (mattr): helpstring("..."), hidden. Interface references (iattr):
// default, source. A uuid is written without braces, as in the platform's language.
// Comments are "//" to the end of the line and "/* ... */"; strings take \" and \\.
// Identifiers in one scope (types of the library; methods of an interface; parameters of a
// method) must be unique regardless of case, and so must method ids and type uuids; a
// coclass may only name interfaces defined before it in the library.
#pragma once

#include "com/dispatch.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern const IID IID_ITypeLib;
extern const IID IID_ITypeInfo;

inline constexpr const char *kTypeLibrarySymbol = "KorvaneTypeLibrary";
using KorvaneTypeLibraryFunc = const char *(*)();

enum TYPEKIND : uint16_t {
    TKIND_ENUM = 0,
    TKIND_RECORD = 1,
    TKIND_MODULE = 2,
    TKIND_INTERFACE = 3,
    TKIND_DISPATCH = 4,
    TKIND_COCLASS = 5,
    TKIND_ALIAS = 6,
    TKIND_UNION = 7,
};

// SYS_LINUX is our own: the platform key under which a library's module path is registered
// ("TypeLib\{libid}\1.0\0\linux").
enum SYSKIND : uint16_t {
    SYS_WIN16 = 0,
    SYS_WIN32 = 1,
    SYS_MAC = 2,
    SYS_WIN64 = 3,
    SYS_LINUX = 4,
};

enum INVOKEKIND : uint16_t {
    INVOKE_FUNC = 1,
    INVOKE_PROPERTYGET = 2,
    INVOKE_PROPERTYPUT = 4,
    INVOKE_PROPERTYPUTREF = 8,
};

inline constexpr uint16_t TYPEFLAG_FAPPOBJECT = 0x01;
inline constexpr uint16_t TYPEFLAG_FCANCREATE = 0x02;
inline constexpr uint16_t TYPEFLAG_FLICENSED = 0x04;
inline constexpr uint16_t TYPEFLAG_FHIDDEN = 0x10;
inline constexpr uint16_t TYPEFLAG_FCONTROL = 0x20;
inline constexpr uint16_t TYPEFLAG_FDISPATCHABLE = 0x1000;

inline constexpr int32_t IMPLTYPEFLAG_FDEFAULT = 0x1;
inline constexpr int32_t IMPLTYPEFLAG_FSOURCE = 0x2;

inline constexpr uint16_t LIBFLAG_FCONTROL = 0x02;
inline constexpr uint16_t LIBFLAG_FHIDDEN = 0x04;

inline constexpr uint16_t FUNCFLAG_FHIDDEN = 0x40;

using HREFTYPE = uint32_t;

struct TLIBATTR {
    GUID guid;
    LCID lcid;
    SYSKIND syskind;
    uint16_t wMajorVerNum;
    uint16_t wMinorVerNum;
    uint16_t wLibFlags;
};

struct TYPEATTR {
    GUID guid;
    LCID lcid;
    TYPEKIND typekind;
    uint16_t cFuncs;     // methods of a dispinterface
    uint16_t cImplTypes; // interfaces listed by a coclass
    uint16_t wMajorVerNum;
    uint16_t wMinorVerNum;
    uint16_t wTypeFlags;
};

// One parameter of a method. A by-reference type carries VT_BYREF, e.g. VT_BYREF | VT_I2 for
// a 16-bit integer passed by reference (the first element of a caller's array).
struct PARAMDESC {
    std::string name;
    VARTYPE vt;
};

// One method of a dispinterface. Unlike the platform's, it carries its own names, so no
// separate lookup is needed to learn them. vtReturn is VT_VOID for a method returning nothing.
struct FUNCDESC {
    MEMBERID memid;
    INVOKEKIND invkind;
    VARTYPE vtReturn;
    uint16_t wFuncFlags;
    std::string name;
    std::string docString;
    std::vector<PARAMDESC> params;
};

struct ITypeLib;

// Descriptions returned by pointer belong to the ITypeInfo and stay valid while it lives;
// they are never freed by the caller.
struct ITypeInfo : IUnknown {
    virtual HRESULT GetTypeAttr(const TYPEATTR **ppTypeAttr) = 0;
    // TYPE_E_ELEMENTNOTFOUND for an index past the last method.
    virtual HRESULT GetFuncDesc(uint32_t index, const FUNCDESC **ppFuncDesc) = 0;
    // The member's name, then its parameters' names, at most maxNames of them.
    virtual HRESULT GetNames(MEMBERID memid, BSTR *rgBstrNames, uint32_t maxNames,
                             uint32_t *pcNames) = 0;
    // As IDispatch::GetIDsOfNames, without the interface and locale arguments.
    virtual HRESULT GetIDsOfNames(const OLECHAR *const *names, uint32_t cNames,
                                  MEMBERID *pMemId) = 0;
    // MEMBERID_NIL describes the type itself. Either out-pointer may be null.
    virtual HRESULT GetDocumentation(MEMBERID memid, BSTR *pBstrName, BSTR *pBstrDocString) = 0;
    // A coclass's listed interfaces, in the order of the library text.
    virtual HRESULT GetRefTypeOfImplType(uint32_t index, HREFTYPE *pRefType) = 0;
    virtual HRESULT GetImplTypeFlags(uint32_t index, int32_t *pImplTypeFlags) = 0;
    virtual HRESULT GetRefTypeInfo(HREFTYPE hRefType, ITypeInfo **ppTInfo) = 0;
    virtual HRESULT GetContainingTypeLib(ITypeLib **ppTLib, uint32_t *pIndex) = 0;
};
template <> struct InterfaceTraits<ITypeInfo> : InterfaceDescription<IUnknown, IID_ITypeInfo> {};

struct ITypeLib : IUnknown {
    virtual uint32_t GetTypeInfoCount() = 0;
    virtual HRESULT GetTypeInfo(uint32_t index, ITypeInfo **ppTInfo) = 0;
    virtual HRESULT GetTypeInfoType(uint32_t index, TYPEKIND *pTKind) = 0;
    // TYPE_E_ELEMENTNOTFOUND when the library describes no type with that identifier.
    virtual HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo **ppTInfo) = 0;
    virtual HRESULT GetLibAttr(const TLIBATTR **ppTLibAttr) = 0;
    // index -1 describes the library itself. Either out-pointer may be null.
    virtual HRESULT GetDocumentation(int32_t index, BSTR *pBstrName, BSTR *pBstrDocString) = 0;
};
template <> struct InterfaceTraits<ITypeLib> : InterfaceDescription<IUnknown, IID_ITypeLib> {};

// Parses a type library text. On failure *ppTLib is null, the result is TYPE_E_INVDATAREAD
// and, when error is given, it receives "line N: what was wrong".
HRESULT LoadTypeLibFromText(std::string_view text, ITypeLib **ppTLib, std::string *error = nullptr);

// A parameter or return type as the library text writes it ("short", "BSTR", "short*"), or
// an empty text for a type the text cannot express.
std::string typeLibraryTypeText(VARTYPE vt);

// Loads the library embedded in the module at path, which must be absolute (E_INVALIDARG
// otherwise): TYPE_E_CANTLOADLIBRARY when the module cannot be loaded or exports no library,
// TYPE_E_INVDATAREAD when its text is malformed.
HRESULT LoadTypeLib(const char *path, ITypeLib **ppTLib);

// Writes, in one registry transaction:
//   TypeLib\{libid}\M.m                 @ = library help string, else its name
//   TypeLib\{libid}\M.m\FLAGS           @ = library flags, decimal
//   TypeLib\{libid}\M.m\HELPDIR         @ = helpDir, or empty
//   TypeLib\{libid}\M.m\LCID\linux      @ = fullPath (M, m and LCID in lower-case hex)
//   Interface\{iid}                     @ = interface name, for every dispinterface
//   Interface\{iid}\TypeLib             @ = {libid}, "Version" = M.m
// fullPath must be absolute (E_INVALIDARG); TYPE_E_REGISTRYACCESS when the registry cannot
// be read or written, in which case nothing was changed.
HRESULT RegisterTypeLib(ITypeLib *ptlib, const char *fullPath, const char *helpDir);

// Removes what RegisterTypeLib wrote for exactly this version and locale, and the library's
// key when no version is left. TYPE_E_REGISTRYACCESS when that version is not registered or
// the registry cannot be written.
HRESULT UnRegisterTypeLib(REFGUID libid, uint16_t wVerMajor, uint16_t wVerMinor, LCID lcid,
                          SYSKIND syskind);

// Loads the registered library with this major version and the highest minor version not
// below wVerMinor, for lcid or else the neutral locale. TYPE_E_LIBNOTREGISTERED when none is.
HRESULT LoadRegTypeLib(REFGUID libid, uint16_t wVerMajor, uint16_t wVerMinor, LCID lcid,
                       ITypeLib **ppTLib);
