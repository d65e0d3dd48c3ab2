// The contents of the data module's two message catalogues. Every operator
// text, report caption and question that the operations take from msgPadrao or
// msgPadrao2 is loaded here, so that Msg never answers a key the package asks
// for with an empty text.
#ifndef TOV00300_SRC_CORE_CATALOGUES_H_
#define TOV00300_SRC_CORE_CATALOGUES_H_

#include "tov00300/hostlib.h"

namespace Tov00300 {

// Fills the data module's two catalogues (texts stored in Windows-1252).
// Replaces whatever lines the components held, so calling it again leaves the
// same content. Keys keep the catalogue's own spelling; Msg ignores letter
// case, so "Datadif" finds "DataDif".
void LoadCatalogues(hostlib::TMessages& msgPadrao, hostlib::TMessages& msgPadrao2);

}  // namespace Tov00300

#endif  // TOV00300_SRC_CORE_CATALOGUES_H_
