// Shows a progress bar for one operation, from position 0, and hides it on
// every way out.
#pragma once

#include "platform/Shell.h"

namespace tavir {

class ProgressShown {
 public:
  explicit ProgressShown(ProgressControl& progress) : progress_(progress) {
    progress_.Show(true);
    progress_.SetPosition(0);
  }
  ~ProgressShown() { progress_.Show(false); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

 private:
  ProgressControl& progress_;
};

}  // namespace tavir
