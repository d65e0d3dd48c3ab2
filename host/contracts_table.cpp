// The contract of every operation a till script calls most: parameter names,
// bag keys, positions and data-set fields, as the operations read them.
// Operations added to the dispatcher later get their entry here.
#include <algorithm>

#include "contracts.h"

namespace ecfhost {

namespace {

constexpr ValueKind kText = ValueKind::kText;
constexpr ValueKind kInteger = ValueKind::kInteger;
constexpr ValueKind kNumber = ValueKind::kNumber;
constexpr ValueKind kBoolean = ValueKind::kBoolean;
constexpr ValueKind kDataSet = ValueKind::kDataSet;
constexpr ValueKind kAny = ValueKind::kAny;

ParameterRule P(std::string name, std::string meaning = "") {
  ParameterRule p;
  p.name = std::move(name);
  p.meaning = std::move(meaning);
  return p;
}

ParameterRule Bag(std::string name, std::vector<KeyRule> keys) {
  ParameterRule p = P(std::move(name), "parameter bag");
  p.keys = std::move(keys);
  return p;
}

ParameterRule Positions(std::string name, std::vector<PositionRule> positions) {
  ParameterRule p = P(std::move(name), "positional array");
  p.positions = std::move(positions);
  return p;
}

ParameterRule ResultArray(std::string name, int size, std::string meaning) {
  ParameterRule p = P(std::move(name), std::move(meaning));
  p.minimumSize = size;
  return p;
}

ParameterRule ReadSet(std::string name, std::vector<FieldRule> fields, bool optional,
                      std::string meaning) {
  ParameterRule p = P(std::move(name), std::move(meaning));
  p.fields = std::move(fields);
  p.fieldsOptional = optional;
  return p;
}

const ParameterRule kScheme = P("stEsquema", "colour scheme of the operator's messages");

// The five texts the port opening reads from the start bag.
std::vector<KeyRule> PortKeys(bool required) {
  return {{"CDFILIAL", kText, required, "branch code"},
          {"CDCAIXA", kText, required, "till code"},
          {"NRSERIEIMP", kText, required, "printer serial number the host expects"},
          {"ESQUEMA", kText, required, "colour scheme"},
          {"CDPORTAIMPFIS", kText, required, "serial port, e.g. COM1"}};
}

const std::vector<FieldRule> kMovementFields = {
    {"IDTIPOMOVIVE", kText},  {"DTHRINCMOV", ValueKind::kDateTime},
    {"CDTIPORECE", kText},    {"VRMOVIVEND", kNumber},
    {"NRORDTROCO", kText},    {"CDBANCARTCR", kText},
    {"CDTIPORECEORIG", kText}};
const std::vector<FieldRule> kPaymentTypeFields = {
    {"CDTIPORECE", kText}, {"NMTIPORECE", kText}, {"IDTIPORECE", kText}};
const std::vector<FieldRule> kBalanceFields = {
    {"CDFAMILISALD", kText}, {"NMFAMILISALD", kText}, {"VRSALDCONFAM", kNumber}};
const std::vector<FieldRule> kFamilyFields = {{"CDFAMILISALD", kText}, {"VRSALDCONFAM", kNumber}};
const std::vector<FieldRule> kLoanFields = {
    {"CDFAMILISALD", kText}, {"IDTPMOVEXT", kText}, {"VRMOVEXTCONS", kNumber}};

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

// A register query answering into one out text.
Contract Query(std::string op, std::string out, std::string summary) {
  return {std::move(op), std::move(summary), true, {kScheme, P(std::move(out), "out: the value")}};
}

std::vector<Contract> MakeContracts() {
  std::vector<Contract> c = {
      // ---- package frame
      {"ImpFisDebug", "appends one entry to the debug log", false, {P("texto")}},
      {"BuscaDiretorio", "the driver folder kept in the registry", false, {}},
      {"StrToPChar", "the text as a C string", false, {P("texto")}},
      {"Initialize", "the package's load step", false, {}},
      {"Finalize", "the package's unload step", false, {}},
      // ---- session
      {"StartImpFiscal",
       "starts the session: binds the driver and opens the port",
       false,
       {Bag("bag",
            [] {
              auto keys = PortKeys(true);
              keys.push_back({"IDTIPOIMPFIS", kInteger, true, "printer type (29)"});
              keys.push_back({"BOUTILTAA", kBoolean, true, "self-service terminal (no dialogs)"});
              return keys;
            }())}},
      {"StopImpFiscal", "unbinds the driver entry points", false, {}},
      {"AbrePorta",
       "opens the port and runs the start-of-day checks",
       true,
       {Bag("bag", PortKeys(true))}},
      {"AbrePorta_FrameWork",
       "opens the port and runs the start-of-day checks",
       true,
       {Bag("bag", PortKeys(true))}},
      {"FechaPorta", "closes the port", true, {}},
      {"ImpressoraOk",
       "the status of the printer's last command",
       true,
       {kScheme, P("boReservado1"), P("boReservado2"), P("boReservado3")}},
      {"VerificaData",
       "compares the printer's clock with the computer's",
       true,
       {kScheme, P("dtData", "out: the movement date"),
        P("stDataHoraImp", "in/out: printer date-time DDMMYYHHMMSS"),
        P("stDataMov", "movement date DDMMYY"), P("boLeRelogio", "read the printer clock first")}},
      {"Data_Imp",
       "reads the printer's clock",
       true,
       {kScheme, P("stDataHora", "out: DDMMYYHHMMSS")}},
      {"DataMoviFiscal", "the printer's fiscal day", true, {kScheme}},
      {"Estado_HorVerao", "whether daylight saving is on in the printer", true, {kScheme}},
      {"Muda_Horario", "switches the printer's daylight saving", true, {kScheme}},
      {"Carrega_Dados_Impressora",
       "replaces the bag by the printer's clock, ECF number, serial and fiscal day",
       true,
       {Bag("bag", {{"ESQUEMA", kText, false, "colour scheme"},
                    {"DATAATUIMP", kText, false, "out: printer clock"},
                    {"ECFIMP", kText, false, "out: ECF number"},
                    {"REDIMP", kText, false, "returned unchanged"},
                    {"SERIEIMP", kText, false, "out: serial number"},
                    {"DATAIMP", kText, false, "out: fiscal day DDMMYY"}})}},
      // ---- driver binding and return analysis
      {"StartImpFiscal_FrameWork", "binds the driver library's entry points", false, {}},
      {"LastBindingError", "why the last binding failed", false, {}},
      {"AnalisaRetorno_FrameWork",
       "judges a driver return code and reports it",
       true,
       {kScheme, P("inCodRetorno"), P("boMostraMsg"), P("boReservado"), P("boAvisoUm")}},
      {"Estado_Imp",
       "judges the stored inRetorno",
       true,
       {kScheme, P("boReservado1"), P("boReservado2")}},
      {"AnalisaRetorno",
       "return analysis of the older driver interface",
       false,
       {kScheme, P("code"), P("show"), P("cancelOpenReceipt"), P("showLowPaper")}},
      {"ComparaData_Hora",
       "compares the clocks (data-module method)",
       true,
       {kScheme, P("mostra")}},
      // ---- configuration tables
      {"CarregaAliquota",
       "reads the printer's tax rates into the data set",
       true,
       {kScheme, P("cdsAliquotas", "out: data set CDALIQIMPFIS, VRALIQIMPFIS, IDALIQIMPFIS")}},
      {"Retorno_Aliquotas_Imp", "reads the raw tax-rate list into stRetorno", true, {kScheme}},
      {"CarregaRecebimento",
       "synchronises the host's payment types with the printer's methods",
       true,
       {P("texto", "not used"), kScheme, P("inteiro", "not used"),
        ReadSet("cdsTipoRece",
                {{"CDTIPORECE", kText},
                 {"NMTIPORECE", kText},
                 {"IDTIPORECE", kText},
                 {"DSIMPFISCAL", kText},
                 {"CDFPIMPFIS", kText},
                 {"IDEMIVALE", kText},
                 {"IDMOSTRARECE", kText},
                 {"IDTPBUTTON", kText}},
                false, "in/out: the host's payment types")}},
      {"Config_FormaPg",
       "registers one payment method",
       true,
       {kScheme, P("nome"), P("boMostraMsg"), P("boReservado")}},
      {"CarregaTotalizador",
       "finds or registers the five non-fiscal totalizers",
       true,
       {P("contraVale", "out"), P("vendaConsumidor", "out"), P("compraCredito", "out"),
        P("cancelaCredito", "out"), P("relatorio", "in/out"), kScheme, P("inteiro", "not used"),
        P("cdsIgnorado", "not used")}},
      {"VerificaTotalizador", "whether the credit-purchase totalizer is known", false, {}},
      {"Nomeia_TotParcial",
       "does nothing",
       false,
       {P("texto1"), P("texto2"), P("texto3"), P("texto4"), P("flag1"), P("flag2")}},
      {"CarregaRelatorioGer",
       "does nothing",
       false,
       {P("texto1"), P("texto2"), P("texto3"), P("texto4"), P("texto5"), P("texto6"), P("texto"),
        P("inteiro")}},
      {"Modelo_Impressora",
       "reads version, maker and model",
       true,
       {kScheme, P("a", "out: maker"), P("b", "out: model"), P("c", "out: version")}},
      {"VerificaSerialImp", "reads the bag; checks nothing", false, {[] {
         // The keys are read and their values never converted.
         ParameterRule bag = Bag("bag", {{"UTILIZAIMPFIS", kAny, false, "not converted"},
                                         {"DSDIRCAD", kAny, false, "not converted"},
                                         {"ESQUEMACOR", kAny, false, "not converted"},
                                         {"REV_NRSERIE_IMP", kAny, false, "not converted"}});
         bag.otherKeysAllowed = true;
         return bag;
       }()}},
      {"Versao_Software_Basico", "fixed answer", false, {P("texto"), P("versao")}},
      {"DataHoraGravacaoUsuarioSWBasicoMFAdicional",
       "fixed answer",
       false,
       {P("texto"), P("dataHora"), P("usuario"), P("mfAdicional")}},
      {"NumeroOperacoesNaoFiscais", "fixed answer", false, {P("texto"), P("numero")}},
      {"GeraBinMes", "no file is produced", false, {P("inicio"), P("fim"), P("texto")}},
      {"Codigo_Nacional_ECF", "always \"000000\"", false, {P("modelo"), P("texto")}},
      {"FormataCNPJ", "removes \".\", \"/\" and \"-\"", false, {P("cnpj")}},
      // ---- registers and grand total
      {"GetValue", "a printer amount as a number", false, {P("texto")}},
      Query("BuscaTotGer", "stTotGer", "grand total (register 1)"),
      Query("BuscaVendaBruta", "stVendaBruta", "the day's gross sales"),
      Query("Cancelamentos", "stCancelamentos", "the day's cancellations (register 13)"),
      Query("BuscaDescontos", "stDescontos", "the day's discounts (register 11)"),
      Query("BuscaOpNFis", "stOpNFis", "non-fiscal operation counter (register 28)"),
      Query("BuscaReinicioOp", "stReinicioOp", "restart counter (register 23)"),
      Query("BuscaNReducoes", "stNReducoes", "number of the next Z reduction"),
      {"DadosUltimaRedZ",
       "reads the last Z reduction",
       true,
       {Positions("parametros", {{0, kText, "colour scheme", {}}}),
        ResultArray("resultado", 49, "out: an array the host sized with at least 49 elements"),
        P("dsImposto", "out: the tax table of the reduction")}},
      {"Atu_TotGeral",
       "checks or records the grand total in the control file",
       true,
       {Bag("bag", {{"ESQUEMACOR", kText, false, "colour scheme"},
                    {"IDVALIDA", kText, true, "\"S\" checks, otherwise records"},
                    {"CDFILIAL", kText, false, "branch code"},
                    {"CDCAIXA", kText, false, "till code"},
                    {"NRSERIEIMP", kText, false, "printer serial number"}})}},
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
                    {"UTILTEF", kBoolean, false, "a card payment takes part"}})}},
      {"Nr_Cupom", "the printer's COO, or \"ERRO\"", true, {P("ignorado"), kScheme}},
      {"ContadorCupomFiscalMFD", "reads the CCF", true, {kScheme, P("contador", "out")}},
      {"NumeroCupom", "the value of stNrCupom", false, {}},
      {"VendaItem",
       "sells one item on the open receipt",
       true,
       {Bag("bag", {{"CDALIQ", kText, true, "tax code: T1, II, FF, NN or a rate slot"},
                    {"VRPERCALIQ", ValueKind::kNumberText, true,
                     "tax rate in percent (\"18\"; \"\" for II/FF/NN)"},
                    {"QTDE", kNumber, true, "quantity"},
                    {"VALOR", kNumber, true, "unit price"},
                    {"NMPROD", kText, true, "description (first 50 characters sent)"},
                    {"CDARVPROD", kText, true, "product code"},
                    {"DESCONT", kNumber, false, "item discount (money)"},
                    {"ACRESCIMO", kNumber, false, "item surcharge (money), when no discount"},
                    {"UNIDADE", kText, false, "unit (first two characters sent)"},
                    {"ESQUEMACOR", kText, false, "colour scheme"},
                    {"INTEFERRO", kInteger, false, "returned as INTTEFERRO"},
                    {"IDUTILTEF", kText, false, "card-payment use kind \"S\"/\"T\""},
                    {"UTILTEF", kBoolean, false, "a card payment takes part"}})}},
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
      {"Totaliza_NFiscal", "prints nothing", false, {P("ignorado1"), P("ignorado2")}},
      // ---- non-fiscal documents
      {"Cupom_NFiscNVinc",
       "prints a whole non-fiscal receipt",
       true,
       {kScheme, P("totalizador", "the printer's non-fiscal totalizer, by name"),
        P("valor", "amount text in the process decimal separator"),
        P("formaPagto", "payment method"), P("ignorado")}},
  };
  return c;
}

}  // namespace

const std::vector<Contract>& Contracts() {
  static const std::vector<Contract> table = MakeContracts();
  return table;
}

const Contract* FindContract(std::string_view op) {
  const auto& table = Contracts();
  auto found =
      std::find_if(table.begin(), table.end(), [&](const Contract& c) { return c.op == op; });
  return found != table.end() ? &*found : nullptr;
}

}  // namespace ecfhost
