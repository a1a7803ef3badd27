<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Working...</source>
        <translation>Procesando...</translation>
    </message>
    <message>
        <source>Verifying file %i of %i</source>
        <translation>Verificando el archivo %i de %i</translation>
    </message>
    <message>
        <source>Progressing file %i of %i</source>
        <translation>Procesando el archivo %i de %i</translation>
    </message>
    <message>
        <source>Recording %i of %i: </source>
        <translation>Grabación %i de %i: </translation>
    </message>
    <message>
        <source>Writing to disk...</source>
        <translation>Escribiendo en el disco...</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>CVeldrunDlg</name>
    <message>
        <source>Select Streams</source>
        <translation>Seleccionar flujos</translation>
    </message>
    <message>
        <source>Too many files were selected at once. Add them in smaller groups.</source>
        <translation>Se seleccionaron demasiados archivos a la vez. Agréguelos en grupos más pequeños.</translation>
    </message>
    <message>
        <source>&lt;None selected&gt;</source>
        <translation>&lt;Sin selección&gt;</translation>
    </message>
    <message>
        <source>&lt;N/A&gt;</source>
        <translation>&lt;N/D&gt;</translation>
    </message>
    <message>
        <source>Merge error: Can&apos;t convert file name</source>
        <translation>Error al unir: no se puede convertir el nombre de archivo</translation>
    </message>
    <message>
        <source>Merge error: %1</source>
        <translation>Error al unir: %1</translation>
    </message>
    <message>
        <source>Quit Veldrun and forget the list of 1 clip?</source>
        <translation>¿Salir de Veldrun y descartar la lista de 1 clip?</translation>
    </message>
    <message numerus="yes">
        <source>Quit Veldrun and forget the list of %n clips?</source>
        <translation>
            <numerusform>¿Salir de Veldrun y descartar la lista de %n clip?</numerusform>
            <numerusform>¿Salir de Veldrun y descartar la lista de %n clips?</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>ClipFacts</name>
    <message>
        <source>New recording: its clock does not continue from the clip above</source>
        <translation>Nueva grabación: su reloj no continúa el del clip de arriba</translation>
    </message>
    <message>
        <source>Not a transport stream</source>
        <translation>No es un flujo de transporte</translation>
    </message>
    <message>
        <source>Can&apos;t tell whether it continues the clip above: one of them has no clock</source>
        <translation>No se puede saber si continúa el clip de arriba: uno de los dos no tiene reloj</translation>
    </message>
    <message>
        <source>file date</source>
        <translation>fecha del archivo</translation>
    </message>
    <message>
        <source>1 clip</source>
        <translation>1 clip</translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation>No se puede leer</translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation>No se puede leer: %1</translation>
    </message>
    <message>
        <source>Listed twice: the same file as entry %1</source>
        <translation>Aparece dos veces: es el mismo archivo que la entrada %1</translation>
    </message>
    <message>
        <source>one recording</source>
        <translation>una grabación</translation>
    </message>
    <message>
        <source>1 not a transport stream</source>
        <translation>1 no es un flujo de transporte</translation>
    </message>
    <message>
        <source>%1 in all</source>
        <translation>%1 en total</translation>
    </message>
    <message numerus="yes">
        <source>%n of them %1</source>
        <translation>
            <numerusform>%n de ellos ocupa %1</numerusform>
            <numerusform>%n de ellos ocupan %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 no se puede leer</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be read</source>
        <translation>%1 y %2 no se pueden leer</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more cannot be read</source>
        <translation>
            <numerusform>%1 y %n más no se pueden leer</numerusform>
            <numerusform>%1 y %n más no se pueden leer</numerusform>
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
            <numerusform>%n grabación</numerusform>
            <numerusform>%n grabaciones</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not transport streams</source>
        <translation>
            <numerusform>%n no es un flujo de transporte</numerusform>
            <numerusform>%n no son flujos de transporte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n listed twice</source>
        <translation>
            <numerusform>%n aparece dos veces</numerusform>
            <numerusform>%n aparecen dos veces</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClipTable</name>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Grabado</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists camcorder clips (.mts) in a dialog and joins them into one file.
