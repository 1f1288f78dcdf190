#!/bin/sh
# Strips an installed program as Debian's dh_strip does: besides the symbols, the compiler's
# .comment and .note sections go too.
exec strip --remove-section=.comment --remove-section=.note "$@"
