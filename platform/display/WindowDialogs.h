#pragma once
// The three boxes of the window back end, as modal GTK dialogs centred on the
// screen and kept above other windows (the program's own window stays on top,
// and a box must not hide behind it).
//   - plain box: the caption as title, no icon, one "OK" button;
//   - confirmation: the caption as title, the question icon, the buttons
//     "はい(&Y)" (Yes, the default: Enter answers it) and "いいえ(&N)" (No: Esc
//     and the close box answer it), shown as はい(Y) / いいえ(N) with Y and N as
//     mnemonics (Y and N answer also without Alt, as on the original desktop);
//     returns 6 for Yes and 7 for anything else;
//   - error box: the caption as title, the error icon, one "OK" button.
// Test hook: with RUPINAKO_TEST_AUTOANSWER=yes|no in the environment every
// box answers itself as soon as it is shown (plain and error boxes close,
// confirmations answer Yes or No), so automated runs under a real display
// never wait for a person.
// GTK must be initialised. These do not throw.

#include <string>

void ShowGtkMessageBox(const std::string& caption, const std::string& text);
int ShowGtkConfirm(const std::string& caption, const std::string& text);
void ShowGtkErrorBox(const std::string& caption, const std::string& text);
