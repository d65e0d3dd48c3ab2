// tov_create_control_row: the grand-total control row of a new till, as its
// installation writes it into Brindal.cds. The grand-total update reads and
// keeps the file (src/readings/grand_total.cpp); this only starts a row.
#include <string>

#include "exports_boundary.h"
#include "readings/control_file.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/tov00300_c.h"

using namespace Tov00300;
using namespace Tov00300::boundary;

namespace {

// The file's layout, as the host's installation makes it.
const DataPacket& FreshFile() {
  static const DataPacket packet = [] {
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::String, 3},      {"CDCAIXA", FieldType::String, 3},
                {"NRSERIEECF", FieldType::String, 20},   {"IDSITECFIMPF", FieldType::String, 1},
                {"CAMPO01", FieldType::String, 1},       {"CAMPO02", FieldType::String, 40},
                {"MD5ARQUIVOTXT", FieldType::String, 64}};
    return p;
  }();
  return packet;
}

// The total a fresh row holds: the first check takes the printer's total in
// its place. Written with a '.', which reads back under any settings.
constexpr char kResetTotal[] = "10.10";

void Set(DataSet& cds, const char* field, const std::string& value) {
  Field f = cds.FieldByName(field);
  if (static_cast<int>(value.size()) > f.Size()) {
    // The field would cut it, and the row would name another till or keep a
    // total that never unscrambles.
    throw Refusal(TOV_ERR_ARGUMENT, std::string(field) + " holds " + std::to_string(f.Size()) +
                                        " characters in " + ControlFilePath() + "; \"" +
                                        Cp1252ToUtf8(value) + "\" has " +
                                        std::to_string(value.size()));
  }
  f.SetAsString(value);
}

}  // namespace

extern "C" {

bool tov_create_control_row(const char* cdFilial, const char* cdCaixa, const char* nrSerieEcf,
                            const char* md5) {
  return Guard(__func__, false, [&] {
    const std::string branch = Required(cdFilial, "cdFilial"), till = Required(cdCaixa, "cdCaixa"),
                      serial = Required(nrSerieEcf, "nrSerieEcf"), digest = In(md5);
    if (branch.empty() || till.empty() || serial.empty()) {
      throw Refusal(TOV_ERR_ARGUMENT, "the branch, the till and the serial number must be given");
    }
    const std::string path = ControlFilePath();
    DataSet cds("cdsCheckECF");
    if (platform::FileExists(path)) {
      cds.LoadFromFile(path);
    } else {
      cds.SetData(FreshFile());
    }
    for (cds.First(); !cds.Eof(); cds.Next()) {
      if (cds.FieldByName("CDFILIAL").AsString() == branch &&
          cds.FieldByName("CDCAIXA").AsString() == till &&
          cds.FieldByName("NRSERIEECF").AsString() == serial) {
        throw Refusal(TOV_ERR_REFUSED, path + " already has the row of branch " + branch +
                                           ", till " + till + ", printer " + serial +
                                           ": its recorded total is kept");
      }
    }
    cds.Append();
    Set(cds, "CDFILIAL", branch);
    Set(cds, "CDCAIXA", till);
    Set(cds, "NRSERIEECF", serial);
    Set(cds, "IDSITECFIMPF", "A");
    Set(cds, "CAMPO01", "S");
    Set(cds, "CAMPO02", hostlib::Cripto(kResetTotal, kScrambleKey));
    if (!digest.empty()) Set(cds, "MD5ARQUIVOTXT", hostlib::Cripto(digest, kScrambleKey));
    cds.Post();
    // Written whole through a temporary file: a crash leaves the old file.
    platform::AtomicReplaceFile(path, DataSet::ToXml(cds.Data()));
    return true;
  });
}

}  // extern "C"
