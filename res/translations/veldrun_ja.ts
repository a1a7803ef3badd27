<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Working...</source>
        <translation>処理中...</translation>
    </message>
    <message>
        <source>Verifying file %i of %i</source>
        <translation>ファイルを検証中 (%i / %i)</translation>
    </message>
    <message>
        <source>Progressing file %i of %i</source>
        <translation>ファイルを処理中 (%i / %i)</translation>
    </message>
    <message>
        <source>Recording %i of %i: </source>
        <translation>録画 %i / %i: </translation>
    </message>
    <message>
        <source>Writing to disk...</source>
        <translation>ディスクに書き込み中...</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
</context>
<context>
    <name>CVeldrunDlg</name>
    <message>
        <source>Select Streams</source>
        <translation>ストリームの選択</translation>
    </message>
    <message>
        <source>Too many files were selected at once. Add them in smaller groups.</source>
        <translation>一度に選択されたファイルが多すぎます。何回かに分けて追加してください。</translation>
    </message>
    <message>
        <source>&lt;None selected&gt;</source>
        <translation>&lt;選択なし&gt;</translation>
    </message>
    <message>
        <source>&lt;N/A&gt;</source>
        <translation>&lt;該当なし&gt;</translation>
    </message>
    <message>
        <source>Merge error: Can&apos;t convert file name</source>
        <translation>結合エラー: ファイル名を変換できません</translation>
    </message>
    <message>
        <source>Merge error: %1</source>
        <translation>結合エラー: %1</translation>
    </message>
    <message>
        <source>Quit Veldrun and forget the list of 1 clip?</source>
        <translation>Veldrun を終了して、1 個のクリップのリストを破棄しますか？</translation>
    </message>
    <message numerus="yes">
        <source>Quit Veldrun and forget the list of %n clips?</source>
        <translation>
            <numerusform>Veldrun を終了して、%n 個のクリップのリストを破棄しますか？</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>ClipFacts</name>
    <message>
        <source>New recording: its clock does not continue from the clip above</source>
        <translation>新しい録画: 時刻情報が上のクリップから続いていません</translation>
    </message>
    <message>
        <source>Not a transport stream</source>
        <translation>トランスポートストリームではありません</translation>
    </message>
    <message>
        <source>Can&apos;t tell whether it continues the clip above: one of them has no clock</source>
        <translation>上のクリップの続きかどうか判別できません: どちらかに時刻情報がありません</translation>
    </message>
    <message>
        <source>file date</source>
        <translation>ファイルの日付</translation>
    </message>
    <message>
        <source>1 clip</source>
        <translation>クリップ 1 個</translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation>読み取れません</translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation>読み取れません: %1</translation>
    </message>
    <message>
        <source>Listed twice: the same file as entry %1</source>
        <translation>重複: 項目 %1 と同じファイルです</translation>
    </message>
    <message>
        <source>one recording</source>
        <translation>録画 1 件</translation>
    </message>
    <message>
        <source>1 not a transport stream</source>
        <translation>トランスポートストリーム以外 1 個</translation>
    </message>
    <message>
        <source>%1 in all</source>
        <translation>合計 %1</translation>
    </message>
    <message numerus="yes">
        <source>%n of them %1</source>
        <translation>
            <numerusform>うち %n 個の合計 %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 は読み取れません</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be read</source>
        <translation>%1 と %2 は読み取れません</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more cannot be read</source>
        <translation>
            <numerusform>%1 ほか %n 個は読み取れません</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips</source>
        <translation>
            <numerusform>クリップ %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>録画 %n 件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not transport streams</source>
        <translation>
            <numerusform>トランスポートストリーム以外 %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n listed twice</source>
        <translation>
            <numerusform>重複 %n 件</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClipTable</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>録画日時</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>長さ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>フォルダー</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists camcorder clips (.mts) in a dialog and joins them into one file.
Qt&apos;s options, such as -platform NAME, -display DISPLAY, -style NAME and -reverse, work as in every Qt program.</source>
        <translation>ビデオカメラのクリップ (.mts) をダイアログに一覧表示し、1 つのファイルに結合します。
