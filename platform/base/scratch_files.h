// The program's own scratch files: the files in the temporary folder that the control makes for
// itself (its working copies). A save into one need not reach the disk before it is reported,
// since nobody wants such a file back after a crash; every other save must.
#pragma once

#include <string>

// Marks the file at path, named exactly as it will be saved to, as scratch; until it is
// forgotten, a save to that name skips the flushes that protect a person's file.
void MarkScratchFile(const std::string &path);
void ForgetScratchFile(const std::string &path);
bool IsScratchFile(const std::string &path);
