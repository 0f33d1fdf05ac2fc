// TAVIRAddInCommand (Windows): the host calls OnCommand when the user picks
// the add-in's menu item.
#include "host/addin/AddinIds.h"
#include "host/addin/CommandRun.h"
#include "host/addin/DualObject.h"
#include "host/addin/Objects.h"

namespace tavir::addin {
namespace {

class CommandObject final : public DualObject<IDesktopCommand> {
 public:
  explicit CommandObject(ComPtr<IUnknown> host)
      : DualObject(kIDesktopCommand), host_(std::move(host)) {}

  HRESULT STDMETHODCALLTYPE OnCommand() override {
    const ModuleEntry entry;
    RunCommand(host_);
    return S_OK;
  }

 private:
  ComPtr<IUnknown> host_;
};

}  // namespace

ComPtr<IDesktopCommand> NewCommandObject(const ComPtr<IUnknown>& host) {
  return ComPtr<IDesktopCommand>(new CommandObject(host));
}

}  // namespace tavir::addin