-platform NAME、-display DISPLAY、-style NAME、-reverse などの Qt のオプションは、ほかの Qt プログラムと同じように使えます。</translation>
    </message>
    <message>
        <source>A clip to list, or a folder of clips. A name that begins with a dash is given as ./-name.</source>
        <translation>一覧に加えるクリップ、またはクリップのフォルダー。ダッシュで始まる名前は ./-name のように指定します。</translation>
    </message>
    <message>
        <source>file</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>[file...]</source>
        <translation>[ファイル...]</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>About Veldrun</source>
        <translation>Veldrun について</translation>
    </message>
    <message>
        <source>Veldrun Version 1.0</source>
        <translation>Veldrun バージョン 1.0</translation>
    </message>
    <message>
        <source>Joins clips byte for byte.</source>
        <translation>クリップをバイト単位でそのまま結合します。</translation>
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
        <translation>追加(&amp;A)</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>フォルダ(&amp;F)...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>削除(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Input Files:</source>
        <translation>入力ファイル(&amp;I):</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>上へ移動(&amp;U)</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>下へ移動(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>結合(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Output File:</source>
        <translation>出力ファイル(&amp;O):</translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation>選択(&amp;S)...</translation>
    </message>
    <message>
        <source>One file &amp;per recording</source>
        <translation>録画ごとに 1 ファイル(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>書き込み後に検証(&amp;V)</translation>
    </message>
    <message>
        <source>Current Selection:</source>
        <translation>現在の選択:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>ファイルサイズ:</translation>
    </message>
    <message>
        <source>Merging in progress</source>
        <translation>結合しています</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>Can&apos;t create output file</source>
        <translation>出力ファイルを作成できません</translation>
    </message>
    <message>
        <source>Can&apos;t open input file</source>
        <translation>入力ファイルを開けません</translation>
    </message>
    <message>
        <source>User aborted operation</source>
        <translation>ユーザーが操作を中止しました</translation>
    </message>
    <message>
        <source>Output file is also an input file</source>
        <translation>出力ファイルが入力ファイルにも含まれています</translation>
    </message>
    <message>
        <source>Can&apos;t write output file</source>
        <translation>出力ファイルに書き込めません</translation>
    </message>
    <message>
        <source>Can&apos;t read input file</source>
        <translation>入力ファイルを読み取れません</translation>
    </message>
    <message>
        <source>Not enough free space for the output file</source>
        <translation>出力ファイルを書き込む空き容量が足りません</translation>
    </message>
    <message>
        <source>Input file changed during merging</source>
        <translation>結合中に入力ファイルが変更されました</translation>
    </message>
    <message>
        <source>Output file does not match its inputs</source>
        <translation>出力ファイルが入力ファイルと一致しません</translation>
    </message>
    <message>
        <source>Can&apos;t read output file</source>
        <translation>出力ファイルを読み取れません</translation>
    </message>
    <message>
        <source>Output file is too large for its file system</source>
        <translation>出力ファイルがこのファイルシステムには大きすぎます</translation>
    </message>
    <message>
        <source>Can&apos;t start merge thread</source>
        <translation>結合スレッドを開始できません</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>不明なエラー</translation>
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
        <translation>カーネルの設定または情報 (/proc または /sys 内) であり、データ用のファイルではありません</translation>
    </message>
    <message>
        <source>the open file cannot be found again</source>
        <translation>開いていたファイルを再度見つけられません</translation>
    </message>
    <message>
        <source>another file has taken its name since</source>
        <translation>その後、同じ名前の別のファイルに置き換えられています</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>もう存在しません</translation>
    </message>
    <message>
        <source>its size cannot be read</source>
        <translation>サイズを読み取れません</translation>
    </message>
    <message>
        <source>the inputs together hold more bytes than any file can</source>
        <translation>入力ファイルの合計バイト数が、1 つのファイルに収められる上限を超えています</translation>
    </message>
    <message>
        <source>the inputs and what %1 holds before them come to more bytes than any file can</source>
        <translation>%1 に既にある内容と入力ファイルの合計バイト数が、1 つのファイルに収められる上限を超えています</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes measured</source>
        <translation>計測された %2 バイトのうち %1 バイトで終わりました</translation>
    </message>
    <message>
        <source>another file took its name since it was measured</source>
        <translation>計測後に同じ名前の別のファイルに置き換えられました</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes since it was measured</source>
        <translation>計測後にサイズが %1 バイトから %2 バイトに変わりました</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its modification time changed since it was measured</source>
        <translation>計測後にサイズが %1 バイトから %2 バイトに変わり、更新日時も変わりました</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes and its change time changed since it was measured</source>
        <translation>計測後にサイズが %1 バイトから %2 バイトに変わり、状態変更日時も変わりました</translation>
    </message>
    <message>
        <source>its size went from %1 to %2 bytes, its modification time and its change time changed since it was measured</source>
        <translation>計測後にサイズが %1 バイトから %2 バイトに変わり、更新日時と状態変更日時も変わりました</translation>
    </message>
    <message>
        <source>its modification time changed since it was measured</source>
        <translation>計測後に更新日時が変わりました</translation>
    </message>
    <message>
        <source>its change time changed since it was measured</source>
        <translation>計測後に状態変更日時が変わりました</translation>
    </message>
    <message>
        <source>its modification time and its change time changed since it was measured</source>
        <translation>計測後に更新日時と状態変更日時が変わりました</translation>
    </message>
    <message>
        <source>%1 is the same file as the input %2</source>
        <translation>%1 は入力ファイル %2 と同じファイルです</translation>
    </message>
    <message>
        <source>%1 is also the output of an earlier recording of the run</source>
        <translation>%1 は、今回の結合で先に処理した録画の出力ファイルでもあります</translation>
    </message>
    <message>
        <source>no program is reading this pipe, so nothing could be written to it</source>
        <translation>このパイプを読み取っているプログラムがないため、書き込めませんでした</translation>
    </message>
    <message>
        <source>another merge is writing this file; wait until it is done</source>
        <translation>別の結合処理がこのファイルに書き込んでいます。終わるまでお待ちください</translation>
    </message>
    <message>
        <source>the file could not be locked against other merges: %1</source>
        <translation>ほかの結合処理による書き込みを防ぐロックをかけられませんでした: %1</translation>
    </message>
    <message>
        <source>another program changed the output file</source>
        <translation>別のプログラムが出力ファイルを変更しました</translation>
    </message>
    <message>
        <source>needs %1, %2 free on %3</source>
        <extracomment>%1 is the size the output needs, %2 the free space, %3 the file system&apos;s folder.</extracomment>
        <translation>%1 必要ですが、%3 の空き容量は %2 です</translation>
    </message>
    <message numerus="yes">
        <source>%n output files need %1 together, %2 free on %3</source>
        <translation>
            <numerusform>%n 個の出力ファイルに合計 %1 必要ですが、%3 の空き容量は %2 です</numerusform>
        </translation>
    </message>
    <message>
        <source>needs %1 on %2: %3</source>
        <extracomment>%1 is a size, %2 the file system&apos;s folder, %3 the system&apos;s reason.</extracomment>
        <translation>%2 に %1 の領域が必要です: %3</translation>
    </message>
    <message>
        <source>needs %1; the file system on %2 holds files of at most %3</source>
        <translation>%1 必要ですが、%2 のファイルシステムではファイルの最大サイズが %3 です</translation>
    </message>
    <message>
        <source>%1 needs %2; the file system on %3 holds files of at most %4</source>
        <translation>%1 には %2 必要ですが、%3 のファイルシステムではファイルの最大サイズが %4 です</translation>
    </message>
    <message>
        <source>needs %1; this program may write files of at most %2 (its file size limit)</source>
        <translation>%1 必要ですが、このプログラムが書き込めるファイルは最大 %2 です (ファイルサイズの制限)</translation>
    </message>
    <message>
        <source>%1 needs %2; this program may write files of at most %3 (its file size limit)</source>
        <translation>%1 には %2 必要ですが、このプログラムが書き込めるファイルは最大 %3 です (ファイルサイズの制限)</translation>
    </message>
    <message>
        <source>%1 while writing it to the disk</source>
        <extracomment>%1 is the system&apos;s reason.</extracomment>
        <translation>%1 (ディスクへの書き込み中)</translation>
    </message>
    <message>
        <source>%1 while setting its modification time</source>
        <translation>%1 (更新日時の設定中)</translation>
    </message>
    <message>
        <source>%1 while closing it</source>
        <translation>%1 (ファイルを閉じる際)</translation>
    </message>
    <message>
        <source>%1 while verifying</source>
        <translation>%1 (検証中)</translation>
    </message>
    <message>
        <source>it cannot be read from byte %1</source>
        <translation>%1 バイト目以降を読み取れません</translation>
    </message>
    <message>
        <source>it ends after %1 bytes, short of the %2 that its inputs fill</source>
        <translation>%1 バイトで終わっており、入力ファイルの合計 %2 バイトに足りません</translation>
    </message>
    <message>
        <source>it ended after %1 of the %2 bytes merged from it</source>
        <translation>結合した %2 バイトのうち %1 バイトで終わりました</translation>
    </message>
    <message>
        <source>byte %1 differs from byte %2 of %3</source>
        <extracomment>%1 and %2 are byte positions, %3 the input&apos;s name.</extracomment>
        <translation>%1 バイト目が %3 の %2 バイト目と異なります</translation>
    </message>
    <message>
        <source>what is in %1 cannot be trusted</source>
        <translation>%1 の内容は信頼できません</translation>
    </message>
    <message>
        <source>%1 is left empty</source>
        <translation>%1 は空のままです</translation>
    </message>
    <message>
        <source>%1 written before the cancel are left in %2</source>
        <extracomment>%1 is a size, %2 the output&apos;s name.</extracomment>
        <translation>中止前に書き込まれた %1 が %2 に残っています</translation>
    </message>
    <message>
        <source>%1 written before the failure are left in %2</source>
        <translation>エラー発生前に書き込まれた %1 が %2 に残っています</translation>
    </message>
    <message>
        <source>the space reserved beyond them could not be given back: %1</source>
        <extracomment>&quot;them&quot;: the bytes written. %1 is the system&apos;s reason.</extracomment>
        <translation>書き込んだ分を超えて確保した領域を解放できませんでした: %1</translation>
    </message>
    <message>
        <source>%1 is left in place as it was written</source>
        <translation>%1 は書き込まれたままの状態で残っています</translation>
    </message>
    <message>
        <source>%1 is complete but not verified</source>
        <translation>%1 は完成していますが、検証されていません</translation>
    </message>
    <message>
        <source>the system refused a new thread: %1</source>
        <translation>システムが新しいスレッドの作成を拒否しました: %1</translation>
    </message>
    <message>
        <source>the merge was stopped by a failure of an unknown kind</source>
        <translation>不明な種類のエラーにより結合が中断されました</translation>
    </message>
    <message>
        <source>Not a regular file (a pipe or a device)</source>
        <translation>通常のファイルではありません (パイプまたはデバイス)</translation>
    </message>
</context>
<context>
    <name>FolderSearch</name>
    <message>
        <source>Select Folder</source>
        <translation>フォルダーの選択</translation>
    </message>
    <message>
        <source>No clips found in %1</source>
        <translation>%1 にクリップが見つかりません</translation>
    </message>
    <message>
        <source>1 folder in %1 could not be read; clips in it may be missing.</source>
        <translation>%1 内のフォルダー 1 個を読み取れませんでした。その中のクリップが漏れている可能性があります。</translation>
    </message>
    <message>
        <source>Searching for Clips</source>
        <translation>クリップの検索</translation>
    </message>
    <message>
        <source>1 folder searched</source>
        <translation>フォルダー 1 個を検索済み</translation>
    </message>
    <message>
        <source>1 clip found</source>
        <translation>クリップ 1 個を検出</translation>
    </message>
    <message>
        <source>Searching for clips in %1
%2, %3</source>
        <translation>%1 でクリップを検索しています
%2、%3</translation>
    </message>
    <message numerus="yes">
        <source>%n folders in %1 could not be read; clips in it may be missing.</source>
        <translation>
            <numerusform>%1 内のフォルダー %n 個を読み取れませんでした。その中のクリップが漏れている可能性があります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders searched</source>
        <translation>
            <numerusform>フォルダー %n 個を検索済み</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clips found</source>
        <translation>
            <numerusform>クリップ %n 個を検出</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JoinQuestion</name>
    <message>
        <source>&amp;Join</source>
        <translation>結合(&amp;J)</translation>
    </message>
    <message>
        <source>One File per &amp;Recording</source>
        <translation>録画ごとに 1 ファイル(&amp;R)</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>&amp;Remove</source>
        <translation>削除(&amp;R)</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>上へ移動(&amp;U)</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>下へ移動(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Sort by Name</source>
        <translation>名前順に並べ替え(&amp;S)</translation>
    </message>
    <message>
        <source>Order by &amp;Recording</source>
        <translation>録画順に並べ替え(&amp;O)</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>フォルダーを追加(&amp;F)...</translation>
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
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 B</source>
        <extracomment>A size below 1,000 bytes; %1 is the number of bytes.</extracomment>
        <translation>%1 バイト</translation>
    </message>
    <message>
        <source>%1 BYTES</source>
        <extracomment>The File Size field&apos;s unit below 1,000,000 bytes; %1 is the number of bytes.</extracomment>
        <translation>%1 バイト</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <extracomment>A speed in decimal megabytes per second.</extracomment>
        <translation>%1 MB/秒</translation>
    </message>
    <message>
        <source>%1 kB/s</source>
        <translation>%1 KB/秒</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>残り約 %1 秒</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>残り約 %1 分</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>残り約 %1 時間 %2 分</translation>
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
        <translation>結合が完了しました</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>フォルダーを開く(&amp;O)</translation>
    </message>
    <message>
        <source>Merging cancelled.</source>
        <translation>結合を中止しました。</translation>
    </message>
    <message>
        <source>%1 written so far are left in %2.
Do you want to delete this partial file?</source>
        <translation>これまでに書き込まれた %1 が %2 に残っています。
この不完全なファイルを削除しますか？</translation>
    </message>
    <message>
        <source>Can&apos;t delete the partial file %1
%2</source>
        <translation>不完全なファイル %1 を削除できません
%2</translation>
    </message>
    <message>
        <source>Can&apos;t open the folder %1
No file manager took it.</source>
        <translation>フォルダー %1 を開けません
これを開くファイルマネージャーが見つかりませんでした。</translation>
    </message>
    <message>
        <source>(named from the file date)</source>
        <translation>(ファイルの日付から命名)</translation>
    </message>
    <message>
        <source>Verifying was cancelled: the output is complete but not verified.</source>
        <translation>検証は中止されました: 出力は完成していますが、検証されていません。</translation>
    </message>
    <message>
        <source>Verified: the output matches its inputs byte for byte.</source>
        <translation>検証済み: 出力は入力とバイト単位で一致しています。</translation>
    </message>
    <message>
        <source>Not verified: the output is not a regular file, which cannot be read back.</source>
        <translation>未検証: 出力は通常のファイルではないため、読み返すことができません。</translation>
    </message>
</context>
<context>
    <name>OutputChoice</name>
    <message>
        <source>Select Output Folder</source>
        <translation>出力フォルダーの選択</translation>
    </message>
    <message>
        <source>Some clips are still being read.
Merge once they all are, so that each recording is found.</source>
        <translation>まだ読み込み中のクリップがあります。
すべての録画が見つかるよう、読み込みが終わってから結合してください。</translation>
    </message>
</context>
<context>
    <name>OutputPlan</name>
    <message>
        <source>1 of the %1 files already exists in %2.
Do you want to replace it?</source>
        <translation>%1 個のファイルのうち 1 個が %2 に既に存在します。
置き換えますか？</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 は既に存在します。
置き換えますか？</translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 files already exist in %2.
Do you want to replace them?</source>
        <translation>
            <numerusform>%1 個のファイルのうち %n 個が %2 に既に存在します。
置き換えますか？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list holds %n separate recordings.
Join them into one file anyway?</source>
        <translation>
            <numerusform>リストには別々の録画が %n 件あります。
それでも 1 つのファイルに結合しますか？</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StreamFilter</name>
    <message>
        <source>MTS Files (*.mts)</source>
        <translation>MTS ファイル (*.mts)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>すべてのファイル (*.*)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>&amp;About Veldrun...</source>
        <translation>Veldrun について(&amp;A)...</translation>
    </message>
    <message>
        <source>cannot open a display; start Veldrun from a desktop session, or use veldrun-cli</source>
        <translation>ディスプレイを開けません。デスクトップセッションから Veldrun を起動するか、veldrun-cli を使用してください</translation>
    </message>
</context>
</TS>
