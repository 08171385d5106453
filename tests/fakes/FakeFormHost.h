#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "window/FormHost.h"

namespace quicktock {

// A window without a toolkit: it records what the model asks of it, and fails when told to.
struct FakeFormHost final : FormHost {
    void ControlChanged(ControlId id) override {
        changed.push_back(id);
        if (failChanges) {
            throw std::runtime_error("the host failed");
        }
    }
    void SetWindowCaption(const std::string&) override {}
    bool IsMinimised() const override { return false; }
    bool HasFocus(ControlId id) const override { return focus == id; }
    void SetFocus(ControlId id) override { focus = id; }
    SavedFrame WindowFrame() const override { return frame; }
    void ShowMessage(int number, const std::string&, const std::string& text) override {
        messages.push_back({number, text});
    }
    void EndWithFailure(const std::string&, const std::string& text) override { failure = text; }
    void EndProgram() override { ended = true; }

    std::vector<ControlId> changed;
    std::optional<ControlId> focus;
    SavedFrame frame{1440, 1080, 3510, 2205};
    std::vector<std::pair<int, std::string>> messages;  // number and text
    bool ended = false;
    bool failChanges = false;
    std::string failure;
};

}  // namespace quicktock
