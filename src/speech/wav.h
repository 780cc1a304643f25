#pragma once
// A teacher's recording as the file the program keeps beside the picture:
// trimmed of the silence before and after the word, written as a WAV file
// (16-bit PCM, little-endian, a plain RIFF header) that every decoder reads.

#include "speech/pcm.h"

#include <QByteArray>

namespace wav {

/// The WAV file holding pcm. A trailing part of a frame (an odd byte, or
/// fewer samples than channels) is left out, so the header always tells
/// the truth. Empty for a sound without rate or channels.
QByteArray encode(const Pcm &pcm);

/// How silence is told from the word.
struct Trim {
    int windowMs = 10;   // the sound is judged in windows this long
    int threshold = 400; // root mean square of a window that counts as sound (of 32767)
    int marginMs = 80;   // kept before the first and after the last window of sound
};

/// pcm without the silence at its start and end (a window whose level stays
/// under the threshold); what lies between two sounds stays. Empty when no
/// window is loud enough.
Pcm trimSilence(const Pcm &pcm, const Trim &trim = Trim());

/// The loudness of samples for a level meter, 0 to 100: the peak on a scale
/// from -60 dB (0) to full scale (100).
int meterLevel(const char *samples, qsizetype bytes);

} // namespace wav
