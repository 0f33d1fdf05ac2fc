// BSTR as Windows lays it out (byte length before the characters, zero after)
// and the Bstr owner over it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "platform/ComOwners.h"

namespace tavir {
namespace {

std::uint32_t StoredByteLength(BSTR text) {
  std::uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(text) - sizeof bytes, sizeof bytes);
  return bytes;
}

TEST(ComBstr, LengthComesFromThePrefixNotFromTheFirstZero) {
  struct Case {
    const OLECHAR* text;
    UINT length;
  };
  const Case cases[] = {
      {OLESTR(""), 0},
      {OLESTR("Meeting"), 7},
      {OLESTR("a\0b"), 3},      // an embedded zero
      {OLESTR("\0\0\0\0"), 4},  // nothing but zeros
      {nullptr, 5},             // space reserved for the caller to fill
  };
  for (const Case& c : cases) {
    Bstr owner;
    *owner.Receive() = SysAllocStringLen(c.text, c.length);
    BSTR text = owner.Get();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), c.length);
    EXPECT_EQ(SysStringByteLen(text), c.length * sizeof(OLECHAR));
    EXPECT_EQ(StoredByteLength(text), c.length * sizeof(OLECHAR));
    if (c.text) {
      EXPECT_EQ(std::memcmp(text, c.text, c.length * sizeof(OLECHAR)), 0);
    }
    EXPECT_EQ(text[c.length], 0) << "terminating zero after " << c.length << " characters";
  }
  Bstr stopped;
  *stopped.Receive() = SysAllocString(OLESTR("ab\0cd"));
  EXPECT_EQ(stopped.Length(), 2u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(ComBstr, OwnerConvertsMovesAndDetaches) {
  EXPECT_EQ(Bstr(std::string("Dentist 9:00")).ToAnsi(), "Dentist 9:00");
  const Bstr empty{std::string()};
  ASSERT_NE(empty.Get(), nullptr) << "an empty text is an empty string, not a null BSTR";
  EXPECT_EQ(empty.Length(), 0u);
  const WideString withZero(OLESTR("x\0y"), 3);
  EXPECT_EQ(Bstr(withZero).ToWide(), withZero);
  const Bstr none;
  EXPECT_EQ(none.ToAnsi(), "");
  EXPECT_TRUE(none.ToWide().empty());

  Bstr first{std::string("Note")};
  BSTR raw = first.Get();
  Bstr second(std::move(first));
  EXPECT_EQ(first.Get(), nullptr);
  Bstr third{std::string("other")};
  third = std::move(second);  // frees "other"
  EXPECT_EQ(third.Get(), raw);
  Bstr adopter;
  *adopter.Receive() = third.Detach();
  EXPECT_EQ(third.Get(), nullptr);
  EXPECT_EQ(adopter.ToAnsi(), "Note");
  *adopter.Receive() = SysAllocString(OLESTR("replaced"));  // frees "Note"
  EXPECT_EQ(adopter.ToAnsi(), "replaced");
}

}  // namespace
}  // namespace tavir
