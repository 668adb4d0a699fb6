// The subjects of the soak runs. A subject is set up once and then asked for rounds twice:
// a warm-up, and the rounds between the two measurements.
#pragma once

#include <memory>
#include <string>

class SoakSubject {
  public:
    virtual ~SoakSubject() = default;
    // Runs that many more rounds; empty, or why the subject could not go on.
    virtual std::string run(int rounds) = 0;
};

// Open and Close of one short file through a control created by its class identifier.
std::unique_ptr<SoakSubject> makeOpenCloseSubject(const std::string &folder);
// WavFileToArray, ArrayToWavFile, ChangeVolume, Copy, Paste and SetSamplingRate in turn on
// one open file, whose length the edits keep.
std::unique_ptr<SoakSubject> makeEditSubject(const std::string &folder);
// The game's background music looping a 50 ms file; a round is one play to its end.
std::unique_ptr<SoakSubject> makeMusicSubject(const std::string &folder);
// Whole games through the main window's squares, on random legal squares, the two-player and
// the computer mode in turn.
std::unique_ptr<SoakSubject> makeGameSubject();
