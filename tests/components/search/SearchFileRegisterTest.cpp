// Register, the palette registry it fills, and the published interface that
// forms store for the two components.
#include "components/search/SearchFileRegister.h"

#include <gtest/gtest.h>

#include <memory>

#include "components/search/TSearchDir.h"
#include "components/search/TSearchFile.h"
#include "platform/classes/ComponentRegistry.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Exception.h"

namespace {

std::vector<std::string> PropertyNames(const TClassInfo& info)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : info.AllProperties())
        names.push_back(p->Name);
    return names;
}

TEST(SearchFileRegisterTest, RegisterPutsBothComponentsOnOnePage)
{
    Register();
    Register();
    const TPaletteEntry* dir = FindRegisteredComponent("TSearchDir");
    const TPaletteEntry* file = FindRegisteredComponent("TSearchFile");
    ASSERT_TRUE(dir && file);
    EXPECT_EQ(dir->Page, "Rupinako");
    EXPECT_EQ(file->Page, dir->Page);
    EXPECT_EQ(file->Info, &TSearchFile::StaticClassInfo());
    int count = 0;
    for (const TPaletteEntry& e : RegisteredComponents())
        count += e.ClassName == "TSearchFile";
    EXPECT_EQ(count, 1);
    ASSERT_EQ(FindClass("TSearchFile"), &TSearchFile::StaticClassInfo());
    EXPECT_EQ(FindClass("TSearchDir"), &TSearchDir::StaticClassInfo());
    EXPECT_EQ(FindRegisteredComponent("TNothing"), nullptr);

    EXPECT_THROW(RegisterComponents("", {&TSearchDir::StaticClassInfo()}), EInvalidOperation);
    EXPECT_THROW(RegisterComponents("Other", {&TSearchDir::StaticClassInfo(), nullptr}), EInvalidOperation);
    EXPECT_EQ(dir->Page, "Rupinako");   // nothing recorded from a refused call
}

TEST(SearchFileRegisterTest, PublishedPropertiesInStreamOrder)
{
    EXPECT_EQ(PropertyNames(TSearchDir::StaticClassInfo()), (std::vector<std::string>{"Tag", "BaseDir", "OnFind"}));
    EXPECT_EQ(PropertyNames(TSearchFile::StaticClassInfo()),
              (std::vector<std::string>{"Tag", "Directory", "Recursive", "SearchName", "OnFind", "OnFindDir"}));
    const TPropInfo* recursive = TSearchFile::StaticClassInfo().FindProperty("Recursive");
    ASSERT_TRUE(recursive && recursive->OrdDefault);
    EXPECT_EQ(*recursive->OrdDefault, 0);
    EXPECT_FALSE(TSearchFile::StaticClassInfo().FindProperty("Directory")->OrdDefault);

    // Created by class name as a form does, and set through the table.
    std::unique_ptr<TComponent> c(TSearchFile::StaticClassInfo().Create(nullptr));
    auto* finder = dynamic_cast<TSearchFile*>(c.get());
    ASSERT_NE(finder, nullptr);
    EXPECT_EQ(finder->ComponentCount(), 1);   // its own walker
    EXPECT_FALSE(finder->Recursive());
    EXPECT_EQ(finder->Directory(), "");
    EXPECT_FALSE(finder->Busy());
    recursive->SetOrd(finder, 1);
    TSearchFile::StaticClassInfo().FindProperty("SearchName")->SetStr(finder, "*.bmp");
    EXPECT_TRUE(finder->Recursive());
    EXPECT_EQ(finder->SearchName(), "*.bmp");
}

}
