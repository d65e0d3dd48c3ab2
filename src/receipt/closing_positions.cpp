// Reading the closing's value array.
#include <cstddef>

#include "receipt/closing_steps.h"

namespace Tov00300::receipt {

namespace {

// Positions past the end of a short array read as Empty values.
class Leitor {
 public:
  explicit Leitor(const VariantArray& valores) : valores_(valores) {}
  const Variant& operator[](size_t i) const { return i < valores_.size() ? valores_[i] : vazio_; }
  std::string Texto(size_t i) const { return (*this)[i].AsString(); }
  double Numero(size_t i) const { return (*this)[i].AsDouble(); }
  bool Logico(size_t i) const { return (*this)[i].AsBool(); }

 private:
  const VariantArray& valores_;
  const Variant vazio_;
};

// Fills `p` in position order; throws at the first value that does not
// convert, leaving what was read so far.
void Le(const Leitor& v, PosicoesFechamento& p) {
  v.Texto(0);
  p.linha1 = v.Texto(1);
  p.esquema = v.Texto(2);
  p.contraVale = v.Logico(4);
  p.mostraMsg = v.Logico(5);
  p.desconto = v.Numero(6);
  p.valorContraVale = v.Numero(7);
  p.acrescimo = v.Numero(8);
  p.idUtilTef = v.Texto(9);
  p.mensagem = v.Texto(10);
  p.utilTef = v.Logico(11);
  v.Texto(12);
  p.movimentos = v[13];
  p.tiposRecebimento = v[14];
  p.cdConvenio = v.Texto(15);
  p.nmConvenio = v.Texto(16);
  p.cdConsumidor = v.Texto(17);
  p.nmConsumidor = v.Texto(18);
  p.rodape19 = v.Texto(19);
  p.rodape20 = v.Texto(20);
  p.mesa = v.Texto(21);
  p.cdOperador = v.Texto(22);
  p.nmOperador = v.Texto(23);
  for (size_t i = 24; i <= 26; ++i) v.Texto(i);
  p.tipoSaldo = v.Texto(27);
  p.cooConf = v.Texto(28);
  p.cerConf = v.Texto(29);
  v.Texto(30);
  p.senha = v.Texto(31);
  p.saldos = v[32];
  p.familias = v[33];
  p.emprestimos = v[34];
  v.Texto(35);
  p.modoSaldo = v.Texto(36);
  p.saldoConsumidor = v.Numero(37);
  p.precoSubsidio = v.Numero(38);
  p.rodape39 = v.Texto(39);
  p.anexaLista = v.Texto(40);
  p.ecfConf = v.Texto(41);
  p.retorno42 = v.Texto(42);
  for (size_t i = 43; i <= 48; ++i) v.Texto(i);
  v.Numero(50);
  p.tributoFederal = v.Numero(51);
  p.pontos = v.Numero(52);
  p.pontosExtras = v.Numero(54);
  p.tributoEstadual = v.Numero(58);
  p.imprimeConsumidor = v[60].IsNull() || v.Logico(60);
}

}  // namespace

PosicoesFechamento LePosicoes(const VariantArray& valores) {
  PosicoesFechamento p;
  try {
    Le(Leitor(valores), p);
  } catch (const std::exception&) {
    // A value that does not convert ends the reading; the closing goes on
    // with what was read, as the host's older callers expect.
  }
  return p;
}

}  // namespace Tov00300::receipt
