#pragma once

// Two running games must never count over each other: a count reads the record, changes it
// and writes it back, and a reset writes every record. While one of them runs, this holds an
// exclusive advisory lock on the statistics file. The file operations of this process go
// ahead under it without a lock of their own; elsewhere a reader takes a shared lock and a
// writer an exclusive one, so no reader ever sees half a record.
//
// A lock taken while this process already holds (or has given up on) the same file adds
// nothing: the outer one covers it. So one count can judge the file and change it under a
// single hold, whatever the steps it takes on the way lock for themselves.

#include "platform/core/File.h"

#include <QString>

class CStatisticsLock {
public:
    // Waits for the lock. A file that is missing is made first (empty), so that two first
    // counts are kept apart too; in the player's data folder the missing folders are made as
    // well. Where the file cannot be opened for writing there is no lock: the file operations
    // then fail and say so, as ever. Nor is there one when another game keeps the file longer
    // than a lock is waited for, or the program is asked to end meanwhile: the file is busy,
    // and the file operations then fail at once and say so.
    explicit CStatisticsLock(const QString& lpStatFile);
    ~CStatisticsLock();
    CStatisticsLock(const CStatisticsLock&) = delete;
    CStatisticsLock& operator=(const CStatisticsLock&) = delete;

    // True while a lock of this process holds the file that file is open on.
    static bool Covers(const platform::File& file);
    // True when the held lock made that file and nothing has been written to it yet: for the
    // count, the file is still missing.
    static bool IsNewAndEmpty(const platform::File& file);
    // True while a lock of this process has given up on its busy file.
    static bool IsBusy();
    // Lets the held lock go before the player is asked or told anything, so that another
    // game never waits on a message box; then tells what was left to tell (TellWhenFree).
    static void Release();
    // Tells the player text in a message box of the given type once no lock of this process
    // holds the file: at once when none does, else when the holding lock ends.
    static void TellWhenFree(const QString& text, unsigned type);

private:
    platform::File m_file;
    QString m_strPath;
    bool m_bCreated = false;
    bool m_bNested = false;
};
