#include "mp3/decode_check.h"

#include <mpg123.h>

#include <algorithm>
#include <memory>
#include <span>

namespace tarnwick {
namespace {

// libmpg123 conceals a frame it cannot decode: it says so only as text on
// standard error, and fills the rest of the frame's output with zeros. So the
// check decodes to 32-bit float and looks for that mark: a granule (576
// samples in Layer III, the whole frame in Layers I and II) of exact zeros
// right after a sample that was not zero. A real decode never gives that:
// the synthesis filter and the overlap of the granule before carry sound into
// the next 512 samples, and in floating point even a fading tail is not
// exactly zero. A frame concealed after silence goes unseen, and is silence.
constexpr int kLayer3GranuleSamples = 576;

struct DecoderDeleter {
  void operator()(mpg123_handle* decoder) const {
    mpg123_close(decoder);
    mpg123_delete(decoder);
  }
};
using Decoder = std::unique_ptr<mpg123_handle, DecoderDeleter>;

Decoder OpenDecoder(const std::string& path) {
  static const bool initialised = mpg123_init() == MPG123_OK;
  if (!initialised) return nullptr;
  Decoder decoder(mpg123_new(nullptr, nullptr));
  if (!decoder) return nullptr;
  // Gapless decoding would trim the first and last frames, moving the granules.
  mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_FLOAT, 0);
  mpg123_param(decoder.get(), MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
  if (mpg123_open(decoder.get(), path.c_str()) != MPG123_OK) return nullptr;
  return decoder;
}

class ConcealmentFinder {
 public:
  explicit ConcealmentFinder(mpg123_handle* decoder) : decoder_(decoder) {}

  void Run() {
    while (true) {
      off_t number = 0;
      unsigned char* audio = nullptr;
      size_t bytes = 0;
      const int result = mpg123_decode_frame(decoder_, &number, &audio, &bytes);
      if (result == MPG123_NEW_FORMAT) {
        ReadFormat();
      } else if (result == MPG123_OK) {
        CheckFrame({reinterpret_cast<const float*>(audio), bytes / sizeof(float)});
      } else {
        return;  // the end, or a stream the decoder gives up on
      }
    }
  }

  std::vector<Problem> Take() { return problems_.Take(); }

 private:
  void ReadFormat() {
    long rate = 0;
    int encoding = 0;
    mpg123_getformat(decoder_, &rate, &channels_, &encoding);
    mpg123_frameinfo info{};
    mpg123_info(decoder_, &info);
    layer3_ = info.layer == 3;
  }

  void CheckFrame(std::span<const float> samples) {
    if (channels_ <= 0 || samples.empty()) return;
    const std::size_t granule =
        layer3_ ? static_cast<std::size_t>(kLayer3GranuleSamples * channels_) : samples.size();
    for (std::size_t start = 0; start + granule <= samples.size(); start += granule) {
      const auto part = samples.subspan(start, granule);
      if (sounding_ && std::all_of(part.begin(), part.end(), [](float s) { return s == 0.0f; })) {
        problems_.Add(Problem::Kind::kDecode, mpg123_framepos(decoder_),
                      "the decoder could not decode this frame and put silence in its place");
        sounding_ = false;
        return;
      }
      const auto last = part.last(static_cast<std::size_t>(channels_));
      sounding_ = std::any_of(last.begin(), last.end(), [](float s) { return s != 0.0f; });
    }
  }

  mpg123_handle* decoder_;
  int channels_ = 0;
  bool layer3_ = true;
  bool sounding_ = false;
  ProblemList problems_;
};

}  // namespace

std::vector<Problem> DecodeCheck(const std::string& path) {
  const Decoder decoder = OpenDecoder(path);
  if (!decoder) return {};
  ConcealmentFinder finder(decoder.get());
  finder.Run();
  return finder.Take();
}

}  // namespace tarnwick
