#pragma once

// The toolkit backend of the class library: one small handle per kind of native window. Only the files of
// this folder include Qt Widgets; the platform's controls talk to their handles through these interfaces
// and receive the toolkit's events as numbered messages (platform/Messages.h).

#include "platform/Messages.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QTextDocument;

// Receives the messages a handle translates from the toolkit's events.
class MessageSink {
public:
    virtual void HandleMessage(TMessage& message) = 0;

protected:
    ~MessageSink() = default;
};

// Sent with WM_PAINT: the control paints the dirty box. Given a surface, into that off-screen image of its
// client area. Given none, straight onto its window through Screen; only the part of the box where what it
// draws may be read back (its own content, its windowless children) is drawn off-screen first.
struct TPaintStruct {
    QImage* Surface = nullptr;
    QRect Dirty;
    QPainter* Screen = nullptr;
};

// What assistive tools are told about a windowless control. Such a control has no widget of its own, so
// the surface that paints it lists it for them (CM_GETACCESSIBLES).
enum class TAccessibleRole { Graphic, StaticText, Button, CheckBox };

enum TAccessibleStateFlag : unsigned {
    asUnavailable = 1, // disabled
    asCheckable = 2,
    asChecked = 4,
    asHasPopup = 8,    // it opens a window of its own
    asExpanded = 16,   // that window is open
};
using TAccessibleState = unsigned;

struct TAccessibleChild {
    // The control itself, which tells the entries of controls that come and go apart.
    const QObject* Control = nullptr;
    QString Name;
    QString Description;
    TAccessibleRole Role = TAccessibleRole::Graphic;
    TAccessibleState State = 0;
    // In the surface's coordinates.
    QRect Box;
};

// Sent with CM_GETACCESSIBLES: the visible windowless children, in the order they are painted.
struct TAccessibleChildren {
    std::vector<TAccessibleChild> Children;
};

// Any native window: a top-level window, a panel, or a native control.
class WindowHandle {
public:
    virtual ~WindowHandle() = default;

    // Places the window in the client area of another one; nullptr makes it a top-level window.
    virtual void SetParent(WindowHandle* parent) = 0;
    // A child's box in its parent's client coordinates; a top-level window's frame position and client size.
    virtual void SetGeometry(const QRect& geometry) = 0;
    virtual QRect Geometry() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetFont(const QFont& font) = 0;
    virtual void SetColors(const QColor& background, const QColor& text) = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;
    virtual void SetTabStop(bool tabStop) = 0;
    virtual void Invalidate(const QRect& box) = 0;
    virtual void Repaint(const QRect& box) = 0;
    virtual void Raise() = 0;
    virtual void Lower() = 0;
    // The screen position of the client area's top-left corner.
    virtual QPoint ClientOrigin() const = 0;
    virtual void SetAccessibleName(const QString& name) = 0;
    virtual void SetToolTip(const QString& tip) = 0;
};

// A window that paints itself through WM_PAINT into an off-screen surface and reports pointer input as
// WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK and WM_MOUSELEAVE.
class SurfaceHandle : public WindowHandle {};

enum class FrameKind { None, Single, Sizeable, Dialog, ToolWindow, SizeableToolWindow };

struct FrameMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

class MenuBarHandle;

// A top-level window. Its client area is a surface; a menu bar, when set, sits above the client area.
// It reports WM_MOVE and WM_SIZE when the system moves or resizes it, WM_ACTIVATE, WM_CLOSE (the close box;
// the window itself stays), and CM_DIALOGKEY for Tab, Return and Escape that no control used.
class FormHandle : public SurfaceHandle {
public:
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetFrame(FrameKind kind, bool stayOnTop, bool minimizeBox, bool maximizeBox) = 0;
    // The frame around the client area and menu bar: measured once the window has been shown, estimated
    // from earlier windows of the same kind before.
    virtual FrameMargins Margins() const = 0;
    virtual int MenuBarHeight() const = 0;
    virtual void SetMenuBar(MenuBarHandle* menuBar) = 0;
    virtual void SetMinimumClientSize(const QSize& size) = 0;
    virtual void SetMaximized(bool maximized) = 0;
    virtual bool IsMaximized() const = 0;
    // While set, the system chooses where the window first appears; only its size is applied.
    virtual void SetPlacedBySystem(bool placedBySystem) = 0;
    // Shows the window; with activate, also brings it to the front and gives it the keyboard focus.
    virtual void Show(bool activate) = 0;
    virtual bool IsActive() const = 0;
};

