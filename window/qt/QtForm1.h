#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "window/Form1.h"
#include "window/FormHost.h"

class QMessageBox;

namespace quicktock {

// The main window realised with Qt Widgets. Controls keep their laid-out rectangles whatever the
// window's size; what falls outside the client area is cut off.
class QtForm1 final : public QWidget, private FormHost {
    Q_OBJECT

public:
    explicit QtForm1(Form1::Services services);
    ~QtForm1() override;

    // Runs the start-up handler and shows the window with the restored frame.
    void loadAndShow();

    Form1& model() { return model_; }
    QWidget* widget(ControlId id) const { return widgets_[static_cast<int>(id)]; }
    QTimer& timer() { return timer_; }

    // Device-independent pixels for a length in twips on this window's screen.
    int toPixels(double twips) const;
    double toTwips(int pixels) const;

    // Lets tests see the messages instead of a message box.
    void setMessageHandler(std::function<void(const std::string&)> handler) {
        messageHandler_ = std::move(handler);
    }

signals:
    void programEnded();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void refresh(ControlId id);
    void applyRestoredFrame();
    void correctFrameOnceKnown(int triesLeft);

    // FormHost
    void ControlChanged(ControlId id) override { refresh(id); }
    void SetWindowCaption(const std::string& caption) override;
    bool IsMinimised() const override;
    SettingsForm::Frame WindowFrame() const override;
    void SetWindowFrame(const SettingsForm::Frame& frame) override;
    void ShowMessage(const std::string& text) override;
    void EndProgram() override;

    Form1 model_;
    std::array<QWidget*, kControlCount> widgets_{};
    QTimer timer_;
    double scale_ = 1.0;
    // The frame the settings restored, applied when the window is first shown.
    std::optional<SettingsForm::Frame> restoredFrame_;
    bool shown_ = false;
    std::function<void(const std::string&)> messageHandler_;
    QPointer<QMessageBox> openMessage_;
};

}  // namespace quicktock
