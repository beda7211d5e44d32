#pragma once
// The program's boxes, shown through the display back end.
//
// ShowMessage(text): the plain message box, captioned with the application
//   title, no icon, one "OK" button; returns when it is closed.
// MessageDlg(text, type, buttons, helpContext): a box captioned after its
//   type ("確認" for mtConfirmation). With mbYes and mbNo among the buttons
//   it is the Yes/No question (Yes the default, Esc answers No) and returns
//   mrYes or mrNo; otherwise a box with OK that returns mrOk (mtError boxes
//   are error boxes). The help context is not used.
// Boxes are not forms: closing one gives the focus back to the form that
// had it without activating it again.

#include <initializer_list>
#include <string>

#include "platform/controls/ControlTypes.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };

void ShowMessage(const std::string& text);
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, std::initializer_list<TMsgDlgBtn> buttons,
                        int helpContext);
