#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/EngineFailure.h"
#include "engine/EngineView.h"

namespace quicktock {

// Controls as plain values, for driving the engine without a window.
class RecordingEngineView final : public EngineView {
public:
    std::int16_t CheckValue(Check box) const override {
        const auto found = checks.find(box);
        return found == checks.end() ? 0 : found->second;
    }
    std::string BoxText(Box box) const override {
        return box == Box::txtPlaybackHour ? playbackHour : untilMinutes;
    }
    bool IsMinimised() const override { return minimised; }

    void SetLabel(Label label, const std::string& caption) override {
        (label == Label::lblPresentTime ? presentTime : estimateTime) = caption;
    }
    void SetWindowCaption(const std::string& caption) override { windowCaption = caption; }
    void SetButtonEnabled(Button button, bool enabled) override {
        (button == Button::cmdAccel ? accelEnabled : normalEnabled) = enabled;
    }
    void ShowFailure(const EngineFailure& failure) override { failures.push_back(failure); }

    std::map<Check, std::int16_t> checks;
    std::string playbackHour = "12";
    std::string untilMinutes = "240";
    bool minimised = false;

    std::string presentTime = "0000/00/00 00:00:00";
    std::string estimateTime = "0000/00/00 00:00:00";
    std::string windowCaption;
    bool accelEnabled = true;
    bool normalEnabled = true;
    std::vector<EngineFailure> failures;
};

}  // namespace quicktock
