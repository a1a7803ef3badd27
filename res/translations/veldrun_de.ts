<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Working...</source>
        <translation>In Arbeit...</translation>
    </message>
    <message>
        <source>Verifying file %i of %i</source>
        <translation>Datei %i von %i wird geprüft</translation>
    </message>
    <message>
        <source>Progressing file %i of %i</source>
        <translation>Datei %i von %i wird verarbeitet</translation>
    </message>
    <message>
        <source>Recording %i of %i: </source>
        <translation>Aufnahme %i von %i: </translation>
    </message>
    <message>
        <source>Writing to disk...</source>
        <translation>Daten werden auf den Datenträger geschrieben...</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>CVeldrunDlg</name>
    <message>
        <source>Select Streams</source>
        <translation>Streams auswählen</translation>
    </message>
    <message>
        <source>Too many files were selected at once. Add them in smaller groups.</source>
        <translation>Es wurden zu viele Dateien auf einmal ausgewählt. Fügen Sie sie in kleineren Gruppen hinzu.</translation>
    </message>
    <message>
        <source>&lt;None selected&gt;</source>
        <translation>&lt;Keine Auswahl&gt;</translation>
    </message>
    <message>
        <source>&lt;N/A&gt;</source>
        <translation>&lt;k. A.&gt;</translation>
    </message>
    <message>
        <source>Merge error: Can&apos;t convert file name</source>
        <translation>Fehler beim Verbinden: Der Dateiname kann nicht umgewandelt werden</translation>
    </message>
    <message>
        <source>Merge error: %1</source>
        <translation>Fehler beim Verbinden: %1</translation>
    </message>
    <message>
        <source>Quit Veldrun and forget the list of 1 clip?</source>
        <translation>Veldrun beenden und die Liste mit 1 Clip verwerfen?</translation>
    </message>
    <message numerus="yes">
        <source>Quit Veldrun and forget the list of %n clips?</source>
        <translation>
            <numerusform>Veldrun beenden und die Liste mit %n Clip verwerfen?</numerusform>
            <numerusform>Veldrun beenden und die Liste mit %n Clips verwerfen?</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ClipFacts</name>
    <message>
        <source>New recording: its clock does not continue from the clip above</source>
        <translation>Neue Aufnahme: Ihre Uhr setzt die des Clips darüber nicht fort</translation>
    </message>
    <message>
        <source>Not a transport stream</source>
        <translation>Kein Transportstrom</translation>
    </message>
    <message>
        <source>Can&apos;t tell whether it continues the clip above: one of them has no clock</source>
        <translation>Nicht feststellbar, ob er den Clip darüber fortsetzt: Einer von beiden hat keine Uhr</translation>
    </message>
    <message>
        <source>file date</source>
        <translation>Dateidatum</translation>
    </message>
    <message>
        <source>1 clip</source>
        <translation>1 Clip</translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation>Nicht lesbar</translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation>Nicht lesbar: %1</translation>
    </message>
    <message>
        <source>Listed twice: the same file as entry %1</source>
        <translation>Doppelt aufgeführt: dieselbe Datei wie Eintrag %1</translation>
    </message>
    <message>
        <source>one recording</source>
        <translation>eine Aufnahme</translation>
    </message>
    <message>
        <source>1 not a transport stream</source>
        <translation>1 kein Transportstrom</translation>
    </message>
    <message>
        <source>%1 in all</source>
        <translation>%1 insgesamt</translation>
    </message>
    <message numerus="yes">
        <source>%n of them %1</source>
        <translation>
            <numerusform>davon %n zusammen %1</numerusform>
            <numerusform>davon %n zusammen %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 ist nicht lesbar</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be read</source>
        <translation>%1 und %2 sind nicht lesbar</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more cannot be read</source>
        <translation>
            <numerusform>%1 und %n weitere sind nicht lesbar</numerusform>
            <numerusform>%1 und %n weitere sind nicht lesbar</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips</source>
        <translation>
            <numerusform>%n Clip</numerusform>
            <numerusform>%n Clips</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>%n Aufnahme</numerusform>
            <numerusform>%n Aufnahmen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not transport streams</source>
        <translation>
            <numerusform>%n kein Transportstrom</numerusform>
            <numerusform>%n keine Transportströme</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n listed twice</source>
        <translation>
            <numerusform>%n doppelt aufgeführt</numerusform>
            <numerusform>%n doppelt aufgeführt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClipTable</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Aufgenommen</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists camcorder clips (.mts) in a dialog and joins them into one file.
