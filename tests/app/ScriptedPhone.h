#pragma once

// The game on a phone's compositor, played through its Druno menu by clicks on the menu
// buttons and their items and by taps on the strip, wherever the window's layout put them.
// Writes to standard output, one line each:
//   platform NAME               the Qt platform the window is on;
//   screen WxH dpr R            the logical size of the window's screen, and its pixel ratio;
//   guessed DIGITS              each guess typed on the strip;
//   history LINE                the history panel's lines after the last guess;
//   window WxH                  the main window's size once the last round is under way;
//   playing                     then, with that round still running.
// A step that cannot be taken says "failed: WHAT" and ends the program with exit code 3.
// Four digits and the coach are picked from the menu, a round is guessed at and aborted, and
// a second round is started and guessed at. With DRUNO_GRAB set to a file name, the main
// window is grabbed to that PNG file before "playing".
void PlayPhoneScript();
