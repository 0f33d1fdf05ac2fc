// Portable BSTR: as on Windows, a 4-byte byte length sits before the
// characters and a terminating zero after them.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/Com.h"

namespace {

constexpr std::size_t kPrefixBytes = sizeof(std::uint32_t);

unsigned char* PrefixOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefixBytes; }

std::uint32_t ByteLength(BSTR text) {
  std::uint32_t bytes;
  std::memcpy(&bytes, PrefixOf(text), sizeof bytes);
  return bytes;
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  constexpr UINT kMaxLength = (std::numeric_limits<std::uint32_t>::max() - kPrefixBytes - 2) / 2;
  if (length > kMaxLength) return nullptr;
  const std::uint32_t bytes = length * sizeof(OLECHAR);
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefixBytes + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  std::memcpy(block, &bytes, sizeof bytes);
  auto* characters = reinterpret_cast<OLECHAR*>(block + kPrefixBytes);
  // Without text the characters stay uninitialised, as on Windows.
  if (text) std::memcpy(characters, text, bytes);
  characters[length] = 0;
  return characters;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  UINT length = 0;
  while (text[length] != 0) ++length;
  return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
  if (text) std::free(PrefixOf(text));
}

UINT SysStringByteLen(BSTR text) { return text ? ByteLength(text) : 0; }

UINT SysStringLen(BSTR text) { return text ? ByteLength(text) / sizeof(OLECHAR) : 0; }
