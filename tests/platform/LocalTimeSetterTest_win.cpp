#include "platform/LocalTimeSetter_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/ClockSetError.h"

namespace quicktock {
namespace {

// The clock is set twice so that a daylight-saving boundary comes out right; a refusal at either
// call is reported, and only a missing right names running as administrator.
TEST(LocalTimeSetterTest, SetsTwiceAndReportsRefusals) {
    struct Case {
        std::vector<DWORD> results;  // of the calls, in order
        std::size_t calls;
        bool refused;
        bool asAdministrator;
    };
    const Case cases[] = {
        {{0, 0}, 2, false, false},
        {{ERROR_PRIVILEGE_NOT_HELD}, 1, true, true},
        {{0, ERROR_PRIVILEGE_NOT_HELD}, 2, true, true},
        {{ERROR_INVALID_PARAMETER}, 1, true, false},
    };
    const SYSTEMTIME wanted{2026, 3, 0, 29, 2, 30, 59, 0};
    for (const Case& c : cases) {
        std::vector<SYSTEMTIME> calls;
        const auto fake = [&](const SYSTEMTIME& local) {
            calls.push_back(local);
            return c.results[calls.size() - 1];
        };
        bool refused = false;
        try {
            SetLocalTimeTwice(wanted, fake);
        } catch (const ClockSetError& error) {
            refused = true;
            EXPECT_EQ(error.Remedy(),
                      c.asAdministrator ? ClockRemedy::RunAsAdministrator : ClockRemedy::None);
            EXPECT_EQ(error.SystemReason(), "error " + std::to_string(c.results.back()));
        }
        EXPECT_EQ(refused, c.refused);
        ASSERT_EQ(calls.size(), c.calls);
        for (const SYSTEMTIME& call : calls) {
            EXPECT_EQ(std::memcmp(&call, &wanted, sizeof wanted), 0);
        }
    }
}

}  // namespace
}  // namespace quicktock
