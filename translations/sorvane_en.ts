<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>FailureText</name>
    <message>
        <source>ディスクの容量が足りません。</source>
        <translation>There is not enough space on the disk.</translation>
    </message>
    <message>
        <source>アクセスが拒否されました。</source>
        <translation>Access was denied.</translation>
    </message>
    <message>
        <source>フォルダが見つかりません。</source>
        <translation>The folder cannot be found.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>同名のファイルがあります。</source>
        <translation>A file with the same name already exists.</translation>
    </message>
    <message>
        <source>退避したファイルが別のファイルに替わっています。</source>
        <translation>The file that was set aside has been replaced by another file.</translation>
    </message>
    <message>
        <source>ファイルを操作できませんでした。</source>
        <translation>The file could not be handled.</translation>
    </message>
    <message>
        <source>にコピーできませんでした。</source>
        <translation>: the file could not be copied into this folder. </translation>
    </message>
    <message>
        <source>に移動できませんでした。</source>
        <translation>: the file could not be moved into this folder. </translation>
    </message>
    <message>
        <source>元に戻せませんでした。</source>
        <translation>The last send could not be undone. </translation>
    </message>
    <message>
        <source>を元に戻せませんでした。</source>
        <translation> could not be put back. </translation>
    </message>
    <message>
        <source>はゴミ箱に移せないため、</source>
        <translation> could not be moved to the trash, so it was kept as </translation>
    </message>
    <message>
        <source>として残しました。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>同名のファイルがあります移動しますか？</source>
        <translation>A file with the same name already exists. Move the file anyway?</translation>
    </message>
</context>
<context>
    <name>FolderMessages</name>
    <message>
        <source>フォルダ名を入力してください。</source>
        <translation>Type a folder name.</translation>
    </message>
    <message>
        <source>. と .. はフォルダ名に使えません。</source>
        <translation>. and .. cannot be used as folder names.</translation>
    </message>
    <message>
        <source>一度に複階層のフォルダを作成することは出来ません。</source>
        <translation>Only one folder level can be created at a time.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダかファイルがあるので作成できません。</source>
        <translation>A folder or file with that name already exists, so the folder cannot be created.</translation>
    </message>
    <message>
        <source>フォルダ名が長すぎるので作成できません。</source>
        <translation>The folder name is too long, so the folder cannot be created.</translation>
    </message>
    <message>
        <source>このドライブでは使えない文字がフォルダ名にあるので作成できません。</source>
        <translation>The folder name contains a character this drive does not allow, so the folder cannot be created.</translation>
    </message>
    <message>
        <source>書き込みできない場所なので、フォルダを作成できません。</source>
        <translation>This place cannot be written to, so the folder cannot be created.</translation>
    </message>
    <message>
        <source>ドライブに空きがないので、フォルダを作成できません。</source>
        <translation>The drive is full, so the folder cannot be created.</translation>
    </message>
    <message>
        <source>フォルダの作成に失敗しました。</source>
        <translation>The folder could not be created.</translation>
    </message>
    <message>
        <source>ルートフォルダは削除できません。</source>
        <translation>The root folder cannot be removed.</translation>
    </message>
    <message>
        <source>ドライブがマウントされているフォルダなので削除できません。</source>
        <translation>A drive is mounted on this folder, so it cannot be removed.</translation>
    </message>
    <message>
        <source>下位下層にフォルダがあるので削除できません。</source>
        <translation>The folder holds other folders, so it cannot be removed.</translation>
    </message>
    <message>
        <source>フォルダにファイルがあるので削除できません。</source>
        <translation>The folder holds files, so it cannot be removed.</translation>
    </message>
    <message>
        <source>フォルダに隠しファイルがあるので削除できません。</source>
        <translation>The folder holds hidden files, so it cannot be removed.</translation>
    </message>
    <message>
        <source>書き込みできない場所なので、フォルダを削除できません。</source>
        <translation>This place cannot be written to, so the folder cannot be removed.</translation>
    </message>
    <message>
        <source>フォルダが見つからないので削除できません。</source>
        <translation>The folder cannot be found, so it cannot be removed.</translation>
    </message>
    <message>
        <source>フォルダの削除に失敗しました。</source>
        <translation>The folder could not be removed.</translation>
    </message>
    <message>
        <source>一括削除するフォルダが決まっていません。ファイル削除ボタンで確定してください。</source>
        <translation>No folder is assigned for Delete all. Assign one with the Deletion button.</translation>
    </message>
    <message>
        <source>ルートフォルダのファイルは一括削除できません。</source>
        <translation>The files of the root folder cannot be deleted all at once.</translation>
    </message>
    <message>
        <source>ホームフォルダのファイルは一括削除できません。</source>
        <translation>The files of the home folder cannot be deleted all at once.</translation>
    </message>
    <message>
        <source>プログラムのフォルダのファイルは一括削除できません。</source>
        <translation>The files of the program&apos;s own folder cannot be deleted all at once.</translation>
    </message>
    <message>
        <source>フォルダを開けないので、一括削除できません。</source>
        <translation>: the folder cannot be opened, so its files cannot be deleted all at once.</translation>
    </message>
    <message>
        <source>フォルダはシンボリックリンクなので、一括削除できません。</source>
        <translation>: this is a symbolic link, not a folder, so nothing behind it is deleted.</translation>
    </message>
    <message>
        <source>フォルダが見つからないので、一括削除できません。</source>
        <translation>: the folder cannot be found, so its files cannot be deleted all at once.</translation>
    </message>
