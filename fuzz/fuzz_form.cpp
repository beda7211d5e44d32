// Form streams from arbitrary bytes: a binary form read into a small root
// component, and the text syntax parsed and printed. Every failure must be
// an EReadError (or another Exception); anything else is a crash. Two
// invariants are checked too: what is printed parses (back to the same tree
// when it came from text), and what is written reads back to the same tree.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/classes/BinaryForm.h"
#include "platform/classes/TComponent.h"
#include "platform/classes/TReader.h"
#include "platform/classes/TextForm.h"
#include "platform/classes/TypeInfo.h"

namespace {

class TFuzzItem : public TComponent {
    RUPINAKO_CLASS(TFuzzItem)
public:
    explicit TFuzzItem(TComponent* owner) : TComponent(owner) {}
    int Left = 0;
    bool Visible = true;
    int Style = 0;
    double Ratio = 0;
    std::string Caption, Data;
    TNotifyEvent OnClick;
    TComponent* Parent = nullptr;
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return Parent; }
    void SetParentComponent(TComponent* parent) override { Parent = parent; }
};

class TFuzzRoot : public TComponent {
    RUPINAKO_CLASS(TFuzzRoot)
public:
    explicit TFuzzRoot(TComponent* owner) : TComponent(owner) {}
    std::string Caption;
    TFuzzItem* Item1 = nullptr;
    void Item1Click(TObject*) {}
};

const TIdentTable& StyleIdents()
{
    static const TIdentTable idents = {{0, "fsBold"}, {1, "fsItalic"}, {63, "fsLast"}};
    return idents;
}

}

const TClassInfo& TFuzzItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzItem>("TFuzzItem", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Int("Left", &TFuzzItem::Left, &TFuzzItem::Left)
                                       .Bool("Visible", &TFuzzItem::Visible, &TFuzzItem::Visible, true)
                                       .Set("Style", StyleIdents(), &TFuzzItem::Style, &TFuzzItem::Style, 0)
                                       .Float("Ratio", &TFuzzItem::Ratio, &TFuzzItem::Ratio)
                                       .Str("Caption", &TFuzzItem::Caption, &TFuzzItem::Caption)
                                       .Binary("Data", &TFuzzItem::Data, &TFuzzItem::Data)
                                       .Event("OnClick", &TFuzzItem::OnClick)
                                       .Build();
    return info;
}

const TClassInfo& TFuzzRoot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzRoot>("TFuzzRoot", TComponent::StaticClassInfo())
                                       .WStr("Caption", &TFuzzRoot::Caption, &TFuzzRoot::Caption)
                                       .Field("Item1", &TFuzzRoot::Item1)
                                       .Method("Item1Click", &TFuzzRoot::Item1Click)
                                       .Build();
    return info;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = (RegisterClass(TFuzzItem::StaticClassInfo()), true);
    (void)registered;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (bytes.substr(0, 4) == "TPF0") {
        try {
            TFormObject form = ReadBinaryForm(bytes);
            TFormObject again = ReadBinaryForm(WriteBinaryForm(form));
            if (!(again == ReadBinaryForm(WriteBinaryForm(again))))
                __builtin_trap();
        } catch (const Exception&) {
        }
        // Whatever prints must parse.
        std::string text;
        try {
            text = PrintTextForm(ReadBinaryForm(bytes));
        } catch (const Exception&) {
        }
        if (!text.empty()) {
            try {
                ParseTextForm(text);
            } catch (const Exception&) {
                __builtin_trap();
            }
        }
        try {
            TFuzzRoot root(nullptr);
            ReadComponent(bytes, &root);
        } catch (const Exception&) {
        }
        return 0;
    }

    try {
        TFormObject form = ParseTextForm(bytes);
        if (!(ParseTextForm(PrintTextForm(form)) == form))
            __builtin_trap();
        WriteBinaryForm(form);
    } catch (const Exception&) {
    }
    return 0;
}
