// The printer's commands: each checks the request against the printer's
// state the way a fiscal printer does, and either refuses it (nothing
// changes) or hands the machine a journal event.
#ifndef TOV00300_SIM_COMMANDS_H_
#define TOV00300_SIM_COMMANDS_H_

#include <string>

#include "machine.h"

namespace Tov00300::sim {

// Fiscal receipt (commands_receipt.cpp).
Outcome OpenReceipt(Machine& m, const std::string& cpf, const std::string& name,
                    const std::string& address);
Outcome SellItem(Machine& m, const std::string& tax, const std::string& quantity,
                 const std::string& price, const std::string& adjustKind,
                 const std::string& adjustValue, const std::string& code, const std::string& unit,
                 const std::string& description);
Outcome CancelItem(Machine& m, const std::string& number);
Outcome CancelLastItem(Machine& m);
Outcome TotalizeReceipt(Machine& m, const std::string& kind, const std::string& value);
Outcome PayReceipt(Machine& m, const std::string& method, const std::string& value);
Outcome CloseReceipt(Machine& m, const std::string& message);
Outcome CancelReceipt(Machine& m);

// Non-fiscal documents (commands_documents.cpp).
Outcome OpenNonFiscal(Machine& m);
Outcome NonFiscalItem(Machine& m, const std::string& totalizer, const std::string& value);
Outcome TotalizeNonFiscal(Machine& m);
Outcome PayNonFiscal(Machine& m, const std::string& method, const std::string& value);
Outcome CloseNonFiscal(Machine& m);
Outcome CancelNonFiscal(Machine& m);
Outcome CashMovement(Machine& m, bool supply, const std::string& value, const std::string& message);
Outcome OpenReport(Machine& m);
Outcome PrintReportText(Machine& m, const std::string& text);
Outcome CloseReport(Machine& m);
Outcome OpenVoucher(Machine& m);
Outcome OpenVoucherSimplified(Machine& m, const std::string& method,
                              const std::string& installments, const std::string& reference,
                              const std::string& value);
Outcome PrintVoucherText(Machine& m, const std::string& text);
Outcome CloseVoucher(Machine& m);
Outcome PrintBarCode(Machine& m, const std::string& type, const std::string& width,
                     const std::string& height, const std::string& withText,
                     const std::string& code);

// Readings and configuration (commands_day.cpp).
Outcome XReading(Machine& m);
Outcome ZReduction(Machine& m, const std::string& date, const std::string& time);
Outcome Register(Machine& m, const std::string& kind, const std::string& value);
Outcome SetDaylightSaving(Machine& m, bool on);

// Parses a tax code ("I18,00", "T1800", "S05,00", "T01", "F1", "I1", "N1",
// "FS1", "IS1", "NS1") into a tax bucket; -1 when the text is malformed, -2
// when the rate is not programmed.
int ParseTaxCode(const PrinterState& state, const std::string& text);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_COMMANDS_H_
