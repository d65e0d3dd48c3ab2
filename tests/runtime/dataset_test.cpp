// DataSet: editing, cursor, index order, filters, Locate and data packets.
#include <random>

#include "pt_br_settings.h"
#include "tov00300/dataset.h"

namespace Tov00300 {
namespace {

class DataSetTest : public PtBrTest {
 protected:
  void SetUp() override {
    PtBrTest::SetUp();
    ds.CreateDataSet({{"CD", FieldType::Integer},
                      {"NM", FieldType::String, 10},
                      {"VR", FieldType::Float},
                      {"ID", FieldType::Boolean},
                      {"DT", FieldType::DateTime}});
  }

  void Add(int code, const std::string& nm, double amount) {
    ds.Append();
    ds.FieldByName("CD").SetAsInteger(code);
    ds.FieldByName("NM").SetAsString(nm);
    ds.FieldByName("VR").SetAsFloat(amount);
    ds.Post();
  }

  // The visible rows' CD values in cursor order.
  std::vector<int> Codes() {
    std::vector<int> out;
    for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName("CD").AsInteger());
    return out;
  }

  // One search and the CD of the row it must find (0: none).
  struct LocateCase {
    const char* fields;
    Variant values;
    LocateOptions options;
    int expected;
  };
  // Each search from the first row, in the data set's current order.
  template <size_t N>
  void ExpectLocates(const LocateCase (&cases)[N], const std::string& order) {
    for (const LocateCase& c : cases) {
      ds.First();
      const bool found = ds.Locate(c.fields, c.values, c.options);
      EXPECT_EQ(found, c.expected != 0) << order << " " << c.fields << " " << c.values.AsString();
      if (found) {
        EXPECT_EQ(ds.FieldByName("CD").AsInteger(), c.expected) << order << " " << c.fields;
      }
    }
  }

  DataSet ds{"cdsTeste"};
};

TEST_F(DataSetTest, AppendEditCancelAndDeleteFollowTheStateMachine) {
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_TRUE(ds.Eof());
  EXPECT_TRUE(ds.FieldByName("NM").IsNull());  // no row: fields read as Null
  Add(1, "um", 1.5);
  Add(2, "dois", 2.5);
  EXPECT_EQ(ds.RecordCount(), 2);
  EXPECT_EQ(ds.RecNo(), 2);  // the posted row is current

  ds.First();
  ds.Edit();
  EXPECT_EQ(ds.State(), DataSetState::Edit);
  ds.FieldByName("NM").SetAsString("alterado e longo");  // cut to the field's width
  ds.Cancel();
  EXPECT_EQ(ds.FieldByName("NM").AsString(), "um");
  ds.Edit();
  ds.FieldByName("NM").SetAsString("alterado e longo");
  ds.Next();  // moving posts the edit
  EXPECT_EQ(ds.State(), DataSetState::Browse);
  ds.First();
  EXPECT_EQ(ds.FieldByName("NM").AsString(), "alterado e");

  ds.Insert();  // before the current row
  ds.FieldByName("CD").SetAsInteger(0);
  ds.Post();
  EXPECT_EQ(Codes(), (std::vector<int>{0, 1, 2}));

  ds.First();
  ds.Next();
  ds.Delete();  // the next row becomes current
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 2);
  ds.Delete();  // the last row: the previous one becomes current
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 0);
  ds.Delete();
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_THROW(ds.Delete(), DataSetError);

  EXPECT_THROW(ds.FieldByName("NM").SetAsString("x"), DataSetError);  // not editing
  EXPECT_THROW(ds.FieldByName("NADA"), DataSetError);
  ds.Edit();  // editing an empty set starts a new row
  EXPECT_EQ(ds.State(), DataSetState::Insert);
  ds.Cancel();
  EXPECT_TRUE(ds.IsEmpty());
}

