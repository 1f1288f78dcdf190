#pragma once

// The "texts" script of the scripted program: it goes through every screen the player reads and
// writes what each shows on standard output, one text per line as "<screen>\t<text>" (a line
// break within a text written as "\n"), then leaves through Exit in the middle of a round, with
// the statistics file made unusable.
void PlayTextsScript();
