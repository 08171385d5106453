#include "tests/fakes/FakeProfileFunctions.h"

#include "platform/TextEncoding.h"

namespace quicktock {
namespace {

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

std::size_t FakeProfileFunctions::ReadValue(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, char* buffer,
                                            std::size_t size, const std::string& fileName) {
    const auto found = values_.find(MakeEntry(fileName, section, key));
    return CopyWholeCharacters(found != values_.end() ? found->second : defaultValue, buffer, size);
}

bool FakeProfileFunctions::WriteValue(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& fileName) {
    writes_.push_back({section, key, value, fileName});
    if (failWrites_) {
        return false;
    }
    Store(fileName, section, key, value);
    return true;
}

void FakeProfileFunctions::Store(const std::string& fileName, const std::string& section,
                                 const std::string& key, const std::string& value) {
    values_[MakeEntry(fileName, section, key)] = value;
}

std::optional<std::string> FakeProfileFunctions::Value(const std::string& fileName,
                                                       const std::string& section,
                                                       const std::string& key) const {
    const auto found = values_.find(MakeEntry(fileName, section, key));
    return found != values_.end() ? std::optional<std::string>(found->second) : std::nullopt;
}

FakeProfileFunctions::Entry FakeProfileFunctions::MakeEntry(const std::string& fileName,
                                                            const std::string& section,
                                                            const std::string& key) {
    return {fileName, AsciiLower(section), AsciiLower(key)};
}

}  // namespace quicktock
