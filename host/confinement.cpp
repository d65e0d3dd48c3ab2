// Keeping the files a service client names inside the host folder: the
// package writes, copies and signs whatever path it is handed (the MF
// download's destination, the file to sign), so a client of the service
// could otherwise overwrite or append to any file the service may write.
#include <filesystem>

#include "contracts.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace ecfhost {

namespace fs = std::filesystem;

namespace {

// The path as the file system will see it: absolute, "." and ".." folded,
// and symbolic links resolved as far as the path exists.
fs::path Resolved(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(Tov00300::platform::NativePath(path), error);
  if (error) return {};
  fs::path resolved = fs::weakly_canonical(absolute, error);
  return error ? absolute.lexically_normal() : resolved;
}

bool Inside(const fs::path& path, const fs::path& folder) {
  auto p = path.begin();
  for (auto f = folder.begin(); f != folder.end(); ++f, ++p) {
    if (f->empty()) continue;  // the trailing separator of "/a/b/"
    if (p == path.end() || *p != *f) return false;
  }
  return true;
}

void CheckNamePart(const std::string& text, const std::string& what) {
  if (text.find_first_of("/\\") != std::string::npos || text == "..")
    throw ArgumentError(what + " is part of a file name and may not name a folder, got \"" +
                        Tov00300::Cp1252ToUtf8(text) + "\"");
}

void CheckText(const Json& value, PathKind kind, const std::string& folder,
               const std::string& what) {
  if (kind == PathKind::kNone || !value.is_string()) return;
  const std::string text = TextIn(value);
  switch (kind) {
    case PathKind::kFile:
      CheckInsideFolder(text, folder, what);
      break;
    case PathKind::kHostFolder:
      if (!IsInsideFolder(Tov00300::platform::JoinPath(folder, text), folder))
        throw ArgumentError(what + " must be a folder inside the host folder, got \"" +
                            Tov00300::Cp1252ToUtf8(text) + "\"");
      break;
    case PathKind::kNamePart:
      CheckNamePart(text, what);
      break;
    case PathKind::kNone:
      break;
  }
}

void CheckRows(const std::vector<FieldRule>& fields, const Json& set, const std::string& folder,
               const std::string& where) {
  if (!IsForm(set, "rows") || !set["rows"].is_array()) return;
  for (const FieldRule& f : fields) {
    if (f.path == PathKind::kNone) continue;
    for (const Json& row : set["rows"])
      if (row.is_object() && row.contains(f.name))
        CheckText(row[f.name], f.path, folder, where + ": field " + f.name);
  }
}

}  // namespace

bool IsInsideFolder(const std::string& path, const std::string& folder) {
  return Inside(Resolved(path), Resolved(folder));
}

void CheckInsideFolder(const std::string& path, const std::string& folder,
                       const std::string& what) {
  if (!IsInsideFolder(path, folder))
    throw ArgumentError(what + " must lie inside the host folder " + folder + ", got \"" +
                        Tov00300::Cp1252ToUtf8(path) + "\"");
}

void CheckConfined(const Contract& contract, const Json& args, const std::string& folder) {
  for (size_t i = 0; i < contract.parameters.size() && i < args.size(); ++i) {
    const ParameterRule& p = contract.parameters[i];
    const std::string where = "args[" + std::to_string(i) + "] (" + p.name + ")";
    CheckText(args[i], p.path, folder, where);
    for (const PositionRule& rule : p.positions) {
      const Json* value = PositionalElement(args[i], rule.index);
      if (!value) continue;
      const std::string at = where + " position " + std::to_string(rule.index);
      CheckText(*value, rule.path, folder, at);
      CheckRows(rule.fields, *value, folder, at);
    }
    CheckRows(p.fields, args[i], folder, where);
  }
}

}  // namespace ecfhost
