#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// File names as a real collection has them: artists and titles with umlauts
// (in both spellings), accents, "the", featuring credits before or after the
// "-", numbering suffixes, track numbers and the odd upper-case extension.
// The same seed always gives the same names.
inline std::vector<std::string> MakeNameMix(size_t count, uint32_t seed = 1) {
  static constexpr std::array<std::string_view, 16> kArtists = {
      "The Night Owls",     "Die Käfer",      "Die Kaefer",      "ÄRGER",
      "Café Olé",           "Björk Sørensen", "Andromeda",       "Mötley Cruise",
      "The Chemical Twins", "Ünal & Söhne",   "Les Héros",       "Dieter Bohlich",
      "Señor Coconut",      "Straßenfeger",   "Michael Jäckson", "Theo Thielemann"};
  static constexpr std::array<std::string_view, 16> kTitles = {
      "Blue River",    "Schöne Liebe",   "Schoene Liebe", "Über Alles",
      "Night Train",   "Ça Va",          "Thriller",      "Liebeslied",
      "Heißer Sommer", "Écoute-moi",     "Mädchen",       "Sie liebt dich",
      "Heaven's Door", "Tränen (Remix)", "Ich will",      "Ich bin's"};
  static constexpr std::array<std::string_view, 8> kCredits = {
      " feat. Somebody", " ft. MC Ölf",     " vs. DJ Ice",  " & Friends",
      "& Friends",       " with Orchestra", " presents Él", " and the Band"};
  static constexpr std::array<std::string_view, 6> kEndings = {".mp3",   ".mp3",   ".MP3",
                                                               "_1.mp3", "_2.mp3", ".Mp3"};
  std::mt19937 random(seed);
  const auto pick = [&random](const auto& list) {
    return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(random)];
  };
  const auto chance = [&random](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };
  std::vector<std::string> names;
  names.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::string name;
    if (chance(20)) name += std::to_string(1 + i % 20) + " - ";
    name += pick(kArtists);
    const bool credit = chance(30);
    const bool credit_after_title = credit && chance(30);
    if (credit && !credit_after_title) name += pick(kCredits);
    name += " - ";
    name += pick(kTitles);
    if (credit_after_title) name += pick(kCredits);
    name += pick(kEndings);
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace tarnwick::test
