// A datebook file for one command of `tavir`: opening it starts one write
// transaction that Commit ends; without Commit nothing is changed. A crash
// leaves the file as before or after the command; a second process gets a
// clear "in use" error; a file that is not a datebook is never changed.
#pragma once

#include <limits>
#include <memory>
#include <string>

#include "desktop/DatebookData.h"
#include "desktop/store/DatebookStoreError.h"
#include "desktop/store/SqliteHandles.h"

namespace tavir {

class DatebookStore {
 public:
  // Opens path, creating a new datebook with defaultUserName when there is
  // no file, and begins the command's transaction. Throws DatebookStoreError:
  // InUse when another process holds it (after a short wait), NotADatebook
  // for any other file (left byte for byte as it was), Unavailable when it
  // cannot be created or opened.
  DatebookStore(const std::string& path, const WideString& defaultUserName);
  ~DatebookStore();  // rolls back unless committed
  DatebookStore(const DatebookStore&) = delete;
  DatebookStore& operator=(const DatebookStore&) = delete;

  // The datebook as the file holds it, with no pending changes. Throws
  // DatebookStoreError (Damaged) for a value of the wrong type or range.
  std::shared_ptr<DatebookData> Load();

  struct CommitSummary {
    int appointmentsWritten = 0;
    int appointmentsRemoved = 0;
  };
  // Writes what changed in data since Load (or the last Commit) and commits.
  // The store is finished afterwards; data keeps no pending changes.
  CommitSummary Commit(DatebookData& data);

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  SqliteConnection connection_;
  bool inTransaction_ = false;
  // Ids from here on were given after Load: the file has no rows of theirs.
  std::int32_t firstNewRecordId_ = std::numeric_limits<std::int32_t>::max();
};

}  // namespace tavir
