#include "cli/json_rows.h"

#include "cli/output.h"
#include "history/path_field.h"
#include "mp3/mp3_info.h"

namespace tarnwick::cli {

using nlohmann::json;

void PutAnalysis(json& object, const TMp3Info& info) {
  object["length"] = info.Length;
  object["bitrate"] = info.Bitrate;
  object["errors"] = info.Errors;
  object["frames"] = info.Frames;
  object["vbr"] = info.Vbr;
}

json ProblemsArray(const std::vector<Problem>& problems) {
  json list = json::array();
  for (const Problem& p : problems) {
    list.push_back({{"kind", ProblemKindName(p.kind)}, {"offset", p.offset}, {"detail", p.detail}});
  }
  return list;
}

json RowObject(const ResultRow& row) {
  std::vector<std::string> items;
  for (const std::string& item : row.subItems) items.push_back(Display(item));
  json object = {
      {"kind", RowKindName(row.kind)}, {"caption", Display(row.caption)}, {"items", items}};
  if (!row.path.empty()) PutPath(object, "path", row.path);
  if (row.info) PutAnalysis(object, *row.info);
  if (row.kind == RowKind::kError) object["problems"] = ProblemsArray(row.problems);
  if (row.failure != 0) {
    object["failure"] = row.failure;
    object["message"] = Mp3FailureText(row.failure);
  }
  return object;
}

json ActionObject(const FileAction& action, bool dry_run) {
  json object = {{"kind", "action"}, {"action", FileActionName(action.kind)}};
  PutPath(object, "from", action.from);
  PutPath(object, "to", action.to);
  object["ok"] = action.ok();
  if (!action.ok()) object["error"] = action.error.message();
  if (dry_run) object["dry_run"] = true;
  return object;
}

json HeldObject(const HeldPair& held) {
  json object = {{"kind", "held"}, {"reason", HeldReasonName(held.reason)}};
  PutPaths(object, "files", {held.fileA, held.fileB});
  object["similarity"] = held.similarity ? json(*held.similarity) : json(nullptr);
  return object;
}

}  // namespace tarnwick::cli
