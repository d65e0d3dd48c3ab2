// Table-service prints of restaurant operation: table opening, sales
// register of a table or tab, open tables and tabs, products moved between
// tables, blocked products and a host-made text. Each is one management
// report of 48-column lines; printer failures are reported by the return-code
// analysis. Host rows the package cannot print from (a missing field, an
// amount that is not a number) are reported to the operator before anything
// is printed, and the print is not made.
#ifndef TOV00300_TABLE_SERVICE_H_
#define TOV00300_TABLE_SERVICE_H_

#include <string>

#include "tov00300/dataset.h"
#include "tov00300/export.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// The opening of table `mesa`: its items (data packet copied into
// cdsParcProdutos: CDARVPROD, NMPRODUTO, QTPRODCOMVEN, VRPRECCOMVEN), the
// service charge, surcharge and discount when above 0, and the total.
// Returns true when the report was closed successfully.
bool Abertura_Mesa(const std::string& ignorado1, const std::string& stEsquema,
                   const std::string& ignorado3, const std::string& mesa,
                   const std::string& ignorado5, const std::string& emissao, const Variant& itens,
                   double desconto, double ignorado9, double ignorado10, double taxaServico,
                   double ignorado12, double total, double acrescimo);

// The sales register of a table (a four-character `numero`) or a tab (any
// other length): items of `itens` (copied into cdsItemsReg: CDPROD, NMPROD,
// STQTDE, STVALOR). True when the report was closed successfully.
bool RegistroVenda(const std::string& ignorado1, const std::string& ignorado2,
                   const std::string& stEsquema, DataSet& itens, const std::string& numero);

// The open tables, delivery tabs and tabs (data packet copied into
// cdsMesaAberTov: DSCOMANDA, NRMESA, DTHRABERMESA), a section at each change
// of kind, the kind told by the first three characters of DSCOMANDA.
void ImprimeMesasAbertas(DataSet& ignorado1, const std::string& ignorado2,
                         const std::string& ignorado3, const std::string& stEsquema,
                         const std::string& ignorado5, const Variant& mesas);

// Products moved between tables (data packet copied into cdsProdutoTransf),
// with a heading at each change of origin and destination.
void imprimeProdutosTransf(const std::string& ignorado1, const std::string& ignorado2,
                           const std::string& stEsquema, const Variant& produtos);

// Prints the host's report text; on success records it as an "RG" document
// under `chaveRegistro`. Returns the print's outcome.
bool imprimeTipoRece(const std::string& ignorado1, const std::string& ignorado2,
                     const std::string& stEsquema, const std::string& chaveRegistro,
                     const std::string& texto);

// The blocked products of `produtos` (read where they are: NMFILIAL and
// CDLOJA of the current row, then CDPRODUTO, CDPROTECLADO and NMPRODUTO of
// every row). True when the report was closed successfully.
bool ImprimeProdBloq(const std::string& ignorado1, const std::string& ignorado2,
                     const std::string& stEsquema, DataSet& produtos);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_TABLE_SERVICE_H_
