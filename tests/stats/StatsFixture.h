#pragma once

// A statistics file in a temporary folder, the module values at their start, and every trace
// line and message box of the test collected.

#include "platform/core/Debug.h"
#include "platform/services/MessageBox.h"
#include "stats/GameStatistics.h"
#include "stats/GameStatisticsRecord.h"
#include "tests/support/StatisticsBytes.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

struct ShownBox {
    QString text;
    QString caption;
    unsigned type;
};

class StatsFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Druno.sta"));
        s_nMaxLevels = 0;
        s_nCurrLevel = 0;
        s_nLanguage = 0;
        s_strCustomLevels.clear();
        platform::SetDebugObserver([this](const QString& text) {
            m_lines << (text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text);
        });
        platform::SetMessageBoxAnswerer(
            [this](const QString& text, const QString& caption, unsigned type) {
                m_boxes.push_back({text, caption, type});
                return m_answer;
            });
    }
    void TearDown() override {
        platform::SetDebugObserver(nullptr);
        platform::SetMessageBoxAnswerer(nullptr);
    }

    // A record with the given counters and version, as it would lie in the file.
    static GAMESTATISTICS Record(int version, int played, int won, int lost, int percent) {
        return StatisticsRecord(version, played, won, lost, percent);
    }

    void WriteFile(const std::vector<GAMESTATISTICS>& records) {
        WriteRaw(StatisticsBytes(records));
    }
    void WriteRaw(const QByteArray& bytes) { ASSERT_TRUE(WriteStatisticsFile(m_path, bytes)); }
    QByteArray FileBytes() const { return StatisticsFileBytes(m_path); }
    // Record k of the file, unscrambled.
    GAMESTATISTICS FileRecord(int k) const {
        const std::optional<GAMESTATISTICS> gs = StatisticsRecordAt(FileBytes(), k);
        if (!gs) {
            ADD_FAILURE() << "file too short for record " << k;
            return {};
        }
        return *gs;
    }
    QString PathLine() const { return QStringLiteral("lpStatFile=\"%1\"").arg(m_path); }

    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_lines;
    std::vector<ShownBox> m_boxes;
    int m_answer = 1;
};

// The counters of a record, for comparisons that print well.
struct Counters {
    int played;
    int won;
    int lost;
    int percent;
    friend bool operator==(const Counters&, const Counters&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Counters& c) {
        return os << "played " << c.played << ", won " << c.won << ", lost " << c.lost
                  << ", percent " << c.percent;
    }
};

inline Counters CountersOf(const GAMESTATISTICS& gs) {
    return {gs.Get(GAMESTATISTICS::nGamesPlayed), gs.Get(GAMESTATISTICS::nGamesWon),
            gs.Get(GAMESTATISTICS::nGamesLost), gs.Get(GAMESTATISTICS::nGamesWonPercent)};
}
