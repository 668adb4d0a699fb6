// The usage text of regsvr, laid out like a manual page.
#include "usage.h"

const char *const kUsage = R"(NAME
    regsvr - register or unregister an in-process object module

SYNOPSIS
    regsvr [-u] MODULE
    regsvr -h | --help
    regsvr --version

DESCRIPTION
    regsvr loads MODULE, a shared library exporting the four functions of an
    in-process object server, and calls its DllRegisterServer function, which
    records the module's classes, ProgIDs and type library in the object
    registry. With -u it calls DllUnregisterServer instead, which removes them.

    MODULE may be given relative to the current folder; it is resolved to an
    absolute path first, since the registry only ever names absolute paths.

    A module that every user could have changed (the file, or a folder on its
    way without the sticky bit, writable by all) is refused unloaded, as
    object creation would refuse it later.

    The function's result code is printed in hexadecimal with its name, on
    standard output when it succeeded and as one line on standard error when
    it did not; that line ends with the cause where one is known, such as the
    registry file and the line it could not read, or the system's error.

OPTIONS
    -u, --unregister
        Call DllUnregisterServer instead of DllRegisterServer.

    -h, --help
        Print this text and exit.

    --version
        Print the version and exit.

ENVIRONMENT
    KORVANE_COM_REGISTRY
        The registry file to change, an absolute path (a relative one is
        refused). When unset or empty, the registry is
        ${XDG_DATA_HOME:-$HOME/.local/share}/korvane/com-registry. A symbolic
        link there is followed, and the file keeps its mode when replaced.

EXIT STATUS
    0   The function succeeded.
    1   The function returned a failure code.
    2   The command line was wrong.
    3   MODULE was not found, was refused or could not be loaded, or does
        not export the function.
)";
