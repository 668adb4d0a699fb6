// The folder the running program lives in, as the bytes the file system names it by: a folder
// whose name is not UTF-8 would not survive a round trip through QString.
#pragma once

#include <string>

// The folder of the file that the link at programLink (the kernel's /proc/self/exe) points
// to, without a trailing slash; empty when the link cannot be read.
std::string programFolder(const char *programLink = "/proc/self/exe");
