// Fault injection for file calls: a test arms a fault ("the Nth open of a path containing P
// fails with E") and the calls in faultable_calls.h report it as the system would. Unarmed,
// a call pays one relaxed atomic load.
#pragma once

#include <string>

enum class FileCall { Open, Read, Write, Sync, Close, Rename, Link, Unlink, Stat, Map };

struct FileFault {
    FileCall call = FileCall::Open;
    // Matched against the path the call names, or the path its descriptor was opened on
    // (known for descriptors opened while a fault was armed); empty matches every call.
    std::string pathPart;
    int error = 0;
    // Counts the calls that match: the nth fails, and with sticky every one after it too, as a
    // full disk or a vanished device keeps failing.
    int nth = 1;
    bool sticky = false;
};

void armFileFault(const FileFault &fault);
void disarmFileFaults();

// True, with errno set, when an armed fault claims this call.
bool fileFaultStrikes(FileCall call, const char *path);
// True, with errno set, when an armed fault claims this call on a descriptor.
bool fileFaultStrikes(FileCall call, int fd);

// Descriptors opened while armed remember their path, so that later calls on them match.
void rememberFaultPath(int fd, const char *path);
void forgetFaultPath(int fd);
