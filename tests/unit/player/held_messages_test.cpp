#include "player/held_messages.h"

#include <gtest/gtest.h>

#include "project/container_fixture.h"

namespace {

TEST(HeldMessages, MessagesWaitUntilTheLastHoldEndsAndKeepTheirOrder) {
  testing_support::RecordingServices inner(testing_support::ScratchFolder("HeldMessages"));
  player::HeldMessages messages(inner);
  EXPECT_EQ(messages.TempFolder(), inner.TempFolder());
  messages.ShowMessage("set-up 1");
  messages.Hold();  // an item starts while the show is still being set up
  messages.ShowMessage("item");
  messages.Release();
  EXPECT_TRUE(inner.messages.empty()) << "the set-up still holds";
  messages.ShowMessage("set-up 2");
  messages.Release();
  EXPECT_EQ(inner.messages, (std::vector<std::string>{"set-up 1", "item", "set-up 2"}));
  messages.ShowMessage("at once");
  EXPECT_EQ(inner.messages.back(), "at once");
  messages.Hold();
  messages.ShowMessage("later");
  EXPECT_EQ(inner.messages.size(), 4u);
  messages.Release();
  messages.Release();  // one release too many changes nothing
  EXPECT_EQ(inner.messages, (std::vector<std::string>{"set-up 1", "item", "set-up 2", "at once", "later"}));
  messages.ShowMessage("still at once");
  EXPECT_EQ(inner.messages.size(), 6u);
}

TEST(HeldMessages, EachBoxRunsInsideTheModalRunner) {
  testing_support::RecordingServices inner(testing_support::ScratchFolder("HeldMessagesModal"));
  std::vector<std::string> shownInside;
  player::HeldMessages messages(inner, [&](const std::function<void()>& box) {
    const size_t before = inner.messages.size();
    box();
    shownInside.insert(shownInside.end(), inner.messages.begin() + static_cast<ptrdiff_t>(before),
                       inner.messages.end());
  });
  messages.ShowMessage("held");
  messages.Release();
  messages.ShowMessage("at once");
  EXPECT_EQ(shownInside, (std::vector<std::string>{"held", "at once"}));
  EXPECT_EQ(inner.messages, shownInside);
}

}  // namespace
