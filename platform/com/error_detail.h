// The words behind the runtime's last failure on this thread: the file, the line, the module and
// what the system or the loader said, which the failure's code alone cannot carry.
#pragma once

#include <string>

// Set where the runtime returns a failure whose code would hide its cause. A success leaves the
// text alone, as the platform's last error does, so a caller clears it before the call it wants
// to explain.
void setLastErrorDetail(std::string text);
void clearLastErrorDetail();
// The text set last on this thread, or an empty string.
const std::string &lastErrorDetail();

// Sets "<what>: <text of errnoValue>", the usual shape of a failed system call's detail.
// Callers copy errno first: building what may allocate, and arguments are evaluated in no
// fixed order.
void setLastSystemErrorDetail(const std::string &what, int errnoValue);
