// The monitor timer registry: adding, finding, and removing with the shift of
// later entries (a full table is AutoMonitorTest's, where the driver meets it).
#include <gtest/gtest.h>

#include "testrun/MonitorTimerRegistry.h"

namespace {

using zew::testrun::MonitorTimerRegistry;

int g_objects[8];
void* Object(std::size_t i) { return &g_objects[i]; }

TEST(MonitorTimerRegistryTest, FindsTheFirstEntryOfAnId) {
    MonitorTimerRegistry registry;
    EXPECT_EQ(registry.FindById(5), nullptr);
    EXPECT_TRUE(registry.Add(Object(0), 5));
    EXPECT_TRUE(registry.Add(Object(1), 9));
    EXPECT_TRUE(registry.Add(Object(2), 5));
    EXPECT_EQ(registry.Count(), 3u);
    EXPECT_EQ(registry.FindById(5), Object(0));
    EXPECT_EQ(registry.FindById(9), Object(1));
    EXPECT_EQ(registry.FindById(7), nullptr);

    // Entries that no timer could have are refused.
    EXPECT_FALSE(registry.Add(nullptr, 3));
    EXPECT_FALSE(registry.Add(Object(3), 0));
    EXPECT_EQ(registry.FindById(0), nullptr);
    EXPECT_EQ(registry.Count(), 3u);
}

TEST(MonitorTimerRegistryTest, RemovingShiftsTheLaterEntriesDown) {
    MonitorTimerRegistry registry;
    for (std::uintptr_t id = 1; id <= 4; ++id) registry.Add(Object(id), id);
    registry.Add(Object(5), 3);

    // The order of the rest is kept: id 3 still leads to its first entry.
    EXPECT_TRUE(registry.RemoveById(2));
    EXPECT_EQ(registry.Count(), 4u);
    EXPECT_EQ(registry.FindById(3), Object(3));
    EXPECT_TRUE(registry.RemoveById(3));
    EXPECT_EQ(registry.FindById(3), Object(5));
    EXPECT_FALSE(registry.RemoveById(42));
    EXPECT_EQ(registry.Count(), 3u);
    for (std::uintptr_t id : {1u, 4u, 3u}) EXPECT_TRUE(registry.RemoveById(id)) << id;
    EXPECT_EQ(registry.Count(), 0u);
    EXPECT_FALSE(registry.RemoveById(1));
}

}  // namespace
