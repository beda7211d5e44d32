#ifdef RUPINAKO_HAVE_GTK

#include "platform/display/WindowDialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/display/WindowTestSupport.h"

namespace {

// What a box looked like while it was up, and how the test answered it.
struct TSeenBox {
    bool Found = false;
    std::string Title;
    GtkMessageType Type = GTK_MESSAGE_OTHER;
    std::vector<std::string> Buttons;   // labels as given to GTK, in order
    bool Mnemonics = true;
    bool Modal = false;
    bool KeptAbove = false;
    guint Key = 0;                      // the key the test pressed
    guint KeyState = 0;                 // with these modifiers
    int Attempts = 0;
};

GtkMessageDialog* VisibleBox()
{
    GtkMessageDialog* found = nullptr;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* it = toplevels; it; it = it->next)
        if (GTK_IS_MESSAGE_DIALOG(it->data) && gtk_widget_get_mapped(GTK_WIDGET(it->data)))
            found = GTK_MESSAGE_DIALOG(it->data);
    g_list_free(toplevels);
    return found;
}

bool HasAboveState(GdkWindow* window)
{
    GdkAtom type = GDK_NONE;
    gint format = 0, length = 0;
    guchar* data = nullptr;
    bool above = false;
    if (gdk_property_get(window, gdk_atom_intern("_NET_WM_STATE", FALSE), gdk_atom_intern("ATOM", FALSE), 0, 64, FALSE,
                         &type, &format, &length, &data)) {
        auto* atoms = reinterpret_cast<GdkAtom*>(data);
        for (size_t i = 0; i < size_t(length) / sizeof(GdkAtom); ++i)
            above |= atoms[i] == gdk_atom_intern("_NET_WM_STATE_ABOVE", FALSE);
    }
    g_free(data);
    return above;
}

// Runs inside the box's own loop: looks at the box once it is up, then
// presses the key. Gives up (closing the box) rather than hang a test.
gboolean InspectAndPress(gpointer data)
{
    auto* seen = static_cast<TSeenBox*>(data);
    GtkMessageDialog* box = VisibleBox();
    if (!box) {
        if (++seen->Attempts < 500)
            return G_SOURCE_CONTINUE;
        return G_SOURCE_REMOVE;
    }
    if (!seen->Found) {
        seen->Found = true;
        seen->Title = gtk_window_get_title(GTK_WINDOW(box)) ? gtk_window_get_title(GTK_WINDOW(box)) : "";
        g_object_get(box, "message-type", &seen->Type, nullptr);
        seen->Modal = gtk_window_get_modal(GTK_WINDOW(box));
        seen->KeptAbove = HasAboveState(gtk_widget_get_window(GTK_WIDGET(box)));
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* actions = gtk_dialog_get_action_area(GTK_DIALOG(box));
        G_GNUC_END_IGNORE_DEPRECATIONS
        GList* buttons = gtk_container_get_children(GTK_CONTAINER(actions));
        for (GList* it = buttons; it; it = it->next)
            if (GTK_IS_BUTTON(it->data)) {
                seen->Buttons.push_back(gtk_button_get_label(GTK_BUTTON(it->data)));
                seen->Mnemonics &= bool(gtk_button_get_use_underline(GTK_BUTTON(it->data)));
            }
        g_list_free(buttons);
        PutKey(gtk_widget_get_window(GTK_WIDGET(box)), seen->Key, seen->KeyState);
        return G_SOURCE_CONTINUE;   // come back: if the key did nothing, close it below
    }
    if (++seen->Attempts < 500)
        return G_SOURCE_CONTINUE;
    gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_CANCEL);
    ADD_FAILURE() << "the key did not close the box";
    return G_SOURCE_REMOVE;
}

