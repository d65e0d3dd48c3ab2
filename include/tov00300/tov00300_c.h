/* The package's C interface: every plain export name with C types, and the
 * opaque handles a C host (or any language with a C foreign-function
 * interface) uses to make and read the values those names take.
 *
 * Compiles as C99 and as C++. Link with -ltov00300 (see the README).
 *
 * Conventions of every plain name:
 *  - texts are const char*, Windows-1252, zero terminated; a null pointer is
 *    an empty text;
 *  - an out or in/out text is a buffer and its size in bytes (terminator
 *    included): an in/out buffer is read up to its first zero byte or its
 *    size, whichever comes first (a text that fills the buffer without a
 *    terminator is read whole, never past the buffer); the answer is written
 *    back cut to size - 1 bytes and zero terminated; a size of 0 or a null
 *    buffer writes nothing;
 *  - date-times are day counts (days since 1899-12-30, the fraction is the
 *    time of day);
 *  - bags, positional value arrays, string lists and data sets are handles
 *    made with the tov_* functions below; a null handle is an empty value;
 *  - a text result is returned as a pointer into a per-thread buffer of the
 *    package, valid until the next call of the same name on that thread;
 *  - no exception crosses these functions: an error answers false, 0 or "". */
#ifndef TOV00300_TOV00300_C_H_
#define TOV00300_TOV00300_C_H_

#ifdef __cplusplus
#include <vector>
namespace Tov00300 {
class Variant;
class StringList;
class DataSet;
}  // namespace Tov00300
/* In C++ the handles are the runtime's own types, so the package's
 * definitions are checked against these declarations by the compiler. */
typedef Tov00300::Variant TovVariant;
typedef std::vector<Tov00300::Variant> TovValues;
typedef Tov00300::StringList TovStrings;
typedef Tov00300::DataSet TovDataSet;
#define TOV00300_C_BEGIN extern "C" {
#define TOV00300_C_END }
#else
#include <stdbool.h>
/* A variant: a bag of (key, value) pairs, a result array, or a single value. */
typedef struct TovVariant TovVariant;
/* A positional value array (FechaCupom's 61 positions, ...). */
typedef struct TovValues TovValues;
/* A list of texts. */
typedef struct TovStrings TovStrings;
/* A data set: typed fields and rows, shared with the host as a data packet. */
typedef struct TovDataSet TovDataSet;
#define TOV00300_C_BEGIN
#define TOV00300_C_END
#endif

TOV00300_C_BEGIN

/* ---- values: variants, bags and result arrays ----------------------------
 * Text getters copy into buf (cut to size - 1, zero terminated) and answer
 * the whole text's length, or -1 when there is no such key or index or the
 * value has no text form; a host whose buffer was short calls again with
 * length + 1. */

/* A new empty bag (an array of (key, value) pairs); free with tov_variant_free. */
TovVariant* tov_bag_new(void);
/* A new array of `count` empty values, as the result array some operations fill. */
TovVariant* tov_array_new(int count);
void tov_variant_free(TovVariant* v);

/* Sets a bag's key, replacing its value when the key is there, else adding
 * the pair at the end. False for a null bag or key. */
bool tov_bag_set_text(TovVariant* bag, const char* key, const char* value);
bool tov_bag_set_int(TovVariant* bag, const char* key, int value);
bool tov_bag_set_double(TovVariant* bag, const char* key, double value);
bool tov_bag_set_bool(TovVariant* bag, const char* key, bool value);
bool tov_bag_set_null(TovVariant* bag, const char* key);
/* A key's value as text, in the runtime's conversion rules. */
int tov_bag_get_text(const TovVariant* bag, const char* key, char* buf, int size);
/* A key's value as a number; false when absent or not a number. */
bool tov_bag_get_double(const TovVariant* bag, const char* key, double* out);

