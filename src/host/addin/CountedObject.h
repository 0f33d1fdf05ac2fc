// Every COM object of the add-in module (Windows) holds a share in the
// module's object count while it lives, so that the module is not unloaded
// under it.
#pragma once

#include "host/addin/Module.h"
#include "platform/ComObject.h"

namespace tavir::addin {

template <typename Interface>
class CountedObject : public ComObject<Interface> {
 protected:
  CountedObject() { CountObject(1); }
  ~CountedObject() override { CountObject(-1); }
};

}  // namespace tavir::addin
