#include "platform/display/WindowDialogs.h"

#include <cstdlib>
#include <cstring>
#include <gtk/gtk.h>

#include "platform/display/Mnemonic.h"
#include "platform/rtl/Messages.h"

namespace {

constexpr int IdYes = 6;
constexpr int IdNo = 7;

// The answer the test hook gives, or GTK_RESPONSE_NONE when it is not set.
int AutoAnswer(bool question)
{
    const char* value = std::getenv("RUPINAKO_TEST_AUTOANSWER");
    if (!value || !*value)
        return GTK_RESPONSE_NONE;
    if (!question)
        return GTK_RESPONSE_OK;
    bool yes = g_ascii_strcasecmp(value, "yes") == 0 || g_ascii_strcasecmp(value, "y") == 0;
    return yes ? GTK_RESPONSE_YES : GTK_RESPONSE_NO;
}

struct TAutoAnswer {
    GtkDialog* Dialog;
    int Response;
};

gboolean AnswerNow(gpointer data)
{
    auto* answer = static_cast<TAutoAnswer*>(data);
    gtk_dialog_response(answer->Dialog, answer->Response);
    g_object_unref(answer->Dialog);
    delete answer;
    return G_SOURCE_REMOVE;
}

void OnShownAnswer(GtkWidget* dialog, gpointer data)
{
    // Answer from the dialog's own loop, once it is really up.
    auto* answer = new TAutoAnswer{GTK_DIALOG(g_object_ref(dialog)), GPOINTER_TO_INT(data)};
    g_idle_add(AnswerNow, answer);
}

// As on the original desktop, the accelerator letters answer the question
// even without Alt (GTK itself takes them with Alt only).
gboolean OnConfirmKey(GtkWidget* dialog, GdkEventKey* event, gpointer)
{
    if (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK))
        return FALSE;
    switch (event->keyval) {
    case GDK_KEY_y:
    case GDK_KEY_Y:
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_YES);
        return TRUE;
    case GDK_KEY_n:
    case GDK_KEY_N:
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_NO);
        return TRUE;
    default:
        return FALSE;
    }
}

GtkWidget* NewBox(GtkMessageType type, const std::string& caption, const std::string& text)
{
    // Markup off: the text is shown exactly as given.
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, GTK_BUTTONS_NONE, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    return dialog;
}

int Run(GtkWidget* dialog, bool question)
{
    int autoAnswer = AutoAnswer(question);
    if (autoAnswer != GTK_RESPONSE_NONE)
        g_signal_connect(dialog, "map", G_CALLBACK(OnShownAnswer), GINT_TO_POINTER(autoAnswer));
    int response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    // Let the desktop take the box off the screen before the caller goes on.
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
    return response;
}

void ShowOkBox(GtkMessageType type, const std::string& caption, const std::string& text)
{
    GtkWidget* dialog = NewBox(type, caption, text);
    GtkWidget* ok = gtk_dialog_add_button(GTK_DIALOG(dialog), SMsgDlgOK, GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    gtk_widget_grab_focus(ok);
    Run(dialog, false);
}

}  // namespace

void ShowGtkMessageBox(const std::string& caption, const std::string& text)
{
    ShowOkBox(GTK_MESSAGE_OTHER, caption, text);
}

void ShowGtkErrorBox(const std::string& caption, const std::string& text)
{
    ShowOkBox(GTK_MESSAGE_ERROR, caption, text);
}

int ShowGtkConfirm(const std::string& caption, const std::string& text)
{
    GtkWidget* dialog = NewBox(GTK_MESSAGE_QUESTION, caption, text);
    GtkWidget* yes = gtk_dialog_add_button(GTK_DIALOG(dialog), GtkMnemonicLabel(SMsgDlgYes).c_str(), GTK_RESPONSE_YES);
    gtk_dialog_add_button(GTK_DIALOG(dialog), GtkMnemonicLabel(SMsgDlgNo).c_str(), GTK_RESPONSE_NO);
    // Enter answers Yes: it is the default and holds the focus. Esc and the
    // close box end the dialog with a response that is not Yes.
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_YES);
    gtk_widget_grab_focus(yes);
    g_signal_connect(dialog, "key-press-event", G_CALLBACK(OnConfirmKey), nullptr);
    return Run(dialog, true) == GTK_RESPONSE_YES ? IdYes : IdNo;
}
