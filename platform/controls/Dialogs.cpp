#include "platform/controls/Dialogs.h"

#include <algorithm>

#include "platform/controls/DisplayBackEnd.h"
#include "platform/controls/TApplication.h"
#include "platform/rtl/Messages.h"

void ShowMessage(const std::string& text)
{
    Application->MessageBox(text);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, std::initializer_list<TMsgDlgBtn> buttons, int)
{
    std::string caption;
    switch (type) {
    case mtWarning: caption = SMsgDlgWarning; break;
    case mtError: caption = SMsgDlgError; break;
    case mtInformation: caption = SMsgDlgInformation; break;
    case mtConfirmation: caption = SMsgDlgConfirm; break;
    case mtCustom: caption = Application->Title(); break;
    }
    auto has = [&](TMsgDlgBtn b) { return std::find(buttons.begin(), buttons.end(), b) != buttons.end(); };
    if (has(mbYes) && has(mbNo))
        return Display().Confirm(caption, text) == mrYes ? mrYes : mrNo;
    if (type == mtError)
        Display().ErrorBox(caption, text);
    else
        Display().MessageBox(caption, text);
    return mrOk;
}
