#pragma once

#include <string>
#include <vector>

#include "window/FormHost.h"

namespace quicktock {

// A window without a toolkit: it records what the model asks of it.
class FakeFormHost final : public FormHost {
public:
    void ControlChanged(ControlId id) override { changed.push_back(id); }
    void SetWindowCaption(const std::string& text) override { caption = text; }
    bool IsMinimised() const override { return minimised; }
    SettingsForm::Frame WindowFrame() const override { return frame; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void EndProgram() override { ended = true; }

    std::vector<ControlId> changed;
    std::string caption = "Quicktock";
    bool minimised = false;
    SettingsForm::Frame frame{1440, 1080, 3510, 2205};
    std::vector<std::string> messages;
    bool ended = false;
};

}  // namespace quicktock
