<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Working...</source>
        <translation>Traitement en cours...</translation>
    </message>
    <message>
        <source>Verifying file %i of %i</source>
        <translation>Vérification du fichier %i sur %i</translation>
    </message>
    <message>
        <source>Progressing file %i of %i</source>
        <translation>Traitement du fichier %i sur %i</translation>
    </message>
    <message>
        <source>Recording %i of %i: </source>
        <translation>Enregistrement %i sur %i&#xa0;: </translation>
    </message>
    <message>
        <source>Writing to disk...</source>
        <translation>Écriture sur le disque...</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>CVeldrunDlg</name>
    <message>
        <source>Select Streams</source>
        <translation>Sélectionner les flux</translation>
    </message>
    <message>
        <source>Too many files were selected at once. Add them in smaller groups.</source>
        <translation>Trop de fichiers ont été sélectionnés à la fois. Ajoutez-les par groupes plus petits.</translation>
    </message>
    <message>
        <source>&lt;None selected&gt;</source>
        <translation>&lt;Aucune sélection&gt;</translation>
    </message>
    <message>
        <source>&lt;N/A&gt;</source>
        <translation>&lt;N/D&gt;</translation>
    </message>
    <message>
        <source>Merge error: Can&apos;t convert file name</source>
        <translation>Erreur de fusion&#xa0;: impossible de convertir le nom de fichier</translation>
    </message>
    <message>
        <source>Merge error: %1</source>
        <translation>Erreur de fusion&#xa0;: %1</translation>
    </message>
    <message>
        <source>Quit Veldrun and forget the list of 1 clip?</source>
        <translation>Quitter Veldrun et oublier la liste de 1 clip&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>Quit Veldrun and forget the list of %n clips?</source>
        <translation>
            <numerusform>Quitter Veldrun et oublier la liste de %n clip&#xa0;?</numerusform>
            <numerusform>Quitter Veldrun et oublier la liste de %n clips&#xa0;?</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>ClipFacts</name>
    <message>
        <source>New recording: its clock does not continue from the clip above</source>
        <translation>Nouvel enregistrement&#xa0;: son horloge ne fait pas suite à celle du clip ci-dessus</translation>
    </message>
    <message>
        <source>Not a transport stream</source>
        <translation>Pas un flux de transport</translation>
    </message>
    <message>
        <source>Can&apos;t tell whether it continues the clip above: one of them has no clock</source>
        <translation>Impossible de savoir s&apos;il fait suite au clip ci-dessus&#xa0;: l&apos;un des deux n&apos;a pas d&apos;horloge</translation>
    </message>
    <message>
        <source>file date</source>
        <translation>date du fichier</translation>
    </message>
    <message>
        <source>1 clip</source>
        <translation>1 clip</translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation>Illisible</translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation>Illisible&#xa0;: %1</translation>
    </message>
    <message>
        <source>Listed twice: the same file as entry %1</source>
        <translation>En double&#xa0;: même fichier que l&apos;entrée %1</translation>
    </message>
    <message>
        <source>one recording</source>
        <translation>un enregistrement</translation>
    </message>
    <message>
        <source>1 not a transport stream</source>
        <translation>1 fichier qui n&apos;est pas un flux de transport</translation>
    </message>
    <message>
        <source>%1 in all</source>
        <translation>%1 au total</translation>
    </message>
    <message numerus="yes">
        <source>%n of them %1</source>
        <translation>
            <numerusform>dont %n de %1</numerusform>
            <numerusform>dont %n totalisant %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 est illisible</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be read</source>
        <translation>%1 et %2 sont illisibles</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more cannot be read</source>
        <translation>
            <numerusform>%1 et %n autre sont illisibles</numerusform>
            <numerusform>%1 et %n autres sont illisibles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips</source>
        <translation>
            <numerusform>%n clip</numerusform>
            <numerusform>%n clips</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>%n enregistrement</numerusform>
            <numerusform>%n enregistrements</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not transport streams</source>
        <translation>
            <numerusform>%n fichier qui n&apos;est pas un flux de transport</numerusform>
            <numerusform>%n fichiers qui ne sont pas des flux de transport</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n listed twice</source>
        <translation>
            <numerusform>%n en double</numerusform>
            <numerusform>%n en double</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClipTable</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists camcorder clips (.mts) in a dialog and joins them into one file.