TEST_F(DataSetTest, FieldsConvertAndNullsReadAsDefaults) {
  ds.Append();
  ds.FieldByName("CD").SetValue(Variant("12"));
  ds.FieldByName("VR").SetValue(Variant("1,25"));
  ds.FieldByName("ID").SetValue(Variant("True"));
  ds.FieldByName("DT").SetValue(Variant("05/03/2024 10:00:00"));
  EXPECT_THROW(ds.FieldByName("CD").SetValue(Variant("doze")), ConversionError);
  ds.Post();
  EXPECT_EQ(ds.FieldByName("CD").Value(), Variant(int64_t{12}));
  EXPECT_EQ(ds.FieldByName("VR").AsString(), "1,25");
  EXPECT_TRUE(ds.FieldByName("ID").AsBoolean());
  EXPECT_EQ(ds.FieldByName("DT").AsString(), "05/03/2024 10:00:00");
  EXPECT_TRUE(ds.FieldByName("NM").IsNull());
  EXPECT_EQ(ds.FieldByName("NM").AsString(), "");
  ds.Edit();
  ds.FieldByName("CD").Clear();
  ds.Post();
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 0);
  EXPECT_TRUE(ds.FieldByName("CD").IsNull());
}

TEST_F(DataSetTest, IndexOrderIsStableForEqualKeysAndFollowsEdits) {
  const std::pair<int, const char*> rows[] = {{1, "b"}, {2, "a"}, {3, "b"}, {4, "a"}, {5, "c"}};
  for (auto [code, nm] : rows) Add(code, nm, code);
  ds.AddIndex({"porNome", "NM", false, false});
  ds.AddIndex({"porNomeDesc", "NM", true, false});
  ds.SetIndexName("porNome");
  EXPECT_EQ(Codes(), (std::vector<int>{2, 4, 1, 3, 5}));
  ds.SetIndexName("PORNOMEDESC");
  EXPECT_EQ(Codes(), (std::vector<int>{5, 1, 3, 2, 4}));
  ds.SetIndexName("porNome");
  Add(6, "a", 6);  // appended rows join their key group at its end
  Add(0, "0", 0);
  EXPECT_EQ(Codes(), (std::vector<int>{0, 2, 4, 6, 1, 3, 5}));
  EXPECT_TRUE(ds.Locate("CD", 4));
  ds.Edit();
  ds.FieldByName("NM").SetAsString("z");
  ds.Post();
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 4);  // the cursor follows the moved row
  EXPECT_EQ(ds.RecNo(), 7);
  EXPECT_EQ(Codes(), (std::vector<int>{0, 2, 6, 1, 3, 5, 4}));
  ds.SetIndexFieldNames("VR");
  EXPECT_EQ(Codes(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  ds.SetIndexName("");
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 3, 4, 5, 6, 0}));
  EXPECT_THROW(ds.SetIndexName("semIndice"), DataSetError);
  EXPECT_THROW(ds.SetIndexFieldNames("NADA"), DataSetError);
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 3, 4, 5, 6, 0}));  // unchanged after the error
}

TEST_F(DataSetTest, CaseInsensitiveIndexAndNullsFirst) {
  Add(1, "b", 1);
  Add(2, "B", 2);
  Add(3, "a", 3);
  ds.Append();
  ds.FieldByName("CD").SetAsInteger(4);
  ds.Post();  // NM is Null
  ds.AddIndex({"ci", "NM", false, true});
  ds.SetIndexName("ci");
  EXPECT_EQ(Codes(), (std::vector<int>{4, 3, 1, 2}));
  ds.SetIndexFieldNames("NM");
  EXPECT_EQ(Codes(), (std::vector<int>{4, 2, 3, 1}));
}

