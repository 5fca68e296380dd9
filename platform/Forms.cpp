#include "platform/Forms.h"

#include "platform/Dialogs.h"
#include "platform/FormReader.h"
#include "platform/StdCtrls.h"

#include <QFile>

TApplication* Application = new TApplication;
TScreen* Screen = new TScreen;
TMouse* Mouse = new TMouse;

int ScreenPixelsPerInch()
{
    return Screen->PixelsPerInch();
}

// ---------------------------------------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TForm::~TForm()
{
    Destroying();
    Application->FormDestroying(this);
    if (OnDestroy)
        OnDestroy(this);
    // The children go while this window is still whole, since they tell it about their focus.
    while (ControlCount() > 0)
        delete Controls(ControlCount() - 1);
    if (Form())
        Form()->SetMenuBar(nullptr);
    Screen->RemoveForm(this);
}

FrameKind TForm::Kind() const
{
    switch (FBorderStyle) {
    case bsNone: return FrameKind::None;
    case bsSingle: return FrameKind::Single;
    case bsDialog: return FrameKind::Dialog;
    case bsToolWindow: return FrameKind::ToolWindow;
    case bsSizeToolWin: return FrameKind::SizeableToolWindow;
    default: return FrameKind::Sizeable;
    }
}

QSize TForm::FrameExtra() const
{
    const FrameMargins margins = Form() ? Form()->Margins() : Backend::EstimatedFrameMargins(Kind());
    const int menuHeight = FMenu ? (Form() ? Form()->MenuBarHeight() : Backend::EstimatedMenuBarHeight()) : 0;
    return QSize(margins.Left + margins.Right, margins.Top + margins.Bottom + menuHeight);
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    const QSize extra = FrameExtra();
    int outerWidth = std::max(width, extra.width());
    int outerHeight = std::max(height, extra.height());
    Constraints()->Apply(outerWidth, outerHeight);
    const QSize oldClient(FClientWidth, FClientHeight);
    FClientWidth = outerWidth - extra.width();
    FClientHeight = outerHeight - extra.height();
    TWinControl::SetBounds(left, top, outerWidth, outerHeight);
    if (QSize(FClientWidth, FClientHeight) != oldClient)
        AlignControls();
}

void TForm::SetClientSize(int width, int height)
{
    const QSize extra = FrameExtra();
    SetBounds(Left(), Top(), std::max(0, width) + extra.width(), std::max(0, height) + extra.height());
}

void TForm::BoundsChanged()
{
    UpdateHandleGeometry();
}

void TForm::UpdateHandleGeometry()
{
    if (!Form() || FPushingGeometry)
        return;
    FPushingGeometry = true;
    Form()->SetGeometry(QRect(Left(), Top(), FClientWidth, FClientHeight));
    FPushingGeometry = false;
}

void TForm::HandleMoved()
{
    if (!Form() || FPushingGeometry)
        return;
    const QRect geometry = Form()->Geometry();
    const QSize extra = FrameExtra();
    const bool clientChanged = geometry.width() != FClientWidth || geometry.height() != FClientHeight;
    FClientWidth = geometry.width();
    FClientHeight = geometry.height();
    SetBoundsFields(geometry.x(), geometry.y(), geometry.width() + extra.width(), geometry.height() + extra.height());
    FWindowState = Form()->IsMaximized() ? wsMaximized : (FWindowState == wsMaximized ? wsNormal : FWindowState);
    if (clientChanged) {
        AlignControls();
        Resize();
    }
}

TPoint TForm::ClientOrigin() const
{
    if (Form()) {
        const QPoint origin = Form()->ClientOrigin();
        return TPoint{origin.x(), origin.y()};
    }
    const FrameMargins margins = Backend::EstimatedFrameMargins(Kind());
    const int menuHeight = FMenu ? Backend::EstimatedMenuBarHeight() : 0;
    return TPoint{Left() + margins.Left, Top() + margins.Top + menuHeight};
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == FBorderStyle)
        return;
    const int clientWidth = FClientWidth;
    const int clientHeight = FClientHeight;
    FBorderStyle = style;
    UpdateFrame();
    SetClientSize(clientWidth, clientHeight);
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == FBorderIcons)
        return;
    FBorderIcons = icons;
    UpdateFrame();
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (style == FFormStyle)
        return;
    FFormStyle = style;
    UpdateFrame();
}

