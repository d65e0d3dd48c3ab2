// The virtual printer's fiscal state: identity, tables, counters, totals,
// the open document and the fiscal memory's Z records. Everything here is
// persisted (snapshot plus journal, see storage.h); nothing here touches files.
#ifndef TOV00300_SIM_STATE_H_
#define TOV00300_SIM_STATE_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Tov00300::sim {

constexpr int kMaxRates = 16;
constexpr int kMaxPaymentMethods = 20;
constexpr int kMaxTotalizers = 20;
constexpr size_t kPaymentNameLength = 16;
constexpr size_t kTotalizerNameLength = 15;
constexpr size_t kPaperColumns = 48;

// Tax buckets of the day totals: the 16 programmed rate slots (in the order
// of the rate list), then substitution, exempt and no incidence, each as ICMS
// (goods) and ISS (services).
enum TaxBucket : int {
  kBucketSubstitutionIcms = 16,
  kBucketSubstitutionIss = 17,
  kBucketExemptIcms = 18,
  kBucketExemptIss = 19,
  kBucketNoIncidenceIcms = 20,
  kBucketNoIncidenceIss = 21,
  kBucketCount = 22,
};

struct TaxRate {
  char kind = 'T';   // 'T' ICMS, 'S' ISS
  int64_t rate = 0;  // hundredths of a percent: 1800 is 18,00%
};

struct Counters {
  int64_t coo = 0;  // operation counter: every document
  int64_t ccf = 0;  // fiscal receipts
  int64_t gnf = 0;  // non-fiscal operations (receipts, reports, vouchers)
  int64_t crz = 0;  // Z reductions
  int64_t cro = 1;  // restarts of operation
  int64_t grg = 0;  // management reports
  int64_t cdc = 0;  // credit or debit (linked) vouchers
  int64_t cfc = 0;  // cancelled fiscal receipts
  int64_t ncn = 0;  // cancelled non-fiscal receipts
};

// The day's figures, reset by every Z reduction. Index [0] of the two-element
// arrays is ICMS, [1] ISS.
struct DayTotals {
  std::array<int64_t, kBucketCount> tax{};
  std::array<int64_t, 2> discounts{};
  std::array<int64_t, 2> surcharges{};
  std::array<int64_t, 2> cancellations{};
  std::array<int64_t, kMaxPaymentMethods> payments{};
  std::array<int64_t, kMaxTotalizers> nonFiscal{};
  int64_t nonFiscalCancelled = 0;
  int64_t firstCoo = 0;  // first document of the day, 0 when none yet
};

struct Item {
  int bucket = 0;
  int64_t quantity = 0;   // thousandths
  int64_t price = 0;      // thousandths of a real (unit prices may carry 3 decimals)
  int64_t value = 0;      // quantity x price, truncated to cents
  int64_t discount = 0;   // cents
  int64_t surcharge = 0;  // cents
  bool cancelled = false;
  std::string code, unit, description;
  int64_t Net() const { return value - discount + surcharge; }
};

struct Payment {
  int method = 0;         // index in the payment-method table
  int64_t amount = 0;     // cents as registered
  int64_t vouchered = 0;  // part already covered by linked vouchers
};

struct NonFiscalEntry {
  int totalizer = 0;
  int64_t amount = 0;
};

enum class DocKind : uint8_t {
  kNone = 0,
  kReceipt,    // fiscal receipt (CF)
  kNonFiscal,  // non-linked non-fiscal receipt (CNF)
  kReport,     // management report (RG)
  kVoucher,    // linked credit or debit voucher (CCD)
  kCashIn,     // supply
  kCashOut,    // withdrawal
  kXReading,
  kZReduction,
  kFiscalMemory,     // printed fiscal-memory reading
  kReceiptCancel,    // cancellation of the last receipt, a document of its own
  kNonFiscalCancel,  // cancellation of the last non-fiscal receipt
};

enum class Phase : uint8_t { kItems = 0, kTotalized = 1 };

