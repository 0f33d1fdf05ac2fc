// SAFEARRAY as Windows has it: 1-based two-dimensional tables indexed
// (row, column), column-major storage, growth of the last dimension in place.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/ComError.h"
#include "platform/ComOwners.h"
#include "support/CountingObject.h"

namespace tavir {
namespace {

using test_support::CountingObject;

std::int32_t CellNumber(long row, long column) { return static_cast<std::int32_t>(row * 100 + column); }

void FillWithCellNumbers(SafeArray& table) {
  for (long row = 1; row <= table.Rows(); ++row)
    for (long column = 1; column <= table.Columns(); ++column)
      table.PutElement(row, column, Variant::FromInt(CellNumber(row, column)));
}

TEST(ComSafeArray, TableIsOneBasedRowsFirstAndStoredColumnMajor) {
  SafeArray table(2, 3);
  EXPECT_EQ(SafeArrayGetDim(table.Get()), 2u);
  for (UINT dimension : {1u, 2u}) {
    LONG lower = 0, upper = 0;
    ASSERT_EQ(SafeArrayGetLBound(table.Get(), dimension, &lower), S_OK);
    ASSERT_EQ(SafeArrayGetUBound(table.Get(), dimension, &upper), S_OK);
    EXPECT_EQ(std::pair(lower, upper), std::pair(LONG(1), LONG(dimension == 1 ? 2 : 3)));
  }
  LONG lower = 0;
  EXPECT_EQ(SafeArrayGetLBound(table.Get(), 3, &lower), DISP_E_BADINDEX);
  EXPECT_EQ(std::pair(table.Rows(), table.Columns()), std::pair(2L, 3L));

  FillWithCellNumbers(table);
  struct Case {
    LONG row, column;
    HRESULT expected;
  };
  const Case cases[] = {
      {2, 3, S_OK},
      {1, 2, S_OK},
      {3, 2, DISP_E_BADINDEX},  // row beyond the two rows
      {1, 4, DISP_E_BADINDEX},
      {0, 1, DISP_E_BADINDEX},  // below the lower bound
      {1, 0, DISP_E_BADINDEX},
  };
  for (const Case& c : cases) {
    LONG indices[2] = {c.row, c.column};
    Variant value;
    EXPECT_EQ(SafeArrayGetElement(table.Get(), indices, value.Receive()), c.expected)
        << c.row << "," << c.column;
    if (c.expected == S_OK) {
      EXPECT_EQ(value.Get()->lVal, CellNumber(c.row, c.column));
      EXPECT_EQ(table.GetElement(c.row, c.column).Get()->lVal, CellNumber(c.row, c.column));
    }
  }
  EXPECT_THROW(table.GetElement(3, 1), ComError);

  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(table.Get(), &data), S_OK);
  const auto* cells = static_cast<const VARIANT*>(data);
  for (long row = 1; row <= 2; ++row)
    for (long column = 1; column <= 3; ++column)
      EXPECT_EQ(cells[(column - 1) * 2 + (row - 1)].lVal, CellNumber(row, column));
  EXPECT_EQ(SafeArrayDestroy(table.Get()), DISP_E_ARRAYISLOCKED) << "accessed arrays stay alive";
  ASSERT_EQ(SafeArrayUnaccessData(table.Get()), S_OK);
}

TEST(ComSafeArray, ResizeColumnsKeepsEveryValueInPlace) {
  CountingObject object;
  {
    SafeArray table(3, 2);
    FillWithCellNumbers(table);
    table.PutElement(2, 2, Variant::FromString("Dentist"));
    table.ResizeColumns(7);
    EXPECT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.Columns(), 7);
    for (long row = 1; row <= 3; ++row) {
      for (long column = 1; column <= 7; ++column) {
        const Variant value = table.GetElement(row, column);
        if (column > 2) {
          EXPECT_EQ(value.Type(), VT_EMPTY) << row << "," << column;
        } else if (row == 2 && column == 2) {
          EXPECT_EQ(value.ToAnsiText(), "Dentist");
        } else {
          EXPECT_EQ(value.Get()->lVal, CellNumber(row, column)) << row << "," << column;
        }
      }
    }
    table.PutElement(3, 7, Variant::FromDispatch(&object));
    EXPECT_EQ(object.References(), 1u);
    table.ResizeColumns(2);  // drops the column that held the object
    EXPECT_EQ(object.References(), 0u);
    EXPECT_EQ(table.GetElement(2, 2).ToAnsiText(), "Dentist");
    table.PutElement(1, 1, Variant::FromDispatch(&object));
  }
  EXPECT_EQ(object.References(), 0u) << "destroying the table releases its elements";
}

