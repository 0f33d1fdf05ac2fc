// The type information behind the objects' IDispatch (Windows): read from the
// type library embedded in the module, never from the registry, so that it
// works before registration too.
#include "host/addin/DualObject.h"

namespace tavir::addin {

ComPtr<ITypeInfo> InterfaceTypeInfo(REFIID iid) {
  ComPtr<ITypeLib> library;
  if (FAILED(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, library.Receive())))
    return {};
  ComPtr<ITypeInfo> info;
  if (FAILED(library->GetTypeInfoOfGuid(iid, info.Receive())))
    return {};
  // A dual interface comes as its dispatch half; Invoke needs the vtable half.
  HREFTYPE vtableHalf = 0;
  if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf)))
    return info;
  ComPtr<ITypeInfo> vtable;
  if (FAILED(info->GetRefTypeInfo(vtableHalf, vtable.Receive())))
    return info;
  return vtable;
}

}  // namespace tavir::addin
