// Calls to an automation object's members by dispatch id. A failed call
// throws ComError carrying the callee's error text (EXCEPINFO).
#pragma once

#include <vector>

#include "platform/ComOwners.h"
#include "platform/ComPtr.h"

namespace tavir {

// Arguments are given in the caller's order.
Variant GetProperty(IDispatch* object, DISPID member, const std::vector<Variant>& arguments = {});
void PutProperty(IDispatch* object, DISPID member, const Variant& value,
                 const std::vector<Variant>& arguments = {});
Variant CallMethod(IDispatch* object, DISPID member, const std::vector<Variant>& arguments = {});
// A property whose value is an object; throws ComError when it is none.
ComPtr<IDispatch> GetObjectProperty(IDispatch* object, DISPID member,
                                    const std::vector<Variant>& arguments = {});
ComPtr<IDispatch> CallObjectMethod(IDispatch* object, DISPID member,
                                   const std::vector<Variant>& arguments = {});

}  // namespace tavir
