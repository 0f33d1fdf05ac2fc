// The portable settings store's file: where it is and how it is replaced.
// Tests reach the point between writing the new file and putting it in place.
#pragma once

#include <string>

namespace tavir::registry_store {

// The file UseSettingsFile named, else TAVIR_REGISTRY, else $XDG_CONFIG_HOME/tavir/registry.reg,
// else $HOME/.config/tavir/registry.reg; empty when none of them is set.
std::string StorePath();

// Called after the new file is written and synced, before it replaces the
// old one. A hook that throws makes the write fail and leaves the old file.
using ReplaceHook = void (*)();
void SetReplaceHookForTesting(ReplaceHook hook);

}  // namespace tavir::registry_store
