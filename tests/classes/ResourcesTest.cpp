#include "platform/classes/Resources.h"

#include <gtest/gtest.h>

#include "platform/classes/TReader.h"
#include "platform/classes/TextForm.h"
#include "tests/classes/StreamTestClasses.h"
#include "tests/support/TempDir.h"

namespace {

// tests/CMakeLists.txt embeds tests/classes/TestForm.txt into this executable
// as the RCDATA resource TTESTFORM, compiled by formc.
TEST(ResourcesTest, AnEmbeddedFormIsFoundByNameAndReads)
{
    std::string source = ReadFileBytes(RUPINAKO_SOURCE_DIR "/tests/classes/TestForm.txt");
    ASSERT_FALSE(source.empty());
    EXPECT_EQ(FindResource(RT_RCDATA, "TTESTFORM"), ObjectTextToBinary(source));
    EXPECT_TRUE(HasResource("rcdata", "TTestForm"));

    RegisterStreamTestClasses();
    TTestForm form(nullptr);
    ReadComponentResource(&form, "TTestForm");
    EXPECT_EQ(form.Caption, "リソース");
    ASSERT_NE(form.Panel1, nullptr);
    EXPECT_EQ(form.Panel1->Width, 42);
}

TEST(ResourcesTest, AMissingResourceNamesItself)
{
    try {
        FindResource(RT_RCDATA, "NOSUCHFORM");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NOSUCHFORM not found");
    }
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponentResource(&form, "TTESTFORM2"), EResNotFound);
    // The type is part of the key.
    EXPECT_THROW(FindResource(RT_ICON, "TTESTFORM"), EResNotFound);
}

}
