// VARIANT copy and clear: strings are copied, interfaces counted, arrays
// copied and destroyed, so every reference taken is given back.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/ComOwners.h"
#include "support/CountingObject.h"

namespace tavir {
namespace {

using test_support::CountingObject;

TEST(ComVariant, CopyOfAStringIsDeepAndKeepsEmbeddedZeros) {
  const WideString text(OLESTR("a\0b"), 3);
  const Variant original = Variant::FromWide(text);
  const Variant copy = original;
  ASSERT_EQ(copy.Type(), VT_BSTR);
  EXPECT_NE(copy.Get()->bstrVal, original.Get()->bstrVal);
  EXPECT_EQ(SysStringLen(copy.Get()->bstrVal), 3u);
  EXPECT_EQ(WideString(copy.Get()->bstrVal, 3), text);
}

TEST(ComVariant, DispatchReferencesReturnToZero) {
  CountingObject object;
  {
    Variant first = Variant::FromDispatch(&object);
    EXPECT_EQ(object.References(), 1u);
    Variant second = first;
    EXPECT_EQ(object.References(), 2u);
    Variant third = std::move(first);
    EXPECT_EQ(object.References(), 2u) << "a move takes no reference";
    EXPECT_EQ(first.Type(), VT_EMPTY);
    second = Variant::FromInt(7);
    EXPECT_EQ(object.References(), 1u);
    second = third;
    EXPECT_EQ(object.References(), 2u);
    third.Receive();
    EXPECT_EQ(object.References(), 1u);
    EXPECT_EQ(third.Type(), VT_EMPTY);
  }
  EXPECT_EQ(object.References(), 0u);
  EXPECT_EQ(object.AddRefCalls(), 3u);
}

TEST(ComVariant, ArrayInAVariantIsCopiedAndDestroyedWithItsElements) {
  CountingObject object;
  {
    SafeArray array(2, 2);
    array.PutElement(1, 1, Variant::FromDispatch(&object));
    array.PutElement(2, 2, Variant::FromString("Lunch"));
    Variant holder;
    holder.Get()->parray = array.Detach();
    holder.Get()->vt = VT_ARRAY | VT_VARIANT;

    const Variant copy = holder;
    ASSERT_EQ(copy.Type(), VT_ARRAY | VT_VARIANT);
    EXPECT_NE(copy.Get()->parray, holder.Get()->parray);
    EXPECT_EQ(object.References(), 2u) << "the copied element holds its own reference";
    LONG lunchAt[2] = {2, 2};
    Variant lunch;
    ASSERT_EQ(SafeArrayGetElement(copy.Get()->parray, lunchAt, lunch.Receive()), S_OK);
    EXPECT_EQ(lunch.ToAnsiText(), "Lunch");
    holder.Receive();
    EXPECT_EQ(object.References(), 1u);
  }
  EXPECT_EQ(object.References(), 0u);
}

TEST(ComVariant, RawCopyAndClearFollowTheWindowsRules) {
  CountingObject object;
  VARIANT source;
  VariantInit(&source);
  EXPECT_EQ(source.vt, VT_EMPTY);
  source.vt = VT_DISPATCH;
  source.pdispVal = &object;
  object.AddRef();

  VARIANT target;
  VariantInit(&target);
  ASSERT_EQ(VariantCopy(&target, &source), S_OK);
  EXPECT_EQ(object.References(), 2u);
  EXPECT_EQ(VariantCopy(&target, &target), S_OK) << "copy onto itself";
  EXPECT_EQ(object.References(), 2u);
  // A copy replaces (and releases) what the target held.
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = 42;
  ASSERT_EQ(VariantCopy(&target, &number), S_OK);
  EXPECT_EQ(std::pair(target.vt, target.lVal), std::pair(VARTYPE(VT_I4), LONG(42)));
  EXPECT_EQ(object.References(), 1u);

  ASSERT_EQ(VariantClear(&source), S_OK);
  EXPECT_EQ(source.vt, VT_EMPTY);
  EXPECT_EQ(object.References(), 0u);
}

}  // namespace
}  // namespace tavir
