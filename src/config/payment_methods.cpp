// The printer's payment methods, synchronised with the host's payment types.
#include <optional>
#include <string>
#include <vector>

#include "config/printer_lists.h"
#include "driver/command.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

using config::FieldText;
using config::FindEntry;

// The list is small at the start of the run; after a registration the
// printer is read with the room its full table may need.
constexpr int kFirstReadWidth = 330;
constexpr int kReadWidthAfterRegistration = 3016;

struct ListRead {
  bool answered = false;  // the driver answered the read (code 1)
  bool judged = false;    // the return analysis of the read
};

// Reads the printer's payment-method list into `list` (trimmed, ended by
// ";"). An unanswered read leaves the previous list in place: a blank list
// would make every known method look missing.
ListRead ReadPaymentMethods(const std::string& stEsquema, int width, std::string& list,
                            std::vector<std::string>& entries) {
  const driver::Reply reply = driver::Query(width, rLerMeiosPagto_ECF_Daruma);
  const int code = reply.code;
  const std::string fresh = Trim(reply.text) + ";";
  ListRead listRead;
  listRead.judged = driver::Command(code, driver::DescribeReply("rLerMeiosPagto_ECF_Daruma", fresh),
                                    {stEsquema, false});
  listRead.answered = code == 1;
  if (listRead.answered) {
    list = fresh;
    entries = config::SplitEntries(list);
  }
  return listRead;
}

bool RegisteredThisRun(const std::vector<std::string>& registered, const std::string& name) {
  return FindEntry(registered, name, true).has_value();
}

// An earlier type of the working copy with the same fiscal description and a
// code already set: the type being visited takes that code.
std::optional<std::string> DonorCode(DataSet& workingCopy, const std::string& description) {
  for (workingCopy.First(); !workingCopy.Eof(); workingCopy.Next()) {
    const std::string code = FieldText(workingCopy, "CDFPIMPFIS");
    if (Trim(code).empty()) continue;
    if (SameText(FieldText(workingCopy, "DSIMPFISCAL"), description)) return code;
  }
  return std::nullopt;
}

void UpdateWorkingCopy(DataSet& workingCopy, const std::string& typeCode, const std::string* name,
                       const std::string& issuesVoucher) {
  if (!workingCopy.Locate("CDTIPORECE", Variant(typeCode), {true, false})) return;
  workingCopy.Edit();
  if (name != nullptr) workingCopy.FieldByName("NMTIPORECE").SetAsString(*name);
  // The working copy records no code: a later type with the same fiscal
  // description then finds no donor and is matched as a method of its own
  // (code "S" in the host's row, and a kind "B" type leaves the screen).
  workingCopy.FieldByName("CDFPIMPFIS").SetAsString("");
  workingCopy.FieldByName("IDEMIVALE").SetAsString(issuesVoucher);
  workingCopy.Post();
}

// The consumer-account operations pay with two special methods: personal
// credit (kind "9") and consumer card (kind "A"). Their globals keep earlier
// values until a method of the same kind is found.
void KeepSpecialMethods(DataSet& types, const std::vector<std::string>& entries,
                        const std::string& n16) {
  const std::string kind = FieldText(types, "IDTIPORECE");
  if (kind == "9") {
    if (auto entry = FindEntry(entries, n16, true)) {
      CdFormPagCPess = FieldText(types, "CDTIPORECE");
      IdFormPagCPess = FieldText(types, "CDFPIMPFIS");
      DsFormPagCPess = TrimLeft(*entry);
    }
  } else if (kind == "A") {
    const std::string name16 = Copy(FieldText(types, "NMTIPORECE"), 1, 16);
    if (auto entry = FindEntry(entries, name16, true)) {
      CdFormPagVCons = FieldText(types, "CDTIPORECE");
      // The printer's name for the fiscal description; when the printer does
      // not list that one, the method found by the type's name.
      auto byDescription = FindEntry(entries, n16, true);
      DsFormPagVCons = TrimLeft(byDescription ? *byDescription : *entry);
    }
  }
}

bool Synchronisable(DataSet& types) {
  const std::string shown = Trim(FieldText(types, "IDMOSTRARECE"));
  return shown.empty() || shown == "S";
}

}  // namespace

