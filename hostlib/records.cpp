// The two record writers: the host's handlers, or rows in documentos.db.
#include <sqlite3.h>

#include <cstdio>
#include <iostream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"

namespace Tov00300::hostlib {
namespace {

std::mutex handlerMutex;
GravaCERHandler gravaCERHandler;
DocNaoFiscalHandler docNaoFiscalHandler;

// One column of a row and its text (UTF-8, or a date-time in ISO form).
struct Column {
  const char* name;
  std::string value;
};

std::string IsoDateTime(DateTime when) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
  when.Decode(year, month, day);
  when.DecodeTime(hour, minute, second, millisecond);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                second);
  return text;
}

class Database {
 public:
  explicit Database(const std::string& path,
                    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) {
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      // A failed open still allocates a handle, which only close frees.
      std::string error = db_ != nullptr ? sqlite3_errmsg(db_) : "no memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot open " + path + ": " + error);
    }
    // Another till process may be writing the same register.
    sqlite3_busy_timeout(db_, 5000);
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Execute(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      std::string text = error != nullptr ? error : sqlite3_errmsg(db_);
      sqlite3_free(error);
      throw std::runtime_error(text);
    }
  }

  std::vector<StoredRecord> Select(const std::string& table) {
    std::vector<StoredRecord> rows;
    sqlite3_stmt* statement = nullptr;
    const std::string sql = "SELECT * FROM " + table + " ORDER BY id";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      // A register nobody wrote to yet has no table.
      if (!TableExists(table)) return rows;
      Fail("cannot read " + table);
    }
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
      StoredRecord row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const std::string name = sqlite3_column_name(statement, i);
        if (name == "id") {
          row.id = sqlite3_column_int64(statement, i);
          continue;
        }
        const unsigned char* text = sqlite3_column_text(statement, i);
        row.columns.emplace_back(name, text != nullptr ? reinterpret_cast<const char*>(text) : "");
      }
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE) Fail("cannot read " + table);
    return rows;
  }

  int64_t Insert(const std::string& table, const std::vector<Column>& columns) {
    std::string names, marks;
    for (const Column& column : columns) {
      names += std::string(names.empty() ? "" : ", ") + column.name;
      marks += marks.empty() ? "?" : ", ?";
    }
    std::string sql = "INSERT INTO " + table + " (" + names + ", gravado_em) VALUES (" + marks +
                      ", datetime('now', 'localtime'))";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      Fail("cannot prepare the insert into " + table);
    }
    for (size_t i = 0; i < columns.size(); ++i) {
      sqlite3_bind_text(statement, static_cast<int>(i + 1), columns[i].value.c_str(),
                        static_cast<int>(columns[i].value.size()), SQLITE_TRANSIENT);
    }
    int step = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE) Fail("cannot insert into " + table);
    return sqlite3_last_insert_rowid(db_);
  }

 private:
  bool TableExists(const std::string& table) {
    sqlite3_stmt* statement = nullptr;
    const char* sql = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?";
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) return false;
    sqlite3_bind_text(statement, 1, table.c_str(), static_cast<int>(table.size()),
                      SQLITE_TRANSIENT);
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
  }

  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + (db_ != nullptr ? sqlite3_errmsg(db_) : "no memory"));
  }
  sqlite3* db_ = nullptr;
};

// Appends the row that `row` builds; the row id, or -1 with the reason in
// `failure` after a line on standard error. Nothing is thrown here.
template <typename RowBuilder>
int64_t AppendRow(const std::string& table, RowBuilder row, std::string* failure) {
  std::string path;
  try {
    path = platform::JoinPath(platform::HostFolder(), "documentos.db");
    std::vector<Column> columns = row();
    // Every reader of a text column stops at a zero byte: stored, the text
    // would read back cut short without a word.
    for (const Column& column : columns) {
      if (const size_t at = column.value.find('\0'); at != std::string::npos) {
        throw std::invalid_argument(std::string(column.name) + " holds a zero byte at position " +
                                    std::to_string(at + 1) + "; the record was not written");
      }
    }
    Database db(path);
    std::string definition =
        "CREATE TABLE IF NOT EXISTS " + table + " (id INTEGER PRIMARY KEY AUTOINCREMENT";
    for (const Column& column : columns) definition += std::string(", ") + column.name + " TEXT";
    definition += ", gravado_em TEXT NOT NULL)";
    db.Execute(definition);
    return db.Insert(table, columns);
  } catch (const std::exception& error) {
    *failure = "documentos.db (" + path + "), " + table + ": " + error.what();
    std::cerr << *failure << "\n";
    return -1;
  }
}

}  // namespace

void SetGravaCERHandler(GravaCERHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex);
  gravaCERHandler = std::move(handler);
}

void SetDocNaoFiscalHandler(DocNaoFiscalHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex);
  docNaoFiscalHandler = std::move(handler);
}

std::string GravaCER(const std::string& a, const std::string& b, DateTime when) {
  GravaCERHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex);
    handler = gravaCERHandler;
  }
  if (handler) return handler(a, b, when);
  // The caller learns of a failure from the empty result (and the line on
  // standard error): it comes while a report is open, which an exception
  // would leave open.
  std::string failure;
  int64_t id = AppendRow(
      "GravaCER",
      [&] {
        return std::vector<Column>{{"texto_a", Cp1252ToUtf8(a)},
                                   {"texto_b", Cp1252ToUtf8(b)},
                                   {"data_movimento", IsoDateTime(when)}};
      },
      &failure);
  return id < 0 ? std::string() : std::to_string(id);
}

std::vector<StoredRecord> ListRecords(const std::string& table) {
  // Only the two tables the writers make: the name goes into the query text.
  if (table != "GravaCER" && table != "DocNaoFiscaisECF") {
    throw std::invalid_argument("no record table named " + table);
  }
  const std::string path = platform::JoinPath(platform::HostFolder(), "documentos.db");
  if (!platform::FileExists(path)) return {};
  try {
    Database db(path, SQLITE_OPEN_READONLY);
    return db.Select(table);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error("documentos.db (" + path + "): " + error.what());
  }
}

Variant setDocNaoFiscaisECF(const std::string& t1, const std::string& t2, const std::string& t3,
                            const std::string& t4, const std::string& t5, const std::string& t6,
                            const std::string& t7, DateTime d1, DateTime d2,
                            const std::string& t8) {
  DocNaoFiscalHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex);
    handler = docNaoFiscalHandler;
  }
  if (handler) return handler(t1, t2, t3, t4, t5, t6, t7, d1, d2, t8);
  std::string failure;
  int64_t id = AppendRow(
      "DocNaoFiscaisECF",
      [&] {
        return std::vector<Column>{
            {"chave", Cp1252ToUtf8(t1)},         {"numero_cupom", Cp1252ToUtf8(t2)},
            {"informacao_28", Cp1252ToUtf8(t3)}, {"informacao_33", Cp1252ToUtf8(t4)},
            {"informacao_45", Cp1252ToUtf8(t5)}, {"tipo_documento", Cp1252ToUtf8(t6)},
            {"texto_extra", Cp1252ToUtf8(t7)},   {"data_hora", IsoDateTime(d1)},
            {"data_movimento", IsoDateTime(d2)}, {"texto", Cp1252ToUtf8(t8)}};
      },
      &failure);
  // A document the register lost must not pass unseen: the package shows
  // the writer's exception to the operator.
  if (id < 0) throw std::runtime_error(failure);
  return Variant(id);
}

}  // namespace Tov00300::hostlib
