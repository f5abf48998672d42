#include "windowkit/accessibility.h"

#include "windowkit/keyboard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>
#include <QVariant>

namespace calibrix {
namespace {

// The role a widget asked for with exposeAsGraphic or hideFromScreenReaders.
constexpr const char* roleProperty = "calibrixAccessibleRole";
// Set on an option button whose Toggle action clicks it.
constexpr const char* optionProperty = "calibrixToggleByClick";
// The LinkControl of a link label.
constexpr const char* linkProperty = "calibrixLink";
// Set on a line edit read with one attribute run over its whole text.
constexpr const char* wholeTextProperty = "calibrixWholeText";

/// Runs a screen reader's action once its call has returned, as Qt's own button interface
/// does: the action may open a message box, whose event loop would hold the screen reader's
/// call, and the screen reader with it, until the box is closed.
template <class Action> void afterTheCall(QObject* context, Action action) {
    QTimer::singleShot(0, context, std::move(action));
}

/// A widget shown to assistive technology with another role than Qt gives its class.
class RoleAccessible : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    // A label in another role (status bar, notification) is still named by what it shows.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(t);
    }

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
            afterTheCall(option_, [option = option_] { option->click(); });
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
            afterTheCall(label_, [&control = control_] { control.open(); });
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QLabel* label_;
    const LinkControl& control_;
};

