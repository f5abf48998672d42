#include "windowkit/keyboard.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace calibrix {
namespace {

class EnterClicks final : public QObject {
public:
    explicit EnterClicks(QAbstractButton& button) : QObject(&button), button_(button) {
        button.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!isPlainEnter(*key))
            return false;
        if (!key->isAutoRepeat())
            button_.click();
        return true;
    }

private:
    QAbstractButton& button_;
};

/// Keeps the group's one Tab stop on its checked option. Qt moves the stop to whichever option
/// takes the focus; once the focus has left the group the stop goes back to the checked one.
/// For Qt 6.4.2's focus chain (QWidget::focusNextPrevChild), which knows no radio groups.
class CheckedTabStop final : public QObject {
public:
    explicit CheckedTabStop(std::vector<QAbstractButton*> group)
        : QObject(group.front()), group_(std::move(group)) {
        for (QAbstractButton* option : group_) {
            option->installEventFilter(this);
            connect(option, &QAbstractButton::toggled, this, &CheckedTabStop::follow);
        }
        follow();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            follow();
        return false;
    }

private:
    void follow() const {
        // Within the group the focus stays where the user put it.
        for (const QAbstractButton* option : group_)
            if (option->hasFocus())
                return;
        for (QAbstractButton* option : group_) {
            const Qt::FocusPolicy policy = option->focusPolicy();
            option->setFocusPolicy(option->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                       : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    }

    std::vector<QAbstractButton*> group_;
};

} // namespace

bool isPlain(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isPlainEnter(const QKeyEvent& key) {
    return isPlain(key) && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

void pressOnEnter(QAbstractButton& button) {
    new EnterClicks(button);
}

void tabToCheckedOption(std::vector<QAbstractButton*> group) {
    if (!group.empty())
        new CheckedTabStop(std::move(group));
}

} // namespace calibrix
