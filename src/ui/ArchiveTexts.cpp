// Archive dialog texts from the string table.
#include "ui/ArchiveTexts.h"

#include "model/Strings.h"

namespace tavir {

std::string ArchiveStatisticsText(const ArchiveStatistics& statistics) {
  return FormatMessageText(LoadText(text::ArchiveStatistics).c_str(), statistics.count,
                           static_cast<int>(statistics.bytes));
}

std::string ArchiveResultText(int marked) {
  if (marked < 0)
    return LoadText(text::ErrorArchiving);
  const int id = marked == 1 ? text::MarkedOneForArchival : text::MarkedManyForArchival;
  return FormatMessageText(LoadText(id).c_str(), marked);
}

}  // namespace tavir
