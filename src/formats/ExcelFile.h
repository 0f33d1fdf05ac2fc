// Excel workbooks (.xls) read and written by driving the spreadsheet
// application through automation: one record per worksheet row, one field
// per cell, rows moved in blocks of 500 with one assignment each.
#pragma once

#include <cstdint>
#include <string>

#include "formats/AppointmentFile.h"
#include "platform/ComOwners.h"
#include "platform/ComPtr.h"

namespace tavir {

class ExcelFile : public AppointmentFile {
 public:
  // Starts the application ("Excel.Application"); throws ComError when it
  // cannot be created.
  ExcelFile();
  ~ExcelFile() override;

  int OpenWrite(const std::string& fileName) override;
  int OpenRead(const std::string& fileName) override;
  int Finish() override;
  int Close() override;
  int EndRecord() override;
  RecordResult ReadRecord() override;

  WriteResult WriteText(const std::string& text) override;
  WriteResult WriteDate(TimeValue value) override;
  WriteResult WriteTime(TimeValue value) override;
  WriteResult WriteSpan(std::int32_t seconds) override;
  WriteResult WriteInt(std::int32_t value) override;

  ReadResult ReadText(std::string& text) override;
  ReadResult ReadDate(TimeValue& value) override;
  ReadResult ReadTime(TimeValue& value) override;
  ReadResult ReadSpan(std::int32_t& seconds) override;
  ReadResult ReadInt(std::int32_t& value) override;

  int GetProgressPos() override;
  int GetProgressMax() override;
  std::string GetLastField() override;
  void SetLastField(const std::string& text) override;

  // Time cells carry the date too; set from the option datewithtime.
  std::int32_t dateWithTime = 0;

 private:
  void PutCell(const Variant& value);
  void FlushRows(std::int32_t lastRow);
  void GetCell(std::string& text, Variant& value);

  ComPtr<IDispatch> application_;
  ComPtr<IDispatch> workbook_;
  ComPtr<IDispatch> worksheet_;
  std::int32_t column_ = 1;
  std::int32_t rowCount_ = 0;
  bool directMode_ = false;
  std::int32_t blockStartRow_ = 1;
  SafeArray cellTable_;
  ComPtr<IDispatch> range_;
  std::string lastField_;
};

// The text as a cell receives it: CR bytes removed, at most 39,999 bytes.
std::string RemoveCarriageReturns(const std::string& text);

}  // namespace tavir
