// The host's list of add-ins (IDesktopAddinRegistry with IDesktopAddinEntry)
// over a plain list that tests can look at and prefill.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "desktop/DesktopObject.h"
#include "host/DesktopInterfaces.h"

namespace tavir {

// Both add-in list interfaces start with ten methods nobody calls.
#define TAVIR_ADDIN_LIST_PLACEHOLDERS \
  TAVIR_DESKTOP_PLACEHOLDER(7)        \
  TAVIR_DESKTOP_PLACEHOLDER(8)        \
  TAVIR_DESKTOP_PLACEHOLDER(9)        \
  TAVIR_DESKTOP_PLACEHOLDER(10)       \
  TAVIR_DESKTOP_PLACEHOLDER(11)       \
  TAVIR_DESKTOP_PLACEHOLDER(12)       \
  TAVIR_DESKTOP_PLACEHOLDER(13)       \
  TAVIR_DESKTOP_PLACEHOLDER(14)       \
  TAVIR_DESKTOP_PLACEHOLDER(15)       \
  TAVIR_DESKTOP_PLACEHOLDER(16)

struct AddinListEntry {
  WideString classId;  // the add-in class id in braces
  WideString name;
};

struct AddinList {
  std::vector<AddinListEntry> entries;
  std::shared_ptr<FaultInjector> faults = std::make_shared<FaultInjector>();
  // Told after every change, so that a list kept elsewhere can be stored.
  std::function<void(const AddinList&)> changed;
};

class DesktopAddinRegistry final : public DesktopObject<IDesktopAddinRegistry> {
 public:
  explicit DesktopAddinRegistry(std::shared_ptr<AddinList> list);

  // Adds the add-in, or renames the entry that has its class id.
  HRESULT STDMETHODCALLTYPE Add(BSTR classId, BSTR name, IDesktopAddinEntry** entry) override;
  // S_OK with a null entry when the list has none for that class id (compared
  // ignoring the case of the hexadecimal digits).
  HRESULT STDMETHODCALLTYPE get_Item(BSTR classId, IDesktopAddinEntry** entry) override;
  TAVIR_ADDIN_LIST_PLACEHOLDERS
  TAVIR_DESKTOP_PLACEHOLDER(18)

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopAddinRegistry); }

 private:
  std::shared_ptr<AddinList> list_;
};

class DesktopAddinEntry final : public DesktopObject<IDesktopAddinEntry> {
 public:
  DesktopAddinEntry(std::shared_ptr<AddinList> list, WideString classId);

  // Takes the entry out of the list; S_OK also when it is gone already.
  HRESULT STDMETHODCALLTYPE Remove() override;
  TAVIR_ADDIN_LIST_PLACEHOLDERS

 protected:
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDesktopAddinEntry); }

 private:
  std::shared_ptr<AddinList> list_;
  WideString classId_;
};

}  // namespace tavir
