// ALSA's library tells on stderr what it could not find (no card, no PCM "default") whenever
// SDL tries it on a machine without sound; a desktop program that then plays on the null sink
// prints nothing there, so those messages go to the device's trace instead.
#pragma once

// Sets the error handler of the ALSA library that SDL loads, where the system has one. Called
// before SDL's audio starts.
void routeAlsaMessagesToTrace();
