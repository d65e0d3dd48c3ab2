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

using config::AchaEntrada;
using config::TextoCampo;

// The list is small at the start of the run; after a registration the
// printer is read with the room its full table may need.
constexpr int kLarguraInicial = 330;
constexpr int kLarguraAposCadastro = 3016;

struct Leitura {
  bool lida = false;     // the driver answered the read (code 1)
  bool analise = false;  // the return analysis of the read
};

// Reads the printer's payment-method list into `lista` (trimmed, ended by
// ";"). An unanswered read leaves the previous list in place: a blank list
// would make every known method look missing.
Leitura LeMeiosPagto(const std::string& stEsquema, int largura, std::string& lista,
                     std::vector<std::string>& entradas) {
  const driver::Reply resposta = driver::Query(largura, rLerMeiosPagto_ECF_Daruma);
  const int codigo = resposta.code;
  const std::string nova = Trim(resposta.text) + ";";
  Leitura leitura;
  leitura.analise = driver::Command(
      codigo, driver::DescribeReply("rLerMeiosPagto_ECF_Daruma", nova), {stEsquema, false});
  leitura.lida = codigo == 1;
  if (leitura.lida) {
    lista = nova;
    entradas = config::SeparaEntradas(lista);
  }
  return leitura;
}

bool RegistradoNestaCarga(const std::vector<std::string>& registrados, const std::string& nome) {
  return AchaEntrada(registrados, nome, true).has_value();
}

// An earlier type of the working copy with the same fiscal description and a
// code already set: the type being visited takes that code.
std::optional<std::string> CodigoDoador(DataSet& copia, const std::string& descricao) {
  for (copia.First(); !copia.Eof(); copia.Next()) {
    const std::string codigo = TextoCampo(copia, "CDFPIMPFIS");
    if (Trim(codigo).empty()) continue;
    if (SameText(TextoCampo(copia, "DSIMPFISCAL"), descricao)) return codigo;
  }
  return std::nullopt;
}

void AtualizaCopia(DataSet& copia, const std::string& cdTipo, const std::string* nome,
                   const std::string& emiteVale) {
  if (!copia.Locate("CDTIPORECE", Variant(cdTipo), {true, false})) return;
  copia.Edit();
  if (nome != nullptr) copia.FieldByName("NMTIPORECE").SetAsString(*nome);
  // The working copy records no code: a later type with the same fiscal
  // description then finds no donor and is matched as a method of its own
  // (code "S" in the host's row, and a kind "B" type leaves the screen).
  copia.FieldByName("CDFPIMPFIS").SetAsString("");
  copia.FieldByName("IDEMIVALE").SetAsString(emiteVale);
  copia.Post();
}

// The consumer-account operations pay with two special methods: personal
// credit (kind "9") and consumer card (kind "A"). Their globals keep earlier
// values until a method of the same kind is found.
void GuardaMetodosEspeciais(DataSet& tipos, const std::vector<std::string>& entradas,
                            const std::string& n16) {
  const std::string tipo = TextoCampo(tipos, "IDTIPORECE");
  if (tipo == "9") {
    if (auto entrada = AchaEntrada(entradas, n16, true)) {
      CdFormPagCPess = TextoCampo(tipos, "CDTIPORECE");
      IdFormPagCPess = TextoCampo(tipos, "CDFPIMPFIS");
      DsFormPagCPess = TrimLeft(*entrada);
    }
  } else if (tipo == "A") {
    const std::string nome16 = Copy(TextoCampo(tipos, "NMTIPORECE"), 1, 16);
    if (auto entrada = AchaEntrada(entradas, nome16, true)) {
      CdFormPagVCons = TextoCampo(tipos, "CDTIPORECE");
      // The printer's name for the fiscal description; when the printer does
      // not list that one, the method found by the type's name.
      auto porDescricao = AchaEntrada(entradas, n16, true);
      DsFormPagVCons = TrimLeft(porDescricao ? *porDescricao : *entrada);
    }
  }
}

bool Sincronizavel(DataSet& tipos) {
  const std::string mostra = Trim(TextoCampo(tipos, "IDMOSTRARECE"));
  return mostra.empty() || mostra == "S";
}

}  // namespace

