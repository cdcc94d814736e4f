#include "platform_gui/WindowKeys.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace platform {

namespace {

// One per top-level window, its child, so it goes with the window.
class WindowKeyDispatcher : public QObject {
public:
    explicit WindowKeyDispatcher(QWidget* window) : QObject(window), window_(window)
    {
        window->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if ((old != nullptr && old->window() == window_) || (now != nullptr && now->window() == window_))
                UpdateActiveDefaults(window_);
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape)
            return Offer([&key](DialogKeyReceiver& receiver) { return receiver.DialogKey(key); });
        const QChar character = AcceleratorCandidate(key);
        if (character.isNull())
            return false;
        return Offer([character](DialogKeyReceiver& receiver) { return receiver.DialogChar(character); });
    }

private:
    QWidget* window_;

    // A character with Alt, or a bare character (the focused widget did not take it).
    static QChar AcceleratorCandidate(const QKeyEvent& key)
    {
        const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
        const bool alt = (modifiers & Qt::AltModifier) != 0;
        if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier)) != 0)
            return {};
        if (!key.text().isEmpty() && key.text().at(0).isPrint())
            return key.text().at(0);
        // With Alt some platforms give no text: the key code names the character.
        if (alt && key.key() >= Qt::Key_Space && key.key() <= Qt::Key_AsciiTilde)
            return QChar(key.key());
        return {};
    }

    template <typename Ask> bool Offer(Ask ask) const
    {
        // Depth first in creation order; controls of a child window answer to that window.
        for (QWidget* child : window_->findChildren<QWidget*>()) {
            auto* receiver = dynamic_cast<DialogKeyReceiver*>(child);
            if (receiver != nullptr && child->window() == window_ && ask(*receiver))
                return true;
        }
        return false;
    }
};

} // namespace

void UseWindowKeys(QWidget* control)
{
    QWidget* window = control->window();
    for (QObject* child : window->children())
        if (dynamic_cast<WindowKeyDispatcher*>(child) != nullptr)
            return;
    new WindowKeyDispatcher(window);
}

namespace {

// Depth first in creation order, as findChildren, but safe while the window deletes its children (a
// deleted focus widget changes the focus then, and the child list holds gaps).
template <typename Visit> void ForEachWidgetBelow(const QObject* parent, const Visit& visit)
{
    for (QObject* child : parent->children()) {
        if (child == nullptr)
            continue;
        if (auto* widget = qobject_cast<QWidget*>(child))
            visit(widget);
        ForEachWidgetBelow(child, visit);
    }
}

} // namespace

void UpdateActiveDefaults(QWidget* window)
{
    QWidget* focused = window->focusWidget();
    const bool buttonFocused = qobject_cast<QPushButton*>(focused) != nullptr;
    ForEachWidgetBelow(window, [&](QWidget* child) {
        auto* receiver = dynamic_cast<DefaultButtonReceiver*>(child);
        if (receiver != nullptr && child->window() == window)
            receiver->SetActiveDefault(buttonFocused ? child == focused : receiver->IsDefaultButton());
    });
}

QChar CaptionAccelerator(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1);
        ++i; // "&&" stands for "&"
    }
    return {};
}

bool IsAccelerator(QChar key, const QString& caption)
{
    const QChar accelerator = CaptionAccelerator(caption);
    return !accelerator.isNull() && accelerator.toUpper() == key.toUpper();
}

bool FocusedControlIsButton(const QWidget* control)
{
    const QWidget* focused = control->window()->focusWidget();
    if (focused == nullptr)
        return false;
    const QString name = QString::fromLatin1(focused->metaObject()->className()).toUpper();
    return name.contains(QLatin1String("BUTTON")) && !name.contains(QLatin1String("RADIOBUTTON"));
}

void EndModal(const QWidget* control, int modalResult)
{
    auto* dialog = qobject_cast<QDialog*>(control->window());
    if (modalResult != 0 && dialog != nullptr && dialog->isModal())
        dialog->done(modalResult);
}

} // namespace platform
