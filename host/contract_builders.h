// Helpers that keep the contract tables one line per parameter.
#ifndef ECFHOST_CONTRACT_BUILDERS_H_
#define ECFHOST_CONTRACT_BUILDERS_H_

#include <vector>

#include "contracts.h"

namespace ecfhost::contract {

inline constexpr ValueKind kText = ValueKind::kText;
inline constexpr ValueKind kInteger = ValueKind::kInteger;
inline constexpr ValueKind kNumber = ValueKind::kNumber;
inline constexpr ValueKind kBoolean = ValueKind::kBoolean;
inline constexpr ValueKind kDataSet = ValueKind::kDataSet;
inline constexpr ValueKind kAny = ValueKind::kAny;

// Units of the amounts the contracts describe.
inline const std::string kMoney = "R$";
inline const std::string kPercent = "%";
inline const std::string kQuantity = "units of the product's measure";

inline ParameterRule P(std::string name, std::string meaning = "") {
  ParameterRule p;
  p.name = std::move(name);
  p.meaning = std::move(meaning);
  return p;
}

// A text parameter naming a file the package reads or writes.
inline ParameterRule FilePath(std::string name, std::string meaning) {
  ParameterRule p = P(std::move(name), std::move(meaning));
  p.path = PathKind::kFile;
  return p;
}

inline ParameterRule Bag(std::string name, std::vector<KeyRule> keys) {
  ParameterRule p = P(std::move(name), "parameter bag");
  p.keys = std::move(keys);
  return p;
}

inline ParameterRule Positions(std::string name, std::vector<PositionRule> positions) {
  ParameterRule p = P(std::move(name), "positional array");
  p.positions = std::move(positions);
  return p;
}

inline ParameterRule ResultArray(std::string name, int size, std::string meaning) {
  ParameterRule p = P(std::move(name), std::move(meaning));
  p.minimumSize = size;
  return p;
}

inline ParameterRule ReadSet(std::string name, std::vector<FieldRule> fields, bool optional,
                             std::string meaning) {
  ParameterRule p = P(std::move(name), std::move(meaning));
  p.fields = std::move(fields);
  p.fieldsOptional = optional;
  return p;
}

// A data set whose fields are read only when it has rows.
inline ParameterRule RowsSet(std::string name, std::vector<FieldRule> fields, std::string meaning) {
  ParameterRule p = ReadSet(std::move(name), std::move(fields), true, std::move(meaning));
  p.readWithRowsOnly = true;
  return p;
}

inline const ParameterRule kScheme = P("stEsquema", "colour scheme of the operator's messages");

// The five texts the port opening reads from the start bag.
inline std::vector<KeyRule> PortKeys(bool required) {
  return {{"CDFILIAL", kText, required, "branch code"},
          {"CDCAIXA", kText, required, "till code"},
          {"NRSERIEIMP", kText, required, "printer serial number the host expects"},
          {"ESQUEMA", kText, required, "colour scheme"},
          {"CDPORTAIMPFIS", kText, required, "serial port, e.g. COM1"}};
}

// The contracts of the fiscal receipt and the non-fiscal documents
// (contracts_receipt.cpp).
std::vector<Contract> ReceiptContracts();
// The management reports, X and Z, cash and the day's figures
// (contracts_documents.cpp).
std::vector<Contract> DocumentContracts();
// The card-payment vouchers and the consumer accounts (contracts_accounts.cpp).
std::vector<Contract> AccountContracts();
// The cash closing and table-service prints (contracts_closing.cpp).
std::vector<Contract> ClosingContracts();
// The fiscal memory, MFD, identification and CAT files (contracts_legal.cpp).
std::vector<Contract> LegalContracts();

}  // namespace ecfhost::contract

#endif  // ECFHOST_CONTRACT_BUILDERS_H_
