// The in-memory target of the file format example: texts as they are, the
// fixed number forms, and reads that do nothing.
#include <gtest/gtest.h>

#include <string>

#include "formats/ExampleTextFile.h"
#include "model/Options.h"

namespace tavir {
namespace {

TEST(ExampleTextFile, WritesQuotedFieldsWithoutEscaping) {
  Options options;
  options.separator = "; ";
  options.quote = "'";
  ExampleTextFile file(options);
  file.WriteText("it's \"x\"\r\nnext");
  file.WriteSpan(5400);
  file.WriteInt(-3);
  EXPECT_EQ(file.EndRecord(), 0);
  file.WriteText("");
  file.EndRecord();
  EXPECT_EQ(file.Text(), "'it's \"x\"\r\nnext'; '1.500000'; '-3'\r\n''\r\n");
  EXPECT_EQ(file.GetLineNumber(), 2);
}

TEST(ExampleTextFile, ReadsNothing) {
  Options options;
  ExampleTextFile file(options);
  file.SetLastField("kept?");
  EXPECT_EQ(file.GetLastField(), "");
  std::string text = "before";
  EXPECT_EQ(file.ReadRecord(), 0);
  EXPECT_EQ(file.ReadText(text), 0);
  EXPECT_EQ(text, "before");
  std::int32_t number = 9;
  EXPECT_EQ(file.ReadLong(number), 0);
  EXPECT_EQ(number, 9);
  EXPECT_EQ(file.GetProgressMax(), 0);
  EXPECT_EQ(file.Text(), "");
}

}  // namespace
}  // namespace tavir
