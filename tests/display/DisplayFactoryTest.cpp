#include "platform/display/DisplayFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/ScopedEnv.h"

namespace {

TEST(DisplayFactoryTest, HeadlessWhenAsked)
{
    ScopedEnv headless("RUPINAKO_HEADLESS", "1");
    auto display = CreateDisplayBackEnd();
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(display->IsHeadless());
}

TEST(DisplayFactoryTest, HeadlessWithoutADisplay)
{
    ScopedEnv headless("RUPINAKO_HEADLESS", nullptr);
    ScopedEnv x("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    auto display = CreateDisplayBackEnd();
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(display->IsHeadless());
}

TEST(DisplayFactoryTest, HeadlessWhenTheDisplayCannotBeOpened)
{
    // In a child process, so that GTK has never seen a working display there.
    // Re-executed rather than forked: a fork would share the X connection of
    // this process (and GTK's state once it has been initialised).
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("DISPLAY", ":9876", 1);   // no server listens there
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("RUPINAKO_HEADLESS");
            auto display = CreateDisplayBackEnd();
            std::exit(display && display->IsHeadless() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

#ifdef RUPINAKO_HAVE_GTK
TEST(DisplayFactoryTest, WindowWhenADisplayIsThere)
{
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
        GTEST_SKIP() << "DISPLAY is not set: run under scripts/with-xvfb.sh for the window back end";
    ScopedEnv headless("RUPINAKO_HEADLESS", "0");
    auto display = CreateDisplayBackEnd();
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(display->IsHeadless());
}
#endif

}  // namespace
