#include "platform/SecureExecution_posix.h"

#include <gtest/gtest.h>

TEST(SecureExecutionTest, KeepsDisplayLanguageAndScaleButNothingThatNamesCodeToLoad) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "HOME", "LC_TIME", "QT_SCALE_FACTOR"}) {
        EXPECT_TRUE(quicktock::KeptInSecureExecution(name)) << name;
    }
    for (const char* name : {"QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH", "QT_QPA_PLATFORM",
                             "QT_STYLE_OVERRIDE", "LD_PRELOAD", "DISPLAYX", "LC"}) {
        EXPECT_FALSE(quicktock::KeptInSecureExecution(name)) << name;
    }
}
