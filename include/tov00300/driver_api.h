// The fiscal printer driver library's entry points, as the package binds them.
//
// One list, in binding order, gives every entry point's name and parameter
// list. The package turns it into exported function-pointer variables and its
// binding table; the virtual printer (sim/) turns it into the functions it
// exports. Every entry point returns a 32-bit code: 1 success, 0 and negative
// values errors.
//
// Conventions every caller relies on:
//  - text inputs are zero-terminated Windows-1252 strings;
//  - text outputs ("char*" parameters) are buffers the caller pre-fills with
//    as many blanks as the reply's width; the driver writes its reply, zero
//    terminated, and never more than that width plus the terminator;
//  - integer outputs are passed by address.
#ifndef TOV00300_DRIVER_API_H_
#define TOV00300_DRIVER_API_H_

// X(name, parameter list)
#define TOV00300_DRIVER_ENTRY_POINTS(X)                                                           \
  X(eBuscarPortaVelocidade_ECF_Daruma, (void))                                                    \
  X(rRetornarInformacao_ECF_Daruma, (const char* indice, char* retorno))                          \
  X(rLerAliquotas_ECF_Daruma, (char* aliquotas))                                                  \
  X(rLerMeiosPagto_ECF_Daruma, (char* meios))                                                     \
  X(rLerCNF_ECF_Daruma, (char* totalizadores))                                                    \
  X(rDataHoraImpressora_ECF_Daruma, (char* data, char* hora))                                     \
  X(rVerificarImpressoraLigada_ECF_Daruma, (void))                                                \
  X(iRGFechar_ECF_Daruma, (void))                                                                 \
  X(confCadastrarPadrao_ECF_Daruma, (const char* tipo, const char* valor))                        \
  X(iCFAbrir_ECF_Daruma, (const char* cpf, const char* nome, const char* endereco))               \
  X(iCFVender_ECF_Daruma,                                                                         \
    (const char* aliquota, const char* quantidade, const char* preco, const char* tipoDesconto,   \
     const char* valorDesconto, const char* codigo, const char* unidade, const char* descricao))  \
  X(iCFCancelarItem_ECF_Daruma, (const char* item))                                               \
  X(iCFCancelar_ECF_Daruma, (void))                                                               \
  X(iCFCancelarUltimoItem_ECF_Daruma, (void))                                                     \
  X(eAbrirGaveta_ECF_Daruma, (void))                                                              \
  X(iCFEfetuarPagamentoFormatado_ECF_Daruma, (const char* forma, const char* valor))              \
  X(iCFEncerrarConfigMsg_ECF_Daruma, (const char* mensagem))                                      \
  X(iReducaoZ_ECF_Daruma, (const char* data, const char* hora))                                   \
  X(iCNFAbrirPadrao_ECF_Daruma, (void))                                                           \
  X(iCNFEncerrarPadrao_ECF_Daruma, (void))                                                        \
  X(iLeituraX_ECF_Daruma, (void))                                                                 \
  X(rStatusGaveta_ECF_Daruma, (int* estado))                                                      \
  X(iRGAbrirPadrao_ECF_Daruma, (void))                                                            \
  X(iSuprimento_ECF_Daruma, (const char* valor, const char* mensagem))                            \
  X(iSangria_ECF_Daruma, (const char* valor, const char* mensagem))                               \
  X(confHabilitarHorarioVerao_ECF_Daruma, (void))                                                 \
  X(confDesabilitarHorarioVerao_ECF_Daruma, (void))                                               \
  X(eTEF_TravarTeclado_ECF_Daruma, (int travar))                                                  \
  X(rStatusUltimoCmdInt_ECF_Daruma, (int* erro, int* aviso))                                      \
  X(iCNFCancelar_ECF_Daruma, (void))                                                              \
  X(eDefinirProduto_Daruma, (const char* produto))                                                \
  X(eInterpretarRetorno_ECF_Daruma, (int retorno, char* texto))                                   \
  X(eInterpretarErro_ECF_Daruma, (int erro, char* texto))                                         \
  X(eInterpretarAviso_ECF_Daruma, (int aviso, char* texto))                                       \
  X(eAbrirSerial_Daruma, (const char* porta, const char* velocidade))                             \
  X(eFecharSerial_Daruma, (void))                                                                 \
  X(rConsultaStatusImpressoraInt_ECF_Daruma, (int* status))                                       \
  X(iRGImprimirTexto_ECF_Daruma, (const char* texto))                                             \
  X(iCFTotalizarCupom_ECF_Daruma, (const char* tipo, const char* valor))                          \
  X(iCFAbrirPadrao_ECF_Daruma, (void))                                                            \
  X(iCCDAbrirPadrao_ECF_Daruma, (void))                                                           \
  X(iCCDAbrirSimplificado_ECF_Daruma,                                                             \
    (const char* forma, const char* parcelas, const char* documento, const char* valor))          \
  X(iCCDImprimirTexto_ECF_Daruma, (const char* texto))                                            \
  X(iCCDFechar_ECF_Daruma, (void))                                                                \
  X(iCNFReceberSemDesc_ECF_Daruma, (const char* totalizador, const char* valor))                  \
  X(iCNFTotalizarComprovantePadrao_ECF_Daruma, (void))                                            \
  X(iCNFEfetuarPagamentoFormatado_ECF_Daruma, (const char* forma, const char* valor))             \
  X(iImprimirCodigoBarras_ECF_Daruma, (const char* tipo, const char* largura, const char* altura, \
                                       const char* imprimeTexto, const char* codigo))             \
  X(rGerarEspelhoMFD_ECF_Daruma, (const char* tipo, const char* inicio, const char* fim))         \
  X(rGerarRelatorio_ECF_Daruma,                                                                   \
    (const char* relatorio, const char* tipo, const char* inicio, const char* fim))               \
  X(rEfetuarDownloadMFD_ECF_Daruma,                                                               \
    (const char* tipo, const char* inicio, const char* fim, const char* arquivo))                 \
  X(rEfetuarDownloadMF_ECF_Daruma, (const char* arquivo))                                         \
  X(regRetornaValorChave_DarumaFramework, (const char* produto, const char* chave, char* valor))  \
  X(eMemoriaFiscal_ECF_Daruma, (const char* inicio, const char* fim, int flag, const char* tipo))

// Number of entry points in the list above.
#define TOV00300_DRIVER_ENTRY_POINT_COUNT 54

// The virtual printer's extra entry point for tests and scripts; the package
// never binds it. Returns 1, or -2 for a command it does not understand.
#define TOV00300_SIM_CONTROL_NAME "simControl_Daruma"
typedef int (*SimControlFunction)(const char* comando);

#endif  // TOV00300_DRIVER_API_H_
