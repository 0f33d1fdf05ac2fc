// Creation of the stand-alone datebook's top-level COM objects.
#include "desktop/Desktop.h"

#include "desktop/DesktopApplication.h"

namespace tavir {

ComPtr<IDesktopApplication> CreateDesktopApplication(std::shared_ptr<DatebookData> datebook) {
  return ComPtr<IDesktopApplication>(
      MakeDesktopObject<DesktopApplication>(std::move(datebook)).Get());
}

ComPtr<IDesktopAddinRegistry> CreateDesktopAddinRegistry(std::shared_ptr<AddinList> list) {
  return ComPtr<IDesktopAddinRegistry>(
      MakeDesktopObject<DesktopAddinRegistry>(std::move(list)).Get());
}

}  // namespace tavir
