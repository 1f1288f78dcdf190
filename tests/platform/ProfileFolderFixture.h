#pragma once

// Settings stores that keep their files in a folder of the test's own, for the test's length.

#include "platform/services/ProfileStore.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

class ProfileFolderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        platform::SetProfileFolder(m_dir.path());
    }
    void TearDown() override { platform::SetProfileFolder(QString()); }
    QTemporaryDir m_dir;
};
