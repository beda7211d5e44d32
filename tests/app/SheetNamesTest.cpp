#include "app/SheetNames.h"

#include <gtest/gtest.h>

#include "platform/rtl/FilePath.h"

namespace {

TEST(SheetNamesTest, SheetFileNameTakesFolderPartAndLastName)
{
    struct Case {
        const char* Directory;
        int Sheet;
        const char* Expected;
    };
    const Case cases[] = {
        {"/photos/Trip", 1, "/photos/１：１ルピナ ～ Trip_1.jpg"},
        {"/photos/Trip", 12, "/photos/１：１ルピナ ～ Trip_12.jpg"},
        {"/photos/Trip/", 2, "/photos/Trip/１：１ルピナ ～ Trip_2.jpg"},
        {"Trip", 3, "１：１ルピナ ～ Trip_3.jpg"},
        {"/写真/表示", 1, "/写真/１：１ルピナ ～ 表示_1.jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetFileName(c.Directory, c.Sheet), c.Expected) << c.Directory;
    // The tilde is the full-width one.
    EXPECT_NE(std::string(SheetPrefix).find("\xEF\xBD\x9E"), std::string::npos);
}

TEST(SheetNamesTest, InformationAddressNamesTheProgramWithoutExtension)
{
    EXPECT_EQ(InformationAddress("/usr/bin/rupinako"),
              std::string("http://") + InformationHost + "/info.php?pf=w&sn=rupinako");
    EXPECT_EQ(InformationAddress("/opt/x.y/abc.exe"),
              std::string("http://") + InformationHost + "/info.php?pf=w&sn=abc");
}

TEST(SheetNamesTest, DirectoryArgumentDropsTrailingSlashesAndSkipsTheRoot)
{
    EXPECT_EQ(DirectoryArgument("/photos/Trip/"), "/photos/Trip");
    EXPECT_EQ(DirectoryArgument("/photos/Trip//"), "/photos/Trip");
    EXPECT_EQ(DirectoryArgument("Trip"), "Trip");
    EXPECT_EQ(DirectoryArgument("/"), "");
    EXPECT_EQ(DirectoryArgument("//"), "");
    EXPECT_EQ(DirectoryArgument(""), "");
    std::string here = GetCurrentDir();
    EXPECT_EQ(DirectoryArgument("."), here);
    EXPECT_EQ(DirectoryArgument("./"), here);
    EXPECT_EQ(OutputFolder("/photos/Trip"), "/photos/");
    EXPECT_EQ(OutputFolder("Trip"), "");
}

}
