// Builders for the receipt-closing tests: the host's movement rows and
// payment types as data packets, and the 61-position value array.
#ifndef TOV00300_TESTS_RECEIPT_CLOSING_HELPERS_H_
#define TOV00300_TESTS_RECEIPT_CLOSING_HELPERS_H_

#include <string>
#include <utility>
#include <vector>

#include "tov00300/dataset.h"
#include "tov00300/variant.h"

namespace tovtest {

// One cash-movement row of the sale.
struct Movement {
  Movement(std::string changeOrder, std::string kind, std::string code, double v,
           std::string card = "", std::string orig = "", int min = 0)
      : changeOrder(std::move(changeOrder)),
        movementKind(std::move(kind)),
        typeCode(std::move(code)),
        amount(v),
        bank(std::move(card)),
        originalType(std::move(orig)),
        minute(min) {}
  std::string changeOrder;
  std::string movementKind;  // "E", "T", or another kind that is not paid
  std::string typeCode;
  double amount;
  std::string bank;          // CDBANCARTCR: a card line when not empty
  std::string originalType;  // CDTIPORECEORIG
  int minute;                // DTHRINCMOV within the hour
};

inline Tov00300::Variant Movements(const std::vector<Movement>& rows) {
  using Tov00300::FieldType;
  Tov00300::DataPacket p;
  p.fields = {{"CDFILIAL", FieldType::String, 4},      {"IDTIPOMOVIVE", FieldType::String, 1},
              {"DTHRINCMOV", FieldType::DateTime, 0},  {"CDTIPORECE", FieldType::String, 3},
              {"NMTIPORECE", FieldType::String, 40},   {"IDTIPORECE", FieldType::String, 1},
              {"VRMOVIVEND", FieldType::Float, 0},     {"VRMOVIVEOUT", FieldType::Float, 0},
              {"VRCOTINDOUT", FieldType::Float, 0},    {"CDTIPOTROCO", FieldType::String, 3},
              {"NRORDTROCO", FieldType::String, 3},    {"CDCLIENTE", FieldType::String, 10},
              {"CDCONSUMIDOR", FieldType::String, 10}, {"DTMOVIMCAIXA", FieldType::DateTime, 0},
              {"DSIMPFISCAL", FieldType::String, 20},  {"CDFPIMPFIS", FieldType::String, 2},
              {"NRCARTBANCO", FieldType::String, 20},  {"CDNSUHOSTTEF", FieldType::String, 20},
              {"CDBANCARTCR", FieldType::String, 3},   {"CDTIPORECEORIG", FieldType::String, 3}};
  const Tov00300::DateTime day = Tov00300::DateTime::FromParts(2024, 5, 10, 12);
  for (const Movement& m : rows) {
    p.rows.push_back({"001",
                      m.movementKind,
                      Tov00300::DateTime(day.value + m.minute / 1440.0),
                      m.typeCode,
                      "",
                      "",
                      m.amount,
                      0.0,
                      0.0,
                      "",
                      m.changeOrder,
                      "",
                      "",
                      day,
                      "",
                      "",
                      "",
                      "",
                      m.bank,
                      m.originalType});
  }
  return Tov00300::Variant(p);
}

// The host's payment types: code, name, kind.
inline Tov00300::Variant Types() {
  using Tov00300::FieldType;
  Tov00300::DataPacket p;
  p.fields = {{"CDTIPORECE", FieldType::String, 3},
              {"NMTIPORECE", FieldType::String, 40},
              {"IDTIPORECE", FieldType::String, 1}};
  p.rows = {{"001", "Dinheiro", "1"},
            {"002", "Cartao Credito", "4"},
            {"003", "Convenio Empresa", "8"},
            {"004", "Conta Consumidor", "9"},
            {"005", "Ticket Alimentacao Refeicao", "5"}};
  return Tov00300::Variant(p);
}

// The value array of a plain cash sale; tests change positions with Pos().
struct Positions {
  Tov00300::VariantArray v = Tov00300::VariantArray(61);
  Positions() {
    v[2] = "VERDE";
    v[5] = true;
    v[13] = Movements({{"1", "E", "001", 10.0}});
    v[14] = Types();
    v[42] = "RET42";
    v[60] = true;
  }
  Positions& Pos(int i, Tov00300::Variant x) {
    v[static_cast<size_t>(i)] = std::move(x);
    return *this;
  }
  // A card sale: IDUTILTEF and UTILTEF.
  Positions& Card(const std::string& cardUseKind) { return Pos(9, cardUseKind).Pos(11, true); }
};

inline const char* kNoTaxes = "Trib aprox R$: 0,00 Federal e 0,00 Estadual\n\rFonte: IBPT";
inline const char* kSupportLine = "Suporte: fale com o responsavel pelo sistema";

}  // namespace tovtest

#endif  // TOV00300_TESTS_RECEIPT_CLOSING_HELPERS_H_