Qt&apos;s options, such as -platform NAME, -display DISPLAY, -style NAME and -reverse, work as in every Qt program.</source>
        <translation>Affiche des clips de caméscope (.mts) dans une boîte de dialogue et les réunit en un seul fichier.
Les options de Qt, comme -platform NOM, -display AFFICHAGE, -style NOM et -reverse, fonctionnent comme dans tout programme Qt.</translation>
    </message>
    <message>
        <source>A clip to list, or a folder of clips. A name that begins with a dash is given as ./-name.</source>
        <translation>Un clip à ajouter à la liste, ou un dossier de clips. Un nom qui commence par un tiret s’écrit ./-nom.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>fichier</translation>
    </message>
    <message>
        <source>[file...]</source>
        <translation>[fichier...]</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>About Veldrun</source>
        <translation>À propos de Veldrun</translation>
    </message>
    <message>
        <source>Veldrun Version 1.0</source>
        <translation>Veldrun version 1.0</translation>
    </message>
    <message>
        <source>Joins clips byte for byte.</source>
        <translation>Réunit les clips octet par octet.</translation>
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
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>D&amp;ossier...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>&amp;Input Files:</source>
        <translation>Fichiers d&apos;&amp;entrée&#xa0;:</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Monter</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>&amp;Descendre</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Fusionner</translation>
    </message>
    <message>
        <source>&amp;Output File:</source>
        <translation>Fichier de &amp;sortie&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation>&amp;Choisir...</translation>
    </message>
    <message>
        <source>One file &amp;per recording</source>
        <translation>Un fichier &amp;par enregistrement</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>&amp;Vérifier après l&apos;écriture</translation>
    </message>
    <message>
        <source>Current Selection:</source>
        <translation>Sélection actuelle&#xa0;:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Taille du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Merging in progress</source>
        <translation>Fusion en cours</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>Can&apos;t create output file</source>
        <translation>Impossible de créer le fichier de sortie</translation>
    </message>
    <message>
        <source>Can&apos;t open input file</source>
        <translation>Impossible d&apos;ouvrir le fichier d&apos;entrée</translation>
    </message>
    <message>
        <source>User aborted operation</source>
        <translation>Opération annulée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Output file is also an input file</source>
        <translation>Le fichier de sortie est aussi un fichier d&apos;entrée</translation>
    </message>
    <message>
        <source>Can&apos;t write output file</source>
        <translation>Impossible d&apos;écrire le fichier de sortie</translation>
    </message>
    <message>
        <source>Can&apos;t read input file</source>
        <translation>Impossible de lire le fichier d&apos;entrée</translation>
    </message>
    <message>
        <source>Not enough free space for the output file</source>
        <translation>Espace libre insuffisant pour le fichier de sortie</translation>
    </message>
    <message>
        <source>Input file changed during merging</source>
        <translation>Un fichier d&apos;entrée a été modifié pendant la fusion</translation>
    </message>
    <message>
        <source>Output file does not match its inputs</source>
        <translation>Le fichier de sortie ne correspond pas à ses fichiers d&apos;entrée</translation>
    </message>
    <message>
        <source>Can&apos;t read output file</source>
        <translation>Impossible de lire le fichier de sortie</translation>
    </message>
    <message>
        <source>Output file is too large for its file system</source>
        <translation>Le fichier de sortie est trop volumineux pour son système de fichiers</translation>
    </message>
    <message>
        <source>Can&apos;t start merge thread</source>
        <translation>Impossible de démarrer le thread de fusion</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <extracomment>Two notes of an error&apos;s detail, one after the other.</extracomment>
        <translation>%1&#xa0;; %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A note about a file: %1 is the file&apos;s name, %2 what the note says of it.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>a setting or report of the kernel (in /proc or /sys), not a file for data</source>
        <translation>un réglage ou un rapport du noyau (dans /proc ou /sys), pas un fichier de données</translation>
    </message>
    <message>
        <source>the open file cannot be found again</source>
        <translation>impossible de retrouver le fichier ouvert</translation>
    </message>
    <message>
        <source>another file has taken its name since</source>
        <translation>un autre fichier porte désormais son nom</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>il n&apos;existe plus</translation>
    </message>
    <message>
        <source>its size cannot be read</source>
        <translation>impossible de lire sa taille</translation>
    </message>
    <message>
        <source>the inputs together hold more bytes than any file can</source>
        <translation>les entrées réunies comptent plus d&apos;octets qu&apos;un fichier ne peut en contenir</translation>
    </message>
    <message>
        <source>the inputs and what %1 holds before them come to more bytes than any file can</source>
        <translation>les entrées et ce que %1 contient avant elles totalisent plus d&apos;octets qu&apos;un fichier ne peut en contenir</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes measured</source>
        <translation>il s&apos;est terminé après %1 des %2 octets mesurés</translation>
    </message>
    <message>
        <source>another file took its name since it was measured</source>
        <translation>il a été remplacé par un autre fichier du même nom depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes since it was measured</source>
        <translation>sa taille est passée de %1 à %2 octets depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its modification time changed since it was measured</source>
        <translation>sa taille est passée de %1 à %2 octets et sa date de modification a changé depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its change time changed since it was measured</source>
        <translation>sa taille est passée de %1 à %2 octets et sa date de changement d&apos;état a changé depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes, its modification time and its change time changed since it was measured</source>
        <translation>sa taille est passée de %1 à %2 octets, et ses dates de modification et de changement d&apos;état ont changé depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its modification time changed since it was measured</source>
        <translation>sa date de modification a changé depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its change time changed since it was measured</source>
        <translation>sa date de changement d&apos;état a changé depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>its modification time and its change time changed since it was measured</source>
        <translation>ses dates de modification et de changement d&apos;état ont changé depuis qu&apos;il a été mesuré</translation>
    </message>
    <message>
        <source>%1 is the same file as the input %2</source>
        <translation>%1 est le même fichier que l&apos;entrée %2</translation>
    </message>
    <message>
        <source>%1 is also the output of an earlier recording of the run</source>
        <translation>%1 est aussi le fichier de sortie d&apos;un enregistrement précédent de cette fusion</translation>
    </message>
    <message>
        <source>no program is reading this pipe, so nothing could be written to it</source>
        <translation>aucun programme ne lit ce tube, rien n&apos;a donc pu y être écrit</translation>
    </message>
    <message>
        <source>another merge is writing this file; wait until it is done</source>
        <translation>une autre fusion est en train d&apos;écrire ce fichier&#xa0;; attendez qu&apos;elle soit terminée</translation>
    </message>
    <message>
        <source>the file could not be locked against other merges: %1</source>
        <translation>impossible de verrouiller le fichier pour le protéger des autres fusions&#xa0;: %1</translation>
    </message>
    <message>
        <source>another program changed the output file</source>
        <translation>un autre programme a modifié le fichier de sortie</translation>
    </message>
    <message>
        <source>needs %1, %2 free on %3</source>
        <extracomment>%1 is the size the output needs, %2 the free space, %3 the file system&apos;s folder.</extracomment>
        <translation>%1 nécessaires, %2 libres sur %3</translation>
    </message>
    <message numerus="yes">
        <source>%n output files need %1 together, %2 free on %3</source>
        <translation>
            <numerusform>%n fichier de sortie nécessite %1 au total, %2 libres sur %3</numerusform>
            <numerusform>%n fichiers de sortie nécessitent %1 au total, %2 libres sur %3</numerusform>
        </translation>
    </message>
    <message>
        <source>needs %1 on %2: %3</source>
        <extracomment>%1 is a size, %2 the file system&apos;s folder, %3 the system&apos;s reason.</extracomment>
        <translation>%1 nécessaires sur %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>needs %1; the file system on %2 holds files of at most %3</source>
        <translation>%1 nécessaires&#xa0;; le système de fichiers de %2 n&apos;accepte pas de fichiers de plus de %3</translation>
    </message>
    <message>
        <source>%1 needs %2; the file system on %3 holds files of at most %4</source>
        <translation>%1 nécessite %2&#xa0;; le système de fichiers de %3 n&apos;accepte pas de fichiers de plus de %4</translation>
    </message>
    <message>
        <source>needs %1; this program may write files of at most %2 (its file size limit)</source>
        <translation>%1 nécessaires&#xa0;; ce programme ne peut pas écrire de fichiers de plus de %2 (sa limite de taille de fichier)</translation>
    </message>
    <message>
        <source>%1 needs %2; this program may write files of at most %3 (its file size limit)</source>
        <translation>%1 nécessite %2&#xa0;; ce programme ne peut pas écrire de fichiers de plus de %3 (sa limite de taille de fichier)</translation>
    </message>
    <message>
        <source>%1 while writing it to the disk</source>
        <extracomment>%1 is the system&apos;s reason.</extracomment>
        <translation>%1 lors de son écriture sur le disque</translation>
    </message>
    <message>
        <source>%1 while setting its modification time</source>
        <translation>%1 lors de la définition de sa date de modification</translation>
    </message>
    <message>
        <source>%1 while closing it</source>
        <translation>%1 lors de sa fermeture</translation>
    </message>
    <message>
        <source>%1 while verifying</source>
        <translation>%1 lors de la vérification</translation>
    </message>
    <message>
        <source>it cannot be read from byte %1</source>
        <translation>il est illisible à partir de l&apos;octet %1</translation>
    </message>
    <message>
        <source>it ends after %1 bytes, short of the %2 that its inputs fill</source>
        <translation>il s&apos;arrête après %1 octets, alors que ses entrées en remplissent %2</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes merged from it</source>
        <translation>il s&apos;est terminé après %1 des %2 octets qui en ont été fusionnés</translation>
    </message>
    <message>
        <source>byte %1 differs from byte %2 of %3</source>
        <extracomment>%1 and %2 are byte positions, %3 the input&apos;s name.</extracomment>
        <translation>l&apos;octet %1 diffère de l&apos;octet %2 de %3</translation>
    </message>
    <message>
        <source>what is in %1 cannot be trusted</source>
        <translation>le contenu de %1 n&apos;est pas fiable</translation>
    </message>
    <message>
        <source>%1 is left empty</source>
        <translation>%1 reste vide</translation>
    </message>
    <message>
        <source>%1 written before the cancel are left in %2</source>
        <extracomment>%1 is a size, %2 the output&apos;s name.</extracomment>
        <translation>les %1 écrits avant l&apos;annulation restent dans %2</translation>
    </message>
    <message>
        <source>%1 written before the failure are left in %2</source>
        <translation>les %1 écrits avant l&apos;erreur restent dans %2</translation>
    </message>
    <message>
        <source>the space reserved beyond them could not be given back: %1</source>
        <extracomment>&quot;them&quot;: the bytes written. %1 is the system&apos;s reason.</extracomment>
        <translation>l&apos;espace réservé au-delà n&apos;a pas pu être libéré&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 is left in place as it was written</source>
        <translation>%1 reste en place tel qu&apos;il a été écrit</translation>
    </message>
    <message>
        <source>%1 is complete but not verified</source>
        <translation>%1 est complet mais n&apos;a pas été vérifié</translation>
    </message>
    <message>
        <source>the system refused a new thread: %1</source>
        <translation>le système a refusé un nouveau thread&#xa0;: %1</translation>
    </message>
    <message>
        <source>the merge was stopped by a failure of an unknown kind</source>
        <translation>la fusion a été arrêtée par une erreur de nature inconnue</translation>
    </message>
    <message>
        <source>Not a regular file (a pipe or a device)</source>
        <translation>Pas un fichier ordinaire (un tube ou un périphérique)</translation>
    </message>
