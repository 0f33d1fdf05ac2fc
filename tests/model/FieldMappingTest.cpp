// The field catalogue and the mapping's registry
// persistence: gaps, lists that shrink, and numbers without a field.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/FieldMapping.h"
#include "model/Options.h"
#include "platform/Registry.h"
#include "support/ScratchRegistry.h"

namespace tavir {
namespace {

using test_support::ScratchRegistry;
using Fields = std::vector<FieldId>;

const Fields kDefaultSimple = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const Fields kDefaultRepeat = {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};

TEST(FieldMappingTest, FieldNamesFollowTheCatalogue) {
  const struct {
    FieldId id;
    const char* name;
  } cases[] = {{0, "Date"},   {13, "Time Span"},   {14, "Record ID"},          {15, "Dummy"},
               {19, "Dummy"}, {20, "Repeat Type"}, {31, "Monthly Week Index"}, {32, "(Ignored)"},
               {33, ""},      {1000, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(FieldName(c.id), c.name) << "field " << c.id;
}

TEST(FieldMappingTest, EditingTheSimpleList) {
  Options options;
  FieldMapping& mapping = options.mapping;
  mapping.AppendSimpleField(32);
  mapping.AppendSimpleField(32);
  mapping.AppendSimpleField(13);
  mapping.RemoveSimpleField(0);
  mapping.RemoveSimpleField(99);  // no such position: nothing happens
  EXPECT_EQ(mapping.simpleFields, (Fields{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 32, 32, 13}));
  mapping.ResetToDefaults();
  EXPECT_EQ(mapping.simpleFields, kDefaultSimple);
  EXPECT_EQ(mapping.repeatFields, kDefaultRepeat);
}

class MappingRegistryTest : public ::testing::Test {
 protected:
  ScratchRegistry registry_;
};

TEST_F(MappingRegistryTest, NothingStoredOrADamagedCountKeepsTheCurrentLists) {
  Options options;
  options.mapping.simpleFields = {5};
  options.mapping.LoadFromRegistry();
  EXPECT_EQ(options.mapping.simpleFields, Fields{5});
  RegSetDword(kMappingsKey, "numsimplefields", 0xFFFFFFFF);
  RegSetDword(kMappingsKey, "numrepeatfields", 1025);
  Options fresh;
  fresh.mapping.LoadFromRegistry();
  EXPECT_EQ(fresh.mapping.simpleFields, kDefaultSimple);
  EXPECT_EQ(fresh.mapping.repeatFields, kDefaultRepeat);
}

// A shorter list leaves the old values behind: only the count tells what is read.
TEST_F(MappingRegistryTest, SavedListsComeBackUnderTheirValueNames) {
  Options options;
  options.mapping.simpleFields = {0, 1, 2, 3, 4, 5, 6};
  options.mapping.SaveToRegistry();
  options.mapping.simpleFields = {14, 0, 32, 5, 32};
  options.mapping.repeatFields = {31, 20};
  options.mapping.SaveToRegistry();

  EXPECT_EQ(RegGetDword(kMappingsKey, "numsimplefields", 0), 5u);
  EXPECT_EQ(RegGetDword(kMappingsKey, "simplefield0", 0), 14u);
  EXPECT_EQ(RegGetDword(kMappingsKey, "simplefield4", 0), 32u);
  EXPECT_EQ(RegGetDword(kMappingsKey, "numrepeatfields", 0), 2u);
  EXPECT_EQ(RegGetDword(kMappingsKey, "repeatfield1", 0), 20u);

  Options loaded;
  loaded.mapping.LoadFromRegistry();
  EXPECT_EQ(loaded.mapping.simpleFields, (Fields{14, 0, 32, 5, 32}));
  EXPECT_EQ(loaded.mapping.repeatFields, (Fields{31, 20}));
}

TEST_F(MappingRegistryTest, MissingEntriesAndNumbersWithoutAFieldLoadAsIgnored) {
  // Reserved and unknown numbers and gaps keep their column as "(Ignored)",
  // so that the header and the records agree and later columns stay in place.
  const Fields stored = {15, 19, 33, 0xFFFFFFFF, 14, 20, 31, 32, 5, 6};
  RegSetDword(kMappingsKey, "numsimplefields", static_cast<std::uint32_t>(stored.size()));
  for (std::size_t i = 0; i < stored.size(); ++i)
    if (i != 8)
      RegSetDword(kMappingsKey, "simplefield" + std::to_string(i), stored[i]);
  Options options;
  options.mapping.LoadFromRegistry();
  EXPECT_EQ(options.mapping.simpleFields, (Fields{32, 32, 32, 32, 14, 20, 31, 32, 32, 6}));
  EXPECT_EQ(options.mapping.repeatFields, kDefaultRepeat) << "no repeat count stored";
}

}  // namespace
}  // namespace tavir