class WindowDialogsTest : public testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_DISPLAY();
        Lock = std::make_unique<TScreenLock>();
        unsetenv("RUPINAKO_TEST_AUTOANSWER");
    }
    void TearDown() override { Lock.reset(); }
    std::unique_ptr<TScreenLock> Lock;
    // Shows a box through run(), with the test looking at it and pressing key.
    TSeenBox WhileUp(guint key, const std::function<void()>& run, guint state = 0)
    {
        TSeenBox seen;
        seen.Key = key;
        seen.KeyState = state;
        guint source = g_timeout_add(10, InspectAndPress, &seen);
        run();
        if (g_main_context_find_source_by_id(nullptr, source))
            g_source_remove(source);
        return seen;
    }
};

std::vector<std::string> Labels(std::initializer_list<const char*> labels)
{
    return std::vector<std::string>(labels.begin(), labels.end());
}

TEST_F(WindowDialogsTest, ConfirmationEnterAnswersYesAndEscapeNo)
{
    int answer = 0;
    TSeenBox seen = WhileUp(GDK_KEY_Return, [&] { answer = ShowGtkConfirm("確認", "インフォメーションを参照しますか？"); });
    ASSERT_TRUE(seen.Found);
    EXPECT_EQ(answer, 6);
    EXPECT_EQ(seen.Title, "確認");
    EXPECT_EQ(seen.Type, GTK_MESSAGE_QUESTION);
    EXPECT_EQ(seen.Buttons, Labels({"はい(_Y)", "いいえ(_N)"}));
    EXPECT_TRUE(seen.Mnemonics);
    EXPECT_TRUE(seen.Modal);
    EXPECT_TRUE(seen.KeptAbove);

    seen = WhileUp(GDK_KEY_Escape, [&] { answer = ShowGtkConfirm("確認", "インフォメーションを参照しますか？"); });
    ASSERT_TRUE(seen.Found);
    EXPECT_EQ(answer, 7);

    // The accelerator letters, with Alt (GTK's mnemonics) and without.
    struct Case {
        guint Key, State;
        int Answer;
    } cases[] = {{GDK_KEY_n, GDK_MOD1_MASK, 7}, {GDK_KEY_y, GDK_MOD1_MASK, 6}, {GDK_KEY_n, 0, 7}, {GDK_KEY_y, 0, 6}};
    for (const Case& c : cases) {
        answer = 0;
        seen = WhileUp(c.Key, [&] { answer = ShowGtkConfirm("確認", "Q"); }, c.State);
        ASSERT_TRUE(seen.Found);
        EXPECT_EQ(answer, c.Answer) << gdk_keyval_name(c.Key) << " state " << c.State;
    }
}

TEST_F(WindowDialogsTest, PlainAndErrorBoxesHaveOneOkButton)
{
    TSeenBox seen = WhileUp(GDK_KEY_Return, [] { ShowGtkMessageBox("ルピナコ１：１", "計 3 枚のファイルが作成されました。"); });
    ASSERT_TRUE(seen.Found);
    EXPECT_EQ(seen.Title, "ルピナコ１：１");
    EXPECT_EQ(seen.Type, GTK_MESSAGE_OTHER);   // no icon
    EXPECT_EQ(seen.Buttons, Labels({"OK"}));

    seen = WhileUp(GDK_KEY_Escape, [] { ShowGtkErrorBox("ルピナコ１：１", "ビットマップイメージが不正です"); });
    ASSERT_TRUE(seen.Found);
    EXPECT_EQ(seen.Type, GTK_MESSAGE_ERROR);
    EXPECT_EQ(seen.Buttons, Labels({"OK"}));
}

TEST_F(WindowDialogsTest, AutoAnswerHookAnswersEveryBox)
{
    setenv("RUPINAKO_TEST_AUTOANSWER", "yes", 1);
    EXPECT_EQ(ShowGtkConfirm("確認", "Q"), 6);
    ShowGtkMessageBox("t", "returns by itself");
    setenv("RUPINAKO_TEST_AUTOANSWER", "no", 1);
    EXPECT_EQ(ShowGtkConfirm("確認", "Q"), 7);
    ShowGtkErrorBox("t", "returns by itself");
    unsetenv("RUPINAKO_TEST_AUTOANSWER");
}

}  // namespace

#endif  // RUPINAKO_HAVE_GTK