</context>
<context>
    <name>FolderSearch</name>
    <message>
        <source>Select Folder</source>
        <translation>Sélectionner un dossier</translation>
    </message>
    <message>
        <source>No clips found in %1</source>
        <translation>Aucun clip trouvé dans %1</translation>
    </message>
    <message>
        <source>1 folder in %1 could not be read; clips in it may be missing.</source>
        <translation>1 dossier de %1 n&apos;a pas pu être lu&#xa0;; il se peut que des clips qu&apos;il contient manquent.</translation>
    </message>
    <message>
        <source>Searching for Clips</source>
        <translation>Recherche de clips</translation>
    </message>
    <message>
        <source>1 folder searched</source>
        <translation>1 dossier parcouru</translation>
    </message>
    <message>
        <source>1 clip found</source>
        <translation>1 clip trouvé</translation>
    </message>
    <message>
        <source>Searching for clips in %1
%2, %3</source>
        <translation>Recherche de clips dans %1
%2, %3</translation>
    </message>
    <message numerus="yes">
        <source>%n folders in %1 could not be read; clips in it may be missing.</source>
        <translation>
            <numerusform>%n dossier de %1 n&apos;a pas pu être lu&#xa0;; il se peut que des clips qu&apos;il contient manquent.</numerusform>
            <numerusform>%n dossiers de %1 n&apos;ont pas pu être lus&#xa0;; il se peut que des clips qu&apos;ils contiennent manquent.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders searched</source>
        <translation>
            <numerusform>%n dossier parcouru</numerusform>
            <numerusform>%n dossiers parcourus</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips found</source>
        <translation>
            <numerusform>%n clip trouvé</numerusform>
            <numerusform>%n clips trouvés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JoinQuestion</name>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Réunir</translation>
    </message>
    <message>
        <source>One File per &amp;Recording</source>
        <translation>Un fichier par &amp;enregistrement</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Monter</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>&amp;Descendre</translation>
    </message>
    <message>
        <source>&amp;Sort by Name</source>
        <translation>&amp;Trier par nom</translation>
    </message>
    <message>
        <source>Order by &amp;Recording</source>
        <translation>Classer par &amp;enregistrement</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>Ajouter un d&amp;ossier...</translation>
    </message>
