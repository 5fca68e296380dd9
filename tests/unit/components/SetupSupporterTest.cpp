#include "SupporterFixture.h"

#include "platform/FormReader.h"
#include "platform/StdCtrls.h"

#include <QMetaClassInfo>
#include <QMetaProperty>

// A window whose handlers a supporter's events are bound to by name.
class TSupporterHost : public TForm {
    Q_OBJECT
public:
    explicit TSupporterHost(TComponent* owner) : TForm(owner) {}
    Q_INVOKABLE QString CardLine(TObject*, int32_t CardIndex) { return QStringLiteral("card %1").arg(CardIndex); }
    Q_INVOKABLE QString CalibLine(TObject*, uint8_t Channel, bool& ItsAllBad)
    {
        ItsAllBad = false;
        return QStringLiteral("channel %1").arg(Channel);
    }
    Q_INVOKABLE void Started(TObject*) { ++StartClicks; }
    int StartClicks = 0;
};

namespace {

// ----- Properties ------------------------------------------------------------------------------------------

struct PropertyCase {
    const char* Name = "";
    QVariant AtCreation;
    const char* DeclaredDefault = nullptr; // nullptr: none declared
    friend void PrintTo(const PropertyCase& c, std::ostream* out) { *out << c.Name; }
};

class SupporterProperty : public testing::TestWithParam<PropertyCase> {};

TEST_P(SupporterProperty, StartsAtItsCreationValueAndDeclaresItsDefault)
{
    const PropertyCase& c = GetParam();
    TSetupSupporter supporter(nullptr);
    const QMetaObject* meta = supporter.metaObject();
    const int index = meta->indexOfProperty(c.Name);
    ASSERT_GE(index, 0);
    EXPECT_EQ(meta->property(index).read(&supporter), c.AtCreation);
    const int info = meta->indexOfClassInfo((QByteArray("Default:") + c.Name).constData());
    if (c.DeclaredDefault) {
        ASSERT_GE(info, 0);
        EXPECT_STREQ(meta->classInfo(info).value(), c.DeclaredDefault);
    } else {
        EXPECT_LT(info, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(, SupporterProperty,
                         testing::Values(PropertyCase{"CompanyName", QString()}, PropertyCase{"CardNameA", QString()},
                                         PropertyCase{"CardNameB", QString()},
                                         PropertyCase{"UseCardNameB", false, "False"},
                                         PropertyCase{"CallHow", QString()}, PropertyCase{"MultiPort", false, "False"},
                                         PropertyCase{"Channels", QVariant::fromValue<uint8_t>(8), "8"},
                                         PropertyCase{"ChangeButtons", true, "False"},
                                         PropertyCase{"bSeries", true, "True"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SupporterProperties, PublishedInDeclarationOrder)
{
    const QStringList expected = {"CompanyName",   "CardNameA",         "CardNameB",        "UseCardNameB",
                                  "CallHow",       "MultiPort",         "Channels",         "ChangeButtons",
                                  "bSeries",       "OnBeginCalib",      "OnGetCardString",  "OnGetCalibString",
                                  "OnStopButtonClick", "OnStartButtonClick"};
    const QMetaObject& meta = TSetupSupporter::staticMetaObject;
    QStringList own;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        own.append(QString::fromLatin1(meta.property(i).name()));
    EXPECT_EQ(own, expected);
}

TEST(SupporterProperties, NothingIsBuiltAtCreation)
{
    TSetupSupporter supporter(nullptr);
    EXPECT_FALSE(supporter.HelpPending());
    EXPECT_FALSE(supporter.Calibrating());
    EXPECT_FALSE(supporter.TimerRunning());
    EXPECT_EQ(supporter.HeaderLabel(), nullptr);
    EXPECT_EQ(supporter.HelpForm(), nullptr);
    EXPECT_EQ(supporter.TechForm(), nullptr);
    EXPECT_EQ(supporter.PCIForm(), nullptr);
    EXPECT_TRUE(supporter.CalibEntries().empty());
}

// ----- Reading a description -------------------------------------------------------------------------------

TEST(SupporterDescription, StoredValuesAndEventsAreRead)
{
    TSupporterHost host(nullptr);
    ReadComponentDescription(QStringLiteral("object Host: TSupporterHost\n"
                                            "  object Sup: TSetupSupporter\n"
                                            "    CompanyName = 'Veltrona'\n"
                                            "    UseCardNameB = True\n"
                                            "    Channels = 4\n"
                                            "    bSeries = False\n"
                                            "    OnGetCardString = CardLine\n"
                                            "    OnGetCalibString = CalibLine\n"
                                            "    OnStartButtonClick = Started\n"
                                            "    Left = 48\n"
                                            "    Top = 8\n"
                                            "  end\n"
                                            "end\n"),
                             &host);
    auto* sup = qobject_cast<TSetupSupporter*>(host.FindComponent(QStringLiteral("Sup")));
    ASSERT_NE(sup, nullptr);
    EXPECT_EQ(sup->CompanyName(), "Veltrona");
    EXPECT_TRUE(sup->UseCardNameB());
    EXPECT_EQ(sup->Channels(), 4);
    EXPECT_FALSE(sup->bSeries());
    // Not stored, so as the constructor set it.
    EXPECT_TRUE(sup->ChangeButtons());
    EXPECT_EQ(sup->DesignLeft(), 48);

    ASSERT_TRUE(sup->OnGetCardString);
    EXPECT_EQ(sup->OnGetCardString(sup, 2), "card 2");
    ASSERT_TRUE(sup->OnGetCalibString);
    bool itsAllBad = true;
    EXPECT_EQ(sup->OnGetCalibString(sup, 7, itsAllBad), "channel 7");
    EXPECT_FALSE(itsAllBad);
    ASSERT_TRUE(sup->OnStartButtonClick);
    sup->OnStartButtonClick(sup);
    EXPECT_EQ(host.StartClicks, 1);
}

// ----- The idle hook and the help timer --------------------------------------------------------------------

using SupporterIdle = SupporterTest;

TEST_F(SupporterIdle, FirstIdleUnhooksBuildsOnceAndShowsHelpOnceAfterTheTimer)
{
    int idleCalls = 0;
    QElapsedTimer sinceBuild;
    // The handler unhooks itself, which destroys this wrapper: nothing may follow the call.
    Application->OnIdle = TIdleEvent(Sup, [&](TObject* sender, bool& done) {
        ++idleCalls;
        sinceBuild.start();
        Sup->ApplicationIdle(sender, done);
    }, 1);

    ASSERT_TRUE(RunUntil([&] { return Sup->Built(); }));
    EXPECT_EQ(idleCalls, 1);
    EXPECT_FALSE(Application->OnIdle);
    ASSERT_NE(Sup->HelpForm(), nullptr);
    EXPECT_TRUE(Sup->HelpPending());
    EXPECT_TRUE(Sup->TimerRunning());

    qint64 shownAfterMs = -1;
    int shown = 0;
    Sup->HelpForm()->OnShow = TNotifyEvent(Sup, [&](TObject*) {
        shownAfterMs = sinceBuild.elapsed();
        ++shown;
    }, 2);

    ASSERT_TRUE(RunUntil([&] { return Sup->HelpForm()->Visible(); }));
    // Not before the timer's first tick.
    EXPECT_GE(shownAfterMs, 90);
    EXPECT_FALSE(Sup->HelpPending());
    EXPECT_FALSE(Sup->TimerRunning());

    // Later idle moments and ticks show nothing again by themselves.
    Sup->HelpForm()->Hide();
    RunFor(350);
    EXPECT_FALSE(Sup->HelpForm()->Visible());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(idleCalls, 1);
    EXPECT_FALSE(Sup->TechForm()->Visible());
}

TEST_F(SupporterIdle, IdleFromAnotherSenderBuildsWithoutTouchingTheApplication)
{
    bool done = true;
    TComponent other(nullptr);
    const TIdleEvent hooked(Sup, &TSetupSupporter::ApplicationIdle);
    Application->OnIdle = hooked;

    Sup->ApplicationIdle(&other, done);

    EXPECT_TRUE(Sup->Built());
    EXPECT_TRUE(Application->OnIdle == hooked);
    EXPECT_TRUE(done);
}

TEST_F(SupporterIdle, BuildRunsOnce)
{
    Sup->BuildSupport();
    TLabel* header = Sup->HeaderLabel();
    THelpForm* help = Sup->HelpForm();

    Sup->BuildSupport();

    EXPECT_EQ(Sup->HeaderLabel(), header);
    EXPECT_EQ(Sup->HelpForm(), help);
}

TEST_F(SupporterIdle, FailingTimerIsReportedAndLeavesTheWindowsBuilt)
{
    THiddenWindow::SetTimersExhausted(true);
    AnswerBoxes(IDOK);
    Application->OnIdle = TIdleEvent(Sup, &TSetupSupporter::ApplicationIdle);

    ASSERT_TRUE(RunUntil([&] { return Sup->Built(); }));

    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Not enough timers available.");
    EXPECT_EQ(Boxes[0].Icon, TDialogIcon::Error);
    EXPECT_NE(Sup->HeaderLabel(), nullptr);
    EXPECT_NE(Sup->HelpForm(), nullptr);
    EXPECT_NE(Sup->TechForm(), nullptr);
    EXPECT_FALSE(Sup->TimerRunning());
    RunFor(250);
    EXPECT_FALSE(Sup->HelpForm()->Visible());
}

TEST_F(SupporterIdle, UpdateTimerRaisesOutOfResources)
{
    Sup->SetCalibrating(true);
    THiddenWindow::SetTimersExhausted(true);
    try {
        Sup->UpdateTimer();
        FAIL() << "no exception";
    } catch (const EOutOfResources& error) {
        EXPECT_EQ(error.Message(), "Not enough timers available");
    }
    EXPECT_FALSE(Sup->TimerRunning());
}

TEST_F(SupporterIdle, DesigningSupporterBuildsNothing)
{
    Sup->SetDesigning(true);
    Sup->BuildSupport();
    EXPECT_FALSE(Sup->Built());
    EXPECT_EQ(Sup->HeaderLabel(), nullptr);
    EXPECT_FALSE(Sup->HelpPending());
}

// ----- Header line -----------------------------------------------------------------------------------------

TEST_F(SupporterIdle, HeaderLineAcrossTheTopOfTheMainWindow)
{
    Sup->BuildSupport();

    TLabel* header = Sup->HeaderLabel();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Name(), "HeaderLabel");
    EXPECT_EQ(header->Owner(), Main);
    EXPECT_EQ(header->Parent(), Main);
    EXPECT_EQ(header->Align(), alTop);
    EXPECT_EQ(header->Alignment(), taCenter);
    EXPECT_EQ(header->Font()->Name(), "Tahoma");
    EXPECT_EQ(header->Font()->Size(), 18);
    EXPECT_EQ(header->Font()->Style(), TFontStyles(fsBold));
    EXPECT_EQ(header->Font()->Color(), clBlack);
    EXPECT_EQ(header->Caption(), "QRT-72(S) Series Settings Program");
    EXPECT_EQ(BoxOf(header).Top, 0);
    EXPECT_EQ(header->Width(), Main->ClientWidth());
    // Without a card-string event nothing is listed and the File menu stays as described.
    EXPECT_EQ(Sup->PCIForm(), nullptr);
    EXPECT_EQ(File->Count(), 1);
}

TEST_F(SupporterIdle, HeaderWithoutSeriesAndWithTheOtherName)
{
    Sup->SetbSeries(false);
    Sup->SetUseCardNameB(true);
    Sup->BuildSupport();
    EXPECT_EQ(Sup->HeaderLabel()->Caption(), "MXR72S/BT-K Settings Program");
    // The name was taken when the build ran.
    Sup->SetCardNameB(QStringLiteral("Other"));
    EXPECT_EQ(Sup->HeaderLabel()->Caption(), "MXR72S/BT-K Settings Program");
}

// ----- Calibration -----------------------------------------------------------------------------------------

// A calibration screen: two entries, each a result list with a line per channel, a button and a note
// that a pass hides.
class SupporterCalibration : public SupporterTest {
protected:
    void SetUp() override
    {
        SupporterTest::SetUp();
        CalibWindow = std::make_unique<TForm>(nullptr);
        for (int i = 0; i < 2; ++i) {
            Entry& entry = Entries[i];
            entry.Results = new TMemo(CalibWindow.get());
            entry.Results->SetParent(CalibWindow.get());
            entry.Results->Lines()->SetStrings(QStringList(8, QString()));
            entry.Button = new TButton(CalibWindow.get());
            entry.Button->SetParent(CalibWindow.get());
            entry.Button->SetCaption(QStringLiteral("Stop"));
            entry.Button->OnClick = TNotifyEvent(CalibWindow.get(), [](TObject*) {}, 7);
            entry.Note = new TLabel(CalibWindow.get());
            entry.Note->SetParent(CalibWindow.get());
            Sup->AddCalibEntry(entry.Results, entry.Button, entry.Note);
        }
        Sup->OnStartButtonClick = TNotifyEvent(Sup, [this](TObject*) { ++StartClicks; }, 8);
    }

    void TearDown() override
    {
        CalibWindow.reset();
        SupporterTest::TearDown();
    }

    // Channel 3 reads sensibly when `goodChannel` is 3; every call is recorded with the flag it saw.
    void ReadChannels(int goodChannel)
    {
        Sup->OnGetCalibString = TCalibEvent(Sup, [this, goodChannel](TObject* sender, uint8_t channel, bool& itsAllBad) {
            EXPECT_EQ(sender, Sup);
            Reads.push_back({channel, itsAllBad});
            if (channel == goodChannel)
                itsAllBad = false;
            return QStringLiteral("%1 mV").arg(channel * 10);
        }, 9);
    }

    void ExpectResetToStart(bool reset)
    {
        for (const Entry& entry : Entries) {
            EXPECT_EQ(entry.Button->Caption(), reset ? "Start" : "Stop");
            EXPECT_EQ(entry.Button->OnClick == Sup->OnStartButtonClick, reset);
        }
    }

    struct Entry {
        TMemo* Results = nullptr;
        TButton* Button = nullptr;
        TLabel* Note = nullptr;
    };
    struct Read {
        int Channel = 0;
        bool FlagBefore = false;
    };
    std::unique_ptr<TForm> CalibWindow;
    Entry Entries[2];
    std::vector<Read> Reads;
    int StartClicks = 0;
};

TEST_F(SupporterCalibration, OneGoodChannelIsEnoughAndPassesGoOn)
{
    ReadChannels(3);
    AnswerBoxes(IDCANCEL);
    Sup->SetCalibrating(true);
    EXPECT_TRUE(Sup->TimerRunning());

    Sup->TimerTick();

    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Sup->Calibrating());
    EXPECT_TRUE(Sup->TimerRunning());
    ASSERT_EQ(Reads.size(), 8u);
    for (int channel = 0; channel < 8; ++channel) {
        EXPECT_EQ(Reads[channel].Channel, channel);
        // Nothing sets the flag back once a channel cleared it.
        EXPECT_EQ(Reads[channel].FlagBefore, channel <= 3) << channel;
    }
    for (const Entry& entry : Entries) {
        ASSERT_EQ(entry.Results->Lines()->Count(), 8);
        for (int channel = 0; channel < 8; ++channel)
            EXPECT_EQ(entry.Results->Lines()->Strings(channel),
                      QStringLiteral("Channel %1\t%2 mV").arg(channel).arg(channel * 10));
        EXPECT_FALSE(entry.Note->Visible());
    }
    EXPECT_EQ(Entries[0].Results->Lines()->Strings(3), "Channel 3\t30 mV");

    // The timer brings the next pass.
    ASSERT_TRUE(RunUntil([&] { return Reads.size() >= 16; }));
    EXPECT_TRUE(Boxes.empty());
    Sup->SetCalibrating(false);
    EXPECT_FALSE(Sup->TimerRunning());
}

TEST_F(SupporterCalibration, BeginEventStartsEveryPass)
{
    int begun = 0;
    ReadChannels(0);
    Sup->SetOnBeginCalib(TNotifyEvent(Sup, [&](TObject* sender) {
        EXPECT_EQ(sender, Sup);
        EXPECT_TRUE(Reads.empty() || Reads.size() % 8 == 0);
        ++begun;
    }, 10));
    Sup->TimerTick();
    Sup->TimerTick();
    EXPECT_EQ(begun, 2);
    EXPECT_EQ(Reads.size(), 16u);
}

TEST_F(SupporterCalibration, AllBadAsksWithTimerStoppedRetryGoesOnCancelResets)
{
    ReadChannels(-1);
    bool timerRanDuringBox = false;
    int answer = IDRETRY;
    SetDialogHandler([&](const TDialogRequest& request) {
        Boxes.push_back(request);
        timerRanDuringBox = timerRanDuringBox || Sup->TimerRunning() || Sup->Calibrating();
        return answer;
    });
    Sup->SetCalibrating(true);

    Sup->TimerTick();

    ASSERT_EQ(Boxes.size(), 1u);
    const TDialogRequest& box = Boxes[0];
    EXPECT_EQ(box.Caption, "Total A/D failure");
    EXPECT_EQ(box.Text, "Total A/D failure. The card may not be installed, or it may be installed at a different "
                        "base address.");
    ASSERT_EQ(box.Buttons.size(), 2u);
    EXPECT_EQ(box.Buttons[0].Result, IDRETRY);
    EXPECT_EQ(box.Buttons[1].Result, IDCANCEL);
    EXPECT_EQ(box.DefaultButton, 1);
    EXPECT_EQ(box.Icon, TDialogIcon::Warning);
    EXPECT_TRUE(box.Topmost);
    EXPECT_FALSE(timerRanDuringBox);
    // Retry: passes go on with the next tick.
    EXPECT_TRUE(Sup->Calibrating());
    EXPECT_TRUE(Sup->TimerRunning());
    ExpectResetToStart(false);

    answer = IDCANCEL;
    Sup->TimerTick();

    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_FALSE(timerRanDuringBox);
    EXPECT_FALSE(Sup->Calibrating());
    EXPECT_FALSE(Sup->TimerRunning());
    ExpectResetToStart(true);
    Entries[0].Button->Click();
    EXPECT_EQ(StartClicks, 1);
}

TEST_F(SupporterCalibration, MissingChannelEventShowsTheErrorAndResets)
{
    int begun = 0;
    Sup->SetOnBeginCalib(TNotifyEvent(Sup, [&](TObject*) { ++begun; }, 11));
    bool timerRanDuringBox = false;
    SetDialogHandler([&](const TDialogRequest& request) {
        Boxes.push_back(request);
        timerRanDuringBox = Sup->TimerRunning() || Sup->Calibrating();
        return IDOK;
    });
    Sup->SetCalibrating(true);

    Sup->TimerTick();

    EXPECT_EQ(begun, 1);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "OnGetCalibString Not Assigned");
    EXPECT_EQ(Boxes[0].Text, "Error: calibration begun, but OnGetCalibString isn't assigned.");
    ASSERT_EQ(Boxes[0].Buttons.size(), 1u);
    EXPECT_EQ(Boxes[0].Buttons[0].Result, IDOK);
    EXPECT_EQ(Boxes[0].Icon, TDialogIcon::Warning);
    EXPECT_TRUE(Boxes[0].Topmost);
    EXPECT_FALSE(timerRanDuringBox);
    EXPECT_FALSE(Sup->Calibrating());
    ExpectResetToStart(true);
    // Nothing else ran in that pass.
    EXPECT_TRUE(Entries[0].Note->Visible());
    EXPECT_EQ(Entries[0].Results->Lines()->Strings(0), "");
}

TEST_F(SupporterCalibration, WithoutChangeButtonsResetOnlyStops)
{
    Sup->SetChangeButtons(false);
    Sup->SetCalibrating(true);

    Sup->ResetCalibration();

    EXPECT_FALSE(Sup->Calibrating());
    EXPECT_FALSE(Sup->TimerRunning());
    ExpectResetToStart(false);
}

TEST_F(SupporterCalibration, DestroyedControlsAreLeftOut)
{
    ReadChannels(3);
    delete Entries[0].Results;
    delete Entries[0].Note;
    delete Entries[0].Button;
    Sup->TimerTick();
    Sup->ResetCalibration();
    EXPECT_EQ(Entries[1].Results->Lines()->Strings(7), "Channel 7\t70 mV");
    EXPECT_EQ(Entries[1].Button->Caption(), "Start");
}

TEST_F(SupporterCalibration, ShortResultListEndsThePassWithOneErrorAtATime)
{
    ReadChannels(3);
    Entries[1].Results->SetText(QStringLiteral("a\r\nb\r\nc\r\nd"));
    bool timerRanDuringBox = false;
    SetDialogHandler([&](const TDialogRequest& request) {
        Boxes.push_back(request);
        timerRanDuringBox = timerRanDuringBox || Sup->TimerRunning();
        return IDOK;
    });
    Sup->SetCalibrating(true);

    TMessage tick{WM_TIMER, 1, 0, 0};
    Sup->TimerWndProc(tick);

    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "List index out of bounds (4).");
    EXPECT_FALSE(timerRanDuringBox);
    EXPECT_EQ(Reads.size(), 5u);
    EXPECT_EQ(Entries[1].Results->Lines()->Count(), 4);
    // The pass ended; calibration itself goes on.
    EXPECT_TRUE(Sup->Calibrating());
    EXPECT_TRUE(Sup->TimerRunning());
}

TEST_F(SupporterCalibration, OtherMessagesGoToTheDefaultProcedure)
{
    ReadChannels(3);
    TMessage message{WM_USER, 0, 0, 42};
    Sup->TimerWndProc(message);
    EXPECT_EQ(message.Result, 0);
    EXPECT_TRUE(Reads.empty());
}

} // namespace

#include "SetupSupporterTest.moc"
