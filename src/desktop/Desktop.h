// The stand-alone datebook's entry points: the host objects over an in-memory
// datebook, for the `tavir` command and the tests. The program itself reaches
// them only through the host interfaces.
#pragma once

#include <memory>

#include "desktop/DatebookData.h"
#include "desktop/DesktopAddinRegistry.h"
#include "host/DesktopInterfaces.h"
#include "platform/ComPtr.h"

namespace tavir {

// The application object over datebook; what an add-in gets in OnInitialize.
ComPtr<IDesktopApplication> CreateDesktopApplication(std::shared_ptr<DatebookData> datebook);

// The host's add-in list over list.
ComPtr<IDesktopAddinRegistry> CreateDesktopAddinRegistry(std::shared_ptr<AddinList> list);

// How many COM objects of the stand-alone datebook are alive.
int LiveDesktopObjects();

}  // namespace tavir
