#include "platform/journal/JournalCsv.h"

#include <QDateTime>
#include <QSaveFile>
#include <QStringList>

namespace platform {

namespace {

QString Field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Time(std::int64_t ms) {
    if (ms == 0) {
        return {};
    }
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

}  // namespace

QByteArray JournalCsv(const std::vector<JournalRound>& rounds) {
    QString text =
        QStringLiteral("started,ended,level,digits,outcome,attempts,seconds,secret,guesses\r\n");
    for (const JournalRound& round : rounds) {
        QStringList guesses;
        for (const JournalGuess& guess : round.guesses) {
            guesses << QStringLiteral("%1:%2:%3")
                           .arg(guess.digits)
                           .arg(guess.rightPlace)
                           .arg(guess.elsewhere);
        }
        const QStringList fields = {
            Time(round.startedMs),
            Time(round.endedMs),
            QString::number(round.level),
            QString::number(round.digits),
            OutcomeKeyword(round.outcome),
            QString::number(round.attempts),
            QString::number(static_cast<double>(round.spentMs) / 1000.0, 'f', 1),
            round.secret,
            guesses.join(QLatin1Char(' ')),
        };
        QStringList quoted;
        for (const QString& field : fields) {
            quoted << Field(field);
        }
        text += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

bool WriteJournalCsv(const QString& path, const std::vector<JournalRound>& rounds) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = JournalCsv(rounds);
    return file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace platform
