// The add-in's entry in the host's list of add-ins (Windows).
#include "host/DesktopInterfaces.h"
#include "host/addin/AddinIds.h"
#include "host/addin/Registration.h"
#include "platform/ComError.h"
#include "platform/ComOwners.h"
#include "platform/ComPtr.h"

namespace tavir::addin {
namespace {

constexpr const char* kAddinList = "IDesktopAddinRegistry";

// regsvr32 may call us outside any apartment; the host's list needs one.
class Apartment {
 public:
  Apartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~Apartment() {
    if (initialized_)
      CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  bool initialized_;
};

// The host's list, or empty when the host is not installed.
ComPtr<IDesktopAddinRegistry> OpenHostList() {
  ComPtr<IDesktopAddinRegistry> list;
  if (FAILED(CoCreateInstance(CLSID_DesktopAddinRegistry, nullptr, CLSCTX_ALL,
                              IID_IDesktopAddinRegistry,
                              reinterpret_cast<void**>(list.Receive())))) {
    list.Detach();
    return {};
  }
  return list;
}

void RemoveEntry(IDesktopAddinRegistry* list, const Bstr& classId) {
  ComPtr<IDesktopAddinEntry> existing;
  ThrowIfFailed(list->get_Item(classId.Get(), existing.Receive()), kAddinList);
  if (existing)
    ThrowIfFailed(existing->Remove(), "IDesktopAddinEntry");
}

// Runs change on the host's list when the host is installed; a host
// failure ends it unreported: the COM registration stands without the list.
template <typename Change>
void ChangeHostList(Change change) {
  const Apartment apartment;
  const ComPtr<IDesktopAddinRegistry> list = OpenHostList();
  if (!list)
    return;
  try {
    change(list.Get(), Bstr(std::string{kAddinClassIdText}));
  } catch (const ComError&) {
  }
}

}  // namespace

void EnterInHostList() {
  ChangeHostList([](IDesktopAddinRegistry* list, const Bstr& classId) {
    RemoveEntry(list, classId);
    const Bstr name(std::string{kListEntryName});
    ComPtr<IDesktopAddinEntry> added;
    ThrowIfFailed(list->Add(classId.Get(), name.Get(), added.Receive()), kAddinList);
  });
}

void RemoveFromHostList() {
  ChangeHostList(RemoveEntry);
}

}  // namespace tavir::addin
