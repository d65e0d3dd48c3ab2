// The contracts of the cash closing prints and the table-service prints.
#include "contract_builders.h"
#include "tov00300/closing_reports.h"

namespace ecfhost::contract {

namespace {

// The products data set, as the package defines it.
std::vector<FieldRule> SoldProductRules() {
  std::vector<FieldRule> rules;
  for (const Tov00300::SoldProductField& f : Tov00300::kSoldProductFields) {
    rules.push_back({f.name, f.type == Tov00300::FieldType::String ? kText : kNumber, f.meaning,
                     f.unit, f.groupedOnly});
  }
  return rules;
}
// The movements of the closing reports, by record type.
const std::vector<FieldRule> kMovementTotalFields = {
    {"IDTIPOREG", kText,
     "\"1\", \"5\" a withdrawal line (summed); \"2\" vouchers issued; \"3\" supply; \"4\" "
     "vouchers received; others ignored",
     "", true},
    {"NMTIPORECE", kText, "payment method printed on a withdrawal line", "", true},
    {"VRSAIDA", kNumber, "the movement's amount", kMoney, true}};

}  // namespace

std::vector<Contract> ClosingContracts() {
  return {
      // ---- cash closing
      {"Relatorio_Produto",
       "prints the report of the products sold",
       true,
       {P("ignorado1"), P("ignorado2"), P("ignorado3"), P("ignorado4"), P("ignorado5"),
        P("nrCupom", "out: the report's receipt number"),
        RowsSet("produtos", SoldProductRules(),
                "products sold; with agrupado \"S\" also VRPEALIMPFIS, IDTPIMPOSFIS"),
        P("confirma", "\"S\" asks the operator first, \"N\" does not; else nothing is printed"),
        P("agrupado", "\"S\" groups the products by tax"), kScheme,
        P("relatorio", "in/out: whether the report was allowed to print")}},
      {"GeraReciboSangria",
       "prints the withdrawal receipts, the closing reports and the product report",
       true,
       {P("ignorado1"),
        P("chaveRegistro", "key the documents are recorded under"),
        P("produto3", "passed to the product report"),
        P("produto4", "passed to the product report"),
        P("ignorado5"),
        P("ignorado6"),
        P("nrCupom", "out: the receipt number of the last document"),
        ReadSet(
            "movFecha",
            {{"NRENVELOPE", kText, "envelope number, printed as stored", "", true},
             {"NMTIPORECE", kText, "payment method of the amount", "", true},
             {"VRFECHAINF", kNumber, "amount counted, printed on a closing", kMoney, true},
             {"VRFECHADIG", kNumber, "amount counted, printed on a withdrawal only", kMoney, true}},
            true,
            "closing amounts per payment method; read when printing the receipts and the "
            "till is not yet handled"),
        P("sangria", "data set, kept"),
        RowsSet("produtos", SoldProductRules(), "products sold by the till"),
        ReadSet("operadorSup",
                {{"CDSUPERVISOR", kText, "supervisor code, signs copy 1", "", true},
                 {"NMSUPERVISOR", kText, "supervisor name", "", true},
                 {"CDOPERADOR", kText, "operator code, signs copy 2", "", true},
                 {"NMOPERADOR", kText, "operator name", "", true}},
                true, "operator and supervisor (first record); read when printing the receipts"),
        ReadSet("movTot", kMovementTotalFields, true,
                "movement totals of the general closing report; read unless somenteSangria"),
        ReadSet("movAbertura", kMovementTotalFields, true,
                "opening movements of the closing report"),
        ReadSet("produtosGeral",
                {{"VRTOTAL", kNumber, "value sold; summed into the general report's sales", kMoney,
                  true}},
                true, "products sold for the general closing report"),
        RowsSet("cargaCredito",
                {{"VRCARGACREDITO", kNumber,
                  "credit purchases (current record), taken off the "
                  "closing's difference",
                  kMoney}},
                "credit purchases"),
        P("ignorado16"),
        P("imprimeSangria", "print the withdrawal receipts and the closing report"),
        P("permiteReducao", "the Z reduction may follow"),
        P("ignorado19"),
        P("ignorado20"),
        P("ignorado21"),
        P("ignorado22"),
        P("ignorado23"),
        P("reducaoConfirmada", "out: the operator confirmed the closing"),
        P("tiposRece", "data set, kept"),
        P("confirmaProdutos", "the product report's `confirma`"),
        P("agrupaProdutos", "\"S\" groups the product report by tax"),
        P("leituraX", "\"S\" prints the X reading first"),
        P("envelope", "\"S\" prints the envelope column"),
        kScheme,
        P("somenteSangria", "only the withdrawal receipts"),
        P("caixaTratado", "the till was already handled: no questions"),
        P("reducaoLiberada", "the Z reduction is released"),
        P("motivo", "reason printed on the receipts"),
        P("observacao", "remark printed on the receipts")},
       "the cash desk is not reopened: the operator answered no to \"Deseja abrir o caixa?\", or "
       "was not asked (withdrawal only, or the till already handled)"},
      // ---- table service
      {"Abertura_Mesa",
       "prints a table's opening",
       true,
       {P("ignorado1"), kScheme, P("ignorado3"), P("mesa", "table number"), P("ignorado5"),
        P("emissao", "issue text"),
        RowsSet("itens",
                {{"CDARVPROD", kText, "product code"},
                 {"NMPRODUTO", kText, "product name"},
                 {"QTPRODCOMVEN", kNumber, "quantity", kQuantity},
                 {"VRPRECCOMVEN", kNumber, "unit price", kMoney}},
                "data packet: the table's items"),
        P("desconto"), P("ignorado9"), P("ignorado10"), P("taxaServico", "service charge"),
        P("ignorado12"), P("total"), P("acrescimo")}},
      {"RegistroVenda",
       "prints the record of a sale",
       true,
       {P("ignorado1"), P("ignorado2"), kScheme,
        RowsSet("itens",
                {{"CDPROD", kText, "product code"},
                 {"NMPROD", kText, "product name"},
                 {"STQTDE", kNumber, "quantity", kQuantity},
                 {"STVALOR", kNumber, "unit price; the line total is STQTDE x STVALOR", kMoney}},
                "the items sold"),
        P("numero")}},
      {"ImprimeMesasAbertas",
       "prints the open tables, tabs and deliveries",
       true,
       {P("ignorado1", "data set, not used"), P("ignorado2"), P("ignorado3"), kScheme,
        P("ignorado5"),
        RowsSet("mesas",
                {{"DSCOMANDA", kText,
                  "tab; its prefix gives the section: \"RES\"/\"PKR\" tables, \"DLV\" delivery, "
                  "other tabs"},
                 {"NRMESA", kText, "table number, printed in the tables section"},
                 {"DTHRABERMESA", ValueKind::kDateTime, "when it was opened, printed as text",
                  "date-time"}},
                "data packet: the open tables")}},
      {"imprimeProdutosTransf",
       "prints the products moved between tables",
       true,
       {P("ignorado1"), P("ignorado2"), kScheme,
        RowsSet("produtos",
                {{"NRMESA", kText, "destination table"},
                 {"NRMESADSCOMORIT", kText, "origin table or tab"},
                 {"CDPRODUTO", kText, "product code"},
                 {"NMPRODUTO", kText, "product name"},
                 {"QTPRODCOMVEN", kNumber, "quantity moved", kQuantity},
                 {"VRPRECCOMVEN", kNumber, "unit price", kMoney}},
                "data packet: the products moved")}},
      {"imprimeTipoRece",
       "prints a text as a management report and records it",
       true,
       {P("ignorado1"), P("ignorado2"), kScheme, P("chaveRegistro", "key it is recorded under"),
        P("texto")}},
      {"ImprimeProdBloq",
       "prints the blocked products",
       true,
       {P("ignorado1"), P("ignorado2"), kScheme,
        RowsSet("produtos",
                {{"NMFILIAL", kText, "branch name (current record), the heading"},
                 {"CDLOJA", kText, "shop code (current record)"},
                 {"CDPRODUTO", kText, "product code"},
                 {"CDPROTECLADO", kText, "the product's keyboard code"},
                 {"NMPRODUTO", kText, "product name"}},
                "the blocked products")}},
  };
}

}  // namespace ecfhost::contract
