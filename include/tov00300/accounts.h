// Consumer accounts: the vouchers and balance prints of the consumers' debit
// and personal-credit accounts. Texts are composed here in 48-column lines
// separated by a line feed and printed as management reports; amounts are
// never cut to fit a column (the line grows instead).
#ifndef TOV00300_ACCOUNTS_H_
#define TOV00300_ACCOUNTS_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// ---- consumer debit purchase voucher ------------------------------------------

// Prints the signed voucher of a purchase on a consumer's debit account as a
// management report: client and consumer, a signature line, the products
// (data packet `products`, loaded into cdsProdDeb), discount and surcharge of
// the last product row, the total, what remains of the daily ("D"), monthly
// ("M") or both ("T") consumption limits (`consumption` loaded into
// cdsVrSaldConsumi; an empty limit text counts as 0), the order password,
// the final balance (balance + subsidisedPrice - value; left out when
// `balanceMode` is "2"), `message` and the subsidised price. A value that
// is 0 at two decimals prints nothing and is true. A limit or consumption
// text that is not a number, a packet without a field read, or a value that
// is not a finite number prints nothing: the problem is reported and the
// result is false. Otherwise the result is the report's closing.
bool Comp_DebitoCons(const std::string& scheme, const Variant& products, double value,
                     const std::string& unused4, const std::string& consumerNumber,
                     const std::string& consumerName, const std::string& client,
                     const std::string& client2, const std::string& password, double balance,
                     double subsidisedPrice, double unused12, const std::string& balanceMode,
                     const std::string& message, const std::string& limitKind,
                     const std::string& dailyLimit, const std::string& monthlyLimit,
                     const Variant& consumption);

// ---- personal credit ----------------------------------------------------------

// A deposit on a consumer's personal-credit account: prints its voucher
// (deposit number, consumer, family, total of the payments and the new
// balance) in two copies as a management report, then registers each row of
// `payments` (VRMOVIVEND, IDTIPORECE, NMTIPORECE, NMTIPORECEORIG) as a
// non-fiscal receipt on "Cred Pessoal", paid with the row's method (for
// kinds "1" and "2" the method the card stands for, when given). Every row
// is registered even after a refusal; true only when every receipt closed,
// false when there was none. The same deposit (number and payments) called
// again after a false answer prints no second voucher and registers only the
// rows not registered before. A data set without a field read, or an amount
// that is not a finite number of zero or more, prints and registers nothing
// and is false. The parameters not named are not used.
bool Compr_CredPessoal(
    const std::string& unused1, const std::string& unused2, const std::string& unused3,
    const std::string& unused4, const std::string& unused5, const std::string& scheme,
    std::string& unused7, std::string& unused8, DataSet& payments, double balance,
    const std::string& consumerName, const std::string& depositNumber, const std::string& unused13,
    const std::string& unused14, const std::string& unused15, const std::string& unused16,
    const std::string& unused17, const std::string& unused18, const std::string& unused19,
    const std::string& unused20, const std::string& unused21, const std::string& unused22,
    const std::string& unused23, const std::string& unused24, bool unused25,
    const std::string& familyName, const std::string& unused27, const std::string& unused28);

// The cancellation of a deposit: prints its voucher as a management report
// and registers `amount` as a non-fiscal receipt on "Canc Credito" paid with
// `paymentMethod`; the result is that receipt's. An amount that is not a
// finite number of zero or more prints and registers nothing and is false.
bool Cancela_Cred_Pessoal(const std::string& unused1, const std::string& unused2,
                          const std::string& unused3, const std::string& unused4,
                          const std::string& scheme, std::string& unused6,
                          const std::string& depositNumber, const std::string& client,
                          const std::string& consumer, const std::string& unused10,
                          const std::string& paymentMethod, double amount, double balance,
                          const std::string& familyName);

// ---- balance and statement prints ---------------------------------------------
// ImpSaldo, ImpSaldoDeb and Extrato print into the management report the host
// opened and close it. Every text is printed whole, in pieces the printer
// takes. Their result is false when a piece or the closing was refused.

// Family balances (NMFAMILISALD, SALDOFAM) from the current record on, and
// their total. A data set without those fields prints nothing and is false.
bool ImpSaldo(const std::string& scheme, DataSet& balances, const std::string& textA,
              const std::string& textB);
// The consumer's balance (VRSALDOCONS of the current record).
bool ImpSaldoDeb(const std::string& scheme, DataSet& consumer, const std::string& textA,
                 const std::string& textB);
// The statement text, in groups of whole lines; then the closing (dialogs
// when boNUtilTaa).
bool Extrato(const std::string& statement, const std::string& scheme);
// Family balances that are not 0 (NMFAMILISALD, VRSALDCONFAM) and their total
// as one complete report under `title`; the result is the report's closing.
bool Saldo_CredPessoal(const std::string& unused1, const std::string& unused2,
                       const std::string& scheme, const std::string& title, DataSet& balances);
// Negative balances per consumer type: for each type of `types` (CDTIPOCONS,
// NMTIPOCONS; from the current record) the consumers of `consumers` of that
// type (the data set is left filtered on the last type) with their amounts
// and the type's total; the first group opens the report with the standard
// header. True when at least one group was printed without a refusal and
// the report closed; nothing is printed or closed when no type has a
// consumer.
bool SaldoNegativo(const std::string& header1, const std::string& scheme, DataSet& types,
                   DataSet& consumers, const std::string& title, const std::string& registerId,
                   const std::string& header2, const std::string& header3);

// ---- personal credit purchase voucher -----------------------------------------

// Prints the voucher of a purchase on personal credit: client and consumer,
// the products (`products` loaded into cdsProdCred; quantity x price cut to
// the cent in decimal), the total, the password, and by `balanceMode` "0"
// the final balance with every family's balance of `balances` (loaded into
// cdsSaldCred), "1" one line per family net of what the receipt closing left
// in cdsFamiliaSaldo and cdsEmprestimo, anything else no balance; then the
// subsidised price and the complement value. A value that is 0 at two
// decimals prints nothing and is true. A packet or table without a field
// read prints nothing: the problem is reported and the result is false.
bool Imp_CompVenCred(const std::string& scheme, const Variant& products, const Variant& balances,
                     double value, const std::string& unused5, const std::string& consumerNumber,
                     const std::string& consumerName, const std::string& client,
                     const std::string& client2, const std::string& password, double balance,
                     double subsidisedPrice, double complement, const std::string& balanceMode);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_ACCOUNTS_H_
