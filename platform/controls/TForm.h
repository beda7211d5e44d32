#pragma once
// TForm: the form class that programs derive their windows from. It adds
// nothing to TCustomForm but the published properties that form resources
// set (see TCustomForm.h for how a derived form reads its resource).

#include "platform/controls/TCustomForm.h"

class TForm : public TCustomForm {
    RUPINAKO_CLASS(TForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
