// Exported queries, port and library calls: registers, lists, clock,
// status and texts, the registry value, and the fiscal-menu files.
#include "civil_time.h"
#include "dispatch.h"
#include "legal_files.h"
#include "messages.h"
#include "text.h"
#include "tov00300/format.h"

using namespace Tov00300::sim;

int eBuscarPortaVelocidade_ECF_Daruma(void) {
  return Run(__func__, Access::kProbe, Bytes({}), [](Machine&) { return Ok(); });
}

int rRetornarInformacao_ECF_Daruma(const char* indice, char* retorno) {
  return Run(__func__, Access::kPrinter, Bytes({indice}),
             [&](Machine& m) { return Info(m, indice, retorno); });
}

int rLerAliquotas_ECF_Daruma(char* aliquotas) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [&](Machine& m) { return List(m, aliquotas, RateList(m.state())); });
}

int rLerMeiosPagto_ECF_Daruma(char* meios) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [&](Machine& m) { return List(m, meios, PaymentList(m.state())); });
}

int rLerCNF_ECF_Daruma(char* totalizadores) {
  return Run(__func__, Access::kPrinter, Bytes({}),
             [&](Machine& m) { return List(m, totalizadores, TotalizerList(m.state())); });
}

int rDataHoraImpressora_ECF_Daruma(char* data, char* hora) {
  return Run(__func__, Access::kPrinter, Bytes({}) + 14, [&](Machine& m) {
    if (data == nullptr || hora == nullptr) return Refuse(kErrParameter, -2);
    int64_t now = m.Now();
    Reply(data, DateDigits(now), 8);
    Reply(hora, TimeDigits(now), 6);
    return Ok();
  });
}

int rVerificarImpressoraLigada_ECF_Daruma(void) {
  return Run(__func__, Access::kProbe, Bytes({}), [](Machine&) { return Ok(); });
}

int eAbrirGaveta_ECF_Daruma(void) {
  return Run(__func__, Access::kPrinter, Bytes({}), [](Machine& m) {
    m.drawerOpen = true;
    return Ok();
  });
}

int rStatusGaveta_ECF_Daruma(int* estado) {
  return Run(__func__, Access::kPrinter, Bytes({}) + 1, [&](Machine& m) {
    if (estado == nullptr) return Refuse(kErrParameter, -2);
    *estado = m.drawerOpen ? 1 : 0;
    return Ok();
  });
}

int eTEF_TravarTeclado_ECF_Daruma(int travar) {
  return Run(__func__, Access::kQuiet, Bytes({}), [&](Machine& m) {
    m.keyboardLocked = travar != 0;
    return Ok();
  });
}

int rStatusUltimoCmdInt_ECF_Daruma(int* erro, int* aviso) {
  return Run(__func__, Access::kQuiet, Bytes({}) + 8, [&](Machine& m) {
    if (erro == nullptr || aviso == nullptr) return Refuse(kErrParameter, -2);
    if (m.faults().powerOff) return Outcome{0, kErrNone};
    *erro = m.lastError();
    *aviso = m.lastWarning();
    return Ok();
  });
}

int eDefinirProduto_Daruma(const char* produto) {
  return Run(__func__, Access::kLocal, Bytes({produto}), [&](Machine&) {
    return Tov00300::Trim(In(produto)).empty() ? Refuse(kErrParameter, -2) : Ok();
  });
}

int eInterpretarRetorno_ECF_Daruma(int retorno, char* texto) {
  return Run(__func__, Access::kQuiet, 0, [&](Machine&) {
    if (texto == nullptr) return Refuse(kErrParameter, -2);
    Reply(texto, ReturnText(retorno), kTextReplyWidth);
    return Ok();
  });
}

int eInterpretarErro_ECF_Daruma(int erro, char* texto) {
  return Run(__func__, Access::kQuiet, 0, [&](Machine& m) {
    if (texto == nullptr) return Refuse(kErrParameter, -2);
    std::string text = ErrorText(erro);
    if (erro == kErrFile && !m.unmadeFolder().empty()) {
      text +=
          " A pasta do driver n\xE3o p\xF4"
          "de ser criada: " +
          m.unmadeFolder();
    }
    Reply(texto, text, kTextReplyWidth);
    return Ok();
  });
}