Qt&apos;s options, such as -platform NAME, -display DISPLAY, -style NAME and -reverse, work as in every Qt program.</source>
        <translation>Listet Camcorder-Clips (.mts) in einem Dialog auf und fügt sie zu einer Datei zusammen.
Die Optionen von Qt, etwa -platform NAME, -display DISPLAY, -style NAME und -reverse, wirken wie in jedem Qt-Programm.</translation>
    </message>
    <message>
        <source>A clip to list, or a folder of clips. A name that begins with a dash is given as ./-name.</source>
        <translation>Ein Clip für die Liste oder ein Ordner mit Clips. Ein Name, der mit einem Bindestrich beginnt, wird als ./-name angegeben.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>[file...]</source>
        <translation>[Datei...]</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>About Veldrun</source>
        <translation>Über Veldrun</translation>
    </message>
    <message>
        <source>Veldrun Version 1.0</source>
        <translation>Veldrun Version 1.0</translation>
    </message>
    <message>
        <source>Joins clips byte for byte.</source>
        <translation>Verbindet Clips Byte für Byte.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Veldrun</source>
        <translation>Veldrun</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>&amp;Ordner...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Input Files:</source>
        <translation>E&amp;ingabedateien:</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach o&amp;ben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>&amp;Output File:</source>
        <translation>&amp;Ausgabedatei:</translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation>Aus&amp;wählen...</translation>
    </message>
    <message>
        <source>One file &amp;per recording</source>
        <translation>Eine Datei &amp;pro Aufnahme</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>&amp;Nach dem Schreiben prüfen</translation>
    </message>
    <message>
        <source>Current Selection:</source>
        <translation>Aktuelle Auswahl:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message>
        <source>Merging in progress</source>
        <translation>Verbinden läuft</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>Can&apos;t create output file</source>
        <translation>Die Ausgabedatei kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>Can&apos;t open input file</source>
        <translation>Die Eingabedatei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>User aborted operation</source>
        <translation>Vorgang vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>Output file is also an input file</source>
        <translation>Die Ausgabedatei ist auch eine Eingabedatei</translation>
    </message>
    <message>
        <source>Can&apos;t write output file</source>
        <translation>Die Ausgabedatei kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Can&apos;t read input file</source>
        <translation>Die Eingabedatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Not enough free space for the output file</source>
        <translation>Nicht genügend freier Speicherplatz für die Ausgabedatei</translation>
    </message>
    <message>
        <source>Input file changed during merging</source>
        <translation>Eine Eingabedatei hat sich während des Verbindens geändert</translation>
    </message>
    <message>
        <source>Output file does not match its inputs</source>
        <translation>Die Ausgabedatei stimmt nicht mit ihren Eingaben überein</translation>
    </message>
    <message>
        <source>Can&apos;t read output file</source>
        <translation>Die Ausgabedatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Output file is too large for its file system</source>
        <translation>Die Ausgabedatei ist zu groß für ihr Dateisystem</translation>
    </message>
    <message>
        <source>Can&apos;t start merge thread</source>
        <translation>Der Thread zum Verbinden kann nicht gestartet werden</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <extracomment>Two notes of an error&apos;s detail, one after the other.</extracomment>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A note about a file: %1 is the file&apos;s name, %2 what the note says of it.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>a setting or report of the kernel (in /proc or /sys), not a file for data</source>
        <translation>eine Einstellung oder Statusangabe des Kernels (in /proc oder /sys), keine Datei mit Daten</translation>
    </message>
    <message>
        <source>the open file cannot be found again</source>
        <translation>die geöffnete Datei ist nicht mehr auffindbar</translation>
    </message>
    <message>
        <source>another file has taken its name since</source>
        <translation>inzwischen trägt eine andere Datei diesen Namen</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>die Datei ist nicht mehr vorhanden</translation>
    </message>
    <message>
        <source>its size cannot be read</source>
        <translation>ihre Größe ist nicht lesbar</translation>
    </message>
    <message>
        <source>the inputs together hold more bytes than any file can</source>
        <translation>die Eingaben enthalten zusammen mehr Bytes, als eine Datei fassen kann</translation>
    </message>
    <message>
        <source>the inputs and what %1 holds before them come to more bytes than any file can</source>
        <translation>die Eingaben ergeben mit dem, was %1 vor ihnen enthält, mehr Bytes, als eine Datei fassen kann</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes measured</source>
        <translation>sie endete nach %1 der %2 erfassten Bytes</translation>
    </message>
    <message>
        <source>another file took its name since it was measured</source>
        <translation>seit der Erfassung trägt eine andere Datei ihren Namen</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes since it was measured</source>
        <translation>ihre Größe hat sich seit der Erfassung von %1 auf %2 Bytes geändert</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its modification time changed since it was measured</source>
        <translation>seit der Erfassung haben sich ihre Größe von %1 auf %2 Bytes und ihre Änderungszeit geändert</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its change time changed since it was measured</source>
        <translation>seit der Erfassung haben sich ihre Größe von %1 auf %2 Bytes und ihre Statusänderungszeit geändert</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes, its modification time and its change time changed since it was measured</source>
        <translation>seit der Erfassung haben sich ihre Größe von %1 auf %2 Bytes, ihre Änderungszeit und ihre Statusänderungszeit geändert</translation>
    </message>
    <message>
        <source>its modification time changed since it was measured</source>
        <translation>ihre Änderungszeit hat sich seit der Erfassung geändert</translation>
    </message>
    <message>
        <source>its change time changed since it was measured</source>
        <translation>ihre Statusänderungszeit hat sich seit der Erfassung geändert</translation>
    </message>
    <message>
        <source>its modification time and its change time changed since it was measured</source>
        <translation>ihre Änderungszeit und ihre Statusänderungszeit haben sich seit der Erfassung geändert</translation>
    </message>
    <message>
        <source>%1 is the same file as the input %2</source>
        <translation>%1 ist dieselbe Datei wie die Eingabedatei %2</translation>
    </message>
    <message>
        <source>%1 is also the output of an earlier recording of the run</source>
        <translation>%1 ist auch die Ausgabedatei einer früheren Aufnahme dieses Vorgangs</translation>
    </message>
    <message>
        <source>no program is reading this pipe, so nothing could be written to it</source>
        <translation>kein Programm liest aus dieser Pipe, daher konnte nichts hineingeschrieben werden</translation>
    </message>
    <message>
        <source>another merge is writing this file; wait until it is done</source>
        <translation>ein anderer Verbindungsvorgang schreibt gerade diese Datei; warten Sie, bis er abgeschlossen ist</translation>
    </message>
    <message>
        <source>the file could not be locked against other merges: %1</source>
        <translation>die Datei konnte nicht gegen andere Verbindungsvorgänge gesperrt werden: %1</translation>
    </message>
    <message>
        <source>another program changed the output file</source>
        <translation>ein anderes Programm hat die Ausgabedatei geändert</translation>
    </message>
    <message>
        <source>needs %1, %2 free on %3</source>
        <extracomment>%1 is the size the output needs, %2 the free space, %3 the file system&apos;s folder.</extracomment>
        <translation>benötigt %1, auf %3 sind %2 frei</translation>
    </message>
    <message numerus="yes">
        <source>%n output files need %1 together, %2 free on %3</source>
        <translation>
            <numerusform>%n Ausgabedatei benötigt %1, auf %3 sind %2 frei</numerusform>
            <numerusform>%n Ausgabedateien benötigen zusammen %1, auf %3 sind %2 frei</numerusform>
        </translation>
    </message>
    <message>
        <source>needs %1 on %2: %3</source>
        <extracomment>%1 is a size, %2 the file system&apos;s folder, %3 the system&apos;s reason.</extracomment>
        <translation>benötigt %1 auf %2: %3</translation>
    </message>
    <message>
        <source>needs %1; the file system on %2 holds files of at most %3</source>
        <translation>benötigt %1; das Dateisystem auf %2 erlaubt Dateien von höchstens %3</translation>
    </message>
    <message>
        <source>%1 needs %2; the file system on %3 holds files of at most %4</source>
        <translation>%1 benötigt %2; das Dateisystem auf %3 erlaubt Dateien von höchstens %4</translation>
    </message>
    <message>
        <source>needs %1; this program may write files of at most %2 (its file size limit)</source>
        <translation>benötigt %1; dieses Programm darf Dateien von höchstens %2 schreiben (seine Dateigrößenbeschränkung)</translation>
    </message>
    <message>
        <source>%1 needs %2; this program may write files of at most %3 (its file size limit)</source>
        <translation>%1 benötigt %2; dieses Programm darf Dateien von höchstens %3 schreiben (seine Dateigrößenbeschränkung)</translation>
    </message>
    <message>
        <source>%1 while writing it to the disk</source>
        <extracomment>%1 is the system&apos;s reason.</extracomment>
        <translation>%1 beim Schreiben auf den Datenträger</translation>
    </message>
    <message>
        <source>%1 while setting its modification time</source>
        <translation>%1 beim Setzen der Änderungszeit</translation>
    </message>
    <message>
        <source>%1 while closing it</source>
        <translation>%1 beim Schließen</translation>
    </message>
    <message>
        <source>%1 while verifying</source>
        <translation>%1 beim Prüfen</translation>
    </message>
    <message>
        <source>it cannot be read from byte %1</source>
        <translation>sie ist ab Byte %1 nicht lesbar</translation>
    </message>
    <message>
        <source>it ends after %1 bytes, short of the %2 that its inputs fill</source>
        <translation>sie endet nach %1 Bytes, ihre Eingaben ergeben jedoch %2</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes merged from it</source>
        <translation>sie endete nach %1 der %2 Bytes, die aus ihr übernommen wurden</translation>
    </message>
    <message>
        <source>byte %1 differs from byte %2 of %3</source>
        <extracomment>%1 and %2 are byte positions, %3 the input&apos;s name.</extracomment>
        <translation>Byte %1 unterscheidet sich von Byte %2 in %3</translation>
    </message>
    <message>
        <source>what is in %1 cannot be trusted</source>
        <translation>der Inhalt von %1 ist nicht verlässlich</translation>
    </message>
    <message>
        <source>%1 is left empty</source>
        <translation>%1 ist leer geblieben</translation>
    </message>
    <message>
        <source>%1 written before the cancel are left in %2</source>
        <extracomment>%1 is a size, %2 the output&apos;s name.</extracomment>
        <translation>die vor dem Abbrechen geschriebenen %1 sind in %2 verblieben</translation>
    </message>
    <message>
        <source>%1 written before the failure are left in %2</source>
        <translation>die vor dem Fehler geschriebenen %1 sind in %2 verblieben</translation>
    </message>
    <message>
        <source>the space reserved beyond them could not be given back: %1</source>
        <extracomment>&quot;them&quot;: the bytes written. %1 is the system&apos;s reason.</extracomment>
        <translation>der darüber hinaus reservierte Speicherplatz konnte nicht freigegeben werden: %1</translation>
    </message>
    <message>
        <source>%1 is left in place as it was written</source>
        <translation>%1 bleibt im geschriebenen Zustand erhalten</translation>
    </message>
    <message>
        <source>%1 is complete but not verified</source>
        <translation>%1 ist vollständig, aber nicht geprüft</translation>
    </message>
    <message>
        <source>the system refused a new thread: %1</source>
        <translation>das System hat keinen neuen Thread zugelassen: %1</translation>
    </message>
    <message>
        <source>the merge was stopped by a failure of an unknown kind</source>
        <translation>das Verbinden wurde durch einen Fehler unbekannter Art abgebrochen</translation>
    </message>
    <message>
        <source>Not a regular file (a pipe or a device)</source>
        <translation>Keine reguläre Datei (eine Pipe oder ein Gerät)</translation>
    </message>
