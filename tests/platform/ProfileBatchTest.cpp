// Batched profile writes: they reach the file together, and a store that cannot be written
// says so when the batch ends.

#include "platform/services/ProfileStore.h"
#include "ProfileFolderFixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using ProfileBatch = ProfileFolderTest;

TEST_F(ProfileBatch, WritesReachTheFileWhenTheBatchEnds) {
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    store.BeginBatch();
    EXPECT_TRUE(store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 42));
    EXPECT_TRUE(store.WriteProfileInt(QStringLiteral("Init.LaF"), QStringLiteral("Flag"), 0));
    EXPECT_FALSE(QFile::exists(store.FilePath()));
    EXPECT_TRUE(store.EndBatch());
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100), 42);
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init.LaF"), QStringLiteral("Flag"), 1), 0);
}

// The window's place is saved in a batch of its own, which may run inside the exit step's.
TEST_F(ProfileBatch, ABatchInsideAnotherReachesTheFileWithTheOuterOne) {
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    const QString init = QStringLiteral("Init");
    const QString window = QStringLiteral("Window");
    store.BeginBatch();
    store.WriteProfileInt(init, QStringLiteral("Sound"), 0);
    store.BeginBatch();
    store.WriteProfileInt(window, QStringLiteral("Width"), 520);
    EXPECT_TRUE(store.EndBatch());
    EXPECT_FALSE(QFile::exists(store.FilePath()));
    store.WriteProfileInt(init, QStringLiteral("FontSize"), 42);
    EXPECT_TRUE(store.EndBatch());
    EXPECT_EQ(store.GetProfileInt(init, QStringLiteral("Sound"), 1), 0);
    EXPECT_EQ(store.GetProfileInt(window, QStringLiteral("Width"), 0), 520);
    EXPECT_EQ(store.GetProfileInt(init, QStringLiteral("FontSize"), 100), 42);

    // An end without a beginning changes nothing: the next write goes to the file at once.
    EXPECT_TRUE(store.EndBatch());
    EXPECT_TRUE(store.WriteProfileInt(init, QStringLiteral("FontSize"), 7));
    EXPECT_EQ(store.GetProfileInt(init, QStringLiteral("FontSize"), 100), 7);
}

TEST_F(ProfileBatch, AnUnwritableStoreSaysSoAtTheEnd) {
    BlockKeyFolder();
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    store.BeginBatch();
    store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 1);
    EXPECT_FALSE(store.EndBatch());
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 3), 3);
}

}  // namespace
