/* The package's C interface: every plain export name with C types, the
 * opaque handles a C host (or any language with a C foreign-function
 * interface) uses to make and read the values those names take, the
 * package's exported state, its settings, the operator-dialog and
 * record-writer hooks, and the last error.
 *
 * Compiles as C99 and as C++. Link with -ltov00300 (pkg-config tov00300).
 *
 * Threads. One thread owns the package: it makes every call, and the hooks
 * are called on it, inside the call that needs them. The package's state
 * (the exported globals, the data module, the session) is not guarded. Only
 * the last error is kept per thread.
 *
 * Texts are const char*, zero terminated; a null pointer is an empty text
 * unless a function says otherwise. They are Windows-1252, as the printer
 * takes them, unless the host sets the setting "encoding" to "UTF-8": every
 * text then crosses the boundary as UTF-8 in both directions (parameters,
 * buffers, results, handles' values, hooks, globals), and a text holding a
 * character Windows-1252 has no byte for is refused (false, last error
 * TOV_ERR_ENCODING naming the character) before anything is printed.
 *
 * Buffers. An out or in/out text is a buffer and its size in bytes,
 * terminator included (`char* total, int totalSize`). An in/out buffer is
 * read up to its first zero byte or its size, whichever comes first. The
 * answer is written back cut to size - 1 bytes and zero terminated; nothing
 * is ever written past the size, and a null buffer or a size of 0 receives
 * nothing. When the answer did not fit, the last error is TOV_ERR_BUFFER and
 * tov_last_error_needed() gives the size that holds it: a query then answers
 * false; a name that printed or registered something keeps its answer, so a
 * document is never repeated because a buffer was short.
 *
 * Handles. Bags (TovVariant), positional value arrays (TovValues), string
 * lists (TovStrings) and data sets (TovDataSet) are made by the tov_*
 * functions below and belong to the host, which frees each one with its
 * tov_*_free function; the package reads and fills them during a call and
 * never keeps them after it. A null handle is an empty value, except where a
 * name must write into it (its contract says "required"): then the call is
 * refused with TOV_ERR_ARGUMENT.
 *
 * Results. No exception crosses the boundary. Every plain name clears the
 * calling thread's last error when it starts and sets it when it refuses an
 * input, when an operation stops with an error (the error's text, also
 * written to the debug log as "<name> : <text>"), when a hook answers
 * nonsense, or when an answer is cut. A name that fails answers false, 0 or
 * "" (see each contract). A text result is a pointer into a per-thread
 * buffer of the package, valid until the next call of the same name on that
 * thread. The tov_* functions set the last error only when they fail.
 *
 * Date-times are day counts: days since 1899-12-30, the fraction is the time
 * of day. Colour schemes (stEsquema) are only handed to the dialogs; unused
 * parameters are named unusedN after their position and never read. */
#ifndef TOV00300_TOV00300_C_H_
#define TOV00300_TOV00300_C_H_

#include "tov00300/export.h"
#include "tov00300/exported_globals.h"

#define TOV00300_VERSION_MAJOR 1
#define TOV00300_VERSION_MINOR 0
#define TOV00300_VERSION_PATCH 0
#define TOV00300_VERSION "1.0.0"

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
#define TOV00300_C_BEGIN \
  extern "C" {           \
  TOV00300_API_BEGIN
#define TOV00300_C_END \
  TOV00300_API_END     \
  }
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
#define TOV00300_C_BEGIN TOV00300_API_BEGIN
#define TOV00300_C_END TOV00300_API_END
#endif

TOV00300_C_BEGIN

/* What the last error says went wrong (tov_last_error). */
typedef enum TovError {
  TOV_OK = 0,            /* the last plain name left no error */
  TOV_ERR_ARGUMENT = 1,  /* a required handle or text was null, or a value out of range */
  TOV_ERR_BUFFER = 2,    /* an answer was cut to the host's buffer (see tov_last_error_needed) */
  TOV_ERR_ENCODING = 3,  /* a text is not UTF-8 or has no Windows-1252 form (UTF-8 mode) */
  TOV_ERR_EXCEPTION = 4, /* the operation stopped with an error: a value of the wrong type,
                            a missing field, a file that could not be written, ... */
  TOV_ERR_HOOK = 5,      /* a hook answered something that is not an answer */
  TOV_ERR_REFUSED = 6    /* the request was refused as it stands (tov_create_control_row) */
} TovError;

/* ---- hooks ------------------------------------------------------------------
 * X(result, type name, (parameters)). `user` is the pointer given when the
 * hook was installed. Texts follow the encoding setting. */
#define TOV00300_HOOK_TYPES(X)                                                                  \
  /* The operator dialog: shows `text` (and `detail`, a list of lines) and answers 1 (yes) or 0 \
     (no). `question` is "S" when an answer is expected; `type` 0 notice, 1 confirmation, 3     \
     retry or error; `context` is the caller's stEsquema ("001", "002" for some errors);        \
     `flag`, `reserved`, `number` and `dataSet` are handed on as the package gives them. Any    \
     other answer is taken as no and sets TOV_ERR_HOOK. */                                      \
  X(int, TovDialogHook,                                                                         \
    (void* user, const char* text, const char* detail, const char* flag, const char* question,  \
     int type, const char* reserved, const char* context, int number, TovDataSet* dataSet))     \
  /* Records a management report's emission: its two texts and the fiscal day. Answers the      \
     record's id, or a negative number when nothing was recorded (the package goes on). */      \
  X(int, TovGravaCERHook, (void* user, const char* textA, const char* textB, double fiscalDay)) \
  /* Records a non-fiscal document (X reading, Z reduction, report, fiscal-memory reading):     \
     key, receipt number (COO), counters 28, 33 and 45 of the printer, document kind, extra     \
     text, time of recording, fiscal day, text. Answers as TovGravaCERHook. */                  \
  X(int, TovDocumentHook,                                                                       \
    (void* user, const char* key, const char* receiptNumber, const char* counter28,             \
     const char* counter33, const char* counter45, const char* kind, const char* extra,         \
     double recordedAt, double fiscalDay, const char* text))

#define TOV00300_DECLARE_HOOK_TYPE(result, name, params) typedef result(*name) params;
TOV00300_HOOK_TYPES(TOV00300_DECLARE_HOOK_TYPE)
#undef TOV00300_DECLARE_HOOK_TYPE

