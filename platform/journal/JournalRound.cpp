#include "platform/journal/JournalRound.h"

namespace platform {

bool IsLoss(RoundOutcome outcome) {
    switch (outcome) {
        case RoundOutcome::Lost:
        case RoundOutcome::GivenUp:
        case RoundOutcome::Closed:
        case RoundOutcome::Signal:
        case RoundOutcome::DisplayLost:
            return true;
        default:
            return false;
    }
}

namespace {

struct OutcomeWord {
    RoundOutcome outcome;
    const char* word;
};

constexpr OutcomeWord kOutcomeWords[] = {
    {RoundOutcome::Playing, "playing"},
    {RoundOutcome::Won, "won"},
    {RoundOutcome::Lost, "lost"},
    {RoundOutcome::GivenUp, "given-up"},
    {RoundOutcome::Closed, "closed"},
    {RoundOutcome::Signal, "signal"},
    {RoundOutcome::DisplayLost, "display-lost"},
    {RoundOutcome::Unfinished, "unfinished"},
};

}  // namespace

QString OutcomeKeyword(RoundOutcome outcome) {
    for (const OutcomeWord& entry : kOutcomeWords) {
        if (entry.outcome == outcome) {
            return QString::fromLatin1(entry.word);
        }
    }
    return QStringLiteral("unfinished");
}

RoundOutcome OutcomeFromKeyword(const QString& keyword) {
    for (const OutcomeWord& entry : kOutcomeWords) {
        if (keyword == QLatin1String(entry.word)) {
            return entry.outcome;
        }
    }
    return RoundOutcome::Unfinished;
}

}  // namespace platform