void TForm::UpdateFrame()
{
    if (Form())
        Form()->SetFrame(Kind(), FFormStyle == fsStayOnTop, FBorderIcons.testFlag(biMinimize),
                         FBorderIcons.testFlag(biMaximize));
}

TWindowState TForm::WindowState() const
{
    return FWindowState;
}

void TForm::SetWindowState(TWindowState state)
{
    if (state == FWindowState)
        return;
    FWindowState = state;
    if (Form() && Visible())
        Form()->SetMaximized(state == wsMaximized);
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (menu == FMenu)
        return;
    const int clientWidth = FClientWidth;
    const int clientHeight = FClientHeight;
    FMenu = menu;
    if (Form())
        Form()->SetMenuBar(menu ? menu->BarHandle() : nullptr);
    // The menu bar takes its height from the frame: the client area keeps its size.
    SetClientSize(clientWidth, clientHeight);
}

void TForm::TextChanged()
{
    if (Form())
        Form()->SetCaption(Caption());
}

std::unique_ptr<WindowHandle> TForm::CreateHandleObject()
{
    return CreateFormHandle(*this);
}

void TForm::InitializeHandle()
{
    Form()->SetCaption(Caption());
    UpdateFrame();
    if (FMenu)
        Form()->SetMenuBar(FMenu->BarHandle());
    ApplyMinimumSize();
    TWinControl::InitializeHandle();
}

void TForm::ApplyMinimumSize()
{
    if (!Form())
        return;
    const QSize extra = FrameExtra();
    Form()->SetMinimumClientSize(QSize(std::max(0, Constraints()->MinWidth() - extra.width()),
                                       std::max(0, Constraints()->MinHeight() - extra.height())));
}

void TForm::VisibleChanged()
{
    if (Visible()) {
        if (!FHandle)
            HandleNeeded();
        else
            UpdateHandleVisibility();
        if (OnShow)
            OnShow(this);
    } else {
        UpdateHandleVisibility();
        if (OnHide)
            OnHide(this);
    }
}

void TForm::UpdateHandleVisibility()
{
    if (!Form())
        return;
    if (!Visible()) {
        Form()->SetVisible(false);
        return;
    }
    if (!FPlaced) {
        FPlaced = true;
        PlaceForFirstShow();
    }
    ApplyMinimumSize();
    Form()->SetMaximized(FWindowState == wsMaximized);
    Form()->Show(FShowActivates);
    Form()->SetPlacedBySystem(false);
}

void TForm::PlaceForFirstShow()
{
    if (Align() == alClient) {
        const TRect area = Screen->WorkAreaRect();
        SetBounds(area.Left, area.Top, area.Width(), area.Height());
    }
    auto centreOver = [this](int left, int top, int width, int height) {
        SetBounds(left + (width - Width()) / 2, top + (height - Height()) / 2, Width(), Height());
    };
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        centreOver(0, 0, Screen->Width(), Screen->Height());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TForm* over = FPosition == poOwnerFormCenter ? qobject_cast<TForm*>(Owner()) : nullptr;
        if (!over)
            over = Application->MainForm();
        if (over && over != this && over->Visible())
            centreOver(over->Left(), over->Top(), over->Width(), over->Height());
        else
            centreOver(0, 0, Screen->Width(), Screen->Height());
        break;
    }
    case poDefault:
    case poDefaultPosOnly:
    case poDefaultSizeOnly:
        Form()->SetPlacedBySystem(true);
        break;
    default:
        break;
    }
    UpdateHandleGeometry();
}

void TForm::Show()
{
    if (!Visible()) {
        FShowActivates = true;
        SetVisible(true);
        FShowActivates = false;
    } else if (Form()) {
        Form()->Show(true);
    }
}

void TForm::BringToFront()
{
    if (Form() && Visible())
        Form()->Show(true);
}

void TForm::SetFocus()
{
    if (!Visible() || !Form())
        return;
    Form()->Show(true);
    if (FActiveControl)
        FocusControl(FActiveControl);
}

