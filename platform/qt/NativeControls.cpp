#include "platform/qt/QtWindow.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>

namespace {
void Notify(QtWindow* window, intptr_t code)
{
    TMessage message{CN_COMMAND, code, 0, 0};
    window->Send(message);
}

class ButtonHandleImpl : public WidgetHandle<ButtonHandle, QPushButton> {
public:
    explicit ButtonHandleImpl(MessageSink& sink) : WidgetHandle(sink, new QPushButton)
    {
        Typed()->setAutoDefault(false);
        QObject::connect(Typed(), &QPushButton::clicked, Typed(), [this] { Notify(this, BN_CLICKED); });
    }
    void SetCaption(const QString& caption) override { Typed()->setText(caption); }
    void SetDefault(bool isDefault) override { Typed()->setDefault(isDefault); }
    void SetColors(const QColor&, const QColor& text) override
    {
        QPalette palette = Typed()->palette();
        palette.setColor(QPalette::ButtonText, text);
        Typed()->setPalette(palette);
    }
};

class EditHandleImpl : public WidgetHandle<EditHandle, QLineEdit> {
public:
    explicit EditHandleImpl(MessageSink& sink) : WidgetHandle(sink, new QLineEdit)
    {
        QObject::connect(Typed(), &QLineEdit::textEdited, Typed(), [this] { Notify(this, EN_CHANGE); });
    }
    void SetText(const QString& text) override
    {
        if (Typed()->text() != text)
            Typed()->setText(text);
    }
    QString Text() const override { return Typed()->text(); }
    void SetReadOnly(bool readOnly) override { Typed()->setReadOnly(readOnly); }
};

class ComboBoxHandleImpl : public WidgetHandle<ComboBoxHandle, QComboBox> {
public:
    explicit ComboBoxHandleImpl(MessageSink& sink) : WidgetHandle(sink, new QComboBox)
    {
        // Typed text is the user's own: it is neither added to the list nor completed.
        Typed()->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(Typed(), &QComboBox::activated, Typed(), [this] { Notify(this, CBN_SELCHANGE); });
        SetEditable(true);
    }
    void SetEditable(bool editable) override
    {
        if (Typed()->isEditable() == editable && (!editable || Typed()->lineEdit()))
            return;
        Typed()->setEditable(editable);
        if (editable) {
            Typed()->setCompleter(nullptr);
            QObject::connect(Typed()->lineEdit(), &QLineEdit::textEdited, Typed(),
                             [this] { Notify(this, CBN_EDITCHANGE); });
        }
    }
    void SetItems(const QStringList& items) override
    {
        const QSignalBlocker blocker(Typed());
        Typed()->clear();
        Typed()->addItems(items);
    }
    void SetItemIndex(int index) override
    {
        const QSignalBlocker blocker(Typed());
        Typed()->setCurrentIndex(index);
        if (index < 0 && Typed()->isEditable())
            Typed()->setEditText(QString());
    }
    int ItemIndex() const override { return Typed()->currentIndex(); }
    void SetText(const QString& text) override
    {
        const QSignalBlocker blocker(Typed());
        if (Typed()->isEditable())
            Typed()->setEditText(text);
    }
    QString Text() const override { return Typed()->currentText(); }
};

class MemoHandleImpl : public WidgetHandle<MemoHandle, QPlainTextEdit> {
public:
    explicit MemoHandleImpl(MessageSink& sink) : WidgetHandle(sink, new QPlainTextEdit)
    {
        Typed()->setTabChangesFocus(true);
        QObject::connect(Typed(), &QPlainTextEdit::textChanged, Typed(), [this] {
            if (!FSetting)
                Notify(this, EN_CHANGE);
        });
    }
    void SetText(const QString& text) override
    {
        if (Typed()->toPlainText() == text)
            return;
        FSetting = true;
        Typed()->setPlainText(text);
        FSetting = false;
    }
    QString Text() const override { return Typed()->toPlainText(); }
    void SetReadOnly(bool readOnly) override { Typed()->setReadOnly(readOnly); }
    void SetScrollBars(bool horizontal, bool vertical) override
    {
        Typed()->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        Typed()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    void SetWordWrap(bool wrap) override
    {
        Typed()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }

private:
    bool FSetting = false;
};

// A rich-text box keeps Return to itself, so that Return in it doesn't press the window's default button.
class RichTextWidget : public QTextEdit {
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }
};

class RichEditHandleImpl : public WidgetHandle<RichEditHandle, RichTextWidget> {
public:
    explicit RichEditHandleImpl(MessageSink& sink) : WidgetHandle(sink, new RichTextWidget)
    {
        Typed()->setTabChangesFocus(true);
        Typed()->setAcceptRichText(true);
    }
    void SetDocument(const QTextDocument& document) override
    {
        QTextDocument* previous = FDocument;
        FDocument = document.clone(Typed());
        Typed()->setDocument(FDocument);
        delete previous;
    }
    void SetReadOnly(bool readOnly) override { Typed()->setReadOnly(readOnly); }
    void SetScrollBars(bool horizontal, bool vertical) override
    {
        Typed()->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        Typed()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    QString PlainText() const override { return Typed()->toPlainText(); }

private:
    QTextDocument* FDocument = nullptr;
};

class StatusBarHandleImpl : public WidgetHandle<StatusBarHandle, QStatusBar> {
public:
    explicit StatusBarHandleImpl(MessageSink& sink) : WidgetHandle(sink, new QStatusBar) {}
    void SetPanels(const std::vector<StatusPanelData>& panels) override
    {
        for (QLabel* label : FLabels) {
            Typed()->removeWidget(label);
            delete label;
        }
        FLabels.clear();
        for (size_t i = 0; i < panels.size(); ++i) {
            auto* label = new QLabel(panels[i].Text);
            label->setFrameStyle(panels[i].Bevelled ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
            const bool last = i + 1 == panels.size();
            if (!last && panels[i].Width > 0)
                label->setFixedWidth(panels[i].Width);
            Typed()->addWidget(label, last ? 1 : 0);
            FLabels.push_back(label);
        }
    }
    void SetColors(const QColor& background, const QColor&) override
    {
        QPalette palette = Typed()->palette();
        palette.setColor(QPalette::Window, background);
        Typed()->setPalette(palette);
    }

private:
    std::vector<QLabel*> FLabels;
};
} // namespace

std::unique_ptr<ButtonHandle> CreateButtonHandle(MessageSink& sink)
{
    return std::make_unique<ButtonHandleImpl>(sink);
}

std::unique_ptr<EditHandle> CreateEditHandle(MessageSink& sink)
{
    return std::make_unique<EditHandleImpl>(sink);
}

std::unique_ptr<ComboBoxHandle> CreateComboBoxHandle(MessageSink& sink)
{
    return std::make_unique<ComboBoxHandleImpl>(sink);
}

std::unique_ptr<MemoHandle> CreateMemoHandle(MessageSink& sink)
{
    return std::make_unique<MemoHandleImpl>(sink);
}

std::unique_ptr<RichEditHandle> CreateRichEditHandle(MessageSink& sink)
{
    return std::make_unique<RichEditHandleImpl>(sink);
}

std::unique_ptr<StatusBarHandle> CreateStatusBarHandle(MessageSink& sink)
{
    return std::make_unique<StatusBarHandleImpl>(sink);
}