/// A line edit that reports one text-attribute run over its whole text, so that a screen reader
/// reads the whole value. Otherwise it answers as Qt's own line edit does.
class WholeTextAccessible final : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
public:
    explicit WholeTextAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText), edit_(edit) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? edit_->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !edit_->isReadOnly();
        state.readOnly = edit_->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // The text interface.
    QString attributes(int offset, int* start, int* end) const override {
        (void)offset;
        *start = 0;
        *end = characterCount();
        return {};
    }
    QString text(int start, int end) const override {
        return edit_->text().mid(start, end - start);
    }
    int characterCount() const override { return int(edit_->text().size()); }
    int cursorPosition() const override { return edit_->cursorPosition(); }
    void setCursorPosition(int position) override { edit_->setCursorPosition(position); }
    int selectionCount() const override { return edit_->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && edit_->hasSelectedText()) {
            *start = edit_->selectionStart();
            *end = edit_->selectionEnd();
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            edit_->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            edit_->setSelection(start, end - start);
    }
    QRect characterRect(int offset) const override {
        const QRect text = edit_->rect().marginsRemoved(edit_->textMargins());
        const QFontMetrics metrics = edit_->fontMetrics();
        const QString shown = edit_->displayText();
        const int x = text.x() + metrics.horizontalAdvance(shown.left(offset));
        const int width = metrics.horizontalAdvance(shown.mid(offset, 1));
        return {edit_->mapToGlobal(QPoint(x, text.y())), QSize(width, text.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit_->cursorPositionAt(edit_->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        (void)end;
        edit_->setCursorPosition(start);
    }

    // The editable-text interface.
    // The edits recalculate, and a bad value opens its box: each runs after the call, in the
    // order the calls came.
    void deleteText(int start, int end) override {
        afterTheCall(edit_, [edit = edit_, start, end] {
            edit->setText(edit->text().remove(start, end - start));
        });
    }
    void insertText(int offset, const QString& text) override {
        afterTheCall(edit_, [edit = edit_, offset, text] {
            edit->setText(edit->text().insert(offset, text));
        });
    }
    void replaceText(int start, int end, const QString& text) override {
        afterTheCall(edit_, [edit = edit_, start, end, text] {
            edit->setText(edit->text().replace(start, end - start, text));
        });
    }

private:
    QLineEdit* edit_;
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
    if (auto* edit = qobject_cast<QLineEdit*>(widget);
        edit != nullptr && edit->property(wholeTextProperty).toBool())
        return new WholeTextAccessible(edit);
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

QString changedResults(const std::vector<HeardResult>& before,
                       const std::vector<HeardResult>& now) {
    QStringList changed;
    bool allBlank = true;
    for (std::size_t i = 0; i < now.size(); ++i) {
        const QString value = now[i].shown.trimmed();
        allBlank = allBlank && value.isEmpty();
        if (i >= before.size() || value != before[i].shown.trimmed())
            changed << now[i].meaning + u' ' + (value.isEmpty() ? QStringLiteral("empty") : value);
    }
    if (changed.isEmpty())
        return {};
    return allBlank ? QStringLiteral("results empty") : changed.join(QStringLiteral(", "));
}

QString allResults(const std::vector<HeardResult>& now) {
    return changedResults({}, now);
}

/// Paints a window at once after a user's action, then runs a function. A listening screen
/// reader queries the program over the accessibility bus while it reacts to the action, and Qt
/// delivers each query as a posted event ahead of its low-priority repaint request, so the
/// window is painted first, from an event posted above both. The function comes after the
/// paint, from an event posted below the repaint request, so that the results reach the screen
/// before the bus hears of them.
class AfterPaint final : public QObject {
public:
    AfterPaint(QWidget& window, std::function<void()> run)
        : window_(&window), run_(std::move(run)) {}

    void request() {
        if (pending_)
            return;
        pending_ = true;
        QCoreApplication::postEvent(this, new QEvent(paintNow), Qt::HighEventPriority);
        QCoreApplication::postEvent(this, new QEvent(runNow), Qt::LowEventPriority - 1);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == paintNow) {
            QCoreApplication::sendPostedEvents(window_, QEvent::UpdateRequest);
            return true;
        }
        if (event->type() == runNow) {
            pending_ = false;
            run_();
            return true;
        }
        return QObject::event(event);
    }

private:
    static constexpr QEvent::Type paintNow = QEvent::User;
    static constexpr QEvent::Type runNow = QEvent::Type(QEvent::User + 1);
    QWidget* window_;
    std::function<void()> run_;
    bool pending_ = false;
};

SpokenResults::SpokenResults(std::vector<QLabel*> fields, QWidget& plot, QWidget& window,
                             std::function<QString()> describePlot, std::function<bool()> listening)
    : plot_(&plot), statusBar_(new QLabel(&window)), notification_(new QLabel(&window)),
      describePlot_(std::move(describePlot)), listening_(std::move(listening)) {
    for (QLabel* field : fields)
        fields_.push_back({field, field->accessibleName()});
    // Heard, never seen: both have no size. The notification speaks each time it is shown.
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    notification_->setObjectName(QStringLiteral("Announcement"));
    for (QLabel* label : {statusBar_, notification_})
        label->setGeometry(0, 0, 0, 0);
    notification_->hide();
    setRole(*statusBar_, QAccessible::StatusBar);
    setRole(*notification_, QAccessible::Notification);
    afterPaint_ = std::make_unique<AfterPaint>(window, [this] { speak(); });
    QAccessible::installActivationObserver(this);
}

SpokenResults::~SpokenResults() {
    QAccessible::removeActivationObserver(this);
}

std::vector<HeardResult> SpokenResults::heard() const {
    std::vector<HeardResult> results;
    results.reserve(fields_.size());
    for (const Field& field : fields_)
        results.push_back({field.meaning, field.label->text()});
    return results;
}

// Qt announces every name it is given; only a changed one is news to a screen reader.
void SpokenResults::describe() {
    for (const Field& field : fields_) {
        const QString speech = resultSpeech(field.meaning, field.label->text());
        if (speech != field.label->accessibleName())
            field.label->setAccessibleName(speech);
    }
    const QString description = describePlot_();
    if (description != plot_->accessibleDescription())
        plot_->setAccessibleDescription(description);
}

void SpokenResults::update() {
    if (listening_())
        afterPaint_->request();
}

void SpokenResults::speak() {
    if (!listening_())
        return;
    describe();
    // Nothing told yet, as in a window opened while a screen reader listens: a blank field is
    // no news, and a first result is told alone, not with the blanks around it.
    if (announced_.empty())
        for (const Field& field : fields_)
            announced_.push_back({field.meaning, QString()});
    std::vector<HeardResult> now = heard();
    const QString news = changedResults(announced_, now);
    if (news.isEmpty())
        return;
    announced_ = std::move(now);
    statusBar_->setText(allResults(announced_));
    // Shown again, the notification is spoken by itself right after the key's echo.
    notification_->hide();
    notification_->setText(news);
    notification_->show();
}

void SpokenResults::accessibilityActiveChanged(bool active) {
    if (!active)
        return;
    describe();
    announced_ = heard();
    statusBar_->setText(allResults(announced_));
}

void exposeAsFrame(QWidget& window) {
    setRole(window, QAccessible::Window);
}

void exposeAsDialog(QWidget& window) {
    setRole(window, QAccessible::Dialog);
}

void readWholeText(QLineEdit& edit) {
    edit.setProperty(wholeTextProperty, true);
    serveFromFactory(edit);
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
