// Draws every setting widget in all four orientations side by side on an option panel and saves the
// panel as a PNG, to look at: WidgetGallery <file.png> [scale].

#include "WidgetPainting.h"

#include "components/RadioPanel.h"
#include "components/SettingWidgets.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int ColumnWidth = 120;
constexpr int CaptionHeight = 18;

TPoint Place(TControl& control, TRadioPanel& panel, int column, int top)
{
    control.SetLeft(10 + column * ColumnWidth);
    control.SetTop(top);
    control.SetParent(&panel);
    return TPoint{control.Left(), control.Top()};
}

template <typename Widget>
Widget* AddWidget(TRadioPanel& panel, TOrientationType orientation, int column, int top, int uprightWidth,
                  int uprightHeight)
{
    auto* widget = new Widget(&panel);
    widget->SetOrientation(orientation);
    if (IsVerticalOrientation(orientation))
        widget->SetBounds(0, 0, uprightHeight, uprightWidth);
    else
        widget->SetBounds(0, 0, uprightWidth, uprightHeight);
    Place(*widget, panel, column, top);
    return widget;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: WidgetGallery <file.png> [scale]\n");
        return 2;
    }
    QApplication app(argc, argv);
    Application->Initialize();
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;

    TRadioPanel panel(nullptr);
    panel.SetBounds(0, 0, 10 + 4 * ColumnWidth, 240);
    const TOrientationType orientations[] = {otUp, otDown, otLeft, otRight};
    const char* names[] = {"otUp", "otDown", "otLeft", "otRight"};
    for (int column = 0; column < 4; ++column) {
        const TOrientationType orientation = orientations[column];
        auto* caption = new TLabel(&panel);
        caption->SetCaption(QString::fromLatin1(names[column]));
        Place(*caption, panel, column, 4);

        int top = CaptionHeight + 8;
        auto* open = AddWidget<TTwoJumper>(panel, orientation, column, top, 34, 18);
        auto* closed = AddWidget<TTwoJumper>(panel, orientation, column, top, 34, 18);
        closed->SetClosed(true);
        closed->SetLeft(open->Left() + 50);
        top += 34 + 12;
        auto* left = AddWidget<TThreeJumper>(panel, orientation, column, top, 43, 18);
        left->SetJumperState(jsLeft);
        auto* right = AddWidget<TThreeJumper>(panel, orientation, column, top, 43, 18);
        right->SetJumperState(jsRight);
        right->SetLeft(left->Left() + 50);
        top += 43 + 12;
        auto* block = AddWidget<TBaseAddress>(panel, orientation, column, top, 102, 61);
        block->SetNumSwitches(6);
        block->SetBaseAddressStr(QStringLiteral("2A0"));
    }

    const QImage surface = PaintSurface(panel);
    const QImage shown = scale == 1 ? surface : surface.scaled(surface.size() * scale, Qt::IgnoreAspectRatio,
                                                               Qt::FastTransformation);
    if (!shown.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
