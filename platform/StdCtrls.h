#pragma once

#include "platform/Controls.h"

#include <memory>

// A text label, drawn by its parent. It sizes itself to its caption unless AutoSize is off, and takes
// its parent's colour unless it is given one.
class TCustomLabel : public TGraphicControl {
    Q_OBJECT
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool show);

    // The text as shown.
    QString AccessibleName() const override;
    TAccessibleRole AccessibleRole() const override;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void Loaded() override;

private:
    QString DisplayText() const;
    QStringList Lines(const TCanvas& canvas, int width) const;

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
    Q_OBJECT
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(Types::TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TNotifyEvent OnDblClick MEMBER OnDblClick)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)

public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

// A single-line text box. Its change event fires on every change of its text, typed or set.
class TEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnChange MEMBER OnChange)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(TNotifyEvent OnExit MEMBER OnExit)

public:
    explicit TEdit(TComponent* owner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length) { FMaxLength = length; }
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;
    void TextChanged() override;
    virtual void Change();

private:
    EditHandle* Edit() const { return static_cast<EditHandle*>(FHandle.get()); }

    bool FReadOnly = false;
    int FMaxLength = 0;
};

// A combo box: a text box above a drop-down list (or a list only, csDropDownList). Its change event
// fires when the user picks an item or types into the text box, never when the program sets the item.
class TComboBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(TStrings* Items READ Items WRITE SetItems)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(Types::TComboBoxStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnChange MEMBER OnChange)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(TNotifyEvent OnExit MEMBER OnExit)

public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    // -1: no item selected.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    const QString& Text() const { return FText; }
    void SetText(const QString& text);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height) { FItemHeight = height; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count) { FDropDownCount = count; }
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;
    virtual void Change();

private:
    ComboBoxHandle* Combo() const { return static_cast<ComboBoxHandle*>(FHandle.get()); }
    void ItemsChanged(TObject* sender);

    std::unique_ptr<TStrings> FItems;
    int FItemIndex = -1;
    QString FText;
    int FItemHeight = 13;
    int FDropDownCount = 8;
    TComboBoxStyle FStyle = csDropDown;
};

// A multi-line text box.
class TMemo : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TStrings* Lines READ Lines WRITE SetLines)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(Types::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(TNotifyEvent OnChange MEMBER OnChange)
    Q_PROPERTY(TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(TNotifyEvent OnExit MEMBER OnExit)

public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* lines) { FLines->Assign(lines); }
    // The whole text: the lines joined with CR LF.
    QString Text() const;
    void SetText(const QString& text) { FLines->SetText(text); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;

private:
    MemoHandle* Memo() const { return static_cast<MemoHandle*>(FHandle.get()); }
    void LinesChanged(TObject* sender);

    std::unique_ptr<TStrings> FLines;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FTakingTyped = false;
};

// A push button. The window's default button answers Return, its cancel button Escape.
class TButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(TNotifyEvent OnExit MEMBER OnExit)

public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool cancel) { FCancel = cancel; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    void Dispatch(TMessage& message) override;

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;
    void TextChanged() override;

private:
    ButtonHandle* Button() const { return static_cast<ButtonHandle*>(FHandle.get()); }

    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};
