// The PAF identification print: the text printed as one management report,
// the optional blocks, and errors shown with nothing printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "readings/control_file.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/legal.h"
#include "tov00300/stringlist.h"

namespace tovtest {
namespace {

using Tov00300::DataSet;
using Tov00300::FieldType;
using Tov00300::Variant;
using Tov00300::VariantArray;

// One-row (or empty) data set of text fields, as a data packet variant.
Variant Packet(const std::vector<std::pair<std::string, std::string>>& fields, bool row = true) {
  DataSet ds;
  std::vector<Tov00300::FieldDef> defs;
  for (const auto& [name, value] : fields) defs.push_back({name, FieldType::String, 80});
  ds.CreateDataSet(defs);
  if (row) {
    ds.Append();
    for (const auto& [name, value] : fields) ds.FieldByName(name).SetAsString(value);
    ds.Post();
  }
  return Variant(ds.Data());
}

Variant Identification() {
  std::vector<std::pair<std::string, std::string>> fields;
  for (const char* name :
       {"NRLAUDO", "NRCNPJMORVANE", "DSRAZAOSOCIMOR", "DSENDEMORVANE", "DSTELEFONEMOR",
        "NMRESPONSIST", "DSNOMECOMERCIAL", "DSVERSAOBRINDAL", "NMEXEBRINDAL"})
    fields.push_back(
        {name, Tov00300::hostlib::Cripto(std::string("v-") + name, Tov00300::kScrambleKey)});
  return Packet(fields);
}

class PafIdentificationTest : public PackageTest {
 protected:
  void WriteDigests() {
    std::filesystem::create_directories(sandbox().hostFolder() + "/Dados/Cadastros");
    DataSet ds;
    ds.CreateDataSet({{"DSARQUIVO", FieldType::String, 60}, {"NUMEROMD5", FieldType::String, 32}});
    for (const auto& [file, md5] :
         {std::pair{"Brindal.exe", "0123456789ABCDEF0123456789ABCDEF"},
          std::pair{"Tov00300.bpl", "FEDCBA9876543210FEDCBA9876543210"}}) {
      ds.Append();
      ds.FieldByName("DSARQUIVO").SetAsString(file);
      ds.FieldByName("NUMEROMD5").SetAsString(md5);
      ds.Post();
    }
    ds.SaveToFile(sandbox().hostFolder() + "/Dados/Cadastros/ArquivosQirMd5.cds");
  }
  void WriteControlFile() {
    DataSet ds;
    ds.CreateDataSet(
        {{"CDFILIAL", FieldType::String, 3}, {"MD5ARQUIVOTXT", FieldType::String, 80}});
    ds.Append();
    ds.FieldByName("MD5ARQUIVOTXT")
        .SetAsString(Tov00300::hostlib::Cripto("99AA", Tov00300::kScrambleKey));
    ds.Post();
    ds.SaveToFile(sandbox().hostFolder() + "/Brindal.cds");
  }
  // The printed text, or "" when no report was opened.
  std::string Print(const Variant& printers) {
    driver().ClearCalls();
    Variant unused;
    Tov00300::ImprimeDadosPaf(VariantArray{0, 0, "PADRAO", Identification(), printers}, unused);
    std::string text;
    for (const DriverCall& c : driver().CallsTo("iRGImprimirTexto_ECF_Daruma")) text += c.args[0];
    return Tov00300::Cp1252ToUtf8(text);
  }
};

TEST_F(PafIdentificationTest, PrintsEveryBlockInOrder) {
  WriteDigests();
  WriteControlFile();
  const std::string text = Print(Packet({{"NRSERIEIMPRPERS", "DR0111BR000000000001"}}));
  const std::string expectedTail =
      "Nr do Laudo:  v-NRLAUDO\n\n"
      "Identificação da Empresa: \n"
      "CNPJ         : v-NRCNPJMORVANE\n"
      "Razão Social : v-DSRAZAOSOCIMOR\n"
      "Endereço     : v-DSENDEMORVANE\n"
      "Telefone     : v-DSTELEFONEMOR\n"
      "Resp.Técnico: v-NMRESPONSIST\n\n"
      "Identificação PAF-ECF: \n"
      "Nome Comercial: v-DSNOMECOMERCIAL\n"
      "Versão        : v-DSVERSAOBRINDAL\n\n"
      "Principal Exe : v-NMEXEBRINDAL\n"
      "MD5           : 0123456789ABCDEF0123456789ABCDEF\n\n"
      "Arquivo Texto : ARQUIVOSQIRMD5.TXT\n"
      "MD-5          : 99AA\n\n"
      "Relação de Arquivos\n" +
      std::string(48, '-') +
      "\n\n"
      "Arquivo: Brindal.exe\nMD5    : 0123456789ABCDEF0123456789ABCDEF\n\n"
      "Arquivo: Tov00300.bpl\nMD5    : FEDCBA9876543210FEDCBA9876543210\n\n"
      "Versao ER PAF-ECF: 02.06\n\n"
      "Relação de Ecf's\n" +
      std::string(48, '-') + "\n\nDR0111BR000000000001\n";
  ASSERT_TRUE(text.starts_with("          Identificação do Paf-Ecf\n\nData Emissão: ")) << text;
  EXPECT_TRUE(text.ends_with("\n\n\n" + expectedTail)) << text;
  EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), 1);
}

TEST_F(PafIdentificationTest, OptionalBlocksAndErrors) {
  WriteDigests();
  // No control file, no printers: neither block.
  std::string text = Print(Packet({{"NRSERIEIMPRPERS", ""}}, /*row=*/false));
  EXPECT_NE(text.find("Versao ER PAF-ECF: 02.06\n\n"), std::string::npos);
  EXPECT_EQ(text.find("Arquivo Texto"), std::string::npos);
  EXPECT_EQ(text.find("Relação de Ecf"), std::string::npos);
  EXPECT_TRUE(scriptedOperator().Messages().empty());

  // The digest file gone: the digests the data module still holds from the
  // call above are not printed as this program's; the error is shown.
  std::filesystem::remove(sandbox().hostFolder() + "/Dados/Cadastros/ArquivosQirMd5.cds");
  EXPECT_EQ(Print(Packet({{"NRSERIEIMPRPERS", "X"}})), "");
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(scriptedOperator().Messages()[0].type, 3);

  // A printer list that is not a data packet: shown, nothing printed.
  WriteDigests();
  scriptedOperator().Clear();
  EXPECT_EQ(Print(Variant("not a packet")), "");
  EXPECT_EQ(scriptedOperator().Messages().size(), 1u);
}

// Days the driver made no file of are listed as the notice's detail, with
// the flag the dialog takes for it.
TEST_F(PafIdentificationTest, CatFileFailuresAreListedAsTheNoticesDetail) {
  driver().Queue("rGerarRelatorio_ECF_Daruma", -1);
  Tov00300::StringList lista;
  const Variant params = Packet({{"CDFILIAL", "001"}, {"CDCAIXA", "002"}, {"IDESQUEMA", "AZUL"}});
  EXPECT_FALSE(Tov00300::GeraCatGenerica(VariantArray{params, "010325", "010325"}, lista));
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  EXPECT_EQ(scriptedOperator().Messages()[0].flag, "S");
  EXPECT_NE(scriptedOperator().Messages()[0].detail.find("01/03/2025"), std::string::npos);
}

}  // namespace
}  // namespace tovtest
