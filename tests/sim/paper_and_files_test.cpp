// The paper tape a person reads, and the files of the fiscal menu.
#include <filesystem>
#include <sstream>

#include "sim_fixture.h"

namespace Tov00300::simtest {
namespace {

class PaperTest : public SimTest {};

size_t CodePoints(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

TEST_F(PaperTest, TapeIsReadableUtf8In48Columns) {
  Driver& d = Sim();
  ASSERT_EQ(d.iCFAbrir_ECF_Daruma("11.222.333/0001-81", "Jos\xE9", "Av. S\xE3o Jo\xE3o"), 1);
  ASSERT_EQ(d.iCFVender_ECF_Daruma("I18,00", "1,5", "4,99", "D$", "0,10", "789", "KG",
                                   "P\xE3o de a\xE7\xFA"
                                   "car com uma descri\xE7\xE3o bem longa que passa de uma linha"),
            1);
  ASSERT_EQ(d.iCFTotalizarCupom_ECF_Daruma("A$", "0,50"), 1);
  ASSERT_EQ(d.iCFEfetuarPagamentoFormatado_ECF_Daruma("Dinheiro", "20"), 1);
  ASSERT_EQ(d.iCFEncerrarConfigMsg_ECF_Daruma("Obrigado\nVolte sempre"), 1);
  ASSERT_EQ(d.iRGAbrirPadrao_ECF_Daruma(), 1);
  ASSERT_EQ(d.iRGImprimirTexto_ECF_Daruma(std::string(100, '=').c_str()), 1);
  ASSERT_EQ(d.iImprimirCodigoBarras_ECF_Daruma("1", "4", "150", "1", "789100010010"), 1);
  ASSERT_EQ(d.iRGFechar_ECF_Daruma(), 1);
  std::string tape = ReadDriverFile("bobina.txt");
  for (const char* expected :
       {"CUPOM FISCAL", "ITEM CÓDIGO DESCRIÇÃO", "Pão de açúcar", "passa de uma linha",
        "Av. São João", "TOTAL R$", "TROCO R$", "12,12", "7,88", "Volte sempre",
        "RELATÓRIO GERENCIAL", "789100010010", "FAB:", "COO:000002"}) {
    EXPECT_NE(tape.find(expected), std::string::npos) << expected;
  }
  std::istringstream lines(tape);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(CodePoints(line), 48u) << line;
}

// Text commands print onto one paper: a piece without a final line feed
// leaves its line open and the next piece goes on with it, whatever the
// pieces' size, in reports and vouchers alike, and across a restart.
TEST_F(PaperTest, TextPiecesContinueTheOpenLine) {
  Driver& d = Sim();
  const std::string body = "Taxa de Servico 10%              1.234.567,89\nTotal Geral " +
                           std::string(40, '9') + "\n\nfim";
  const std::string printed = "Taxa de Servico 10%              1.234.567,89\nTotal Geral " +
                              std::string(36, '9') + "\n9999\n\nfim\n";
  // Piece sizes: whole, one character, seven, a line and one; a voucher.
  for (const auto& [piece, voucher] : std::vector<std::pair<size_t, bool>>{
           {body.size(), false}, {1, false}, {7, false}, {49, false}, {10, true}}) {
    SCOPED_TRACE(piece);
    UseFreshFolders();
    auto print = d.iRGImprimirTexto_ECF_Daruma;
    if (voucher) {
      SellReceipt({"5,00"}, "Cartao Credito");
      ASSERT_EQ(d.iCCDAbrirPadrao_ECF_Daruma(), 1);
      print = d.iCCDImprimirTexto_ECF_Daruma;
    } else {
      ASSERT_EQ(d.iRGAbrirPadrao_ECF_Daruma(), 1);
    }
    for (size_t at = 0; at < body.size(); at += piece) {
      ASSERT_EQ(print(body.substr(at, piece).c_str()), 1) << at;
      if (at == 0) {
        ASSERT_EQ(Control("reload"), 1);
      }
    }
    ASSERT_EQ(voucher ? d.iCCDFechar_ECF_Daruma() : d.iRGFechar_ECF_Daruma(), 1);
    const std::string tape = ReadDriverFile("bobina.txt");
    EXPECT_NE(tape.find("\n" + printed), std::string::npos) << tape;
  }
}

TEST_F(PaperTest, FiscalMemoryReadingsAndDetailMemoryFiles) {
  Driver& d = Sim();
  SellReceipt({"10,00"});
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  SellReceipt({"20,00"});
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  std::string today = Info(140, 1164).substr(0, 8);

  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("0001", "0002", 1, "ARQ"), 1);
  std::string reading = ReadDriverFile("retorno.txt");
  EXPECT_NE(reading.find("CRZ:0001"), std::string::npos);
  EXPECT_NE(reading.find("CRZ:0002"), std::string::npos);
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma(today.c_str(), today.c_str(), 0, "ARQ"), 1);
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("01012000", "31122000", 0, "ARQ"), -104);
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("01012090", "31122090", 0, "ARQ"), -105);
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("0003", "0009", 0, "ARQ"), -105);
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("0002", "0001", 0, "ARQ"), -2);
  std::string coo = Info(26, 6);
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("0001", "0002", 0, "IMP"), 1);
  EXPECT_EQ(std::stoll(Info(26, 6)), std::stoll(coo) + 1);

  EXPECT_EQ(d.rGerarRelatorio_ECF_Daruma("MFD", "DATAM", today.c_str(), today.c_str()), 1);
  std::string mfd = ReadDriverFile("ATO_MFD_DATA.txt");
  EXPECT_NE(mfd.find("COO:000001"), std::string::npos);
  EXPECT_EQ(mfd, ReadDriverFile("ATO_MFD_DATA.TXT"));
  EXPECT_EQ(d.rGerarRelatorio_ECF_Daruma("MFD", "COO", "000002", "000003"), 1);
  EXPECT_EQ(d.rGerarRelatorio_ECF_Daruma("MFD", "DATAM", "01012000", "02012000"), -104);
  std::string shortDate = today.substr(0, 4) + today.substr(6, 2);
  EXPECT_EQ(d.rGerarEspelhoMFD_ECF_Daruma("1", shortDate.c_str(), shortDate.c_str()), 1);
  EXPECT_NE(ReadDriverFile("Espelho_MFD.txt").find("CUPOM FISCAL"), std::string::npos);
  EXPECT_EQ(d.rGerarEspelhoMFD_ECF_Daruma("2", "000001", "000001"), 1);
  EXPECT_EQ(
      d.rEfetuarDownloadMFD_ECF_Daruma("DATAM", today.c_str(), today.c_str(), "MFDFISCAL.MFD"), 1);
  EXPECT_EQ(ReadDriverFile("MFDFISCAL.MFD").substr(0, 8), "TOVMFD01");
  EXPECT_EQ(d.rEfetuarDownloadMF_ECF_Daruma("MFISCAL.MF"), 1);
  EXPECT_EQ(ReadDriverFile("MFISCAL.MF").substr(0, 8), "TOVMF001");
  EXPECT_EQ(d.rGerarRelatorio_ECF_Daruma("XYZ", "DATAM", today.c_str(), today.c_str()), -2);
}

