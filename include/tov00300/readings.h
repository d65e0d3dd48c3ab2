// Fiscal readings and day closing: the printer register queries, the reader
// of the last Z-reduction record and the grand-total control.
//
// The simple queries hand their colour scheme to the return analysis without
// dialogs and answer true whatever the printer said: a driver failure shows
// only in inRetorno, the debug log and the out text. They leave inRetorno set
// to the driver's last code and stImpDebug cleared by the analysis.
#ifndef TOV00300_READINGS_H_
#define TOV00300_READINGS_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// Converts a printer amount (digits with two implied decimals; "," and "."
// anywhere are ignored; blanks around it allowed) into a number:
// "000000001234567" is 12345.67, "1.234,5" is 123.45. Throws ConversionError
// for a text that is not such an amount (for example a blank reply).
double GetValue(const std::string& texto);

// Grand total (register 1), written as the shortest decimal text in the
// process's decimal separator ("1234,5"). Always true. Throws ConversionError
// when the reply is not an amount (the analysis does not run then).
bool BuscaTotGer(const std::string& stEsquema, std::string& stTotGer);

// The day's gross sales: register 1 minus register 2, mask "#.00" (zero gives
// the separator followed by "00"). Always true; throws ConversionError as
// BuscaTotGer.
bool BuscaVendaBruta(const std::string& stEsquema, std::string& stVendaBruta);

// Total of cancellations (register 13), written as BuscaTotGer. Always true.
bool Cancelamentos(const std::string& stEsquema, std::string& stCancelamentos);

// Total of discounts (register 11), written as BuscaTotGer. Always true.
bool BuscaDescontos(const std::string& stEsquema, std::string& stDescontos);

// Non-fiscal operation counter (register 28), the six characters as the
// printer sent them. Always true.
bool BuscaOpNFis(const std::string& stEsquema, std::string& stOpNFis);

// Restart-of-operation counter (register 23), zero-padded to four digits.
// Always true.
bool BuscaReinicioOp(const std::string& stEsquema, std::string& stReinicioOp);

// BuscaNReducoes (number of the next Z reduction) is exported under its plain
// name only: see src/exports.cpp.

// Reads the record of the last Z reduction (register 140). `parametros[0]` is
// the colour scheme. `resultado` must be an array the host sized with at least
// the elements 0 to 48; the operation stores into elements 0-4, 11-13, 25,
// 27-29, 33, 35, 37 and 46-48 and never resizes it. On success the tax table
// cdsImposto is rebuilt (one row per rate slot with sales) and `dsImposto`
// receives a copy of it. A printer failure is shown to the operator; the
// result is false, elements 0, 1 and 4 are "", 2 is 0.0 and 3 today minus
// 1000 days, and nothing else is touched. Throws ConversionError when
// `resultado` is not such an array or the record does not convert, before
// anything is stored.
bool DadosUltimaRedZ(const VariantArray& parametros, Variant& resultado, DataSet& dsImposto);

// The figures of the current fiscal day, as the next Z reduction will record
// them, handed to the host in four data sets: `dsReducaoZ` one row of day
// totals and counters, `dsFormPgtoRedZ` one row per payment method of
// `paymentTypes` (the host's table: CDTIPORECE, NMTIPORECE) that the printer
// has a total for, `dsImpostoRedZ` one row per programmed tax rate,
// `dsTotNFiscRedZ` one row per non-fiscal totalizer. What the four held before
// is replaced. Makes sure the folders "Dados" and "Dados\Reduções" exist under
// dsDiretorio (a folder it cannot make is shown to the operator; the export
// goes on). Sets stRetorno to the receipt number and stCupomFin to it as six
// digits. A driver failure is not shown: it leaves a blank reply, and a reply
// that is not a number (or a receipt number "ERRO") ends the export with
// ConversionError; the data sets then receive the rows gathered so far. A host
// table without the fields CDTIPORECE and NMTIPORECE raises DataSetError the
// same way. Otherwise true. The first and fourth parameters are not used.
bool ExportRedZ(const std::string& unusedText, const std::string& stEsquema,
                const std::string& ecfNumber, int unusedNumber, const DataSet& paymentTypes,
                DataSet& dsReducaoZ, DataSet& dsFormPgtoRedZ, DataSet& dsImpostoRedZ,
                DataSet& dsTotNFiscRedZ);

// The grand-total control of the register selected by stAtuFili, stAtuCaixa
// and stSerieAtu in the control file "Brindal.cds" of DsDirCad (fallback
// "mor" + stAtuCaixa + stAtuFili + ".cds", used only when Brindal.cds does not
// exist). Bag keys: ESQUEMACOR, IDVALIDA, CDFILIAL, CDCAIXA, NRSERIEIMP.
// With IDVALIDA "S" it checks the recorded total against the printer's: true
// when they agree (or the control is off for the register, or the recorded
// total is the reset value 10,10, which is then replaced); false after showing
// ArqConfig_Inv4 when they differ, and false after showing the problem when
// the check could not run (no control file, an unreadable file, a printer
// total that does not convert). Otherwise it records the printer's grand total
// and answers true, also after showing a problem. The file is only ever
// replaced whole, so a crash leaves the old or the new file.
bool Atu_TotGeral(const Variant& bag);

// ---- X reading and Z reduction ---------------------------------------------------
// Both show the printer's answer to the operator and, on success only,
// record the document ("LX", "RZ") under `chave` with
// GravaDocumentosNaoFiscais. A refused answer after which the printer's
// counter (COO, CRZ) moved by one is a success whose reply was lost. The
// second and fourth texts are not used.

// Prints the X reading (the day's running totals; the day stays open). True
// when printed.
bool Leitura_X_Imp(const std::string& chave, const std::string& ignorado1,
                   const std::string& stEsquema, const std::string& ignorado2);

// Makes the Z reduction, which closes the fiscal day, sending the
// computer's date DDMMYY and time HHMMSS. True when made. When an earlier
// call could not read the counter after a refusal, the next one reads it
// first: one more Z than before is that call's Z, recorded and answered
// true, and no second Z is sent.
bool Reducao_Z_Imp(const std::string& chave, const std::string& ignorado1,
                   const std::string& stEsquema, const std::string& ignorado2);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_READINGS_H_
