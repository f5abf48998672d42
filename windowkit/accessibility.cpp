#include "windowkit/accessibility.h"

#include "windowkit/keyboard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QVariant>

namespace calibrix {
namespace {

// The role a widget asked for with exposeAsGraphic or hideFromScreenReaders.
constexpr const char* roleProperty = "calibrixAccessibleRole";
// Set on an option button whose Toggle action clicks it.
constexpr const char* optionProperty = "calibrixToggleByClick";
// The LinkControl of a link label.
constexpr const char* linkProperty = "calibrixLink";

/// A widget shown to assistive technology with another role than Qt gives its class.
class RoleAccessible : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (role() == QAccessible::Separator) {
            // Decoration: nothing to read and nothing to focus.
            state.invisible = true;
            state.focusable = false;
        }
        return state;
    }
};

/// An option button whose Toggle action clicks it, with the role, name and states Qt gives one.
class OptionAccessible final : public QAccessibleWidget {
public:
    explicit OptionAccessible(QAbstractButton* option)
        : QAccessibleWidget(option, QAccessible::RadioButton), option_(option) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && option_->accessibleName().isEmpty())
            return option_->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option_->isChecked();
        return state;
    }
    QStringList actionNames() const override { return {toggleAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction())
            option_->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* option_;
};

/// What a link label does with the keyboard; the label's interface finds it by a property.
class LinkControl final : public QObject {
public:
    LinkControl(QLabel& label, std::function<void()> open)
        : QObject(&label), label_(label), open_(std::move(open)) {
        label.setProperty(linkProperty, QVariant::fromValue<QObject*>(this));
        label.setFocusPolicy(Qt::TabFocus);
        label.installEventFilter(this);
    }

    void open() const { open_(); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (isPlainEnter(*key) || (isPlain(*key) && key->key() == Qt::Key_Space)) {
                if (!key->isAutoRepeat())
                    open_();
                return true;
            }
            break;
        }
        // A label draws no focus frame; underlining shows a keyboard user where the focus is.
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            QFont font = label_.font();
            font.setUnderline(event->type() == QEvent::FocusIn);
            label_.setFont(font);
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    QLabel& label_;
    std::function<void()> open_;
};

/// A link label as a screen reader sees it: role link, named by its text (the address), with
/// an action that opens it.
class LinkAccessible final : public QAccessibleWidget {
public:
    LinkAccessible(QLabel* label, const LinkControl& control)
        : QAccessibleWidget(label, QAccessible::Link), label_(label), control_(control) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && label_->accessibleName().isEmpty())
            return label_->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            control_.open();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QLabel* label_;
    const LinkControl& control_;
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (auto* link = label->property(linkProperty).value<QObject*>())
            return new LinkAccessible(label, *static_cast<const LinkControl*>(link));
    }
    if (auto* option = qobject_cast<QAbstractButton*>(widget);
        option != nullptr && option->property(optionProperty).toBool())
        return new OptionAccessible(option);
    const QVariant role = widget->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new RoleAccessible(widget, QAccessible::Role(role.toInt()));
}

// Our factory goes in once, before any interface it serves is asked for; an interface that Qt
// already made for the widget is dropped, so that the next question reaches the factory.
void serveFromFactory(QWidget& widget) {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    (void)installed;
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void setRole(QWidget& widget, QAccessible::Role role) {
    widget.setProperty(roleProperty, int(role));
    serveFromFactory(widget);
}

} // namespace

QString resultSpeech(const QString& meaning, const QString& shown) {
    const QString value = shown.trimmed();
    return QStringLiteral("%1, %2").arg(meaning, value.isEmpty() ? QStringLiteral("empty") : value);
}

QString plotDescription(int points, const QString& model) {
    if (points <= 0)
        return QStringLiteral("Nothing is plotted.");
    return QStringLiteral("%1 points and the fitted line %2").arg(points).arg(model);
}

SpokenResults::SpokenResults(std::vector<QLabel*> fields, QWidget& plot) : plot_(&plot) {
    for (QLabel* field : fields)
        fields_.push_back({field, field->accessibleName()});
}

// Qt announces every name it is given; only a changed one is news to a screen reader.
void SpokenResults::update(int points, const QString& model) const {
    for (const Field& field : fields_) {
        const QString speech = resultSpeech(field.meaning, field.label->text());
        if (speech != field.label->accessibleName())
            field.label->setAccessibleName(speech);
    }
    const QString description = plotDescription(points, model);
    if (description != plot_->accessibleDescription())
        plot_->setAccessibleDescription(description);
}

void exposeAsGraphic(QWidget& widget) {
    setRole(widget, QAccessible::Graphic);
}

void hideFromScreenReaders(QWidget& widget) {
    setRole(widget, QAccessible::Separator);
}

void toggleByClick(QAbstractButton& option) {
    option.setProperty(optionProperty, true);
    serveFromFactory(option);
}

void makeLink(QLabel& label, std::function<void()> open) {
    new LinkControl(label, std::move(open));
    serveFromFactory(label);
}

} // namespace calibrix
