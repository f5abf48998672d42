#include "ui/about.h"

#include "ui/accessibility.h"
#include "ui/controltable.h"
#include "ui/linkopener.h"
#include "ui/messagebox.h"
#include "ui/windowplacement.h"

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

constexpr std::uint32_t black = 0x000000;
constexpr std::uint32_t blue = 0x0000C0;
constexpr std::uint32_t grey = 0xE0E0E0;

const WindowDesign aboutWindow{"About", " About", 560, 328, ControlFont::Medium, grey, black};

constexpr Picture okPicture{"ok", 76, 36};
constexpr Picture portrait{"portrait", 110, 111};

using enum ControlKind;
using enum ControlFont;
using enum TextFit;
constexpr auto W = Container::Window;
constexpr auto F1 = Container::Frame1;
constexpr auto F2 = Container::Frame2;

using Row = ControlRow<AboutControls>;

// One row a control, in tab order; the columns are those of the main window's layout. Label4
// keeps the design right edge: at the design left edge our longer address would run into the
// frame's border.
// clang-format off
constexpr Row aboutLayout[] = {
    {{"Frame1",   -1, -1, Frame,   W,  120,  120,  8175, 2175, 0, "",       {},        nullptr,  Small,  grey, black, 0,  "Name and version", Box, F1}},
    {{"Label1",   -1, -1, Label,   F1, 2985, 360,  3885, 555,  0, "Calibrix", {},      nullptr,  Title,  grey, blue,  1,  nullptr, Center}},
    {{"Label2",    0,  0, Label,   F1, 4440, 1080, 1005, 240,  0, version,  {},        nullptr,  Medium, grey, black, 2,  spokenVersion, Center}},
    {{"Label2",    1,  1, Label,   F1, 2640, 1680, 4455, 240,  0, rights,   {},        nullptr,  Medium, grey, black, 3,  nullptr, Center}},
    {{"Label2",    2,  2, Label,   W,  360,  2520, 7710, 240,  0, purpose,  {},        nullptr,  Medium, grey, black, 4,  nullptr, Height}},
    {{"Clear",    -1, -1, Button,  W,  6600, 4320, 1695, 495,  0, nullptr,  okPicture, nullptr,  Medium, grey, black, 5,  "OK"}, kept<&AboutControls::clear>},
    {{"Frame2",   -1, -1, Frame,   W,  120,  2880, 8175, 1335, 0, ackTitle, {},        nullptr,  Medium, grey, blue,  6,  nullptr, Box, F2}},
    {{"Label3",   -1, -1, Label,   F2, 240,  360,  7695, 735,  0, thanks,   {},        nullptr,  Medium, grey, black, 7,  nullptr, WrapCentered}},
    {{"Label4",   -1, -1, Label,   F2, 6000, 1080, 1950, 195,  0, author,   {},        nullptr,  Small,  grey, blue,  8,  nullptr, Right}, kept<&AboutControls::label4>},
    {{"Picture2", -1, -1, Picture, F1, 360,  360,  1710, 1725, 0, nullptr,  portrait,  "Author", Medium, grey, black, 9,  "Portrait of the author"}},
    {{"Label5",    0,  0, Label,   W,  1080, 4560, 4200, 240,  0, webLink,  {},        nullptr,  Medium, grey, blue,  10, nullptr, Left}, kept<&AboutControls::label5>},
    {{"Label5",    1,  1, Label,   W,  1560, 4320, 3165, 240,  0, findMore, {},        nullptr,  Medium, grey, black, 11, nullptr, Left}, kept<&AboutControls::label5>},
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
