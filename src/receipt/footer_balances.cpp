#include "receipt/footer_balances.h"

#include <algorithm>

#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300::receipt {

namespace {

// The printed family block fits two families under the eight-line footer:
// only the table's first two rows are looked at.
constexpr int kFamiliasImpressas = 2;
constexpr int kLarguraNomeFamilia = 25;
constexpr int kLarguraValorFamilia = 22;

bool TemLinhas(const DataSet& tabela) {
  return tabela.Active() && !tabela.IsEmpty();
}

// The family's own balance in `familias` (code compared without regard to
// case); false when the family is not there.
bool SaldoDaFamilia(DataSet& familias, const std::string& codigo, double& saldo) {
  if (!TemLinhas(familias)) return false;
  LocateOptions opcoes;
  opcoes.caseInsensitive = true;
  if (!familias.Locate("CDFAMILISALD", Variant(codigo), opcoes)) return false;
  saldo = familias.FieldByName("VRSALDCONFAM").AsFloat();
  return true;
}

// The family's loan movement of one kind ("D" debit, "C" credit).
bool Emprestimo(DataSet& emprestimos, const std::string& codigo, const char* tipo, double& valor) {
  if (!TemLinhas(emprestimos)) return false;
  if (!emprestimos.Locate("CDFAMILISALD;IDTPMOVEXT", Variant(VariantArray{codigo, tipo}))) {
    return false;
  }
  valor = emprestimos.FieldByName("VRMOVEXTCONS").AsFloat();
  return true;
}

// The balance printed for one family row.
double SaldoLiquido(double saldo, DataSet& familias, DataSet& emprestimos,
                    const std::string& codigo) {
  double familia = 0;
  double debito = 0;
  double credito = 0;
  const bool temFamilia = SaldoDaFamilia(familias, codigo, familia);
  if (Emprestimo(emprestimos, codigo, "D", debito)) {
    return temFamilia ? saldo - familia - debito : saldo - debito;
  }
  if (!temFamilia) return saldo;
  // A credit movement is only looked up for a family that has a balance.
  if (Emprestimo(emprestimos, codigo, "C", credito)) return saldo - familia + credito;
  return saldo - familia;
}

}  // namespace

std::string ValorRodape(double valor) {
  return FloatToStrF2(valor, 2);
}

int LinhasDoTexto(const std::string& texto) {
  return std::max(1, static_cast<int>(std::count(texto.begin(), texto.end(), '\n')));
}

double SaldoTotal(DataSet& saldos, double vrPagoConta) {
  if (!TemLinhas(saldos)) return 0;
  double total = 0;
  for (saldos.First(); !saldos.Eof(); saldos.Next()) {
    total += saldos.FieldByName("VRSALDCONFAM").AsFloat();
  }
  return total - vrPagoConta;
}

std::string BlocoFamilias(DataSet& saldos, DataSet& familias, DataSet& emprestimos) {
  std::string bloco;
  if (!TemLinhas(saldos)) return bloco;
  for (saldos.First(); !saldos.Eof() && saldos.RecNo() <= kFamiliasImpressas; saldos.Next()) {
    const double saldo = saldos.FieldByName("VRSALDCONFAM").AsFloat();
    if (saldo == 0) continue;
    const std::string codigo = saldos.FieldByName("CDFAMILISALD").AsString();
    const double valor = SaldoLiquido(saldo, familias, emprestimos, codigo);
    bloco += hostlib::TamFixo(saldos.FieldByName("NMFAMILISALD").AsString(), kLarguraNomeFamilia);
    bloco += hostlib::TamFixoR(ValorRodape(valor), kLarguraValorFamilia);
    bloco += '\n';
  }
  return bloco;
}

}  // namespace Tov00300::receipt