</context>
<context>
    <name>sorvane::Dialog</name>
    <message>
        <source>スライドショーの表示時間は 1 から 32767 までの数で入力してください。</source>
        <translation>Enter the slideshow interval as a number from 1 to 32767.</translation>
    </message>
    <message>
        <source>Sorvaneを設定します。</source>
        <translation>Set up Sorvane.</translation>
    </message>
    <message>
        <source>オプションを確定してプログラムに戻ります。</source>
        <translation>Applies the options and returns to the program.</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>キャンセルします。</source>
        <translation>Leaves the options as they were.</translation>
    </message>
    <message>
        <source>オプション１</source>
        <translation>General</translation>
    </message>
    <message>
        <source>次回起動時にフォームのサイズを記憶する。</source>
        <translation>Remember the window size for the next start.</translation>
    </message>
    <message>
        <source>フォームのサイズを記憶することができます。</source>
        <translation>Keeps the size of the window for the next start.</translation>
    </message>
    <message>
        <source>実行時、エクステンドモードにする。</source>
        <translation>Use the extended layout during a run.</translation>
    </message>
    <message>
        <source>画像の表示領域を広く取ります。</source>
        <translation>Gives the picture a larger area.</translation>
    </message>
    <message>
        <source>ボタンを横置きにする。</source>
        <translation>Buttons in a row.</translation>
    </message>
    <message>
        <source>移動先フォルダのボタンを横型にします。</source>
        <translation>Lays out the destination buttons in a row.</translation>
    </message>
    <message>
        <source>ボタンを縦置きにする。</source>
        <translation>Buttons in a column.</translation>
    </message>
    <message>
        <source>移動先フォルダのボタンを縦型にします。</source>
        <translation>Lays out the destination buttons in a column.</translation>
    </message>
    <message>
        <source>次回起動時に元フォルダを記憶する。</source>
        <translation>Remember the source folder for the next start.</translation>
    </message>
    <message>
        <source>ファイルシステムに移動元フォルダを記憶させます。</source>
        <translation>Keeps the source folder for the next start.</translation>
    </message>
    <message>
        <source>関連付けられた拡張子からプログラムを起動する。</source>
        <translation>Open other files with their associated program.</translation>
    </message>
    <message>
        <source>拡張子に関連付けられたプログラムを起動します。</source>
        <translation>Starts the program associated with the file&apos;s type.</translation>
    </message>
    <message>
        <source>コピーモードにする。</source>
        <translation>Copy instead of moving.</translation>
    </message>
    <message>
        <source>移動モードからコピーモードに変更します。</source>
        <translation>Sends copy the files and leave the originals in place.</translation>
    </message>
    <message>
        <source>同名のファイルが存在するとき確認する。</source>
        <translation>Ask when a file with the same name exists.</translation>
    </message>
    <message>
        <source>Viewerオプション</source>
        <translation>Viewer</translation>
    </message>
    <message>
        <source>スライドショーの表示時間を入力してください。</source>
        <translation>Seconds per picture in a slideshow:</translation>
    </message>
    <message>
        <source>スライドショーの表示時間を設定できます。</source>
        <translation>Sets how long each picture of a slideshow shows.</translation>
    </message>
    <message>
        <source>秒単位で入力してください。</source>
        <translation>In seconds.</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>スライドショー繰り返し表示</source>
        <translation>Repeat the slideshow</translation>
    </message>
    <message>
        <source>スライドショーを繰り返し表示します。</source>
        <translation>Starts the slideshow over after the last picture.</translation>
    </message>