</context>
<context>
    <name>LocalFormat</name>
    <message>
        <source>%1 GB</source>
        <extracomment>Sizes are decimal: 1 GB is 1,000,000,000 bytes. %1 is the number, with its decimals.</extracomment>
        <translation>%1 Go</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 ko</translation>
    </message>
    <message>
        <source>%1 B</source>
        <extracomment>A size below 1,000 bytes; %1 is the number of bytes.</extracomment>
        <translation>%1 o</translation>
    </message>
    <message>
        <source>%1 BYTES</source>
        <extracomment>The File Size field&apos;s unit below 1,000,000 bytes; %1 is the number of bytes.</extracomment>
        <translation>%1 OCTETS</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <extracomment>A speed in decimal megabytes per second.</extracomment>
        <translation>%1 Mo/s</translation>
    </message>
    <message>
        <source>%1 kB/s</source>
        <translation>%1 ko/s</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>environ %1 s restantes</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>environ %1 min restantes</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>environ %1 h %2 min restantes</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <extracomment>Sizes are decimal: 1 TB is 1,000,000,000,000 bytes.</extracomment>
        <translation>%1 To</translation>
    </message>
    <message>
        <source>%1 PB</source>
        <extracomment>Sizes are decimal: 1 PB is 1,000,000,000,000,000 bytes.</extracomment>
        <translation>%1 Po</translation>
    </message>
