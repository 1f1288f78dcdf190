<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: druno [OPTION]
Guess the secret number of three different digits in ten attempts.

  -h, --help     show this help and exit
  -v, --version  show the version and exit

Without an option the game starts in its window. Qt&apos;s standard options
(-platform, -style, ...) are understood too.

Settings:   $XDG_CONFIG_HOME/Brantel/Druno.ini (~/.config/Brantel/Druno.ini)
Statistics: Druno.sta next to the program, or where that folder cannot be
            written, $XDG_DATA_HOME/Brantel/Druno/Druno.sta
            (~/.local/share/Brantel/Druno/Druno.sta)
Trace:      on standard error, and to the trace viewer druno-kvo when it runs

See druno(6) and druno-kvo(6).
</source>
        <translation>Aufruf: druno [OPTION]
Erraten Sie die geheime Zahl aus drei verschiedenen Ziffern in zehn Versuchen.

  -h, --help     diese Hilfe zeigen und beenden
  -v, --version  die Version zeigen und beenden

Ohne Option startet das Spiel in seinem Fenster. Die Standardoptionen von Qt
(-platform, -style, ...) werden ebenfalls verstanden.

Einstellungen: $XDG_CONFIG_HOME/Brantel/Druno.ini (~/.config/Brantel/Druno.ini)
Statistik:     Druno.sta neben dem Programm, oder, wo dieser Ordner nicht
               beschreibbar ist, $XDG_DATA_HOME/Brantel/Druno/Druno.sta
               (~/.local/share/Brantel/Druno/Druno.sta)
Protokoll:     auf der Standardfehlerausgabe und an den Protokollbetrachter
               druno-kvo, wenn er läuft

Siehe druno(6) und druno-kvo(6).
</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>About Druno</source>
        <translation>Über Druno</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <translation>&amp;Ton</translation>
    </message>
    <message>
        <source>Font sizes:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbruch</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <source>&amp;Abort Game</source>
        <translation>Spiel &amp;abbrechen</translation>
    </message>
    <message>
        <source>Le&amp;vel</source>
        <translation>&amp;Ebene</translation>
    </message>
    <message>
        <source>&amp;Three digits</source>
        <translation>&amp;Drei Ziffern</translation>
    </message>
    <message>
        <source>&amp;Four digits</source>
        <translation>&amp;Vier Ziffern</translation>
    </message>
    <message>
        <source>Fi&amp;ve digits</source>
        <translation>&amp;Fünf Ziffern</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>&amp;Look and Feel...</source>
        <translation>&amp;Look and Feel...</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistik...</translation>
    </message>
    <message>
        <source>&amp;History</source>
        <translation>&amp;Verlauf</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About Druno</source>
        <translation>&amp;Über Druno</translation>
    </message>
    <message>
        <source>&amp;Coach</source>
        <translation>&amp;Trainer</translation>
    </message>
    <message>
        <source>H&amp;int</source>
        <translation>&amp;Hinweis</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Really delete statistics?</source>
        <translation>Statistik wirklich löschen?</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Error in opening statistics file.</source>
        <translation>Fehler beim Öffnen der Statistik-Datei</translation>
    </message>
    <message>
        <source>Really abort the game?</source>
        <translation>Spiel wirklich abbrechen?</translation>
    </message>
    <message>
        <source>WON!</source>
        <translation>GEWONNEN!</translation>
    </message>
    <message>
        <source>Game Over!
Solution: %1</source>
        <translation>Spiel vorbei!
