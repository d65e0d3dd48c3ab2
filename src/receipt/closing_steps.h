// The steps of the receipt closing (FechaCupom), shared by its files: the
// host's positions as read, the tables loaded from them, the payments and the
// repetition of refused commands.
#ifndef TOV00300_SRC_RECEIPT_CLOSING_STEPS_H_
#define TOV00300_SRC_RECEIPT_CLOSING_STEPS_H_

#include <functional>
#include <string>

#include "tov00300/dataset.h"
#include "tov00300/variant.h"

namespace Tov00300::receipt {

// The positions of the closing's value array that the operation uses, by
// their meaning (the position in the comment).
struct ClosingPositions {
  std::string firstLine;            // 1: first line of the footer
  std::string scheme;               // 2: colour scheme
  bool printChangeVoucher = false;  // 4: print the contra-vale receipt
  bool showMessages = false;        // 5: show the printer's messages
  double discount = 0;              // 6: subtotal discount
  double changeVoucherAmount = 0;   // 7
  double surcharge = 0;             // 8: subtotal surcharge
  std::string cardUseKind;          // 9: card-payment use kind, "S" or "T"
  std::string message;              // 10: free footer message
  bool cardPayment = false;         // 11: a card payment takes part
  Variant movements;                // 13: cash-movement rows (data packet)
  Variant paymentTypes;             // 14: payment types (data packet)
  std::string agreementCode;        // 15
  std::string agreementName;        // 16
  std::string consumerCode;         // 17
  std::string consumerName;         // 18
  std::string footer19;             // 19: handed to the footer, unused there
  std::string footer20;             // 20: likewise
  std::string table;                // 21: table or order-pad number
  std::string operatorCode;         // 22
  std::string operatorName;         // 23
  std::string balanceKind;          // 27: "0" one total, "1" per family
  std::string tableCheckCoo;        // 28: table conference COO
  std::string tableCheckCer;        // 29: table conference CER
  std::string password;             // 31: order password
  Variant balances;                 // 32: consumer balances (data packet)
  Variant familyBalances;           // 33: family balances (data packet)
  Variant loans;                    // 34: loan movements (data packet)
  std::string balanceMode;          // 36: "1" from the tables, "2" from 37/38
  double consumerBalance = 0;       // 37
  double subsidyPrice = 0;          // 38
  std::string footer39;             // 39: handed to the footer, unused there
  std::string appendCardLines;      // 40: "S" appends the card-payment lines
  std::string tableCheckEcf;        // 41: table conference ECF number
  std::string resultText;           // 42: handed back in result element 1
  double federalTax = 0;            // 51
  double points = 0;                // 52: loyalty points
  double extraPoints = 0;           // 54: extra loyalty points
  double stateTax = 0;              // 58
  bool printConsumer = false;       // 60: Null counts as true
};

// Reads the positions in order. The first value that does not convert stops
// the reading: it and every later position keep their empty values. Missing
// positions read as Empty values (empty, zero, false).
ClosingPositions ReadClosingPositions(const VariantArray& values);

// Loads the six closing tables of the data module from the host's packets:
// the two movement tables from position 13 (the working one then emptied,
// both ordered by NRORDTROCO, DTHRINCMOV), the payment types from 14 and the
// three balance tables from 32 to 34 (Empty or Null leaves a balance table
// closed: not sent). Throws when a packet is missing or unusable.
void LoadClosingTables(const ClosingPositions& p);

// "E" and "T" movements are the ones paid on the printer.
bool PaidOnPrinter(const std::string& movementKind);

// Turns the movement rows into the payment lines of cdsMovCaixaTef; in a card
// sale the paid movements of one payment type are merged into one line.
void BuildPaymentLines(bool cardSale);

// Looks for a paid line of cdsMovCaixaTef whose payment type is not in
// cdsRecebAux: true with its code in `code` when there is one.
bool MissingPaymentType(std::string& code);

// Puts cdsRecebAux on the payment type of the current line of `row` (its
// CDTIPORECE, or CDTIPORECEORIG for a card line); false when it is absent.
bool LocatePaymentType(DataSet& row);

// Repetition of refused commands in a card sale with an operator present.
struct Retries {
  std::string scheme;
  bool showMessages = false;
  bool cardSale = false;
  int repeated = 0;  // 1 once the operator asked for a repetition

  // Runs `command` (send and analyse; true when accepted) until it is
  // accepted: true. False when the operation must end: the operator said no,
  // or the question could not be asked (then boClieUtil becomes false).
  bool Send(const std::function<bool()>& command);
  // The printer-state check before a card closing, asked again on yes.
  bool CheckPrinterState();
};

// The subtotal with its discount, or else its surcharge. A failure after
// which the printer shows the receipt totalled counts as done.
bool SendSubtotal(Retries& t, double discount, double surcharge);

// What the payments left for the footer.
struct PaymentsMade {
  int sent = 0;
  bool agreement = false;      // a payment type of kind "8" was paid
  double paidFromAccount = 0;  // paid from the consumer's account (kinds "9", "A")
};

// True when cdsMovCaixaTef has a line paid on the printer ("E" or "T").
bool HasPrinterPayment();

// One payment per line of cdsMovCaixaTef, in its order. `alreadyPaid` (cents) is
// what the printer already holds from an earlier call of the same closing:
// the lines it covers are not paid again. False when the operation must end.
bool SendPayments(Retries& t, PaymentsMade& payments, long long alreadyPaid);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_CLOSING_STEPS_H_
