#include "receipt/footer_balances.h"

#include <algorithm>

#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300::receipt {

namespace {

// The printed family block fits two families under the eight-line footer:
// only the table's first two rows are looked at.
constexpr int kPrintedFamilies = 2;
constexpr int kFamilyNameWidth = 25;
constexpr int kFamilyAmountWidth = 22;

bool HasRows(const DataSet& table) {
  return table.Active() && !table.IsEmpty();
}

// The family's own balance in `families` (code compared without regard to
// case); false when the family is not there.
bool FamilyBalance(DataSet& families, const std::string& code, double& balance) {
  if (!HasRows(families)) return false;
  LocateOptions options;
  options.caseInsensitive = true;
  if (!families.Locate("CDFAMILISALD", Variant(code), options)) return false;
  balance = families.FieldByName("VRSALDCONFAM").AsFloat();
  return true;
}

// The family's loan movement of one kind ("D" debit, "C" credit).
bool LoanMovement(DataSet& loans, const std::string& code, const char* kind, double& amount) {
  if (!HasRows(loans)) return false;
  if (!loans.Locate("CDFAMILISALD;IDTPMOVEXT", Variant(VariantArray{code, kind}))) {
    return false;
  }
  amount = loans.FieldByName("VRMOVEXTCONS").AsFloat();
  return true;
}

// The balance printed for one family row.
double NetBalance(double balance, DataSet& families, DataSet& loans, const std::string& code) {
  double family = 0;
  double debit = 0;
  double credit = 0;
  const bool hasFamily = FamilyBalance(families, code, family);
  if (LoanMovement(loans, code, "D", debit)) {
    return hasFamily ? balance - family - debit : balance - debit;
  }
  if (!hasFamily) return balance;
  // A credit movement is only looked up for a family that has a balance.
  if (LoanMovement(loans, code, "C", credit)) return balance - family + credit;
  return balance - family;
}

}  // namespace

std::string FooterAmount(double amount) {
  return FloatToStrF2(amount, 2);
}

int LineCount(const std::string& text) {
  return std::max(1, static_cast<int>(std::count(text.begin(), text.end(), '\n')));
}

double TotalBalance(DataSet& balances, double paidFromAccount) {
  if (!HasRows(balances)) return 0;
  double total = 0;
  for (balances.First(); !balances.Eof(); balances.Next()) {
    total += balances.FieldByName("VRSALDCONFAM").AsFloat();
  }
  return total - paidFromAccount;
}

std::string FamilyBlock(DataSet& balances, DataSet& families, DataSet& loans) {
  std::string block;
  if (!HasRows(balances)) return block;
  for (balances.First(); !balances.Eof() && balances.RecNo() <= kPrintedFamilies; balances.Next()) {
    const double balance = balances.FieldByName("VRSALDCONFAM").AsFloat();
    if (balance == 0) continue;
    const std::string code = balances.FieldByName("CDFAMILISALD").AsString();
    const double amount = NetBalance(balance, families, loans, code);
    block += hostlib::TamFixo(balances.FieldByName("NMFAMILISALD").AsString(), kFamilyNameWidth);
    block += hostlib::TamFixoR(FooterAmount(amount), kFamilyAmountWidth);
    block += '\n';
  }
  return block;
}

}  // namespace Tov00300::receipt
