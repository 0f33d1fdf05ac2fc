// The in-memory target of the file format example: texts as they are and the
// fixed number forms.
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

}  // namespace
}  // namespace tavir
