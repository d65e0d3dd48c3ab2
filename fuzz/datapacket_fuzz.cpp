// Data-packet files come from the host and from disk: any bytes must either
// load or be refused with DataSetError, and what loads must save and load
// back to the same packet.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tov00300/dataset.h"
#include "tov00300/variant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string xml(reinterpret_cast<const char*>(data), size);
  Tov00300::DataPacket packet;
  try {
    packet = Tov00300::DataSet::FromXml(xml);
  } catch (const Tov00300::DataSetError&) {
    return 0;
  } catch (const Tov00300::ConversionError&) {
    return 0;
  }
  const Tov00300::DataPacket again = Tov00300::DataSet::FromXml(Tov00300::DataSet::ToXml(packet));
  if (!(again == packet)) std::abort();
  Tov00300::DataSet ds("fuzz");
  ds.SetData(packet);
  for (ds.First(); !ds.Eof(); ds.Next()) {
    for (int i = 0; i < ds.FieldCount(); ++i) ds.Fields(i).Value();
  }
  return 0;
}
