#include "platform/LocalTimeSetter_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ClockSetError.h"

namespace quicktock {
namespace {

// The clock is set twice, so that a daylight-saving boundary comes out right; a refusal at either
// call is reported, and only a missing right names running as administrator as the remedy.
TEST(LocalTimeSetterTest, SetsTwiceAndReportsRefusals) {
    const SYSTEMTIME wanted{2026, 3, 0, 29, 2, 30, 59, 0};
    const std::vector<DWORD> cases[] = {{0, 0},
                                        {ERROR_PRIVILEGE_NOT_HELD},
                                        {0, ERROR_PRIVILEGE_NOT_HELD},
                                        {ERROR_INVALID_PARAMETER}};
    for (const std::vector<DWORD>& results : cases) {
        std::vector<SYSTEMTIME> calls;
        try {
            SetLocalTimeTwice(wanted, [&](const SYSTEMTIME& local) {
                calls.push_back(local);
                return results[calls.size() - 1];
            });
            EXPECT_EQ(results.back(), 0u);
        } catch (const ClockSetError& error) {
            EXPECT_EQ(error.Remedy(), results.back() == ERROR_PRIVILEGE_NOT_HELD
                                          ? ClockRemedy::RunAsAdministrator
                                          : ClockRemedy::None);
            EXPECT_EQ(error.SystemReason(), "error " + std::to_string(results.back()));
        }
        EXPECT_EQ(calls.size(), results.size());
    }
}

}  // namespace
}  // namespace quicktock
