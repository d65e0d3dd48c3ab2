// The contracts of the fiscal receipt and the non-fiscal documents: bag
// keys, the 61 positions of the closing and the fields of its data sets.
#include "contract_builders.h"

namespace ecfhost::contract {

namespace {

const std::vector<FieldRule> kMovementFields = {
    {"IDTIPOMOVIVE", kText,
     "kind of movement: \"E\" and \"T\" are paid on the printer, others skipped"},
    {"DTHRINCMOV", ValueKind::kDateTime,
     "when the movement was made; with NRORDTROCO, the order of the payments", "date-time"},
    {"CDTIPORECE", kText, "payment type, looked up in position 14"},
    {"VRMOVIVEND", kNumber, "amount paid; a card sale adds up the rows of one payment type",
     kMoney},
    {"NRORDTROCO", kText, "order of the payment on the receipt (sorted as text)"},
    {"CDBANCARTCR", kText, "card bank code; not empty: the row pays as its CDTIPORECEORIG"},
    {"CDTIPORECEORIG", kText, "the payment type a card payment stands for"}};
const std::vector<FieldRule> kPaymentTypeFields = {
    {"CDTIPORECE", kText, "payment type code"},
    {"NMTIPORECE", kText,
     "payment method as the printer knows it; its first 16 characters are sent"},
    {"IDTIPORECE", kText,
     "kind: \"8\" agreement (its footer), \"9\" and \"A\" paid from the consumer's account"}};
const std::vector<FieldRule> kBalanceFields = {
    {"CDFAMILISALD", kText, "family (balance group) code"},
    {"NMFAMILISALD", kText, "family name, printed in the footer's balance lines"},
    {"VRSALDCONFAM", kNumber, "the family's balance; 0 prints no line", kMoney}};
const std::vector<FieldRule> kFamilyFields = {
    {"CDFAMILISALD", kText, "family code, as in the consumer balances"},
    {"VRSALDCONFAM", kNumber, "amount taken off that family's balance line", kMoney}};
const std::vector<FieldRule> kLoanFields = {
    {"CDFAMILISALD", kText, "family code, as in the consumer balances"},
    {"IDTPMOVEXT", kText, "\"D\" debit (taken off the balance) or \"C\" credit (added)"},
    {"VRMOVEXTCONS", kNumber, "the movement's amount", kMoney}};

std::vector<PositionRule> ClosingPositions() {
  std::vector<PositionRule> p = {
      {0, kText, "not used", {}},
      {1, kText, "first line of the closing message", {}},
      {2, kText, "colour scheme", {}},
      {3, kAny, "not read", {}},
      {4, kBoolean, "print the contra-vale non-fiscal receipt after the closing", {}},
      {5, kBoolean, "show the printer's messages of subtotal, payments and closing", {}},
      {6, kNumber, "discount on the subtotal (money)", {}},
      {7, kNumber, "value of the contra-vale receipt", {}},
      {8, kNumber, "surcharge on the subtotal (money), when no discount", {}},
      {9, kText, "card-payment use kind, \"S\" or \"T\" (IDUTILTEF)", {}},
      {10, kText, "free message of the footer", {}},
      {11, kBoolean, "a card payment takes part (UTILTEF)", {}},
      {12, kText, "not used", {}},
      {13, kDataSet, "cash-movement rows; \"E\" and \"T\" rows are paid", kMovementFields},
      {14, kDataSet, "payment types", kPaymentTypeFields},
      {15, kText, "agreement code", {}},
      {16, kText, "agreement name", {}},
      {17, kText, "consumer code", {}},
      {18, kText, "consumer name", {}},
      {19, kText, "passed to the footer, unused", {}},
      {20, kText, "passed to the footer, unused", {}},
      {21, kText, "table (up to 4 characters) or order-pad number", {}},
      {22, kText, "operator code", {}},
      {23, kText, "operator name", {}},
      {24, kText, "not used", {}},
      {25, kText, "not used", {}},
      {26, kText, "not used", {}},
      {27, kText, "balance kind of the footer, \"0\" or \"1\"", {}},
      {28, kText, "COO of the table conference", {}},
      {29, kText, "CER of the table conference", {}},
      {30, kText, "not used", {}},
      {31, kText, "order password", {}},
      {32, kDataSet, "consumer balances", kBalanceFields},
      {33, kDataSet, "family balances", kFamilyFields},
      {34, kDataSet, "loan movements", kLoanFields},
      {35, kText, "not used", {}},
      {36, kText, "balance mode of the footer, \"1\" or \"2\"", {}},
      {37, kNumber, "consumer's balance", {}},
      {38, kNumber, "subsidised price", {}},
      {39, kText, "passed to the footer, unused", {}},
      {40, kText, "\"S\" appends the string list to the footer (card kind \"T\")", {}},
      {41, kText, "ECF number of the table conference", {}},
      {42, kText, "returned in result element 1", {}},
  };
  for (int i = 43; i <= 48; ++i) p.push_back({i, kText, "not used", {}});
  p.push_back({49, kAny, "not used (a data packet)", {}});
  p.push_back({50, kNumber, "not used", {}});
  p.push_back({51, kNumber, "approximate federal tax of the sale (money)", {}});
  p.push_back({52, kNumber, "loyalty points earned", {}});
  p.push_back({53, kAny, "not read", {}});
  p.push_back({54, kNumber, "extra loyalty points earned", {}});
  for (int i = 55; i <= 57; ++i) p.push_back({i, kAny, "not read", {}});
  p.push_back({58, kNumber, "approximate state tax of the sale (money)", {}});
  p.push_back({59, kAny, "not read", {}});
  p.push_back({60, kAny, "print the consumer's code and name (boolean; null counts as true)", {}});
  return p;
}

}  // namespace

std::vector<Contract> ReceiptContracts() {
  return {
      // ---- fiscal receipt
      {"AbreCupom",
       "opens a fiscal receipt; the bag comes back with its COO and CCF",
       true,
       {Bag("bag", {{"ESQUEMACOR", kText, false, "colour scheme"},
                    {"INTTEFERRO", kInteger, false, "returned; 1 after a repetition"},
                    {"INCLUICPF", kText, false, "consumer's CPF/CNPJ (blank: standard opening)"},
                    {"INCLUINOME", kText, false, "consumer's name"},
                    {"INCLUIENDERECO", kText, false, "consumer's address"},
                    {"CUPNR", kText, false, "out: the receipt's COO"},
                    {"CONTCUPOM", kText, false, "out: the receipt's CCF"},
                    {"IDUTILTEF", kText, false, "card-payment use kind \"S\"/\"T\""},
                    {"UTILTEF", kBoolean, false, "a card payment takes part"},
                    {"TIPOTICKET", kText, false, "read and not used"},
                    {"IVACOMP", kText, false, "read and not used"},
                    {"IVAPROP", kText, false, "read and not used"},
                    {"TIPODOC", kText, false, "read and not used"},
                    {"NRDOC", kText, false, "read and not used"},
                    {"MESA", kText, false, "read and not used"}})}},
      {"Nr_Cupom", "the printer's COO, or \"ERRO\"", true, {P("ignorado"), kScheme}},
      {"ContadorCupomFiscalMFD", "reads the CCF", true, {kScheme, P("contador", "out")}},
      {"NumeroCupom", "the value of stNrCupom", false, {}},
      {"VendaItem",
       "sells one item on the open receipt",
       true,
       {Bag(
           "bag",
           {{"CDALIQ", kText, true,
             "tax code: II exempt, FF substitution, NN no incidence, else taxed"},
            {"VRPERCALIQ", ValueKind::kNumberText, true,
             "tax rate of a taxed item, a number text (\"18\"; \"\" for II/FF/NN)", kPercent},
            {"QTDE", kNumber, true, "quantity sold, sent with three decimals", kQuantity},
            {"VALOR", kNumber, true, "unit price", kMoney},
            {"NMPROD", kText, true, "description (first 50 characters sent)"},
            {"CDARVPROD", kText, true, "product code"},
            {"DESCONT", kNumber, false, "item discount, cut to two decimals", kMoney},
            {"ACRESCIMO", kNumber, false, "item surcharge, sent when there is no discount", kMoney},
            {"UNIDADE", kText, false, "unit of measure (first two characters sent)"},
            {"ESQUEMACOR", kText, false, "colour scheme"},
            {"INTEFERRO", kInteger, false, "returned as INTTEFERRO"},
            {"IDUTILTEF", kText, false, "card-payment use kind \"S\"/\"T\""},
            {"UTILTEF", kBoolean, false, "a card payment takes part"},
            {"MESA", kAny, false, "read and not used"},
            {"FLAG", kAny, false, "read and not used"},
            {"IDALIQ", kAny, false, "read and not used"},
            {"TIPOTICKET", kAny, false, "read and not used"}})}},
      {"Cancela_ItGenerico",
       "cancels an item of the open receipt by number",
       true,
       {kScheme, P("nrItem", "item number; its first character is dropped (\"00012\")"),
        P("ignorado1"), P("ignorado2"), P("ignorado3"), P("ignorado4"), P("ignorado5"),
        P("ignorado6"), P("ignorado7"), P("ignorado8"), P("ignorado9")}},
      {"Cancela_UltimoItem", "cancels the last item sold", true, {kScheme}},
      {"Cancela_Cupom_Imp",
       "cancels the open receipt or the last one closed",
       true,
       {Positions("valores", {{0, kText, "colour scheme", {}},
                              {1, kBoolean, "show the message", {}},
                              {2, kAny, "passed on to the analysis", {}},
                              {4, kText, "CDFILIAL", {}},
                              {5, kText, "CDCAIXA", {}},
                              {6, kText, "NRSERIEIMP", {}}}),
        ResultArray("result", 0,
                    "out: an array (e.g. {\"size\": 1}); element 0 becomes the cancelled receipt's "
                    "number")}},
      {"Acrescimo_Imp", "reads the surcharge total", true, {kScheme, P("total", "out")}},
      {"Leitura_Totais_Imp", "does nothing", false, {P("reservado1"), P("reservado2")}},
      {"Formata_rodape",
       "composes a receipt's closing message",
       false,
       {P("inLimite"),
        P("stModoSaldo"),
        P("stLinha1"),
        P("stTributos"),
        P("stLinha3"),
        P("cdConvenio"),
        P("nmConvenio"),
        P("cdConsumidor"),
        P("nmConsumidor"),
        P("cdOperador"),
        P("nmOperador"),
        P("stMesa"),
        P("stSenha"),
        P("ignorado14"),
        P("ignorado15"),
        P("ignorado16"),
        P("stMensagem"),
        P("nrEcfConf"),
        P("nrCerConf"),
        P("nrCooConf"),
        P("stTipoSaldo"),
        P("stTipoRodape"),
        P("vrPagoConta"),
        P("vrPrecoSubsidio"),
        P("vrSaldoConsumidor"),
        ReadSet("cdsSaldos", kBalanceFields, true, "consumer balances"),
        ReadSet("cdsFamilias", kFamilyFields, true, "family balances"),
        ReadSet("cdsEmprestimos", kLoanFields, true, "loan movements"),
        P("boAnexaLista"),
        P("slLinhas"),
        P("stPontos"),
        P("stPontosExtras")}},
      {"FechaCupom",
       "totals, pays and closes the open receipt",
       true,
       {Positions("valores", ClosingPositions()), P("linhas", "extra footer lines"),
        ResultArray("result", 0,
                    "out: an array of 4 ({\"size\": 4}): 0 repetition flag, 1 position 42, "
                    "2 empty, 3 stMensagemTaa")}},
      {"Totaliza_NFiscal",
       "prints nothing",
       false,
       {P("ignorado1"), P("ignorado2")},
       "nothing: the result carries no information"},
      // ---- non-fiscal documents
      {"Cupom_NFiscNVinc",
       "prints a whole non-fiscal receipt",
       true,
       {kScheme, P("totalizador", "the printer's non-fiscal totalizer, by name"),
        P("valor", "amount text in the process decimal separator"),
        P("formaPagto", "payment method"), P("ignorado")}},
  };
}

}  // namespace ecfhost::contract