Qt&apos;s options, such as -platform NAME, -display DISPLAY, -style NAME and -reverse, work as in every Qt program.</source>
        <translation>Muestra clips de videocámara (.mts) en un diálogo y los une en un solo archivo.
Las opciones de Qt, como -platform NOMBRE, -display PANTALLA, -style NOMBRE y -reverse, funcionan como en cualquier programa Qt.</translation>
    </message>
    <message>
        <source>A clip to list, or a folder of clips. A name that begins with a dash is given as ./-name.</source>
        <translation>Un clip para la lista, o una carpeta de clips. Un nombre que empieza por un guion se indica como ./-nombre.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>[file...]</source>
        <translation>[archivo...]</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>About Veldrun</source>
        <translation>Acerca de Veldrun</translation>
    </message>
    <message>
        <source>Veldrun Version 1.0</source>
        <translation>Veldrun versión 1.0</translation>
    </message>
    <message>
        <source>Joins clips byte for byte.</source>
        <translation>Une clips byte a byte.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Veldrun</source>
        <translation>Veldrun</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Agregar</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>&amp;Carpeta...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>&amp;Input Files:</source>
        <translation>Archivos de &amp;entrada:</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Subir</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>&amp;Bajar</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Unir</translation>
    </message>
    <message>
        <source>&amp;Output File:</source>
        <translation>Archivo de sa&amp;lida:</translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation>Selecci&amp;onar...</translation>
    </message>
    <message>
        <source>One file &amp;per recording</source>
        <translation>Un archivo &amp;por grabación</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>&amp;Verificar después de escribir</translation>
    </message>
    <message>
        <source>Current Selection:</source>
        <translation>Selección actual:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Tamaño del archivo:</translation>
    </message>
    <message>
        <source>Merging in progress</source>
        <translation>Unión en curso</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>Can&apos;t create output file</source>
        <translation>No se puede crear el archivo de salida</translation>
    </message>
    <message>
        <source>Can&apos;t open input file</source>
        <translation>No se puede abrir el archivo de entrada</translation>
    </message>
    <message>
        <source>User aborted operation</source>
        <translation>Operación cancelada por el usuario</translation>
    </message>
    <message>
        <source>Output file is also an input file</source>
        <translation>El archivo de salida también es un archivo de entrada</translation>
    </message>
    <message>
        <source>Can&apos;t write output file</source>
        <translation>No se puede escribir el archivo de salida</translation>
    </message>
    <message>
        <source>Can&apos;t read input file</source>
        <translation>No se puede leer el archivo de entrada</translation>
    </message>
    <message>
        <source>Not enough free space for the output file</source>
        <translation>No hay suficiente espacio libre para el archivo de salida</translation>
    </message>
    <message>
        <source>Input file changed during merging</source>
        <translation>Un archivo de entrada cambió durante la unión</translation>
    </message>
    <message>
        <source>Output file does not match its inputs</source>
        <translation>El archivo de salida no coincide con sus entradas</translation>
    </message>
    <message>
        <source>Can&apos;t read output file</source>
        <translation>No se puede leer el archivo de salida</translation>
    </message>
    <message>
        <source>Output file is too large for its file system</source>
        <translation>El archivo de salida es demasiado grande para su sistema de archivos</translation>
    </message>
    <message>
        <source>Can&apos;t start merge thread</source>
        <translation>No se puede iniciar el hilo de unión</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
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
        <translation>un ajuste o un informe del núcleo (en /proc o /sys), no un archivo de datos</translation>
    </message>
    <message>
        <source>the open file cannot be found again</source>
        <translation>no se puede volver a encontrar el archivo abierto</translation>
    </message>
    <message>
        <source>another file has taken its name since</source>
        <translation>otro archivo ha ocupado su nombre desde entonces</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>ya no está ahí</translation>
    </message>
    <message>
        <source>its size cannot be read</source>
        <translation>no se puede leer su tamaño</translation>
    </message>
    <message>
        <source>the inputs together hold more bytes than any file can</source>
        <translation>las entradas juntas suman más bytes de los que caben en un archivo</translation>
    </message>
    <message>
        <source>the inputs and what %1 holds before them come to more bytes than any file can</source>
        <translation>las entradas y lo que %1 contiene antes de ellas suman más bytes de los que caben en un archivo</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes measured</source>
        <translation>terminó tras %1 de los %2 bytes medidos</translation>
    </message>
    <message>
        <source>another file took its name since it was measured</source>
        <translation>otro archivo ha ocupado su nombre desde que se midió</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes since it was measured</source>
        <translation>su tamaño ha pasado de %1 a %2 bytes desde que se midió</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its modification time changed since it was measured</source>
        <translation>su tamaño ha pasado de %1 a %2 bytes y su fecha de modificación ha variado desde que se midió</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its change time changed since it was measured</source>
        <translation>su tamaño ha pasado de %1 a %2 bytes y su fecha de cambio ha variado desde que se midió</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes, its modification time and its change time changed since it was measured</source>
        <translation>su tamaño ha pasado de %1 a %2 bytes y han variado su fecha de modificación y su fecha de cambio desde que se midió</translation>
    </message>
    <message>
        <source>its modification time changed since it was measured</source>
        <translation>su fecha de modificación ha variado desde que se midió</translation>
    </message>
    <message>
        <source>its change time changed since it was measured</source>
        <translation>su fecha de cambio ha variado desde que se midió</translation>
    </message>
    <message>
        <source>its modification time and its change time changed since it was measured</source>
        <translation>su fecha de modificación y su fecha de cambio han variado desde que se midió</translation>
    </message>
    <message>
        <source>%1 is the same file as the input %2</source>
        <translation>%1 es el mismo archivo que la entrada %2</translation>
    </message>
    <message>
        <source>%1 is also the output of an earlier recording of the run</source>
        <translation>%1 también es la salida de una grabación anterior de esta unión</translation>
    </message>
    <message>
        <source>no program is reading this pipe, so nothing could be written to it</source>
        <translation>ningún programa está leyendo esta tubería, así que no se pudo escribir nada en ella</translation>
    </message>
    <message>
        <source>another merge is writing this file; wait until it is done</source>
        <translation>otra unión está escribiendo este archivo; espere a que termine</translation>
    </message>
    <message>
        <source>the file could not be locked against other merges: %1</source>
        <translation>no se pudo bloquear el archivo frente a otras uniones: %1</translation>
    </message>
    <message>
        <source>another program changed the output file</source>
        <translation>otro programa ha modificado el archivo de salida</translation>
    </message>
    <message>
        <source>needs %1, %2 free on %3</source>
        <extracomment>%1 is the size the output needs, %2 the free space, %3 the file system&apos;s folder.</extracomment>
        <translation>necesita %1 y hay %2 libres en %3</translation>
    </message>
    <message numerus="yes">
        <source>%n output files need %1 together, %2 free on %3</source>
        <translation>
            <numerusform>%n archivo de salida necesita %1 en total y hay %2 libres en %3</numerusform>
            <numerusform>%n archivos de salida necesitan %1 en total y hay %2 libres en %3</numerusform>
        </translation>
    </message>
    <message>
        <source>needs %1 on %2: %3</source>
        <extracomment>%1 is a size, %2 the file system&apos;s folder, %3 the system&apos;s reason.</extracomment>
        <translation>necesita %1 en %2: %3</translation>
    </message>
    <message>
        <source>needs %1; the file system on %2 holds files of at most %3</source>
        <translation>necesita %1; el sistema de archivos de %2 admite archivos de %3 como máximo</translation>
    </message>
    <message>
        <source>%1 needs %2; the file system on %3 holds files of at most %4</source>
        <translation>%1 necesita %2; el sistema de archivos de %3 admite archivos de %4 como máximo</translation>
    </message>
    <message>
        <source>needs %1; this program may write files of at most %2 (its file size limit)</source>
        <translation>necesita %1; este programa puede escribir archivos de %2 como máximo (su límite de tamaño de archivo)</translation>
    </message>
    <message>
        <source>%1 needs %2; this program may write files of at most %3 (its file size limit)</source>
        <translation>%1 necesita %2; este programa puede escribir archivos de %3 como máximo (su límite de tamaño de archivo)</translation>
    </message>
    <message>
        <source>%1 while writing it to the disk</source>
        <extracomment>%1 is the system&apos;s reason.</extracomment>
        <translation>%1 al escribirlo en el disco</translation>
    </message>
    <message>
        <source>%1 while setting its modification time</source>
        <translation>%1 al establecer su fecha de modificación</translation>
    </message>
    <message>
        <source>%1 while closing it</source>
        <translation>%1 al cerrarlo</translation>
    </message>
    <message>
        <source>%1 while verifying</source>
        <translation>%1 durante la verificación</translation>
    </message>
    <message>
        <source>it cannot be read from byte %1</source>
        <translation>no se puede leer a partir del byte %1</translation>
    </message>
    <message>
        <source>it ends after %1 bytes, short of the %2 that its inputs fill</source>
        <translation>termina tras %1 bytes, sin llegar a los %2 que ocupan sus entradas</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes merged from it</source>
        <translation>terminó tras %1 de los %2 bytes que aportó a la unión</translation>
    </message>
    <message>
        <source>byte %1 differs from byte %2 of %3</source>
        <extracomment>%1 and %2 are byte positions, %3 the input&apos;s name.</extracomment>
        <translation>el byte %1 difiere del byte %2 de %3</translation>
    </message>
    <message>
        <source>what is in %1 cannot be trusted</source>
        <translation>no se puede confiar en el contenido de %1</translation>
    </message>
    <message>
        <source>%1 is left empty</source>
        <translation>%1 queda vacío</translation>
    </message>
    <message>
        <source>%1 written before the cancel are left in %2</source>
        <extracomment>%1 is a size, %2 the output&apos;s name.</extracomment>
        <translation>los %1 escritos antes de la cancelación quedan en %2</translation>
    </message>
    <message>
        <source>%1 written before the failure are left in %2</source>
        <translation>los %1 escritos antes del error quedan en %2</translation>
    </message>
    <message>
        <source>the space reserved beyond them could not be given back: %1</source>
        <extracomment>&quot;them&quot;: the bytes written. %1 is the system&apos;s reason.</extracomment>
        <translation>no se pudo liberar el espacio reservado tras ellos: %1</translation>
    </message>
    <message>
        <source>%1 is left in place as it was written</source>
        <translation>%1 queda en su sitio tal como se escribió</translation>
    </message>
    <message>
        <source>%1 is complete but not verified</source>
        <translation>%1 está completo, pero no verificado</translation>
    </message>
    <message>
        <source>the system refused a new thread: %1</source>
        <translation>el sistema se negó a crear un hilo nuevo: %1</translation>
    </message>
    <message>
        <source>the merge was stopped by a failure of an unknown kind</source>
        <translation>la unión se detuvo por un error de tipo desconocido</translation>
    </message>
    <message>
        <source>Not a regular file (a pipe or a device)</source>
        <translation>No es un archivo normal (una tubería o un dispositivo)</translation>
    </message>
