#include "ui/about.h"

#include "windowkit/accessibility.h"
#include "windowkit/controltable.h"
#include "windowkit/linkopener.h"
#include "windowkit/messagebox.h"
#include "windowkit/windowplacement.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

namespace calibrix {

namespace {

// The links. Label4 shows the mail address after "Author: ", Label5(0) shows the web link.
constexpr const char* mailLink = "mailto:calibrix@example.org";
constexpr const char* webLink = "http://www.example.org/simulations/simu_chem.html";

constexpr const char* author = "Author: calibrix@example.org";
constexpr const char* version = "Version " CALIBRIX_VERSION;
// A screen reader opening the window reads only texts of three words or more: the version
// names the program too.
constexpr const char* spokenVersion = "Calibrix version " CALIBRIX_VERSION;
constexpr const char* rights = "Copyright © 2026 The Calibrix developers";
constexpr const char* purpose =
    "This program calculates parameters of calibration curve for chemical analysis";
constexpr const char* ackTitle = "Acknowledgement";
constexpr const char* thanks =
    "With thanks to the analytical chemists who tried this program on the calibration data of "
    "their own laboratories, and whose questions and remarks shaped the statistics it shows.";
constexpr const char* findMore = "Find more chemical programs here:";

using namespace colors;

const WindowDesign aboutWindow{"About", " About", 560, 328, ControlFont::Medium, grey, black};

constexpr Picture okPicture{"ok", 76, 36};
constexpr Picture portrait{"portrait", 110, 111};

using enum ControlKind;
using enum ControlFont;
using enum TextFit;
constexpr auto F1 = Container::Frame1;
constexpr auto F2 = Container::Frame2;

using Row = ControlRow<AboutControls>;

// One row a control, in tab order, then where the window keeps it. Label4 keeps the design right
// edge: at the design left edge our longer address would run into the frame's border.
// clang-format off
constexpr Row aboutLayout[] = {
    {{.name = "Frame1", .kind = Frame,
      .left = 120, .top = 120, .width = 8175, .height = 2175,
      .text = "",
      .font = Small, .back = grey, .fore = black, .tab = 0, .accessible = "Name and version",
      .opens = F1}},
    {{.name = "Label1", .kind = Label, .in = F1,
      .left = 2985, .top = 360, .width = 3885, .height = 555,
      .text = "Calibrix",
      .font = Title, .back = grey, .fore = blue, .tab = 1, .fit = Center}},
    {{.name = "Label2", .first = 0, .last = 0, .kind = Label, .in = F1,
      .left = 4440, .top = 1080, .width = 1005, .height = 240,
      .text = version,
      .font = Medium, .back = grey, .fore = black, .tab = 2, .accessible = spokenVersion,
      .fit = Center}},
    {{.name = "Label2", .first = 1, .last = 1, .kind = Label, .in = F1,
      .left = 2640, .top = 1680, .width = 4455, .height = 240,
      .text = rights,
      .font = Medium, .back = grey, .fore = black, .tab = 3, .fit = Center}},
    {{.name = "Label2", .first = 2, .last = 2, .kind = Label,
      .left = 360, .top = 2520, .width = 7710, .height = 240,
      .text = purpose,
      .font = Medium, .back = grey, .fore = black, .tab = 4, .fit = Height}},
    {{.name = "Clear", .kind = Button,
      .left = 6600, .top = 4320, .width = 1695, .height = 495,
      .picture = okPicture,
      .font = Medium, .back = grey, .fore = black, .tab = 5, .accessible = "OK"},
     kept<&AboutControls::clear>},
    {{.name = "Frame2", .kind = Frame,
      .left = 120, .top = 2880, .width = 8175, .height = 1335,
      .text = ackTitle,
      .font = Medium, .back = grey, .fore = blue, .tab = 6, .opens = F2}},
    {{.name = "Label3", .kind = Label, .in = F2,
      .left = 240, .top = 360, .width = 7695, .height = 735,
      .text = thanks,
      .font = Medium, .back = grey, .fore = black, .tab = 7, .fit = WrapCentered}},
    {{.name = "Label4", .kind = Label, .in = F2,
      .left = 6000, .top = 1080, .width = 1950, .height = 195,
      .text = author,
      .font = Small, .back = grey, .fore = blue, .tab = 8, .fit = Right},
     kept<&AboutControls::label4>},
    {{.name = "Picture2", .kind = Picture, .in = F1,
      .left = 360, .top = 360, .width = 1710, .height = 1725,
      .picture = portrait, .toolTip = "Author",
      .font = Medium, .back = grey, .fore = black, .tab = 9,
      .accessible = "Portrait of the author"}},
    {{.name = "Label5", .first = 0, .last = 0, .kind = Label,
      .left = 1080, .top = 4560, .width = 4200, .height = 240,
      .text = webLink,
      .font = Medium, .back = grey, .fore = blue, .tab = 10, .fit = Left},
     kept<&AboutControls::label5>},
    {{.name = "Label5", .first = 1, .last = 1, .kind = Label,
      .left = 1560, .top = 4320, .width = 3165, .height = 240,
      .text = findMore,
      .font = Medium, .back = grey, .fore = black, .tab = 11, .fit = Left},
     kept<&AboutControls::label5>},
};
// clang-format on

constexpr bool wholePixels() {
    for (const Row& row : aboutLayout)
        for (int t : {row.control.left, row.control.top, row.control.width, row.control.height})
            if (t % 15 != 0)
                return false;
    return true;
}
static_assert(wholePixels(), "every design rectangle lies on whole pixels");

int formLoads = 0;

} // namespace

About::About(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    buildWindow();
    buildControls();
    connectHandlers();
    Form_Load();
}

int About::formLoadCount() {
    return formLoads;
}

void About::buildWindow() {
    applyWindow(*this, aboutWindow);
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // The About window never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void About::buildControls() {
    calibrix::buildControls(*this, std::span<const Row>(aboutLayout), ui_);
    // Enter presses OK while it has the focus; outside a dialog Qt needs to be told.
    ui_.clear->setAutoDefault(true);
    ui_.label5[0]->setCursor(Qt::PointingHandCursor);
    // OK is the first control in tab order that takes the focus, so a new window starts there.
    ui_.clear->setFocus();
}

void About::connectHandlers() {
    connect(ui_.clear, &QPushButton::clicked, this, &About::Clear_Click);
    ui_.label4->installEventFilter(this);
    for (QLabel* label : ui_.label5)
        label->installEventFilter(this);
    // Keyboard and screen-reader users reach the two addresses too.
    makeLink(*ui_.label4, [this] { Label4_Click(); });
    makeLink(*ui_.label5[0], [this] { Label5_Click(0); });
    // Escape leaves the window as OK does, as it leaves any dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &About::Clear_Click);
    exposeAsDialog(*this);
}

// Qt lays out in device-independent pixels, so the design's pixel layout holds at any dpi and
// the window only needs its client size and its place in the middle of the screen.
void About::Form_Load() {
    ++formLoads;
    setFixedSize(aboutWindow.width, aboutWindow.height);
    centreOnScreen(this);
}

void About::Clear_Click() {
    hide();
}

void About::Label4_Click() {
    openLink(QUrl(QString::fromLatin1(mailLink)));
}

// Both captions open the web page; the index is not needed.
void About::Label5_Click(int) {
    openLink(QUrl(QString::fromLatin1(webLink)));
}

// A desktop that cannot open the link (no xdg-open, or no mail program or browser behind it)
// must not fail silently: the user gets the address to open by hand. The window stays usable
// while the opener runs.
void About::openLink(const QUrl& url) {
    const QString address = url.scheme() == QLatin1String("mailto") ? url.path() : url.toString();
    calibrix::openLink(url, this, [this, address] {
        auto* box = new QMessageBox(this);
        prepareMessageBox(
            *box, QStringLiteral("link not opened"),
            QStringLiteral("No program could open the link. Please open it by hand:\n\n") +
                address);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse);
        box->show();
    });
}

// The link labels act on a click: a left-button press, then its release inside the label.
// Taking the press makes the label the release's receiver.
bool About::eventFilter(QObject* watched, QEvent* event) {
    const auto* label = qobject_cast<QLabel*>(watched);
    if (label != nullptr && event->type() == QEvent::MouseButtonPress)
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (label != nullptr && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label == ui_.label4)
                Label4_Click();
            else
                Label5_Click(label == ui_.label5[0] ? 0 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace calibrix
