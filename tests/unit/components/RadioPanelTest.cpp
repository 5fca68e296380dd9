#include "components/RadioPanel.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

namespace {
TEST(RadioPanel, StartsHiddenAt194By100WithoutBevel)
{
    TRadioPanel panel(nullptr);
    panel.SetName(QStringLiteral("BasePanel"));
    EXPECT_EQ(panel.Width(), 194);
    EXPECT_EQ(panel.Height(), 100);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(panel.BevelOuter(), bvNone);
    EXPECT_EQ(panel.BevelInner(), bvNone);
    EXPECT_EQ(panel.MemoHeight(), 58);
    EXPECT_FALSE(panel.RadioEnabled());
    EXPECT_EQ(panel.Lines()->Count(), 0);
    EXPECT_EQ(panel.Color(), clBtnFace);
    EXPECT_EQ(panel.Anchors(), AnchorsLeftTop());
    EXPECT_EQ(panel.FinalAnchors(), AnchorsLeftTop());
    EXPECT_FALSE(panel.InPopup());
    EXPECT_TRUE(panel.Caption().isEmpty()) << "the panel doesn't take its name as its caption";
}

TEST(RadioPanel, FinalAnchorsApplyOnlyOnceInThePopup)
{
    TRadioPanel panel(nullptr);
    panel.SetFinalAnchors(AnchorsAll());
    EXPECT_EQ(panel.Anchors(), AnchorsLeftTop()) << "not yet in its popup";
    EXPECT_EQ(panel.FinalAnchors(), AnchorsAll());
    panel.SetInPopup(true);
    EXPECT_EQ(panel.Anchors(), AnchorsLeftTop()) << "taking the panel in sets the anchors, not the flag";
    panel.SetFinalAnchors(TAnchors(akLeft) | akRight);
    EXPECT_EQ(panel.Anchors(), TAnchors(akLeft) | akRight);
    EXPECT_EQ(panel.FinalAnchors(), TAnchors(akLeft) | akRight);
}

TEST(RadioPanel, LinesAreACopy)
{
    TRadioPanel panel(nullptr);
    TStrings lines;
    lines.Add(QStringLiteral("Enter an address"));
    lines.Add(QStringLiteral("from 100 to 3F0."));
    panel.SetLines(&lines);
    lines.Clear();
    EXPECT_EQ(panel.Lines()->ToStringList(),
              QStringList({QStringLiteral("Enter an address"), QStringLiteral("from 100 to 3F0.")}));
}

TEST(RadioPanel, PublishesItsPropertiesInDeclarationOrder)
{
    const QMetaObject& meta = TRadioPanel::staticMetaObject;
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names.append(QString::fromLatin1(meta.property(i).name()));
    const QStringList expected = {
        "RadioEnabled",   "Lines",         "MemoHeight",   "Align",        "FinalAnchors",  "BevelInner",
        "BevelOuter",     "BevelWidth",    "BiDiMode",     "BorderWidth",  "BorderStyle",   "Color",
        "Constraints",    "Ctl3D",         "Enabled",      "FullRepaint",  "ParentBiDiMode", "ParentColor",
        "ParentCtl3D",    "ParentFont",    "ParentShowHint", "PopupMenu",  "ShowHint",      "TabOrder",
        "TabStop",        "Visible",       "OnRadioChange", "OnActivate",  "OnDeactivate",  "OnCanResize",
        "OnClick",        "OnConstrainedResize", "OnDblClick", "OnEnter",  "OnExit",        "OnMouseDown",
        "OnMouseMove",    "OnMouseUp",     "OnResize"};
    EXPECT_EQ(names, expected);
}
} // namespace