</context>
<context>
    <name>FolderSearch</name>
    <message>
        <source>Select Folder</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>No clips found in %1</source>
        <translation>In %1 wurden keine Clips gefunden</translation>
    </message>
    <message>
        <source>1 folder in %1 could not be read; clips in it may be missing.</source>
        <translation>1 Ordner in %1 konnte nicht gelesen werden; Clips darin fehlen möglicherweise.</translation>
    </message>
    <message>
        <source>Searching for Clips</source>
        <translation>Suche nach Clips</translation>
    </message>
    <message>
        <source>1 folder searched</source>
        <translation>1 Ordner durchsucht</translation>
    </message>
    <message>
        <source>1 clip found</source>
        <translation>1 Clip gefunden</translation>
    </message>
    <message>
        <source>Searching for clips in %1
%2, %3</source>
        <translation>Suche nach Clips in %1
%2, %3</translation>
    </message>
    <message numerus="yes">
        <source>%n folders in %1 could not be read; clips in it may be missing.</source>
        <translation>
            <numerusform>%n Ordner in %1 konnte nicht gelesen werden; Clips darin fehlen möglicherweise.</numerusform>
            <numerusform>%n Ordner in %1 konnten nicht gelesen werden; Clips darin fehlen möglicherweise.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders searched</source>
        <translation>
            <numerusform>%n Ordner durchsucht</numerusform>
            <numerusform>%n Ordner durchsucht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips found</source>
        <translation>
            <numerusform>%n Clip gefunden</numerusform>
            <numerusform>%n Clips gefunden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JoinQuestion</name>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>One File per &amp;Recording</source>
        <translation>Eine Datei pro &amp;Aufnahme</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach o&amp;ben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Sort by Name</source>
        <translation>Nach &amp;Namen sortieren</translation>
    </message>
    <message>
        <source>Order by &amp;Recording</source>
        <translation>Nach &amp;Aufnahme ordnen</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>&amp;Ordner hinzufügen...</translation>
    </message>