</context>
<context>
    <name>FolderSearch</name>
    <message>
        <source>Select Folder</source>
        <translation>Seleccionar carpeta</translation>
    </message>
    <message>
        <source>No clips found in %1</source>
        <translation>No se encontraron clips en %1</translation>
    </message>
    <message>
        <source>1 folder in %1 could not be read; clips in it may be missing.</source>
        <translation>No se pudo leer 1 carpeta de %1; es posible que falten los clips que contiene.</translation>
    </message>
    <message>
        <source>Searching for Clips</source>
        <translation>Buscando clips</translation>
    </message>
    <message>
        <source>1 folder searched</source>
        <translation>1 carpeta examinada</translation>
    </message>
    <message>
        <source>1 clip found</source>
        <translation>1 clip encontrado</translation>
    </message>
    <message>
        <source>Searching for clips in %1
%2, %3</source>
        <translation>Buscando clips en %1
%2, %3</translation>
    </message>
    <message numerus="yes">
        <source>%n folders in %1 could not be read; clips in it may be missing.</source>
        <translation>
            <numerusform>No se pudo leer %n carpeta de %1; es posible que falten los clips que contiene.</numerusform>
            <numerusform>No se pudieron leer %n carpetas de %1; es posible que falten los clips que contienen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders searched</source>
        <translation>
            <numerusform>%n carpeta examinada</numerusform>
            <numerusform>%n carpetas examinadas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips found</source>
        <translation>
            <numerusform>%n clip encontrado</numerusform>
            <numerusform>%n clips encontrados</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JoinQuestion</name>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Unir</translation>
    </message>
    <message>
        <source>One File per &amp;Recording</source>
        <translation>Un archivo por &amp;grabación</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Subir</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>&amp;Bajar</translation>
    </message>
    <message>
        <source>&amp;Sort by Name</source>
        <translation>&amp;Ordenar por nombre</translation>
    </message>
    <message>
        <source>Order by &amp;Recording</source>
        <translation>Ordenar por &amp;grabación</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>Agregar &amp;carpeta...</translation>
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
        <translation>quedan unos %1 s</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>quedan unos %1 min</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>quedan unas %1 h %2 min</translation>
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
        <translation>Unión completada</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>&amp;Abrir carpeta</translation>
    </message>
    <message>
        <source>Merging cancelled.</source>
        <translation>Unión cancelada.</translation>
    </message>
    <message>
        <source>%1 written so far are left in %2.
