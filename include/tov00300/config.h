// Printer configuration tables: the printer's programmed tax rates, payment
// methods and non-fiscal totalizers, read for the host (and completed where
// the printer lacks what the till needs), and the printer identity queries.
//
// Every driver call is judged by AnalisaRetorno_FrameWork, which writes the
// debug log and collects the printer's messages in stMensagemTaa. The
// operations here never show dialogs except Config_FormaPg when asked to.
#ifndef TOV00300_CONFIG_H_
#define TOV00300_CONFIG_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/datetime.h"
#include "tov00300/export.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- tax rates ----------------------------------------------------------------

// Reads the printer's tax-rate table into DataModule().cdsAliqImpFis (fields
// CDALIQIMPFIS text 10, VRALIQIMPFIS float, IDALIQIMPFIS text 1; active index
// IdxIdAliqVrAliq on IDALIQIMPFIS;VRALIQIMPFIS) and replaces the content of
// `cdsAliquotas` by a copy of it. Rates are numbered "01", "02", ... in the
// printer's order; the fixed codes "NN", "II" and "FF" (no incidence, exempt,
// tax substitution) follow. A failed read leaves only the fixed codes.
void CarregaAliquota(const std::string& stEsquema, DataSet& cdsAliquotas);

// Reads the printer's raw tax-rate list into stRetorno (trimmed). Always
// answers false; the host reads stRetorno.
bool Retorno_Aliquotas_Imp(const std::string& stEsquema);

// ---- payment methods ----------------------------------------------------------

// Synchronises the host's payment types with the printer's payment methods.
// `cdsTipoRece` (layout of DataModule().cdsReceb) is copied to cdsReceb, then
// filtered to IDTPBUTTON = '5'; the filter stays on when this returns. For
// each visible type shown to the operator (IDMOSTRARECE "S" or blank) the
// method named by the first 16 characters of DSIMPFISCAL is registered in the
// printer when missing; a type the printer does not list afterwards is
// deleted from `cdsTipoRece`. Known types receive the printer's form of the
// name in NMTIPORECE, CDFPIMPFIS and IDEMIVALE. Sets the special-method
// globals CdFormPagCPess, IdFormPagCPess, DsFormPagCPess (kind "9") and
// CdFormPagVCons, DsFormPagVCons (kind "A"), and registers the management
// report's method ("Rel Gerencial") when the printer lacks it. When the
// printer's list cannot be read the host's types are left as they are and
// nothing is registered. `texto` and `inteiro` are not used.
void CarregaRecebimento(const std::string& texto, const std::string& stEsquema, int inteiro,
                        DataSet& cdsTipoRece);

// Registers one payment method (the first 16 characters of `nome`) in the
// printer. Answers the return analysis of the registration, shown to the
// operator when `boMostraMsg`.
bool Config_FormaPg(const std::string& stEsquema, const std::string& nome, bool boMostraMsg,
                    bool boReservado);

// ---- non-fiscal totalizers ----------------------------------------------------

// Finds the printer indices ("01", "02", ...) of the five non-fiscal
// totalizers the till needs: voucher issue, consumer card sale, personal
// credit purchase, credit cancellation and reports. Those the printer lacks
// are registered (order: voucher, credit purchase, reports, consumer card,
// credit cancellation) and take the next free indices. The first four come
// back in their parameters and in IdTotParcCV, IdTotParcVCons, IdTotCompCred
// and IdTotCancCred; IdTotRelatorio is cleared. A host value in
// `relatorio` is kept when the printer has no report totalizer and is not
// replaced by a registration. A totalizer that could not be found nor
// registered is left blank. Never raises.
void CarregaTotalizador(std::string& contraVale, std::string& vendaConsumidor,
                        std::string& compraCredito, std::string& cancelaCredito,
                        std::string& relatorio, const std::string& stEsquema, int inteiro,
                        DataSet& cdsIgnorado);

// True when the personal-credit purchase totalizer is known (IdTotCompCred
// not blank).
bool VerificaTotalizador();

// Kept for the host's link compatibility: does nothing and answers false.
bool Nomeia_TotParcial(const std::string& texto1, const std::string& texto2,
                       const std::string& texto3, const std::string& texto4, bool flag1,
                       bool flag2);

// Kept for the host's link compatibility: does nothing; the texts are left
// unchanged.
void CarregaRelatorioGer(std::string& texto1, std::string& texto2, std::string& texto3,
                         std::string& texto4, std::string& texto5, std::string& texto6,
                         const std::string& texto, int inteiro);

// ---- printer identity ---------------------------------------------------------

// Reads printer information 79 into `c` (7 characters), 80 into `a` and 81
// into `b` (20 characters each), as the driver filled them (untrimmed; blank
// when the printer does not answer). Always answers true; inRetorno is left
// unchanged.
bool Modelo_Impressora(const std::string& stEsquema, std::string& a, std::string& b,
                       std::string& c);

// Reads UTILIZAIMPFIS, DSDIRCAD, ESQUEMACOR and REV_NRSERIE_IMP from the bag
// and answers true; nothing is checked.
bool VerificaSerialImp(const Variant& bag);

// Fixed answers, no printer access: true, out texts left unchanged.
bool Versao_Software_Basico(const std::string& texto, std::string& versao);
bool DataHoraGravacaoUsuarioSWBasicoMFAdicional(const std::string& texto, std::string& dataHora,
                                                std::string& usuario, std::string& mfAdicional);
bool NumeroOperacoesNaoFiscais(const std::string& texto, std::string& numero);
// No file is produced; answers true.
bool GeraBinMes(DateTime inicio, DateTime fim, const std::string& texto);

// Always "000000".
std::string Codigo_Nacional_ECF(int modelo, const std::string& texto);

// The text with every ".", "/" and "-" removed ("1.2/3-4" gives "1234").
std::string FormataCNPJ(const std::string& cnpj);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_CONFIG_H_
