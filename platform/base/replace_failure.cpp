// Sorting the system's error numbers into the kinds of failure a caller tells apart.
#include "base/replace_failure.h"

#include <cerrno>
#include <cstring>

namespace {

// A read-only mount refuses a write as surely as a file mode does.
bool isPermissionError(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

ReplaceFailure replaceFailure(const char *what, const std::string &path, int error) {
    const auto kind = isPermissionError(error) ? ReplaceFailure::Kind::NotPermitted
                                               : ReplaceFailure::Kind::Failed;
    return {kind, error, std::string(what) + ' ' + path + ": " + std::strerror(error)};
}
