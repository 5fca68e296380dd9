#pragma once

#include "platform/Controls.h"

#include <memory>
#include <vector>

class QTextDocument;

// A rich-text box; it reads the document it is given with the platform's rich-text reader.
class TRichEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(Types::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TRichEdit(TComponent* owner);
    ~TRichEdit() override;

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    // Replaces the content with a rich-text document.
    void LoadRichText(const QString& source);
    const QTextDocument& Document() const { return *FDocument; }

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;

private:
    RichEditHandle* Rich() const { return static_cast<RichEditHandle*>(FHandle.get()); }

    std::unique_ptr<QTextDocument> FDocument;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
};

class TStatusPanel {
public:
    QString Text;
    int Width = 50;
    TStatusPanelBevel Bevel = pbLowered;
};

// A status bar with panels; it lies along the bottom of its parent unless told otherwise.
class TStatusBar : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool SimplePanel READ SimplePanel WRITE SetSimplePanel)
    Q_PROPERTY(QString SimpleText READ SimpleText WRITE SetSimpleText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TStatusBar(TComponent* owner);

    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    TStatusPanel& Panels(int index) { return FPanels.at(static_cast<size_t>(index)); }
    TStatusPanel& AddPanel();
    // Call after changing a panel, to show the change.
    void PanelsChanged();
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool simplePanel);
    const QString& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const QString& text);

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;

private:
    StatusBarHandle* Bar() const { return static_cast<StatusBarHandle*>(FHandle.get()); }

    std::vector<TStatusPanel> FPanels;
    bool FSimplePanel = false;
    QString FSimpleText;
};