</context>
<context>
    <name>LocalFormat</name>
    <message>
        <source>%1 GB</source>
        <extracomment>Sizes are decimal: 1 GB is 1,000,000,000 bytes. %1 is the number, with its decimals.</extracomment>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 B</source>
        <extracomment>A size below 1,000 bytes; %1 is the number of bytes.</extracomment>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1 BYTES</source>
        <extracomment>The File Size field&apos;s unit below 1,000,000 bytes; %1 is the number of bytes.</extracomment>
        <translation>%1 BYTES</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <extracomment>A speed in decimal megabytes per second.</extracomment>
        <translation>%1 MB/s</translation>
    </message>
    <message>
        <source>%1 kB/s</source>
        <translation>%1 kB/s</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>noch etwa %1 s</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>noch etwa %1 min</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>noch etwa %1 h %2 min</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <extracomment>Sizes are decimal: 1 TB is 1,000,000,000,000 bytes.</extracomment>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 PB</source>
        <extracomment>Sizes are decimal: 1 PB is 1,000,000,000,000,000 bytes.</extracomment>
        <translation>%1 PB</translation>
    </message>
</context>
<context>
    <name>MergeReport</name>
    <message>
        <source>Merging complete</source>
        <translation>Verbinden abgeschlossen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>&amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>Merging cancelled.</source>
        <translation>Verbinden abgebrochen.</translation>
    </message>
    <message>
        <source>%1 written so far are left in %2.
