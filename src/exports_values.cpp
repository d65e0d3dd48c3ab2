// The C functions that make and read the runtime values the plain names
// take: bags and result arrays (variants), positional value arrays, string
// lists and data sets, as opaque handles. No exception leaves them; a null
// handle reads as an empty value and makes every setter answer false.
#include <cstring>
#include <memory>
#include <string>

#include "tov00300/dataset.h"
#include "tov00300/stringlist.h"
#include "tov00300/tov00300_c.h"
#include "tov00300/variant.h"

namespace {

using Tov00300::DataSet;
using Tov00300::StringList;
using Tov00300::Variant;
using Tov00300::VariantArray;

std::string Text(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

// Copies `text` into the host's buffer (cut to size - 1, zero terminated)
// and answers the whole length, so a short buffer can be retried.
int CopyOut(const std::string& text, char* buf, int size) {
  if (buf != nullptr && size > 0) {
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
  }
  return static_cast<int>(text.size());
}

// Runs `body`; any exception becomes `failure`.
template <typename R, typename Body>
R Guarded(R failure, Body body) {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

bool SetInBag(Variant* bag, const char* key, Variant value) {
  if (bag == nullptr || key == nullptr) return false;
  return Guarded(false, [&] {
    if (!bag->IsArray()) *bag = Variant(VariantArray());
    VariantArray& pairs = bag->AsArray();
    // FindInBag compares keys without regard to case, as the package reads them.
    if (const Variant* found = Tov00300::FindInBag(*bag, key)) {
      *const_cast<Variant*>(found) = std::move(value);
    } else {
      pairs.push_back(Variant(VariantArray{Variant(std::string(key)), std::move(value)}));
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

int TextOf(const Variant* value, char* buf, int size) {
  if (value == nullptr) return -1;
  return Guarded(-1, [&] { return CopyOut(value->AsString(), buf, size); });
}

bool DoubleOf(const Variant* value, double* out) {
  if (value == nullptr || out == nullptr) return false;
  return Guarded(false, [&] {
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
bool OnDataSet(DataSet* ds, Body body) {
  if (ds == nullptr) return false;
  return Guarded(false, [&] {
    body(*ds);
    return true;
  });
}

}  // namespace

extern "C" {

// ---- variants, bags and result arrays ----

TovVariant* tov_bag_new(void) {
  return Guarded<TovVariant*>(nullptr, [] { return new Variant(VariantArray()); });
}

TovVariant* tov_array_new(int count) {
  if (count < 0) return nullptr;
  return Guarded<TovVariant*>(nullptr, [&] { return new Variant(VariantArray(count)); });
}

void tov_variant_free(TovVariant* v) {
  delete v;
}

bool tov_bag_set_text(TovVariant* bag, const char* key, const char* value) {
  return SetInBag(bag, key, Variant(Text(value)));
}

bool tov_bag_set_int(TovVariant* bag, const char* key, int value) {
  return SetInBag(bag, key, Variant(value));
}

bool tov_bag_set_double(TovVariant* bag, const char* key, double value) {
  return SetInBag(bag, key, Variant(value));
}

bool tov_bag_set_bool(TovVariant* bag, const char* key, bool value) {
  return SetInBag(bag, key, Variant(value));
}

bool tov_bag_set_null(TovVariant* bag, const char* key) {
  return SetInBag(bag, key, Variant::Null());
}

int tov_bag_get_text(const TovVariant* bag, const char* key, char* buf, int size) {
  if (bag == nullptr || key == nullptr) return -1;
  return Guarded(-1, [&] { return TextOf(Tov00300::FindInBag(*bag, key), buf, size); });
}

bool tov_bag_get_double(const TovVariant* bag, const char* key, double* out) {
  if (bag == nullptr || key == nullptr) return false;
  return Guarded(false, [&] { return DoubleOf(Tov00300::FindInBag(*bag, key), out); });
}

int tov_array_count(const TovVariant* array) {
  if (array == nullptr || !array->IsArray()) return -1;
  return static_cast<int>(array->AsArray().size());
}

int tov_array_get_text(const TovVariant* array, int index, char* buf, int size) {
  return TextOf(Element(array, index), buf, size);
}

bool tov_array_get_double(const TovVariant* array, int index, double* out) {
  return DoubleOf(Element(array, index), out);
}

// ---- positional value arrays ----

TovValues* tov_values_new(int count) {
  if (count < 0) return nullptr;
  return Guarded<TovValues*>(nullptr, [&] { return new VariantArray(count); });
}

void tov_values_free(TovValues* values) {
  delete values;
}

int tov_values_count(const TovValues* values) {
  return values != nullptr ? static_cast<int>(values->size()) : 0;
}

bool tov_values_set_text(TovValues* values, int index, const char* value) {
  return Guarded(false, [&] { return SetValue(values, index, Variant(Text(value))); });
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
  return Guarded(false, [&] { return SetValue(values, index, Variant(ds->Data())); });
}

// ---- string lists ----

TovStrings* tov_strings_new(void) {
  return Guarded<TovStrings*>(nullptr, [] { return new StringList(); });
}

void tov_strings_free(TovStrings* list) {
  delete list;
}

bool tov_strings_add(TovStrings* list, const char* text) {
  if (list == nullptr) return false;
  return Guarded(false, [&] {
    list->Add(Text(text));
    return true;
  });
}

int tov_strings_count(const TovStrings* list) {
  return list != nullptr ? list->Count() : 0;
}

int tov_strings_get(const TovStrings* list, int index, char* buf, int size) {
  if (list == nullptr || index < 0 || index >= list->Count()) return -1;
  return Guarded(-1, [&] { return CopyOut((*list)[index], buf, size); });
}

// ---- data sets ----

TovDataSet* tov_dataset_new(const char* name) {
  return Guarded<TovDataSet*>(nullptr, [&] { return new DataSet(Text(name)); });
}

void tov_dataset_free(TovDataSet* ds) {
  delete ds;
}

bool tov_dataset_add_field(TovDataSet* ds, const char* name, char type, int size) {
  Tov00300::FieldType fieldType;
  switch (type) {
    case 'S':
      fieldType = Tov00300::FieldType::String;
      break;
    case 'I':
      fieldType = Tov00300::FieldType::Integer;
      break;
    case 'F':
      fieldType = Tov00300::FieldType::Float;
      break;
    case 'B':
      fieldType = Tov00300::FieldType::Boolean;
      break;
    case 'D':
      fieldType = Tov00300::FieldType::DateTime;
      break;
    default:
      return false;
  }
  if (name == nullptr || *name == '\0' || size < 0) return false;
  return OnDataSet(ds, [&](DataSet& d) {
    d.FieldDefs().push_back({name, fieldType, fieldType == Tov00300::FieldType::String ? size : 0});
  });
}

bool tov_dataset_create(TovDataSet* ds) {
  return OnDataSet(ds, [](DataSet& d) { d.CreateDataSet(); });
}

bool tov_dataset_append(TovDataSet* ds) {
  return OnDataSet(ds, [](DataSet& d) { d.Append(); });
}

bool tov_dataset_set_text(TovDataSet* ds, const char* field, const char* value) {
  return OnDataSet(ds, [&](DataSet& d) { d.FieldByName(Text(field)).SetAsString(Text(value)); });
}

bool tov_dataset_set_double(TovDataSet* ds, const char* field, double value) {
  return OnDataSet(ds, [&](DataSet& d) { d.FieldByName(Text(field)).SetAsFloat(value); });
}

bool tov_dataset_set_int(TovDataSet* ds, const char* field, int value) {
  return OnDataSet(ds, [&](DataSet& d) { d.FieldByName(Text(field)).SetAsInteger(value); });
}

bool tov_dataset_post(TovDataSet* ds) {
  return OnDataSet(ds, [](DataSet& d) { d.Post(); });
}

int tov_dataset_record_count(const TovDataSet* ds) {
  if (ds == nullptr) return 0;
  return Guarded(0, [&] { return ds->Active() ? ds->RecordCount() : 0; });
}

int tov_dataset_field_count(const TovDataSet* ds) {
  if (ds == nullptr) return 0;
  return Guarded(0, [&] {
    return ds->Active() ? ds->FieldCount() : static_cast<int>(ds->FieldDefs().size());
  });
}

int tov_dataset_field_name(const TovDataSet* ds, int index, char* buf, int size) {
  if (ds == nullptr || index < 0) return -1;
  return Guarded(-1, [&] {
    const auto& defs = ds->FieldDefs();
    if (index >= static_cast<int>(defs.size())) return -1;
    return CopyOut(defs[index].name, buf, size);
  });
}

bool tov_dataset_first(TovDataSet* ds) {
  return OnDataSet(ds, [](DataSet& d) { d.First(); });
}

bool tov_dataset_next(TovDataSet* ds) {
  return OnDataSet(ds, [](DataSet& d) { d.Next(); });
}

bool tov_dataset_eof(const TovDataSet* ds) {
  if (ds == nullptr) return true;
  return Guarded(true, [&] { return !ds->Active() || ds->Eof(); });
}

int tov_dataset_get_text(TovDataSet* ds, const char* field, char* buf, int size) {
  if (ds == nullptr) return -1;
  return Guarded(-1, [&] {
    if (!ds->Active() || ds->Eof()) return -1;
    return CopyOut(ds->FieldByName(Text(field)).AsString(), buf, size);
  });
}

bool tov_dataset_get_double(TovDataSet* ds, const char* field, double* out) {
  if (ds == nullptr || out == nullptr) return false;
  return Guarded(false, [&] {
    if (!ds->Active() || ds->Eof()) return false;
    *out = ds->FieldByName(Text(field)).AsFloat();
    return true;
  });
}

bool tov_dataset_save_file(const TovDataSet* ds, const char* path) {
  if (ds == nullptr || path == nullptr) return false;
  return Guarded(false, [&] {
    ds->SaveToFile(path);
    return true;
  });
}

bool tov_dataset_load_file(TovDataSet* ds, const char* path) {
  if (path == nullptr) return false;
  return OnDataSet(ds, [&](DataSet& d) { d.LoadFromFile(path); });
}

}  // extern "C"
