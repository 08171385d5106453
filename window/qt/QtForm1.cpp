#include "window/qt/QtForm1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "window/qt/QtCheckBox.h"
#include "window/qt/QtFonts.h"

namespace quicktock {
namespace {

// How long to wait for the window manager to report its frame after the window is first shown.
constexpr int kFrameTries = 20;
constexpr int kFrameTryIntervalMs = 50;

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtForm1::QtForm1(Form1::Services services) : model_(*this, std::move(services)) {
    InstallFontSubstitutes();
    setWindowTitle(ClockEngine::kProgramName);
    setFont(ToQFont(DefaultFont()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        scale_ = screen->logicalDotsPerInch() / 96.0;
    }
    resize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
    createControls();

    timer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire early and cost a whole tick
    timer_.setInterval(kTimerIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { model_.TimerTick(); });
    timer_.start();
}

QtForm1::~QtForm1() = default;

int QtForm1::toPixels(double twips) const {
    return static_cast<int>(std::lround(twips * scale_ / kTwipsPerPixelAt96Dpi));
}

double QtForm1::toTwips(int pixels) const {
    return pixels * kTwipsPerPixelAt96Dpi / scale_;
}

void QtForm1::createControls() {
    std::vector<QWidget*> tabOrder(kControlCount, nullptr);
    for (const Control& c : model_.controls()) {
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
                edit->setTextMargins(-1, 0, -1, 0);
                connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                    model_.UserEditText(id, text.toStdString());
                });
                w = edit;
                break;
            }
            case ControlKind::CommandButton: {
                auto* button = new QPushButton(this);
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this, [this, id] { model_.UserClick(id); });
                w = button;
                break;
            }
            case ControlKind::CheckBox:
                w = new QtCheckBox(this, [this, id] { model_.UserClick(id); });
                break;
            case ControlKind::Line:
            case ControlKind::Timer:
                continue;  // the line is painted by the window; the timer has no appearance
        }
        w->setObjectName(c.name);
        w->setGeometry(toPixels(c.rect.left), toPixels(c.rect.top), toPixels(c.rect.width),
                       toPixels(c.rect.height));
        widgets_[static_cast<int>(id)] = w;
        if (c.tabIndex >= 0 && c.kind != ControlKind::Label) {
            tabOrder[c.tabIndex] = w;
        }
        refresh(id);
    }
    QWidget* previous = nullptr;
    for (QWidget* w : tabOrder) {
        if (w == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, w);
        }
        previous = w;
    }
}

// Shows a control as the model holds it.
void QtForm1::refresh(ControlId id) {
    QWidget* w = widgets_[static_cast<int>(id)];
    if (w == nullptr) {
        return;
    }
    const Control& c = model_.control(id);
    const QString caption = ToQString(c.caption);
    // Every tick rewrites the two date-time labels: touch only what changed.
    const QFont font = ToQFont(c.font);
    if (w->font() != font) {
        w->setFont(font);
    }
    w->setEnabled(c.enabled);
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

void QtForm1::loadAndShow() {
    model_.Load();
    applyRestoredFrame();
    show();
    shown_ = true;
    widget(ControlId::cmdExit)->setFocus();
    if (restoredFrame_) {
        correctFrameOnceKnown(kFrameTries);
    }
}

// A saved frame that would lie wholly outside every screen, or that is less than a pixel wide or
// high, is not used: the window opens at the system's default place and laid-out size instead.
void QtForm1::applyRestoredFrame() {
    if (!restoredFrame_) {
        return;
    }
    const SettingsForm::Frame& f = *restoredFrame_;
    const QRect wanted(toPixels(f.left), toPixels(f.top), toPixels(f.width), toPixels(f.height));
    const bool usableSize = f.width >= toTwips(1) && f.height >= toTwips(1);
    bool onSomeScreen = false;
    for (const QScreen* screen : QGuiApplication::screens()) {
        onSomeScreen = onSomeScreen || screen->geometry().intersects(wanted);
    }
    if (!usableSize || !onSomeScreen) {
        restoredFrame_.reset();
        return;
    }
    // The frame's own size is not known before the window is first shown; it is corrected then.
    move(wanted.topLeft());
    resize(wanted.size());
}

void QtForm1::correctFrameOnceKnown(int triesLeft) {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const bool frameKnown = frame.size() != client.size() || frame.topLeft() != client.topLeft();
    if (!frameKnown && triesLeft > 0) {
        QTimer::singleShot(kFrameTryIntervalMs, this,
                           [this, triesLeft] { correctFrameOnceKnown(triesLeft - 1); });
        return;
    }
    if (!restoredFrame_) {
        return;
    }
    const SettingsForm::Frame& f = *restoredFrame_;
    const int extraWidth = frame.width() - client.width();
    const int extraHeight = frame.height() - client.height();
    resize(std::max(1, toPixels(f.width) - extraWidth),
           std::max(1, toPixels(f.height) - extraHeight));
    move(toPixels(f.left), toPixels(f.top));
    restoredFrame_.reset();
}

void QtForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    const TwipRect& line = model_.control(ControlId::Line1).rect;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::SolidLine));
    painter.drawLine(toPixels(line.left), toPixels(line.top), toPixels(line.left + line.width),
                     toPixels(line.top + line.height));
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

SettingsForm::Frame QtForm1::WindowFrame() const {
    if (!shown_ && restoredFrame_) {
        return *restoredFrame_;
    }
    const QRect frame = frameGeometry();
    return SettingsForm::Frame{
        static_cast<float>(toTwips(frame.x())), static_cast<float>(toTwips(frame.y())),
        static_cast<float>(toTwips(frame.width())), static_cast<float>(toTwips(frame.height()))};
}

void QtForm1::SetWindowFrame(const SettingsForm::Frame& frame) {
    if (shown_) {
        resize(toPixels(frame.width), toPixels(frame.height));
        move(toPixels(frame.left), toPixels(frame.top));
        return;
    }
    restoredFrame_ = frame;
}

void QtForm1::ShowMessage(const std::string& text) {
    if (messageHandler_) {
        messageHandler_(text);
        return;
    }
    const QString message = ToQString(text);
    if (openMessage_ && openMessage_->text() == message) {
        return;  // the same failure every second is shown once
    }
    // Opened without a nested event loop, so that ticks and clicks keep running one at a time.
    auto* box = new QMessageBox(QMessageBox::Warning, ClockEngine::kProgramName, message,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    openMessage_ = box;
}

void QtForm1::EndProgram() {
    timer_.stop();
    hide();
    emit programEnded();
    QCoreApplication::exit(0);
}

}  // namespace quicktock
