// The class factory of the add-in class (Windows).
#pragma once

#include "platform/Com.h"

namespace tavir::addin {

// A new factory, answered for iid as DllGetClassObject answers.
HRESULT GetAddinClassFactory(REFIID iid, void** object);

}  // namespace tavir::addin