/* Elements of an array (a result array, or a bag's pairs); -1 when not an array. */
int tov_array_count(const TovVariant* array);
int tov_array_get_text(const TovVariant* array, int index, char* buf, int size);
bool tov_array_get_double(const TovVariant* array, int index, double* out);

/* ---- positional value arrays -------------------------------------------- */
TovValues* tov_values_new(int count);
void tov_values_free(TovValues* values);
int tov_values_count(const TovValues* values);
/* Sets position `index` (from 0); false when out of range. */
bool tov_values_set_text(TovValues* values, int index, const char* value);
bool tov_values_set_int(TovValues* values, int index, int value);
bool tov_values_set_double(TovValues* values, int index, double value);
bool tov_values_set_bool(TovValues* values, int index, bool value);
bool tov_values_set_datetime(TovValues* values, int index, double days);
bool tov_values_set_null(TovValues* values, int index);
/* A data set's whole content (fields and rows) as the value at `index`. */
bool tov_values_set_dataset(TovValues* values, int index, const TovDataSet* ds);

/* ---- string lists -------------------------------------------------------- */
TovStrings* tov_strings_new(void);
void tov_strings_free(TovStrings* list);
bool tov_strings_add(TovStrings* list, const char* text);
int tov_strings_count(const TovStrings* list);
int tov_strings_get(const TovStrings* list, int index, char* buf, int size);

/* ---- data sets ------------------------------------------------------------
 * Make one with tov_dataset_new, declare its fields, tov_dataset_create it,
 * then append rows: tov_dataset_append, set the fields, tov_dataset_post.
 * Field types: 'S' text (size = width), 'I' integer, 'F' float, 'B' boolean,
 * 'D' date-time (a day count). Field values are set and read as text in the
 * runtime's conversion rules, or as numbers. */
TovDataSet* tov_dataset_new(const char* name);
void tov_dataset_free(TovDataSet* ds);
bool tov_dataset_add_field(TovDataSet* ds, const char* name, char type, int size);
bool tov_dataset_create(TovDataSet* ds);
bool tov_dataset_append(TovDataSet* ds);
bool tov_dataset_set_text(TovDataSet* ds, const char* field, const char* value);
bool tov_dataset_set_double(TovDataSet* ds, const char* field, double value);
bool tov_dataset_set_int(TovDataSet* ds, const char* field, int value);
bool tov_dataset_post(TovDataSet* ds);
int tov_dataset_record_count(const TovDataSet* ds);
int tov_dataset_field_count(const TovDataSet* ds);
int tov_dataset_field_name(const TovDataSet* ds, int index, char* buf, int size);
/* Cursor: moves to the first row / the next row; eof is true past the last row. */
bool tov_dataset_first(TovDataSet* ds);
bool tov_dataset_next(TovDataSet* ds);
bool tov_dataset_eof(const TovDataSet* ds);
/* The current row's field; -1 for an unknown field or no current row. */
int tov_dataset_get_text(TovDataSet* ds, const char* field, char* buf, int size);
bool tov_dataset_get_double(TovDataSet* ds, const char* field, double* out);
/* The whole table as a data-packet file (XML), written atomically / read back. */
bool tov_dataset_save_file(const TovDataSet* ds, const char* path);
bool tov_dataset_load_file(TovDataSet* ds, const char* path);

/* ---- the plain export names ----------------------------------------------
 * One line per name: X(result, name, (parameters)). The list is the single
 * source of the declarations below and of the tests that call every name. */
