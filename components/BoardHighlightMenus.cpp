// The circles' entries in the main menu: one top-level menu per circle type, placed before "&Help", with
// one entry per circle title, and the walk through a type menu's entries with Previous and Next.

#include "components/BoardHighlight.h"

#include "components/PopupForm.h"

namespace {
struct TTypeMenu {
    QString Caption;
    QString NameWord;
    QStringList PlacedBefore;
};

const TTypeMenu& TypeMenuOf(THighlightType type)
{
    static const TTypeMenu options{QStringLiteral("&Options"), QStringLiteral("Options"), {QStringLiteral("&Help")}};
    static const TTypeMenu settings{QStringLiteral("&Settings"), QStringLiteral("Settings"),
                                    {QStringLiteral("&Calibration"), QStringLiteral("&Options"), QStringLiteral("&Help")}};
    static const TTypeMenu calibration{QStringLiteral("&Calibration"), QStringLiteral("Calibration"),
                                       {QStringLiteral("&Options"), QStringLiteral("&Help")}};
    switch (type) {
    case htOptions: return options;
    case htCalibration: return calibration;
    default: return settings;
    }
}

// The word followed by the smallest number from 1 up that the owner has no component of.
QString UniqueComponentName(const TComponent* owner, const QString& word)
{
    for (int number = 1;; ++number) {
        const QString name = word + QString::number(number);
        if (!owner || !owner->FindComponent(name))
            return name;
    }
}
} // namespace

void TBoardHighlight::RegisterMenuEntry()
{
    if (!FMenu)
        return;
    const TTypeMenu& type = TypeMenuOf(FHighlightType);
    TMenuItem* bar = FMenu->Items();
    TComponent* owner = FMenu->Owner();
    auto createEntry = [&](TMenuItem* typeMenu) {
        auto* entry = new TMenuItem(owner);
        entry->SetCaption(FTitle);
        // A title without letters gives no identifier; such an entry stays unnamed.
        if (!FEntryNameStem.isEmpty())
            entry->SetName(UniqueComponentName(owner, FEntryNameStem));
        entry->OnClick = TNotifyEvent(this, &TBoardHighlight::EntryClick);
        typeMenu->Add(entry);
    };
    const int count = bar->Count();
    for (int i = 0; i < count; ++i) {
        TMenuItem* typeMenu = bar->Items(i);
        if (typeMenu->Caption() != type.Caption)
            continue;
        for (int j = 0; j < typeMenu->Count(); ++j)
            if (typeMenu->Items(j)->Caption() == FTitle)
                return;
        if (FTitle.isEmpty())
            return;
        createEntry(typeMenu);
        return;
    }
    auto* typeMenu = new TMenuItem(owner);
    typeMenu->SetCaption(type.Caption);
    typeMenu->SetName(UniqueComponentName(owner, type.NameWord));
    int place = count;
    for (int i = 0; i < count; ++i) {
        if (type.PlacedBefore.contains(bar->Items(i)->Caption())) {
            place = i;
            break;
        }
    }
    bar->Insert(place, typeMenu);
    if (!FTitle.isEmpty())
        createEntry(typeMenu);
}

TMenuItem* TBoardHighlight::MenuEntry() const
{
    if (!FMenu)
        return nullptr;
    const QString& caption = TypeMenuOf(FHighlightType).Caption;
    TMenuItem* bar = FMenu->Items();
    for (int i = 0; i < bar->Count(); ++i) {
        TMenuItem* typeMenu = bar->Items(i);
        if (typeMenu->Caption() != caption)
            continue;
        for (int j = 0; j < typeMenu->Count(); ++j)
            if (typeMenu->Items(j)->Caption() == FTitle)
                return typeMenu->Items(j);
    }
    return nullptr;
}

void TBoardHighlight::CheckMenuEntry(bool checked)
{
    if (TMenuItem* entry = MenuEntry())
        entry->SetChecked(checked);
}

void TBoardHighlight::EntryClick(TObject* sender)
{
    auto* item = qstrcmp(sender ? sender->metaObject()->className() : "", "TMenuItem") == 0
                     ? static_cast<TMenuItem*>(sender)
                     : nullptr;
    if (item && item->Checked()) {
        if (FPopup) {
            ClosePopup();
            return;
        }
        // The popup that a linked circle built.
        for (TBoardHighlight* circle : LinkedCircles())
            if (circle->FPopup)
                circle->EntryClick(sender);
        return;
    }
    Perform(CM_MOUSEENTER, 0, 0);
    Pin();
    Perform(CM_MOUSELEAVE, 0, 0);
}

void TBoardHighlight::Walk(int step)
{
    TMenuItem* entry = MenuEntry();
    if (!entry)
        return;
    TMenuItem* typeMenu = entry->Parent();
    const int count = typeMenu->Count();
    TMenuItem* target = typeMenu->Items((typeMenu->IndexOf(entry) + step + count) % count);
    ClosePopup();
    // An item of the type menu that is no circle's entry has no click event; nothing opens then.
    if (target->OnClick)
        target->OnClick(this);
}

void TBoardHighlight::PreviousClick(TObject*)
{
    Walk(-1);
}

void TBoardHighlight::NextClick(TObject*)
{
    Walk(1);
}

void TBoardHighlight::HandOverMenuEntry()
{
    // An entry whose click event runs on this circle goes to a linked circle, or goes away with it, so
    // that choosing it never reaches a destroyed circle.
    if (!FMenu || FMenu->IsDestroying())
        return;
    TMenuItem* entry = MenuEntry();
    if (!entry || entry->OnClick.Data() != this || entry->IsDestroying())
        return;
    for (TBoardHighlight* circle : LinkedCircles()) {
        if (circle != this && !circle->IsDestroying()) {
            entry->OnClick = TNotifyEvent(circle, &TBoardHighlight::EntryClick);
            return;
        }
    }
    delete entry;
}
