// The contract of every operation a till script calls: parameter names, bag
// keys, positions and data-set fields, as the operations read them. An
// operation added to the dispatcher gets its entry here (or in
// the family's own file: contracts_receipt.cpp, contracts_documents.cpp, ...).
#include <algorithm>

#include "contract_builders.h"

namespace ecfhost {

using namespace contract;

namespace {

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
      {"Estado_HorVerao",
       "whether daylight saving is on in the printer",
       true,
       {kScheme},
       "daylight saving is off (the printer's clock is not an hour ahead)"},
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
      {"Retorno_Aliquotas_Imp",
       "reads the raw tax-rate list into stRetorno",
       true,
       {kScheme},
       "always false: the list is in stRetorno"},
      {"CarregaRecebimento",
       "synchronises the host's payment types with the printer's methods",
       true,
       {P("texto", "not used"), kScheme, P("inteiro", "not used"),
        ReadSet("cdsTipoRece",
                {{"CDTIPORECE", kText, "payment type code"},
                 {"NMTIPORECE", kText, "name; out: the printer's form of it"},
                 {"IDTIPORECE", kText,
                  "kind: \"4\" issues no voucher, \"9\" personal credit, \"A\" consumer card"},
                 {"DSIMPFISCAL", kText,
                  "fiscal description; its first 16 characters name the "
                  "printer's method"},
                 {"CDFPIMPFIS", kText, "out: \"S\" when the printer has the method"},
                 {"IDEMIVALE", kText, "out: \"N\" for kind \"4\", else \"S\""},
                 {"IDMOSTRARECE", kText, "\"S\" or blank: synchronised with the printer"},
                 {"IDTPBUTTON", kText, "only types with \"5\" are visited"}},
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
      {"VerificaTotalizador",
       "whether the credit-purchase totalizer is known",
       false,
       {},
       "the credit-purchase totalizer is not known (CarregaTotalizador has not found it)"},
      {"Nomeia_TotParcial",
       "does nothing",
       false,
       {P("texto1"), P("texto2"), P("texto3"), P("texto4"), P("flag1"), P("flag2")},
       "nothing: the result carries no information"},
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
  };
  for (Contract& r : ReceiptContracts()) c.push_back(std::move(r));
  for (Contract& r : DocumentContracts()) c.push_back(std::move(r));
  for (Contract& r : AccountContracts()) c.push_back(std::move(r));
  for (Contract& r : ClosingContracts()) c.push_back(std::move(r));
  for (Contract& r : LegalContracts()) c.push_back(std::move(r));
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