TEST_F(DataSetTest, FiltersSelectRowsAndCombine) {
  const std::tuple<int, const char*, double> rows[] = {
      {1, "caixa", 10}, {2, "Caixa", 20.5}, {3, "banco", -5}, {4, "cartao", 100}};
  for (auto [code, nm, amount] : rows) Add(code, nm, amount);
  Add(5, "", 0);
  ds.Edit();
  ds.FieldByName("NM").Clear();
  ds.Post();
  struct Case {
    const char* filter;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"NM = 'caixa'", {1}},
      {"NM <> 'caixa'", {2, 3, 4, 5}},
      {"nm = 'ca*'", {1, 4}},
      {"VR > 10", {2, 4}},
      {"VR >= 10 AND VR < 100", {1, 2}},
      {"VR < 0 OR CD = 4", {3, 4}},
      {"(NM = 'banco' OR NM = 'cartao') AND VR > 0", {4}},
      {"NOT (VR > 0)", {3, 5}},
      {"NM IS NULL", {5}},
      {"NM IS NOT NULL AND VR <> 20.5", {1, 3, 4}},
      {"VR = 20.5", {2}},
      {"VR = -5", {3}},
      {"[NM] = 'it''s'", {}},
      {"CD = '3'", {3}},
      {"", {1, 2, 3, 4, 5}},
  };
  ds.SetFiltered(true);
  for (const Case& c : cases) {
    ds.SetFilter(c.filter);
    EXPECT_EQ(Codes(), c.expected) << c.filter;
    EXPECT_EQ(ds.RecordCount(), static_cast<int>(c.expected.size())) << c.filter;
  }
  ds.SetFilter("VR > 0");
  ds.SetFiltered(false);
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 3, 4, 5}));
  ds.SetFiltered(true);
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 4}));
  Add(6, "novo", 1);   // a new row that passes joins the view
  Add(7, "novo", -1);  // one that does not stays hidden
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 4, 6}));
  ds.First();
  ds.Edit();
  ds.FieldByName("VR").SetAsFloat(-1);
  ds.Post();  // the edited row leaves the view
  EXPECT_EQ(Codes(), (std::vector<int>{2, 4, 6}));
}

TEST_F(DataSetTest, MalformedFiltersAreRejectedAndTheOldOneKept) {
  Add(1, "a", 1);
  Add(2, "b", 2);
  ds.SetFilter("CD = 1");
  ds.SetFiltered(true);
  const char* bad[] = {"VR = 20,5",     "NM = ",     "NM = 'x",      "(CD = 1",  "CD = 1)",
                       "CD = 1 AND",    "CD ! 1",    "CD = 1 OR OR", "NADA = 1", "'x'",
                       "CD = 1 CD = 2", "NM IS 'x'", "[NM = 'x'"};
  for (const char* f : bad) {
    try {
      ds.SetFilter(f);
      ADD_FAILURE() << "accepted " << f;
    } catch (const DataSetError& e) {
      EXPECT_NE(std::string(e.what()).find("cdsTeste"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(ds.Filter(), "CD = 1");
  EXPECT_EQ(Codes(), (std::vector<int>{1}));
}

TEST_F(DataSetTest, LocateWithAndWithoutAnIndex) {
  const std::tuple<int, const char*, double> rows[] = {
      {1, "Caixa", 10}, {2, "banco", 20}, {3, "caixa", 30}, {4, "cartao", 10}, {5, "caixa", 10}};
  for (auto [code, nm, amount] : rows) Add(code, nm, amount);
  const LocateCase cases[] = {
      {"NM", "caixa", {}, 3},
      {"NM", "CAIXA", {}, 0},
      {"NM", "CAIXA", {true, false}, 1},
      {"NM", "ca", {false, true}, 3},
      {"NM", "CA", {true, true}, 1},
      {"NM", "caixa grande", {false, true}, 0},
      {"NM;VR", VariantArray{"caixa", 10}, {}, 5},
      {"VR;NM", VariantArray{10, "cartao"}, {}, 4},
      {"nm;vr", VariantArray{"caixa", 99}, {}, 0},
      {"CD", 4, {}, 4},
      {"CD", "4", {}, 4},
      {"VR", 10.0, {}, 1},
      {"NM", Variant::Null(), {}, 0},
  };
  ExpectLocates(cases, "storage order");
  ds.AddIndex({"nmvr", "NM;VR", false, false});
  ds.SetIndexName("nmvr");
  // In index order the "caixa" rows run 5 (VR 10) then 3 (VR 30).
  ds.First();
  ASSERT_TRUE(ds.Locate("NM", "caixa"));
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 5);
  ASSERT_TRUE(ds.Locate("NM;VR", VariantArray{"caixa", 30}));
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 3);
  ds.AddIndex({"ci", "NM", false, true});
  ds.SetIndexName("ci");
  ASSERT_TRUE(ds.Locate("NM", "CAIXA", {true, false}));
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 1);
  ASSERT_TRUE(ds.Locate("NM", "caixa"));  // case-sensitive search on a case-insensitive index
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 3);
  ASSERT_TRUE(ds.Locate("NM", "CAR", {true, true}));
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 4);

  ds.SetIndexName("");
  ds.SetFilter("VR <> 10");
  ds.SetFiltered(true);
  EXPECT_FALSE(ds.Locate("CD", 1));  // hidden rows are not found
  EXPECT_TRUE(ds.Locate("CD", 3));
  EXPECT_FALSE(ds.Locate("CD", 5));
  EXPECT_EQ(ds.FieldByName("CD").AsInteger(), 3);  // a failed search keeps the cursor
  EXPECT_THROW(ds.Locate("NM;VR", "caixa"), DataSetError);
  EXPECT_THROW(ds.Locate("NADA", 1), DataSetError);
}

