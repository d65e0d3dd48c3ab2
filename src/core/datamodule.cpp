// The data module: created on first need, never freed.
#include "tov00300/datamodule.h"

#include "core/catalogues.h"
#include "tov00300/state.h"

namespace Tov00300 {

TdtmDaruma300::TdtmDaruma300() {
  LoadCatalogues(msgPadrao, msgPadrao2);
  // The grand-total update edits this table in place; a change log would
  // only grow with edits nobody applies.
  cdsCheckECF.AfterOpen = [](DataSet& table) { table.LogChanges = false; };
}

TdtmDaruma300& DataModule() {
  if (dtmDaruma300 == nullptr) dtmDaruma300 = new TdtmDaruma300();
  return *dtmDaruma300;
}

}  // namespace Tov00300
