#include "platform/SecureExecution_posix.h"

#include <gtest/gtest.h>

// The locale variables are kept by their prefix; nothing that names code for Qt or the loader to
// load is, nor a name that only starts like a kept one.
TEST(SecureExecutionTest, KeepsTheLocaleButNothingThatNamesCodeToLoad) {
    EXPECT_TRUE(quicktock::KeptInSecureExecution("LC_TIME"));
    for (const char* name : {"QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH", "QT_QPA_PLATFORM",
                             "QT_STYLE_OVERRIDE", "LD_PRELOAD", "DISPLAYX", "LC"}) {
        EXPECT_FALSE(quicktock::KeptInSecureExecution(name)) << name;
    }
}
