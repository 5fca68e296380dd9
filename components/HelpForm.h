#pragma once

#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

#include "components/SupportForm.h"

// What the help document says about the product it describes.
struct THelpTopic {
    QString CompanyName;
    QString CardName;
    bool Series = true;      // " Series" follows the card name in the title
    bool MultiPort = false;  // the note on repeating the setup for each option group
    bool ListsCards = false; // the sentence naming the File menu's installed-cards entry
};

// The help document as rich text: the bold title, what the program is for, the colour code of the
// circles, and the optional notes.
QString HelpDocument(const THelpTopic& topic);

// The help window: a heading, the formatted help document and a Start button that hides the window and
// starts the guided walk at the board's first circle. Return (outside the document) and Escape press Start.
class THelpForm : public TSupportForm {
    Q_OBJECT
    Q_PROPERTY(TRichEdit* HelpRich MEMBER HelpRich)
    Q_PROPERTY(TLabel* HelpLabel MEMBER HelpLabel)
    Q_PROPERTY(TButton* StartButton MEMBER StartButton)

public:
    explicit THelpForm(TComponent* owner);

    // Builds the hidden window with its document, grown for a screen of the given size in pixels.
    static THelpForm* Create(TComponent* owner, const QString& document, int screenWidth, int screenHeight);
    // How much the window grows on a screen larger than 800 x 450: the smaller of the two ratios, never
    // below 1.
    static double ScreenScale(int screenWidth, int screenHeight);

    // Hides the window and sends the board image the start of the guided walk.
    Q_INVOKABLE void StartButtonClick(TObject* Sender);

    TRichEdit* HelpRich = nullptr;
    TLabel* HelpLabel = nullptr;
    TButton* StartButton = nullptr;

private:
    void ScaleToScreen(int screenWidth, int screenHeight);
};
