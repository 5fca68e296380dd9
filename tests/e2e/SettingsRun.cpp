#include "tests/e2e/SettingsRun.h"

#include "platform/Jpeg.h"

#include <gtest/gtest.h>

#include <QFile>

#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;

namespace {

// The main window's colour (0xFFFFFF), which shows wherever nothing is drawn over the client area.
const QRgb kFormColour = qRgb(255, 255, 255);
constexpr auto kWindowTimeout = 15s;

[[noreturn]] void Fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

bool IsDark(QRgb pixel) { return qGray(pixel) < 100; }

// The menu bar is the band at the top of the client window down to the first row in the form's colour,
// read near the right end of the bar where no menu title stands. Nothing while the window is unpainted.
std::optional<int> MenuBarHeight(const QImage& shot, const QRect& client)
{
    const int x = client.right() - 4;
    if (shot.pixel(x, client.top()) == kFormColour)
        return std::nullopt;
    for (int y = client.top() + 1; y < client.top() + 60 && y <= client.bottom(); ++y) {
        if (shot.pixel(x, y) == kFormColour)
            return y - client.top();
    }
    return std::nullopt;
}

// Item `index` of a dropped-down menu of `count` items, which share its height evenly.
QRect MenuRow(const QRect& menu, int index, int count)
{
    const int top = menu.top() + menu.height() * index / count;
    const int bottom = menu.top() + menu.height() * (index + 1) / count;
    return QRect(menu.left(), top, menu.width(), bottom - top);
}

} // namespace

namespace Board {
const OptionPanel BasePanel{"BasePanel", Titles::BaseAddress, {390, 0}, {161, 116}, 0};
const OptionPanel IEnablePanel{"IEnablePanel", Titles::IRQEnable, {-66, 239}, {224, 70}, 1};
const OptionPanel BufferPanel{"BufferPanel", Titles::BufferEnabling, {733, 230}, {172, 91}, 2};
const OptionPanel IRQPanel{"IRQPanel", Titles::IRQLevel, {376, 467}, {236, 118}, 3};
const OptionPanel* const Walk[4] = {&BasePanel, &IEnablePanel, &BufferPanel, &IRQPanel};
const BoardCircle Circles[7] = {
    {"BaseHighlight", QRect(468, 9, 52, 30), &BasePanel},
    {"IEnableHighlight1", QRect(71, 52, 16, 14), &IEnablePanel},
    {"IEnableHighlight0", QRect(250, 100, 17, 19), &IEnablePanel},
    {"BufferHighlight", QRect(423, 52, 33, 25), &BufferPanel},
    {"IRQHighlight3", QRect(155, 299, 42, 17), &IRQPanel},
    {"IRQHighlight2", QRect(395, 205, 20, 40), &IRQPanel},
    {"IRQHighlight1", QRect(472, 261, 13, 43), &IRQPanel},
};

const QImage& Photo()
{
    static const QImage photo = [] {
        QFile file(QStringLiteral(SETTINGS_BOARD_PHOTO));
        if (!file.open(QIODevice::ReadOnly))
            Fail(QStringLiteral("cannot read %1").arg(file.fileName()));
        return DecodeJpeg(file.readAll()).convertToFormat(QImage::Format_RGB32);
    }();
    return photo;
}
} // namespace Board

QString CurrentTestName()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return QString::fromUtf8(test->test_suite_name()) + QLatin1Char('.') + QString::fromUtf8(test->name());
}

QPoint PopupLayout::Previous() const { return Client.topLeft() + QPoint(6 + 29, Client.height() - 44 + 12); }
QPoint PopupLayout::Next() const
{
    return Client.topLeft() + QPoint((Client.width() - 58) / 2 + 29, Client.height() - 44 + 12);
}
QPoint PopupLayout::Done() const
{
    return Client.topLeft() + QPoint(Client.width() - 64 + 29, Client.height() - 44 + 12);
}
QPoint PopupLayout::Memo() const { return Client.topLeft() + QPoint(Client.width() / 2, Client.height() - 44 - 6 - 29); }

SettingsRun::SettingsRun(const QString& testName) : FSession(std::make_unique<E2eSession>(testName))
{
    FSession->MoveMouse(QPoint(4, E2eSession::ScreenSize().height() - 4));
    FSession->StartProgram(QStringLiteral(SETTINGS_PROGRAM));
    const std::optional<WindowId> window = FSession->WaitForWindow(Titles::Main, 30s);
    if (!window)
        Fail(QStringLiteral("no window \"Setup\" appeared"));
    FMainWindow = *window;
    std::optional<int> menuBar;
    const bool painted = E2eSession::WaitUntil(
        [&] {
            FMainGeometry = FSession->Geometry(FMainWindow);
            if (!FMainGeometry.Viewable)
                return false;
            menuBar = MenuBarHeight(FSession->Grab(), FMainGeometry.Client);
            return menuBar.has_value();
        },
        30s, 200ms);
    if (!painted)
        Fail(QStringLiteral("the main window was not painted with its menu bar"));
    FMenuBarHeight = *menuBar;
}

