#include "window/TimeSyncWarning.h"

#include "window/DisplayLanguage.h"

namespace quicktock {

std::string TimeSyncWarningText(const TimeSyncStatus& status, bool japanese) {
    using Remedy = TimeSyncStatus::Remedy;
    const std::string& name = status.service;
    if (!japanese) {
        std::string text = name.empty() ? "A time-synchronisation service is active"
                                        : "The time-synchronisation service " + name + " is active";
        text += ": it will set the clock back while Quicktock runs it fast.\n";
        switch (status.remedy) {
            case Remedy::SetNtp:
                return text +
                       "To pause it: timedatectl set-ntp false\n"
                       "To restore it afterwards: timedatectl set-ntp true";
            case Remedy::StopService:
                return text + "Stop it while the clock runs fast, and start it again afterwards.";
            case Remedy::WindowsService:
                return text +
                       "To pause it, as administrator: net stop w32time\n"
                       "To restore it afterwards: net start w32time";
        }
        return text;
    }
    std::string text = "時刻同期サービス" + (name.empty() ? "" : "（" + name + "）") +
                       "が動いているため、早送りした時計が元に戻されます。\n";
    switch (status.remedy) {
        case Remedy::SetNtp:
            return text +
                   "一時停止するには：timedatectl set-ntp false\n"
                   "後で元に戻すには：timedatectl set-ntp true";
        case Remedy::StopService:
            return text + "早送りの間はこのサービスを止め、終わったら起動し直してください。";
        case Remedy::WindowsService:
            return text +
                   "一時停止するには（管理者として）：net stop w32time\n"
                   "後で元に戻すには：net start w32time";
    }
    return text;
}

void TimeSyncWarning::AccelerationStarted() {
    if (service_ == nullptr || asking_ || settled_) {
        return;
    }
    asking_ = true;
    service_->Ask([self = std::weak_ptr(self_)](const TimeSyncStatus& status) {
        if (const auto alive = self.lock()) {
            (*alive)->Answered(status);
        }
    });
}

void TimeSyncWarning::Answered(const TimeSyncStatus& status) {
    asking_ = false;
    if (status.state == TimeSyncStatus::State::Unknown) {
        return;
    }
    settled_ = true;
    if (status.state == TimeSyncStatus::State::Active) {
        show_(TimeSyncWarningText(status, IsJapanese(languageBox_.value)));
    }
}

}  // namespace quicktock
