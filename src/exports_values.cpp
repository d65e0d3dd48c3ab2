// The C functions that make and read the runtime values the plain names
// take: bags and result arrays (variants), positional value arrays, string
// lists and data sets, as opaque handles. Texts cross in the host's encoding
// (exports_boundary.h). No exception leaves them; a null handle reads as an
// empty value and makes every setter answer false. They leave the last error
// alone unless they fail.
#include <string>

#include "exports_boundary.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/stringlist.h"
#include "tov00300/tov00300_c.h"
#include "tov00300/variant.h"

namespace {

using Tov00300::DataSet;
using Tov00300::StringList;
using Tov00300::Variant;
using Tov00300::VariantArray;
using namespace Tov00300::boundary;

bool SetInBag(const char* name, Variant* bag, const char* key, Variant value) {
  if (bag == nullptr || key == nullptr) return false;
  return Contain(name, false, [&] {
    const std::string k = In(key);
    if (!bag->IsArray()) *bag = Variant(VariantArray());
    VariantArray& pairs = bag->AsArray();
    // FindInBag compares keys without regard to case, as the package reads them.
    if (const Variant* found = Tov00300::FindInBag(*bag, k)) {
      *const_cast<Variant*>(found) = std::move(value);
    } else {
      pairs.push_back(Variant(VariantArray{Variant(k), std::move(value)}));
    }
    return true;
  });
}

const Variant* Element(const Variant* array, int index) {
  if (array == nullptr || !array->IsArray()) return nullptr;
  const VariantArray& items = array->AsArray();
  if (index < 0 || index >= static_cast<int>(items.size())) return nullptr;
  return &items[index];
}

int TextOf(const char* name, const Variant* value, char* buf, int size) {
  if (value == nullptr) return -1;
  return Contain(name, -1, [&] { return DeliverLength(value->AsString(), buf, size); });
}

bool DoubleOf(const char* name, const Variant* value, double* out) {
  if (value == nullptr || out == nullptr) return false;
  return Contain(name, false, [&] {
    *out = value->AsDouble();
    return true;
  });
}

bool SetValue(VariantArray* values, int index, Variant value) {
  if (values == nullptr || index < 0 || index >= static_cast<int>(values->size())) return false;
  (*values)[index] = std::move(value);
  return true;
}

template <typename Body>
bool OnDataSet(const char* name, DataSet* ds, Body body) {
  if (ds == nullptr) return false;
  return Contain(name, false, [&] {
    body(*ds);
    return true;
  });
}

}  // namespace

