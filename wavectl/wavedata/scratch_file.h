// The control's scratch files in the temporary folder (its working copies and the clip): made,
// rewritten whole and deleted.
#pragma once

#include <cstdint>
#include <string>

// A new empty file in the temporary folder with the given prefix; empty when none can be made.
std::string MakeTemporaryFile(const char *prefix);
// Deletes a working copy; harmless for an empty name or a missing file.
void DeleteWorkingCopy(const std::string &path);

// Replaces the content of the file at path with size bytes from data through a new file beside
// it, so a failed or short write (a full disk, the break key) leaves the file as it was. Meant for
// the control's scratch files in the temporary folder: nothing is forced to disk.
bool ReplaceFileContent(const std::string &path, const uint8_t *data, int32_t size);