/* ---- the library: version, last error, settings, hooks ----------------------
 * Settings (tov_set_setting), each with the meaning of the environment
 * variable in brackets, which gives its value at load; a call changes it for
 * the whole process, the driver library included, and answers false (last
 * error set) for an unknown name or a value it cannot take. An empty value
 * goes back to the default.
 *   "host_folder"    [TOV_HOST_DIR] the till's folder: debug log, registry
 *                    file, grand-total control file, documentos.db; also
 *                    DsDirCad. Default: the host executable's folder. Must exist.
 *   "drive_root"     [TOV_DRIVE_ROOT] the drive the till runs from; DsDirDrive,
 *                    and the driver makes its "Daruma" folder there when the
 *                    registry names none. Default "/". Must exist.
 *   "registry"       [TOV_REGISTRY] the registry file. Default: registry.ini in
 *                    the host folder. Its folder must exist.
 *   "driver_library" [TOV_DRIVER_LIBRARY] the printer driver library. Default:
 *                    libDarumaFrameWork.so beside the package.
 *   "signer_library" [TOV_SIGNER_LIBRARY] the EAD signing library. Default:
 *                    libsign_bema.so beside the package.
 *   "locale"         [LC_ALL, LC_NUMERIC, LANG] the number and date formats:
 *                    "pt_BR" (with any suffix) gives ',' decimal, '.'
 *                    thousands, DD/MM/YYYY and R$, whether or not the machine
 *                    has that locale; any other name the C defaults.
 *                    setlocale() has no effect on the package.
 *   "decimal_separator", "thousand_separator", "date_separator",
 *   "time_separator" (one character), "short_date_format",
 *   "long_time_format", "currency_string": one format at a time, after
 *                    "locale".
 *   "encoding"       "WINDOWS-1252" (default) or "UTF-8": see the top. */
#define TOV00300_LIBRARY_FUNCTIONS(X)                                                           \
  /* The library's version, "MAJOR.MINOR.PATCH" (TOV00300_VERSION of the header it was built    \
     with). */                                                                                  \
  X(const char*, tov_version, (void))                                                           \
  /* The calling thread's last error: its code (TOV_OK when none), and in *text (when not       \
     null) its description, valid until the thread's next call. */                              \
  X(int, tov_last_error, (const char** text))                                                   \
  /* After TOV_ERR_BUFFER: the buffer size, terminator included, that holds the answer. */      \
  X(int, tov_last_error_needed, (void))                                                         \
  /* Sets a setting (see above); false, with the last error, when refused. */                   \
  X(bool, tov_set_setting, (const char* name, const char* value))                               \
  /* A setting's value into buf; its whole length, or -1 for an unknown name. */                \
  X(int, tov_get_setting, (const char* name, char* buf, int bufSize))                           \
  /* Installs the operator dialog; a null hook restores the default (the text on standard       \
     error, every question answered no). */                                                     \
  X(void, tov_set_dialog_hook, (TovDialogHook hook, void* user))                                \
  /* Installs the record writers; a null hook restores the default (documentos.db, SQLite, in   \
     the host folder). */                                                                       \
  X(void, tov_set_grava_cer_hook, (TovGravaCERHook hook, void* user))                           \
  X(void, tov_set_document_hook, (TovDocumentHook hook, void* user))                            \
  /* Adds the grand-total control row of a new till (branch, till, printer serial number and    \
     the scrambled-on-write MD5 of the program's file list, may be empty) to Brindal.cds in     \
     DsDirCad, making the file when missing: control on, the reset total 10,10, which the       \
     first check replaces by the printer's. Refused (TOV_ERR_REFUSED, nothing written) when the \
     file already has a row for that till and printer: a recorded total is never reset. */      \
  X(bool, tov_create_control_row,                                                               \
    (const char* cdFilial, const char* cdCaixa, const char* nrSerieEcf, const char* md5))       \
  /* Every declaration of this header as text, one per line: "kind|result|name|(parameters)",   \
     kind "plain", "function", "hook", "text" or "scalar". Language bindings read their         \
     signatures from it. */                                                                     \
  X(const char*, tov_declarations, (void))

/* ---- values: variants, bags, arrays, string lists, data sets -----------------
 * Text getters copy into buf (cut to bufSize - 1, zero terminated) and answer
 * the whole text's length in bytes, or -1 when there is no such key, index or
 * field or the value has no text form; a host whose buffer was short calls
 * again with length + 1. Setters answer false for a null handle or key, an
 * index out of range, or a text refused by the encoding.
 * Data sets: make one with tov_dataset_new, declare its fields,
 * tov_dataset_create it, then append rows (tov_dataset_append, set the fields,
 * tov_dataset_post). Field types: 'S' text (size = width in bytes), 'I'
 * integer, 'F' float, 'B' boolean, 'D' date-time (a day count). */