</context>
<context>
    <name>MergeReport</name>
    <message>
        <source>Merging complete</source>
        <translation>Fusion terminée</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>&amp;Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Merging cancelled.</source>
        <translation>Fusion annulée.</translation>
    </message>
    <message>
        <source>%1 written so far are left in %2.
Do you want to delete this partial file?</source>
        <translation>Les %1 déjà écrits restent dans %2.
Voulez-vous supprimer ce fichier partiel&#xa0;?</translation>
    </message>
    <message>
        <source>Can&apos;t delete the partial file %1
%2</source>
        <translation>Impossible de supprimer le fichier partiel %1
%2</translation>
    </message>
    <message>
        <source>Can&apos;t open the folder %1
No file manager took it.</source>
        <translation>Impossible d&apos;ouvrir le dossier %1
Aucun gestionnaire de fichiers ne l&apos;a pris en charge.</translation>
    </message>
    <message>
        <source>(named from the file date)</source>
        <translation>(nommé d&apos;après la date du fichier)</translation>
    </message>
    <message>
        <source>Verifying was cancelled: the output is complete but not verified.</source>
        <translation>Vérification annulée&#xa0;: la sortie est complète mais n&apos;a pas été vérifiée.</translation>
    </message>
    <message>
        <source>Verified: the output matches its inputs byte for byte.</source>
        <translation>Vérifié&#xa0;: la sortie correspond octet par octet à ses entrées.</translation>
    </message>
    <message>
        <source>Not verified: the output is not a regular file, which cannot be read back.</source>
        <translation>Non vérifié&#xa0;: la sortie n&apos;est pas un fichier ordinaire et ne peut donc pas être relue.</translation>
    </message>
