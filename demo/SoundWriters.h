#pragma once
// Makes the demo's tunes: a short standard MIDI file and a short wave sample for each game.

#include <string>

// A format-0 MIDI file: a melody and a bass line drawn from the seed, about ten seconds long.
std::string MakeMidiTune(unsigned seed);
// 16-bit mono PCM at 22050 Hz: a rising and falling arcade jingle of about a second.
std::string MakeWaveJingle(unsigned seed);