void CarregaRecebimento(const std::string& /*texto*/, const std::string& stEsquema, int /*inteiro*/,
                        DataSet& cdsTipoRece) {
  try {
    DataSet& copia = DataModule().cdsReceb;
    copia.SetData(cdsTipoRece.Data());
    cdsTipoRece.SetFilter("IDTPBUTTON = '5'");
    cdsTipoRece.SetFiltered(true);
    cdsTipoRece.First();

    std::string lista;
    std::vector<std::string> entradas;
    // Without the printer's list nothing can be compared: the host's types
    // stay as they are and nothing is registered.
    if (!LeMeiosPagto(stEsquema, kLarguraInicial, lista, entradas).lida) return;

    std::vector<std::string> registrados;  // names registered during this run
    while (!cdsTipoRece.Eof()) {
      const std::string cdTipo = TextoCampo(cdsTipoRece, "CDTIPORECE");
      const std::string descricao = TextoCampo(cdsTipoRece, "DSIMPFISCAL");
      const std::string n16 = Copy(descricao, 1, 16);
      const std::string emiteVale = TextoCampo(cdsTipoRece, "IDTIPORECE") == "4" ? "N" : "S";

      if (Sincronizavel(cdsTipoRece)) {
        if (!RegistradoNestaCarga(registrados, n16) && !AchaEntrada(entradas, n16, true)) {
          bool aceito = false;
          // A type without a fiscal description cannot name a printer method;
          // it is dropped like a method the printer refuses.
          if (!Trim(n16).empty()) {
            driver::Command(confCadastrarPadrao_ECF_Daruma("FPGTO", n16.c_str()),
                            driver::Describe("confCadastrarPadrao_ECF_Daruma (FPGTO)", {n16 + "1"}),
                            {stEsquema, false});
            const Leitura releitura =
                LeMeiosPagto(stEsquema, kLarguraAposCadastro, lista, entradas);
            aceito = releitura.lida && releitura.analise &&
                     AchaEntrada(entradas, n16, false).has_value();
          }
          if (aceito) {
            registrados.push_back(n16);
            cdsTipoRece.Edit();
            cdsTipoRece.FieldByName("CDFPIMPFIS").SetAsString("S");
            cdsTipoRece.FieldByName("IDEMIVALE").SetAsString(emiteVale);
            cdsTipoRece.Post();
            AtualizaCopia(copia, cdTipo, nullptr, emiteVale);
          } else {
            // The printer does not list the method: the type is removed for
            // this session and its successor becomes current.
            const bool ultimo = cdsTipoRece.RecNo() >= cdsTipoRece.RecordCount();
            cdsTipoRece.Delete();
            if (ultimo) break;
            continue;
          }
        } else {
          auto entrada = AchaEntrada(entradas, n16, true);
          const std::string nomeImpressora = TrimRight(TrimLeft(entrada ? *entrada : n16));
          auto doador = CodigoDoador(copia, descricao);
          cdsTipoRece.Edit();
          cdsTipoRece.FieldByName("NMTIPORECE").SetAsString(nomeImpressora);
          cdsTipoRece.FieldByName("CDFPIMPFIS").SetAsString(doador ? *doador : "S");
          cdsTipoRece.FieldByName("IDEMIVALE").SetAsString(emiteVale);
          if (!doador && TextoCampo(cdsTipoRece, "IDTIPORECE") == "B") {
            cdsTipoRece.FieldByName("IDMOSTRARECE").SetAsString("N");
          }
          cdsTipoRece.Post();
          if (!doador) AtualizaCopia(copia, cdTipo, &nomeImpressora, emiteVale);
        }
      }

      GuardaMetodosEspeciais(cdsTipoRece, entradas, n16);
      cdsTipoRece.Next();
    }

    // Management reports are paid under a method of their own name.
    const std::string g = Copy(DataModule().msgPadrao.Msg("RelGerencial"), 1, 16);
    if (!Trim(g).empty() && !AchaEntrada(entradas, g, true)) {
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