QPoint SettingsRun::ClientOrigin() const { return FMainGeometry.Client.topLeft() + QPoint(0, FMenuBarHeight); }

QPoint SettingsRun::BoardPlace() const
{
    return QPoint((FMainGeometry.Frame.width() - Board::PhotoSize.width()) / 2,
                  (FMainGeometry.Frame.height() - Board::PhotoSize.height()) / 2);
}

QPoint SettingsRun::PopupPlace(const OptionPanel& panel, QSize frame) const
{
    // The board image's place is in the main window's client coordinates; the popup takes the result as
    // a place on the screen.
    QPoint place = BoardPlace() + panel.DesignedPlace - Board::DesignedPlace;
    const QSize screen = E2eSession::ScreenSize();
    if (place.x() < 0)
        place.setX(0);
    else if (place.x() + frame.width() > screen.width())
        place.setX(screen.width() - frame.width());
    if (place.y() < 0)
        place.setY(0);
    else if (place.y() + frame.height() > screen.height())
        place.setY(screen.height() - frame.height());
    return place;
}

QSize SettingsRun::PopupClientSize(const OptionPanel& panel, QSize frameExtra)
{
    constexpr int memoHeight = 58;
    const QSize client(panel.Size.width(), panel.Size.height() + 32 + memoHeight + 19);
    const QSize outer = (client + frameExtra).expandedTo(QSize(194, 122));
    return outer - frameExtra;
}

std::optional<WindowId> SettingsRun::WaitForWindow(const QString& title) const
{
    return FSession->WaitForSettledWindow(title, kWindowTimeout);
}

bool SettingsRun::WaitForWindowGone(const QString& title) const
{
    return FSession->WaitForWindowGone(title, kWindowTimeout);
}

QStringList SettingsRun::ShownPopups() const
{
    QStringList shown;
    for (const OptionPanel* panel : Board::Walk) {
        if (FSession->FindWindow(panel->Caption))
            shown << panel->Caption;
    }
    return shown;
}

void SettingsRun::CloseWithCloseBox(const QString& title)
{
    const std::optional<WindowId> window = FSession->FindWindow(title);
    if (!window)
        Fail(QStringLiteral("no window \"%1\" to close").arg(title));
    // The close box is the last button at the right end of the title bar. (The window manager's Alt+F4
    // would do too, but the Alt key it presses and releases can wake the main window's menu bar.)
    const WindowGeometry geometry = FSession->Geometry(*window);
    FSession->ClickAt(QPoint(geometry.Frame.right() - 11, (geometry.Frame.top() + geometry.Client.top()) / 2));
    if (!WaitForWindowGone(title))
        Fail(QStringLiteral("the window \"%1\" stayed after its close box").arg(title));
}

void SettingsRun::DismissHelp()
{
    if (!WaitForWindow(Titles::Help))
        Fail(QStringLiteral("the help window did not open by itself"));
    CloseWithCloseBox(Titles::Help);
}

std::vector<QRect> SettingsRun::MenuTitleBoxes(const QImage& shot) const
{
    // The titles are the runs of columns with dark (text) pixels in the bar, apart by more than a blank.
    const int top = FMainGeometry.Client.top();
    std::vector<QRect> titles;
    int gap = 1000;
    for (int x = FMainGeometry.Client.left(); x <= FMainGeometry.Client.right(); ++x) {
        bool ink = false;
        for (int y = top + 2; y < top + FMenuBarHeight - 1 && !ink; ++y)
            ink = IsDark(shot.pixel(x, y));
        if (!ink) {
            ++gap;
            continue;
        }
        const QRect column(x, top, 1, FMenuBarHeight);
        if (gap > 6 || titles.empty())
            titles.push_back(column);
        else
            titles.back() |= column;
        gap = 0;
    }
    return titles;
}

std::optional<WindowGeometry> SettingsRun::OpenMenu(MenuTitle title)
{
    const std::vector<QRect> titles = MenuTitleBoxes(FSession->Grab());
    if (titles.size() != 3) {
        FSession->Screenshot(QStringLiteral("menu-bar"));
        Fail(QStringLiteral("the menu bar shows %1 titles, not File, Settings and Help").arg(titles.size()));
    }
    const std::vector<WindowId> before = FSession->ProgramWindows();
    FSession->ClickAt(titles[static_cast<size_t>(title)].center());
    return WaitForMenu(before);
}

