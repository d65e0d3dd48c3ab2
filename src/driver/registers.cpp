#include "driver/registers.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "driver/reply_buffer.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"

namespace Tov00300::driver {

namespace {

constexpr std::array kRegisters{
    RegisterInfo{1, 18, "grand total (GT), amount", "BuscaTotGer, BuscaVendaBruta, Atu_TotGeral"},
    RegisterInfo{2, 18, "grand total the day's gross sales are counted from", "BuscaVendaBruta"},
    RegisterInfo{3, 364, "tax totals: 16 rate slots, then ST, exempt, no incidence (13 each)",
                 "Z-reduction export"},
    RegisterInfo{6, 260, "one 13-character amount per payment method", "Z-reduction export"},
    RegisterInfo{8, 13, "amount of the non-fiscal totalizer \"Sangria\"", "Z-reduction export"},
    RegisterInfo{9, 247, "one 13-character amount per other non-fiscal totalizer",
                 "Z-reduction export"},
    RegisterInfo{11, 13, "total of discounts, amount", "BuscaDescontos"},
    RegisterInfo{12, 13, "total of surcharges, amount", "Acrescimo_Imp"},
    RegisterInfo{13, 13, "total of cancellations, amount", "Cancelamentos"},
    RegisterInfo{23, 3, "restart-of-operation counter (CRO)", "BuscaReinicioOp"},
    RegisterInfo{24, 4, "Z-reduction counter (CRZ)", "BuscaNReducoes"},
    RegisterInfo{26, 6, "operation counter (COO), the receipt number", "Nr_Cupom"},
    RegisterInfo{28, 6, "general non-fiscal operation counter (GNF)",
                 "BuscaOpNFis, GravaDocumentosNaoFiscais"},
    RegisterInfo{30, 6, "fiscal receipt counter", "ContadorCupomFiscalMFD"},
    RegisterInfo{33, 6, "management-report counter", "GravaDocumentosNaoFiscais"},
    RegisterInfo{45, 4, "credit or debit voucher counter", "GravaDocumentosNaoFiscais"},
    RegisterInfo{53, 4, "count the receipt cancellation subtracts from the receipt number",
                 "Cancela_Cupom_Imp"},
    RegisterInfo{
        56, 1,
        "kind of open document: 1 fiscal, 2 non-fiscal, 3 linked voucher, 4 management report",
        "AbrePorta_FrameWork, management reports, vouchers"},
    RegisterInfo{70, 8, "date of the fiscal day, DDMMYYYY (010100: none)",
                 "DataMoviFiscal, Carrega_Dados_Impressora"},
    RegisterInfo{78, 20, "printer serial number", "Carrega_Dados_Impressora"},
    RegisterInfo{79, 7, "printer identity text", "Modelo_Impressora"},
    RegisterInfo{80, 20, "printer identity text", "Modelo_Impressora"},
    RegisterInfo{81, 20, "printer identity text", "Modelo_Impressora"},
    RegisterInfo{107, 3, "number of the ECF", "Carrega_Dados_Impressora"},
    RegisterInfo{140, 1164, "record of the last Z reduction", "DadosUltimaRedZ"},
    RegisterInfo{160, 13, "total of the open receipt, amount", "FechaCupom (closing note)"},
    RegisterInfo{161, 4, "items registered on the open receipt, cancelled ones included",
                 "VendaItem (after a lost reply)"},
    RegisterInfo{162, 1, "open receipt totalled: 1, else 0", "FechaCupom (repeated closing)"},
    RegisterInfo{163, 13, "amount paid on the open receipt", "FechaCupom, Cupom_NFiscNVinc"},
};

}  // namespace

std::span<const RegisterInfo> Registers() {
  return kRegisters;
}

int RegisterWidth(int number) {
  auto it = std::find_if(kRegisters.begin(), kRegisters.end(),
                         [number](const RegisterInfo& r) { return r.number == number; });
  if (it == kRegisters.end()) {
    throw std::out_of_range("register " + std::to_string(number) +
                            " is not in the package's register table");
  }
  return it->width;
}

std::string RegisterDescription(int number, std::string_view reply) {
  return DescribeReply("rRetornarInformacao_ECF_Daruma (" + std::to_string(number) + ")", reply);
}

RegisterReply ReadRegister(int number) {
  ReplyBuffer buffer(RegisterWidth(number));
  RegisterReply reply;
  reply.code = rRetornarInformacao_ECF_Daruma(std::to_string(number).c_str(), buffer.data());
  reply.text = buffer.Text();
  return reply;
}

std::optional<std::string> ReadRegisterText(int number) {
  const RegisterReply reply = ReadRegister(number);
  if (reply.code != 1) return std::nullopt;
  return Trim(reply.text);
}

std::optional<long long> ReadRegisterCount(int number) {
  const auto text = ReadRegisterText(number);
  return text ? DigitsValue(*text) : std::nullopt;
}

bool CounterMovedByOne(const std::optional<long long>& before, int number) {
  if (!before) return false;
  const auto after = ReadRegisterCount(number);
  return after && *after == *before + 1;
}

std::optional<long long> DigitsValue(const std::string& text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string ReadRegister(int number, const Judging& judging, bool* accepted) {
  RegisterReply reply = ReadRegister(number);
  const bool ok = Command(reply.code, RegisterDescription(number, reply.text), judging);
  if (accepted != nullptr) *accepted = ok;
  return std::move(reply.text);
}

}  // namespace Tov00300::driver
