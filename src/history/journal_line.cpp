#include "history/journal_line.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "history/path_field.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

using nlohmann::json;

constexpr JournalAction kActions[] = {JournalAction::kMove, JournalAction::kRename,
                                      JournalAction::kTrash, JournalAction::kDelete};

json IdentityJson(const FileIdentity& identity) {
  return {{"device", identity.device},
          {"inode", identity.inode},
          {"size", identity.size},
          {"mtime", identity.mtimeSeconds},
          {"mtime_ns", identity.mtimeNanoseconds}};
}

json ToJson(const RunHeader& header) {
  json object = {
      {"kind", "run"}, {"start", header.start}, {"pid", header.pid}, {"mode", ToUtf8(header.mode)}};
  PutPaths(object, "folders", header.folders);
  PutPath(object, "settings", header.settingsFile);
  return object;
}

json ToJson(const ActionIntent& intent) {
  json object = {{"kind", "intent"},
                 {"seq", intent.seq},
                 {"action", ActionName(intent.action)},
                 {"identity", IdentityJson(intent.identity)}};
  PutPath(object, "from", intent.from);
  if (!intent.to.empty()) PutPath(object, "to", intent.to);
  return object;
}

json ToJson(const ActionOutcome& outcome) {
  json object = {{"kind", "outcome"}, {"seq", outcome.seq}, {"ok", outcome.ok}};
  if (!outcome.to.empty()) PutPath(object, "to", outcome.to);
  if (!outcome.trashInfo.empty()) PutPath(object, "trashinfo", outcome.trashInfo);
  if (outcome.placed) object["placed"] = IdentityJson(*outcome.placed);
  if (!outcome.ok) object["error"] = ToUtf8(outcome.error);
  return object;
}

json ToJson(const UndoRecord& record) {
  json object = {{"kind", "undo"}, {"seq", record.seq}, {"ok", record.ok}};
  if (!record.ok) object["error"] = ToUtf8(record.error);
  return object;
}

json ToJson(const UndoCompletion& completion) {
  return {{"kind", "undone"}, {"time", completion.time}, {"complete", completion.complete}};
}

// Everything below reads with throwing accessors (json::at, optional::value);
// ParseJournalLine turns any of those into "not a journal line".

FileIdentity IdentityFrom(const json& object) {
  return {object.at("device").get<std::uint64_t>(), object.at("inode").get<std::uint64_t>(),
          object.at("size").get<std::int64_t>(), object.at("mtime").get<std::int64_t>(),
          object.at("mtime_ns").get<std::int64_t>()};
}

JournalAction ActionFrom(const json& name) {
  for (const JournalAction action : kActions) {
    if (name.get<std::string>() == ActionName(action)) return action;
  }
  throw std::invalid_argument("unknown action");
}

std::string OptionalPath(const json& object, std::string_view key) {
  return object.contains(key) ? GetPath(object, key).value() : std::string();
}

std::string ErrorText(const json& object) { return object.value("error", std::string()); }

RunHeader HeaderFrom(const json& object) {
  return {object.at("start").get<std::string>(), object.at("pid").get<std::int64_t>(),
          GetPaths(object, "folders").value(), object.at("mode").get<std::string>(),
          GetPath(object, "settings").value()};
}

ActionIntent IntentFrom(const json& object) {
  return {object.at("seq").get<std::uint64_t>(), ActionFrom(object.at("action")),
          GetPath(object, "from").value(), OptionalPath(object, "to"),
          IdentityFrom(object.at("identity"))};
}

ActionOutcome OutcomeFrom(const json& object) {
  ActionOutcome outcome{object.at("seq").get<std::uint64_t>(),
                        object.at("ok").get<bool>(),
                        OptionalPath(object, "to"),
                        OptionalPath(object, "trashinfo"),
                        std::nullopt,
                        ErrorText(object)};
  if (object.contains("placed")) outcome.placed = IdentityFrom(object.at("placed"));
  return outcome;
}

JournalLine LineFrom(const json& object) {
  const std::string kind = object.at("kind").get<std::string>();
  if (kind == "run") return HeaderFrom(object);
  if (kind == "intent") return IntentFrom(object);
  if (kind == "outcome") return OutcomeFrom(object);
  if (kind == "undo") {
    return UndoRecord{object.at("seq").get<std::uint64_t>(), object.at("ok").get<bool>(),
                      ErrorText(object)};
  }
  if (kind == "undone") {
    return UndoCompletion{object.at("time").get<std::string>(), object.at("complete").get<bool>()};
  }
  throw std::invalid_argument("unknown kind");
}

}  // namespace

std::string_view ActionName(JournalAction action) {
  switch (action) {
    case JournalAction::kMove: return "move";
    case JournalAction::kRename: return "rename";
    case JournalAction::kTrash: return "trash";
    case JournalAction::kDelete: return "delete";
  }
  return "";
}

std::string JournalLineText(const JournalLine& line) {
  const json object = std::visit([](const auto& record) { return ToJson(record); }, line);
  return object.dump(-1, ' ', false, json::error_handler_t::replace) + '\n';
}

std::optional<JournalLine> ParseJournalLine(std::string_view text) {
  try {
    return LineFrom(json::parse(text));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string IsoUtcTime(const timespec& time) {
  tm utc{};
  gmtime_r(&time.tv_sec, &utc);
  char text[40];
  const size_t length = strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  std::snprintf(text + length, sizeof text - length, ".%06ldZ", time.tv_nsec / 1000);
  return text;
}

}  // namespace tarnwick
