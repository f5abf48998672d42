#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

namespace calibrix::test {

/// One message box as the user met it, and the button the answerer pressed.
struct Box {
    QString title;
    QString text;
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool onTop = false;
    Qt::WindowModality modality = Qt::NonModal;
};

/// Answers every message box that opens while it lives, so that no test blocks on one: it
/// records the box and presses the chosen button, or the box's first one when it has no such
/// button.
class ModalAnswerer {
public:
    using Chooser = std::function<QMessageBox::StandardButton(const QMessageBox&)>;

    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok,
                           std::chrono::milliseconds interval = std::chrono::milliseconds(5))
        : choose_([answer](const QMessageBox&) { return answer; }) {
        timer_.setInterval(interval);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { respond(); });
        timer_.start();
    }

    void setAnswer(QMessageBox::StandardButton answer) {
        choose_ = [answer](const QMessageBox&) { return answer; };
    }
    /// Picks each answer from the box itself.
    void setChooser(Chooser choose) { choose_ = std::move(choose); }

    const std::vector<Box>& boxes() const { return boxes_; }
    QStringList titles() const {
        QStringList out;
        for (const Box& box : boxes_)
            out << box.title;
        return out;
    }
    QStringList texts() const {
        QStringList out;
        for (const Box& box : boxes_)
            out << box.text;
        return out;
    }
    qsizetype count() const { return qsizetype(boxes_.size()); }
    void clear() { boxes_.clear(); }

private:
    void respond() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        const QMessageBox::StandardButton answer = choose_(*box);
        boxes_.push_back({box->windowTitle(), box->text(), answer, box->standardButtons(),
                          box->standardButton(box->defaultButton()), box->icon(),
                          box->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                          box->windowModality()});
        QAbstractButton* button = box->button(answer);
        if (button == nullptr)
            button = box->buttons().value(0);
        button->click();
    }

    Chooser choose_;
    QTimer timer_;
    std::vector<Box> boxes_;
};

} // namespace calibrix::test
