#include "platform/classes/TComponent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/TStringList.h"
#include "platform/classes/TypeInfo.h"

namespace {

std::vector<std::string>* gDestroyed;

class TRecorder : public TComponent {
    RUPINAKO_CLASS(TRecorder)
public:
    explicit TRecorder(TComponent* owner, std::string label = {}) : TComponent(owner), FLabel(std::move(label)) {}
    ~TRecorder() override { gDestroyed->push_back(FLabel); }
    TNotifyEvent OnPing;
    void Ping() { if (Assigned(OnPing)) OnPing(this); }
    int Hits = 0;
    void RecorderPing(TObject*) { ++Hits; }

private:
    std::string FLabel;
};

}

const TClassInfo& TRecorder::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TRecorder>("TRecorder", TComponent::StaticClassInfo())
                                       .Event("OnPing", &TRecorder::OnPing)
                                       .Method("RecorderPing", &TRecorder::RecorderPing)
                                       .Build();
    return info;
}

namespace {

TEST(TComponentTest, OwnerDestroysOwnedComponentsNewestFirst)
{
    std::vector<std::string> destroyed;
    gDestroyed = &destroyed;
    auto* root = new TRecorder(nullptr, "root");
    new TRecorder(root, "a");
    auto* b = new TRecorder(root, "b");
    new TRecorder(b, "b1");
    new TRecorder(root, "c");
    delete root;
    EXPECT_EQ(destroyed, (std::vector<std::string>{"root", "c", "b", "b1", "a"}));
}

TEST(TComponentTest, DeletingAnOwnedComponentLeavesItsOwner)
{
    std::vector<std::string> destroyed;
    gDestroyed = &destroyed;
    TRecorder root(nullptr, "root");
    auto* a = new TRecorder(&root, "a");
    a->SetName("A");
    EXPECT_EQ(root.FindComponent("A"), a);
    delete a;
    EXPECT_EQ(root.ComponentCount(), 0);
    EXPECT_EQ(root.FindComponent("A"), nullptr);
}

TEST(TComponentTest, NamesAreCheckedAgainstSiblings)
{
    std::vector<std::string> destroyed;
    gDestroyed = &destroyed;
    TRecorder root(nullptr);
    auto* a = new TRecorder(&root);
    auto* b = new TRecorder(&root);
    a->SetName("Image1");
    EXPECT_THROW(b->SetName("Image1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    b->SetName("Image2");
    EXPECT_EQ(b->Name(), "Image2");
}

TEST(TComponentTest, EventsBindByPublishedMethodName)
{
    std::vector<std::string> destroyed;
    gDestroyed = &destroyed;
    TRecorder root(nullptr);
    auto* child = new TRecorder(&root);
    const TPropInfo* prop = child->ClassType().FindProperty("OnPing");
    ASSERT_NE(prop, nullptr);
    EXPECT_FALSE(Assigned(child->OnPing));
    EXPECT_FALSE(prop->BindMethod(child, &root, "NoSuchMethod"));
    ASSERT_TRUE(prop->BindMethod(child, &root, "RecorderPing"));
    child->Ping();
    EXPECT_EQ(root.Hits, 1);
    EXPECT_EQ(prop->GetMethodName(child), "RecorderPing");
    EXPECT_EQ(child->OnPing.Object(), &root);
    child->OnPing.Clear();
    child->Ping();
    EXPECT_EQ(root.Hits, 1);
    EXPECT_EQ(child->ClassType().FindProperty("Tag")->OrdDefault, 0);
}

TEST(TPersistentTest, AssignBetweenUnrelatedClassesNamesBoth)
{
    TStringList list;
    std::vector<std::string> destroyed;
    gDestroyed = &destroyed;
    TRecorder comp(nullptr);
    try {
        list.Assign(&comp);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "TRecorder を TStringList に代入できません");
    }
}

}