Do you want to delete this partial file?</source>
        <translation>Los %1 escritos hasta ahora se han quedado en %2.
¿Desea eliminar este archivo incompleto?</translation>
    </message>
    <message>
        <source>Can&apos;t delete the partial file %1
%2</source>
        <translation>No se puede eliminar el archivo incompleto %1
%2</translation>
    </message>
    <message>
        <source>Can&apos;t open the folder %1
No file manager took it.</source>
        <translation>No se puede abrir la carpeta %1
Ningún gestor de archivos la ha abierto.</translation>
    </message>
    <message>
        <source>(named from the file date)</source>
        <translation>(nombrado según la fecha del archivo)</translation>
    </message>
    <message>
        <source>Verifying was cancelled: the output is complete but not verified.</source>
        <translation>Se canceló la verificación: la salida está completa, pero no verificada.</translation>
    </message>
    <message>
        <source>Verified: the output matches its inputs byte for byte.</source>
        <translation>Verificado: la salida coincide byte a byte con sus entradas.</translation>
    </message>
    <message>
        <source>Not verified: the output is not a regular file, which cannot be read back.</source>
        <translation>No verificado: la salida no es un archivo normal y no se puede volver a leer.</translation>
    </message>
</context>
<context>
    <name>OutputChoice</name>
    <message>
        <source>Select Output Folder</source>
        <translation>Seleccionar carpeta de salida</translation>
    </message>
    <message>
        <source>Some clips are still being read.
