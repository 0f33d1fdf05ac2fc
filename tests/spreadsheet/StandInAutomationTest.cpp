// The stand-in's automation members as Excel answers them: values typed into
// cells, 1-based two-dimensional arrays, used range, resize, row heights,
// errors through EXCEPINFO and unknown members.
#include <gtest/gtest.h>

#include "formats/AutomationCall.h"
#include "platform/Automation.h"
#include "platform/ComError.h"
#include "spreadsheet/SpreadsheetFixture.h"
#include "spreadsheet/WorkbookFile.h"

namespace tavir::test_support {
namespace {

constexpr DISPID kWorkbooks = 0x23C, kAdd = 0xB5, kOpen = 0x2AA, kSheets = 0x1E5, kCells = 0xEE,
                 kUsedRange = 0x19C, kResize = 0x100, kValue = 6, kRowHeight = 0x110, kRows = 0x102,
                 kCount = 0x76, kSaveAs = 0x11C, kClose = 0x115;

class StandInAutomationTest : public SpreadsheetTest {
 protected:
  void SetUp() override {
    SpreadsheetTest::SetUp();
    ASSERT_EQ(CreateAutomationObject("Excel.Application", application_), S_OK);
    workbook_ = CallObjectMethod(GetObjectProperty(application_.Get(), kWorkbooks).Get(), kAdd);
    sheet_ = GetObjectProperty(GetObjectProperty(workbook_.Get(), kSheets).Get(), 0, {Variant::FromInt(1)});
    cells_ = GetObjectProperty(sheet_.Get(), kCells);
  }
  ComPtr<IDispatch> CellAt(int row, int column) {
    return GetObjectProperty(cells_.Get(), 0, {Variant::FromInt(row), Variant::FromInt(column)});
  }
  ComPtr<IDispatch> Block(int row, int column, int rows, int columns) {
    return GetObjectProperty(CellAt(row, column).Get(), kResize, {Variant::FromInt(rows), Variant::FromInt(columns)});
  }

