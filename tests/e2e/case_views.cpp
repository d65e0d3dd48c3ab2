// What a case looks at besides ecfhost's records: files matched by name, the
// document register, the grand-total control file; and the setup steps that
// write such files before a run.
#include <fnmatch.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "case_views.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace e2e::cases {

namespace {

namespace fs = std::filesystem;

constexpr int kScramblingKey = 300172;  // the package's fixed key for the control file

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Whether the expectation names `key` anywhere: the costly facts of a file
// (its text, its signature) are gathered only when asked for.
bool Mentions(const Json& expected, const std::string& key) {
  if (expected.is_object()) {
    for (const auto& [name, value] : expected.items())
      if (name == key || Mentions(value, key)) return true;
  } else if (expected.is_array()) {
    for (const Json& item : expected)
      if (Mentions(item, key)) return true;
  }
  return false;
}

// ead-verify's verdict, as the shop or the auditor runs it from the shell.
bool Verifies(const fs::path& file) {
  const std::string command =
      std::string(TOV_BUILD_BIN_DIR "/ead-verify '") + file.string() + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// A signed file stops verifying when one byte before its record changes.
bool TamperEvident(const fs::path& file) {
  if (!Verifies(file)) return false;
  const std::string good = ReadFile(file);
  std::string bad = good;
  bad[bad.size() / 3] ^= 0x20;
  WriteFile(file, bad);
  const bool noticed = !Verifies(file);
  WriteFile(file, good);
  return noticed;
}

}  // namespace

std::string InFolder(const std::string& folder, const std::string& path) {
  return fs::path(path).is_absolute() ? path : (fs::path(folder) / path).string();
}

Json FilesMatching(const std::string& hostDir, const std::string& pattern, const Json& expected) {
  const fs::path full = InFolder(hostDir, pattern);
  const fs::path folder = full.parent_path();
  const std::string name = full.filename().string();
  std::vector<fs::path> found;
  if (fs::is_directory(folder)) {
    for (const auto& entry : fs::directory_iterator(folder))
      if (fnmatch(name.c_str(), entry.path().filename().c_str(), 0) == 0)
        found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  Json files = Json::array();
  for (const fs::path& path : found) {
    Json file = {{"name", path.filename().string()},
                 {"path", path.string()},
                 {"folder", fs::is_directory(path)}};
    if (Mentions(expected, "text")) file["text"] = ReadFile(path);
    if (Mentions(expected, "signed")) file["signed"] = Verifies(path);
    if (Mentions(expected, "tamper_evident")) file["tamper_evident"] = TamperEvident(path);
    files.push_back(file);
  }
  return files;
}

Json WithFileTexts(const Json& expected, const std::string& hostDir,
                   std::vector<std::string>* why) {
  if (expected.is_object() && expected.size() == 1 && expected.contains("$file")) {
    const fs::path path = InFolder(hostDir, expected["$file"].get<std::string>());
    if (fs::is_regular_file(path)) return ReadFile(path);
    why->push_back("no file " + path.string() + " to compare with");
    return Json();
  }
  if (expected.is_array()) {
    Json out = Json::array();
    for (const Json& item : expected) out.push_back(WithFileTexts(item, hostDir, why));
    return out;
  }
  if (!expected.is_object()) return expected;
  Json out = Json::object();
  for (const auto& [key, value] : expected.items()) out[key] = WithFileTexts(value, hostDir, why);
  return out;
}

Json DocumentRegister(const std::string& hostDir) {
  Json rows = Json::array();
  sqlite3* db = nullptr;
  const std::string path = hostDir + "/documentos.db";
  if (fs::is_regular_file(path) &&
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT * FROM DocNaoFiscaisECF ORDER BY id", -1, &query, nullptr) ==
        SQLITE_OK) {
      while (sqlite3_step(query) == SQLITE_ROW) {
        Json row = Json::object();
        for (int i = 0; i < sqlite3_column_count(query); ++i) {
          const unsigned char* text = sqlite3_column_text(query, i);
          row[sqlite3_column_name(query, i)] =
              text == nullptr ? Json() : Json(reinterpret_cast<const char*>(text));
        }
        rows.push_back(row);
      }
    }
    sqlite3_finalize(query);
  }
  sqlite3_close(db);
  return rows;
}

Json ControlFileRows(const std::string& path) {
  if (!fs::is_regular_file(path)) return Json();
  Tov00300::DataSet control("cdsCheckECF");
  control.LoadFromFile(path);
  Json rows = Json::array();
  for (control.First(); !control.Eof(); control.Next()) {
    Json row = Json::object();
    for (int i = 0; i < control.FieldCount(); ++i) {
      Tov00300::Field field = control.Fields(i);
      std::string value = field.AsString();
      if (field.Name() == "CAMPO02") value = Tov00300::hostlib::Uncripto(value, kScramblingKey);
      row[field.Name()] = Tov00300::Cp1252ToUtf8(value);
    }
    rows.push_back(row);
  }
  return rows;
}

void PrepareFiles(const Json& step, const std::string& hostDir) {
  if (step.contains("copy")) {
    const fs::path to = InFolder(hostDir, step.at("to").get<std::string>());
    fs::copy_file(InFolder(TOV_SOURCE_DIR, step["copy"].get<std::string>()), to,
                  fs::copy_options::overwrite_existing);
  } else if (step.contains("write")) {
    WriteFile(InFolder(hostDir, step["write"].get<std::string>()),
              step.at("text").get<std::string>());
  } else if (step.contains("mkdir")) {
    fs::create_directories(InFolder(hostDir, step["mkdir"].get<std::string>()));
  } else if (step.contains("remove")) {
    fs::remove_all(InFolder(hostDir, step["remove"].get<std::string>()));
  } else if (step.contains("control_file")) {
    // The shop's control file as its installation writes it; CAMPO02 (the
    // grand total) is given in clear and stored scrambled.
    Tov00300::DataSet control("cdsCheckECF");
    control.CreateDataSet({{"CDFILIAL", Tov00300::FieldType::String, 3},
                           {"CDCAIXA", Tov00300::FieldType::String, 3},
                           {"NRSERIEECF", Tov00300::FieldType::String, 20},
                           {"IDSITECFIMPF", Tov00300::FieldType::String, 1},
                           {"CAMPO01", Tov00300::FieldType::String, 1},
                           {"CAMPO02", Tov00300::FieldType::String, 40}});
    for (const Json& row : step.at("rows")) {
      control.Append();
      for (const auto& [name, value] : row.items()) {
        std::string text = Tov00300::Utf8ToCp1252(value.get<std::string>());
        if (name == "CAMPO02") text = Tov00300::hostlib::Cripto(text, kScramblingKey);
        control.FieldByName(name).SetAsString(text);
      }
      control.Post();
    }
    control.SaveToFile(InFolder(hostDir, step["control_file"].get<std::string>()));
  } else {
    throw CaseError("unknown setup step " + Show(step));
  }
}

}  // namespace e2e::cases
