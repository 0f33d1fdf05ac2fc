// Owners of BSTR, VARIANT and SAFEARRAY: each frees what it holds exactly once.
#pragma once

#include <string>

#include "platform/Com.h"

namespace tavir {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& ansi);   // converted with the ANSI code page
  explicit Bstr(const WideString& text);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept;
  Bstr& operator=(Bstr&& other) noexcept;
  ~Bstr();

  BSTR Get() const { return value_; }
  BSTR* Receive();          // frees the current string first
  BSTR Detach();
  unsigned Length() const;  // SysStringLen
  std::string ToAnsi() const;  // a null BSTR reads as empty text
  WideString ToWide() const;

 private:
  BSTR value_ = nullptr;
};

class Variant {
 public:
  Variant();  // VT_EMPTY
  Variant(const Variant& other);  // VariantCopy
  Variant& operator=(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  ~Variant();  // VariantClear

  static Variant FromInt(std::int32_t value);       // VT_I4
  static Variant FromDouble(double value);           // VT_R8
  static Variant FromDate(double oleDate);           // VT_DATE
  static Variant FromString(const std::string& ansi);  // VT_BSTR
  static Variant FromWide(const WideString& text);     // VT_BSTR
  // Takes a new reference.
  static Variant FromDispatch(IDispatch* object);      // VT_DISPATCH

  VARIANT* Get() { return &value_; }
  const VARIANT* Get() const { return &value_; }
  VARIANT* Receive();  // clears first; for out-parameters
  VARTYPE Type() const { return value_.vt; }
  // VariantChangeType to VT_BSTR, as ANSI; empty when empty or not convertible.
  std::string ToAnsiText() const;

 private:
  VARIANT value_;
};

// A SAFEARRAY of VARIANTs (VT_ARRAY | VT_VARIANT), 1-based in every dimension.
class SafeArray {
 public:
  SafeArray() = default;
  SafeArray(long rows, long columns);  // two dimensions, 1-based
  explicit SafeArray(SAFEARRAY* adopt) : array_(adopt) {}
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;
  SafeArray(SafeArray&& other) noexcept;
  SafeArray& operator=(SafeArray&& other) noexcept;
  ~SafeArray();  // SafeArrayDestroy

  SAFEARRAY* Get() const { return array_; }
  SAFEARRAY* Detach();
  long Rows() const;     // upper bound of dimension 1 minus lower + 1
  long Columns() const;  // same for dimension 2; 1 for a one-dimensional array
  Variant GetElement(long row, long column) const;
  void PutElement(long row, long column, const Variant& value);
  // Sets the number of columns, keeping every value at its row and column:
  // columns are the last dimension, the one SafeArrayRedim changes, and it
  // varies slowest in memory. Dropped columns release their values.
  void ResizeColumns(long columns);

 private:
  SAFEARRAY* array_ = nullptr;
};

}  // namespace tavir
