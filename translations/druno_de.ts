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
    <message>
        <source>&amp;Progress...</source>
        <translation>&amp;Fortschritt...</translation>
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
        <source>Height of the guesses</source>
        <translation>Höhe der Versuche</translation>
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
    <message>
        <source>The journal of your rounds was damaged. It is kept as %1, and a new journal has been started.</source>
        <translation>Das Buch Ihrer Runden war beschädigt. Es wird als %1 aufbewahrt, und ein neues Rundenbuch wurde begonnen.</translation>
    </message>
    <message>
        <source>Your rounds cannot be written to their journal %1 just now (is the disk full?). They are kept and written as soon as it takes them again, while the game runs.</source>
        <translation>Ihre Runden können gerade nicht in ihr Rundenbuch %1 geschrieben werden (ist der Datenträger voll?). Sie werden aufbewahrt und geschrieben, sobald es sie wieder aufnimmt, solange das Spiel läuft.</translation>
    </message>
    <message>
        <source>The journal of your rounds, %1, comes from a newer version of Druno. It is left as it is, and this game records no rounds.</source>
        <translation>Das Buch Ihrer Runden, %1, stammt von einer neueren Version von Druno. Es bleibt, wie es ist, und dieses Spiel hält keine Runden fest.</translation>
    </message>
    <message>
        <source>The journal of your rounds, %1, cannot be used: it must be a file of your own that you can write. The game and its statistics go on as ever, but no rounds are recorded.</source>
        <translation>Das Buch Ihrer Runden, %1, kann nicht verwendet werden: Es muss eine eigene Datei sein, die Sie schreiben dürfen. Das Spiel und seine Statistik laufen weiter wie immer, aber es werden keine Runden festgehalten.</translation>
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
<context>
    <name>platform::ProgressWindow</name>
    <message>
        <source>Being played</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Verloren</translation>
    </message>
    <message>
        <source>Given up</source>
        <translation>Aufgegeben</translation>
    </message>
    <message>
        <source>Lost by closing</source>
        <translation>Verloren durch Schließen</translation>
    </message>
    <message>
        <source>Lost to a signal</source>
        <translation>Verloren durch ein Signal</translation>
    </message>
    <message>
        <source>Lost with the display gone</source>
        <translation>Verloren, Anzeige weg</translation>
    </message>
    <message>
        <source>Unfinished</source>
        <translation>Nicht beendet</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Ebene</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Attempts</source>
        <translation>Versuche</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>&amp;Level:</source>
        <translation>&amp;Ebene:</translation>
    </message>
    <message>
        <source>Rounds played:</source>
        <translation>Gespielte Runden:</translation>
    </message>
    <message>
        <source>Won:</source>
        <translation>Gewonnen:</translation>
    </message>
    <message>
        <source>Win rate:</source>
        <translation>Gewinnquote:</translation>
    </message>
    <message>
        <source>Current streak:</source>
        <translation>Aktuelle Serie:</translation>
    </message>
    <message>
        <source>Best streak:</source>
        <translation>Beste Serie:</translation>
    </message>
    <message>
        <source>Average attempts of a win:</source>
        <translation>Versuche je Gewinn im Schnitt:</translation>
    </message>
    <message>
        <source>Rounds, newest first</source>
        <translation>Runden, neueste zuerst</translation>
    </message>
    <message>
        <source>&amp;Rounds, newest first:</source>
        <translation>&amp;Runden, neueste zuerst:</translation>
    </message>
    <message>
        <source>Guesses of the round</source>
        <translation>Versuche der Runde</translation>
    </message>
    <message>
        <source>&amp;Guesses of the round:</source>
        <translation>Versuc&amp;he der Runde:</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Forget all rounds...</source>
        <translation>Alle Runden &amp;vergessen...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Counting since %1</source>
        <translation>Gezählt seit %1</translation>
    </message>
    <message>
        <source>No rounds yet. Every round you play from now on is kept here: choose Druno &gt; New Game, and come back to see how you do.</source>
        <translation>Noch keine Runden. Jede Runde, die Sie ab jetzt spielen, wird hier festgehalten: Wählen Sie Druno &gt; Neues Spiel und sehen Sie danach hier, wie es Ihnen geht.</translation>
    </message>
    <message>
        <source>No rounds at this level yet.</source>
        <translation>Auf dieser Ebene noch keine Runden.</translation>
    </message>
    <message>
        <source>The journal %1 comes from a newer version of Druno and is left as it is.</source>
        <translation>Das Rundenbuch %1 stammt von einer neueren Version von Druno und bleibt, wie es ist.</translation>
    </message>
    <message>
        <source>The journal %1 cannot be read just now.</source>
        <translation>Das Rundenbuch %1 kann gerade nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>none won yet</source>
        <translation>noch keine gewonnen</translation>
    </message>
    <message>
        <source>Won at attempt %1: %2</source>
        <translation>Gewonnen beim %1. Versuch: %2</translation>
    </message>
    <message>
        <source>Lost: %1</source>
        <translation>Verloren: %1</translation>
    </message>
    <message>
        <source>Attempts of the won rounds, and the rounds lost</source>
        <translation>Versuche der gewonnenen Runden und die verlorenen Runden</translation>
    </message>
    <message>
        <source>Rounds %1 to %2: %3 % won</source>
        <translation>Runden %1 bis %2: %3 % gewonnen</translation>
    </message>
    <message>
        <source>%1.  %2   %3 in place, %4 elsewhere</source>
        <translation>%1.  %2   %3 am Platz, %4 woanders</translation>
    </message>
    <message>
        <source>No guess was made.</source>
        <translation>Kein Versuch gemacht.</translation>
    </message>
    <message>
        <source>The number was %1.</source>
        <translation>Die Zahl war %1.</translation>
    </message>
    <message>
        <source>Time taken: %1</source>
        <translation>Dauer: %1</translation>
    </message>
    <message>
        <source>Export Rounds</source>
        <translation>Runden exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The rounds could not be written to %1.</source>
        <translation>Die Runden konnten nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Forget every round in the journal? The statistics stay as they are.</source>
        <translation>Alle Runden im Rundenbuch vergessen? Die Statistik bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>The journal could not be emptied just now. Please try again later.</source>
        <translation>Das Rundenbuch konnte gerade nicht geleert werden. Bitte versuchen Sie es später noch einmal.</translation>
    </message>
    <message>
        <source>Win rate of the latest rounds</source>
        <translation>Gewinnquote der letzten Runden</translation>
    </message>
    <message>
        <source>Lost</source>
        <comment>the label of a chart&apos;s bar</comment>
        <translation>Verl.</translation>
    </message>
</context>
</TS>
