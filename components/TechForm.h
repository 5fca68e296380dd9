#pragma once

#include "platform/StdCtrls.h"

#include "components/SupportForm.h"

// How to reach the maker: read the manual first, then call, with the manual and the software CD at hand.
// `callHow` continues the sentence " You can call us ".
QString SupportText(const QString& companyName, const QString& callHow);

// The technical support window: the support text in a read-only memo above a Close button (also Escape).
class TTechForm : public TSupportForm {
    Q_OBJECT
    Q_PROPERTY(TMemo* TechMemo MEMBER TechMemo)
    Q_PROPERTY(TButton* CloseButton MEMBER CloseButton)

public:
    explicit TTechForm(TComponent* owner);

    // Builds the hidden window with its text; `closeClick` runs when Close is pressed.
    static TTechForm* Create(TComponent* owner, const QString& text, const TNotifyEvent& closeClick);

    TMemo* TechMemo = nullptr;
    TButton* CloseButton = nullptr;
};
