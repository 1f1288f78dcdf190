#pragma once

// Assertion for event logs: the wanted lines appear in the log in this order (other lines may
// stand between them).

#include <gtest/gtest.h>

#include <QStringList>

inline testing::AssertionResult InOrder(const QStringList& all, const QStringList& part) {
    qsizetype next = 0;
    for (const QString& wanted : part) {
        next = all.indexOf(wanted, next);
        if (next < 0) {
            return testing::AssertionFailure()
                   << "missing or out of order: \"" << wanted.toStdString() << "\" in\n"
                   << all.join(QLatin1Char('\n')).toStdString();
        }
        ++next;
    }
    return testing::AssertionSuccess();
}
