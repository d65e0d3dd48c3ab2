// Atu_TotGeral: the grand-total control kept, scrambled, in "Brindal.cds".
#include <cmath>
#include <stdexcept>
#include <string>

#include "driver/closing_note.h"
#include "driver/dialogs.h"
#include "readings/control_file.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace Tov00300 {

std::string ControlFilePath() {
  return DsDirCad + "Brindal.cds";
}

std::string FallbackControlFilePath() {
  return DsDirCad + "mor" + stAtuCaixa + stAtuFili + ".cds";
}

namespace {

void Show(const std::string& text, const std::string& stEsquema) {
  driver::ShowMessage(stEsquema, text, {driver::kErrorDialog});
}

void ShowInvalidTotal(const std::string& stEsquema) {
  std::string text = DataModule().msgPadrao.Msg("ArqConfig_Inv4");
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, ControlFilePath());
  Show(text, stEsquema);
}

// Loads the control file into `cds`. The older name is read only when
// Brindal.cds does not exist: a Brindal.cds that exists but cannot be read is
// reported, not silently replaced by the other file's rows. Answers whether
// the older file is in use.
bool LoadControlFile(DataSet& cds) {
  const std::string path = ControlFilePath();
  if (platform::FileExists(path)) {
    try {
      cds.LoadFromFile(path);
    } catch (const std::exception& e) {
      throw std::runtime_error(Utf8ToCp1252("Arquivo de controle do totalizador geral ilegível: ") +
                               path + "\r" + e.what());
    }
    return false;
  }
  try {
    cds.LoadFromFile(FallbackControlFilePath());
  } catch (const std::exception& e) {
    throw std::runtime_error(
        Utf8ToCp1252("Arquivo de controle do totalizador geral não encontrado: ") + path + "\r" +
        e.what());
  }
  return true;
}

std::string Quoted(const std::string& value) {
  // A quote would end the literal early and change which rows the filter selects.
  if (value.find('\'') != std::string::npos) {
    throw std::invalid_argument(
        Utf8ToCp1252("Controle do totalizador geral: filial, caixa ou número de série inválido '") +
        value + "'");
  }
  return "'" + value + "'";
}

// Stores the scrambled total in the selected row and replaces the file whole:
// the new content goes to a temporary file that is renamed over the old one,
// so a crash leaves either file, never half of one.
void RecordTotal(DataSet& cds, const std::string& total) {
  const std::string scrambled = hostlib::Cripto(total, kScrambleKey);
  cds.Edit();
  Field field = cds.FieldByName("CAMPO02");
  field.SetAsString(scrambled);
  if (field.AsString() != scrambled) {
    // The field would cut the scrambled text and store a value that never
    // unscrambles to the total.
    cds.Cancel();
    throw std::runtime_error(Utf8ToCp1252("O campo CAMPO02 de ") + ControlFilePath() + " tem " +
                             std::to_string(field.Size()) +
                             Utf8ToCp1252(" caracteres; o totalizador geral precisa de ") +
                             std::to_string(scrambled.size()));
  }
  cds.Post();
  platform::AtomicReplaceFile(ControlFilePath(), DataSet::ToXml(cds.Data()));
  cds.Close();
}

// The recorded total is the text FloatToStr wrote in the settings of the till
// that recorded it, never grouped: a '.' in it is a decimal point whatever
// the settings are now.
double RecordedTotal(const std::string& text) {
  double value = 0;
  if (TryStrToFloat(text, value) || TryFixedToFloat(text, value)) return value;
  return StrToFloat(text);  // throws the conversion error
}

long long Cents(double value) {
  return std::llround(hostlib::RoundDec(value, 2) * 100);
}

}  // namespace

bool Atu_TotGeral(const Variant& bag) {
  TdtmDaruma300& dm = DataModule();
  const std::string stEsquema = hostlib::RecebeParams(bag, "ESQUEMACOR").AsString();
  const std::string validId = hostlib::RecebeParams(bag, "IDVALIDA").AsString();
  // Read for the callers' sake; the row is chosen with the exported globals.
  hostlib::RecebeParams(bag, "CDFILIAL").AsString();
  hostlib::RecebeParams(bag, "CDCAIXA").AsString();
  hostlib::RecebeParams(bag, "NRSERIEIMP").AsString();
  const bool validating = validId == "S";

  DataSet& cds = dm.cdsCheckECF;
  try {
    const bool olderFile = LoadControlFile(cds);
    cds.SetFiltered(false);
    std::string filter = "CDFILIAL = " + Quoted(stAtuFili) +
                         " AND CDCAIXA = " + Quoted(stAtuCaixa) +
                         " AND NRSERIEECF = " + Quoted(stSerieAtu);
    if (olderFile) filter += " AND IDSITECFIMPF = 'A'";
    cds.SetFilter(filter);
    cds.SetFiltered(true);

    // No row for this register is a register without grand-total control.
    if (cds.IsEmpty() || cds.FieldByName("CAMPO01").AsString() != "S") return true;

    const std::string recorded =
        hostlib::Uncripto(cds.FieldByName("CAMPO02").AsString(), kScrambleKey);
    std::string current;
    try {
      BuscaTotGer(stEsquema, current);
    } catch (const std::exception&) {
      // The printer did not give its total: nothing was recorded or
      // checked, and saying otherwise would hide a stale control file.
      cds.Close();
      Show(Utf8ToCp1252("O totalizador geral da impressora não pôde ser lido: o controle do "
                        "totalizador geral não foi ") +
               (validating ? Utf8ToCp1252("conferido.") : Utf8ToCp1252("atualizado.")),
           stEsquema);
      return false;
    }

    if (!validating) {
      RecordTotal(cds, current);
      driver::DropClosingNote();
      return true;
    }
    if (hostlib::EmptyString(recorded)) {
      cds.Close();
      ShowInvalidTotal(stEsquema);
      return false;
    }
    const long long recordedCents = Cents(RecordedTotal(recorded));
    // 10,10 is the value a fresh control row is given: the first check takes
    // the printer's total as the one to keep.
    if (recordedCents == 1010) {
      RecordTotal(cds, current);
      return true;
    }
    const long long currentCents = Cents(StrToFloat(current));
    if (recordedCents == currentCents) return true;
    bool cancelled = false;
    if (driver::ClosingExplains(recordedCents, currentCents, &cancelled)) {
      // The till stopped between a receipt's closing or cancellation and
      // the record of the total; the printer's records account for the
      // difference.
      ImpFisDebug(Utf8ToCp1252(cancelled
                                   ? "Totalizador geral atualizado pelo último cupom cancelado: "
                                   : "Totalizador geral atualizado pelo último cupom encerrado: ") +
                  recorded + " -> " + current);
      RecordTotal(cds, current);
      driver::DropClosingNote();
      return true;
    }
    cds.Close();
    ShowInvalidTotal(stEsquema);
    return false;
  } catch (const std::exception& e) {
    if (cds.Active()) cds.Close();
    Show(e.what(), stEsquema);
    // A check that could not run must not pass as a check that agreed.
    // Recording (the callers' "N") keeps answering true: they ignore it.
    return !validating;
  }
}

}  // namespace Tov00300
