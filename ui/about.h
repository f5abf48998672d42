#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QUrl;

namespace calibrix {

/// The About window's controls that its code uses, kept as its layout builds them.
struct AboutControls {
    QPushButton* clear = nullptr;
    QLabel* label4 = nullptr;
    std::array<QLabel*, 2> label5{};
};

/// The About window: name, version, purpose, acknowledgement, and the mail and web links.
/// Create it with `new About()`: it is modeless and unowned, OK hides it, and its close box
/// deletes it (hold it in a QPointer).
class About : public QWidget {
    Q_OBJECT

public:
    /// Builds the window, hidden and centred on the screen; runs Form_Load.
    explicit About(QWidget* parent = nullptr);

    /// How many times Form_Load has run in this process: once per created window.
    static int formLoadCount();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildControls();
    void connectHandlers();
    void Form_Load();

    void Clear_Click();
    void Label4_Click();
    void Label5_Click(int index);
    void openLink(const QUrl& url);

    AboutControls ui_;
};

} // namespace calibrix