</context>
<context>
    <name>sorvane::ExtrasDialog</name>
    <message>
        <source>追加のオプションを設定します。</source>
        <translation>Sets the added options.</translation>
    </message>
    <message>
        <source>オプションを確定してプログラムに戻ります。</source>
        <translation>Applies the options and returns to the program.</translation>
    </message>
    <message>
        <source>キャンセルします。</source>
        <translation>Leaves the options as they were.</translation>
    </message>
    <message>
        <source>削除したファイルをごみ箱に入れる。</source>
        <translation>Put deleted files in the trash.</translation>
    </message>
    <message>
        <source>右クリックの削除と一括削除で、ファイルをごみ箱に入れます。</source>
        <translation>The right-click delete and the bulk delete put files in the trash.</translation>
    </message>
    <message>
        <source>同じ名前の関連ファイルも一緒に送る。</source>
        <translation>Send companion files of the same name along.</translation>
    </message>
    <message>
        <source>RAW と JPEG、.xmp などの同じ名前のファイルをまとめて送ります。</source>
        <translation>Sends RAW and JPEG files, .xmp sidecars and other files of the same name together.</translation>
    </message>
    <message>
        <source>追加オプションを保存できませんでした。次回の起動では元に戻ります。</source>
        <translation>The added options could not be saved. They will be as before at the next start.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>sorvane::FailureText</name>
    <message>
        <source>送りの履歴を書き込めませんでした。</source>
        <translation>The send journal could not be written.</translation>
    </message>
</context>
<context>
    <name>sorvane::Form1</name>
    <message>
        <source>アテンション</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>を削除しようとしています。<byte value="xd"/>
削除しますか？</source>
        <translation> is about to be deleted.<byte value="xd"/>
Delete it?</translation>
    </message>
    <message>
        <source>はファイルが壊れています<byte value="xd"/>
処理を中止します。</source>
        <translation>: the file is damaged.<byte value="xd"/>
