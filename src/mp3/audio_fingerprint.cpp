#include "mp3/audio_fingerprint.h"

#include <chromaprint.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "mp3/audio_error.h"
#include "mp3/pcm_reader.h"

namespace tarnwick {
namespace {

// The functions of libchromaprint, loaded when the first fingerprint is
// made: the library brings libavcodec and a hundred libraries more, whose
// loading would cost every start of the program about 20 ms (2 ms without).
struct Chromaprint {
  decltype(&chromaprint_new) create;
  decltype(&chromaprint_free) destroy;
  decltype(&chromaprint_start) start;
  decltype(&chromaprint_feed) feed;
  decltype(&chromaprint_finish) finish;
  decltype(&chromaprint_get_raw_fingerprint) raw_fingerprint;
  decltype(&chromaprint_dealloc) dealloc;
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

std::optional<Chromaprint> LoadChromaprint() {
  void* library = dlopen(TARNWICK_CHROMAPRINT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  Chromaprint c{};
  if (library == nullptr || !Find(library, "chromaprint_new", c.create) ||
      !Find(library, "chromaprint_free", c.destroy) ||
      !Find(library, "chromaprint_start", c.start) || !Find(library, "chromaprint_feed", c.feed) ||
      !Find(library, "chromaprint_finish", c.finish) ||
      !Find(library, "chromaprint_get_raw_fingerprint", c.raw_fingerprint) ||
      !Find(library, "chromaprint_dealloc", c.dealloc)) {
    return std::nullopt;
  }
  return c;
}

// Loaded once, by whichever thread comes first; none when it cannot be.
const Chromaprint* Library() {
  static const std::optional<Chromaprint> library = LoadChromaprint();
  return library ? &*library : nullptr;
}

// Feeds the reader's audio, at most `limit` samples, to a started context.
// Returns the number of samples fed, or -1 when the context refused them.
std::int64_t FeedAudio(const Chromaprint& c, Mp3PcmReader& reader, ChromaprintContext* context,
                       std::int64_t limit) {
  std::array<std::int16_t, 8192> buffer;
  std::int64_t fed = 0;
  while (fed < limit) {
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(buffer.size(), limit - fed));
    const std::size_t count = reader.Read({buffer.data(), wanted});
    if (count == 0) break;
    if (!c.feed(context, buffer.data(), static_cast<int>(count))) return -1;
    fed += static_cast<std::int64_t>(count);
  }
  return fed;
}

std::vector<std::uint32_t> RawItems(const Chromaprint& c, ChromaprintContext* context) {
  std::uint32_t* raw = nullptr;
  int size = 0;
  if (!c.raw_fingerprint(context, &raw, &size)) return {};
  std::vector<std::uint32_t> items(raw, raw + size);
  c.dealloc(raw);
  return items;
}

double DurationSeconds(const Mp3PcmReader& reader, std::int64_t fed) {
  const std::int64_t length = reader.ReachedEnd() ? fed : reader.LengthInSamples();
  return static_cast<double>(length < 0 ? fed : length) / reader.SampleRate();
}

}  // namespace

FingerprintResult FingerprintFile(const std::string& path, double seconds) {
  const Chromaprint* c = Library();
  if (c == nullptr) return {{}, AudioError::kFingerprintFailed};
  Mp3PcmReader reader;
  if (const std::error_code error = reader.Open(path)) return {{}, error};
  const std::unique_ptr<ChromaprintContext, decltype(c->destroy)> context(
      c->create(CHROMAPRINT_ALGORITHM_DEFAULT), c->destroy);
  if (!context || !c->start(context.get(), reader.SampleRate(), 1)) {
    return {{}, AudioError::kFingerprintFailed};
  }
  const auto limit = static_cast<std::int64_t>(seconds * reader.SampleRate());
  const std::int64_t fed = FeedAudio(*c, reader, context.get(), limit);
  if (fed == 0) return {{}, AudioError::kNoMpegAudio};
  if (fed < 0 || !c->finish(context.get())) return {{}, AudioError::kFingerprintFailed};
  return {{RawItems(*c, context.get()), DurationSeconds(reader, fed)}, {}};
}

}  // namespace tarnwick
