// The form reader on any text: it either builds the tree the text describes or raises EReadError, and a
// read that fails halfway leaves the root without any component of the text, with no reference to one,
// and no longer loading. The root is the main window when the text describes one (samples of the
// program's own description), otherwise a small window with a few published fields and handlers.

#include "FuzzPlatform.h"

#include "app/Template.h"
#include "platform/ExtCtrls.h"
#include "platform/FormReader.h"
#include "platform/StdCtrls.h"

#include <QMetaProperty>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

class TReaderRoot : public TForm {
    Q_OBJECT
    Q_PROPERTY(TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(TMainMenu* MainMenu1 MEMBER MainMenu1)

public:
    explicit TReaderRoot(TComponent* owner) : TForm(owner) {}

    Q_INVOKABLE void Clicked(TObject*) {}
    Q_INVOKABLE void Closing(TObject*, TCloseAction&) {}

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
};
REGISTER_COMPONENT_CLASS(TReaderRoot);

namespace {

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "Form reader: %s\n", what);
    std::abort();
}

bool IsComponentReference(const QMetaProperty& property)
{
    const QMetaType type = property.metaType();
    return type.flags().testFlag(QMetaType::PointerToQObject) && type.metaObject()
           && type.metaObject()->inherits(&TComponent::staticMetaObject);
}

void CheckDiscarded(TForm& root)
{
    if (root.ComponentCount() != 0)
        Broken("a failed read left components in the root");
    if (root.IsLoading())
        Broken("a failed read left the root loading");
    if (root.ControlCount() != 0)
        Broken("a failed read left controls in the root");
    const QMetaObject* meta = root.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (IsComponentReference(property) && property.read(&root).value<QObject*>())
            Broken("a failed read left the root referring to a component");
    }
}

void CheckLoaded(const TForm& root)
{
    if (root.IsLoading())
        Broken("the root is still loading after a complete read");
    for (int i = 0; i < root.ComponentCount(); ++i)
        if (root.Components(i)->IsLoading())
            Broken("a component is still loading after a complete read");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsurePlatform();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TDescriptionNode tree;
    try {
        tree = ParseDescription(text);
    } catch (const EReadError&) {
        return 0;
    }
    std::unique_ptr<TForm> root;
    if (tree.ClassName == QLatin1String("TMainForm"))
        root = std::make_unique<TMainForm>(nullptr);
    else
        root = std::make_unique<TReaderRoot>(nullptr);
    try {
        ReadComponentDescription(tree, root.get());
    } catch (const EReadError&) {
        CheckDiscarded(*root);
        return 0;
    }
    CheckLoaded(*root);
    return 0;
}

#include "FormReaderFuzz.moc"
