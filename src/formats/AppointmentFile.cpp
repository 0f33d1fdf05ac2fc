// The two operations every appointment file shares.
#include "formats/AppointmentFile.h"

namespace tavir {

ReadResult AppointmentFile::ReadLong(std::int32_t& value) {
  std::int32_t copy = value;
  const ReadResult result = ReadInt(copy);
  value = copy;
  return result;
}

int AppointmentFile::GetLineNumber() {
  return recordCounter;
}

}  // namespace tavir