std::optional<WindowGeometry> SettingsRun::WaitForMenu(const std::vector<WindowId>& before)
{
    // The drop-down is a new window of the program just below the bar. (Its window type tells it only
    // the first time it drops down.)
    FOpenMenu = FSession->WaitForNewWindow(before, kWindowTimeout);
    if (!FOpenMenu)
        return std::nullopt;
    const WindowGeometry menu = FSession->Geometry(*FOpenMenu);
    if (menu.Client.top() != ClientOrigin().y())
        Fail(QStringLiteral("the window that opened is not a menu below the bar"));
    return menu;
}

bool SettingsRun::WaitForMenuClosed()
{
    if (FOpenMenu && !E2eSession::WaitUntil([&] { return !FSession->IsViewable(*FOpenMenu); }, kWindowTimeout))
        return false;
    FOpenMenu.reset();
    return true;
}

void SettingsRun::ChooseMenuItem(MenuTitle title, int index, int count)
{
    const std::optional<WindowGeometry> menu = OpenMenu(title);
    if (!menu)
        Fail(QStringLiteral("a click on a menu title dropped down no menu"));
    FSession->ClickAt(MenuRow(menu->Client, index, count).center());
    if (!WaitForMenuClosed())
        Fail(QStringLiteral("the menu stayed open after choosing an item"));
}

void SettingsRun::CloseMenu()
{
    FSession->PressKeys(QStringLiteral("Escape"));
    if (!WaitForMenuClosed())
        Fail(QStringLiteral("the menu stayed open after Escape"));
}

std::vector<bool> SettingsRun::SettingsCheckMarks()
{
    constexpr int entries = 4;
    const std::optional<WindowGeometry> menu = OpenMenu(SettingsMenu);
    if (!menu)
        Fail(QStringLiteral("a click on Settings dropped down no menu"));
    // Let the menu paint its items before reading it: its last row shows text once it has.
    const QRect lastRow = MenuRow(menu->Client, entries - 1, entries);
    const E2eSession::Shot shot = FSession->ScreenshotWhen(
        QStringLiteral("settings-menu"),
        [&](const QImage& image) {
            for (int x = lastRow.left() + 26; x < lastRow.right() - 4; ++x) {
                for (int y = lastRow.top() + 2; y < lastRow.bottom() - 2; ++y) {
                    if (IsDark(image.pixel(x, y)))
                        return true;
                }
            }
            return false;
        },
        5s);
    // A check mark stands left of the captions, which begin some 28 pixels into the menu.
    std::vector<bool> checked;
    for (int i = 0; i < entries; ++i) {
        const QRect row = MenuRow(menu->Client, i, entries);
        int dark = 0;
        for (int y = row.top() + 2; y < row.bottom() - 1; ++y) {
            for (int x = row.left() + 4; x < row.left() + 26; ++x)
                dark += IsDark(shot.Image.pixel(x, y)) ? 1 : 0;
        }
        checked.push_back(dark >= 6);
    }
    CloseMenu();
    return checked;
}

void SettingsRun::PickFromDropDown(const QRect& comboOnScreen, int current, int index)
{
    const std::vector<WindowId> before = FSession->ProgramWindows();
    FSession->ClickAt(QPoint(comboOnScreen.right() - 8, comboOnScreen.center().y()));
    const std::optional<WindowId> list = FSession->WaitForNewWindow(before, kWindowTimeout);
    if (!list)
        Fail(QStringLiteral("a click on the combo box's arrow showed no list"));
    const QRect rows = FSession->Geometry(*list).Client;
    // The current item's row is drawn in the selection colour, a strong blue.
    const auto highlighted = [&](const QImage& image, int y) {
        const QRgb pixel = image.pixel(rows.left() + 4, y);
        return qBlue(pixel) > 150 && qRed(pixel) < 100;
    };
    QRect band;
    const E2eSession::Shot shot = FSession->ScreenshotWhen(
        QStringLiteral("drop-down"),
        [&](const QImage& image) {
            band = QRect();
            for (int y = rows.top(); y <= rows.bottom(); ++y) {
                if (highlighted(image, y))
                    band |= QRect(rows.left(), y, rows.width(), 1);
            }
            return band.height() >= 8;
        },
        5s);
    if (!shot.Matched)
        Fail(QStringLiteral("the list shows no highlighted current item"));
    const int rowHeight = band.height();
    FSession->ClickAt(QPoint(rows.left() + rows.width() / 3, band.top() + (index - current) * rowHeight + rowHeight / 2));
    if (!E2eSession::WaitUntil([&] { return !FSession->IsViewable(*list); }, kWindowTimeout))
        Fail(QStringLiteral("the list stayed open after the pick"));
}
