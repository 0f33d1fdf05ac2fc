// The texts that stand for alarm units and repeat kinds in files.
#include "engine/FieldVocabulary.h"

#include "model/AppointmentRecord.h"

namespace tavir {

const char* AlarmUnitText(std::int32_t unit) {
  switch (unit) {
    case Hours: return "h";
    case Days: return "d";
    default: return "m";
  }
}

const char* RepeatTypeText(std::int32_t repeatType) {
  switch (repeatType) {
    case Daily: return "Daily";
    case Weekly: return "Weekly";
    case MonthlyDay: return "Monthly Day";
    case MonthlyDate: return "Monthly Date";
    case Yearly: return "Yearly";
    default: return "";
  }
}

}  // namespace tavir
