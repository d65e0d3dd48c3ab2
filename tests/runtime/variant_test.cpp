// Variant conversions, copies and parameter bags.
#include "tov00300/variant.h"
#include "pt_br_settings.h"
#include "tov00300/dataset.h"

namespace Tov00300 {
namespace {

class VariantTest : public PtBrTest {};

TEST_F(VariantTest, ConvertsLikeTheOriginalRuntime) {
  const DateTime noon = DateTime::FromParts(2024, 3, 5, 12, 0, 0);
  struct Case {
    Variant v;
    const char* asString;
    int64_t asInt;
    double asDouble;
    bool asBool;
  };
  const Case cases[] = {
      {Variant(), "", 0, 0, false},
      {Variant(true), "True", -1, -1, true},
      {Variant(false), "False", 0, 0, false},
      {Variant(42), "42", 42, 42, true},
      {Variant(int64_t{5000000000}), "5000000000", 5000000000, 5e9, true},
      {Variant(1.5), "1,5", 2, 1.5, true},  // half to even
      {Variant(2.5), "2,5", 2, 2.5, true},  // half to even
      {Variant(-3.5), "-3,5", -4, -3.5, true},
      {Variant(0.0), "0", 0, 0, false},
      {Variant("12"), "12", 12, 12, true},
      {Variant(" 7 "), " 7 ", 7, 7, true},
      {Variant("1,5"), "1,5", 2, 1.5, true},
      {Variant("0"), "0", 0, 0, false},
      {Variant("TRUE"), "TRUE", -1, -1, true},
      {Variant("false"), "false", 0, 0, false},
      {Variant(noon), "05/03/2024 12:00:00", 45356, 45356.5, true},  // half to even
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asString);
    EXPECT_EQ(c.v.AsString(), c.asString);
    EXPECT_EQ(c.v.AsInt64(), c.asInt);
    EXPECT_DOUBLE_EQ(c.v.AsDouble(), c.asDouble);
    EXPECT_EQ(c.v.AsBool(), c.asBool);
  }
  EXPECT_EQ(Variant(DateTime::FromParts(2024, 3, 5)).AsString(), "05/03/2024");
  EXPECT_EQ(Variant("05/03/2024 12:00:00").AsDateTime(), noon);
  EXPECT_EQ(Variant(45356.5).AsDateTime(), noon);
}

TEST_F(VariantTest, ImpossibleConversionsSayWhatFailed) {
  struct Case {
    Variant v;
    std::function<void(const Variant&)> convert;
    const char* message;
  };
  const Case cases[] = {
      {Variant::Null(), [](const Variant& v) { v.AsString(); },
       "Could not convert variant of type (Null) into type (String)"},
      {Variant::Null(), [](const Variant& v) { v.AsInt(); },
       "Could not convert variant of type (Null) into type (Integer)"},
      {Variant::Null(), [](const Variant& v) { v.AsDouble(); },
       "Could not convert variant of type (Null) into type (Double)"},
      {Variant::Null(), [](const Variant& v) { v.AsBool(); },
       "Could not convert variant of type (Null) into type (Boolean)"},
      {Variant::Null(), [](const Variant& v) { v.AsDateTime(); },
       "Could not convert variant of type (Null) into type (Date)"},
      {Variant("abc"), [](const Variant& v) { v.AsDouble(); },
       "Could not convert variant of type (String) into type (Double): 'abc'"},
      // '.' groups thousands under pt_BR: "1.5" is no number there.
      {Variant("1.5"), [](const Variant& v) { v.AsDouble(); },
       "Could not convert variant of type (String) into type (Double): '1.5'"},
      {Variant("abc"), [](const Variant& v) { v.AsInt(); },
       "Could not convert variant of type (String) into type (Integer): 'abc'"},
      {Variant("yes"), [](const Variant& v) { v.AsBool(); },
       "Could not convert variant of type (String) into type (Boolean): 'yes'"},
      {Variant("31/02/2024"), [](const Variant& v) { v.AsDateTime(); },
       "Could not convert variant of type (String) into type (Date): '31/02/2024'"},
      {Variant(VariantArray{1, 2}), [](const Variant& v) { v.AsString(); },
       "Could not convert variant of type (Array Variant) into type (String)"},
      {Variant(42), [](const Variant& v) { v.AsArray(); },
       "Could not convert variant of type (Integer) into type (Array Variant)"},
      {Variant(int64_t{5000000000}), [](const Variant& v) { v.AsInt(); },
       "Could not convert variant of type (Integer) into type (Integer): 5000000000 is out of "
       "range"},
      {Variant(1e300), [](const Variant& v) { v.AsInt64(); },
       "Could not convert variant of type (Double) into type (Int64): 1E300"},
  };
  for (const Case& c : cases) {
    try {
      c.convert(c.v);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

TEST_F(VariantTest, ArraysAreDeepCopied) {
  Variant a(VariantArray{1, "x", VariantArray{2, 3}});
  Variant b = a;
  b.AsArray()[2].AsArray()[0] = 99;
  EXPECT_EQ(a.AsArray()[2].AsArray()[0].AsInt(), 2);
  EXPECT_EQ(b.AsArray()[2].AsArray()[0].AsInt(), 99);
  Variant c;
  c = b;
  EXPECT_TRUE(c == b);
  EXPECT_FALSE(c == a);
  const Variant& same = c;
  c = same;  // self-assignment keeps the value
  EXPECT_TRUE(c == b);
}

TEST_F(VariantTest, EqualityNeedsTheSameKind) {
  EXPECT_TRUE(Variant(1) == Variant(1));
  EXPECT_FALSE(Variant(1) == Variant(1.0));
  EXPECT_FALSE(Variant("1") == Variant(1));
  EXPECT_TRUE(Variant::Null() == Variant::Null());
  EXPECT_FALSE(Variant::Null() == Variant());
  DataPacket p{{{"NM", FieldType::String, 10}}, {{Variant("a")}}};
  EXPECT_TRUE(Variant(p) == Variant(p));
  EXPECT_EQ(Variant(p).AsDataPacket().rows[0][0].AsString(), "a");
}

TEST_F(VariantTest, BagsAreFoundWithoutRegardToCase) {
  const Variant bag = MakeBag({{"CDFILIAL", "001"}, {"IdTipoImpFis", 29}, {"VALOR", 1.5}});
  ASSERT_NE(FindInBag(bag, "cdfilial"), nullptr);
  EXPECT_EQ(FindInBag(bag, "cdfilial")->AsString(), "001");
  EXPECT_EQ(FindInBag(bag, "IDTIPOIMPFIS")->AsInt(), 29);
  EXPECT_EQ(FindInBag(bag, "ABSENT"), nullptr);
  EXPECT_EQ(FindInBag(Variant(VariantArray{}), "X"), nullptr);
}

TEST_F(VariantTest, MalformedBagsAreRejectedWhateverKeyIsAsked) {
  const Variant bags[] = {
      Variant(),
      Variant("CDFILIAL"),
      Variant(VariantArray{Variant("CDFILIAL"), Variant("001")}),
      Variant(VariantArray{Variant(VariantArray{Variant("A"), 1}), Variant(VariantArray{1, 2})}),
      Variant(VariantArray{Variant(VariantArray{Variant("A"), 1, 2})}),
      Variant(VariantArray{Variant(VariantArray{Variant("A")})}),
  };
  for (const Variant& bag : bags) {
    EXPECT_THROW(FindInBag(bag, "A"), ConversionError);
  }
}

}  // namespace
}  // namespace Tov00300
