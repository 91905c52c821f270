#pragma once

#include <span>
#include <string>
#include <variant>

#include "settings/settings.h"

namespace tarnwick {

// One key of the section "Settings" and the field of SETTINGS it fills. The
// one table serves reading and writing, so the two can never drift apart;
// its order is the order of both, and a file made from nothing lists its
// keys in this order.
struct SettingsKey {
  using TextField = std::string SETTINGS::*;
  using NumberField = int SETTINGS::*;
  using FlagField = bool SETTINGS::*;

  const char* name;
  std::variant<TextField, NumberField, FlagField> field;
  const char* textFallback = "";  // for text fields
  long long fallback = 0;         // for number and flag fields
  bool folder = false;            // a folder path, which always ends with '/'
};

std::span<const SettingsKey> SettingsKeys();

}  // namespace tarnwick
