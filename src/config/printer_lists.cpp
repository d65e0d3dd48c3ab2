#include "config/printer_lists.h"

#include "tov00300/format.h"

namespace Tov00300::config {

std::vector<std::string> SeparaEntradas(std::string_view lista) {
  std::vector<std::string> entradas;
  size_t inicio = 0;
  for (size_t fim = lista.find(';'); fim != std::string_view::npos; fim = lista.find(';', inicio)) {
    entradas.emplace_back(lista.substr(inicio, fim - inicio));
    inicio = fim + 1;
  }
  return entradas;
}

std::optional<std::string> AchaEntrada(const std::vector<std::string>& entradas,
                                       std::string_view nome, bool ignoraCaixa) {
  const std::string procurado = Trim(nome);
  if (procurado.empty()) return std::nullopt;
  for (const std::string& entrada : entradas) {
    const std::string texto = Trim(entrada);
    if (ignoraCaixa ? SameText(texto, procurado) : texto == procurado) return entrada;
  }
  return std::nullopt;
}

std::string DoisDigitos(int indice) {
  std::string texto = IntToStr(indice);
  return texto.size() < 2 ? "0" + texto : texto;
}

std::string TextoCampo(DataSet& ds, const char* campo) {
  Field field = ds.FieldByName(campo);
  return field.IsNull() ? std::string() : field.AsString();
}

}  // namespace Tov00300::config
