// ImprimeDadosPaf: the point-of-sale program's identification, printed as a
// management report.
#include <exception>
#include <string>

#include "driver/dialogs.h"
#include "readings/control_file.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {
namespace {

std::string Text(const char* utf8) {
  return Utf8ToCp1252(utf8);
}

std::string Rule() {
  return std::string(48, '-');
}

// The identification table's fields are kept scrambled by the host.
std::string Clear(DataSet& table, const char* field) {
  return hostlib::Uncripto(table.FieldByName(field).AsString(), kScrambleKey);
}

std::string IdentificationText(TdtmDaruma300& dm) {
  DataSet& id = dm.cdsDadosPaf;
  DataSet& digests = dm.cdsArquivosQirMd5;
  // The data-set library opens files itself, so the path is made native here.
  const std::string digestFile =
      platform::NativePath(DsDirCad + "Dados\\Cadastros\\ArquivosQirMd5.cds");
  const bool haveDigests = platform::FileExists(digestFile);
  // The digest table outlives the call in the data module: without the file,
  // an earlier call's digests must not be printed as this program's.
  if (!haveDigests) digests.Close();

  std::string t = "          " + Text("Identificação do Paf-Ecf") + "\n\n";
  t += Text("Data Emissão: ") + FormatDateTime("dd/mm/yyyy hh:nn:ss", DateTime::Now()) + "\n\n\n";
  t += "Nr do Laudo:  " + Clear(id, "NRLAUDO") + "\n\n";
  t += Text("Identificação da Empresa: ") + "\n";
  t += "CNPJ         : " + Clear(id, "NRCNPJMORVANE") + "\n";
  t += Text("Razão Social : ") + Clear(id, "DSRAZAOSOCIMOR") + "\n";
  t += Text("Endereço     : ") + Clear(id, "DSENDEMORVANE") + "\n";
  t += "Telefone     : " + Clear(id, "DSTELEFONEMOR") + "\n";
  t += Text("Resp.Técnico: ") + Clear(id, "NMRESPONSIST") + "\n\n";
  t += Text("Identificação PAF-ECF: ") + "\n";
  t += "Nome Comercial: " + Clear(id, "DSNOMECOMERCIAL") + "\n";
  t += Text("Versão        : ") + Clear(id, "DSVERSAOBRINDAL") + "\n\n";
  if (haveDigests) {
    digests.LoadFromFile(digestFile);
    digests.First();
  }
  t += "Principal Exe : " + Clear(id, "NMEXEBRINDAL") + "\n";
  t += "MD5           : " + digests.FieldByName("NUMEROMD5").AsString() + "\n\n";
  if (platform::FileExists(ControlFilePath())) {
    digests.LoadFromFile(ControlFilePath());
    digests.First();
    t += "Arquivo Texto : ARQUIVOSQIRMD5.TXT\n";
    t += "MD-5          : " + Clear(digests, "MD5ARQUIVOTXT") + "\n\n";
  }
  if (haveDigests) {
    digests.LoadFromFile(digestFile);
    digests.First();
    t += Text("Relação de Arquivos") + "\n" + Rule() + "\n\n";
    for (; !digests.Eof(); digests.Next()) {
      t += "Arquivo: " + digests.FieldByName("DSARQUIVO").AsString() + "\n";
      t += "MD5    : " + digests.FieldByName("NUMEROMD5").AsString() + "\n\n";
    }
  }
  t += "Versao ER PAF-ECF: 02.06\n\n";
  DataSet& printers = dm.cdsBuscaNrSerieEcf;
  if (!printers.IsEmpty()) {
    t += Text("Relação de Ecf") + "'" + "s\n" + Rule() + "\n\n";
    for (printers.First(); !printers.Eof(); printers.Next())
      t += printers.FieldByName("NRSERIEIMPRPERS").AsString() + "\n";
  }
  return t;
}

}  // namespace

void ImprimeDadosPaf(const VariantArray& valores, Variant& /*resultado*/) {
  std::string scheme;
  try {
    scheme = valores.at(2).AsString();
    TdtmDaruma300& dm = DataModule();
    dm.cdsDadosPaf.SetData(valores.at(3).AsDataPacket());
    dm.cdsBuscaNrSerieEcf.SetData(valores.at(4).AsDataPacket());
    dm.cdsDadosPaf.First();
    const std::string text = IdentificationText(dm);
    RG_FrameWork(scheme, text);
  } catch (const std::exception& e) {
    driver::ShowMessage(scheme, e.what(), {driver::kErrorDialog});
  }
}

}  // namespace Tov00300