#define TOV00300_VALUE_FUNCTIONS(X)                                                           \
  /* A new empty bag (an array of (key, value) pairs); free with tov_variant_free. */         \
  X(TovVariant*, tov_bag_new, (void))                                                         \
  /* A new array of `count` empty values, as the result array some names fill. */             \
  X(TovVariant*, tov_array_new, (int count))                                                  \
  /* A data set's whole content as a variant (a data packet), for the names that take one. */ \
  X(TovVariant*, tov_variant_from_dataset, (const TovDataSet* ds))                            \
  X(void, tov_variant_free, (TovVariant * v))                                                 \
  /* Sets a bag's key (compared without regard to case), replacing its value, else adding the \
     pair at the end. */                                                                      \
  X(bool, tov_bag_set_text, (TovVariant * bag, const char* key, const char* value))           \
  X(bool, tov_bag_set_int, (TovVariant * bag, const char* key, int value))                    \
  X(bool, tov_bag_set_double, (TovVariant * bag, const char* key, double value))              \
  X(bool, tov_bag_set_bool, (TovVariant * bag, const char* key, bool value))                  \
  X(bool, tov_bag_set_datetime, (TovVariant * bag, const char* key, double days))             \
  X(bool, tov_bag_set_null, (TovVariant * bag, const char* key))                              \
  /* The key of the bag's pair `index` (from 0), to walk a bag the package returned. */       \
  X(int, tov_bag_key, (const TovVariant* bag, int index, char* buf, int bufSize))             \
  /* A key's value as text, in the runtime's conversion rules. */                             \
  X(int, tov_bag_get_text, (const TovVariant* bag, const char* key, char* buf, int bufSize))  \
  /* A key's value as a number; false when absent or not a number. */                         \
  X(bool, tov_bag_get_double, (const TovVariant* bag, const char* key, double* out))          \
  /* Elements of an array (a result array, or a bag's pairs); -1 when not an array. */        \
  X(int, tov_array_count, (const TovVariant* array))                                          \
  X(int, tov_array_get_text, (const TovVariant* array, int index, char* buf, int bufSize))    \
  X(bool, tov_array_get_double, (const TovVariant* array, int index, double* out))            \
  /* Positional value arrays: `count` empty positions, set by index from 0. */                \
  X(TovValues*, tov_values_new, (int count))                                                  \
  X(void, tov_values_free, (TovValues * values))                                              \
  X(int, tov_values_count, (const TovValues* values))                                         \
  X(bool, tov_values_set_text, (TovValues * values, int index, const char* value))            \
  X(bool, tov_values_set_int, (TovValues * values, int index, int value))                     \
  X(bool, tov_values_set_double, (TovValues * values, int index, double value))               \
  X(bool, tov_values_set_bool, (TovValues * values, int index, bool value))                   \
  X(bool, tov_values_set_datetime, (TovValues * values, int index, double days))              \
  X(bool, tov_values_set_null, (TovValues * values, int index))                               \
  /* A data set's whole content (fields and rows) as the value at `index`. */                 \
  X(bool, tov_values_set_dataset, (TovValues * values, int index, const TovDataSet* ds))      \
  /* String lists. */                                                                         \
  X(TovStrings*, tov_strings_new, (void))                                                     \
  X(void, tov_strings_free, (TovStrings * list))                                              \
  X(bool, tov_strings_add, (TovStrings * list, const char* text))                             \
  X(int, tov_strings_count, (const TovStrings* list))                                         \
  X(int, tov_strings_get, (const TovStrings* list, int index, char* buf, int bufSize))        \
  /* Data sets. */                                                                            \
  X(TovDataSet*, tov_dataset_new, (const char* name))                                         \
  X(void, tov_dataset_free, (TovDataSet * ds))                                                \
  X(bool, tov_dataset_add_field, (TovDataSet * ds, const char* name, char type, int size))    \
  X(bool, tov_dataset_create, (TovDataSet * ds))                                              \
  X(bool, tov_dataset_append, (TovDataSet * ds))                                              \
  X(bool, tov_dataset_set_text, (TovDataSet * ds, const char* field, const char* value))      \
  X(bool, tov_dataset_set_double, (TovDataSet * ds, const char* field, double value))         \
  X(bool, tov_dataset_set_int, (TovDataSet * ds, const char* field, int value))               \
  X(bool, tov_dataset_set_null, (TovDataSet * ds, const char* field))                         \
  X(bool, tov_dataset_post, (TovDataSet * ds))                                                \
  X(int, tov_dataset_record_count, (const TovDataSet* ds))                                    \
  X(int, tov_dataset_field_count, (const TovDataSet* ds))                                     \
  X(int, tov_dataset_field_name, (const TovDataSet* ds, int index, char* buf, int bufSize))   \
  /* The field's type letter ('S', 'I', 'F', 'B', 'D'), 0 for no such field. */               \
  X(char, tov_dataset_field_type, (const TovDataSet* ds, int index))                          \
  /* Cursor: to the first row / the next row; eof is true past the last row. */               \
  X(bool, tov_dataset_first, (TovDataSet * ds))                                               \
  X(bool, tov_dataset_next, (TovDataSet * ds))                                                \
  X(bool, tov_dataset_eof, (const TovDataSet* ds))                                            \
  /* The current row's field; -1 for an unknown field, a null value or no current row. */     \
  X(int, tov_dataset_get_text, (TovDataSet * ds, const char* field, char* buf, int bufSize))  \
  X(bool, tov_dataset_get_double, (TovDataSet * ds, const char* field, double* out))          \
  /* The whole table as a data-packet file (XML), written atomically / read back. */          \
  X(bool, tov_dataset_save_file, (const TovDataSet* ds, const char* path))                    \
  X(bool, tov_dataset_load_file, (TovDataSet * ds, const char* path))

/* ---- the package's exported state ---------------------------------------------
 * One getter and one setter per exported global, made from the lists of
 * tov00300/exported_globals.h:
 *   int tov_get_stRetorno(char* buf, int bufSize)   (the text getters' rule)
 *   bool tov_set_stRetorno(const char* value)
 *   int tov_get_inRetorno(void), void tov_set_inRetorno(int value), ...
 * What each global means is in tov00300/state.h; stMensagemTaa holds the
 * printer's messages, inRetorno the last driver code. */

/* ---- the plain export names ----------------------------------------------------
 * X(result, name, (parameters)), with a one-line contract above each. The list
 * is the single source of the declarations below, of tov_declarations() and
 * of the tests that call every name. "true when ..." results are false after
 * a refusal, an error or a printer that did not answer as asked. */
