// libFuzzer target for the settings file of the portable build: any bytes go
// through the REGEDIT4 reader; what it accepts must be written back and read
// again to the same text, so a saved file never turns damaged or different.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/RegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace rf = tavir::registry_file;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  rf::ParseError error;
  const auto document = rf::Parse(text, error);
  if (!document) {
    if (error.line < 1 || error.reason.empty()) std::abort();
    return 0;
  }
  const std::string written = rf::Serialize(*document);
  const auto reread = rf::Parse(written, error);
  if (!reread || rf::Serialize(*reread) != written) std::abort();
  return 0;
}
