// The portable settings store's file: where it is.
#pragma once

#include <string>

namespace tavir::registry_store {

// The file UseSettingsFile named, else TAVIR_REGISTRY, else $XDG_CONFIG_HOME/tavir/registry.reg,
// else $HOME/.config/tavir/registry.reg; empty when none of them is set.
std::string StorePath();

}  // namespace tavir::registry_store