  ComPtr<IDispatch> application_, workbook_, sheet_, cells_;
};

TEST_F(StandInAutomationTest, TextsAreTakenAsIfTyped) {
  struct Case {
    const OLECHAR* typed;
    VARTYPE type;
    const char* text;  // Value read back, as text
  } const cases[] = {
      {OLESTR("Meeting"), VT_BSTR, "Meeting"},
      {OLESTR("15"), VT_R8, "15"},
      {OLESTR("'15"), VT_BSTR, "15"},
      {OLESTR("'=A1"), VT_BSTR, "=A1"},
      {OLESTR("10/26/2005"), VT_DATE, "10/26/2005"},
      {OLESTR("'10/26/2005"), VT_BSTR, "10/26/2005"},
      {OLESTR(""), VT_EMPTY, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    PutProperty(CellAt(1, 1).Get(), kValue, Variant::FromWide(c.typed));
    const Variant value = GetProperty(CellAt(1, 1).Get(), kValue);
    EXPECT_EQ(value.Type(), c.type);
    EXPECT_EQ(value.ToAnsiText(), c.text);
  }
  // The stand-in does not evaluate formulas: it refuses them rather than
  // store something Excel would not.
  EXPECT_THROW(PutProperty(CellAt(1, 1).Get(), kValue, Variant::FromString("=A1")), ComError);
}

TEST_F(StandInAutomationTest, ABlockTakesAndGivesOneBasedTwoDimensionalArrays) {
  SafeArray table(3, 2);
  table.PutElement(1, 1, Variant::FromString("a"));
  table.PutElement(1, 2, Variant::FromInt(7));
  table.PutElement(2, 1, Variant::FromDate(38651.5));
  table.PutElement(3, 2, Variant::FromDouble(2.5));
  Variant assigned;
  assigned.Get()->vt = VT_ARRAY | VT_VARIANT;
  assigned.Get()->parray = table.Detach();
  // Two rows of the three: the third is not part of the block.
  PutProperty(Block(4, 2, 2, 2).Get(), kValue, assigned);
  EXPECT_EQ(spreadsheet::Counters().blockTransfers, 1);

  const ComPtr<IDispatch> used = GetObjectProperty(sheet_.Get(), kUsedRange);
  EXPECT_EQ(GetProperty(GetObjectProperty(used.Get(), kRows).Get(), kCount).Get()->lVal, 2);
  EXPECT_EQ(GetProperty(used.Get(), kCount).Get()->lVal, 4);
  Variant values = GetProperty(used.Get(), kValue);
  ASSERT_EQ(values.Type(), VT_ARRAY | VT_VARIANT);
  SafeArray read(values.Get()->parray);
  VariantInit(values.Get());
  for (const UINT dimension : {1u, 2u}) {
    LONG lower = 0;
    SafeArrayGetLBound(read.Get(), dimension, &lower);
    EXPECT_EQ(lower, 1) << dimension;
  }
  EXPECT_EQ(read.Rows(), 2);
  EXPECT_EQ(read.Columns(), 2);
  EXPECT_EQ(read.GetElement(1, 1).ToAnsiText(), "a");
  EXPECT_EQ(read.GetElement(1, 2).Type(), VT_R8);
  EXPECT_EQ(read.GetElement(2, 1).Type(), VT_DATE);
  EXPECT_EQ(read.GetElement(2, 2).Type(), VT_EMPTY);
  // The used range starts at its first cell, not at A1.
  EXPECT_EQ(GetProperty(GetObjectProperty(used.Get(), 0, {Variant::FromInt(1), Variant::FromInt(1)}).Get(), kValue)
                .ToAnsiText(),
            "a");
}

TEST_F(StandInAutomationTest, RowHeightsOfARangeAreOneValueOrNone) {
  PutProperty(CellAt(1, 1).Get(), kValue, Variant::FromString("one"));
  PutProperty(CellAt(2, 1).Get(), kValue, Variant::FromString("two\nlines"));
  const ComPtr<IDispatch> used = GetObjectProperty(sheet_.Get(), kUsedRange);
  EXPECT_EQ(GetProperty(CellAt(2, 1).Get(), kRowHeight).Get()->dblVal, 25.5);
  EXPECT_EQ(GetProperty(used.Get(), kRowHeight).Type(), VT_NULL);
  PutProperty(used.Get(), kRowHeight, Variant::FromDouble(12.75));
  EXPECT_EQ(GetProperty(used.Get(), kRowHeight).Get()->dblVal, 12.75);
  EXPECT_THROW(PutProperty(used.Get(), kRowHeight, Variant::FromDouble(500)), ComError);
}

TEST_F(StandInAutomationTest, UnknownMembersAndBadArgumentsAreRefused) {
  EXPECT_EQ(spreadsheet::Counters().applicationsCreated, 1);
  Variant result;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  for (IDispatch* object : {application_.Get(), workbook_.Get(), sheet_.Get(), cells_.Get()}) {
    EXPECT_EQ(object->Invoke(0x7777, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.Receive(), nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
  }
  try {
    GetObjectProperty(GetObjectProperty(workbook_.Get(), kSheets).Get(), 0, {Variant::FromInt(2)});
    FAIL();
  } catch (const ComError& e) {
    EXPECT_FALSE(e.Description().empty());
  }
  EXPECT_THROW(Block(65536, 1, 2, 1), ComError);
  EXPECT_THROW(CellAt(1, 257), ComError);
}

TEST_F(StandInAutomationTest, SavedWorkbooksOpenAgainAndClosedOnesRefuseCalls) {
  PutProperty(CellAt(1, 1).Get(), kValue, Variant::FromString("kept"));
  CallMethod(workbook_.Get(), kSaveAs, {Variant::FromString(Path("saved.xls"))});
  CallMethod(workbook_.Get(), kClose);
  EXPECT_THROW(GetProperty(CellAt(1, 1).Get(), kValue), ComError);

  const ComPtr<IDispatch> opened = CallObjectMethod(GetObjectProperty(application_.Get(), kWorkbooks).Get(), kOpen,
                                                    {Variant::FromString(Path("saved.xls"))});
  const ComPtr<IDispatch> sheet =
      GetObjectProperty(GetObjectProperty(opened.Get(), kSheets).Get(), 0, {Variant::FromInt(1)});
  EXPECT_EQ(GetProperty(GetObjectProperty(sheet.Get(), kUsedRange).Get(), kValue).ToAnsiText(), "kept");
  EXPECT_EQ(spreadsheet::Counters().saves, 1);
}

}  // namespace
}  // namespace tavir::test_support
