// Legal files: fiscal-memory readings, the MFD download and mirror files, the
// EAD signature of the text files, the PAF identification print and the daily
// CAT files. The files land in the host's "Dados\MenuFiscal" folder (which
// the host creates: these operations never create it) or in the driver's
// "Daruma" folder; the text files are signed in place by the signing library.
#ifndef TOV00300_LEGAL_H_
#define TOV00300_LEGAL_H_

#include <string>

#include "tov00300/export.h"
#include "tov00300/stringlist.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- EAD signature --------------------------------------------------------------

// The signing library's entry points while a signature is being made
// (nullptr otherwise). Types as the library exports them (signer/sign_bema.h).
using SetLibTypeFunction = int (*)(int);
using GenKeyFunction = int (*)(char*, char*, char*);
using GenerateEadFunction = int (*)(const char*, const char*, const char*, char*, int);
using ValidateFileFunction = int (*)(const char*, const char*, const char*);
extern SetLibTypeFunction Bematech_setLibType;
extern GenKeyFunction Bematech_genkkey;
extern GenerateEadFunction Bematech_generateEAD;
extern ValidateFileFunction Bematech_validateFile;

// Signs the file in place with the package's key: loads the signing library
// ($TOV_SIGNER_LIBRARY, else libsign_bema.so beside the package), finds its
// four entry points and has it append the EAD record. The library's code is
// left in inRetorno (1 signed; see sign_bema.h for the others). A missing
// library or entry point signs nothing and leaves inRetorno alone; the debug
// log names the library or the entry point it lacks. Nothing is shown to the
// operator; the driver library's handle is not touched.
void geraEad(const std::string& caminho);

// ---- fiscal memory readings ---------------------------------------------------------
// Ranges are dates written DD/MM/YYYY (DD/MM/YY also works; the two
// separators are dropped) or reduction numbers (padded to four digits).

// Prints a reading: `tipo` "D" dates, "R" reduction numbers; any other kind
// sends nothing and gives false. Simplified reading (flag 0). The code goes
// to inRetorno; a refusal is shown to the operator, and is a success whose
// reply was lost when the printer's COO moved by one. Errors are not caught.
bool Memoria_Fiscal_Imp(const std::string& stEsquema, const std::string& tipo,
                        const std::string& inicio, const std::string& fim,
                        const std::string& ignorado);

// Prints a reading: flag 0 (simplified) when `flag` is exactly "s", else 1
// (complete); `tipo` "DATA" dates, anything else reduction numbers. The code
// is not kept in inRetorno. A refusal after which the printer's COO moved
// by one was printed (reply lost). When printed, the document is recorded with
// GravaDocumentosNaoFiscais (chave, stEsquema, "MF", ""). Any error gives false.
bool EmiteLeituraMemoriaFiscal(const std::string& stEsquema, const std::string& inicio,
                               const std::string& fim, const std::string& flag,
                               const std::string& tipo, const std::string& chave);

// The reading as a file: `valores` holds scheme, start, end, flag, kind (as
// EmiteLeituraMemoriaFiscal). The driver writes it; it is moved to
// DsDirCad + "Dados\MenuFiscal\LMFS_ddmmyyyyhhnnss.txt", the path is shown to
// the operator, and the moved file is signed. False when the driver refused
// (shown), or the move failed (missing folder, a file of the same name from
// a reading in the same second): then nothing is signed. `resultado` is not used.
bool EmiteLeituraMemoriaFiscalSerial(const VariantArray& valores, Variant& resultado);

// ---- MFD download and mirror files ------------------------------------------------------

// Only for printer types 24 and 29 (inTipoImpFis; otherwise nothing is sent
// and the result is false). `valores`: kind ("D" dates DD/MM/YYYY, anything
// else operation counters), start, end, unused, file-name prefix. A date range
// has the driver write the MFD text file, copied to the host's
// "Dados\MenuFiscal\" + prefix + "_YYYYMMDD_HHNNSS.txt" and signed; either
// range then has the binary MFD downloaded and copied to
// "Dados\MenuFiscal\MFDFISCAL.MFD" (not signed). True when the download
// succeeded and every file the range asks for is in place. Nothing is shown;
// the calls go to the debug log. Any error gives false.
bool Gera_ArquivoMFD(const VariantArray& valores, Variant& resultado);

// The MFD mirror of `valores[6]` to `valores[7]`: dates (DD/MM/YYYY, sent as
// DDMMYY, kind "1") or operation counters (six digits, kind "2"). Moved to
// DsDirCad + "Dados\MenuFiscal\Espelho_MFD_ddmmyyyyhhnnss.txt", the path shown
// to the operator, the file signed. False when the driver refused (shown) or
// the move failed (nothing signed then). Any error gives false.
bool geraEspelhoMfd(const VariantArray& valores, Variant& resultado);

// Downloads the fiscal memory (binary, not signed) and copies it to
// `destino`, replacing an older file. True when the driver answered 1 and the
// copy is in place. Errors are not caught.
bool GERA_MF(const std::string& ignorado, const std::string& destino);

// ---- PAF identification and CAT files -----------------------------------------------------

// Prints the point-of-sale program's identification as one management report:
// `valores` holds two unused values, the scheme, the identification data
// packet (fields scrambled with Cripto) and the printer-list packet; the file
// digests come from DsDirCad + "Dados\Cadastros\ArquivosQirMd5.cds" and the
// digest of the digest list from "Brindal.cds". Any error (a missing field, a
// table that cannot be read) is shown to the operator and nothing is printed.
void ImprimeDadosPaf(const VariantArray& valores, Variant& resultado);

// The daily MFD text files of a range of days, renamed in the driver's
// "Daruma" folder of the host's drive to "DR" + branch + register + DDMMYYYY
// + ".txt". `valores`: the parameters packet (CDFILIAL, CDCAIXA, IDESQUEMA),
// the first and the last date (the locale's short date, or DDMMYY). `lista`
// is replaced by the paths of the files collected. Days the driver did not
// answer 1 collect no file and are listed to the operator at the end. True
// when at least one file was collected; a range of more than 366 days is
// refused (shown, nothing sent). Any error gives false.
bool GeraCatGenerica(const VariantArray& valores, StringList& lista);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_LEGAL_H_
