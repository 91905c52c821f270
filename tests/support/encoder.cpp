#include "support/encoder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

const TempDir& Folder() {
  static const TempDir folder;
  return folder;
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
    Replace(line, "{in}", "'" + SourceWave(sample_rate, seconds, channels) + "'");
    Replace(line, "{out}", "'" + out + "'");
    if (line.find("{cover}") != std::string::npos)
      Replace(line, "{cover}", "'" + CoverPicture() + "'");
    Run(line);
  }
  return ReadFile(out);
}

}  // namespace tarnwick::test
