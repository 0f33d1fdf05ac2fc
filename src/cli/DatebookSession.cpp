// The datebook of one command: store, in-memory datebook and host objects.
#include "cli/DatebookSession.h"

#include "desktop/Desktop.h"
#include "desktop/store/DatebookStore.h"
#include "platform/CodePage.h"

namespace tavir {

DatebookSession::DatebookSession(const std::string& path, const std::string& defaultUserName)
    : store_(std::make_unique<DatebookStore>(path, AnsiToWide(defaultUserName))),
      data_(store_->Load()),
      application_(CreateDesktopApplication(data_)) {}

// The host objects go first: they hold the in-memory datebook.
DatebookSession::~DatebookSession() { application_.Reset(); }

ComPtr<IUnknown> DatebookSession::Host() const { return ComPtr<IUnknown>(application_.Get()); }

void DatebookSession::Commit() { store_->Commit(*data_); }

}  // namespace tavir
