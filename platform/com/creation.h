// Creating objects: ProgID and CLSID lookup in the registry, loading in-process server
// modules by their registered absolute path, and unloading them when they allow it.
#pragma once

#include "com/class_factory.h"

#include <string>

enum CLSCTX : uint32_t {
    CLSCTX_INPROC_SERVER = 0x1,
    CLSCTX_INPROC_HANDLER = 0x2,
    CLSCTX_LOCAL_SERVER = 0x4,
    CLSCTX_REMOTE_SERVER = 0x10,
    CLSCTX_ALL = 0x17,
};

// The exports of an in-process server module, with C linkage:
//   extern "C" HRESULT DllRegisterServer();
//   extern "C" HRESULT DllUnregisterServer();
//   extern "C" HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv);
//   extern "C" HRESULT DllCanUnloadNow(); // S_OK when no object or lock is left
using DllRegisterServerFunc = HRESULT (*)();
using DllUnregisterServerFunc = HRESULT (*)();
using DllGetClassObjectFunc = HRESULT (*)(REFCLSID, REFIID, void **);
using DllCanUnloadNowFunc = HRESULT (*)();

// Nothing to set up: both succeed and may be called any number of times.
HRESULT CoInitialize(void *reserved);
void CoUninitialize();

// Looks up "<progid>\CLSID". CO_E_CLASSSTRING when the ProgID is not registered or its
// value is not a CLSID; E_INVALIDARG for null or empty text.
HRESULT CLSIDFromProgID(const char *progid, CLSID *pclsid);
// Accepts "{...}" text or a ProgID.
HRESULT CLSIDFromString(const char *text, CLSID *pclsid);
// Reads "CLSID\{clsid}\ProgID"; REGDB_E_CLASSNOTREG when there is none.
HRESULT ProgIDFromCLSID(REFCLSID clsid, std::string &progid);

// Reads "CLSID\{clsid}\InprocServer32", loads that module once per process and asks its
// DllGetClassObject. Failures, in the order they are checked:
//   clsctx without CLSCTX_INPROC_SERVER or the class not registered: REGDB_E_CLASSNOTREG;
//   the registry unreadable: REGDB_E_READREGDB;
//   a registered path that is not absolute: CO_E_BAD_PATH (such a path is never loaded);
//   no file at that path: CO_E_DLLNOTFOUND;
//   the file, or a folder on its way, writable by every user: E_ACCESSDENIED (never loaded);
//   the file not loadable or without DllGetClassObject: CO_E_ERRORINDLL;
//   otherwise whatever DllGetClassObject returns.
// Each failure but the last leaves its reason (registry file and line, module path, system or
// loader message) as the last error detail (com/error_detail.h).
HRESULT CoGetClassObject(REFCLSID rclsid, uint32_t clsctx, void *serverInfo, REFIID riid,
                         void **ppv);
// CoGetClassObject for IClassFactory, then CreateInstance.
HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown *outer, uint32_t clsctx, REFIID riid,
                         void **ppv);

// Unloads every module loaded for creation whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

// The absolute path of the loaded module (shared library or program) that contains address,
// or an empty string; a module calls it with one of its own functions to learn its path.
std::string moduleFileName(const void *address);
