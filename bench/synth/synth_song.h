#pragma once

#include <cstdint>
#include <vector>

namespace tarnwick::test {

// A generated piece of music that stands in for a real song in fingerprint
// tests: a melody of random scale notes on an instrument with its own
// harmonics and envelope, chords and a bass line that change with every
// section, a drum pattern made from filtered noise, and a little background
// noise. The same seeds give the same piece; other seeds give a piece that
// really differs.
struct SongSpec {
  std::uint32_t seed = 1;         // tempo, key, instruments and drum pattern
  std::uint32_t melody_seed = 1;  // the tune: melody and chords
  // A live take of the same song: slightly slower, other timbres, reverb and
  // crowd noise.
  bool live = false;
};

// Renders `seconds` of the song from second `start` on, as interleaved stereo
// 16-bit samples at `sample_rate`. The music is a function of time, so the
// same song rendered at 44100 and 48000 Hz is the same recording.
std::vector<std::int16_t> RenderSong(const SongSpec& song, int sample_rate, double start,
                                     double seconds);

}  // namespace tarnwick::test