Lösung: %1</translation>
    </message>
    <message>
        <source>If the application is being closed you lose the game!</source>
        <translation>Wenn das Programm jetzt beendet wird, ist das Spiel verloren!</translation>
    </message>
    <message>
        <source>The settings could not be saved in %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>The settings could not be saved: there is no home folder.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: Es gibt keinen persönlichen Ordner.</translation>
    </message>
    <message>
        <source>Font size of the line at the top</source>
        <translation>Schriftgröße der oberen Zeile</translation>
    </message>
    <message>
        <source>Font size of the two numbers</source>
        <translation>Schriftgröße der beiden Zahlen</translation>
    </message>
    <message>
        <source>Three digits|Four digits|Five digits</source>
        <translation>Drei Ziffern|Vier Ziffern|Fünf Ziffern</translation>
    </message>
    <message>
        <source>three|four|five</source>
        <translation>drei|vier|fünf</translation>
    </message>
    <message>
        <source>Guesses of this round</source>
        <translation>Versuche dieser Runde</translation>
    </message>
    <message>
        <source>To start, choose Druno &gt; New Game or press Ctrl+N.</source>
        <translation>Zum Beginnen Druno &gt; Neues Spiel wählen oder Strg+N drücken.</translation>
    </message>
    <message>
        <source>Find the secret number of %1 different digits in ten tries. Tap or type a guess of %1 digits: you see how many of them are in the right place and how many are right but elsewhere.</source>
        <translation>Finden Sie die geheime Zahl aus %1 verschiedenen Ziffern in zehn Versuchen. Tippen Sie einen Versuch aus %1 Ziffern an oder geben Sie ihn ein: Sie sehen, wie viele Ziffern am richtigen Platz stehen und wie viele richtig sind, aber woanders stehen.</translation>
    </message>
    <message>
        <source>%1.  %2   %3 in place, %4 elsewhere</source>
        <translation>%1.  %2   %3 am Platz, %4 woanders</translation>
    </message>
    <message>
        <source>%1: %2 in place, %3 elsewhere</source>
        <translation>%1: %2 am Platz, %3 woanders</translation>
    </message>
    <message>
        <source>Your guesses will be listed here.</source>
        <translation>Ihre Versuche werden hier aufgelistet.</translation>
    </message>
    <message>
        <source>Found at the first attempt!</source>
        <translation>Beim ersten Versuch gefunden!</translation>
    </message>
    <message>
        <source>Found in %1 attempts.</source>
        <translation>In %1 Versuchen gefunden.</translation>
    </message>
    <message>
        <source>No attempts left. The number was %1.</source>
        <translation>Keine Versuche mehr. Die Zahl war %1.</translation>
    </message>
    <message>
        <source>Round given up. The number was %1.</source>
        <translation>Runde aufgegeben. Die Zahl war %1.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Width of the guesses</source>
        <translation>Breite der Versuche</translation>
    </message>
    <message>
        <source>New round: %1 digits, ten attempts.</source>
        <translation>Neue Runde: %1 Ziffern, zehn Versuche.</translation>
    </message>
    <message>
        <source>The statistics file was damaged: some of its counts could not be read. A copy of the file is kept as %1, and the damaged counts start again from zero.</source>
        <translation>Die Statistik-Datei war beschädigt: Einige Zähler konnten nicht gelesen werden. Eine Kopie der Datei liegt unter %1, und die beschädigten Zähler beginnen wieder bei null.</translation>
    </message>
    <message>
        <source>%1 numbers still fit</source>
        <translation>%1 Zahlen passen noch</translation>
    </message>
    <message>
        <source>1 number still fits</source>
        <translation>1 Zahl passt noch</translation>
    </message>
    <message>
        <source>%1 cannot be the secret: the secret has no digit twice.</source>
        <translation>%1 kann nicht die geheime Zahl sein: Die geheime Zahl hat keine Ziffer doppelt.</translation>
    </message>
    <message>
        <source>%1 cannot be the secret: it was guess %2 already.</source>
        <translation>%1 kann nicht die geheime Zahl sein: Das war schon Versuch %2.</translation>
    </message>
    <message>
        <source>%1 cannot be the secret: guess %2 (%3) got %4 in place, %5 elsewhere, but against %1 it would get %6 in place, %7 elsewhere.</source>
        <translation>%1 kann nicht die geheime Zahl sein: Versuch %2 (%3) bekam %4 am Platz, %5 woanders, gegen %1 bekäme er aber %6 am Platz, %7 woanders.</translation>
    </message>
    <message>
        <source>Hint: %1 fits every answer so far.</source>
        <translation>Hinweis: %1 passt zu allen bisherigen Antworten.</translation>
    </message>
    <message>
        <source>A hint was taken in this round.</source>
        <translation>In dieser Runde wurde ein Hinweis genommen.</translation>
    </message>
</context>
<context>
    <name>platform::Application</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>no display found: neither DISPLAY nor WAYLAND_DISPLAY is set; start the game from a desktop session</source>
        <translation>keine Anzeige gefunden: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt; starten Sie das Spiel in einer Desktop-Sitzung</translation>
    </message>
    <message>
        <source>cannot open a window: no display could be reached through the Qt platform plugin (see DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM)</source>
        <translation>kein Fenster möglich: keine Anzeige war erreichbar über das Plattform-Plugin von Qt (siehe DISPLAY, WAYLAND_DISPLAY und QT_QPA_PLATFORM)</translation>
    </message>
</context>
<context>
    <name>platform::DataExchange</name>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
</context>
<context>
    <name>platform::DialogFrame</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>platform::Document</name>
    <message>
        <source>Cannot open the document %1.</source>
        <translation>Das Dokument %1 kann nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>platform::Frame</name>
    <message>
        <source>No help is installed for %1.</source>
        <translation>Für %1 ist keine Hilfe installiert.</translation>
    </message>
</context>
<context>
    <name>platform::FrameCommandBar</name>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>platform::HelpWindow</name>
    <message>
        <source>%1 Help</source>
        <translation>%1-Hilfe</translation>
    </message>
</context>
<context>
    <name>platform::KeyboardSplitter</name>
    <message>
        <source>%1 pixels</source>
        <translation>%1 Pixel</translation>
    </message>
</context>
</TS>