TEST(ComSafeArray, CopyIsDeepAndKeepsArbitraryLowerBounds) {
  SafeArray strings(SafeArrayCreateVector(VT_BSTR, -2, 3));
  ASSERT_NE(strings.Get(), nullptr);
  const OLECHAR* texts[] = {OLESTR("minus two"), OLESTR("minus one"), OLESTR("zero")};
  for (LONG index = -2; index <= 0; ++index) {
    Bstr text{WideString(texts[index + 2])};
    // Strings are put as the BSTR itself; the array keeps its own copy.
    ASSERT_EQ(SafeArrayPutElement(strings.Get(), &index, text.Get()), S_OK);
  }
  SAFEARRAY* rawCopy = nullptr;
  ASSERT_EQ(SafeArrayCopy(strings.Get(), &rawCopy), S_OK);
  SafeArray copy(rawCopy);
  LONG lower = 0;
  ASSERT_EQ(SafeArrayGetLBound(copy.Get(), 1, &lower), S_OK);
  EXPECT_EQ(lower, -2);
  EXPECT_EQ(copy.Rows(), 3);
  EXPECT_EQ(copy.Columns(), 1);
  for (LONG index = -2; index <= 0; ++index) {
    Bstr fromCopy, fromOriginal;
    ASSERT_EQ(SafeArrayGetElement(copy.Get(), &index, fromCopy.Receive()), S_OK);
    ASSERT_EQ(SafeArrayGetElement(strings.Get(), &index, fromOriginal.Receive()), S_OK);
    EXPECT_EQ(fromCopy.ToWide(), WideString(texts[index + 2]));
    EXPECT_NE(fromCopy.Get(), fromOriginal.Get());
  }
}

TEST(ComSafeArray, InterfaceElementsAreCountedOnPutGetAndDestroy) {
  CountingObject first, second;
  {
    SafeArray objects(SafeArrayCreateVector(VT_DISPATCH, 1, 2));
    LONG index = 1;
    ASSERT_EQ(SafeArrayPutElement(objects.Get(), &index, static_cast<IDispatch*>(&first)), S_OK);
    EXPECT_EQ(first.References(), 1u);
    ASSERT_EQ(SafeArrayPutElement(objects.Get(), &index, static_cast<IDispatch*>(&second)), S_OK);
    EXPECT_EQ(first.References(), 0u) << "replacing an element releases the old one";
    EXPECT_EQ(second.References(), 1u);
    IDispatch* fetched = nullptr;
    ASSERT_EQ(SafeArrayGetElement(objects.Get(), &index, &fetched), S_OK);
    EXPECT_EQ(fetched, &second);
    EXPECT_EQ(second.References(), 2u) << "the caller owns what it gets";
    Variant owner;
    owner.Get()->pdispVal = fetched;
    owner.Get()->vt = VT_DISPATCH;
  }
  EXPECT_EQ(second.References(), 0u);
}

TEST(ComSafeArray, OneDimensionalVariantArrayReadsAsOneColumn) {
  SafeArray list(SafeArrayCreateVector(VT_VARIANT, 1, 3));
  list.PutElement(3, 1, Variant::FromDouble(1.5));
  EXPECT_EQ(list.Rows(), 3);
  EXPECT_EQ(list.Columns(), 1);
  EXPECT_EQ(list.GetElement(3, 1).Get()->dblVal, 1.5);
  EXPECT_THROW(list.GetElement(3, 2), ComError);
  EXPECT_THROW(list.ResizeColumns(4), ComError);
}

}  // namespace
}  // namespace tavir
