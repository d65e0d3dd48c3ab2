// The printer's non-fiscal totalizers that the till's non-fiscal receipts
// name by index.
#include <array>
#include <string>
#include <vector>

#include "config/printer_lists.h"
#include "driver/command.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

constexpr int kTotalizerListWidth = 360;

struct Totalizer {
  const char* searchKey;        // catalogue key of the name searched in the printer's list
  const char* registrationKey;  // catalogue key of the name registered
};

// In the order of CarregaTotalizador's parameters.
constexpr std::array<Totalizer, 5> kTotalizers{{
    {"CV-EMITIDO", "CV-EMITIDO"},    // voucher issued
    {"VENDA-CONS", "VENDA-CONS"},    // consumer card sale
    {"Compra-Cred", "Compra-Cred"},  // personal credit purchase
    {"Canc-Cred", "Canc-Cred"},      // personal credit cancellation
    {"RELATORIO", "Relatorio"},      // reports
}};

// Missing totalizers are registered in this order (parameters 1, 3, 5, 2, 4).
constexpr std::array<int, 5> kRegistrationOrder{0, 2, 4, 1, 3};

// The entries of the printer's list. The printer keeps 15 characters of a
// name. A reply that already ends with ";" is not given a second one, and a
// blank reply holds no entry: an empty entry would take an index and shift
// every index handed out after it.
std::vector<std::string> TotalizerEntries(const std::string& reply) {
  std::string list = Trim(reply);
  if (list.empty()) return {};
  if (list.back() != ';') list += ';';
  return config::SplitEntries(list);
}

}  // namespace

void CarregaTotalizador(std::string& contraVale, std::string& vendaConsumidor,
                        std::string& compraCredito, std::string& cancelaCredito,
                        std::string& relatorio, const std::string& stEsquema, int /*inteiro*/,
                        DataSet& /*cdsIgnorado*/) {
  std::array<std::string*, 5> outputs{&contraVale, &vendaConsumidor, &compraCredito,
                                      &cancelaCredito, &relatorio};
  try {
    IdTotRelatorio.clear();

    const driver::Reply reply = driver::Query(kTotalizerListWidth, rLerCNF_ECF_Daruma);
    const int code = reply.code;
    const std::vector<std::string> entries = TotalizerEntries(reply.text);
    driver::Command(code, driver::DescribeReply("rLerCNF_ECF_Daruma", reply.text),
                    {stEsquema, false});

    for (int i = 0; i < 4; ++i) outputs[i]->clear();

    // Without the printer's list nothing is known and nothing is registered:
    // registering blindly could program a totalizer the printer already has.
    if (code == 1) {
      const TdtmDaruma300& dm = DataModule();
      std::array<std::string, 5> searched, registeredName;
      for (size_t i = 0; i < kTotalizers.size(); ++i) {
        searched[i] = Trim(Copy(dm.msgPadrao.Msg(kTotalizers[i].searchKey), 1, 15));
        registeredName[i] = dm.msgPadrao.Msg(kTotalizers[i].registrationKey);
      }

      int nextIndex = 1;
      for (const std::string& entry : entries) {
        const std::string name = Trim(entry);
        for (size_t i = 0; i < searched.size(); ++i) {
          if (name == searched[i]) *outputs[i] = config::TwoDigits(nextIndex);
        }
        ++nextIndex;
      }

      // A registered totalizer takes the next free index. One the printer
      // refuses gets no index, so that the host and VerificaTotalizador see
      // it missing instead of an index that names nothing (or another one).
      for (int i : kRegistrationOrder) {
        if (!Trim(*outputs[i]).empty()) continue;
        if (driver::Command(confCadastrarPadrao_ECF_Daruma("TNF", registeredName[i].c_str()),
                            driver::Describe("confCadastrarPadrao_ECF_Daruma (TNF)",
                                             {IntToStr(nextIndex), registeredName[i]}),
                            {stEsquema, false})) {
          *outputs[i] = config::TwoDigits(nextIndex);
          ++nextIndex;
        }
      }
    }
  } catch (const std::exception&) {
    // Loading the totalizers never interrupts the host's start of day; what
    // was found so far is handed back.
  }

  IdTotParcCV = contraVale;
  IdTotParcVCons = vendaConsumidor;
  IdTotCompCred = compraCredito;
  IdTotCancCred = cancelaCredito;
}

bool VerificaTotalizador() {
  return !Trim(IdTotCompCred).empty();
}

bool Nomeia_TotParcial(const std::string& /*texto1*/, const std::string& /*texto2*/,
                       const std::string& /*texto3*/, const std::string& /*texto4*/, bool /*flag1*/,
                       bool /*flag2*/) {
  // Nothing is named, so nothing is reported as done.
  return false;
}

void CarregaRelatorioGer(std::string& /*texto1*/, std::string& /*texto2*/, std::string& /*texto3*/,
                         std::string& /*texto4*/, std::string& /*texto5*/, std::string& /*texto6*/,
                         const std::string& /*texto*/, int /*inteiro*/) {}

}  // namespace Tov00300
