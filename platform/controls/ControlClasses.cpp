#include "platform/controls/ControlClasses.h"

#include "platform/classes/TypeInfo.h"
#include "platform/controls/TButton.h"
#include "platform/controls/TForm.h"
#include "platform/controls/TImage.h"
#include "platform/controls/TSpeedButton.h"
#include "platform/controls/TTimer.h"

void RegisterControlClasses()
{
    static const bool registered = [] {
        RegisterClass(TForm::StaticClassInfo());
        RegisterClass(TImage::StaticClassInfo());
        RegisterClass(TButton::StaticClassInfo());
        RegisterClass(TTimer::StaticClassInfo());
        RegisterClass(TSpeedButton::StaticClassInfo());
        return true;
    }();
    (void)registered;
}
