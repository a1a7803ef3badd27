<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Working...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying file %i of %i</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progressing file %i of %i</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording %i of %i: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing to disk...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVeldrunDlg</name>
    <message>
        <source>Select Streams</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many files were selected at once. Add them in smaller groups.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;None selected&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;N/A&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge error: Can&apos;t convert file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Veldrun and forget the list of 1 clip?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Quit Veldrun and forget the list of %n clips?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClipFacts</name>
    <message>
        <source>New recording: its clock does not continue from the clip above</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a transport stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t tell whether it continues the clip above: one of them has no clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 clip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listed twice: the same file as entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 not a transport stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in all</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n of them %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more cannot be read</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not transport streams</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n listed twice</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClipTable</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>About Veldrun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veldrun Version 1.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joins clips byte for byte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veldrun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Input Files:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Output File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One file &amp;per recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Selection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merging in progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>Can&apos;t create output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t open input file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User aborted operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file is also an input file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t write output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t read input file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough free space for the output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input file changed during merging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file does not match its inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t read output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file is too large for its file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t start merge thread</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderSearch</name>
    <message>
        <source>Select Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No clips found in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 folder in %1 could not be read; clips in it may be missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching for Clips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 folder searched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 clip found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching for clips in %1
%2, %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n folders in %1 could not be read; clips in it may be missing.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders searched</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips found</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JoinQuestion</name>
    <message>
        <source>&amp;Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One File per &amp;Recording</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sort by Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order by &amp;Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MergeReport</name>
    <message>
        <source>Merging complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merging cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 written so far are left in %2.
Do you want to delete this partial file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t delete the partial file %1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t open the folder %1
No file manager took it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(named from the file date)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying was cancelled: the output is complete but not verified.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verified: the output matches its inputs byte for byte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not verified: the output is not a regular file, which cannot be read back.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputChoice</name>
    <message>
        <source>Select Output Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some clips are still being read.
Merge once they all are, so that each recording is found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputPlan</name>
    <message>
        <source>1 of the %1 files already exists in %2.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 files already exist in %2.
Do you want to replace them?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list holds %n separate recordings.
Join them into one file anyway?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StreamFilter</name>
    <message>
        <source>MTS Files (*.mts)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>&amp;About Veldrun...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot open a display; start Veldrun from a desktop session, or use veldrun-cli</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