Merge once they all are, so that each recording is found.</source>
        <translation>Todavía se están leyendo algunos clips.
Una los clips cuando se hayan leído todos, para que se encuentre cada grabación.</translation>
    </message>
</context>
<context>
    <name>OutputPlan</name>
    <message>
        <source>1 of the %1 files already exists in %2.
Do you want to replace it?</source>
        <translation>1 de los %1 archivos ya existe en %2.
¿Desea reemplazarlo?</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ya existe.
¿Desea reemplazarlo?</translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 files already exist in %2.
Do you want to replace them?</source>
        <translation>
            <numerusform>%n de los %1 archivos ya existe en %2.
¿Desea reemplazarlo?</numerusform>
            <numerusform>%n de los %1 archivos ya existen en %2.
¿Desea reemplazarlos?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list holds %n separate recordings.
Join them into one file anyway?</source>
        <translation>
            <numerusform>La lista contiene %n grabación independiente.
¿Unirla en un solo archivo de todos modos?</numerusform>
            <numerusform>La lista contiene %n grabaciones independientes.
¿Unirlas en un solo archivo de todos modos?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StreamFilter</name>
    <message>
        <source>MTS Files (*.mts)</source>
        <translation>Archivos MTS (*.mts)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>&amp;About Veldrun...</source>
        <translation>&amp;Acerca de Veldrun...</translation>
    </message>
    <message>
        <source>cannot open a display; start Veldrun from a desktop session, or use veldrun-cli</source>
        <translation>no se puede abrir una pantalla; inicie Veldrun desde una sesión de escritorio o use veldrun-cli</translation>
    </message>
</context>
</TS>
