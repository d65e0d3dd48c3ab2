// The steps of the receipt closing (FechaCupom), shared by its files: the
// host's positions as read, the tables loaded from them, the payments and the
// repetition of refused commands.
#ifndef TOV00300_SRC_RECEIPT_CLOSING_STEPS_H_
#define TOV00300_SRC_RECEIPT_CLOSING_STEPS_H_

#include <functional>
#include <string>

#include "tov00300/dataset.h"
#include "tov00300/variant.h"

namespace Tov00300::receipt {

// The positions of the closing's value array that the operation uses, by
// their meaning (the position in the comment).
struct PosicoesFechamento {
  std::string linha1;              // 1: first line of the footer
  std::string esquema;             // 2: colour scheme
  bool contraVale = false;         // 4: print the contra-vale receipt
  bool mostraMsg = false;          // 5: show the printer's messages
  double desconto = 0;             // 6: subtotal discount
  double valorContraVale = 0;      // 7
  double acrescimo = 0;            // 8: subtotal surcharge
  std::string idUtilTef;           // 9: card-payment use kind, "S" or "T"
  std::string mensagem;            // 10: free footer message
  bool utilTef = false;            // 11: a card payment takes part
  Variant movimentos;              // 13: cash-movement rows (data packet)
  Variant tiposRecebimento;        // 14: payment types (data packet)
  std::string cdConvenio;          // 15
  std::string nmConvenio;          // 16
  std::string cdConsumidor;        // 17
  std::string nmConsumidor;        // 18
  std::string rodape19;            // 19: handed to the footer, unused there
  std::string rodape20;            // 20: likewise
  std::string mesa;                // 21: table or order-pad number
  std::string cdOperador;          // 22
  std::string nmOperador;          // 23
  std::string tipoSaldo;           // 27: "0" one total, "1" per family
  std::string cooConf;             // 28: table conference COO
  std::string cerConf;             // 29: table conference CER
  std::string senha;               // 31: order password
  Variant saldos;                  // 32: consumer balances (data packet)
  Variant familias;                // 33: family balances (data packet)
  Variant emprestimos;             // 34: loan movements (data packet)
  std::string modoSaldo;           // 36: "1" from the tables, "2" from 37/38
  double saldoConsumidor = 0;      // 37
  double precoSubsidio = 0;        // 38
  std::string rodape39;            // 39: handed to the footer, unused there
  std::string anexaLista;          // 40: "S" appends the card-payment lines
  std::string ecfConf;             // 41: table conference ECF number
  std::string retorno42;           // 42: handed back in result element 1
  double tributoFederal = 0;       // 51
  double pontos = 0;               // 52: loyalty points
  double pontosExtras = 0;         // 54: extra loyalty points
  double tributoEstadual = 0;      // 58
  bool imprimeConsumidor = false;  // 60: Null counts as true
};

// Reads the positions in order. The first value that does not convert stops
// the reading: it and every later position keep their empty values. Missing
// positions read as Empty values (empty, zero, false).
PosicoesFechamento LePosicoes(const VariantArray& valores);

// Loads the six closing tables of the data module from the host's packets:
// the two movement tables from position 13 (the working one then emptied,
// both ordered by NRORDTROCO, DTHRINCMOV), the payment types from 14 and the
// three balance tables from 32 to 34 (Empty or Null leaves a balance table
// closed: not sent). Throws when a packet is missing or unusable.
void CarregaTabelas(const PosicoesFechamento& p);

// "E" and "T" movements are the ones paid on the printer.
bool MovimentoPago(const std::string& idTipoMovive);

// Turns the movement rows into the payment lines of cdsMovCaixaTef; in a card
// sale the paid movements of one payment type are merged into one line.
void MontaPagamentos(bool vendaComCartao);

// Looks for a paid line of cdsMovCaixaTef whose payment type is not in
// cdsRecebAux: true with its code in `codigo` when there is one.
bool TipoAusente(std::string& codigo);

// Puts cdsRecebAux on the payment type of the current line of `linha` (its
// CDTIPORECE, or CDTIPORECEORIG for a card line); false when it is absent.
bool LocalizaTipo(DataSet& linha);

// Repetition of refused commands in a card sale with an operator present.
struct Tentativas {
  std::string esquema;
  bool mostraMsg = false;
  bool vendaComCartao = false;
  int repeticao = 0;  // 1 once the operator asked for a repetition

  // Runs `comando` (send and analyse; true when accepted) until it is
  // accepted: true. False when the operation must end: the operator said no,
  // or the question could not be asked (then boClieUtil becomes false).
  bool Envia(const std::function<bool()>& comando);
  // The printer-state check before a card closing, asked again on yes.
  bool ConfereEstado();
};

// The subtotal with its discount, or else its surcharge. A failure after
// which the printer shows the receipt totalled counts as done.
bool Subtotaliza(Tentativas& t, double desconto, double acrescimo);

// What the payments left for the footer.
struct Pagamentos {
  int enviados = 0;
  bool convenio = false;  // a payment type of kind "8" was paid
  double pagoConta = 0;   // paid from the consumer's account (kinds "9", "A")
};

// True when cdsMovCaixaTef has a line paid on the printer ("E" or "T").
bool HaPagamento();

// One payment per line of cdsMovCaixaTef, in its order. `jaPago` (cents) is
// what the printer already holds from an earlier call of the same closing:
// the lines it covers are not paid again. False when the operation must end.
bool EfetuaPagamentos(Tentativas& t, Pagamentos& pagamentos, long long jaPago);

}  // namespace Tov00300::receipt

#endif  // TOV00300_SRC_RECEIPT_CLOSING_STEPS_H_
