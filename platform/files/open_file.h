// OpenFile and the handle functions that go with it: a file opened once by name, whose full
// path is kept in an OFSTRUCT so that it can be opened again without the name.
#pragma once

#include "base/platform_types.h"

#include <cstdint>

inline constexpr int OFS_MAXPATHNAME = 128;

struct OFSTRUCT {
    uint8_t cBytes;
    uint8_t fFixedDisk;
    uint16_t nErrCode; // the errno of a failed open
    uint16_t Reserved1;
    uint16_t Reserved2;
    char szPathName[OFS_MAXPATHNAME];
};

using HFILE = int;
using LONG = int32_t;
inline constexpr HFILE HFILE_ERROR = -1;

inline constexpr UINT OF_READ = 0x0000;
inline constexpr UINT OF_REOPEN = 0x8000;

inline constexpr int FILE_BEGIN = 0;
inline constexpr int FILE_END = 2;

// Opens fileName for reading (OF_READ) and records its full path in reOpenBuff, or opens the
// path recorded there again (OF_REOPEN). A full path too long for the record is recorded as a
// token of the process's long names (base/short_path_codec.h). HFILE_ERROR when it cannot be
// opened.
HFILE OpenFile(const char *fileName, OFSTRUCT *reOpenBuff, UINT style);
// The new offset, or HFILE_ERROR (also for an offset beyond what LONG can hold).
LONG _llseek(HFILE file, LONG offset, int origin);
// Reads up to count bytes; the count read (fewer only at the end), or HFILE_ERROR.
LONG _hread(HFILE file, void *buffer, LONG count);
HFILE _lclose(HFILE file);
