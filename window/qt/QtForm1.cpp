#include "window/qt/QtForm1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "window/FaceChoice.h"
#include "window/FrameRules.h"
#include "window/Geometry.h"
#include "window/MessagePlacement.h"
#include "window/TabOrder.h"
#include "window/qt/QtCheckBox.h"
#include "window/qt/QtMessageBox.h"

namespace quicktock {
namespace {

// How long to wait for the window manager to report its frame after the window is first shown.
constexpr int kFrameTries = 20;
constexpr int kFrameTryIntervalMs = 50;
// A text box's one-pixel border on each side, and the pixel its cursor takes after the text.
constexpr int kTextBoxFramePixels = 3;

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

PixelRect ToPixelRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

QtForm1::QtForm1(Form1::Services services)
    : dpi_(LogicalDpi()),
      separators_(services.dateTimeSeparators),
      fonts_(dpi_),
      model_(*this, std::move(services)) {
    setFont(fonts_.GeneralFont(DefaultFont()));
    CreateControls();
}

QtForm1::~QtForm1() = default;

int QtForm1::ToPixels(double twips) const {
    return TwipsToPixels(twips, dpi_);
}

double QtForm1::ToTwips(int pixels) const {
    return PixelsToTwips(pixels, dpi_);
}

void QtForm1::CreateControls() {
    for (const Control& c : model_.Controls()) {
        const ControlId id = c.id;
        QWidget* w = nullptr;
        switch (c.kind) {
            case ControlKind::Label:
                w = new QLabel(this);
                break;
            case ControlKind::TextBox: {
                auto* edit = new QLineEdit(this);
                // The boxes are only a few digits wide: a one-pixel sunken border and no inner
                // margins leave the digits the room that the style's frame and padding would take.
                edit->setStyleSheet(
                    "QLineEdit { padding: 0px; border: 1px solid palette(mid);"
                    " border-top-color: palette(dark); border-left-color: palette(dark); }");
                // Qt keeps two pixels free for the cursor inside the frame on each side: the
                // digits take them, and the pixel after the text is the only one the cursor needs.
                edit->setTextMargins(-2, 0, -2, 0);
                connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                    model_.UserEditText(id, text.toStdString());
                });
                w = edit;
                break;
            }
            case ControlKind::CommandButton: {
                auto* button = new QPushButton(this);
                connect(button, &QPushButton::clicked, this, [this, id] { model_.UserClick(id); });
                w = button;
                break;
            }
            case ControlKind::CheckBox:
                w = new QtCheckBox(this, [this, id] { model_.UserClick(id); });
                break;
            case ControlKind::Timer:
                // A coarse timer may fire early and cost a whole tick.
                timer_.setTimerType(Qt::PreciseTimer);
                timer_.setInterval(c.intervalMs);
                connect(&timer_, &QTimer::timeout, this, [this] { model_.TimerTick(); });
                timer_.start();
                continue;
            case ControlKind::Line:
                continue;  // painted by the window
        }
        w->setObjectName(c.name);
        if (!TakesFocus(c)) {
            w->setFocusPolicy(Qt::NoFocus);
        }
        w->setGeometry(ToPixels(c.rect.left), ToPixels(c.rect.top), ToPixels(c.rect.width),
                       ToPixels(c.rect.height));
        widgets_[static_cast<int>(id)] = w;
    }
    const std::vector<ControlId> order = TabOrder(model_.Controls());
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(Widget(order[i - 1]), Widget(order[i]));
    }
}

// Shows a control as the model holds it.
void QtForm1::Refresh(ControlId id) {
    QWidget* w = widgets_[static_cast<int>(id)];
    if (w == nullptr || !loaded_) {
        return;
    }
    const Control& c = model_.ControlAt(id);
    const QString caption = ToQString(c.caption);
    // Every tick rewrites the two date-time labels: touch only what changed.
    FaceRequest request = FaceRequestFor(c, separators_);
    if (c.kind == ControlKind::TextBox) {
        request.maxWidthTwips -= ToTwips(kTextBoxFramePixels);
    }
    const QFont font = fonts_.FontFor(request, c.font);
    if (w->font() != font) {
        w->setFont(font);
    }
    w->setEnabled(c.enabled);
    const QString tooltip = ToQString(c.tooltip);
    if (w->toolTip() != tooltip) {
        w->setToolTip(tooltip);
    }
    if (w->isHidden() == c.visible) {
        w->setVisible(c.visible);
    }
    const Qt::Alignment align = (c.alignRight ? Qt::AlignRight : Qt::AlignLeft);
    switch (c.kind) {
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setAlignment(align | Qt::AlignTop);
            if (label->text() != caption) {
                label->setText(caption);
            }
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = static_cast<QLineEdit*>(w);
            edit->setAlignment(align | Qt::AlignVCenter);
            if (edit->text() != caption) {
                edit->setText(caption);
            }
            break;
        }
        case ControlKind::CommandButton:
            static_cast<QPushButton*>(w)->setText(caption);
            break;
        case ControlKind::CheckBox: {
            auto* box = static_cast<QtCheckBox*>(w);
            box->setText(caption);
            box->setCheckState(c.value == 0   ? Qt::Unchecked
                               : c.value == 1 ? Qt::Checked
                                              : Qt::PartiallyChecked);
            break;
        }
        default:
            break;
    }
}