// Native controls. They report user actions as CN_COMMAND with the notification code in WParam.
class ButtonHandle : public WindowHandle {   // BN_CLICKED
public:
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetDefault(bool isDefault) = 0;
};

class EditHandle : public WindowHandle {     // EN_CHANGE when the user changes the text
public:
    virtual void SetText(const QString& text) = 0;
    virtual QString Text() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
};

class ComboBoxHandle : public WindowHandle { // CBN_SELCHANGE when the user picks an item, CBN_EDITCHANGE when the user types
public:
    virtual void SetEditable(bool editable) = 0;
    virtual void SetItems(const QStringList& items) = 0;
    virtual void SetItemIndex(int index) = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetText(const QString& text) = 0;
    virtual QString Text() const = 0;
};

class MemoHandle : public WindowHandle {     // EN_CHANGE when the user changes the text
public:
    virtual void SetText(const QString& text) = 0;
    virtual QString Text() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetScrollBars(bool horizontal, bool vertical) = 0;
    virtual void SetWordWrap(bool wrap) = 0;
};

class RichEditHandle : public WindowHandle {
public:
    // Shows a copy of the document.
    virtual void SetDocument(const QTextDocument& document) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetScrollBars(bool horizontal, bool vertical) = 0;
    virtual QString PlainText() const = 0;
};

struct StatusPanelData {
    QString Text;
    int Width = 50;
    bool Bevelled = true;
};

class StatusBarHandle : public WindowHandle {
public:
    virtual void SetPanels(const std::vector<StatusPanelData>& panels) = 0;
};

// Menus. A menu item reports its choice through its callback.
class MenuItemHandle {
public:
    virtual ~MenuItemHandle() = default;
    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetChecked(bool checked) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetChildren(const std::vector<MenuItemHandle*>& children) = 0;
};

class MenuBarHandle {
public:
    virtual ~MenuBarHandle() = default;
    virtual void SetItems(const std::vector<MenuItemHandle*>& items) = 0;
};

std::unique_ptr<SurfaceHandle> CreateSurfaceHandle(MessageSink& sink);
std::unique_ptr<FormHandle> CreateFormHandle(MessageSink& sink);
std::unique_ptr<ButtonHandle> CreateButtonHandle(MessageSink& sink);
std::unique_ptr<EditHandle> CreateEditHandle(MessageSink& sink);
std::unique_ptr<ComboBoxHandle> CreateComboBoxHandle(MessageSink& sink);
std::unique_ptr<MemoHandle> CreateMemoHandle(MessageSink& sink);
std::unique_ptr<RichEditHandle> CreateRichEditHandle(MessageSink& sink);
std::unique_ptr<StatusBarHandle> CreateStatusBarHandle(MessageSink& sink);
std::unique_ptr<MenuItemHandle> CreateMenuItemHandle(std::function<void()> triggered);
std::unique_ptr<MenuBarHandle> CreateMenuBarHandle();
// Shows a pop-up menu at a screen position and returns when it closes.
void PopupMenuAt(const std::vector<MenuItemHandle*>& items, QPoint screenPosition);

// The application: the toolkit's event loop and what the system tells about the screen and the pointer.
namespace Backend {

void Initialize();
bool IsInitialized();
// Ends the toolkit, once every window is gone.
void Finalize();
// Runs the event loop until Quit.
void Exec();
void Quit();
void ProcessEvents();
// Called each time the event queue has run empty; returns false to be called again without waiting.
void SetIdleHandler(std::function<bool()> handler);
// Runs code after the current event has been handled.
void PostCall(std::function<void()> call);

// The frame a window of this kind gets, as last measured on a shown window (before one of its kind was
// shown, as measured on a window of another kind; zero before any was shown), and the height of a menu bar.
FrameMargins EstimatedFrameMargins(FrameKind kind);
int EstimatedMenuBarHeight();

QRect ScreenGeometry();
QRect WorkArea();
int LogicalDpi();
QPoint CursorPos();
void SetCursorPos(QPoint position);

enum class DialogIcon { None, Information, Warning, Error, Question };
// A modal message box; returns the index of the chosen button, or -1 when it was dismissed.
int ShowMessageBox(const QString& caption, const QString& text, DialogIcon icon, const QStringList& buttons,
                   int defaultButton, int escapeButton);

} // namespace Backend