// Each search matches one row at most, so every order must find the same one:
// a binary search on an index (ascending, descending, case-insensitive) and
// the scan without one.
TEST_F(DataSetTest, LocateFindsTheSameRowInEveryOrder) {
  const std::tuple<int, const char*, double> rows[] = {{1, "caixa", 10},
                                                       {2, "banco", 20},
                                                       {3, "caixa", 30},
                                                       {4, "cartao", 10},
                                                       {5, "caixa forte", 20}};
  for (auto [code, nm, amount] : rows)
    Add(code, nm, amount);  // 5 keeps "caixa fort", the field's width
  const LocateCase cases[] = {
      {"NM", VariantArray{"banco"}, {}, 2},
      {"NM", "caixa forte", {}, 0},  // longer than the field: not the row holding its beginning
      {"NM", "caixa fort", {}, 5},
      {"NM", "caixa f", {false, true}, 5},
      {"NM", "CART", {true, true}, 4},
      {"NM", "BANCO", {true, false}, 2},
      {"NM;VR", VariantArray{"caixa", 30}, {}, 3},
      {"NM;VR", VariantArray{"caixa", 20}, {}, 0},
      {"NM;VR", VariantArray{"caixa", 20}, {false, true}, 5},  // after "caixa" 30 in the index
      {"VR;NM", VariantArray{10, "CAIXA"}, {true, false}, 1},
  };
  const IndexDef orders[] = {{"", "", false, false},
                             {"nmvr", "NM;VR", false, false},
                             {"nmvrDesc", "NM;VR", true, false},
                             {"nmCiDesc", "NM", true, true}};
  for (const IndexDef& order : orders) {
    if (!order.name.empty()) ds.AddIndex(order);
    ds.SetIndexName(order.name);
    ExpectLocates(cases, order.name);
  }
}

TEST_F(DataSetTest, DataIsADeepCopyAndSetDataReopens) {
  Add(1, "um", 1.5);
  Add(2, "dois", 2.5);
  int opened = 0;
  ds.AfterOpen = [&opened](DataSet& set) {
    ++opened;
    set.LogChanges = false;
  };
  DataPacket packet = ds.Data();
  ASSERT_EQ(packet.rows.size(), 2u);
  EXPECT_EQ(packet.rows[1][1].AsString(), "dois");
  EXPECT_TRUE(packet.rows[0][3].IsNull());
  packet.rows[0][1] = Variant("mudado");
  ds.First();
  EXPECT_EQ(ds.FieldByName("NM").AsString(), "um");  // the packet is a copy

  DataSet other("cdsOutro");
  other.AfterOpen = ds.AfterOpen;
  other.SetData(packet);
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(other.LogChanges);
  EXPECT_EQ(other.FieldDefs(), ds.FieldDefs());
  EXPECT_EQ(other.FieldByName("NM").AsString(), "mudado");
  other.Edit();
  other.FieldByName("NM").SetAsString("outro");
  other.Post();
  EXPECT_EQ(packet.rows[0][1].AsString(), "mudado");

  ds.CreateDataSet();
  EXPECT_EQ(opened, 2);
  EXPECT_TRUE(ds.IsEmpty());

  DataPacket bad = packet;
  bad.rows[1].pop_back();
  EXPECT_THROW(other.SetData(bad), DataSetError);
  EXPECT_EQ(other.RecordCount(), 2);  // a rejected packet leaves the set as it was
  other.EmptyDataSet();
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_TRUE(other.Active());
  other.Close();
  EXPECT_FALSE(other.Active());
  EXPECT_THROW(other.First(), DataSetError);
  EXPECT_THROW(DataSet().CreateDataSet(), DataSetError);  // no fields
}

