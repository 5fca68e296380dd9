#pragma once

#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TBoardHighlight;

// The popup of a highlight circle: a small, sizeable, stay-on-top tool window with the circle's option
// panel at the top, a read-only memo with the panel's lines, Previous/Next/Done and a status bar. It is
// built from code when the circle first needs it, takes the panel in for good, and is hidden, never
// destroyed, when it closes.
class TPopupForm : public TForm {
    Q_OBJECT
    Q_PROPERTY(TStatusBar* PopupStatus MEMBER PopupStatus)

public:
    explicit TPopupForm(TComponent* owner);

    // Builds, places and shows the popup of a circle and gives the keyboard focus to its panel.
    static TPopupForm* Build(TBoardHighlight* circle);

    TBoardHighlight* Circle() const { return FCircle; }
    bool CloseOnLeave() const { return FCloseOnLeave; }
    void SetCloseOnLeave(bool closeOnLeave) { FCloseOnLeave = closeOnLeave; }

    void Dispatch(TMessage& message) override;

    TStatusBar* PopupStatus = nullptr;

private:
    bool PointerInside() const;

    TBoardHighlight* FCircle = nullptr;
    bool FCloseOnLeave = false;
};
