// Application, Workbooks, Workbook, Sheets and Worksheet of the stand-in:
// in-memory workbooks that Open reads from and SaveAs and Save write to
// Excel 97 files.
#include <vector>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/Objects.h"
#include "spreadsheet/StandIn.h"
#include "spreadsheet/WorkbookFile.h"

namespace tavir::spreadsheet {

namespace {

class Worksheet final : public DispatchObject {
 public:
  Worksheet(std::shared_ptr<WorkbookState> workbook, int sheet) : workbook_(std::move(workbook)), sheet_(sheet) {}

 protected:
  bool Call(DISPID member, WORD, const DispatchArguments&, Variant& result) override {
    CheckOpen(*workbook_);
    if (member == member::kCells) {
      result = ObjectResult(NewRange(workbook_, sheet_, RangeArea{0, 0, kMaxRows, kMaxColumns}));
      return true;
    }
    if (member == member::kUsedRange) {
      // An empty sheet's used range is its first cell.
      RangeArea area;
      int lastRow = 0, lastColumn = 0;
      if (workbook_->data.sheets.at(sheet_).UsedArea(area.row, area.column, lastRow, lastColumn)) {
        area.rows = lastRow - area.row + 1;
        area.columns = lastColumn - area.column + 1;
      }
      result = ObjectResult(NewRange(workbook_, sheet_, area));
      return true;
    }
    return false;
  }

 private:
  std::shared_ptr<WorkbookState> workbook_;
  int sheet_;
};

class Sheets final : public DispatchObject {
 public:
  explicit Sheets(std::shared_ptr<WorkbookState> workbook) : workbook_(std::move(workbook)) {}

 protected:
  bool Call(DISPID member, WORD, const DispatchArguments& arguments, Variant& result) override {
    CheckOpen(*workbook_);
    const auto& sheets = workbook_->data.sheets;
    if (member == member::kCount) {
      result = Variant::FromInt(static_cast<std::int32_t>(sheets.size()));
      return true;
    }
    if (member != member::kDefault) return false;
    const long index = arguments.Long(0);
    if (index < 1 || index > static_cast<long>(sheets.size()))
      throw SpreadsheetError(DISP_E_BADINDEX, "Subscript out of range: the workbook has no such sheet.");
    result = ObjectResult(MakeObject<Worksheet>(workbook_, static_cast<int>(index - 1)));
    return true;
  }

 private:
  std::shared_ptr<WorkbookState> workbook_;
};

void Save(WorkbookState& workbook) {
  SaveWorkbookFile(workbook.fileName, workbook.data);
  ++Counters().saves;
}

class Workbook final : public DispatchObject {
 public:
  explicit Workbook(std::shared_ptr<WorkbookState> workbook) : workbook_(std::move(workbook)) {}

 protected:
  bool Call(DISPID member, WORD, const DispatchArguments& arguments, Variant& result) override {
    switch (member) {
      case member::kSheets:
        CheckOpen(*workbook_);
        result = ObjectResult(MakeObject<Sheets>(workbook_));
        return true;
      case member::kSaveAs:
        CheckOpen(*workbook_);
        workbook_->fileName = arguments.Text(0);
        Save(*workbook_);
        return true;
      case member::kSave:
        CheckOpen(*workbook_);
        if (workbook_->fileName.empty())
          throw SpreadsheetError(kExcelRefused, "The workbook has no file name yet; use SaveAs.");
        Save(*workbook_);
        return true;
      case member::kClose:
        CheckOpen(*workbook_);
        workbook_->closed = true;
        return true;
      default:
        return false;
    }
  }

 private:
  std::shared_ptr<WorkbookState> workbook_;
};

class Workbooks final : public DispatchObject {
 protected:
  bool Call(DISPID member, WORD, const DispatchArguments& arguments, Variant& result) override {
    auto workbook = std::make_shared<WorkbookState>();
    if (member == member::kAdd) {
      workbook->data.sheets.emplace_back();
      workbook->data.sheets.back().name = u"Sheet1";
    } else if (member == member::kOpen) {
      workbook->fileName = arguments.Text(0);
      try {
        workbook->data = LoadWorkbookFile(workbook->fileName);
      } catch (const WorkbookFormatError& e) {
        throw SpreadsheetError(kExcelRefused, e.what());
      }
    } else {
      return false;
    }
    result = ObjectResult(MakeObject<Workbook>(workbook));
    return true;
  }
};

class Application final : public DispatchObject {
 public:
  Application() : workbooks_(MakeObject<Workbooks>()) { ++Counters().applicationsCreated; }

 protected:
  bool Call(DISPID member, WORD, const DispatchArguments&, Variant& result) override {
    if (member == member::kWorkbooks) {
      result = ObjectResult(workbooks_);
      return true;
    }
    if (member == member::kQuit) {
      ++Counters().quits;
      return true;
    }
    return false;
  }

 private:
  ComPtr<IDispatch> workbooks_;
};

}  // namespace

ComPtr<IDispatch> NewApplication() { return MakeObject<Application>(); }

}  // namespace tavir::spreadsheet
