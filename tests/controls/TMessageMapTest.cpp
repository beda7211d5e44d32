#include "platform/controls/TMessageMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/TypeInfo.h"
#include "platform/controls/TWinControl.h"

namespace {

constexpr unsigned MSG_BOTH = 0x0400;
constexpr unsigned MSG_BASE_ONLY = 0x0401;
constexpr unsigned MSG_NOBODY = 0x0402;

std::vector<std::string> gTrace;

class TBaseProbe : public TControl {
    RUPINAKO_CLASS(TBaseProbe)
    RUPINAKO_MESSAGES(TBaseProbe)
public:
    using TControl::TControl;
    void DefaultHandler(TMessage& m) override
    {
        gTrace.push_back("default");
        m.Result = 99;
    }

protected:
    void Both(TMessage& m)
    {
        gTrace.push_back("base both");
        m.Result = 1;
    }
    void BaseOnly(TMessage& m)
    {
        gTrace.push_back("base only");
        m.Result = static_cast<std::intptr_t>(m.WParam + static_cast<std::uintptr_t>(m.LParam));
    }
};

class TDerivedProbe : public TBaseProbe {
    RUPINAKO_CLASS(TDerivedProbe)
    RUPINAKO_MESSAGES(TDerivedProbe)
public:
    using TBaseProbe::TBaseProbe;

private:
    void Both(TMessage& m)
    {
        gTrace.push_back("derived both");
        InheritedMessage(StaticMessageMap(), m);
        m.Result += 10;
    }
};

// A control that answers a broadcast and so ends it.
class TAnswering : public TControl {
    RUPINAKO_CLASS(TAnswering)
public:
    TAnswering(TComponent* owner, std::intptr_t answer) : TControl(owner), FAnswer(answer) {}
    int Seen = 0;
    void DefaultHandler(TMessage& m) override
    {
        ++Seen;
        m.Result = FAnswer;
    }

private:
    std::intptr_t FAnswer;
};

}

const TClassInfo& TBaseProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBaseProbe>("TBaseProbe", TControl::StaticClassInfo()).Build();
    return info;
}
const TMessageMap& TBaseProbe::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TBaseProbe>(TControl::StaticMessageMap())
                                       .On(MSG_BOTH, &TBaseProbe::Both)
                                       .On(MSG_BASE_ONLY, &TBaseProbe::BaseOnly)
                                       .Build();
    return map;
}
const TClassInfo& TDerivedProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TDerivedProbe>("TDerivedProbe", TBaseProbe::StaticClassInfo()).Build();
    return info;
}
const TMessageMap& TDerivedProbe::StaticMessageMap()
{
    static const TMessageMap map =
        TMessageMapBuilder<TDerivedProbe>(TBaseProbe::StaticMessageMap()).On(MSG_BOTH, &TDerivedProbe::Both).Build();
    return map;
}
const TClassInfo& TAnswering::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TAnswering>("TAnswering", TControl::StaticClassInfo()).Build();
    return info;
}

namespace {

TEST(MessageMap, MostDerivedHandlerFirstThenInheritedThenDefault)
{
    TDerivedProbe derived(nullptr);
    TBaseProbe base(nullptr);
    struct Case {
        TControl* target;
        unsigned msg;
        std::intptr_t result;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {&derived, MSG_BOTH, 11, {"derived both", "base both"}},
        {&base, MSG_BOTH, 1, {"base both"}},
        {&derived, MSG_BASE_ONLY, 7, {"base only"}},
        {&derived, MSG_NOBODY, 99, {"default"}},
    };
    for (const Case& c : cases) {
        gTrace.clear();
        EXPECT_EQ(c.target->Perform(c.msg, 3, 4), c.result) << std::hex << c.msg;
        EXPECT_EQ(gTrace, c.trace) << std::hex << c.msg;
    }
}

TEST(MessageMap, PointerSizedParametersCarryObjects)
{
    TBaseProbe probe(nullptr);
    const auto big = static_cast<std::uintptr_t>(INTPTR_MAX / 2);
    EXPECT_EQ(probe.Perform(MSG_BASE_ONLY, big, 1), static_cast<std::intptr_t>(big + 1));
    EXPECT_EQ(MouseX(TMessage{0, 0, MakeMouseLParam(-5, 300), 0}), -5);
    EXPECT_EQ(MouseY(TMessage{0, 0, MakeMouseLParam(-5, 300), 0}), 300);
}

TEST(MessageMap, BroadcastStopsAtTheFirstAnswer)
{
    TWinControl parent(nullptr);
    auto* silent = new TAnswering(&parent, 0);
    auto* answering = new TAnswering(&parent, 5);
    auto* late = new TAnswering(&parent, 0);
    for (TControl* c : {static_cast<TControl*>(silent), static_cast<TControl*>(answering), static_cast<TControl*>(late)})
        parent.InsertControl(c);
    ASSERT_EQ(parent.ControlCount(), 3);
    TMessage m;
    m.Msg = CM_BUTTONPRESSED;
    parent.Broadcast(m);
    EXPECT_EQ(m.Result, 5);
    EXPECT_EQ(silent->Seen, 1);
    EXPECT_EQ(answering->Seen, 1);
    EXPECT_EQ(late->Seen, 0);

    parent.RemoveControl(answering);
    EXPECT_EQ(answering->Parent(), nullptr);
    EXPECT_EQ(parent.ControlCount(), 2);
    delete answering;   // owned by parent as a component; leaves both lists
    EXPECT_EQ(parent.ComponentCount(), 2);
}

}
