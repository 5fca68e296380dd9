#pragma once

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

// A window of the setup supporter (help, technical support, installed cards): built from code, hidden
// until shown, with an ordinary sizeable frame that stays on top of the main window and the platform's
// default font. It starts at an outer size of 320 x 240 until it is fitted to its children.
class TSupportForm : public TForm {
    Q_OBJECT
public:
    explicit TSupportForm(TComponent* owner);

    // The client area takes the size of the box around the visible children, and every child moves by
    // the same offset so that the box starts at the client origin. The frame and caption stay as they are.
    void FitToChildren();

protected:
    // The read-only text box of the technical support and installed-cards windows, placed at (8, 8)
    // before fitting.
    TMemo* AddTextMemo(const QString& name);
    // Their Close button (Esc presses it), 73 × 25 at the given left and top 105 before fitting.
    TButton* AddCloseButton(int left, const TNotifyEvent& click);
};
