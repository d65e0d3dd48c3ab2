// Reading the closing's value array.
#include <cstddef>

#include "receipt/closing_steps.h"

namespace Tov00300::receipt {

namespace {

// Positions past the end of a short array read as Empty values.
class Reader {
 public:
  explicit Reader(const VariantArray& values) : values_(values) {}
  const Variant& operator[](size_t i) const { return i < values_.size() ? values_[i] : empty_; }
  std::string Text(size_t i) const { return (*this)[i].AsString(); }
  double Number(size_t i) const { return (*this)[i].AsDouble(); }
  bool Flag(size_t i) const { return (*this)[i].AsBool(); }

 private:
  const VariantArray& values_;
  const Variant empty_;
};

// Fills `p` in position order; throws at the first value that does not
// convert, leaving what was read so far.
void ReadInto(const Reader& v, ClosingPositions& p) {
  v.Text(0);
  p.firstLine = v.Text(1);
  p.scheme = v.Text(2);
  p.printChangeVoucher = v.Flag(4);
  p.showMessages = v.Flag(5);
  p.discount = v.Number(6);
  p.changeVoucherAmount = v.Number(7);
  p.surcharge = v.Number(8);
  p.cardUseKind = v.Text(9);
  p.message = v.Text(10);
  p.cardPayment = v.Flag(11);
  v.Text(12);
  p.movements = v[13];
  p.paymentTypes = v[14];
  p.agreementCode = v.Text(15);
  p.agreementName = v.Text(16);
  p.consumerCode = v.Text(17);
  p.consumerName = v.Text(18);
  p.footer19 = v.Text(19);
  p.footer20 = v.Text(20);
  p.table = v.Text(21);
  p.operatorCode = v.Text(22);
  p.operatorName = v.Text(23);
  for (size_t i = 24; i <= 26; ++i) v.Text(i);
  p.balanceKind = v.Text(27);
  p.tableCheckCoo = v.Text(28);
  p.tableCheckCer = v.Text(29);
  v.Text(30);
  p.password = v.Text(31);
  p.balances = v[32];
  p.familyBalances = v[33];
  p.loans = v[34];
  v.Text(35);
  p.balanceMode = v.Text(36);
  p.consumerBalance = v.Number(37);
  p.subsidyPrice = v.Number(38);
  p.footer39 = v.Text(39);
  p.appendCardLines = v.Text(40);
  p.tableCheckEcf = v.Text(41);
  p.resultText = v.Text(42);
  for (size_t i = 43; i <= 48; ++i) v.Text(i);
  v.Number(50);
  p.federalTax = v.Number(51);
  p.points = v.Number(52);
  p.extraPoints = v.Number(54);
  p.stateTax = v.Number(58);
  p.printConsumer = v[60].IsNull() || v.Flag(60);
}

}  // namespace

ClosingPositions ReadClosingPositions(const VariantArray& values) {
  ClosingPositions p;
  try {
    ReadInto(Reader(values), p);
  } catch (const std::exception&) {
    // A value that does not convert ends the reading; the closing goes on
    // with what was read, as the host's older callers expect.
  }
  return p;
}

}  // namespace Tov00300::receipt