void QtForm1::LoadAndShow() {
    model_.Load();
    loaded_ = true;
    for (const Control& c : model_.Controls()) {
        Refresh(c.id);
    }
    ApplyStartFrame(false);
    showNormal();
    if (model_.RestoredFrame().Any()) {
        CorrectFrameOnceKnown(kFrameTries);
    }
}

void QtForm1::ApplyStartFrame(bool placed) {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const StartFrame start = DecideStartFrame(model_.RestoredFrame(), ToPixelRect(frame),
                                              ToPixelRect(client), placed, Screens(), dpi_);
    resize(std::max(1, start.frame.width - (frame.width() - client.width())),
           std::max(1, start.frame.height - (frame.height() - client.height())));
    if (start.moves) {
        move(start.frame.left, start.frame.top);
    }
}

// The window manager reports the frame's extents only some time after the window is shown.
void QtForm1::CorrectFrameOnceKnown(int triesLeft) {
    const bool frameKnown = frameGeometry() != geometry();
    if (!frameKnown && triesLeft > 0) {
        QTimer::singleShot(kFrameTryIntervalMs, this,
                           [this, triesLeft] { CorrectFrameOnceKnown(triesLeft - 1); });
        return;
    }
    ApplyStartFrame(true);
}

std::vector<Screen> QtForm1::Screens() const {
    std::vector<Screen> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(
            {ToPixelRect(screen->availableGeometry()), screen == QGuiApplication::primaryScreen()});
    }
    return screens;
}

QPoint QtForm1::MessagePosition(QSize size) const {
    // From the frame the window has when it is not minimised; the box gets a frame like it.
    const QMargins extents(geometry().left() - frameGeometry().left(),
                           geometry().top() - frameGeometry().top(),
                           frameGeometry().right() - geometry().right(),
                           frameGeometry().bottom() - geometry().bottom());
    const QRect frame = (isMinimized() ? normalGeometry() : geometry()).marginsAdded(extents);
    const PixelRect placed =
        PlaceMessage(ToPixelRect(frame), size.width() + extents.left() + extents.right(),
                     size.height() + extents.top() + extents.bottom(), Screens());
    return {placed.left, placed.top};
}

void QtForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    const TwipRect& line = model_.ControlAt(ControlId::Line1).rect;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::SolidLine));
    painter.drawLine(ToPixels(line.left), ToPixels(line.top), ToPixels(line.left + line.width),
                     ToPixels(line.top + line.height));
}

// Enter and Escape that no control took.
void QtForm1::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        model_.UserKey(key == Qt::Key_Escape ? Form1::Key::Escape : Form1::Key::Enter);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void QtForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            model_.WindowActivated();
        } else {
            model_.WindowDeactivated(FocusedControl());
        }
    }
}

std::optional<ControlId> QtForm1::FocusedControl() const {
    for (const Control& c : model_.Controls()) {
        if (Widget(c.id) != nullptr && Widget(c.id) == focusWidget()) {
            return c.id;
        }
    }
    return std::nullopt;
}

void QtForm1::SetWindowCaption(const std::string& caption) {
    const QString title = ToQString(caption);
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
}

bool QtForm1::IsMinimised() const {
    return isMinimized();
}

bool QtForm1::HasFocus(ControlId id) const {
    return Widget(id) != nullptr && focusWidget() == Widget(id);
}

void QtForm1::SetFocus(ControlId id) {
    if (QWidget* w = Widget(id)) {
        w->setFocus();
    }
}

SavedFrame QtForm1::WindowFrame() const {
    return FrameInTwips(ToPixelRect(frameGeometry()), dpi_);
}

void QtForm1::ShowMessage(int message, const std::string& title, const std::string& text) {
    // Opened without a nested event loop, so that ticks and clicks keep running one at a time.
    // As it closes, Qt gives the window's focus back to the control that has it in the window.
    const ControlFont& buttons = model_.ControlAt(ControlId::cmdExit).font;
    auto* box = new QtMessageBox(
        ToQString(title), ToQString(text), fonts_.FontFor(FaceRequestFor(text, buttons), buttons),
        [this](QSize size) { return MessagePosition(size); }, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, message] { model_.MessageClosed(message); });
    box->open();
}

void QtForm1::EndWithFailure(const std::string& title, const std::string& text) {
    timer_.stop();
    QMessageBox::critical(nullptr, ToQString(title), ToQString(text));
    std::_Exit(1);
}

void QtForm1::EndProgram() {
    timer_.stop();
    hide();
    QCoreApplication::exit(0);
}

}  // namespace quicktock
