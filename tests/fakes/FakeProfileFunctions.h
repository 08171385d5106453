#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "settings/ProfileFunctions.h"
#include "settings/TextEncoding.h"

namespace quicktock {

// Settings files held in memory for tests of the layers above them. Reads give the default when a
// value is missing and cut at a whole character like the real functions, but match names exactly
// and give a value as written. Every write is recorded in order, also one told to fail.
class FakeProfileFunctions final : public ProfileFunctions {
public:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
        std::string fileName;
    };

    std::size_t ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue, char* buffer, std::size_t size,
                          const std::string& fileName) override {
        const auto found = values_.find({fileName, section, key});
        return CopyWholeCharacters(found != values_.end() ? found->second : defaultValue, buffer,
                                   size);
    }
    bool WriteValue(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& fileName) override {
        writes_.push_back({section, key, value, fileName});
        if (!failWrites_) {
            Store(fileName, section, key, value);
        }
        return !failWrites_;
    }

    // Puts a value in place without recording a write, as a file found at start-up holds it.
    void Store(const std::string& fileName, const std::string& section, const std::string& key,
               const std::string& value) {
        values_[{fileName, section, key}] = value;
    }

    // From now on writes change nothing and return false, as on a read-only folder.
    void FailWrites(bool fail) { failWrites_ = fail; }
    const std::vector<Write>& Writes() const { return writes_; }

private:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
    std::vector<Write> writes_;
    bool failWrites_ = false;
};

}  // namespace quicktock
