// Self-registration helpers: what a control module writes into the registry for its control
// class, its property pages and its type library, and how it removes them again.
#pragma once

#include "activex/ole_control_module.h"
#include "com/dispatch.h"
#include "com/guid.h"
#include "base/platform_types.h"

#include <cstdint>

// Registration flags of AfxOleRegisterControlClass.
inline constexpr int afxRegDefault = 0x0000;
inline constexpr int afxRegInsertable = 0x0001;
inline constexpr int afxRegApartmentThreading = 0x0002;
inline constexpr int afxRegFreeThreading = 0x0004;

// Writes, replacing whatever the class had:
//   CLSID\{clsid}                    @ = string idTypeName
//   CLSID\{clsid}\InprocServer32     @ = the module's path ("ThreadingModel" only when a flag asks)
//   CLSID\{clsid}\ProgID             @ = progId
//   CLSID\{clsid}\Control
//   CLSID\{clsid}\ToolboxBitmap32    @ = "<module path>, <idBitmap>"
//   CLSID\{clsid}\MiscStatus         @ = "0";  MiscStatus\1  @ = dwMiscStatus in decimal
//   CLSID\{clsid}\TypeLib            @ = {tlid}
//   CLSID\{clsid}\Version            @ = "<major>.<minor>"
//   <progId>                         @ = string idTypeName;  <progId>\CLSID  @ = {clsid}
// and the "Insertable" keys only with afxRegInsertable. Nonzero on success.
BOOL AfxOleRegisterControlClass(HINSTANCE hInstance, REFCLSID clsid, const char *progId,
                                UINT idTypeName, UINT idBitmap, int nRegFlags, DWORD dwMiscStatus,
                                REFGUID tlid, uint16_t wVerMajor, uint16_t wVerMinor);

// Writes CLSID\{clsid} @ = string idTypeName and its InprocServer32 @ = the module's path.
BOOL AfxOleRegisterPropertyPageClass(HINSTANCE hInstance, REFCLSID clsid, UINT idTypeName,
                                     int nRegFlags = afxRegDefault);

// Removes CLSID\{clsid} and, when progId is given, the ProgID's key.
BOOL AfxOleUnregisterClass(REFCLSID clsid, const char *progId);

// Registers the type library embedded in the module (or in fileName when given) under the
// module's path, after checking that it is the library tlid.
BOOL AfxOleRegisterTypeLib(HINSTANCE hInstance, REFGUID tlid, const char *fileName = nullptr,
                           const char *helpDir = nullptr);

// Unregisters the library; a major version of 0 means every registered version of it, then
// every locale, and any interface key still naming the library. Fails when there was nothing
// to remove.
BOOL AfxOleUnregisterTypeLib(REFGUID tlid, uint16_t wVerMajor = 0, uint16_t wVerMinor = 0,
                             LCID lcid = 0);