void TForm::Close()
{
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TForm::Release()
{
    QPointer<TForm> self(this);
    Backend::PostCall([self] {
        if (self)
            delete self.data();
    });
}

bool TForm::Active() const
{
    return Form() && Form()->IsActive();
}

void TForm::SetActiveControl(TWinControl* control)
{
    if (control && !ContainsControl(control))
        return;
    FActiveControl = control;
    if (control && Visible())
        FocusControl(control);
}

void TForm::FocusControl(TWinControl* control)
{
    if (!control || control == this || !ContainsControl(control))
        return;
    FActiveControl = control;
    if (!Visible() || !control->CanFocus())
        return;
    control->HandleNeeded();
    SetFocusedControl(control);
    control->Handle()->SetFocus();
}

void TForm::SetFocusedControl(TWinControl* control)
{
    if (IsDestroying())
        return;
    if (Screen->FocusedForm() != this) {
        TForm* previous = Screen->FocusedForm();
        Screen->SetFocusedForm(this);
        if (previous && !previous->IsDestroying())
            previous->Perform(CM_DEACTIVATE, 0, 0);
        Perform(CM_ACTIVATE, 0, 0);
    }
    if (control == this)
        control = nullptr;
    if (control == FFocusedControl)
        return;
    TWinControl* previous = FFocusedControl;
    FFocusedControl = control;
    if (control)
        FActiveControl = control;
    std::vector<TWinControl*> left;
    for (TWinControl* c = previous; c && c != this; c = c->Parent())
        left.push_back(c);
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this; c = c->Parent())
        entered.push_back(c);
    // The containers both controls lie in see no change.
    while (!left.empty() && !entered.empty() && left.back() == entered.back()) {
        left.pop_back();
        entered.pop_back();
    }
    for (TWinControl* c : left)
        c->Perform(CM_EXIT, 0, 0);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it)
        (*it)->Perform(CM_ENTER, 0, 0);
}

void TForm::SelectNext(TWinControl* current, bool forward)
{
    std::vector<TWinControl*> all;
    GetTabOrderList(all);
    std::vector<TWinControl*> stops;
    for (TWinControl* control : all)
        if (control->TabStop() && control->CanFocus())
            stops.push_back(control);
    if (stops.empty())
        return;
    auto it = std::find(stops.begin(), stops.end(), current);
    size_t next = 0;
    if (it == stops.end())
        next = forward ? 0 : stops.size() - 1;
    else if (forward)
        next = (static_cast<size_t>(it - stops.begin()) + 1) % stops.size();
    else
        next = (static_cast<size_t>(it - stops.begin()) + stops.size() - 1) % stops.size();
    FocusControl(stops[next]);
}

void TForm::ControlDestroying(TWinControl* control)
{
    if (FFocusedControl && control->ContainsControl(FFocusedControl))
        FFocusedControl = nullptr;
    if (FActiveControl && control->ContainsControl(FActiveControl))
        FActiveControl = nullptr;
}

bool TForm::ReadDescription()
{
    QFile file(QStringLiteral(":/forms/%1.dfm").arg(ClassName()));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    ReadComponentDescription(QString::fromUtf8(file.readAll()), this);
    return true;
}

void TForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
}

void TForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

namespace {
template <typename Predicate>
TButton* FindButton(const TWinControl* parent, Predicate predicate)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (auto* button = qobject_cast<TButton*>(control); button && predicate(button) && button->Visible()
                                                             && button->Enabled())
            return button;
        if (auto* windowed = qobject_cast<TWinControl*>(control); windowed && windowed->Visible())
            if (TButton* found = FindButton(windowed, predicate))
                return found;
    }
    return nullptr;
}
} // namespace

void TForm::DialogKey(intptr_t key, TShiftState shift)
{
    switch (key) {
    case VK_TAB:
        SelectNext(FFocusedControl, !(shift & ssShift));
        break;
    case VK_RETURN:
        if (auto* focused = qobject_cast<TButton*>(FFocusedControl))
            focused->Click();
        else if (TButton* button = FindButton(this, [](TButton* b) { return b->Default(); }))
            button->Click();
        break;
    case VK_ESCAPE:
        if (TButton* button = FindButton(this, [](TButton* b) { return b->Cancel(); }))
            button->Click();
        break;
    default:
        break;
    }
}

void TForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_ACTIVATE:
        FActive = message.WParam != WA_INACTIVE;
        // A window activated without an active control gives the focus to the first control of its tab
        // order, so that the keyboard reaches what the window means first (the help window's Start
        // button takes Enter), not whichever control the toolkit happens to pick.
        if (FActive && !FActiveControl && !IsDesigning())
            SelectNext(nullptr, true);
        return;
    case WM_CLOSE:
        Close();
        return;
    case CM_DIALOGKEY:
        DialogKey(message.WParam, static_cast<TShiftState>(message.LParam));
        return;
    case CM_ACTIVATE:
        Activate();
        return;
    case CM_DEACTIVATE:
        Deactivate();
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

REGISTER_COMPONENT_CLASS(TForm);

// ---------------------------------------------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::Initialize()
{
    Backend::Initialize();
    Backend::SetIdleHandler([this] { return Idle(); });
}

void TApplication::InitializeForm(TForm* form)
{
    form->ReadDescription();
    form->DoCreate();
    if (!FMainForm)
        FMainForm = form;
}

void TApplication::Run()
{
    if (FMainForm && !FTerminated) {
        FMainForm->SetVisible(true);
        Backend::Exec();
    }
    FMainForm = nullptr;
    DestroyComponents();
    Backend::Finalize();
}

void TApplication::Terminate()
{
    FTerminated = true;
    Backend::Quit();
}

void TApplication::ProcessMessages()
{
    Backend::ProcessEvents();
}

bool TApplication::Idle()
{
    if (FInIdle)
        return true;
    FInIdle = true;
    bool done = true;
    try {
        // A copy: the handler may clear the event it runs from.
        const TIdleEvent idle = OnIdle;
        if (idle)
            idle(this, done);
    } catch (const std::exception& error) {
        HandleException(error);
    }
    FInIdle = false;
    return done;
}

void TApplication::HandleException(const std::exception& error)
{
    ShowException(error);
}

void TApplication::ShowException(const std::exception& error)
{
    auto* exception = dynamic_cast<const Exception*>(&error);
    QString message = exception ? exception->Message() : QString::fromUtf8(error.what());
    message = message.trimmed();
    if (!message.isEmpty() && !message.endsWith(u'.'))
        message += u'.';
    MessageBox(message, FTitle, MB_OK | MB_ICONHAND);
}

int TApplication::MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    return RunDialog(MessageBoxRequest(text, caption, flags));
}

void TApplication::SetMouseControl(TControl* control)
{
    if (control == FMouseControl)
        return;
    TControl* previous = FMouseControl;
    FMouseControl = control;
    if (previous)
        previous->Perform(CM_MOUSELEAVE, 0, 0);
    if (control && FMouseControl == control)
        control->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::MouseLeftWindow(TWinControl* window)
{
    if (!FMouseControl)
        return;
    const bool insideWindow = FMouseControl == window
                              || (FMouseControl->Parent() == window && !qobject_cast<TWinControl*>(FMouseControl));
    if (insideWindow)
        SetMouseControl(nullptr);
}

void TApplication::FormDestroying(TForm* form)
{
    if (FMainForm == form)
        FMainForm = nullptr;
}

void TApplication::ControlDestroying(TControl* control)
{
    if (FMouseControl == control)
        FMouseControl = nullptr;
}

// ---------------------------------------------------------------------------------------------------------

TScreen::TScreen() : TComponent(nullptr) {}

int TScreen::Width() const
{
    return Backend::IsInitialized() ? Backend::ScreenGeometry().width() : 1024;
}

int TScreen::Height() const
{
    return Backend::IsInitialized() ? Backend::ScreenGeometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const
{
    if (!Backend::IsInitialized())
        return Rect(0, 0, Width(), Height());
    const QRect area = Backend::WorkArea();
    return Bounds(area.x(), area.y(), area.width(), area.height());
}

int TScreen::PixelsPerInch() const
{
    return Backend::IsInitialized() ? Backend::LogicalDpi() : 96;
}

void TScreen::AddForm(TForm* form)
{
    FForms.push_back(form);
}

void TScreen::RemoveForm(TForm* form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FFocusedForm == form)
        FFocusedForm = nullptr;
}

TPoint TMouse::CursorPos() const
{
    const QPoint position = Backend::CursorPos();
    return TPoint{position.x(), position.y()};
}

void TMouse::SetCursorPos(TPoint position)
{
    Backend::SetCursorPos(QPoint(position.X, position.Y));
}
