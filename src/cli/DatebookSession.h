// One command's hold on the stand-alone datebook: the SQLite file opened in
// one write transaction, the datebook loaded, and the host application object
// over it. Commit stores the changes; without it nothing is written.
#pragma once

#include <memory>
#include <string>

#include "desktop/DatebookData.h"
#include "host/DesktopInterfaces.h"
#include "platform/ComPtr.h"

namespace tavir {

class DatebookStore;

class DatebookSession {
 public:
  // Creates the file when missing, with defaultUserName as the Palm user.
  // Throws std::runtime_error with a message for the user ("datebook in use",
  // not a datebook, damaged).
  DatebookSession(const std::string& path, const std::string& defaultUserName);
  ~DatebookSession();

  ComPtr<IUnknown> Host() const;
  DatebookData& Data() { return *data_; }
  void Commit();

 private:
  std::unique_ptr<DatebookStore> store_;
  std::shared_ptr<DatebookData> data_;
  ComPtr<IDesktopApplication> application_;
};

}  // namespace tavir