// A document: the one open on the printer, or the last one of a kind kept for
// cancellation and linked vouchers.
struct Document {
  DocKind kind = DocKind::kNone;
  int64_t coo = 0, ccf = 0, gnf = 0, grg = 0, cdc = 0;
  int64_t opened = 0;  // civil seconds
  int64_t closed = 0;
  Phase phase = Phase::kItems;
  bool cancelled = false;
  // Fiscal receipt.
  std::string cpf, name, address, message;
  std::vector<Item> items;
  int64_t liveItems = 0;   // items not cancelled
  int64_t subtotal = 0;    // sum of Net() of the items not cancelled
  int64_t gross = 0;       // sum of value + surcharge of every item, cancelled ones too
  int64_t adjustment = 0;  // on the subtotal: negative discount, positive surcharge
  std::vector<Payment> payments;
  // Non-fiscal receipt.
  std::vector<NonFiscalEntry> entries;
  // Reports, vouchers and cash movements: the printed body.
  std::vector<std::string> lines;
  // The body's last line still waits for the rest of its text: the last text
  // command did not end with a line feed, and the next one goes on with it.
  bool lineOpen = false;
  // Linked voucher: the receipt and payment it belongs to.
  int64_t linkedCoo = 0;
  int method = -1;
  int64_t amount = 0;
  int64_t installments = 1;
  std::string reference;

  int64_t Total() const { return subtotal + adjustment; }
  int64_t Paid() const {
    int64_t sum = 0;
    for (const Payment& p : payments) sum += p.amount;
    return sum;
  }
  int64_t NonFiscalTotal() const {
    int64_t sum = 0;
    for (const NonFiscalEntry& e : entries) sum += e.amount;
    return sum;
  }
};

// One Z reduction as the fiscal memory keeps it.
struct ZRecord {
  Counters counters;  // the counters just after the reduction, its own COO and CRZ included
  int64_t firstCoo = 0;
  int64_t movementDay = 0;  // day number of the fiscal day reduced
  int64_t when = 0;         // civil seconds of the reduction
  int64_t grandTotal = 0, dayStartGrandTotal = 0;
  DayTotals totals;
  std::vector<TaxRate> rates;
  std::vector<std::string> paymentMethods, totalizers;
};

struct Identity {
  std::string serial = "VP0000BR000000000001";
  std::string maker = "TOV VIRTUAL";
  std::string model = "VP-ECF 48";
  std::string version = "01.00.0";
  int64_t ecfNumber = 1;
  std::vector<std::string> header = {"EMPRESA DEMONSTRACAO LTDA", "RUA DAS FLORES, 100 - CENTRO",
                                     "SAO PAULO - SP"};
  std::string cnpj = "11.222.333/0001-81";
  std::string ie = "111.222.333.444";
  std::string im = "";
};

struct PrinterState {
  Identity identity;
  std::vector<TaxRate> rates;
  std::vector<std::string> paymentMethods;
  std::vector<std::string> totalizers;
  Counters counters;
  int64_t grandTotal = 0;
  int64_t dayStartGrandTotal = 0;
  int64_t movementDay = -1;  // day number of the open fiscal day; -1 when none
  bool daylightSaving = false;
  DayTotals day;
  Document open;           // kind kNone when no document is open
  Document lastReceipt;    // last fiscal receipt of the day (kind kNone after a Z)
  Document lastNonFiscal;  // last non-fiscal receipt of the day, for its cancellation
  Document lastDoc;        // last other document finished, for the paper
  std::vector<ZRecord> reductions;
  uint64_t sequence = 0;   // last journal record applied
  int64_t mfdLength = 0;   // committed length of the detail memory file
  int64_t tapeLength = 0;  // committed length of the paper tape
};

// A fresh printer: default rates, payment methods and totalizers.
PrinterState FreshState();

// True for the ISS buckets (service tax).
bool IsServiceBucket(const PrinterState& state, int bucket);

// Index of the payment method / totalizer with this name (letter case
// ignored for methods, significant for totalizers), or -1.
int FindPaymentMethod(const PrinterState& state, std::string_view name);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_STATE_H_