Do you want to delete this partial file?</source>
        <translation>Die bisher geschriebenen %1 sind in %2 verblieben.
Möchten Sie diese unvollständige Datei löschen?</translation>
    </message>
    <message>
        <source>Can&apos;t delete the partial file %1
%2</source>
        <translation>Die unvollständige Datei %1 kann nicht gelöscht werden
%2</translation>
    </message>
    <message>
        <source>Can&apos;t open the folder %1
No file manager took it.</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden
Kein Dateimanager hat ihn übernommen.</translation>
    </message>
    <message>
        <source>(named from the file date)</source>
        <translation>(nach dem Dateidatum benannt)</translation>
    </message>
    <message>
        <source>Verifying was cancelled: the output is complete but not verified.</source>
        <translation>Die Prüfung wurde abgebrochen: Die Ausgabe ist vollständig, aber nicht geprüft.</translation>
    </message>
    <message>
        <source>Verified: the output matches its inputs byte for byte.</source>
        <translation>Geprüft: Die Ausgabe stimmt Byte für Byte mit ihren Eingaben überein.</translation>
    </message>
    <message>
        <source>Not verified: the output is not a regular file, which cannot be read back.</source>
        <translation>Nicht geprüft: Die Ausgabe ist keine reguläre Datei und kann nicht zurückgelesen werden.</translation>
    </message>
</context>
<context>
    <name>OutputChoice</name>
    <message>
        <source>Select Output Folder</source>
        <translation>Ausgabeordner auswählen</translation>
    </message>
    <message>
        <source>Some clips are still being read.
Merge once they all are, so that each recording is found.</source>
        <translation>Einige Clips werden noch gelesen.
Verbinden Sie erst, wenn alle gelesen sind, damit jede Aufnahme gefunden wird.</translation>
    </message>
</context>
<context>
    <name>OutputPlan</name>
    <message>
        <source>1 of the %1 files already exists in %2.
Do you want to replace it?</source>
        <translation>1 der %1 Dateien ist in %2 bereits vorhanden.
Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 files already exist in %2.
Do you want to replace them?</source>
        <translation>
            <numerusform>%n der %1 Dateien ist in %2 bereits vorhanden.
Möchten Sie sie ersetzen?</numerusform>
            <numerusform>%n der %1 Dateien sind in %2 bereits vorhanden.
Möchten Sie sie ersetzen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list holds %n separate recordings.
Join them into one file anyway?</source>
        <translation>
            <numerusform>Die Liste enthält %n getrennte Aufnahme.
Trotzdem zu einer Datei verbinden?</numerusform>
            <numerusform>Die Liste enthält %n getrennte Aufnahmen.
Trotzdem zu einer Datei verbinden?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StreamFilter</name>
    <message>
        <source>MTS Files (*.mts)</source>
        <translation>MTS-Dateien (*.mts)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>&amp;About Veldrun...</source>
        <translation>Ü&amp;ber Veldrun...</translation>
    </message>
    <message>
        <source>cannot open a display; start Veldrun from a desktop session, or use veldrun-cli</source>
        <translation>Anzeige kann nicht geöffnet werden; starten Sie Veldrun aus einer Desktop-Sitzung oder verwenden Sie veldrun-cli</translation>
    </message>
</context>
</TS>