void CarregaRecebimento(const std::string& /*texto*/, const std::string& stEsquema, int /*inteiro*/,
                        DataSet& cdsTipoRece) {
  try {
    DataSet& workingCopy = DataModule().cdsReceb;
    workingCopy.SetData(cdsTipoRece.Data());
    cdsTipoRece.SetFilter("IDTPBUTTON = '5'");
    cdsTipoRece.SetFiltered(true);
    cdsTipoRece.First();

    std::string list;
    std::vector<std::string> entries;
    // Without the printer's list nothing can be compared: the host's types
    // stay as they are and nothing is registered.
    if (!ReadPaymentMethods(stEsquema, kFirstReadWidth, list, entries).answered) return;

    std::vector<std::string> registered;  // names registered during this run
    while (!cdsTipoRece.Eof()) {
      const std::string typeCode = FieldText(cdsTipoRece, "CDTIPORECE");
      const std::string description = FieldText(cdsTipoRece, "DSIMPFISCAL");
      const std::string n16 = Copy(description, 1, 16);
      const std::string issuesVoucher = FieldText(cdsTipoRece, "IDTIPORECE") == "4" ? "N" : "S";

      if (Synchronisable(cdsTipoRece)) {
        if (!RegisteredThisRun(registered, n16) && !FindEntry(entries, n16, true)) {
          bool accepted = false;
          // A type without a fiscal description cannot name a printer method;
          // it is dropped like a method the printer refuses.
          if (!Trim(n16).empty()) {
            driver::Command(confCadastrarPadrao_ECF_Daruma("FPGTO", n16.c_str()),
                            driver::Describe("confCadastrarPadrao_ECF_Daruma (FPGTO)", {n16 + "1"}),
                            {stEsquema, false});
            const ListRead reread =
                ReadPaymentMethods(stEsquema, kReadWidthAfterRegistration, list, entries);
            accepted =
                reread.answered && reread.judged && FindEntry(entries, n16, false).has_value();
          }
          if (accepted) {
            registered.push_back(n16);
            cdsTipoRece.Edit();
            cdsTipoRece.FieldByName("CDFPIMPFIS").SetAsString("S");
            cdsTipoRece.FieldByName("IDEMIVALE").SetAsString(issuesVoucher);
            cdsTipoRece.Post();
            UpdateWorkingCopy(workingCopy, typeCode, nullptr, issuesVoucher);
          } else {
            // The printer does not list the method: the type is removed for
            // this session and its successor becomes current.
            const bool wasLast = cdsTipoRece.RecNo() >= cdsTipoRece.RecordCount();
            cdsTipoRece.Delete();
            if (wasLast) break;
            continue;
          }
        } else {
          auto entry = FindEntry(entries, n16, true);
          const std::string printerName = TrimRight(TrimLeft(entry ? *entry : n16));
          auto donor = DonorCode(workingCopy, description);
          cdsTipoRece.Edit();
          cdsTipoRece.FieldByName("NMTIPORECE").SetAsString(printerName);
          cdsTipoRece.FieldByName("CDFPIMPFIS").SetAsString(donor ? *donor : "S");
          cdsTipoRece.FieldByName("IDEMIVALE").SetAsString(issuesVoucher);
          if (!donor && FieldText(cdsTipoRece, "IDTIPORECE") == "B") {
            cdsTipoRece.FieldByName("IDMOSTRARECE").SetAsString("N");
          }
          cdsTipoRece.Post();
          if (!donor) UpdateWorkingCopy(workingCopy, typeCode, &printerName, issuesVoucher);
        }
      }

      KeepSpecialMethods(cdsTipoRece, entries, n16);
      cdsTipoRece.Next();
    }

    // Management reports are paid under a method of their own name.
    const std::string g = Copy(DataModule().msgPadrao.Msg("RelGerencial"), 1, 16);
    if (!Trim(g).empty() && !FindEntry(entries, g, true)) {
      driver::Command(confCadastrarPadrao_ECF_Daruma("FPGTO", g.c_str()),
                      "confCadastrarPadrao_ECF_Daruma (FPGTO : " + g, {stEsquema, false});
    }
  } catch (const DataSetError& e) {
    ImpFisDebug(std::string("CarregaRecebimento : ") + e.what());
  } catch (const ConversionError& e) {
    ImpFisDebug(std::string("CarregaRecebimento : ") + e.what());
  }
}

bool Config_FormaPg(const std::string& stEsquema, const std::string& nome, bool boMostraMsg,
                    bool boReservado) {
  const std::string n16 = Copy(nome, 1, 16);
  return driver::Command(confCadastrarPadrao_ECF_Daruma("FPGTO", n16.c_str()),
                         driver::Describe("confCadastrarPadrao_ECF_Daruma (FPGTO)", {n16}),
                         {stEsquema, boMostraMsg, boReservado});
}

}  // namespace Tov00300
