#include "ui/about.h"

#include "ui/designstyle.h"
#include "ui/fonts.h"
#include "ui/linkopener.h"
#include "ui/windowplacement.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QUrl>

namespace calibrix {

namespace {

// The links. Label4 shows the mail address after "Author: ", Label5(0) shows the web link.
constexpr const char* kMailLink = "mailto:calibrix@example.org";
constexpr const char* kWebLink = "http://www.example.org/simulations/simu_chem.html";

constexpr const char* kAuthor = "Author: calibrix@example.org";
constexpr const char* kVersion = "Version " CALIBRIX_VERSION;
constexpr const char* kRights = "Copyright © 2026 The Calibrix developers";
constexpr const char* kPurpose =
    "This program calculates parameters of calibration curve for chemical analysis";
constexpr const char* kAckTitle = "Acknowledgement";
constexpr const char* kThanks =
    "With thanks to the analytical chemists who tried this program on the calibration data of "
    "their own laboratories, and whose questions and remarks shaped the statistics it shows.";
constexpr const char* kFindMore = "Find more chemical programs here:";
constexpr const char* kOkPicture = ":/resources/ok.svg";
constexpr const char* kPortrait = ":/resources/portrait.svg";

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 192);
constexpr QRgb kBackground = qRgb(224, 224, 224);
constexpr QSize kClientSize{560, 328};

// Frame: a group box, captioned or not. Button: a push button showing its picture at the
// picture's own size. Picture: the picture at the top-left, taking the focus by Tab only.
enum class Kind { Frame, Label, Button, Picture };
using enum Kind;

// Where a control goes. The table holds the design rectangles, drawn for the design captions;
// our captions and fonts differ, so a label that fits its text keeps one edge or its centre.
enum class Fit {
    Box,        // the design rectangle; a label's text wraps, left-aligned
    BoxCentred, // the same, centred
    Height,     // the design width and the height of the wrapped, centred text
    Centre,     // the size of the one-line text, on the design centre line
    Left,       // the size of the one-line text, at the design left edge
    Right,      // the size of the one-line text, up to the design right edge
};
using enum Fit;

// Twips, 15 to a pixel at 96 dpi; Qt's device-independent pixels keep the layout at any dpi.
struct Twips {
    int left, top, width, height;
    constexpr QRect pixels() const { return {left / 15, top / 15, width / 15, height / 15}; }
};

struct ControlRow {
    const char* name;
    Kind kind;
    const char* container; // "": the window
    Twips rect;
    const char* content; // a label's text, a frame's caption or a picture's resource
    int fontPx;          // 11 px = 8.25 pt, 13 px = 9.75 pt, 32 px = 24 pt
    QRgb colour;
    Fit fit;
    const char* toolTip = nullptr;
};

// One row a control, in tab order. Label4 keeps the design right edge: at the design left
// edge our longer address would run into the frame's border.
// clang-format off
constexpr ControlRow kControls[] = {
    // name       kind     in        left  top   width height   content    px  colour  fit
    {"Frame1",    Frame,   "",       {120,  120,  8175, 2175}, "",         11, kBlack, Box},
    {"Label1",    Label,   "Frame1", {2985, 360,  3885, 555},  "Calibrix", 32, kBlue,  Centre},
    {"Label2(0)", Label,   "Frame1", {4440, 1080, 1005, 240},  kVersion,   13, kBlack, Centre},
    {"Label2(1)", Label,   "Frame1", {2640, 1680, 4455, 240},  kRights,    13, kBlack, Centre},
    {"Label2(2)", Label,   "",       {360,  2520, 7710, 240},  kPurpose,   13, kBlack, Height},
    {"Clear",     Button,  "",       {6600, 4320, 1695, 495},  kOkPicture, 13, kBlack, Box},
    {"Frame2",    Frame,   "",       {120,  2880, 8175, 1335}, kAckTitle,  13, kBlue,  Box},
    {"Label3",    Label,   "Frame2", {240,  360,  7695, 735},  kThanks,    13, kBlack, BoxCentred},
    {"Label4",    Label,   "Frame2", {6000, 1080, 1950, 195},  kAuthor,    11, kBlue,  Right},
    {"Picture2",  Picture, "Frame1", {360,  360,  1710, 1725}, kPortrait,  13, kBlack, Box, "Author"},
    {"Label5(0)", Label,   "",       {1080, 4560, 4200, 240},  kWebLink,   13, kBlue,  Left},
    {"Label5(1)", Label,   "",       {1560, 4320, 3165, 240},  kFindMore,  13, kBlack, Left},
};
// clang-format on

constexpr bool wholePixels() {
    for (const ControlRow& row : kControls)
        for (int twips : {row.rect.left, row.rect.top, row.rect.width, row.rect.height})
            if (twips % 15 != 0)
                return false;
    return true;
}
static_assert(wholePixels(), "every design rectangle lies on whole pixels");

int formLoads = 0;

QRect fitted(const QLabel& label, const QRect& design, Fit fit) {
    const QSize text = label.sizeHint();
    switch (fit) {
    case Box:
    case BoxCentred:
        return design;
    case Height:
        return {design.topLeft(), QSize(design.width(), label.heightForWidth(design.width()))};
    case Centre:
        return {QPoint(design.left() + (design.width() - text.width()) / 2, design.top()), text};
    case Left:
        return {design.topLeft(), text};
    case Right:
        return {QPoint(design.left() + design.width() - text.width(), design.top()), text};
    }
    return design;
}

// The picture drawn at its design size, sharp on the screen the widget is on.
QPixmap picture(const QString& resource, const QWidget& widget) {
    QSvgRenderer svg(resource);
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap pixmap(svg.defaultSize() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(QPointF(0, 0), svg.defaultSize()));
    return pixmap;
}

QWidget* makeControl(const ControlRow& row, QWidget* container) {
    const QString content = QString::fromUtf8(row.content);
    QWidget* widget = nullptr;
    QLabel* label = nullptr;
    switch (row.kind) {
    case Frame:
        widget = new QGroupBox(content, container);
        break;
    case Label: {
        widget = label = new QLabel(content, container);
        const bool centred = row.fit == BoxCentred || row.fit == Height || row.fit == Centre;
        label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setWordWrap(row.fit == Box || row.fit == BoxCentred || row.fit == Height);
        break;
    }
    case Button: {
        auto* button = new QPushButton(container);
        button->setIcon(QIcon(content));
        button->setIconSize(QSvgRenderer(content).defaultSize());
        // Enter presses the button while it has the focus; outside a dialog Qt needs this.
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case Picture: {
        auto* image = new QLabel(container);
        image->setPixmap(picture(content, *container));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setFocusPolicy(Qt::TabFocus);
        widget = image;
        break;
    }
    }
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setFont(uifont(row.fontPx));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(row.colour));
    widget->setPalette(palette);
    if (row.toolTip != nullptr)
        widget->setToolTip(QString::fromUtf8(row.toolTip));
    const QRect design = row.rect.pixels();
    widget->setGeometry(label != nullptr ? fitted(*label, design, row.fit) : design);
    return widget;
}

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
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral(" About"));
    setWindowIcon(QIcon(QStringLiteral(":/resources/calibrix.svg")));
    setAttribute(Qt::WA_DeleteOnClose);
    // The About window never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kBackground));
    palette.setColor(QPalette::Button, QColor::fromRgb(kBackground));
    setPalette(palette);
    setAutoFillBackground(true);
}

