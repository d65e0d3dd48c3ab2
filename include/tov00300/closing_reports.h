// The cash desk's closing prints: the product sales report and the
// withdrawal receipt with its closing reports. Both print management reports
// and report printer failures through the return-code analysis. Host input
// they cannot print from (a data set without a field they read, an amount
// that is not a number) is reported to the operator (shown when boNUtilTaa,
// collected in stMensagemTaa) before anything is printed.
#ifndef TOV00300_CLOSING_REPORTS_H_
#define TOV00300_CLOSING_REPORTS_H_

#include <string>
#include <vector>

#include "tov00300/dataset.h"
#include "tov00300/datetime.h"
#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// The layout of the products data set (`produtos`, cdsProdVend): the first
// seven fields are read always, the last two for the grouped report only.
// The one definition of it: hosts, tests and benchmarks build their sets
// from it, and the host's contract describes it.
struct SoldProductField {
  const char* name;
  FieldType type;
  int size;  // width of a String field; 0 for the others
  bool groupedOnly;
  const char* meaning;
  const char* unit;  // what an amount counts; "" for a text
};
inline constexpr SoldProductField kSoldProductFields[] = {
    {"CDPRODIMPFIS", FieldType::String, 14, false,
     "product code on the printer; printed when not empty", ""},
    {"CDPRODUTO", FieldType::String, 14, false, "product code, printed when CDPRODIMPFIS is empty",
     ""},
    {"NMPRODUTO", FieldType::String, 40, false, "product name", ""},
    {"QTPRODVEND", FieldType::Float, 0, false, "quantity sold", "units of the product's measure"},
    {"VRTOTAL", FieldType::Float, 0, false, "value sold; summed into the sales of the closing",
     "R$"},
    {"VRACRE", FieldType::Float, 0, false, "surcharges", "R$"},
    {"VRDESC", FieldType::Float, 0, false, "discounts", "R$"},
    {"VRPEALIMPFIS", FieldType::Float, 0, true, "tax rate; 0 without a rate (grouped report)", "%"},
    {"IDTPIMPOSFIS", FieldType::String, 1, true,
     "tax situation: \"F\" substitution, \"N\" not levied, \"I\" exempt, other taxed "
     "(grouped report)",
     ""},
};

// kSoldProductFields as the fields of a data set (DataSet::CreateDataSet).
inline std::vector<FieldDef> SoldProductFieldDefs() {
  std::vector<FieldDef> defs;
  for (const SoldProductField& field : kSoldProductFields)
    defs.push_back({field.name, field.type, field.size});
  return defs;
}

// The products sold, as one management report. `produtos` is copied into
// cdsProdVend (fields CDPRODIMPFIS, CDPRODUTO, NMPRODUTO, QTPRODVEND,
// VRTOTAL, VRACRE, VRDESC, and for the grouped layout VRPEALIMPFIS and
// IDTPIMPOSFIS). `confirma`: "N" prints, "S" asks ConfRelProds first, any
// other value prints nothing. `agrupado` "S": grouped by tax situation and
// rate with a summary per rate (kept in cdsAliqProduto), and `nrCupom` and
// stRetorno receive the receipt number; otherwise the plain list. When
// `relatorio` is false on entry an open management report is closed first;
// it is true on return once printing was allowed. Sums are exact in decimal;
// an amount wider than its column is printed whole.
void Relatorio_Produto(const std::string& ignorado1, const std::string& ignorado2,
                       const std::string& ignorado3, const std::string& ignorado4,
                       const std::string& ignorado5, std::string& nrCupom, DataSet& produtos,
                       const std::string& confirma, const std::string& agrupado,
                       const std::string& stEsquema, bool& relatorio);

// The withdrawal receipt (two copies) and, at closing, the product report,
// the closing report (withdrawals against sales, "SOBRA" or "FALTA"), the
// operator's questions and the general closing report. Parameters by
// position as the host passes them; those named `ignorado` are not read.
// Returns true only when the operator chose to reopen the cash desk;
// `reducaoConfirmada` is true when the Z reduction was confirmed (the host
// then takes it). The data module keeps the copied tables after the call.
bool GeraReciboSangria(
    const std::string& ignorado1, const std::string& chaveRegistro, const std::string& produto3,
    const std::string& produto4, const std::string& ignorado5, int ignorado6, std::string& nrCupom,
    DataSet& movFecha, DataSet& sangria, DataSet& produtos, DataSet& operadorSup, DataSet& movTot,
    DataSet& movAbertura, DataSet& produtosGeral, DataSet& cargaCredito, DateTime ignorado16,
    bool imprimeSangria, bool permiteReducao, bool ignorado19, DataSet& ignorado20,
    DataSet& ignorado21, DataSet& ignorado22, DataSet& ignorado23, bool& reducaoConfirmada,
    DataSet& tiposRece, const std::string& confirmaProdutos, const std::string& agrupaProdutos,
    const std::string& leituraX, const std::string& envelope, const std::string& stEsquema,
    bool somenteSangria, bool caixaTratado, bool reducaoLiberada, const std::string& motivo,
    const std::string& observacao);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_CLOSING_REPORTS_H_
