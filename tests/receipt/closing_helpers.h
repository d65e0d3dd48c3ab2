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
struct Mov {
  Mov(std::string nrOrd, std::string tipo, std::string cd, double v, std::string cartao = "",
      std::string orig = "", int min = 0)
      : nrOrdTroco(std::move(nrOrd)),
        tipoMov(std::move(tipo)),
        cdTipo(std::move(cd)),
        valor(v),
        banco(std::move(cartao)),
        origem(std::move(orig)),
        minuto(min) {}
  std::string nrOrdTroco;
  std::string tipoMov;  // "E", "T", or another kind that is not paid
  std::string cdTipo;
  double valor;
  std::string banco;   // CDBANCARTCR: a card line when not empty
  std::string origem;  // CDTIPORECEORIG
  int minuto;          // DTHRINCMOV within the hour
};

inline Tov00300::Variant Movimentos(const std::vector<Mov>& rows) {
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
  const Tov00300::DateTime dia = Tov00300::DateTime::FromParts(2024, 5, 10, 12);
  for (const Mov& m : rows) {
    p.rows.push_back({"001",    m.tipoMov,    Tov00300::DateTime(dia.value + m.minuto / 1440.0),
                      m.cdTipo, "",           "",
                      m.valor,  0.0,          0.0,
                      "",       m.nrOrdTroco, "",
                      "",       dia,          "",
                      "",       "",           "",
                      m.banco,  m.origem});
  }
  return Tov00300::Variant(p);
}

// The host's payment types: code, name, kind.
inline Tov00300::Variant Tipos() {
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
struct Posicoes {
  Tov00300::VariantArray v = Tov00300::VariantArray(61);
  Posicoes() {
    v[2] = "VERDE";
    v[5] = true;
    v[13] = Movimentos({{"1", "E", "001", 10.0}});
    v[14] = Tipos();
    v[42] = "RET42";
    v[60] = true;
  }
  Posicoes& Pos(int i, Tov00300::Variant x) {
    v[static_cast<size_t>(i)] = std::move(x);
    return *this;
  }
  // A card sale: IDUTILTEF and UTILTEF.
  Posicoes& Cartao(const std::string& idUtilTef) { return Pos(9, idUtilTef).Pos(11, true); }
};

inline const char* kTributosZero = "Trib aprox R$: 0,00 Federal e 0,00 Estadual\n\rFonte: IBPT";
inline const char* kLinhaSuporte = "Suporte: fale com o responsavel pelo sistema";

}  // namespace tovtest

#endif  // TOV00300_TESTS_RECEIPT_CLOSING_HELPERS_H_
