#pragma once
// Small component classes for the streaming tests: a form root with
// published fields and methods, a control-like component with a parent and
// a nested font, and a non-visual component. Every property setter and
// Loaded() appends to StreamLog(), so tests see the order of calls.

#include <string>
#include <vector>

#include "platform/classes/TComponent.h"
#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"

std::vector<std::string>& StreamLog();
void RegisterStreamTestClasses();

class TTestFont : public TPersistent {
    RUPINAKO_CLASS(TTestFont)
public:
    std::string Name = "Sans";
    int Size = 8;
    int Style = 0;   // set of fsBold, fsItalic, fsUnderline
};

enum TTestAlign { alNone, alTop, alClient };

class TTestControl : public TComponent {
    RUPINAKO_CLASS(TTestControl)
public:
    explicit TTestControl(TComponent* owner);
    ~TTestControl() override { delete Font; }
    int Left = 0, Top = 0, Width = 0;
    int Color = 0xFFFFFF;
    int Align = alNone;
    bool Visible = true;
    double Ratio = 0;
    std::string Caption;
    std::string Data;
    long long Big = 0;
    TTestFont* Font;
    TNotifyEvent OnClick;
    TComponent* Parent = nullptr;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return Parent; }
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;
};

class TTestNonVisual : public TComponent {
    RUPINAKO_CLASS(TTestNonVisual)
public:
    explicit TTestNonVisual(TComponent* owner) : TComponent(owner) {}
    std::string Directory;
    bool Recursive = false;
    TNotifyEvent OnFind;
    void Loaded() override;
};

class TTestForm : public TComponent {
    RUPINAKO_CLASS(TTestForm)
public:
    explicit TTestForm(TComponent* owner) : TComponent(owner) {}
    std::string Caption;
    int Left = 0;
    TTestControl* Panel1 = nullptr;
    TTestControl* Button1 = nullptr;
    TTestNonVisual* Finder1 = nullptr;
    int Clicks = 0, Finds = 0;
    void Button1Click(TObject*) { ++Clicks; }
    void Finder1Find(TObject*) { ++Finds; }
    void WrongSignature(TObject*, int) {}
    void Loaded() override;
};

// A root whose field Panel1 is of the wrong class for a TTestControl.
class TTestMisfitForm : public TComponent {
    RUPINAKO_CLASS(TTestMisfitForm)
public:
    explicit TTestMisfitForm(TComponent* owner) : TComponent(owner) {}
    TTestNonVisual* Panel1 = nullptr;
};
