// IDispatch::Invoke with positional arguments, property puts and the callee's
// exception information turned into ComError.
#include "formats/AutomationCall.h"

#include "platform/ComError.h"

namespace tavir {

namespace {

constexpr const char* kInterfaceName = "IDispatch";

Variant Invoke(IDispatch* object, DISPID member, WORD kind, const std::vector<Variant>& arguments,
               const Variant* putValue) {
  if (!object) throw ComError(E_POINTER, kInterfaceName, "");
  // Invoke takes the arguments last first; they are lent, not handed over.
  std::vector<VARIANT> lent;
  if (putValue) lent.push_back(*putValue->Get());
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) lent.push_back(*it->Get());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{lent.data(), putValue ? &putId : nullptr, static_cast<UINT>(lent.size()),
                        putValue ? 1u : 0u};
  EXCEPINFO exception{};
  UINT argumentError = 0;
  Variant result;
  const HRESULT hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                                    putValue ? nullptr : result.Get(), &exception, &argumentError);
  if (SUCCEEDED(hr)) return result;
  if (hr != DISP_E_EXCEPTION) throw ComError(hr, kInterfaceName, "");
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  // The callee allocated the texts; the owners free them.
  Bstr source, description, helpFile;
  *source.Receive() = exception.bstrSource;
  *description.Receive() = exception.bstrDescription;
  *helpFile.Receive() = exception.bstrHelpFile;
  const HRESULT error = exception.scode ? exception.scode : hr;
  throw ComError(error, kInterfaceName, description.ToAnsi());
}

ComPtr<IDispatch> ObjectOf(const Variant& value) {
  if (value.Type() != VT_DISPATCH || !value.Get()->pdispVal) throw ComError(DISP_E_TYPEMISMATCH, kInterfaceName, "");
  return ComPtr<IDispatch>(value.Get()->pdispVal);
}

}  // namespace

Variant GetProperty(IDispatch* object, DISPID member, const std::vector<Variant>& arguments) {
  return Invoke(object, member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, arguments, nullptr);
}

void PutProperty(IDispatch* object, DISPID member, const Variant& value, const std::vector<Variant>& arguments) {
  Invoke(object, member, DISPATCH_PROPERTYPUT, arguments, &value);
}

Variant CallMethod(IDispatch* object, DISPID member, const std::vector<Variant>& arguments) {
  return Invoke(object, member, DISPATCH_METHOD, arguments, nullptr);
}

ComPtr<IDispatch> GetObjectProperty(IDispatch* object, DISPID member, const std::vector<Variant>& arguments) {
  return ObjectOf(GetProperty(object, member, arguments));
}

ComPtr<IDispatch> CallObjectMethod(IDispatch* object, DISPID member, const std::vector<Variant>& arguments) {
  return ObjectOf(CallMethod(object, member, arguments));
}

}  // namespace tavir
