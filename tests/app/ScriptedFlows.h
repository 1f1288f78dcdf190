#pragma once

#include <QByteArray>

// The default flows of the game, each played through as a player would at the default size,
// level and language, so that their whole trace can be compared: "win", "loss", "abort",
// "close" (during a round), "statistics" (opened and closed) and "reset". Every round's secret
// is 407; boxes are answered as a player answers them (Yes to a question, OK otherwise). False
// for a name that is no flow.
bool PlayFlowScript(const QByteArray& flow);
