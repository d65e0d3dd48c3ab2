#include <gtest/gtest.h>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

TEST(RecebeParams, ReadsTheValueUnderAKeyOfAnyCase) {
  Variant bag = MakeBag({{"CDFILIAL", "001"}, {"IDTIPOIMPFIS", 29}, {"VRTOTAL", 12.5}});
  EXPECT_EQ(RecebeParams(bag, "CDFILIAL"), Variant("001"));
  EXPECT_EQ(RecebeParams(bag, "idTipoImpFis"), Variant(29));
  EXPECT_EQ(RecebeParams(bag, "vrtotal"), Variant(12.5));
}

TEST(RecebeParams, AbsentKeyGivesEmptyThatReadsAsNothing) {
  Variant bag = MakeBag({{"CDFILIAL", "001"}});
  Variant absent = RecebeParams(bag, "NRSEQVENDA");
  EXPECT_TRUE(absent.IsEmpty());
  EXPECT_EQ(absent.AsString(), "");
  EXPECT_EQ(absent.AsInt(), 0);
  EXPECT_TRUE(RecebeParams(MakeBag({}), "X").IsEmpty());
}

TEST(RecebeParams, SomethingThatIsNotABagIsAConversionError) {
  const Variant notBags[] = {
      Variant("CDFILIAL"),
      Variant(7),
      Variant(VariantArray{Variant("CDFILIAL"), Variant("001")}),         // a bare pair
      Variant(VariantArray{Variant(VariantArray{Variant("CDFILIAL")})}),  // a pair of one
      Variant(VariantArray{Variant(VariantArray{Variant("A"), 1, 2})}),   // a triple
  };
  for (const Variant& bag : notBags) {
    EXPECT_THROW(RecebeParams(bag, "CDFILIAL"), ConversionError);
  }
}

}  // namespace
}  // namespace Tov00300::hostlib
