#include "window/FaceChoices.h"

namespace quicktock {

const std::string& FaceChoices::For(const FaceRequest& request, const ControlFont& font,
                                    const std::function<std::string()>& choose) {
    auto [chosen, added] = chosen_.try_emplace({request, font});
    if (added) {
        chosen->second = choose();
    }
    return chosen->second;
}

}  // namespace quicktock
