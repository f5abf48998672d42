#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace calibrix::test {

/// Answers every message box that opens while it lives, so that no test blocks on one: it
/// records the box's title and text and presses the chosen button.
class ModalAnswerer {
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { respond(); });
        timer_.start();
    }

    void setAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }
    const QStringList& titles() const { return titles_; }
    const QStringList& texts() const { return texts_; }
    qsizetype count() const { return texts_.size(); }
    void clear() {
        titles_.clear();
        texts_.clear();
    }

private:
    void respond() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        titles_ << box->windowTitle();
        texts_ << box->text();
        QAbstractButton* button = box->button(answer_);
        if (button == nullptr)
            button = box->buttons().value(0);
        button->click();
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QStringList titles_;
    QStringList texts_;
};

} // namespace calibrix::test
