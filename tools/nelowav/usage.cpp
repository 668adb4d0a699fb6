// The usage text of nelowav, laid out like a manual page.
#include "usage.h"

const char *const kUsage = R"(NAME
    nelowav - drive the NELOWAV wave control from a script

SYNOPSIS
    nelowav [--json] [SCRIPT]
    nelowav --list
    nelowav -h | --help
    nelowav --version

DESCRIPTION
    nelowav creates one NELOWAV control by its ProgID "NELOWAV.NeloWavCtrl"
    through the object registry, then runs SCRIPT line by line (standard
    input when SCRIPT is missing or "-"). An installed control is found
    without registering anything: the user's registry is read first, then
    the installation's (see FILES). A control built elsewhere is registered
    for the user with "regsvr libnelowav.so".

    Each line is one of:

    Method [ARG ...]
        Calls the control's method of that name (any case), with each ARG
        converted to the type its parameter has in the control's type
        library: integers in decimal, a float in any C notation (0.5, 2,
        1e30, nan), a Boolean as true, false or a number (0 is false), a
        string as a word or in double quotes (\" and \\ stand for a quote
        and a backslash inside them).

        A short-array parameter is written @FILE, or @"FILE" for a path
        with blanks. For WavFileToArray an array of ArrayLength elements is
        handed over and, when the control reports no error, written to FILE
        after the call as little-endian 16-bit values (through a temporary
        file beside it, so FILE is never left half written). For
        ArrayToWavFile FILE, a regular file, is read as little-endian 16-bit
        values into an array of ArrayLength elements: values beyond are
        ignored, missing ones are zeros.

    wait-done [MS]
        Processes events until the next Done event arrives, for at most MS
        milliseconds (default 10000); a Done that arrived since the last
        wait-done (during a sleep, say) counts, and it returns at once. A
        wait that ends without one is reported on standard error; the
        script goes on.

    sleep MS
        Processes events for MS milliseconds.

    A # where a word would start (outside quotes) begins a comment that
    runs to the end of the line; inside a word, as in a#b, it is part of
    the word. Blank lines are skipped, as is a UTF-8 byte-order mark at the
    start of the script; a line may hold at most 8192 bytes.

    AboutBox shows its dialog only where a display is available (DISPLAY or
    WAYLAND_DISPLAY set, and QT_QPA_PLATFORM not offscreen or minimal);
    elsewhere it is not called, and a line on standard error says so.

OUTPUT
    One line per call, and one per event as it arrives. Plain:

        Method -> VALUE [code N]
        Done NOTIFYCODE

    where VALUE is the result (strings in double quotes), or - for a method
    that returns nothing, and N is the control's GetErrorCode after the call.
    With --json:

        {"method":"GetLength","args":[],"result":1000,"error":0}
        {"event":"Done","NotifyCode":1}

    A file name is any string of bytes, and the script's words are passed on
    byte for byte. In the output, plain or JSON, every line is valid UTF-8:
    a byte that is not part of valid UTF-8 appears as \udcXX, XX being the
    byte in hex (80 to ff), so the name x<0xFF>.wav shows as "x\udcff.wav";
    Python's json.loads followed by os.fsencode gives back the bytes.
    A name holding a zero byte is refused: @FILE with exit status 2, a
    method's file name with code 304.

OPTIONS
    --json
        Print JSON objects instead of plain lines.

    --list
        Print the control's methods and events, one per line, with their
        dispatch identifiers, parameter names and types, and run no script.
        Plain text only: --list with --json is refused.

    -h, --help
        Print this text and exit.

    --version
        Print the version and exit.

ENVIRONMENT
    KORVANE_COM_REGISTRY
        The registry file to create the control from, an absolute path (a
        relative one is refused). It replaces both registries under FILES:
        no other is read.

    KORVANE_TRACE
        Areas to trace on standard error, separated by commas: com (a user
        entry skipped for the installation's), mci (the device's commands).

FILES
    ${XDG_DATA_HOME:-$HOME/.local/share}/korvane/com-registry
        The user's registry, read first. Its entry for a module file that no
        longer exists (a build since deleted) is skipped.

    PREFIX/share/korvane/com-registry
        The installation's registry, which names the installed control: the
        one of the installation nelowav belongs to, then korvane/com-registry
        in each folder of XDG_DATA_DIRS (/usr/local/share:/usr/share when
        unset). Read after the user's, never written.

EXIT STATUS
    0   The script ran to its end, whatever the control reported.
    1   The control could not be created (registry, module or factory); the
        reason is on standard error.
    2   A script error: an unknown method, a wrong number of arguments, an
        argument that does not convert or is out of range, an unreadable
        @FILE, a call the control refused, a line too long, output that
        could not be written (a full disk, a closed pipe); one line on
        standard error names the script line and the reason. Also a wrong
        command line or an unreadable SCRIPT.
    128+N
        Signal N (SIGINT 2, SIGTERM 15 or SIGHUP 1) stopped the script. A
        play or record waited for breaks off at once (its call reports 288);
        any other step under way finishes first (a long edit runs to its
        end), then the control is closed and its temporary files are
        deleted; a second signal ends nelowav at once, leaving them behind.
)";