Nothing was done.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>表示されているフォルダにファイルを移動します。</source>
        <translation>Sends the file to the folder shown.</translation>
    </message>
    <message>
        <source>元フォルダのパスです</source>
        <translation>The source folder&apos;s path</translation>
    </message>
    <message>
        <source>（無題）</source>
        <translation>(untitled)</translation>
    </message>
    <message>
        <source>選択されているファイルネームです</source>
        <translation>The selected file&apos;s name</translation>
    </message>
    <message>
        <source>フォルダ内の残りファイル数です</source>
        <translation>Files left in the folder</translation>
    </message>
    <message>
        <source>Capsキーの状態です。</source>
        <translation>State of the Caps Lock key.</translation>
    </message>
    <message>
        <source>Numキーの状態です。</source>
        <translation>State of the Num Lock key.</translation>
    </message>
    <message>
        <source>現在の日付です。</source>
        <translation>Today&apos;s date.</translation>
    </message>
    <message>
        <source>現在の時間です。</source>
        <translation>The time now.</translation>
    </message>
    <message>
        <source>移動元のドライブを選択できます。</source>
        <translation>Choose the drive to sort from.</translation>
    </message>
    <message>
        <source>移動元のフォルダを選択できます。</source>
        <translation>Choose the folder to sort.</translation>
    </message>
    <message>
        <source>マウスの左クリックで画像の確認ができます。ダブルクリックでViewerを起動します。右クリックで削除できます。</source>
        <translation>Click to preview a picture, double-click to open it in the viewer, right-click to delete it.</translation>
    </message>
    <message>
        <source>Sorvaneを開始します。</source>
        <translation>Starts sorting.</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>プログラムを終了します。</source>
        <translation>Exits the program.</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>このファイルを移動します。</source>
        <translation>The file a key sends now.</translation>
    </message>
    <message>
        <source>移動ファイル候補です。</source>
        <translation>A file that comes next.</translation>
    </message>
    <message>
        <source>フォルダの中にある残りのファイル数です。</source>
        <translation>Files left in the folder.</translation>
    </message>
    <message>
        <source>現在コピーモードです。</source>
        <translation>Copy mode is on: sends copy files.</translation>
    </message>
    <message>
        <source>コピーモード</source>
        <translation>Copy mode</translation>
    </message>
    <message>
        <source>移動元のフルパスを表示します。</source>
        <translation>Shows the full path of the file sent.</translation>
    </message>
    <message>
        <source>移動先のフルパスを表示します。</source>
        <translation>Shows the full path of the destination.</translation>
    </message>
    <message>
        <source>０キーで下のボタンに対応したフォルダに移動します。</source>
        <translation>Key 0 sends the file to the folder of the button below.</translation>
    </message>
    <message>
        <source>１０回までアンドゥできます。</source>
        <translation>Undoes the last sends, up to 10.</translation>
    </message>
    <message>
        <source>表示ビューです。フォームを大きくすると表示エリアが広がります。</source>
        <translation>The preview. A larger window gives it more room.</translation>
    </message>
    <message>
        <source>現在の表示ビューの大きさです。単位はピクセルです。</source>
        <translation>The size of the preview, in pixels.</translation>
    </message>
    <message>
        <source>画像本来の大きさです。単位はピクセルです。</source>
        <translation>The picture&apos;s own size, in pixels.</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>フォルダ選択</source>
        <translation>Folder Setup...</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>バージョン</source>
        <translation>Version...</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>関連付けられた実行ファイルを、起動出来ませんでした。</source>
        <translation>The associated program could not be started.</translation>
    </message>
    <message>
        <source>インターネットエクスプローラーを、起動出来ませんでした。</source>
        <translation>The web browser could not be started.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>に移動します。</source>
        <translation>: the file goes here.</translation>
    </message>
    <message>
        <source>設定ファイルを保存できませんでした。<byte value="xd"/>
</source>
        <translation>The settings file could not be saved.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>%1をごみ箱に入れられなかったので、削除せずに残しました。</source>
        <translation>%1 could not be put in the trash, so it was left undeleted.</translation>
    </message>
    <message>
        <source>追加オプション(&amp;X)...</source>
        <translation>More Options(&amp;X)...</translation>
    </message>
    <message>
        <source>送りの履歴</source>
        <translation>Send Journal</translation>
    </message>