#define TOV00300_PLAIN_NAMES(X)                                                                    \
  /* ---- package frame ---- */                                                                    \
  /* The load step (runs by itself at load): DsDirCad and DsDirDrive from the settings. */         \
  X(void, Initialize, (void))                                                                      \
  /* The unload step (runs by itself at unload): clears every exported text. */                    \
  X(void, Finalize, (void))                                                                        \
  /* Appends `texto` to this month's debug log; false when the log cannot be written. */           \
  X(bool, ImpFisDebug, (const char* texto))                                                        \
  /* The registry value "Path" of Software\DARUMA\ECF, "" when absent. */                          \
  X(const char*, BuscaDiretorio, (void))                                                           \
  /* ---- driver binding and return analysis ---- */                                               \
  /* Loads the driver library and binds its 54 entry points; true when all were bound. */          \
  X(bool, StartImpFiscal_FrameWork, (void))                                                        \
  /* Judges driver code `inCodRetorno` and the printer's last-command status (dialogs when         \
     boMostraMsg, warning 1 too with boAvisoUm); true when the command counts as done. */          \
  X(bool, AnalisaRetorno_FrameWork,                                                                \
    (const char* stEsquema, int inCodRetorno, bool boMostraMsg, bool unused4, bool boAvisoUm))     \
  /* The analysis of the stored inRetorno, shown when boNUtilTaa; stored in boClieUtil. */         \
  X(bool, Estado_Imp, (const char* stEsquema, bool unused2, bool unused3))                         \
  /* The older driver interface's analysis of `code`: true when it is a success. */                \
  X(bool, AnalisaRetorno,                                                                          \
    (const char* stEsquema, int code, bool show, bool cancelOpenReceipt, bool showLowPaper))       \
  /* ---- configuration tables: tax rates, payment methods, totalizers, identity ---- */           \
  /* Fills `cdsAliquotas` with the printer's tax rates ("01"...) and the codes NN, II, FF. */      \
  X(void, CarregaAliquota, (const char* stEsquema, TovDataSet* cdsAliquotas))                      \
  /* Puts the printer's raw tax-rate list in stRetorno; always false (read stRetorno). */          \
  X(bool, Retorno_Aliquotas_Imp, (const char* stEsquema))                                          \
  /* Synchronises the host's payment types (`cdsTipoRece`, in/out) with the printer's methods,     \
     registering those it lacks; sets the special-method globals. */                               \
  X(void, CarregaRecebimento,                                                                      \
    (const char* unused1, const char* stEsquema, int unused3, TovDataSet* cdsTipoRece))            \
  /* Registers the payment method `nome` (16 characters) in the printer; true when done. */        \
  X(bool, Config_FormaPg,                                                                          \
    (const char* stEsquema, const char* nome, bool boMostraMsg, bool unused4))                     \
  /* Finds or registers the till's five non-fiscal totalizers; in/out: their printer indices       \
     (two digits), also left in IdTotParcCV, IdTotParcVCons, IdTotCompCred, IdTotCancCred. */      \
  X(void, CarregaTotalizador,                                                                      \
    (char* contraVale, int contraValeSize, char* vendaConsumidor, int vendaConsumidorSize,         \
     char* compraCredito, int compraCreditoSize, char* cancelaCredito, int cancelaCreditoSize,     \
     char* relatorio, int relatorioSize, const char* stEsquema, int unused7, TovDataSet* unused8)) \
  /* True when the personal-credit purchase totalizer is known (IdTotCompCred). */                 \
  X(bool, VerificaTotalizador, (void))                                                             \
  /* Does nothing; always false. */                                                                \
  X(bool, Nomeia_TotParcial,                                                                       \
    (const char* unused1, const char* unused2, const char* unused3, const char* unused4,           \
     bool unused5, bool unused6))                                                                  \
  /* Does nothing; the buffers are not touched. */                                                 \
  X(void, CarregaRelatorioGer,                                                                     \
    (char* unused1, int unused1Size, char* unused2, int unused2Size, char* unused3,                \
     int unused3Size, char* unused4, int unused4Size, char* unused5, int unused5Size,              \
     char* unused6, int unused6Size, const char* unused7, int unused8))                            \
  /* Out: printer information 80 (20 chars), 81 (20) and 79 (7), as the driver wrote them. */      \
  X(bool, Modelo_Impressora,                                                                       \
    (const char* stEsquema, char* info80, int info80Size, char* info81, int info81Size,            \
     char* info79, int info79Size))                                                                \
  /* Reads the bag's keys; nothing is checked; always true. */                                     \
  X(bool, VerificaSerialImp, (const TovVariant* bag))                                              \
  /* Fixed answer true; the buffer is not touched. */                                              \
  X(bool, Versao_Software_Basico, (const char* unused1, char* unused2, int unused2Size))           \
  /* Fixed answer true; the buffers are not touched. */                                            \
  X(bool, DataHoraGravacaoUsuarioSWBasicoMFAdicional,                                              \
    (const char* unused1, char* unused2, int unused2Size, char* unused3, int unused3Size,          \
     char* unused4, int unused4Size))                                                              \
  /* Fixed answer true; the buffer is not touched. */                                              \
  X(bool, NumeroOperacoesNaoFiscais, (const char* unused1, char* unused2, int unused2Size))        \
  /* Produces no file; always true. */                                                             \
  X(bool, GeraBinMes, (double unused1, double unused2, const char* unused3))                       \
  /* Always "000000". */                                                                           \
  X(const char*, Codigo_Nacional_ECF, (int unused1, const char* unused2))                          \
  /* ---- fiscal receipt: opening, numbering, items, cancellations; non-fiscal receipt ---- */     \
  /* Opens a fiscal receipt (identified when INCLUICPF is given); the bag (required, in/out)       \
     receives CUPNR (COO), CONTCUPOM (CCF), INTTEFERRO, MENSAGEMTAA...; true when open. */         \
  X(bool, AbreCupom, (TovVariant * bag))                                                           \
  /* The printer's COO, six characters, or "ERRO". */                                              \
  X(const char*, Nr_Cupom, (const char* unused1, const char* stEsquema))                           \
  /* Out: the printer's CCF (six characters); true when the printer answered. */                   \
  X(bool, ContadorCupomFiscalMFD, (const char* stEsquema, char* contador, int contadorSize))       \
  /* The value of stNrCupom. */                                                                    \
  X(const char*, NumeroCupom, (void))                                                              \
  /* Sells one item (bag required, in/out: CDALIQ, VRPERCALIQ, QTDE, VALOR, DESCONT, ACRESCIMO,    \
     CDARVPROD, UNIDADE, NMPROD, ...); a refused item may be offered again; true when sold. */     \
  X(bool, VendaItem, (TovVariant * bag))                                                           \
  /* Cancels item `nrItem` (its first character dropped) of the open receipt; true when done. */   \
  X(bool, Cancela_ItGenerico,                                                                      \
    (const char* stEsquema, const char* nrItem, const char* unused3, const char* unused4,          \
     const char* unused5, const char* unused6, const char* unused7, const char* unused8,           \
     const char* unused9, double unused10, double unused11))                                       \
  /* Cancels the last item sold; true when done. */                                                \
  X(bool, Cancela_UltimoItem, (const char* stEsquema))                                             \
  /* Cancels the open or last receipt (`valores`: 0 stEsquema, 1 show, 4-6 branch, till,           \
     serial); `result` (required) element 0 gets its number; true when cancelled. */               \
  X(bool, Cancela_Cupom_Imp, (const TovValues* valores, TovVariant* result))                       \
  /* Out: the printer's surcharge total (13 digits, 2 implied decimals); true when answered. */    \
  X(bool, Acrescimo_Imp, (const char* stEsquema, char* total, int totalSize))                      \
  /* Does nothing. */                                                                              \
  X(void, Leitura_Totais_Imp, (bool unused1, bool unused2))                                        \
  /* Prints a non-fiscal receipt of `valor` (a number text) on totalizer `totalizador` paid        \
     with `formaPagto`; true when the printer closed it. */                                        \
  X(bool, Cupom_NFiscNVinc,                                                                        \
    (const char* stEsquema, const char* totalizador, const char* valor, const char* formaPagto,    \
     const char* unused5))                                                                         \
  /* ---- session start and stop, port opening, clocks; register queries ---- */                   \
  /* Starts the session (bag: CDFILIAL, CDCAIXA, NRSERIEIMP, ESQUEMA, CDPORTAIMPFIS,               \
     IDTIPOIMPFIS, BOUTILTAA): binds the driver, opens the port; true when the port opened. */     \
  X(bool, StartImpFiscal, (TovVariant * bag))                                                      \
  /* Unbinds the driver's entry points; the library stays loaded. */                               \
  X(void, StopImpFiscal, (void))                                                                   \
  /* Creates the data module when absent and opens the port as AbrePorta_FrameWork. */             \
  X(bool, AbrePorta, (const TovVariant* bag))                                                      \
  /* Closes the port; true when the driver answered 1. */                                          \
  X(bool, FechaPorta, (void))                                                                      \
  /* The analysis of the printer's last-command status (dialogs when boNUtilTaa). */               \
  X(bool, ImpressoraOk, (const char* stEsquema, bool unused2, bool unused3, bool unused4))         \
  /* Opens the port at 115200 and runs the start-of-day checks; true when the till can sell. */    \
  X(bool, AbrePorta_FrameWork, (const TovVariant* bag))                                            \
  /* Compares the printer's clock with the computer's (read first into the in/out                  \
     stDataHoraImp when boLeRelogio); in/out dtData becomes the movement date; true when close. */ \
  X(bool, VerificaData,                                                                            \
    (const char* stEsquema, double* dtData, char* stDataHoraImp, int stDataHoraImpSize,            \
     const char* stDataMov, bool boLeRelogio))                                                     \
  /* Out: the printer's clock, DDMMYYHHMMSS; true when the printer answered. */                    \
  X(bool, Data_Imp, (const char* stEsquema, char* stDataHora, int stDataHoraSize))                 \
  /* The printer's fiscal day as a day count; today when it has none. */                           \
  X(double, DataMoviFiscal, (const char* stEsquema))                                               \
  /* True when daylight saving is on in the printer (its clock 50 minutes or more ahead). */       \
  X(bool, Estado_HorVerao, (const char* stEsquema))                                                \
  /* Switches the printer's daylight saving to match the computer's clock; true when changed. */   \
  X(bool, Muda_Horario, (const char* stEsquema))                                                   \
  /* Replaces the bag (required) by DATAATUIMP, ECFIMP, REDIMP, SERIEIMP, DATAIMP read from        \
     the printer; true when every one was read. */                                                 \
  X(bool, Carrega_Dados_Impressora, (TovVariant * bag))                                            \
  /* A printer amount (digits, two implied decimals) as a number; 0 with the last error set        \
     for a text that is not one. */                                                                \
  X(double, GetValue, (const char* texto))                                                         \
  /* Out: the grand total (register 1) in the decimal separator of the settings. */                \
  X(bool, BuscaTotGer, (const char* stEsquema, char* total, int totalSize))                        \
  /* Out: the day's gross sales (register 1 minus register 2). */                                  \
  X(bool, BuscaVendaBruta, (const char* stEsquema, char* venda, int vendaSize))                    \
  /* Out: the total of cancellations (register 13). */                                             \
  X(bool, Cancelamentos, (const char* stEsquema, char* total, int totalSize))                      \
  /* Out: the total of discounts (register 11). */                                                 \
  X(bool, BuscaDescontos, (const char* stEsquema, char* total, int totalSize))                     \
  /* Out: the number of the next Z reduction (register 24 plus one, four digits). */               \
  X(bool, BuscaNReducoes, (const char* stEsquema, char* numero, int numeroSize))                   \
  /* Out: the non-fiscal operation counter (register 28). */                                       \
  X(bool, BuscaOpNFis, (const char* stEsquema, char* contador, int contadorSize))                  \
  /* Out: the restart-of-operation counter (register 23, four digits). */                          \
  X(bool, BuscaReinicioOp, (const char* stEsquema, char* contador, int contadorSize))              \
  /* The last Z reduction's record into `resultado` (required, at least 49 elements) and its       \
     taxes into `dsImposto` (`parametros[0]` is stEsquema); true when read. */                     \
  X(bool, DadosUltimaRedZ,                                                                         \
    (const TovValues* parametros, TovVariant* resultado, TovDataSet* dsImposto))                   \
  /* The grand-total control of Brindal.cds (bag: ESQUEMACOR, IDVALIDA "S" checks, else            \
     records); true when the totals agree or the total was recorded. */                            \
  X(bool, Atu_TotGeral, (const TovVariant* bag))                                                   \
  /* ---- fiscal receipt: footer, closing and payments ---- */                                     \
  /* The receipt's closing message (lines separated by a line feed) composed from the              \
     parameters; talks to no printer; "" with the last error when a table lacks a field. */        \
  X(const char*, Formata_rodape,                                                                   \
    (int inLimite, const char* stModoSaldo, const char* stLinha1, const char* stTributos,          \
     const char* stLinha3, const char* cdConvenio, const char* nmConvenio,                         \
     const char* cdConsumidor, const char* nmConsumidor, const char* cdOperador,                   \
     const char* nmOperador, const char* stMesa, const char* stSenha, const char* unused14,        \
     const char* unused15, const char* unused16, const char* stMensagem, const char* nrEcfConf,    \
     const char* nrCerConf, const char* nrCooConf, const char* stTipoSaldo,                        \
     const char* stTipoRodape, double vrPagoConta, double vrPrecoSubsidio,                         \
     double vrSaldoConsumidor, TovDataSet* cdsSaldos, TovDataSet* cdsFamilias,                     \
     TovDataSet* cdsEmprestimos, bool boAnexaLista, const TovStrings* slLinhas,                    \
     const char* stPontos, const char* stPontosExtras))                                            \
  /* Totals, pays (`valores`: 61 positions, 13 movements, 14 payment types) and closes the         \
     receipt with its footer (`linhas` appended); `result` (required) gets 4 elements; true        \
     when closed. */                                                                               \
  X(bool, FechaCupom, (const TovValues* valores, const TovStrings* linhas, TovVariant* result))    \
  /* Prints nothing; always true. */                                                               \
  X(bool, Totaliza_NFiscal, (const char* unused1, const char* unused2))                            \
  /* ---- management reports ---- */                                                               \
  /* One whole management report of `texto` (lines separated by a line feed); true when it         \
     was printed whole and closed. */                                                              \
  X(bool, RG_FrameWork, (const char* stEsquema, const char* texto))                                \
  /* Opens a management report (and records textoA, textoB with GravaCER when `grava` is not       \
     empty); true when open. */                                                                    \
  X(bool, Relatorio_Gerencial_Imp,                                                                 \
    (const char* stEsquema, const char* textoA, const char* textoB, const char* unused4,           \
     const char* grava))                                                                           \
  /* Prints `texto` (at most 619 characters) into the open report; true when printed. */           \
  X(bool, Usa_CompNFis, (const char* stEsquema, const char* texto))                                \
  /* Closes the management report when one is open; true when none is left open. */                \
  X(bool, FechRelatGerenc, (const char* stEsquema, bool boMostraMsg, bool unused3))                \
  /* True when the printer says a management report is open. */                                    \
  X(bool, UsaRG_FrameWork, (const char* stEsquema))                                                \
  /* Opens a report and prints the standard header (`titulo`, till `caixa`, now); left open. */    \
  X(void, Cabecalho,                                                                               \
    (const char* unused1, const char* stEsquema, const char* titulo, const char* caixa,            \
     const char* unused5, const char* unused6))                                                    \
  /* Hands the host's document hook the record of a document of kind `tipo` under `chave`. */      \
  X(void, GravaDocumentosNaoFiscais,                                                               \
    (const char* chave, const char* stEsquema, const char* tipo, const char* extra))               \
  /* A whole report for printer types 24 and 29, recorded as "RG" under `chave`; true when         \
     printed whole and closed. */                                                                  \
  X(bool, Relatorio_Generico,                                                                      \
    (const char* stEsquema, const char* textoA, const char* textoB, const char* texto,             \
     const char* chave, const char* unused6))                                                      \
  /* The exchange voucher: one report per group of lines; true when every one was printed. */      \
  X(bool, Cupom_Troca,                                                                             \
    (const char* stEsquema, const char* unused2, const char* unused3, const char* texto))          \
  /* Out: the COO (six characters or "ERRO"); then prints `texto` as a report; true when           \
     printed. */                                                                                   \
  X(bool, Conferencia_Formatada,                                                                   \
    (const char* stEsquema, const char* unused2, const char* unused3, const char* unused4,         \
     const char* unused5, const char* unused6, char* nrCupom, int nrCupomSize, const char* texto)) \
  /* Prints bar code `codigo` of kind `tipo` ("EAN-13", "CODE128", ...) in its own report;         \
     true when printed. */                                                                         \
  X(bool, CodigoBarra,                                                                             \
    (const char* stEsquema, const char* textoA, const char* textoB, int unused4,                   \
     const char* codigo, const char* tipo))                                                        \
  /* ---- X reading and Z reduction ---- */                                                        \
  /* Prints the X reading, recorded as "LX" under `chave`; true when printed. */                   \
  X(bool, Leitura_X_Imp,                                                                           \
    (const char* chave, const char* unused2, const char* stEsquema, const char* unused4))          \
  /* Makes the Z reduction (closes the fiscal day), recorded as "RZ"; true when made. */           \
  X(bool, Reducao_Z_Imp,                                                                           \
    (const char* chave, const char* unused2, const char* stEsquema, const char* unused4))          \
  /* ---- cash supply, withdrawal and drawer ---- */                                               \
  /* Registers cash put into the drawer (0 or less sends nothing); true when done. */              \
  X(bool, Suprimento, (const char* stEsquema, double valor))                                       \
  /* Registers cash taken out of the drawer; true when done. */                                    \
  X(bool, Sangria,                                                                                 \
    (const char* unused1, const char* stEsquema, double valor, TovDataSet* unused4))               \
  /* Opens the drawer; true when the command succeeded. */                                         \
  X(bool, Abre_Gaveta_Imp, (const char* stEsquema, bool unused2))                                  \
  /* The drawer: "01" open, "00" closed, "" when the printer could not be asked. */                \
  X(const char*, Estado_Gaveta_Imp, (const char* stEsquema))                                       \
  /* ---- Z-reduction export ---- */                                                               \
  /* The fiscal day's figures into the four data sets (day totals, payments by `paymentTypes`,     \
     taxes, non-fiscal totalizers); false with the last error when the export stopped. */          \
  X(bool, ExportRedZ,                                                                              \
    (const char* unused1, const char* stEsquema, const char* ecfNumber, int unused4,               \
     const TovDataSet* paymentTypes, TovDataSet* dsReducaoZ, TovDataSet* dsFormPgtoRedZ,           \
     TovDataSet* dsImpostoRedZ, TovDataSet* dsTotNFiscRedZ))                                       \
  /* ---- legal files ---- */                                                                      \
  /* Signs the file `caminho` in place (EAD record); the signer's code goes to inRetorno. */       \
  X(void, geraEad, (const char* caminho))                                                          \
  /* Prints a fiscal-memory reading by dates ("D") or reductions ("R"); true when printed. */      \
  X(bool, Memoria_Fiscal_Imp,                                                                      \
    (const char* stEsquema, const char* tipo, const char* inicio, const char* fim,                 \
     const char* unused5))                                                                         \
  /* Prints a fiscal-memory reading (`flag` "s" simplified; `tipo` "DATA" dates), recorded as      \
     "MF" under `chave`; true when printed. */                                                     \
  X(bool, EmiteLeituraMemoriaFiscal,                                                               \
    (const char* stEsquema, const char* inicio, const char* fim, const char* flag,                 \
     const char* tipo, const char* chave))                                                         \
  /* The reading as a signed file in Dados\MenuFiscal (`valores`: stEsquema, start, end,           \
     flag, kind); true when written and signed. */                                                 \
  X(bool, EmiteLeituraMemoriaFiscalSerial, (const TovValues* valores, TovVariant* unused2))        \
  /* The MFD text and binary files of a range (`valores`: kind, start, end, -, prefix) in          \
     Dados\MenuFiscal; true when every file is in place. */                                        \
  X(bool, Gera_ArquivoMFD, (const TovValues* valores, TovVariant* unused2))                        \
  /* The signed MFD mirror of the range `valores[6]`..`valores[7]`; true when written. */          \
  X(bool, geraEspelhoMfd, (const TovValues* valores, TovVariant* unused2))                         \
  /* The fiscal memory (binary) copied to `destino`; true when in place. */                        \
  X(bool, GERA_MF, (const char* unused1, const char* destino))                                     \
  /* Prints the program's identification (`valores`: -, -, stEsquema, identification packet,       \
     printer list packet). */                                                                      \
  X(void, ImprimeDadosPaf, (const TovValues* valores, TovVariant* unused2))                        \
  /* The daily CAT files of a range (`valores`: parameters packet, first and last day);            \
     `lista` gets their paths; true when at least one was collected. */                            \
  X(bool, GeraCatGenerica, (const TovValues* valores, TovStrings* lista))                          \
  /* ---- cash closing and table service ---- */                                                   \
  /* The product sales report (`confirma` "N" prints, "S" asks first; `agrupado` "S" by tax);      \
     in/out nrCupom and *relatorio (true once printing was allowed). */                            \
  X(void, Relatorio_Produto,                                                                       \
    (const char* unused1, const char* unused2, const char* unused3, const char* unused4,           \
     const char* unused5, char* nrCupom, int nrCupomSize, TovDataSet* produtos,                    \
     const char* confirma, const char* agrupado, const char* stEsquema, bool* relatorio))          \
  /* The withdrawal receipt and, at closing, the closing reports and the operator's questions;     \
   *reducaoConfirmada tells a confirmed Z; true only when the operator reopens the till. */        \
  X(bool, GeraReciboSangria,                                                                       \
    (const char* unused1, const char* chaveRegistro, const char* produto3, const char* produto4,   \
     const char* unused5, int unused6, char* nrCupom, int nrCupomSize, TovDataSet* movFecha,       \
     TovDataSet* sangria, TovDataSet* produtos, TovDataSet* operadorSup, TovDataSet* movTot,       \
     TovDataSet* movAbertura, TovDataSet* produtosGeral, TovDataSet* cargaCredito,                 \
     double unused16, bool imprimeSangria, bool permiteReducao, bool unused19,                     \
     TovDataSet* unused20, TovDataSet* unused21, TovDataSet* unused22, TovDataSet* unused23,       \
     bool* reducaoConfirmada, TovDataSet* tiposRece, const char* confirmaProdutos,                 \
     const char* agrupaProdutos, const char* leituraX, const char* envelope,                       \
     const char* stEsquema, bool somenteSangria, bool caixaTratado, bool reducaoLiberada,          \
     const char* motivo, const char* observacao))                                                  \
  /* The opening print of table `mesa` with its items (a data packet); true when printed. */       \
  X(bool, Abertura_Mesa,                                                                           \
    (const char* unused1, const char* stEsquema, const char* unused3, const char* mesa,            \
     const char* unused5, const char* emissao, const TovVariant* itens, double desconto,           \
     double unused9, double unused10, double taxaServico, double unused12, double total,           \
     double acrescimo))                                                                            \
  /* The sales register of a table or tab `numero`; true when printed. */                          \
  X(bool, RegistroVenda,                                                                           \
    (const char* unused1, const char* unused2, const char* stEsquema, TovDataSet* itens,           \
     const char* numero))                                                                          \
  /* Prints the open tables and tabs of the data packet `mesas`. */                                \
  X(void, ImprimeMesasAbertas,                                                                     \
    (TovDataSet * unused1, const char* unused2, const char* unused3, const char* stEsquema,        \
     const char* unused5, const TovVariant* mesas))                                                \
  /* Prints the products moved between tables (a data packet). */                                  \
  X(void, imprimeProdutosTransf,                                                                   \
    (const char* unused1, const char* unused2, const char* stEsquema, const TovVariant* produtos)) \
  /* Prints the host's report text, recorded as "RG" under `chaveRegistro`; true when printed. */  \
  X(bool, imprimeTipoRece,                                                                         \
    (const char* unused1, const char* unused2, const char* stEsquema, const char* chaveRegistro,   \
     const char* texto))                                                                           \
  /* Prints the blocked products; true when printed. */                                            \
  X(bool, ImprimeProdBloq,                                                                         \
    (const char* unused1, const char* unused2, const char* stEsquema, TovDataSet* produtos))       \
  /* ---- card-payment vouchers ---- */                                                            \
  /* Prints the card vouchers (copies from the two lists) linked to the last card payment, or      \
     as a report; a refusal may be offered again; true when every text was printed. */             \
  X(bool, ImprimeTef_FrameWork,                                                                    \
    (const char* textA, const char* textB, const char* unused3, const char* stEsquema,             \
     const TovStrings* firstCopies, const TovStrings* secondCopies, const TovStrings* unused7,     \
     const TovStrings* unused8, const char* unused9, const char* linkedText, const char* unused11, \
     double value, double unused13, int openMode, const char* routeFlag,                           \
     const char* terminalKind))                                                                    \
  /* ImprimeTef_FrameWork without a terminal kind. */                                              \
  X(bool, ImprimeTef,                                                                              \
    (const char* textA, const char* textB, const char* unused3, const char* stEsquema,             \
     const TovStrings* firstCopies, const TovStrings* secondCopies, const TovStrings* unused7,     \
     const TovStrings* unused8, const char* unused9, const char* linkedText, const char* unused11, \
     double value, double unused13, int openMode, const char* routeFlag, const char* unused16))    \
  /* The card vouchers as one management report; true when every text was printed. */              \
  X(bool, ImprimeTefRG_FrameWork,                                                                  \
    (const char* textA, const char* textB, const char* unused3, const char* stEsquema,             \
     const TovStrings* firstCopies, const TovStrings* secondCopies, const TovStrings* unused7,     \
     const TovStrings* unused8, const char* unused9, const char* linkedText, const char* unused11, \
     double value, double unused13, int openMode, const char* routeFlag))                          \
  /* Runs the linked-voucher step `action` ("AbreCCD", "ImprimeCCD", "FechaCCD", "UsaRG") for      \
     kind "CCD"; true when done. */                                                                \
  X(bool, Abre_Comp_NFiscalVinc,                                                                   \
    (const char* stEsquema, const char* documentKind, const char* action, const char* text))       \
  /* Opens a linked voucher for the last card payment; true when open. */                          \
  X(bool, AbreCCD_FrameWork, (const char* stEsquema))                                              \
  /* The same as AbreCCD_FrameWork; the other texts are not read. */                               \
  X(bool, AbreCCD_simplificado_FrameWork,                                                          \
    (const char* stEsquema, const char* unused2, const char* unused3, const char* unused4,         \
     const char* unused5))                                                                         \
  /* Closes the linked voucher when one is open; true when none is left open. */                   \
  X(bool, FechaCCD_FrameWork, (const char* stEsquema))                                             \
  /* ---- consumer accounts ---- */                                                                \
  /* Prints the signed voucher of a purchase on a consumer's debit account; true when printed. */  \
  X(bool, Comp_DebitoCons,                                                                         \
    (const char* stEsquema, const TovVariant* products, double value, const char* unused4,         \
     const char* consumerNumber, const char* consumerName, const char* client,                     \
     const char* client2, const char* password, double balance, double subsidisedPrice,            \
     double unused12, const char* balanceMode, const char* message, const char* limitKind,         \
     const char* dailyLimit, const char* monthlyLimit, const TovVariant* consumption))             \
  /* A personal-credit deposit: its voucher and one non-fiscal receipt per row of `payments`;      \
     the two buffers are read and given back unchanged; true when every receipt closed. */         \
  X(bool, Compr_CredPessoal,                                                                       \
    (const char* unused1, const char* unused2, const char* unused3, const char* unused4,           \
     const char* unused5, const char* stEsquema, char* unused7, int unused7Size, char* unused8,    \
     int unused8Size, TovDataSet* payments, double balance, const char* consumerName,              \
     const char* depositNumber, const char* unused13, const char* unused14, const char* unused15,  \
     const char* unused16, const char* unused17, const char* unused18, const char* unused19,       \
     const char* unused20, const char* unused21, const char* unused22, const char* unused23,       \
     const char* unused24, bool unused25, const char* familyName, const char* unused27,            \
     const char* unused28))                                                                        \
  /* The cancellation of a deposit: its voucher and a non-fiscal receipt of `amount`; the          \
     buffer is given back unchanged; true when the receipt closed. */                              \
  X(bool, Cancela_Cred_Pessoal,                                                                    \
    (const char* unused1, const char* unused2, const char* unused3, const char* unused4,           \
     const char* stEsquema, char* unused6, int unused6Size, const char* depositNumber,             \
     const char* client, const char* consumer, const char* unused10, const char* paymentMethod,    \
     double amount, double balance, const char* familyName))                                       \
  /* Prints the family balances into the open report and closes it; true when printed. */          \
  X(bool, ImpSaldo,                                                                                \
    (const char* stEsquema, TovDataSet* balances, const char* textA, const char* textB))           \
  /* Prints the consumer's balance into the open report and closes it; true when printed. */       \
  X(bool, ImpSaldoDeb,                                                                             \
    (const char* stEsquema, TovDataSet* consumer, const char* textA, const char* textB))           \
  /* Prints the statement text into the open report and closes it; true when printed. */           \
  X(bool, Extrato, (const char* statement, const char* stEsquema))                                 \
  /* The family balances that are not 0 as one report under `title`; true when printed. */         \
  X(bool, Saldo_CredPessoal,                                                                       \
    (const char* unused1, const char* unused2, const char* stEsquema, const char* title,           \
     TovDataSet* balances))                                                                        \
  /* The negative balances per consumer type as one report; true when printed. */                  \
  X(bool, SaldoNegativo,                                                                           \
    (const char* header1, const char* stEsquema, TovDataSet* types, TovDataSet* consumers,         \
     const char* title, const char* registerId, const char* header2, const char* header3))         \
  /* Prints the voucher of a purchase on personal credit; true when printed. */                    \
  X(bool, Imp_CompVenCred,                                                                         \
    (const char* stEsquema, const TovVariant* products, const TovVariant* balances, double value,  \
     const char* unused5, const char* consumerNumber, const char* consumerName,                    \
     const char* client, const char* client2, const char* password, double balance,                \
     double subsidisedPrice, double complement, const char* balanceMode))

