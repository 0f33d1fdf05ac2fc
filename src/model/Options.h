// The settings of one command run, loaded from and saved to
// HKEY_CURRENT_USER\Software\Quelmar\TAVIR\Options, with the field mapping
// (under ...\Mappings) and the date range of the simple export.
#pragma once

#include <cstdint>
#include <string>

#include "model/FieldMapping.h"
#include "platform/ComPtr.h"
#include "platform/LocalTime.h"

namespace tavir {

inline constexpr const char* kOptionsKey = "Software\\Quelmar\\TAVIR\\Options";
inline constexpr const char* kMappingsKey = "Software\\Quelmar\\TAVIR\\Mappings";

class Options {
 public:
  Options();
  Options(const Options&) = delete;
  Options& operator=(const Options&) = delete;

  int Load();
  int Save() const;

  TimeValue GetSpanStart() const;
  TimeValue GetSpanEnd() const;
  void SetSpanStart(TimeValue day);
  void SetSpanEnd(TimeValue day);

  ComPtr<IUnknown> host;  // the host object; not stored

  std::string filtertext;
  std::int32_t filtertype = 0;
  std::int32_t dofilter = 0;
  std::int32_t datewithtime = 0;
  std::int32_t usecategories = 0;
  std::int32_t defaultapptlength = 60;
  std::string quote = "\"";
  std::string exceptiondateseparator = " ";
  FieldMapping mapping;
  std::int32_t prcdeleteappts = 1;
  std::string prcicontext;
  std::string prcmsgtitle;
  std::string prcmsgtext;
  std::int32_t exportnocr = 0;
  std::int32_t ignoreimporterrors = 0;
  std::int32_t fullformat = 1;
  std::int32_t daysahead = 30;
  std::int32_t daysback = 30;
  std::string lastfile;
  std::string separator;
  std::int32_t noduplicates = 1;
  std::int32_t minsize = 1000;
  // How an import reads a CSV file's bytes: "utf-8", "windows-1252", "ansi",
  // or empty to find out from the file. For one run only, never stored.
  std::string importencoding;
};

}  // namespace tavir
