// SDL's audio subsystem, started once per process by whichever stream needs it first.
#pragma once

// nullptr once the subsystem runs; otherwise why it could not start (the same text every time).
const char *sdlAudioStartFailure();
