// Everything a C++ host includes to use the package.
#ifndef TOV00300_TOV00300_H_
#define TOV00300_TOV00300_H_

#include "tov00300/accounts.h"
#include "tov00300/closing_reports.h"
#include "tov00300/config.h"
#include "tov00300/cp1252.h"
#include "tov00300/datamodule.h"
#include "tov00300/dataset.h"
#include "tov00300/datetime.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/driver_api.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/legal.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/session.h"
#include "tov00300/state.h"
#include "tov00300/stringlist.h"
#include "tov00300/table_service.h"
#include "tov00300/variant.h"
#include "tov00300/vouchers.h"

#endif  // TOV00300_TOV00300_H_
