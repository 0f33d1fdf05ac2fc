// The add-in list objects: entries found by class id text.
#include "desktop/DesktopAddinRegistry.h"

#include <algorithm>

namespace tavir {
namespace {

OLECHAR AsciiLower(OLECHAR c) {
  return c >= 'A' && c <= 'Z' ? OLECHAR(c - 'A' + 'a') : c;
}

bool SameClassId(const WideString& left, const WideString& right) {
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(),
                    [](OLECHAR a, OLECHAR b) { return AsciiLower(a) == AsciiLower(b); });
}

auto FindEntry(AddinList& list, const WideString& classId) {
  return std::find_if(list.entries.begin(), list.entries.end(), [&](const AddinListEntry& entry) {
    return SameClassId(entry.classId, classId);
  });
}

}  // namespace

DesktopAddinRegistry::DesktopAddinRegistry(std::shared_ptr<AddinList> list)
    : DesktopObject("IDesktopAddinRegistry", list->faults), list_(std::move(list)) {}

HRESULT DesktopAddinRegistry::Add(BSTR classId, BSTR name, IDesktopAddinEntry** entry) {
  return Run("Add", [&] {
    const WideString id = TextOf(classId);
    if (id.empty())
      return ReportError(E_INVALIDARG, "No add-in class id given.");
    const auto existing = FindEntry(*list_, id);
    if (existing != list_->entries.end()) {
      existing->name = TextOf(name);
    } else {
      list_->entries.push_back({id, TextOf(name)});
    }
    if (list_->changed)
      list_->changed(*list_);
    if (!entry)
      return S_OK;
    return ReturnObject(MakeDesktopObject<DesktopAddinEntry>(list_, id), entry);
  });
}

HRESULT DesktopAddinRegistry::get_Item(BSTR classId, IDesktopAddinEntry** entry) {
  return Run("get_Item", [&] {
    if (!entry)
      return E_POINTER;
    *entry = nullptr;
    const WideString id = TextOf(classId);
    if (FindEntry(*list_, id) == list_->entries.end())
      return S_OK;
    return ReturnObject(MakeDesktopObject<DesktopAddinEntry>(list_, id), entry);
  });
}

DesktopAddinEntry::DesktopAddinEntry(std::shared_ptr<AddinList> list, WideString classId)
    : DesktopObject("IDesktopAddinEntry", list->faults),
      list_(std::move(list)),
      classId_(std::move(classId)) {}

HRESULT DesktopAddinEntry::Remove() {
  return Run("Remove", [&] {
    const auto existing = FindEntry(*list_, classId_);
    if (existing == list_->entries.end())
      return S_OK;
    list_->entries.erase(existing);
    if (list_->changed)
      list_->changed(*list_);
    return S_OK;
  });
}

}  // namespace tavir
