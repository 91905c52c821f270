#include "mp3/audio_fingerprint.h"

#include <chromaprint.h>

#include <algorithm>
#include <array>
#include <memory>

#include "mp3/audio_error.h"
#include "mp3/pcm_reader.h"

namespace tarnwick {
namespace {

using Context = std::unique_ptr<ChromaprintContext, decltype(&chromaprint_free)>;

// Feeds the reader's audio, at most `limit` samples, to a started context.
// Returns the number of samples fed, or -1 when the context refused them.
std::int64_t FeedAudio(Mp3PcmReader& reader, ChromaprintContext* context, std::int64_t limit) {
  std::array<std::int16_t, 8192> buffer;
  std::int64_t fed = 0;
  while (fed < limit) {
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(buffer.size(), limit - fed));
    const std::size_t count = reader.Read({buffer.data(), wanted});
    if (count == 0) break;
    if (!chromaprint_feed(context, buffer.data(), static_cast<int>(count))) return -1;
    fed += static_cast<std::int64_t>(count);
  }
  return fed;
}

std::vector<std::uint32_t> RawItems(ChromaprintContext* context) {
  std::uint32_t* raw = nullptr;
  int size = 0;
  if (!chromaprint_get_raw_fingerprint(context, &raw, &size)) return {};
  std::vector<std::uint32_t> items(raw, raw + size);
  chromaprint_dealloc(raw);
  return items;
}

double DurationSeconds(const Mp3PcmReader& reader, std::int64_t fed) {
  const std::int64_t length = reader.ReachedEnd() ? fed : reader.LengthInSamples();
  return static_cast<double>(length < 0 ? fed : length) / reader.SampleRate();
}

}  // namespace

FingerprintResult FingerprintFile(const std::string& path, double seconds) {
  Mp3PcmReader reader;
  if (const std::error_code error = reader.Open(path)) return {{}, error};
  const Context context(chromaprint_new(CHROMAPRINT_ALGORITHM_DEFAULT), &chromaprint_free);
  if (!context || !chromaprint_start(context.get(), reader.SampleRate(), 1)) {
    return {{}, AudioError::kFingerprintFailed};
  }
  const auto limit = static_cast<std::int64_t>(seconds * reader.SampleRate());
  const std::int64_t fed = FeedAudio(reader, context.get(), limit);
  if (fed == 0) return {{}, AudioError::kNoMpegAudio};
  if (fed < 0 || !chromaprint_finish(context.get())) return {{}, AudioError::kFingerprintFailed};
  return {{RawItems(context.get()), DurationSeconds(reader, fed)}, {}};
}

}  // namespace tarnwick