</context>
<context>
    <name>OutputChoice</name>
    <message>
        <source>Select Output Folder</source>
        <translation>Sélectionner le dossier de sortie</translation>
    </message>
    <message>
        <source>Some clips are still being read.
Merge once they all are, so that each recording is found.</source>
        <translation>Certains clips sont encore en cours de lecture.
Lancez la fusion une fois qu&apos;ils auront tous été lus, afin que chaque enregistrement soit détecté.</translation>
    </message>
</context>
<context>
    <name>OutputPlan</name>
    <message>
        <source>1 of the %1 files already exists in %2.
Do you want to replace it?</source>
        <translation>1 des %1 fichiers existe déjà dans %2.
Voulez-vous le remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 files already exist in %2.
Do you want to replace them?</source>
        <translation>
            <numerusform>%n des %1 fichiers existe déjà dans %2.
Voulez-vous le remplacer&#xa0;?</numerusform>
            <numerusform>%n des %1 fichiers existent déjà dans %2.
Voulez-vous les remplacer&#xa0;?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list holds %n separate recordings.
Join them into one file anyway?</source>
        <translation>
            <numerusform>La liste contient %n enregistrement distinct.
Le réunir quand même en un seul fichier&#xa0;?</numerusform>
            <numerusform>La liste contient %n enregistrements distincts.
Les réunir quand même en un seul fichier&#xa0;?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StreamFilter</name>
    <message>
        <source>MTS Files (*.mts)</source>
        <translation>Fichiers MTS (*.mts)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>&amp;About Veldrun...</source>
        <translation>À &amp;propos de Veldrun...</translation>
    </message>
    <message>
        <source>cannot open a display; start Veldrun from a desktop session, or use veldrun-cli</source>
        <translation>impossible d&apos;ouvrir un affichage ; lancez Veldrun depuis une session de bureau ou utilisez veldrun-cli</translation>
    </message>
</context>
</TS>