TEST_F(PaperTest, FileThatCannotBeWrittenAnswersMinus52) {
  Driver& d = Sim();
  SellReceipt({"10,00"});
  ASSERT_EQ(d.iReducaoZ_ECF_Daruma("", ""), 1);
  std::string today = Info(140, 1164).substr(0, 8);
  // A folder in the way of each file: the driver cannot put its file there.
  for (const char* name : {"retorno.txt", "ATO_MFD_DATA.txt", "Espelho_MFD.txt", "MFISCAL.MF"}) {
    std::filesystem::create_directories(DriverFolder() + name + "/x");
  }
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("0001", "0001", 0, "ARQ"), -52);
  EXPECT_EQ(Status().first, 30);
  EXPECT_EQ(d.rGerarRelatorio_ECF_Daruma("MFD", "DATAM", today.c_str(), today.c_str()), -52);
  EXPECT_EQ(d.rGerarEspelhoMFD_ECF_Daruma("2", "000001", "000002"), -52);
  EXPECT_EQ(d.rEfetuarDownloadMF_ECF_Daruma("MFISCAL.MF"), -52);
  // Nothing of the fiscal memory changed.
  EXPECT_EQ(Info(24, 4), "0001");
  EXPECT_EQ(d.eMemoriaFiscal_ECF_Daruma("0001", "0001", 0, "IMP"), 1);
}

}  // namespace
}  // namespace Tov00300::simtest
