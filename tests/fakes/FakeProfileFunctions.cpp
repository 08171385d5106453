#include "tests/fakes/FakeProfileFunctions.h"

#include "platform/TextEncoding.h"

namespace quicktock {

std::size_t FakeProfileFunctions::ReadValue(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, char* buffer,
                                            std::size_t size, const std::string& fileName) {
    const auto found = values_.find({fileName, section, key});
    return CopyWholeCharacters(found != values_.end() ? found->second : defaultValue, buffer, size);
}

bool FakeProfileFunctions::WriteValue(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& fileName) {
    writes_.push_back({section, key, value, fileName});
    if (!failWrites_) {
        Store(fileName, section, key, value);
    }
    return !failWrites_;
}

}  // namespace quicktock
