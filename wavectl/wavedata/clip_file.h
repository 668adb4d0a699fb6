// The clip: one file of raw sample bytes that Copy writes and Paste reads, shared by every
// control instance in the module.
#pragma once

#include <climits>
#include <cstdint>

// The clip file's path, of any length the system takes; empty until the first Copy makes it.
extern char g_szClipFile[PATH_MAX];
// The byte count of the last clip written.
extern int32_t g_nClipSize;

// Deletes the clip file and forgets it, when the module that shares it ends.
void DeleteClipFile();
