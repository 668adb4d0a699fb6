// Fault injection for file calls: a test arms a fault ("the Nth open of a path containing P
// fails with E") and the calls in faultable_calls.h report it as the system would. Unarmed,
// a call pays one relaxed atomic load.
#pragma once

#include <string>

enum class FileCall {
    Open,
    Read,
    Write,
    Seek,
    Sync,
    Close,
    Rename,
    Link,
    Unlink,
    Stat,
    Access,
    Chmod,
    Lock,
    Map,
};

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
// True, with errno set, when an armed fault claims this call on the name in the folder open as
// folder, matched as the folder's path, a slash and the name.
bool fileFaultStrikes(FileCall call, int folder, const char *name);

// Descriptors opened while armed remember their path, so that later calls on them match.
void rememberFaultPath(int fd, const char *path);
// The path of name in the folder open as folder, for a descriptor opened on it.
void rememberFaultPath(int fd, int folder, const char *name);
void forgetFaultPath(int fd);
