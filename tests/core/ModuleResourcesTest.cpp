#include <gtest/gtest.h>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/ResourceStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

// The fixtures are embedded into this test program by dravik_embed_resources.
TEST(ModuleResources, EmbeddedFilesHoldTheFilesBytes) {
  for (auto [name, file] : {std::pair{"GREETING", "greeting.txt"},
                            {"Form.Stream", "form.txt"},
                            {"EMPTY", "empty.bin"}}) {
    auto bytes = FindModuleResource(name);
    ASSERT_TRUE(bytes) << name;
    EXPECT_EQ(std::string(*bytes), ReadFileBytes(DRAVIK_TEST_DATA "/streams/" + std::string(file)))
        << name;
  }
}

TEST(ModuleResources, NamesCompareIgnoringCase) {
  EXPECT_TRUE(FindModuleResource("greeting"));
  EXPECT_TRUE(FindModuleResource("FORM.STREAM"));
  EXPECT_FALSE(FindModuleResource("GREETING2"));
  EXPECT_FALSE(FindModuleResource(""));
}

TEST(ModuleResources, ALaterRegistrationReplacesAnEarlierOne) {
  static const char first[] = "first", second[] = "second";
  RegisterModuleResource("Test.Replaced", first);
  RegisterModuleResource("TEST.REPLACED", second);
  EXPECT_EQ(*FindModuleResource("test.replaced"), "second");
}

TEST(ResourceStream, ReadsAModuleResourceAsAStream) {
  TResourceStream stream("form.stream");
  TMemoryStream binary;
  ObjectTextToBinary(stream, binary);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  EXPECT_EQ(std::string(text.Memory(), static_cast<std::size_t>(text.Size())),
            ReadFileBytes(DRAVIK_TEST_DATA "/streams/form.txt"));
}

TEST(ResourceStream, AnUnknownNameRaisesResNotFound) {
  try {
    TResourceStream stream("NoSuchForm");
    FAIL() << "found a resource that does not exist";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NoSuchForm not found");
  }
}

}  // namespace
