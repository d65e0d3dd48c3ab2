// Amounts no till can send through a script: values that are not finite
// numbers are refused before the printer is spoken to.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "support/fixture.h"
#include "tov00300/accounts.h"
#include "tov00300/dataset.h"

namespace tovtest {
namespace {

using AccountInputTest = PackageTest;

TEST_F(AccountInputTest, NotANumberIsRefusedBeforeAnythingIsSent) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Tov00300::DataPacket products;
  for (const char* f : {"CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN", "VRUNITVENDCL",
                        "VRDESCCOMVEN", "VRACRCOMVEN"})
    products.fields.push_back({f, Tov00300::FieldType::Float, 0});
  const Tov00300::Variant packet(products);
  std::string unused;
  EXPECT_FALSE(Tov00300::Comp_DebitoCons("AZUL", packet, nan, "", "", "", "", "", "", 0, 0, 0, "",
                                         "", "N", "", "", Tov00300::Variant()));
  EXPECT_FALSE(Tov00300::Comp_DebitoCons("AZUL", packet, 10, "", "", "", "", "", "", inf, 0, 0, "",
                                         "", "N", "", "", Tov00300::Variant()));
  EXPECT_FALSE(Tov00300::Cancela_Cred_Pessoal("", "", "", "", "AZUL", unused, "1", "", "", "",
                                              "Dinheiro", nan, 0, ""));
  EXPECT_FALSE(Tov00300::Cancela_Cred_Pessoal("", "", "", "", "AZUL", unused, "1", "", "", "",
                                              "Dinheiro", -5, 0, ""));
  EXPECT_FALSE(Tov00300::Imp_CompVenCred("AZUL", packet, Tov00300::Variant(), nan, "", "", "", "",
                                         "", "", 0, 0, 0, "2"));
  EXPECT_TRUE(driver().Calls().empty()) << driver().Calls()[0].name;
  EXPECT_EQ(scriptedOperator().Messages().size(), 5u);
}

}  // namespace
}  // namespace tovtest
