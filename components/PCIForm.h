#pragma once

#include "platform/StdCtrls.h"

#include "components/SupportForm.h"

// The installed-cards window: one line per card of the maker's found in the machine (or "No Card Found")
// in a read-only memo above a Close button (also Escape). It is visible from the moment it is built.
class TPCIForm : public TSupportForm {
    Q_OBJECT
    Q_PROPERTY(TMemo* PCIMemo MEMBER PCIMemo)
    Q_PROPERTY(TButton* CloseButton MEMBER CloseButton)

public:
    explicit TPCIForm(TComponent* owner);

    // Builds and shows the window for a card; `closeClick` runs when Close is pressed.
    static TPCIForm* Create(TComponent* owner, const QString& cardName, const TNotifyEvent& closeClick);

    TMemo* PCIMemo = nullptr;
    TButton* CloseButton = nullptr;
};