void About::buildControls() {
    QWidget* previous = nullptr;
    for (const ControlRow& row : kControls) {
        QWidget* container = this;
        if (*row.container != '\0')
            container = findChild<QWidget*>(QString::fromLatin1(row.container));
        QWidget* control = makeControl(row, container);
        if (previous != nullptr)
            setTabOrder(previous, control);
        previous = control;
    }
    clear_ = findChild<QPushButton*>(QStringLiteral("Clear"));
    label4_ = findChild<QLabel*>(QStringLiteral("Label4"));
    label5_ = {findChild<QLabel*>(QStringLiteral("Label5(0)")),
               findChild<QLabel*>(QStringLiteral("Label5(1)"))};
    label5_[0]->setCursor(Qt::PointingHandCursor);
    keepDesignLook(this);
    // OK is the first control in tab order that takes the focus, so a new window starts there.
    clear_->setFocus();
}

void About::connectHandlers() {
    connect(clear_, &QPushButton::clicked, this, &About::Clear_Click);
    label4_->installEventFilter(this);
    for (QLabel* label : label5_)
        label->installEventFilter(this);
}

// Qt lays out in device-independent pixels, so the design's pixel layout holds at any dpi and
// the window only needs its client size and its place in the middle of the screen.
void About::Form_Load() {
    ++formLoads;
    setFixedSize(kClientSize);
    centreOnScreen(this);
}

void About::Clear_Click() {
    hide();
}

void About::Label4_Click() {
    openLink(QUrl(QString::fromLatin1(kMailLink)));
}

// Both captions open the web page; the index is not needed.
void About::Label5_Click(int) {
    openLink(QUrl(QString::fromLatin1(kWebLink)));
}

// A desktop that cannot open the link (no xdg-open, or no mail program or browser behind it)
// must not fail silently: the user gets the address to open by hand. The window stays usable
// while the opener runs.
void About::openLink(const QUrl& url) {
    const QString address = url.scheme() == QLatin1String("mailto") ? url.path() : url.toString();
    calibrix::openLink(url, this, [this, address] {
        auto* box = new QMessageBox(
            QMessageBox::NoIcon, QStringLiteral("link not opened"),
            QStringLiteral("No program could open the link. Please open it by hand:\n\n") + address,
            QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::ApplicationModal);
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
            if (label == label4_)
                Label4_Click();
            else
                Label5_Click(label == label5_[0] ? 0 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace calibrix
