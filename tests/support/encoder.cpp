#include "support/encoder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

const TempDir& Folder() {
  static const TempDir folder;
  return folder;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

void Replace(std::string& text, std::string_view placeholder, const std::string& value) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

std::string SourceWave(int sample_rate, double seconds, int channels) {
  const std::string path = Folder().path() + "source-" + std::to_string(sample_rate) + "-" +
                           std::to_string(seconds) + "-" + std::to_string(channels) + ".wav";
  if (!std::filesystem::exists(path)) {
    Run("ffmpeg -hide_banner -loglevel error -y -f lavfi -i 'anoisesrc=d=" +
        std::to_string(seconds) + ":c=pink:r=" + std::to_string(sample_rate) +
        ":a=0.3' -af 'tremolo=f=3:d=0.9' -ac " + std::to_string(channels) + " '" + path + "'");
  }
  return path;
}

// Random grey pixels do not compress, so the picture keeps its size in a tag.
std::string CoverPicture() {
  const std::string path = Folder().path() + "cover.png";
  if (!std::filesystem::exists(path)) {
    Run("ffmpeg -hide_banner -loglevel error -y -f lavfi -i "
        "'nullsrc=s=160x160,geq=random(1)*255:128:128' "
        "-frames:v 1 '" +
        path + "'");
  }
  return path;
}

}  // namespace

std::string Encoded(std::string_view name, std::string_view command, int sample_rate,
                    double seconds, int channels) {
  const std::string out = Folder().path() + std::string(name);
  if (!std::filesystem::exists(out)) {
    std::string line(command);
    Replace(line, "{in}", Quoted(SourceWave(sample_rate, seconds, channels)));
    Replace(line, "{out}", Quoted(out));
    if (line.find("{cover}") != std::string::npos) Replace(line, "{cover}", Quoted(CoverPicture()));
    Run(line);
  }
  return ReadFile(out);
}

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

bool Decode(const std::string& mp3, const std::string& wav, double seconds, int rate) {
  const std::string command = "ffmpeg -nostdin -loglevel error -y -i " + Quoted(mp3) +
                              " -af atrim=end=" + std::to_string(seconds) + " -ar " +
                              std::to_string(rate) + " -ac 2 " + Quoted(wav);
  return std::system(command.c_str()) == 0;
}

}  // namespace tarnwick::test