// Random edits checked against a plain model: the view must always be the
// live rows passing the filter, in index order with ties in order of addition.
TEST_F(DataSetTest, RandomEditsKeepTheViewConsistent) {
  struct ModelRow {
    int code;
    int key;
    uint64_t added;
  };
  std::vector<ModelRow> model;  // storage order
  std::mt19937 rng(12345);
  uint64_t added = 0;
  int nextCode = 1;
  ds.AddIndex({"vr", "VR", false, false});
  ds.AddIndex({"vrDesc", "VR", true, false});
  ds.SetIndexName("vr");
  bool descending = false, filtered = false;
  auto expected = [&] {
    std::vector<ModelRow> rows;
    for (const auto& r : model) {
      if (!filtered || r.key >= 5) rows.push_back(r);
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const ModelRow& a, const ModelRow& b) {
      if (a.key != b.key) return descending ? a.key > b.key : a.key < b.key;
      return a.added < b.added;
    });
    std::vector<int> out;
    for (const auto& r : rows) out.push_back(r.code);
    return out;
  };
  auto modelIndex = [&](int code) {
    for (size_t i = 0; i < model.size(); ++i) {
      if (model[i].code == code) return i;
    }
    return model.size();
  };
  for (int step = 0; step < 3000; ++step) {
    const int op = static_cast<int>(rng() % 10);
    const int key = static_cast<int>(rng() % 10);
    if (op < 4 || ds.IsEmpty()) {
      Add(nextCode, "x", key);
      model.push_back({nextCode++, key, added++});
    } else if (op == 4) {
      const int current = ds.FieldByName("CD").AsInteger();
      ds.Insert();
      ds.FieldByName("CD").SetAsInteger(nextCode);
      ds.FieldByName("VR").SetAsFloat(key);
      ds.Post();
      model.insert(model.begin() + static_cast<long>(modelIndex(current)),
                   {nextCode++, key, added++});
    } else if (op == 5) {
      const int code = ds.FieldByName("CD").AsInteger();
      ds.Edit();
      ds.FieldByName("VR").SetAsFloat(key);
      ds.Post();
      model[modelIndex(code)].key = key;
    } else if (op == 6) {
      const int code = ds.FieldByName("CD").AsInteger();
      ds.Delete();
      model.erase(model.begin() + static_cast<long>(modelIndex(code)));
    } else if (op == 7) {
      ds.First();
      for (int k = static_cast<int>(rng() % 5); k > 0; --k) ds.Next();
    } else if (op == 8 && step % 50 == 0) {
      descending = !descending;
      ds.SetIndexName(descending ? "vrDesc" : "vr");
    } else if (op == 9 && step % 40 == 0) {
      filtered = !filtered;
      ds.SetFilter("VR >= 5");
      ds.SetFiltered(filtered);
    } else if (op == 9) {
      ASSERT_EQ(ds.Locate("VR", key), std::count_if(model.begin(), model.end(), [&](auto& r) {
                                        return r.key == key && (!filtered || r.key >= 5);
                                      }) > 0);
    }
    if (step % 97 == 0) {
      const auto want = expected();
      ASSERT_EQ(Codes(), want) << "step " << step;
      ASSERT_EQ(ds.RecordCount(), static_cast<int>(want.size()));
      for (ds.First(); !ds.Eof(); ds.Next()) ASSERT_GT(ds.RecNo(), 0);
    }
  }
  // Storage order is kept apart from the index.
  ds.SetIndexName("");
  ds.SetFiltered(false);
  filtered = false;
  std::vector<int> storage;
  for (const auto& r : model) storage.push_back(r.code);
  EXPECT_EQ(Codes(), storage);
}

}  // namespace
}  // namespace Tov00300