#define TOV00300_DECLARE_FUNCTION(result, name, params) TOV00300_EXPORT result name params;
TOV00300_LIBRARY_FUNCTIONS(TOV00300_DECLARE_FUNCTION)
TOV00300_VALUE_FUNCTIONS(TOV00300_DECLARE_FUNCTION)
TOV00300_PLAIN_NAMES(TOV00300_DECLARE_FUNCTION)
#undef TOV00300_DECLARE_FUNCTION

#define TOV00300_DECLARE_TEXT_GLOBAL(name)                    \
  TOV00300_EXPORT int tov_get_##name(char* buf, int bufSize); \
  TOV00300_EXPORT bool tov_set_##name(const char* value);
#define TOV00300_DECLARE_SCALAR_GLOBAL(type, name) \
  TOV00300_EXPORT type tov_get_##name(void);       \
  TOV00300_EXPORT void tov_set_##name(type value);
TOV00300_EXPORTED_TEXTS(TOV00300_DECLARE_TEXT_GLOBAL)
TOV00300_EXPORTED_SCALARS(TOV00300_DECLARE_SCALAR_GLOBAL)
#undef TOV00300_DECLARE_TEXT_GLOBAL
#undef TOV00300_DECLARE_SCALAR_GLOBAL

TOV00300_C_END

#endif /* TOV00300_TOV00300_C_H_ */