int eInterpretarAviso_ECF_Daruma(int aviso, char* texto) {
  return Run(__func__, Access::kQuiet, 0, [&](Machine&) {
    if (texto == nullptr) return Refuse(kErrParameter, -2);
    Reply(texto, WarningText(aviso), kTextReplyWidth);
    return Ok();
  });
}

int eAbrirSerial_Daruma(const char* porta, const char* velocidade) {
  return Run(__func__, Access::kLocal, 0, [&](Machine& m) {
    if (m.faults().portBusy) {
      m.faults().portBusy = false;
      return Outcome{-107, kErrNone};
    }
    // Each opening looks for the driver folder again: a test or a new
    // session may have pointed the registry elsewhere.
    if (!m.AcquirePort()) {
      // A driver folder that could not be made leaves the printer nowhere to
      // keep its memory; the interpretation of the error names the folder.
      return Outcome{-107, m.unmadeFolder().empty() ? kErrNone : kErrFile};
    }
    m.port = In(porta);
    m.speed = In(velocidade);
    return Ok();
  });
}

int eFecharSerial_Daruma(void) {
  return Run(__func__, Access::kLocal, 0, [](Machine& m) {
    m.ReleasePort();
    return Ok();
  });
}

int rConsultaStatusImpressoraInt_ECF_Daruma(int* status) {
  return Run(__func__, Access::kPrinter, Bytes({}) + 4, [&](Machine& m) {
    if (status == nullptr) return Refuse(kErrParameter, -2);
    *status = (m.state().open.kind != DocKind::kNone ? 1 : 0) | (m.faults().paperLow ? 2 : 0) |
              (m.faults().paperOut ? 4 : 0) | (m.drawerOpen ? 8 : 0) | (m.ZPending() ? 16 : 0);
    return Ok();
  });
}

int rGerarEspelhoMFD_ECF_Daruma(const char* tipo, const char* inicio, const char* fim) {
  return Run(__func__, Access::kPrinter, Bytes({tipo, inicio, fim}),
             [&](Machine& m) { return GenerateMirror(m, In(tipo), In(inicio), In(fim)); });
}

int rGerarRelatorio_ECF_Daruma(const char* relatorio, const char* tipo, const char* inicio,
                               const char* fim) {
  return Run(__func__, Access::kPrinter, Bytes({relatorio, tipo, inicio, fim}), [&](Machine& m) {
    return GenerateReport(m, In(relatorio), In(tipo), In(inicio), In(fim));
  });
}

int rEfetuarDownloadMFD_ECF_Daruma(const char* tipo, const char* inicio, const char* fim,
                                   const char* arquivo) {
  return Run(__func__, Access::kPrinter, Bytes({tipo, inicio, fim, arquivo}), [&](Machine& m) {
    return DownloadMfd(m, In(tipo), In(inicio), In(fim), In(arquivo));
  });
}

int rEfetuarDownloadMF_ECF_Daruma(const char* arquivo) {
  return Run(__func__, Access::kPrinter, Bytes({arquivo}),
             [&](Machine& m) { return DownloadMf(m, In(arquivo)); });
}

int regRetornaValorChave_DarumaFramework(const char* produto, const char* chave, char* valor) {
  return Run(__func__, Access::kQuiet, 0, [&](Machine& m) {
    if (valor == nullptr) return Refuse(kErrParameter, -2);
    std::string key = Tov00300::UpperCase(Tov00300::Trim(In(chave)));
    std::string answer;
    if (key == "LOCALARQUIVOS") {
      answer = m.folder();
    } else if (key == "PORTA") {
      answer = m.port;
    } else if (key == "VELOCIDADE") {
      answer = m.speed;
    } else {
      return Refuse(kErrParameter, -2);
    }
    if (answer.size() > kRegistryReplyWidth) return Refuse(kErrParameter, -1);
    (void)produto;
    Reply(valor, answer, kRegistryReplyWidth);
    return Ok();
  });
}

int eMemoriaFiscal_ECF_Daruma(const char* inicio, const char* fim, int flag, const char* tipo) {
  return Run(__func__, Access::kPrinter, Bytes({inicio, fim, tipo}), [&](Machine& m) {
    return FiscalMemoryReading(m, In(inicio), In(fim), flag, In(tipo));
  });
}
