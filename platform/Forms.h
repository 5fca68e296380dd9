#pragma once

#include "platform/Controls.h"
#include "platform/Menus.h"

#include <QPointer>

#include <memory>
#include <vector>

using TCloseEvent = TMethodRef<void(TObject* Sender, TCloseAction& Action)>;
Q_DECLARE_METATYPE(TCloseEvent)

// A top-level window. Left, Top, Width and Height are the outer frame (frame, title bar and menu bar
// included); the client area lies below the menu bar.
class TForm : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool AutoScroll READ AutoScroll WRITE SetAutoScroll)
    Q_PROPERTY(Types::TBorderIcons BorderIcons READ BorderIcons WRITE SetBorderIcons)
    Q_PROPERTY(Types::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(Types::TFormStyle FormStyle READ FormStyle WRITE SetFormStyle)
    Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
    Q_PROPERTY(TMainMenu* Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(bool OldCreateOrder READ OldCreateOrder WRITE SetOldCreateOrder)
    Q_PROPERTY(int PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch)
    Q_PROPERTY(Types::TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool Scaled READ Scaled WRITE SetScaled)
    Q_PROPERTY(int TextHeight READ TextHeight WRITE SetTextHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(Types::TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(TNotifyEvent OnActivate MEMBER OnActivate)
    Q_PROPERTY(TCloseEvent OnClose MEMBER OnClose)
    Q_PROPERTY(TNotifyEvent OnCreate MEMBER OnCreate)
    Q_PROPERTY(TNotifyEvent OnDeactivate MEMBER OnDeactivate)
    Q_PROPERTY(TNotifyEvent OnDestroy MEMBER OnDestroy)
    Q_PROPERTY(TNotifyEvent OnHide MEMBER OnHide)
    Q_PROPERTY(TNotifyEvent OnResize MEMBER OnResize)
    Q_PROPERTY(TNotifyEvent OnShow MEMBER OnShow)

public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool autoScroll) { FAutoScroll = autoScroll; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool keyPreview) { FKeyPreview = keyPreview; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
    // The resolution the description's coordinates were made at; the program runs at the same one.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int value) { FTextHeight = value; }

    int ClientWidth() const override { return FClientWidth; }
    int ClientHeight() const override { return FClientHeight; }
    void SetClientSize(int width, int height) override;
    void SetBounds(int left, int top, int width, int height) override;
    TPoint ClientOrigin() const override;
    bool Showing() const override { return Visible(); }

    // Shows the window and brings it to the front.
    void Show();
    void Hide() { SetVisible(false); }
    // Runs the close event; hides the window by default, ends the program when it is the main window.
    void Close();
    // Destroys the window once the current event has been handled.
    void Release();
    bool Active() const;
    void BringToFront();
    // Gives the window the keyboard focus: it comes to the front and its active control gets the focus.
    void SetFocus() override;

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    // Makes a control the focused control of this window and gives the window the keyboard focus.
    void FocusControl(TWinControl* control);
    // Focus moved to a control of this window: the containers it left and entered are told, and the
    // window that had the focus before is deactivated.
    void SetFocusedControl(TWinControl* control);
    TWinControl* FocusedControl() const { return FFocusedControl; }
    void SelectNext(TWinControl* current, bool forward);
    void ControlDestroying(TWinControl* control);

    // Reads the window's description, compiled into the program as ":/forms/<class name>.dfm". Returns
    // false when the class has none.
    bool ReadDescription();
    void DoCreate();

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnActivate;
    TCloseEvent OnClose;
    TNotifyEvent OnCreate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnHide;
    TNotifyEvent OnShow;

protected:
    std::unique_ptr<WindowHandle> CreateHandleObject() override;
    void InitializeHandle() override;
    void VisibleChanged() override;
    void TextChanged() override;
    void HandleMoved() override;
    void BoundsChanged() override;
    void UpdateHandleVisibility() override;
    void UpdateHandleGeometry() override;
    void UpdateFrame();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DialogKey(intptr_t key, TShiftState shift);
    FormHandle* Form() const { return static_cast<FormHandle*>(FHandle.get()); }

private:
    // The space the frame, title bar and menu bar take around the client area.
    QSize FrameExtra() const;
    FrameKind Kind() const;
    void PlaceForFirstShow();
    void ApplyMinimumSize();
    void PushGeometry();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = TBorderIcons(biSystemMenu) | biMinimize | biMaximize;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TMainMenu* FMenu = nullptr;
    bool FAutoScroll = true;
    bool FKeyPreview = false;
    bool FOldCreateOrder = false;
    int FPixelsPerInch = 96;
    bool FScaled = true;
    int FTextHeight = 13;
    int FClientWidth = 0;
    int FClientHeight = 0;
    bool FPlaced = false;
    bool FActive = false;
    bool FPushingGeometry = false;
    bool FShowActivates = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
};

using TIdleEvent = TMethodRef<void(TObject* Sender, bool& Done)>;
Q_DECLARE_METATYPE(TIdleEvent)

// The application object: the forms it creates, its main window, the idle event and the message loop.
class TApplication : public TComponent {
    Q_OBJECT
public:
    TApplication();
    ~TApplication() override;

    // Starts the platform (the toolkit, its style, colours and fonts).
    void Initialize();
    // Creates a window of a class from its description; the first window so created is the main window.
    template <typename T>
    void CreateForm(T*& reference)
    {
        T* form = new T(this);
        reference = form;
        InitializeForm(form);
    }
    // Runs the message loop until the main window closes, then destroys the windows.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    TForm* MainForm() const { return FMainForm; }
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }

    // The idle event: called each time the message queue has run empty.
    TIdleEvent OnIdle;

    // The standard exception display.
    void HandleException(const std::exception& error);
    void ShowException(const std::exception& error);
    // The application's modal message box (MB_* flags); returns IDOK, IDRETRY, ...
    int MessageBox(const QString& text, const QString& caption, unsigned flags);

    // Pointer tracking: the control under the pointer gets CM_MOUSEENTER, the one it left CM_MOUSELEAVE.
    void SetMouseControl(TControl* control);
    TControl* MouseControl() const { return FMouseControl; }
    void MouseLeftWindow(TWinControl* window);
    void ControlDestroying(TControl* control);
    void FormDestroying(TForm* form);

private:
    void InitializeForm(TForm* form);
    bool Idle();

    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FInIdle = false;
    QString FTitle = QStringLiteral("Settings");
    TControl* FMouseControl = nullptr;
};

// The screen: its size, work area and resolution, and every window of the program.
class TScreen : public TComponent {
    Q_OBJECT
public:
    TScreen();

    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const;
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    // The window that holds the keyboard focus.
    TForm* FocusedForm() const { return FFocusedForm; }
    void SetFocusedForm(TForm* form) { FFocusedForm = form; }

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    std::vector<TForm*> FForms;
    TForm* FFocusedForm = nullptr;
};

// The pointer.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint position);
};

extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;