</context>
<context>
    <name>sorvane::Form2</name>
    <message>
        <source>名前に &quot; を含むフォルダは設定ファイルに保存できないので、確定できません。</source>
        <translation>A folder whose name contains &quot; cannot be kept in the settings file, so it cannot be assigned.</translation>
    </message>
    <message>
        <source>フォルダのファイルをすべてを削除しますか?</source>
        <translation>: delete every file in this folder?</translation>
    </message>
    <message>
        <source>フォルダが別のフォルダに変わったので、ファイルを削除しませんでした。</source>
        <translation>: this name now leads to another folder, so no file was deleted.</translation>
    </message>
    <message>
        <source>%1個のファイルを削除できませんでした。</source>
        <translation>%1 file(s) could not be deleted.</translation>
    </message>
    <message>
        <source>新しいフォルダを作りますか?</source>
        <translation>Create a new folder?</translation>
    </message>
    <message>
        <source>フォルダを作成しましたが、開けませんでした。</source>
        <translation>: the folder was created but cannot be opened.</translation>
    </message>
    <message>
        <source>フォルダを削除しますか?</source>
        <translation>: remove this folder?</translation>
    </message>
    <message>
        <source>キャンセルされました。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>フォルダ選択</source>
        <translation>Folder Setup</translation>
    </message>
    <message>
        <source>移動先のドライブを選択でくます。</source>
        <translation>Choose the drive of a destination.</translation>
    </message>
    <message>
        <source>移動先のフォルダを選択できます。右クリックでフォルダの削除もできます。</source>
        <translation>Choose a destination folder. A right click removes the folder.</translation>
    </message>
    <message>
        <source>ファイル削除</source>
        <translation>Deletion</translation>
    </message>
    <message>
        <source>フォルダ０</source>
        <translation>Folder 0</translation>
    </message>
    <message>
        <source>一括削除するフォルダを確定できます。上記のファイルシステムでフォルダを選びフォルダボタンで確定してください。</source>
        <translation>Assigns the folder that Delete all empties. Choose the folder in the list above, then press the button.</translation>
    </message>
    <message>
        <source>移動先のフォルダをフォルダ０に確定します。上記のファイルシステムでフォルダを選びフォルダボタンで確定してください。</source>
        <translation>Assigns the destination of Folder 0. Choose the folder in the list above, then press the button.</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>プログラムに戻ります。</source>
        <translation>Returns to the program.</translation>
    </message>
    <message>
        <source>一括削除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>ファイル削除ボタンで選択したフォルダにあるファイルをすべて削除します。</source>
        <translation>Deletes every file in the folder assigned with the Deletion button.</translation>
    </message>
    <message>
        <source>フォルダボタン</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>移動先フォルダのフルパス</source>
        <translation>Full path of each destination</translation>
    </message>
    <message>
        <source>新しいフォルダを作る時は、作りたいフォルダの名前を入力してリターンキーで確定してください。</source>
        <translation> To create a new folder, type its name and press Return.</translation>
    </message>
    <message>
        <source>ファイル削除ボタンで確定したフォルダのフルパスが表示されます。</source>
        <translation>The full path of the folder assigned with the Deletion button.</translation>
    </message>
    <message>
        <source>フォルダ０ボタンで確定したフォルダのフルパスが表示されます。</source>
        <translation>The full path of the folder assigned with the Folder 0 button.</translation>
    </message>
    <message>
        <source>%1個のファイルはごみ箱に入れられなかったので、削除せずに残しました。</source>
        <translation>%1 file(s) could not be put in the trash, so they were left undeleted.</translation>
    </message>
</context>
<context>
    <name>sorvane::Form3</name>
    <message>
        <source>Sorvaneの使い方</source>
        <translation>Using Sorvane</translation>
    </message>
    <message>
        <source>プログラムへ戻る</source>
        <translation>Back to the program</translation>
    </message>
    <message>
        <source>Readme.txtが見つかりません。</source>
        <translation>Readme.txt cannot be found.</translation>
    </message>
