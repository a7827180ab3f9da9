#include <gtest/gtest.h>

#include "document/system_data.h"

using namespace farvik;

namespace {

SystemData threeSubsystems() {
    SystemData data;
    resetSystemData(data);
    data.subsystemCount = 3;
    data.elementCount = 3;
    resizeGroups(data.subsystems, 3);
    for (int s = 1; s <= 3; ++s) {
        data.subsystems[s].elements[1].key = static_cast<std::int16_t>(s);
        data.subsystems[s].elements[1].distribution = static_cast<std::int16_t>(s);
        data.subsystems[s].elements[1].params = {0, 10.0 * s, 20.0 * s, 0};
    }
    return data;
}

}  // namespace

TEST(SystemData, ResetGivesOneExponentialElementAndOnePath) {
    SystemData data = threeSubsystems();
    data.trialCount = 5;
    data.redundancyStudy = true;
    resetSystemData(data);
    EXPECT_EQ(data.systemType, 1);
    EXPECT_FALSE(data.redundancyStudy);
    EXPECT_EQ(data.trialCount, 1000);
    EXPECT_EQ(data.seed, 1);
    EXPECT_EQ(data.subsystemCount, 1);
    EXPECT_EQ(data.elementCount, 1);
    EXPECT_EQ(data.pathCount, 1);
    EXPECT_EQ(data.pathEntryCount, 1);
    ASSERT_EQ(data.subsystems.size(), 2u);
    ASSERT_EQ(data.subsystems[1].elements.size(), 2u);
    EXPECT_EQ(data.subsystems[1].count, 1);
    EXPECT_EQ(data.subsystems[1].elements[1].distribution, 0);
    EXPECT_EQ(data.subsystems[1].elements[1].params[1], 0.0);
    ASSERT_EQ(data.paths.size(), 2u);
    EXPECT_EQ(data.paths[1].count, 1);
}

TEST(SystemData, ResizeSubsystemTouchesOnlyThatSubsystem) {
    SystemData data = threeSubsystems();
    ASSERT_TRUE(resizeSubsystem(data, true, 2));
    EXPECT_EQ(data.elementCount, 4);
    EXPECT_EQ(data.subsystems[2].count, 2);
    ASSERT_EQ(data.subsystems[2].elements.size(), 3u);
    EXPECT_EQ(data.subsystems[2].elements[1].params[1], 20.0);
    EXPECT_EQ(data.subsystems[2].elements[2].distribution, 0);
    EXPECT_EQ(data.subsystems[2].elements[2].params[1], 0.0);
    EXPECT_EQ(data.subsystems[3].elements[1].params[2], 60.0);

    ASSERT_TRUE(resizeSubsystem(data, false, 2));
    ASSERT_TRUE(resizeSubsystem(data, false, 2));
    EXPECT_EQ(data.subsystems[2].count, 0);
    EXPECT_FALSE(resizeSubsystem(data, false, 2));  // nothing left to drop
    EXPECT_FALSE(resizeSubsystem(data, true, 4));   // no such subsystem
    EXPECT_FALSE(resizeSubsystem(data, true, 0));
    EXPECT_EQ(data.elementCount, 2);
    EXPECT_EQ(data.subsystems[1].elements[1].params[1], 10.0);
}

TEST(SystemData, ResizeGroupsKeepsGroupsThatStay) {
    SystemData data = threeSubsystems();
    resizeGroups(data.subsystems, 2);
    ASSERT_EQ(data.subsystems.size(), 3u);
    resizeGroups(data.subsystems, 4);
    ASSERT_EQ(data.subsystems.size(), 5u);
    EXPECT_EQ(data.subsystems[2].elements[1].params[1], 20.0);
    EXPECT_EQ(data.subsystems[3].count, 1);
    EXPECT_EQ(data.subsystems[3].elements[1].params[1], 0.0);  // fresh, not the dropped one
}

TEST(SystemData, KeysAreFoundInStructureOrder) {
    SystemData data = threeSubsystems();
    data.subsystems[3].elements[1].key = 2;  // a duplicate: the earlier subsystem wins
    EXPECT_EQ(findElementByKey(data, 2), &data.subsystems[2].elements[1]);
    EXPECT_EQ(findElementByKey(data, 9), nullptr);
    EXPECT_EQ(elementsBefore(data.subsystems, 3), 2);
    clearKeysFrom(data.subsystems, 2);
    EXPECT_EQ(findElementByKey(data, 1), &data.subsystems[1].elements[1]);
    EXPECT_EQ(findElementByKey(data, 2), nullptr);
    EXPECT_EQ(findPathEntryByKey(data, 1), &data.paths[1].elements[1]);
}
