// DataSet: the in-memory table of the runtime (typed fields, a cursor, index
// definitions, filters, data packets and the XML data-packet file format).
//
// Field access goes through Field, a light handle: ds.FieldByName("NM").AsString(),
// ds.FieldByName("VR").SetAsFloat(1.5). Edits follow the original's state
// machine: Append/Insert/Edit put the set in an editing state, Post stores the
// row, Cancel drops the changes; moving the cursor while editing posts first.
#ifndef TOV00300_DATASET_H_
#define TOV00300_DATASET_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tov00300/export.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

enum class FieldType { String, Integer, Float, Boolean, DateTime };

struct FieldDef {
  std::string name;
  FieldType type = FieldType::String;
  int size = 0;  // width of a String field; 0 for the others
  friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

// A table's whole content: its field list and its rows, in storage order.
// A value of a row is Null when the field holds nothing.
struct DataPacket {
  std::vector<FieldDef> fields;
  std::vector<std::vector<Variant>> rows;
  friend bool operator==(const DataPacket&, const DataPacket&) = default;
};

// Errors of data-set use (unknown field, cursor on no row, bad filter, file
// that is not a data packet). The message names the data set and the culprit.
class DataSetError : public std::runtime_error {
 public:
  explicit DataSetError(const std::string& what) : std::runtime_error(what) {}
  ~DataSetError() override;
};

class DataSet;

class Field {
 public:
  Field(DataSet* owner, int index) : owner_(owner), index_(index) {}
  const std::string& Name() const;
  FieldType Type() const;
  int Size() const;

  bool IsNull() const;
  Variant Value() const;  // Null when empty
  std::string AsString() const;
  int AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;
  DateTime AsDateTime() const;

  // Setters need the data set in an editing state (Append/Insert/Edit);
  // a String value longer than the field's size is cut to it.
  void SetValue(const Variant& v);
  void SetAsString(const std::string& v);
  void SetAsInteger(int v);
  void SetAsFloat(double v);
  void SetAsBoolean(bool v);
  void SetAsDateTime(DateTime v);
  void Clear();

 private:
  DataSet* owner_;
  int index_;
};

struct IndexDef {
  std::string name;
  std::string fields;  // "A;B"
  bool descending = false;
  bool caseInsensitive = false;
};

struct LocateOptions {
  bool caseInsensitive = false;
  bool partialKey = false;
};

enum class DataSetState { Inactive, Browse, Edit, Insert };

class DataSet {
 public:
  explicit DataSet(std::string name = "");
  ~DataSet();
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;

  const std::string& Name() const;

  // ---- structure and activation ----
  std::vector<FieldDef>& FieldDefs();
  const std::vector<FieldDef>& FieldDefs() const;
  // Opens an empty set with the current FieldDefs (or the given ones).
  void CreateDataSet();
  void CreateDataSet(const std::vector<FieldDef>& defs);
  void Close();
  bool Active() const;
  DataSetState State() const;
  // Called after the set becomes active (CreateDataSet, SetData, LoadFromFile).
  std::function<void(DataSet&)> AfterOpen;

  int FieldCount() const;
  Field FieldByName(const std::string& name);  // throws DataSetError when absent
  Field Fields(int index);
  // -1 when absent (case-insensitive name match).
  int FieldIndex(const std::string& name) const;

  // ---- cursor (visits rows in active-index order, filter applied) ----
  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const;
  bool Bof() const;
  int RecNo() const;        // 1-based position in the visible order; 0 when empty
  int RecordCount() const;  // visible rows
  bool IsEmpty() const;

  // ---- editing ----
  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  void EmptyDataSet();
  bool LogChanges = true;  // kept for the host's sake; the set keeps no change log

  // ---- search ----
  // keyFields "A;B"; values: one Variant for one field, a Variant array for several.
  // Moves the cursor to the first matching visible row (in visible order).
  bool Locate(const std::string& keyFields, const Variant& values, LocateOptions options = {});

  // ---- indexes ----
  void AddIndex(const IndexDef& def);
  std::vector<IndexDef>& IndexDefs();
  // Activates a defined index by name ("" restores storage order); the
  // visible order is the index order, stable for equal keys.
  void SetIndexName(const std::string& name);
  const std::string& IndexName() const;
  // Activates an unnamed index on the fields ("A;B"), ascending and
  // case-sensitive ("" restores storage order).
  void SetIndexFieldNames(const std::string& fields);
  const std::string& IndexFieldNames() const;

  // ---- filter ----
  // Expressions: F = 'x', F <> 'x', F = 10, F > 1.5, ... joined with AND / OR,
  // parentheses allowed. Throws DataSetError on a malformed expression.
  void SetFilter(const std::string& expression);
  const std::string& Filter() const;
  void SetFiltered(bool on);
  bool Filtered() const;

  // ---- content exchange ----
  // A deep copy of every row (all rows, storage order, filter ignored).
  DataPacket Data() const;
  // Replaces structure and rows by the packet's (deep copy) and opens the set.
  void SetData(const DataPacket& packet);
  // The XML data-packet format (DATAPACKET / METADATA / FIELDS / ROWDATA).
  // LoadFromFile accepts any field list the file declares; throws
  // DataSetError naming the path for a missing, truncated or non-XML file.
  void SaveToFile(const std::string& path) const;
  void LoadFromFile(const std::string& path);
  static std::string ToXml(const DataPacket& packet);
  static DataPacket FromXml(const std::string& xml);  // throws DataSetError

 public:
  struct Impl;  // private state (src/runtime)

 private:
  friend class Field;
  std::unique_ptr<Impl> impl_;
};

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_DATASET_H_
