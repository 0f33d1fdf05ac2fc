// `tavir archive`, `remove` and `user`: the archive dialog, Remove All and
// the datebook's Palm user.
#include <cstdio>

#include "cli/Commands.h"
#include "cli/DateArgument.h"
#include "cli/Tavir.h"
#include "engine/ArchiveRemove.h"
#include "engine/ExportDriver.h"
#include "host/Transfer.h"
#include "model/TextTrim.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "ui/ArchiveTexts.h"
#include "ui/MainDialogTexts.h"
#include "ui/OptionChecks.h"

namespace tavir {

int ArchiveCommand(CommandContext& context, const ArchiveArguments& arguments) {
  Options& options = context.options();
  context.Datebook();
  TimeValue limit = options.GetSpanStart();
  if (arguments.to) {
    const std::optional<TimeValue> day = ParseDateArgument(*arguments.to);
    if (!day) {
      std::fprintf(stderr,
                   "Not a date: \"%s\". Give the date as YYYY-MM-DD or in the short date form of "
                   "your regional settings.\n",
                   arguments.to->c_str());
      return kExitUsage;
    }
    limit = *day;
  }
  int minimumSize = -1;
  if (arguments.larger) {
    int size = 0;
    if (auto problem =
            CheckIntegerRange(*arguments.larger, kMinArchiveSize, kMaxArchiveSize, size)) {
      std::fprintf(stderr, "%s\n", problem->c_str());
      return kExitUsage;
    }
    minimumSize = size;
    options.minsize = size;
  }
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  context.out() << ArchiveStatisticsText(GetArchiveStatistics(options, datebook.Get())) << '\n';
  datebook = OpenDatebook(options);
  const int marked = ArchiveAppointments(options, datebook.Get(), limit, minimumSize);
  // Only the setting the archive changed: the others may have been changed by
  // another run since this one read them.
  if (arguments.larger)
    RegSetDword(kOptionsKey, "minsize", static_cast<std::uint32_t>(options.minsize));
  const std::string result = ArchiveResultText(marked);
  CurrentShell().ShowMessage(result, MessageButtons::Ok,
                             marked < 0 ? MessageIcon::Stop : MessageIcon::Information);
  return marked < 0 ? kExitFailed : kExitDone;
}

int RemoveCommand(CommandContext& context) {
  Options& options = context.options();
  context.Datebook();
  const std::string user = GetCurrentUserName(options);
  const int count = CountExportable(options);
  const std::string question = RemoveAllQuestion(count, user);
  if (CurrentShell().ShowMessage(question, MessageButtons::OkCancel, MessageIcon::Question) ==
      MessageAnswer::Ok) {
    int removed = 0;
    {
      ProgressShown shown(context.progress());
      removed = RemoveAppointments(options, &context.progress());
    }
    context.out() << "Removed " << removed << (removed == 1 ? " appointment" : " appointments")
                  << '\n';
  }
  return WriteCountLine(context) ? kExitDone : kExitFailed;
}

int UserCommand(CommandContext& context, const std::optional<std::string>& name) {
  if (name) {
    if (TrimWhiteSpace(*name).empty()) {
      std::fprintf(stderr, "Give the user a name; it cannot be empty.\n");
      return kExitUsage;
    }
    DatebookSession& session = context.Datebook(WhenMissing::Create);
    session.Data().SetUserName(AnsiToWide(*name));
    return kExitDone;
  }
  context.Datebook();
  context.out() << GetCurrentUserName(context.options()) << '\n';
  return kExitDone;
}

}  // namespace tavir
