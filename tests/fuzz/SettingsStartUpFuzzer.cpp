// Start-up of the window model from a settings file of random bytes, then Exit: loading must
// never fail, and Exit must leave ten keys that a next start can use.
#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/NumberConversions.h"
#include "platform/OsProfileFunctions.h"
#include "tests/fakes/FakeFormHost.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/fuzz/FuzzSupport.h"
#include "window/Form1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quicktock;
    const std::string path = FuzzFolder() + "/quicktock.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FakeFormHost host;
    FakeSystemClock clock({2026, 12, 6, 10, 0, 0});
    OsProfileFunctions profile;
    IniFile iniFile(profile);
    const SettingsFiles files{path, path};
    Form1 form(host, Form1::Services{clock, iniFile, FuzzFolder() + "/quicktock", files, {}, ","});
    form.Load();
    form.UserClick(ControlId::cmdExit);
    FuzzCheck(host.ended);
    // A file that a save cannot keep as it was (a UTF-16 one it cannot write back, say) is left
    // alone; the profile functions' tests say which those are.
    std::ostringstream after;
    after << std::ifstream(path, std::ios::binary).rdbuf();
    if (after.str() == std::string(reinterpret_cast<const char*>(data), size)) {
        return 0;
    }
    for (const std::string key : {"posX", "posY", "winW", "winH", "chk10", "chkLess", "chkUntilMin",
                                  "chkLang", "backH", "UntilMin"}) {
        const std::string text = iniFile.GetINIValue(key, "Data", path);
        // A box text that reads back as the absence marker (quoted, say) is lost, as on Windows.
        FuzzCheck(text != IniFile::kMissing ||
                  form.ControlAt(ControlId::txtPlaybackHour).caption.find("ERROR") !=
                      std::string::npos);
        const double number = key == "backH" ? 0 : ParseNumber(text);
        FuzzCheck(!key.starts_with("chk") || number == 0 || number == 1 || number == 2);
        FuzzCheck(key.find_first_of("pw") != 0 || std::isfinite(static_cast<float>(number)));
    }
    return 0;
}