extern "C" {

// ---- variants, bags and result arrays ----

TovVariant* tov_bag_new(void) {
  return Contain<TovVariant*>(__func__, nullptr, [] { return new Variant(VariantArray()); });
}

TovVariant* tov_array_new(int count) {
  if (count < 0) return nullptr;
  return Contain<TovVariant*>(__func__, nullptr, [&] { return new Variant(VariantArray(count)); });
}

TovVariant* tov_variant_from_dataset(const TovDataSet* ds) {
  if (ds == nullptr) return nullptr;
  return Contain<TovVariant*>(__func__, nullptr, [&] { return new Variant(ds->Data()); });
}

void tov_variant_free(TovVariant* v) {
  delete v;
}

bool tov_bag_set_text(TovVariant* bag, const char* key, const char* value) {
  return Contain(__func__, false, [&] { return SetInBag(__func__, bag, key, Variant(In(value))); });
}

bool tov_bag_set_int(TovVariant* bag, const char* key, int value) {
  return SetInBag(__func__, bag, key, Variant(value));
}

bool tov_bag_set_double(TovVariant* bag, const char* key, double value) {
  return SetInBag(__func__, bag, key, Variant(value));
}

bool tov_bag_set_bool(TovVariant* bag, const char* key, bool value) {
  return SetInBag(__func__, bag, key, Variant(value));
}

bool tov_bag_set_datetime(TovVariant* bag, const char* key, double days) {
  return SetInBag(__func__, bag, key, Variant(Tov00300::DateTime(days)));
}

bool tov_bag_set_null(TovVariant* bag, const char* key) {
  return SetInBag(__func__, bag, key, Variant::Null());
}

int tov_bag_key(const TovVariant* bag, int index, char* buf, int bufSize) {
  const Variant* pair = Element(bag, index);
  if (pair == nullptr || !pair->IsArray() || pair->AsArray().empty()) return -1;
  return TextOf(__func__, &pair->AsArray()[0], buf, bufSize);
}

int tov_bag_get_text(const TovVariant* bag, const char* key, char* buf, int bufSize) {
  if (bag == nullptr || key == nullptr) return -1;
  return Contain(__func__, -1, [&] {
    return TextOf(__func__, Tov00300::FindInBag(*bag, In(key)), buf, bufSize);
  });
}

bool tov_bag_get_double(const TovVariant* bag, const char* key, double* out) {
  if (bag == nullptr || key == nullptr) return false;
  return Contain(__func__, false,
                 [&] { return DoubleOf(__func__, Tov00300::FindInBag(*bag, In(key)), out); });
}

int tov_array_count(const TovVariant* array) {
  if (array == nullptr || !array->IsArray()) return -1;
  return static_cast<int>(array->AsArray().size());
}

int tov_array_get_text(const TovVariant* array, int index, char* buf, int bufSize) {
  return TextOf(__func__, Element(array, index), buf, bufSize);
}

bool tov_array_get_double(const TovVariant* array, int index, double* out) {
  return DoubleOf(__func__, Element(array, index), out);
}

// ---- positional value arrays ----

TovValues* tov_values_new(int count) {
  if (count < 0) return nullptr;
  return Contain<TovValues*>(__func__, nullptr, [&] { return new VariantArray(count); });
}

void tov_values_free(TovValues* values) {
  delete values;
}

int tov_values_count(const TovValues* values) {
  return values != nullptr ? static_cast<int>(values->size()) : 0;
}

bool tov_values_set_text(TovValues* values, int index, const char* value) {
  return Contain(__func__, false, [&] { return SetValue(values, index, Variant(In(value))); });
}

bool tov_values_set_int(TovValues* values, int index, int value) {
  return SetValue(values, index, Variant(value));
}

bool tov_values_set_double(TovValues* values, int index, double value) {
  return SetValue(values, index, Variant(value));
}

bool tov_values_set_bool(TovValues* values, int index, bool value) {
  return SetValue(values, index, Variant(value));
}

bool tov_values_set_datetime(TovValues* values, int index, double days) {
  return SetValue(values, index, Variant(Tov00300::DateTime(days)));
}

bool tov_values_set_null(TovValues* values, int index) {
  return SetValue(values, index, Variant::Null());
}

bool tov_values_set_dataset(TovValues* values, int index, const TovDataSet* ds) {
  if (ds == nullptr) return false;
  return Contain(__func__, false, [&] { return SetValue(values, index, Variant(ds->Data())); });
}

// ---- string lists ----

TovStrings* tov_strings_new(void) {
  return Contain<TovStrings*>(__func__, nullptr, [] { return new StringList(); });
}

void tov_strings_free(TovStrings* list) {
  delete list;
}

bool tov_strings_add(TovStrings* list, const char* text) {
  if (list == nullptr) return false;
  return Contain(__func__, false, [&] {
    list->Add(In(text));
    return true;
  });
}

int tov_strings_count(const TovStrings* list) {
  return list != nullptr ? list->Count() : 0;
}

int tov_strings_get(const TovStrings* list, int index, char* buf, int bufSize) {
  if (list == nullptr || index < 0 || index >= list->Count()) return -1;
  return Contain(__func__, -1, [&] { return DeliverLength((*list)[index], buf, bufSize); });
}

// ---- data sets ----

TovDataSet* tov_dataset_new(const char* name) {
  return Contain<TovDataSet*>(__func__, nullptr, [&] { return new DataSet(In(name)); });
}

void tov_dataset_free(TovDataSet* ds) {
  delete ds;
}

namespace {

constexpr struct {
  char letter;
  Tov00300::FieldType type;
} kFieldTypes[] = {{'S', Tov00300::FieldType::String},
                   {'I', Tov00300::FieldType::Integer},
                   {'F', Tov00300::FieldType::Float},
                   {'B', Tov00300::FieldType::Boolean},
                   {'D', Tov00300::FieldType::DateTime}};

}  // namespace

bool tov_dataset_add_field(TovDataSet* ds, const char* name, char type, int size) {
  for (const auto& known : kFieldTypes) {
    if (known.letter != type) continue;
    if (name == nullptr || *name == '\0' || size < 0) return false;
    return OnDataSet(__func__, ds, [&](DataSet& d) {
      d.FieldDefs().push_back(
          {In(name), known.type, known.type == Tov00300::FieldType::String ? size : 0});
    });
  }
  return false;
}

bool tov_dataset_create(TovDataSet* ds) {
  return OnDataSet(__func__, ds, [](DataSet& d) { d.CreateDataSet(); });
}

bool tov_dataset_append(TovDataSet* ds) {
  return OnDataSet(__func__, ds, [](DataSet& d) { d.Append(); });
}

bool tov_dataset_set_text(TovDataSet* ds, const char* field, const char* value) {
  return OnDataSet(__func__, ds,
                   [&](DataSet& d) { d.FieldByName(In(field)).SetAsString(In(value)); });
}

bool tov_dataset_set_double(TovDataSet* ds, const char* field, double value) {
  return OnDataSet(__func__, ds, [&](DataSet& d) { d.FieldByName(In(field)).SetAsFloat(value); });
}

bool tov_dataset_set_int(TovDataSet* ds, const char* field, int value) {
  return OnDataSet(__func__, ds, [&](DataSet& d) { d.FieldByName(In(field)).SetAsInteger(value); });
}

bool tov_dataset_set_null(TovDataSet* ds, const char* field) {
  return OnDataSet(__func__, ds, [&](DataSet& d) { d.FieldByName(In(field)).Clear(); });
}

bool tov_dataset_post(TovDataSet* ds) {
  return OnDataSet(__func__, ds, [](DataSet& d) { d.Post(); });
}

int tov_dataset_record_count(const TovDataSet* ds) {
  if (ds == nullptr) return 0;
  return Contain(__func__, 0, [&] { return ds->Active() ? ds->RecordCount() : 0; });
}

int tov_dataset_field_count(const TovDataSet* ds) {
  if (ds == nullptr) return 0;
  return Contain(__func__, 0, [&] {
    return ds->Active() ? ds->FieldCount() : static_cast<int>(ds->FieldDefs().size());
  });
}

int tov_dataset_field_name(const TovDataSet* ds, int index, char* buf, int bufSize) {
  if (ds == nullptr || index < 0) return -1;
  return Contain(__func__, -1, [&] {
    const auto& defs = ds->FieldDefs();
    if (index >= static_cast<int>(defs.size())) return -1;
    return DeliverLength(defs[index].name, buf, bufSize);
  });
}

char tov_dataset_field_type(const TovDataSet* ds, int index) {
  if (ds == nullptr || index < 0) return 0;
  const auto& defs = ds->FieldDefs();
  if (index >= static_cast<int>(defs.size())) return 0;
  for (const auto& known : kFieldTypes) {
    if (known.type == defs[index].type) return known.letter;
  }
  return 0;
}

bool tov_dataset_first(TovDataSet* ds) {
  return OnDataSet(__func__, ds, [](DataSet& d) { d.First(); });
}

bool tov_dataset_next(TovDataSet* ds) {
  return OnDataSet(__func__, ds, [](DataSet& d) { d.Next(); });
}

bool tov_dataset_eof(const TovDataSet* ds) {
  if (ds == nullptr) return true;
  return Contain(__func__, true, [&] { return !ds->Active() || ds->Eof(); });
}

int tov_dataset_get_text(TovDataSet* ds, const char* field, char* buf, int bufSize) {
  if (ds == nullptr) return -1;
  return Contain(__func__, -1, [&] {
    if (!ds->Active() || ds->Eof()) return -1;
    Tov00300::Field f = ds->FieldByName(In(field));
    if (f.IsNull()) return -1;
    return DeliverLength(f.AsString(), buf, bufSize);
  });
}

bool tov_dataset_get_double(TovDataSet* ds, const char* field, double* out) {
  if (ds == nullptr || out == nullptr) return false;
  return Contain(__func__, false, [&] {
    if (!ds->Active() || ds->Eof()) return false;
    *out = ds->FieldByName(In(field)).AsFloat();
    return true;
  });
}

bool tov_dataset_save_file(const TovDataSet* ds, const char* path) {
  if (ds == nullptr || path == nullptr) return false;
  return Contain(__func__, false, [&] {
    ds->SaveToFile(In(path));
    return true;
  });
}

bool tov_dataset_load_file(TovDataSet* ds, const char* path) {
  if (path == nullptr) return false;
  return OnDataSet(__func__, ds, [&](DataSet& d) { d.LoadFromFile(In(path)); });
}

}  // extern "C"
