// Helpers shared by the configuration tables' tests.
#ifndef TOV00300_TESTS_CONFIG_CONFIG_HELPERS_H_
#define TOV00300_TESTS_CONFIG_CONFIG_HELPERS_H_

#include <string>
#include <vector>

#include "support/scripted_driver.h"
#include "tov00300/dataset.h"

namespace configtest {

// A printer that does not answer: communication error, nothing written.
inline tovtest::DriverAnswer DriverAnswerNoReply() {
  return tovtest::DriverAnswer{0, {}, {}, false};
}

// One of the host's payment types (layout of cdsReceb).
struct TipoRece {
  std::string cd, nm, ds, cdfp = " ", tipo = "1", emiteVale = "", mostra = "S", botao = "5";
};

inline void CriaTiposRece(Tov00300::DataSet& ds, const std::vector<TipoRece>& tipos) {
  using Tov00300::FieldType;
  ds.CreateDataSet({{"CDTIPORECE", FieldType::String, 3},
                    {"NMTIPORECE", FieldType::String, 40},
                    {"DSIMPFISCAL", FieldType::String, 50},
                    {"CDFPIMPFIS", FieldType::String, 10},
                    {"IDTIPORECE", FieldType::String, 1},
                    {"IDEMIVALE", FieldType::String, 1},
                    {"IDMOSTRARECE", FieldType::String, 1},
                    {"IDTPBUTTON", FieldType::String, 1}});
  for (const TipoRece& t : tipos) {
    ds.Append();
    ds.FieldByName("CDTIPORECE").SetAsString(t.cd);
    ds.FieldByName("NMTIPORECE").SetAsString(t.nm);
    ds.FieldByName("DSIMPFISCAL").SetAsString(t.ds);
    ds.FieldByName("CDFPIMPFIS").SetAsString(t.cdfp);
    ds.FieldByName("IDTIPORECE").SetAsString(t.tipo);
    ds.FieldByName("IDEMIVALE").SetAsString(t.emiteVale);
    ds.FieldByName("IDMOSTRARECE").SetAsString(t.mostra);
    ds.FieldByName("IDTPBUTTON").SetAsString(t.botao);
    ds.Post();
  }
}

// Every row of the set (filter ignored), as TipoRece, in storage order.
inline std::vector<TipoRece> TodosTipos(const Tov00300::DataSet& ds) {
  std::vector<TipoRece> tipos;
  const Tov00300::DataPacket pacote = ds.Data();
  auto texto = [&](const std::vector<Tov00300::Variant>& linha, const char* campo) {
    for (size_t i = 0; i < pacote.fields.size(); ++i) {
      if (pacote.fields[i].name == campo) {
        return linha[i].IsNull() ? std::string() : linha[i].AsString();
      }
    }
    return std::string("?");
  };
  for (const auto& linha : pacote.rows) {
    tipos.push_back({texto(linha, "CDTIPORECE"), texto(linha, "NMTIPORECE"),
                     texto(linha, "DSIMPFISCAL"), texto(linha, "CDFPIMPFIS"),
                     texto(linha, "IDTIPORECE"), texto(linha, "IDEMIVALE"),
                     texto(linha, "IDMOSTRARECE"), texto(linha, "IDTPBUTTON")});
  }
  return tipos;
}

inline const TipoRece* Tipo(const std::vector<TipoRece>& tipos, const std::string& cd) {
  for (const TipoRece& t : tipos) {
    if (t.cd == cd) return &t;
  }
  return nullptr;
}

}  // namespace configtest

#endif  // TOV00300_TESTS_CONFIG_CONFIG_HELPERS_H_
