#include "components/RadioPanel.h"
#include "components/SettingWidgets.h"

#include "platform/FormReader.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

#include <memory>

namespace {
QStringList OwnPublishedProperties(const QMetaObject& meta)
{
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names.append(QString::fromLatin1(meta.property(i).name()));
    return names;
}

const QStringList InheritedPublished = {"Align",          "Anchors",   "Enabled", "Constraints", "ParentShowHint",
                                        "ShowHint",       "Visible",   "OnMouseDown", "OnMouseMove", "OnMouseUp"};

struct PublishedCase {
    const char* ClassName;
    const QMetaObject* Meta;
    QStringList Properties;
};

class PublishedProperties : public testing::TestWithParam<PublishedCase> {};

TEST_P(PublishedProperties, AreDeclaredInOrderAndTheClassIsRegistered)
{
    const PublishedCase& c = GetParam();
    EXPECT_EQ(OwnPublishedProperties(*c.Meta), c.Properties);
    TComponentFactory factory = FindComponentClass(QString::fromLatin1(c.ClassName));
    ASSERT_NE(factory, nullptr);
    std::unique_ptr<TComponent> component(factory(nullptr));
    EXPECT_STREQ(component->metaObject()->className(), c.ClassName);
}

INSTANTIATE_TEST_SUITE_P(
    Widgets, PublishedProperties,
    testing::Values(
        PublishedCase{"TTwoJumper", &TTwoJumper::staticMetaObject,
                      QStringList{"Closed", "BaseColor", "PinColor", "JumperColor", "Orientation", "BorderStyle",
                                  "OnClick"}
                          + InheritedPublished},
        PublishedCase{"TThreeJumper", &TThreeJumper::staticMetaObject,
                      QStringList{"JumperState", "BaseColor", "PinColor", "JumperColor", "Orientation",
                                  "BorderStyle", "AllowOpen"}
                          + InheritedPublished + QStringList{"OnClick"}},
        PublishedCase{"TBaseAddress", &TBaseAddress::staticMetaObject,
                      QStringList{"SwitchColor", "OnIsOne", "LeftToRight", "Orientation", "NumSwitches",
                                  "BaseAddressStr"}
                          + InheritedPublished}),
    [](const testing::TestParamInfo<PublishedCase>& info) { return std::string(info.param.ClassName); });

TEST(CreationDefaults, TwoJumper)
{
    TTwoJumper jumper(nullptr);
    EXPECT_EQ(jumper.Width(), 34);
    EXPECT_EQ(jumper.Height(), 18);
    EXPECT_EQ(jumper.Orientation(), otUp);
    EXPECT_FALSE(jumper.Closed());
    EXPECT_EQ(jumper.BaseColor(), 0x808080);
    EXPECT_EQ(jumper.PinColor(), 0x00FFFF);
    EXPECT_EQ(jumper.JumperColor(), 0x000080);
    EXPECT_EQ(jumper.BorderStyle(), bsSingle);
    EXPECT_FALSE(jumper.ControlStyle() & csDoubleClicks) << "every click counts";
}

TEST(CreationDefaults, ThreeJumper)
{
    TThreeJumper jumper(nullptr);
    EXPECT_EQ(jumper.Width(), 43);
    EXPECT_EQ(jumper.Height(), 18);
    EXPECT_EQ(jumper.Orientation(), otUp);
    EXPECT_EQ(jumper.JumperState(), jsOpen);
    EXPECT_TRUE(jumper.AllowOpen());
    EXPECT_EQ(jumper.BaseColor(), 0x808080);
    EXPECT_EQ(jumper.PinColor(), 0x00FFFF);
    EXPECT_EQ(jumper.JumperColor(), 0x000080);
    EXPECT_EQ(jumper.BorderStyle(), bsSingle);
    EXPECT_FALSE(jumper.ControlStyle() & csDoubleClicks);
}

TEST(CreationDefaults, BaseAddress)
{
    TBaseAddress block(nullptr);
    EXPECT_EQ(block.Width(), 102);
    EXPECT_EQ(block.Height(), 61);
    EXPECT_EQ(block.Orientation(), otUp);
    EXPECT_EQ(block.NumSwitches(), 7);
    EXPECT_EQ(block.SwitchColor(), 0xFFFFFF);
    EXPECT_FALSE(block.OnIsOne());
    EXPECT_FALSE(block.LeftToRight());
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("0"));
}

// A jumper knows only the two border styles; any other one draws as bsSingle.
TEST(JumperBorder, TakesOnlyNoneOrSingle)
{
    TTwoJumper jumper(nullptr);
    jumper.SetBorderStyle(bsNone);
    EXPECT_EQ(jumper.BorderStyle(), bsNone);
    jumper.SetBorderStyle(bsDialog);
    EXPECT_EQ(jumper.BorderStyle(), bsSingle);
}

// The board's widgets as a description stores them: NumSwitches before BaseAddressStr, so the address is
// masked with the stored number of switches; JumperState before AllowOpen.
TEST(WidgetDescription, IsReadInStoredOrder)
{
    auto form = std::make_unique<TForm>(nullptr);
    ReadComponentDescription(QStringLiteral("object Main: TForm\n"
                                            "  object BasePanel: TRadioPanel\n"
                                            "    object BaseBA: TBaseAddress\n"
                                            "      Width = 61\n"
                                            "      Height = 102\n"
                                            "      Orientation = otRight\n"
                                            "      NumSwitches = 6\n"
                                            "      BaseAddressStr = '208'\n"
                                            "    end\n"
                                            "    object BufferJumper: TThreeJumper\n"
                                            "      Width = 18\n"
                                            "      Height = 43\n"
                                            "      Orientation = otRight\n"
                                            "      AllowOpen = False\n"
                                            "    end\n"
                                            "    object IEnableJumper: TTwoJumper\n"
                                            "      Closed = True\n"
                                            "      BorderStyle = bsNone\n"
                                            "    end\n"
                                            "  end\n"
                                            "end\n"),
                              form.get());
    auto* block = qobject_cast<TBaseAddress*>(form->FindComponent(QStringLiteral("BaseBA")));
    auto* buffer = qobject_cast<TThreeJumper*>(form->FindComponent(QStringLiteral("BufferJumper")));
    auto* enable = qobject_cast<TTwoJumper*>(form->FindComponent(QStringLiteral("IEnableJumper")));
    ASSERT_TRUE(block && buffer && enable);
    EXPECT_EQ(block->BaseAddressStr(), QStringLiteral("200"));
    EXPECT_EQ(block->Orientation(), otRight);
    EXPECT_EQ(block->Width(), 61);
    EXPECT_EQ(buffer->JumperState(), jsLeft);
    EXPECT_TRUE(enable->Closed());
    EXPECT_EQ(enable->BorderStyle(), bsNone);
    EXPECT_STREQ(block->Parent()->metaObject()->className(), "TRadioPanel");
}
} // namespace
