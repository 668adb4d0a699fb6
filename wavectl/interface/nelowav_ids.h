// The control as a host sees it: its classes, interfaces and type library, which hosts store
// and so must never change, the dispatch identifiers of its methods and event, and the codes
// that its event carries.
#pragma once

#include "com/dispatch.h"
#include "com/guid.h"

#include <cstdint>

// The control class, its two interfaces, the library and the General page are consecutive.
inline constexpr CLSID CLSID_NeloWav = makeGuid("{8FB95F50-37C4-43E6-B162-9FAF79594AEC}");
inline constexpr IID IID_DNeloWav = makeGuid("{8FB95F51-37C4-43E6-B162-9FAF79594AEC}");
inline constexpr IID IID_DNeloWavEvents = makeGuid("{8FB95F52-37C4-43E6-B162-9FAF79594AEC}");
inline constexpr GUID LIBID_NelowavLib = makeGuid("{8FB95F53-37C4-43E6-B162-9FAF79594AEC}");
inline constexpr CLSID CLSID_NeloWavPropPage = makeGuid("{8FB95F54-37C4-43E6-B162-9FAF79594AEC}");
inline constexpr CLSID CLSID_AboutPropPage = makeGuid("{E71CB82C-7DBA-4B60-ACB3-2B2C38B4AE80}");

inline constexpr const char *kNeloWavProgId = "NELOWAV.NeloWavCtrl";
inline constexpr const char *kNeloWavPropPageProgId = "NELOWAV.NeloWavPropPage.1";
inline constexpr const char *kAboutPropPageProgId = "CAboutPropPage0.CAboutPropPage";

inline constexpr uint16_t kTypeLibMajorVersion = 1;
inline constexpr uint16_t kTypeLibMinorVersion = 0;

enum NeloWavDispatchId : DISPID {
    dispidOpen = 1,
    dispidGetErrorCode = 2,
    dispidPlay = 3,
    dispidStop = 4,
    dispidSeek = 5,
    dispidGetLength = 6,
    dispidGetPosition = 7,
    dispidGetNumBits = 8,
    dispidGetNumChannels = 9,
    dispidWavFileToArray = 10,
    dispidArrayToWavFile = 11,
    dispidGetMode = 12,
    dispidRecord = 13,
    dispidSave = 14,
    dispidDelete = 15,
    dispidPause = 16,
    dispidSaveAs = 17,
    dispidGetWavFilename = 18,
    dispidGetSamplingRate = 19,
    dispidSetSamplingRate = 20,
    dispidClose = 21,
    dispidChangeVolume = 22,
    dispidGetErrorMessage = 23,
    dispidCopy = 24,
    dispidPaste = 25,
    dispidAboutBox = DISPID_ABOUTBOX,
};

enum NeloWavEventId : DISPID {
    eventidDone = 1,
};

// The NotifyCode of Done: how the play or record ended.
enum NeloWavDoneCode : int16_t {
    doneSuccessful = 1, // it ran to its end
    doneSuperseded = 2, // a later play or record took its place
    doneAborted = 4,    // it was interrupted
    doneFailure = 8,    // the device failed while carrying it out
};