#define TOV00300_PLAIN_NAMES(X)                                                                    \
  /* package frame */                                                                              \
  X(void, Initialize, (void))                                                                      \
  X(void, Finalize, (void))                                                                        \
  X(bool, ImpFisDebug, (const char* texto))                                                        \
  X(const char*, BuscaDiretorio, (void))                                                           \
  /* driver binding and return analysis */                                                         \
  X(bool, StartImpFiscal_FrameWork, (void))                                                        \
  X(bool, AnalisaRetorno_FrameWork,                                                                \
    (const char* stEsquema, int inCodRetorno, bool boMostraMsg, bool boReservado, bool boAvisoUm)) \
  X(bool, Estado_Imp, (const char* stEsquema, bool boReservado1, bool boReservado2))               \
  X(bool, AnalisaRetorno,                                                                          \
    (const char* stEsquema, int code, bool show, bool cancelOpenReceipt, bool showLowPaper))       \
  /* configuration tables: tax rates, payment methods, totalizers, identity */                     \
  X(void, CarregaAliquota, (const char* stEsquema, TovDataSet* cds))                               \
  X(bool, Retorno_Aliquotas_Imp, (const char* stEsquema))                                          \
  X(void, CarregaRecebimento,                                                                      \
    (const char* texto, const char* stEsquema, int inteiro, TovDataSet* cds))                      \
  X(bool, Config_FormaPg,                                                                          \
    (const char* stEsquema, const char* nome, bool boMostraMsg, bool boReservado))                 \
  X(void, CarregaTotalizador,                                                                      \
    (char* contraVale, int tamContraVale, char* vendaConsumidor, int tamVendaConsumidor,           \
     char* compraCredito, int tamCompraCredito, char* cancelaCredito, int tamCancelaCredito,       \
     char* relatorio, int tamRelatorio, const char* stEsquema, int inteiro, TovDataSet* cds))      \
  X(bool, VerificaTotalizador, (void))                                                             \
  X(bool, Nomeia_TotParcial,                                                                       \
    (const char* texto1, const char* texto2, const char* texto3, const char* texto4, bool flag1,   \
     bool flag2))                                                                                  \
  X(void, CarregaRelatorioGer,                                                                     \
    (char* texto1, int tam1, char* texto2, int tam2, char* texto3, int tam3, char* texto4,         \
     int tam4, char* texto5, int tam5, char* texto6, int tam6, const char* texto, int inteiro))    \
  X(bool, Modelo_Impressora,                                                                       \
    (const char* stEsquema, char* a, int tamA, char* b, int tamB, char* c, int tamC))              \
  X(bool, VerificaSerialImp, (const TovVariant* bag))                                              \
  X(bool, Versao_Software_Basico, (const char* texto, char* versao, int tamanho))                  \
  X(bool, DataHoraGravacaoUsuarioSWBasicoMFAdicional,                                              \
    (const char* texto, char* dataHora, int tam1, char* usuario, int tam2, char* mfAdicional,      \
     int tam3))                                                                                    \
  X(bool, NumeroOperacoesNaoFiscais, (const char* texto, char* numero, int tamanho))               \
  X(bool, GeraBinMes, (double inicio, double fim, const char* texto))                              \
  X(const char*, Codigo_Nacional_ECF, (int modelo, const char* texto))                             \
  /* fiscal receipt: opening, numbering, items, cancellations; non-fiscal receipt */               \
  X(bool, AbreCupom, (TovVariant * bag))                                                           \
  X(const char*, Nr_Cupom, (const char* ignorado, const char* stEsquema))                          \
  X(bool, ContadorCupomFiscalMFD, (const char* stEsquema, char* contador, int size))               \
  X(const char*, NumeroCupom, (void))                                                              \
  X(bool, VendaItem, (TovVariant * bag))                                                           \
  X(bool, Cancela_ItGenerico,                                                                      \
    (const char* stEsquema, const char* nrItem, const char* ignorado1, const char* ignorado2,      \
     const char* ignorado3, const char* ignorado4, const char* ignorado5, const char* ignorado6,   \
     const char* ignorado7, double ignorado8, double ignorado9))                                   \
  X(bool, Cancela_UltimoItem, (const char* stEsquema))                                             \
  X(bool, Cancela_Cupom_Imp, (const TovValues* valores, TovVariant* result))                       \
  X(bool, Acrescimo_Imp, (const char* stEsquema, char* total, int size))                           \
  X(void, Leitura_Totais_Imp, (bool reservado1, bool reservado2))                                  \
  X(bool, Cupom_NFiscNVinc,                                                                        \
    (const char* stEsquema, const char* totalizador, const char* valor, const char* formaPagto,    \
     const char* ignorado))                                                                        \
  /* session start and stop, port opening, clocks; register queries */                             \
  X(bool, StartImpFiscal, (TovVariant * bag))                                                      \
  X(void, StopImpFiscal, (void))                                                                   \
  X(bool, AbrePorta, (const TovVariant* bag))                                                      \
  X(bool, FechaPorta, (void))                                                                      \
  X(bool, ImpressoraOk,                                                                            \
    (const char* stEsquema, bool boReservado1, bool boReservado2, bool boReservado3))              \
  X(bool, AbrePorta_FrameWork, (const TovVariant* bag))                                            \
  X(bool, VerificaData,                                                                            \
    (const char* stEsquema, double* dtData, char* stDataHoraImp, int tamanho,                      \
     const char* stDataMov, bool boLeRelogio))                                                     \
  X(bool, Data_Imp, (const char* stEsquema, char* stDataHora, int tamanho))                        \
  X(double, DataMoviFiscal, (const char* stEsquema))                                               \
  X(bool, Estado_HorVerao, (const char* stEsquema))                                                \
  X(bool, Muda_Horario, (const char* stEsquema))                                                   \
  X(bool, Carrega_Dados_Impressora, (TovVariant * bag))                                            \
  X(double, GetValue, (const char* texto))                                                         \
  X(bool, BuscaTotGer, (const char* stEsquema, char* total, int tamanho))                          \
  X(bool, BuscaVendaBruta, (const char* stEsquema, char* venda, int tamanho))                      \
  X(bool, Cancelamentos, (const char* stEsquema, char* total, int tamanho))                        \
  X(bool, BuscaDescontos, (const char* stEsquema, char* total, int tamanho))                       \
  X(bool, BuscaNReducoes, (const char* stEsquema, char* numero, int tamanho))                      \
  X(bool, BuscaOpNFis, (const char* stEsquema, char* contador, int tamanho))                       \
  X(bool, BuscaReinicioOp, (const char* stEsquema, char* contador, int tamanho))                   \
  X(bool, DadosUltimaRedZ,                                                                         \
    (const TovValues* parametros, TovVariant* resultado, TovDataSet* dsImposto))                   \
  X(bool, Atu_TotGeral, (const TovVariant* bag))                                                   \
  /* fiscal receipt: footer, closing and payments */                                               \
  X(const char*, Formata_rodape,                                                                   \
    (int inLimite, const char* stModoSaldo, const char* stLinha1, const char* stTributos,          \
     const char* stLinha3, const char* cdConvenio, const char* nmConvenio,                         \
     const char* cdConsumidor, const char* nmConsumidor, const char* cdOperador,                   \
     const char* nmOperador, const char* stMesa, const char* stSenha, const char* ignorado14,      \
     const char* ignorado15, const char* ignorado16, const char* stMensagem,                       \
     const char* nrEcfConf, const char* nrCerConf, const char* nrCooConf, const char* stTipoSaldo, \
     const char* stTipoRodape, double vrPagoConta, double vrPrecoSubsidio,                         \
     double vrSaldoConsumidor, TovDataSet* cdsSaldos, TovDataSet* cdsFamilias,                     \
     TovDataSet* cdsEmprestimos, bool boAnexaLista, const TovStrings* slLinhas,                    \
     const char* stPontos, const char* stPontosExtras))                                            \
  X(bool, FechaCupom, (const TovValues* valores, const TovStrings* linhas, TovVariant* result))    \
  X(bool, Totaliza_NFiscal, (const char* ignorado1, const char* ignorado2))                        \
  /* management reports */                                                                         \
  X(bool, RG_FrameWork, (const char* stEsquema, const char* texto))                                \
  X(bool, Relatorio_Gerencial_Imp,                                                                 \
    (const char* stEsquema, const char* textoA, const char* textoB, const char* ignorado,          \
     const char* grava))                                                                           \
  X(bool, Usa_CompNFis, (const char* stEsquema, const char* texto))                                \
  X(bool, FechRelatGerenc, (const char* stEsquema, bool boMostraMsg, bool boReservado))            \
  X(bool, UsaRG_FrameWork, (const char* stEsquema))                                                \
  X(void, Cabecalho,                                                                               \
    (const char* ignorado1, const char* stEsquema, const char* titulo, const char* caixa,          \
     const char* ignorado2, const char* ignorado3))                                                \
  X(void, GravaDocumentosNaoFiscais,                                                               \
    (const char* chave, const char* stEsquema, const char* tipo, const char* extra))               \
  X(bool, Relatorio_Generico,                                                                      \
    (const char* stEsquema, const char* textoA, const char* textoB, const char* texto,             \
     const char* chave, const char* ignorado))                                                     \
  X(bool, Cupom_Troca,                                                                             \
    (const char* stEsquema, const char* ignorado1, const char* ignorado2, const char* texto))      \
  X(bool, Conferencia_Formatada,                                                                   \
    (const char* stEsquema, const char* ignorado1, const char* ignorado2, const char* ignorado3,   \
     const char* ignorado4, const char* ignorado5, char* nrCupom, int tamNrCupom,                  \
     const char* texto))                                                                           \
  X(bool, CodigoBarra,                                                                             \
    (const char* stEsquema, const char* textoA, const char* textoB, int ignorado,                  \
     const char* codigo, const char* tipo))                                                        \
  /* X reading and Z reduction */                                                                  \
  X(bool, Leitura_X_Imp,                                                                           \
    (const char* chave, const char* ignorado1, const char* stEsquema, const char* ignorado2))      \
  X(bool, Reducao_Z_Imp,                                                                           \
    (const char* chave, const char* ignorado1, const char* stEsquema, const char* ignorado2))      \
  /* cash supply, withdrawal and drawer */                                                         \
  X(bool, Suprimento, (const char* stEsquema, double valor))                                       \
  X(bool, Sangria,                                                                                 \
    (const char* ignorado, const char* stEsquema, double valor, TovDataSet* ignorado2))            \
  X(bool, Abre_Gaveta_Imp, (const char* stEsquema, bool ignorado))                                 \
  X(const char*, Estado_Gaveta_Imp, (const char* stEsquema))                                       \
  /* Z-reduction export */                                                                         \
  X(bool, ExportRedZ,                                                                              \
    (const char* unusedText, const char* stEsquema, const char* ecfNumber, int unusedNumber,       \
     const TovDataSet* paymentTypes, TovDataSet* dsReducaoZ, TovDataSet* dsFormPgtoRedZ,           \
     TovDataSet* dsImpostoRedZ, TovDataSet* dsTotNFiscRedZ))                                       \
  /* legal files */                                                                                \
  X(void, geraEad, (const char* caminho))                                                          \
  X(bool, Memoria_Fiscal_Imp,                                                                      \
    (const char* stEsquema, const char* tipo, const char* inicio, const char* fim,                 \
     const char* ignorado))                                                                        \
  X(bool, EmiteLeituraMemoriaFiscal,                                                               \
    (const char* stEsquema, const char* inicio, const char* fim, const char* flag,                 \
     const char* tipo, const char* chave))                                                         \
  X(bool, EmiteLeituraMemoriaFiscalSerial, (const TovValues* valores, TovVariant* resultado))      \
  X(bool, Gera_ArquivoMFD, (const TovValues* valores, TovVariant* resultado))                      \
  X(bool, geraEspelhoMfd, (const TovValues* valores, TovVariant* resultado))                       \
  X(bool, GERA_MF, (const char* ignorado, const char* destino))                                    \
  X(void, ImprimeDadosPaf, (const TovValues* valores, TovVariant* resultado))                      \
  X(bool, GeraCatGenerica, (const TovValues* valores, TovStrings* lista))                          \
  /* cash closing and table service */                                                             \
  X(void, Relatorio_Produto,                                                                       \
    (const char* ignorado1, const char* ignorado2, const char* ignorado3, const char* ignorado4,   \
     const char* ignorado5, char* nrCupom, int size, TovDataSet* produtos, const char* confirma,   \
     const char* agrupado, const char* stEsquema, bool* relatorio))                                \
  X(bool, GeraReciboSangria,                                                                       \
    (const char* ignorado1, const char* chaveRegistro, const char* produto3, const char* produto4, \
     const char* ignorado5, int ignorado6, char* nrCupom, int size, TovDataSet* movFecha,          \
     TovDataSet* sangria, TovDataSet* produtos, TovDataSet* operadorSup, TovDataSet* movTot,       \
     TovDataSet* movAbertura, TovDataSet* produtosGeral, TovDataSet* cargaCredito,                 \
     double ignorado16, bool imprimeSangria, bool permiteReducao, bool ignorado19,                 \
     TovDataSet* ignorado20, TovDataSet* ignorado21, TovDataSet* ignorado22,                       \
     TovDataSet* ignorado23, bool* reducaoConfirmada, TovDataSet* tiposRece,                       \
     const char* confirmaProdutos, const char* agrupaProdutos, const char* leituraX,               \
     const char* envelope, const char* stEsquema, bool somenteSangria, bool caixaTratado,          \
     bool reducaoLiberada, const char* motivo, const char* observacao))                            \
  X(bool, Abertura_Mesa,                                                                           \
    (const char* ignorado1, const char* stEsquema, const char* ignorado3, const char* mesa,        \
     const char* ignorado5, const char* emissao, const TovVariant* itens, double desconto,         \
     double ignorado9, double ignorado10, double taxaServico, double ignorado12, double total,     \
     double acrescimo))                                                                            \
  X(bool, RegistroVenda,                                                                           \
    (const char* ignorado1, const char* ignorado2, const char* stEsquema, TovDataSet* itens,       \
     const char* numero))                                                                          \
  X(void, ImprimeMesasAbertas,                                                                     \
    (TovDataSet * ignorado1, const char* ignorado2, const char* ignorado3, const char* stEsquema,  \
     const char* ignorado5, const TovVariant* mesas))                                              \
  X(void, imprimeProdutosTransf,                                                                   \
    (const char* ignorado1, const char* ignorado2, const char* stEsquema,                          \
     const TovVariant* produtos))                                                                  \
  X(bool, imprimeTipoRece,                                                                         \
    (const char* ignorado1, const char* ignorado2, const char* stEsquema,                          \
     const char* chaveRegistro, const char* texto))                                                \
  X(bool, ImprimeProdBloq,                                                                         \
    (const char* ignorado1, const char* ignorado2, const char* stEsquema, TovDataSet* produtos))   \
  /* card-payment vouchers */                                                                      \
  X(bool, ImprimeTef_FrameWork,                                                                    \
    (const char* textA, const char* textB, const char* unused3, const char* scheme,                \
     const TovStrings* firstCopies, const TovStrings* secondCopies, const TovStrings* unused7,     \
     const TovStrings* unused8, const char* unused9, const char* linkedText, const char* unused11, \
     double value, double unused13, int openMode, const char* routeFlag,                           \
     const char* terminalKind))                                                                    \
  X(bool, ImprimeTef,                                                                              \
    (const char* textA, const char* textB, const char* unused3, const char* scheme,                \
     const TovStrings* firstCopies, const TovStrings* secondCopies, const TovStrings* unused7,     \
     const TovStrings* unused8, const char* unused9, const char* linkedText, const char* unused11, \
     double value, double unused13, int openMode, const char* routeFlag, const char* unused16))    \
  X(bool, ImprimeTefRG_FrameWork,                                                                  \
    (const char* textA, const char* textB, const char* unused3, const char* scheme,                \
     const TovStrings* firstCopies, const TovStrings* secondCopies, const TovStrings* unused7,     \
     const TovStrings* unused8, const char* unused9, const char* linkedText, const char* unused11, \
     double value, double unused13, int openMode, const char* routeFlag))                          \
  X(bool, Abre_Comp_NFiscalVinc,                                                                   \
    (const char* scheme, const char* documentKind, const char* action, const char* text))          \
  X(bool, AbreCCD_FrameWork, (const char* scheme))                                                 \
  X(bool, AbreCCD_simplificado_FrameWork,                                                          \
    (const char* scheme, const char* method, const char* installments, const char* document,       \
     const char* value))                                                                           \
  X(bool, FechaCCD_FrameWork, (const char* scheme))                                                \
  /* consumer accounts */                                                                          \
  X(bool, Comp_DebitoCons,                                                                         \
    (const char* scheme, const TovVariant* products, double value, const char* unused4,            \
     const char* consumerNumber, const char* consumerName, const char* client,                     \
     const char* client2, const char* password, double balance, double subsidisedPrice,            \
     double unused12, const char* balanceMode, const char* message, const char* limitKind,         \
     const char* dailyLimit, const char* monthlyLimit, const TovVariant* consumption))             \
  X(bool, Compr_CredPessoal,                                                                       \
    (const char* unused1, const char* unused2, const char* unused3, const char* unused4,           \
     const char* unused5, const char* scheme, char* unused7, int size7, char* unused8, int size8,  \
     TovDataSet* payments, double balance, const char* consumerName, const char* depositNumber,    \
     const char* unused13, const char* unused14, const char* unused15, const char* unused16,       \
     const char* unused17, const char* unused18, const char* unused19, const char* unused20,       \
     const char* unused21, const char* unused22, const char* unused23, const char* unused24,       \
     bool unused25, const char* familyName, const char* unused27, const char* unused28))           \
  X(bool, Cancela_Cred_Pessoal,                                                                    \
    (const char* unused1, const char* unused2, const char* unused3, const char* unused4,           \
     const char* scheme, char* unused6, int size6, const char* depositNumber, const char* client,  \
     const char* consumer, const char* unused10, const char* paymentMethod, double amount,         \
     double balance, const char* familyName))                                                      \
  X(bool, ImpSaldo,                                                                                \
    (const char* scheme, TovDataSet* balances, const char* textA, const char* textB))              \
  X(bool, ImpSaldoDeb,                                                                             \
    (const char* scheme, TovDataSet* consumer, const char* textA, const char* textB))              \
  X(bool, Extrato, (const char* statement, const char* scheme))                                    \
  X(bool, Saldo_CredPessoal,                                                                       \
    (const char* unused1, const char* unused2, const char* scheme, const char* title,              \
     TovDataSet* balances))                                                                        \
  X(bool, SaldoNegativo,                                                                           \
    (const char* header1, const char* scheme, TovDataSet* types, TovDataSet* consumers,            \
     const char* title, const char* registerId, const char* header2, const char* header3))         \
  X(bool, Imp_CompVenCred,                                                                         \
    (const char* scheme, const TovVariant* products, const TovVariant* balances, double value,     \
     const char* unused5, const char* consumerNumber, const char* consumerName,                    \
     const char* client, const char* client2, const char* password, double balance,                \
     double subsidisedPrice, double complement, const char* balanceMode))

#define TOV00300_DECLARE_PLAIN_NAME(result, name, params) result name params;
TOV00300_PLAIN_NAMES(TOV00300_DECLARE_PLAIN_NAME)
#undef TOV00300_DECLARE_PLAIN_NAME

TOV00300_C_END

#endif /* TOV00300_TOV00300_C_H_ */
