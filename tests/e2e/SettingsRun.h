#pragma once

#include "tests/e2e/E2eSession.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// The program Settings as a person meets it on the screen, with what its main window's description
// says about the board: where the photograph and its circles lie, which popup each circle opens and
// where, the menus and the popups' buttons. Everything is found on the screen by titles, geometry and
// pixels; nothing is asked of the program itself.

namespace Titles {
inline const QString Main = QStringLiteral("Setup");
inline const QString Help = QStringLiteral("Instructions for Settings utility");
inline const QString TechnicalSupport = QStringLiteral("Technical Support");
inline const QString BaseAddress = QStringLiteral("Base Address");
inline const QString IRQEnable = QStringLiteral("IRQ Enable");
inline const QString BufferEnabling = QStringLiteral("Buffer Enabling");
inline const QString IRQLevel = QStringLiteral("IRQ Level");
} // namespace Titles

// An option panel of the description: the popup captioned with its circles' title shows it.
struct OptionPanel {
    const char* Name = "";
    QString Caption;
    QPoint DesignedPlace; // in the main window's client area, as described
    QSize Size;
    int EntryIndex = 0; // its entry's place in the "&Settings" menu, and so in the walk
};

// A highlight circle of the description, in photograph pixels.
struct BoardCircle {
    const char* Name = "";
    QRect Bounds;
    const OptionPanel* Panel = nullptr;
};

namespace Board {
constexpr QSize PhotoSize{600, 401};
constexpr QPoint DesignedPlace{162, 122};
extern const OptionPanel BasePanel;
extern const OptionPanel IEnablePanel;
extern const OptionPanel BufferPanel;
extern const OptionPanel IRQPanel;
// The four panels in the order of the "&Settings" menu, which is the order of the walk.
extern const OptionPanel* const Walk[4];
extern const BoardCircle Circles[7];
// The board photograph, decoded as the program decodes it.
const QImage& Photo();
} // namespace Board

// "Suite.Test" of the running test, for the session's folder of screenshots.
QString CurrentTestName();

// Failure messages show places and sizes as x,y and boxes as x,y wxh.
inline void PrintTo(const QPoint& point, std::ostream* out) { *out << point.x() << ',' << point.y(); }
inline void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << 'x' << size.height(); }
inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}

// Where the popup's buttons and panel lie, from its client area (the panel at its top-left corner).
struct PopupLayout {
    QRect Client;
    QPoint PanelOrigin() const { return Client.topLeft(); }
    QPoint Previous() const;
    QPoint Next() const;
    QPoint Done() const;
    QPoint Memo() const;
};

class SettingsRun {
public:
    // Starts the program on a private display, with the pointer resting in the screen's bottom-left
    // corner, off the board; returns once the main window is painted with its menu bar.
    explicit SettingsRun(const QString& testName);

    E2eSession& Session() { return *FSession; }
    WindowId MainWindow() const { return FMainWindow; }
    const WindowGeometry& MainGeometry() const { return FMainGeometry; }
    // The main window's client area, below the menu bar, where the description places its controls.
    QPoint ClientOrigin() const;
    // The board image's place in the client area: centred by the window's outer size.
    QPoint BoardPlace() const;
    // The photograph's top-left corner on the screen.
    QPoint BoardOrigin() const { return ClientOrigin() + BoardPlace(); }
    QRect CircleOnScreen(const BoardCircle& circle) const { return circle.Bounds.translated(BoardOrigin()); }
    QPoint CircleCentre(const BoardCircle& circle) const { return CircleOnScreen(circle).center(); }
    // A point on the photograph where no circle lies and no popup opens, for moving the pointer off a
    // circle or a popup.
    QPoint BoardAwayFromCircles() const { return BoardOrigin() + QPoint(100, 250); }

    // Where the panel's popup opens: the panel keeps its described offset from the board image, moved as
    // far as the image has moved, then the window (its outer `frame` size) is kept on the screen.
    QPoint PopupPlace(const OptionPanel& panel, QSize frame) const;
    // The popup's client size: the panel over the memo, buttons and status bar, raised to the smallest
    // outer size of 194 x 122 with the frame's extents `frameExtra` included.
    static QSize PopupClientSize(const OptionPanel& panel, QSize frameExtra);

    // The window with the title, once it is framed and placed where it stays.
    std::optional<WindowId> WaitForWindow(const QString& title) const;
    bool WaitForWindowGone(const QString& title) const;
    PopupLayout Layout(WindowId popup) const { return {FSession->Geometry(popup).Client}; }
    // The popups of the four panels that are shown now, by caption.
    QStringList ShownPopups() const;

    // Closes the window that has the title with a click on its close box.
    void CloseWithCloseBox(const QString& title);
    // Waits for the help window, which opens by itself after the start, and closes it with its close
    // box, which hides it without starting the walk.
    void DismissHelp();

    // The menu bar's titles, left to right ("&File", "&Settings", "&Help").
    enum MenuTitle { FileMenu = 0, SettingsMenu = 1, HelpMenu = 2 };
    // Drops down a menu with a click on its title; its geometry once it shows.
    std::optional<WindowGeometry> OpenMenu(MenuTitle title);
    // Drops down the menu and clicks its item `index` of `count`.
    void ChooseMenuItem(MenuTitle title, int index, int count);
    // A menu dropped down after the program had the windows `before` (by a click or a key), once shown.
    std::optional<WindowGeometry> WaitForMenu(const std::vector<WindowId>& before);
    // Waits until the menu dropped down last has closed.
    bool WaitForMenuClosed();
    // Closes a dropped-down menu with Escape.
    void CloseMenu();
    // Drops down "&Settings", reads which of its four entries carry a check mark, and closes it again.
    std::vector<bool> SettingsCheckMarks();

    // Opens a combo box's list with a click on its arrow and clicks item `index` in it. The list opens
    // with the current item `current` highlighted, which shows where the rows lie.
    void PickFromDropDown(const QRect& comboOnScreen, int current, int index);

private:
    std::vector<QRect> MenuTitleBoxes(const QImage& shot) const;

    std::unique_ptr<E2eSession> FSession;
    WindowId FMainWindow = 0;
    WindowGeometry FMainGeometry;
    int FMenuBarHeight = 0;
    std::optional<WindowId> FOpenMenu;
};
