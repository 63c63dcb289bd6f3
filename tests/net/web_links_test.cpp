#include "net/web_links.h"

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "tests/support/scripted_dialogs.h"

namespace {

TEST(WebLinks, EachItemOpensItsAddressWithDockingPaused) {
    const struct {
        void (*open)();
        std::string address;
    } cases[] = {
        {OpenAboutPage, "https://" REPLYDOCK_TEST_WEBSITE_HOST "/index/article/look.html?id=55"},
        {OpenCuriousPage, "http://" REPLYDOCK_TEST_WEBSITE_HOST "/curious.html"},
        {OpenContactLink, REPLYDOCK_TEST_CONTACT_LINK},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;  // any message box would fail the test
        followActive.Reset();
        c.open();
        const std::vector<ScriptedDialogs::Opened> opened = dialogs.opened();
        ASSERT_EQ(1u, opened.size()) << c.address;
        EXPECT_EQ(c.address, opened[0].target);
        EXPECT_FALSE(opened[0].followActiveDuringCall);
        EXPECT_TRUE(followActive);
    }
}

}  // namespace