</context>
<context>
    <name>sorvane::Form4</name>
    <message>
        <source>マウスのクリックで画像を進めたり戻したり出来ます。</source>
        <translation>Click to step forward or back.</translation>
    </message>
    <message>
        <source>パス表示</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>ファイルネーム</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>画像サイズ</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>ファイルサイズ</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>更新年月日</source>
        <translation>Date modified</translation>
    </message>
    <message>
        <source>縮小表示する時「縮小表示中」と表示されます。</source>
        <translation>Says “Shrunk” when the picture is shown smaller than its own size.</translation>
    </message>
    <message>
        <source>ＣａｐｓＬｏｃｋキーの状態</source>
        <translation>State of the Caps Lock key</translation>
    </message>
    <message>
        <source>ＮｕｎＬｏｃｋキーの状態</source>
        <translation>State of the Num Lock key</translation>
    </message>
    <message>
        <source>現在の日付</source>
        <translation>Today&apos;s date</translation>
    </message>
    <message>
        <source>現在の時間</source>
        <translation>The time now</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close the viewer</translation>
    </message>
    <message>
        <source>先頭に戻す</source>
        <translation>First picture</translation>
    </message>
    <message>
        <source>一つ戻す</source>
        <translation>Previous picture</translation>
    </message>
    <message>
        <source>順次表示</source>
        <translation>Slideshow</translation>
    </message>
    <message>
        <source>一つ進む</source>
        <translation>Next picture</translation>
    </message>
    <message>
        <source>最後に進む</source>
        <translation>Last picture</translation>
    </message>
    <message>
        <source>縮小表示中</source>
        <translation>Shrunk</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>表示できません。</source>
        <translation>Cannot be shown.</translation>
    </message>
    <message>
        <source>スライドショーの表示時間が %1 秒なので開始できません。<byte value="xd"/>
オプションで 1 から 32767 までの数を入力してください。</source>
        <translation>The slideshow cannot start: a picture would show for %1 seconds.<byte value="xd"/>
Enter a number from 1 to 32767 in the options.</translation>
    </message>
</context>
<context>
    <name>sorvane::JournalModel</name>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>取り消し</source>
        <translation>Take back</translation>
    </message>
    <message>
        <source>一括削除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>取り消し済み</source>
        <translation>Taken back</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>元のフォルダ</source>
        <translation>From folder</translation>
    </message>
    <message>
        <source>送り先</source>
        <translation>To</translation>
    </message>
    <message>
        <source>スロット</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
</context>
<context>
    <name>sorvane::JournalWindow</name>
    <message>
        <source>送りの履歴</source>
        <translation>Send Journal</translation>
    </message>
    <message>
        <source>送りの履歴を開けませんでした。</source>
        <translation>The send journal could not be opened.</translation>
    </message>
    <message>
        <source>選んだ送りを取り消す</source>
        <translation>Take Back Selected Sends</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>すべてのフォルダ</source>
        <translation>All folders</translation>
    </message>
    <message>
        <source>%1件を取り消しました。</source>
        <translation>%1 send(s) taken back.</translation>
    </message>
    <message>
        <source>実行中は取り消せません。</source>
        <translation>Nothing can be taken back during a run.</translation>
    </message>
</context>
<context>
    <name>sorvane::TakeBackEntries</name>
    <message>
        <source>削除したファイルは戻せません。</source>
        <translation>A deleted file cannot be brought back.</translation>
    </message>
    <message>
        <source>取り消しの記録は戻せません。</source>
        <translation>A take-back cannot itself be taken back.</translation>
    </message>
    <message>
        <source>すでに取り消してあります。</source>
        <translation>Already taken back.</translation>
    </message>
    <message>
        <source>送り先にファイルがありません。</source>
        <translation>The file is no longer where it was sent.</translation>
    </message>
    <message>
        <source>送り先のファイルが送ったときのファイルではありません。</source>
        <translation>The file where it was sent is not the file that was sent.</translation>
    </message>
    <message>
        <source>履歴にありません。</source>
        <translation>Not in the journal.</translation>
    </message>
</context>
<context>
    <name>sorvane::frmAbout</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>デジカメやインターネット等から大量に溜まったＪＰＧ画像などを画像の確認をしながら任意の１０のフォルダに素早く移動できます。</source>
        <translation>Sorts the piles of JPEG and other pictures from cameras and the Internet into any ten folders, quickly, while you look at each one.</translation>
    </message>
    <message>
        <source>Sorvane ヘルプ</source>
        <translation>Sorvane Help</translation>
    </message>
    <message>
        <source>このソフトウェアは無保証です。使用によって生じたいかなる損害についても、作者は責任を負いません。</source>
        <translation>This software comes with no warranty. The author accepts no liability for any damage arising from its use.</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation> Version Information</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System information is not available at this time.</translation>
    </message>
</context>
</TS>
