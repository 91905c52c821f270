#include "support/mp3_encoder.h"

#include <cstdlib>
#include <fstream>

namespace tarnwick::test {
namespace {

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace

// The canonical 44-byte header: RIFF size, "fmt " chunk for PCM, "data" chunk.
void WriteWav(const std::string& path, const std::vector<std::int16_t>& samples, int sample_rate,
              int channels) {
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::ofstream out(path, std::ios::binary);
  out << "RIFF";
  PutLittleEndian(out, 36 + data_bytes, 4);
  out << "WAVEfmt ";
  PutLittleEndian(out, 16, 4);  // chunk size
  PutLittleEndian(out, 1, 2);   // PCM
  PutLittleEndian(out, channels, 2);
  PutLittleEndian(out, sample_rate, 4);
  PutLittleEndian(out, sample_rate * channels * 2, 4);  // bytes a second
  PutLittleEndian(out, channels * 2, 2);                // bytes a sample frame
  PutLittleEndian(out, 16, 2);                          // bits a sample
  out << "data";
  PutLittleEndian(out, data_bytes, 4);
  for (const std::int16_t sample : samples)
    PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
}

bool Encode(const Encoding& encoding, const std::string& wav, const std::string& mp3) {
  const std::string command =
      encoding.ffmpeg
          ? "ffmpeg -nostdin -loglevel error -y -i " + Quoted(wav) + " -c:a libmp3lame " +
                encoding.options + " " + Quoted(mp3)
          : "lame --quiet " + std::string(encoding.options) + " " + Quoted(wav) + " " + Quoted(mp3);
  return std::system(command.c_str()) == 0;
}

}  // namespace tarnwick::test
