<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF documents into images, in batches.</source>
        <translation>PDF 文書をまとめて画像に変換します。</translation>
    </message>
    <message>
        <source>PDF files to put in the list; folders are searched for them.</source>
        <translation>リストに追加する PDF ファイル。フォルダーはその中の PDF ファイルが検索されます。</translation>
    </message>
    <message>
        <source>Convert the PDFs given without a window; vezudiri --convert --help lists its options.</source>
        <translation>指定した PDF をウィンドウなしで変換します。オプションは vezudiri --convert --help で表示されます。</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>this is the gagagag</source>
        <translation>一般設定</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Others </source>
        <translation>その他 </translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>終了時の設定</translation>
    </message>
    <message>
        <source>Close window, no promotion</source>
        <translation>ウィンドウを閉じるときに確認しない</translation>
    </message>
    <message>
        <source>Prompt me when have list</source>
        <translation>リストにファイルがあるときは確認する</translation>
    </message>
    <message>
        <source>Minimize to tray</source>
        <translation>タスクトレイに最小化</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>更新の設定</translation>
    </message>
    <message>
        <source>Check for Updates Automatically</source>
        <translation>更新を自動的に確認する</translation>
    </message>
    <message>
        <source>PDF Security</source>
        <translation>PDFセキュリティ</translation>
    </message>
    <message>
        <source>Owner Password:</source>
        <translation>所有者パスワード：</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>出力フォルダー：</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Modify output file name</source>
        <translation>出力ファイル名</translation>
    </message>
    <message>
        <source>Use source file name</source>
        <translation>元のファイル名を使用</translation>
    </message>
    <message>
        <source>Name with number</source>
        <translation>番号で命名</translation>
    </message>
    <message>
        <source>Name with following template</source>
        <translation>次のテンプレートで命名</translation>
    </message>
    <message>
        <source>+Number</source>
        <translation>+番号</translation>
    </message>
    <message>
        <source>Tiff Setting</source>
        <translation>TIFFの設定</translation>
    </message>
    <message>
        <source>Output one tiff file</source>
        <translation>1つのTIFFファイルに出力</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>変換後の動作</translation>
    </message>
    <message>
        <source>After the conversion operation</source>
        <translation>変換の完了後</translation>
    </message>
    <message>
        <source>Language Setting</source>
        <translation>言語の設定</translation>
    </message>
    <message>
        <source>Change Language:</source>
        <translation>言語の変更：</translation>
    </message>
    <message>
        <source>Shutdown Plan</source>
        <translation>シャットダウンの予約</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>シャットダウン</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>既定値に戻す</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>既定値</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>毎日</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>毎週</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>German</source>
        <translation>ドイツ語</translation>
    </message>
    <message>
        <source>French</source>
        <translation>フランス語</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>ログオフ</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>再起動</translation>
    </message>
    <message>
        <source>Show Information</source>
        <translation>情報を表示</translation>
    </message>
    <message>
        <source>Invalid template</source>
        <translation>無効なテンプレート</translation>
    </message>
    <message>
        <source>The name template cannot hold a folder separator, &quot;..&quot;, a control character or any of \ : * ? &quot; &lt; &gt; |, and must be shorter than 200 bytes.</source>
        <translation>名前のテンプレートには、フォルダー区切り、「..」、制御文字、および \ : * ? &quot; &lt; &gt; | のいずれも使えません。また 200 バイト未満にしてください。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Smooth text</source>
        <translation>文字を滑らかにする</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中国語</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Close settings</source>
        <translation>終了時の設定</translation>
    </message>
    <message>
        <source>What do you want to do? Exit/Minimize</source>
        <translation>どうしますか？終了/最小化</translation>
    </message>
    <message>
        <source> Exit</source>
        <translation> 終了</translation>
    </message>
    <message>
        <source> Minimize to tray</source>
        <translation> タスクトレイに最小化</translation>
    </message>
    <message>
        <source> No longer to remind</source>
        <translation> 今後は確認しない</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>ErrorDialog</name>
    <message>
        <source>ErrorDialog</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Insert information</source>
        <translation>追加の結果</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Total %1 file(s) be added in filelist.</source>
        <translation>%1個のファイルをファイル一覧に追加しました。</translation>
    </message>
    <message>
        <source>Thefollowing %1 file(s) cann’t be added in filelist.</source>
        <translation>次の%1個のファイルはファイル一覧に追加できませんでした。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Files not added</source>
        <translation>追加されなかったファイル</translation>
    </message>
</context>
<context>
    <name>FileConversion</name>
    <message>
        <source>The output folder %1 is not taken: %2.</source>
        <translation>出力フォルダー %1 は使用されません: %2。</translation>
    </message>
    <message>
        <source>The record of the complete images in %1 cannot be written.</source>
        <translation>%1 内の完了した画像の記録を書き込めません。</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file: %1 is not the page this run wrote. The page files were kept.</source>
        <translation>ページを 1 つの TIFF ファイルに結合できませんでした: %1 はこの実行が書き込んだページではありません。ページファイルは残されています。</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made, or was not made by this plan: %2.</source>
        <translation>出力フォルダー %1 を作成できないか、この計画で作成されたものではありません: %2。</translation>
    </message>
    <message>
        <source>Another run converts these pages in %1.</source>
        <translation>別の実行がこれらのページを %1 で変換しています。</translation>
    </message>
    <message>
        <source>The renderer could not be started: %1</source>
        <translation>レンダラーを起動できませんでした: %1</translation>
    </message>
    <message>
        <source>The page selection names no page of this document.</source>
        <translation>ページ指定にこの文書のページが含まれていません。</translation>
    </message>
    <message>
        <source>No output folder could be created in %1: %2.</source>
        <translation>%1 に出力フォルダーを作成できませんでした: %2。</translation>
    </message>
    <message>
        <source>The renderer (Ghostscript) was not found.</source>
        <translation>レンダラー (Ghostscript) が見つかりません。</translation>
    </message>
    <message>
        <source>The renderer could not draw page %1.</source>
        <translation>レンダラーは %1 ページを描画できませんでした。</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1.</source>
        <translation>レンダラーは %1 ページの画像を書き出しませんでした。</translation>
    </message>
    <message>
        <source>The image %1 could not be written.</source>
        <translation>画像 %1 を書き込めませんでした。</translation>
    </message>
    <message>
        <source>Page %1 could not be written as GIF: %2</source>
        <translation>%1 ページを GIF として書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>The renderer reported no new page for %1 seconds and was stopped.</source>
        <translation>レンダラーが %1 秒間新しいページを報告しなかったため、停止しました。</translation>
    </message>
    <message>
        <source>The renderer ended abnormally.</source>
        <translation>レンダラーが異常終了しました。</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1 (exit code %2).</source>
        <translation>レンダラーは %1 ページで停止しました (終了コード %2)。</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1: %2</source>
        <translation>レンダラーは %1 ページで停止しました: %2</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1: %2</source>
        <translation>レンダラーは %1 ページの画像を書き出しませんでした: %2</translation>
    </message>
    <message>
        <source>The renderer wrote more images than pages were selected.</source>
        <translation>レンダラーが選択したページ数より多くの画像を書き出しました。</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file (tiffcp was not found); the page files were kept.</source>
        <translation>ページを 1 つの TIFF ファイルに結合できませんでした (tiffcp が見つかりません)。ページのファイルは残してあります。</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file; the page files were kept.</source>
        <translation>ページを 1 つの TIFF ファイルに結合できませんでした。ページのファイルは残してあります。</translation>
    </message>
    <message>
        <source>The disk holding %1 is full.</source>
        <translation>%1 のあるディスクがいっぱいです。</translation>
    </message>
    <message>
        <source>The name %1 is too long for the file system.</source>
        <translation>名前 %1 はファイルシステムには長すぎます。</translation>
    </message>
    <message>
        <source>The renderer cannot be given this password: it holds a line break or two backslashes in a row, or ends in a backslash after a space or a quote.</source>
        <translation>このパスワードはレンダラーに渡せません。改行か連続した2つのバックスラッシュを含むか、空白または引用符の後でバックスラッシュで終わっています。</translation>
    </message>
    <message>
        <source>The output folder %1 was moved or replaced during the conversion; the file was stopped.</source>
        <translation>出力フォルダー %1 が変換中に移動または置き換えられたため、このファイルの変換を中止しました。</translation>
    </message>
</context>
<context>
    <name>GifWriter</name>
    <message>
        <source>Not enough memory to reduce the colours of the image.</source>
        <translation>メモリが不足しているため、画像を減色できません。</translation>
    </message>
    <message>
        <source>The image could not be prepared for the colour reduction.</source>
        <translation>減色処理のための画像の準備ができませんでした。</translation>
    </message>
    <message>
        <source>The colours of the image could not be reduced to a palette (libimagequant error %1).</source>
        <translation>画像の色をパレットに減色できませんでした（libimagequant エラー %1）。</translation>
    </message>
    <message>
        <source>Writing the GIF data failed: %1</source>
        <translation>GIFデータの書き込みに失敗しました：%1</translation>
    </message>
    <message>
        <source>There is no image to write to %1.</source>
        <translation>%1 に書き込む画像がありません。</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.</source>
        <translation>画像は %1 x %2 ピクセルですが、GIFファイルは最大 %3 x %3 までです。</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; more than %3 million pixels cannot be made a GIF.</source>
        <translation>画像は %1 x %2 ピクセルです。%3 百万ピクセルを超える画像は GIF にできません。</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 に書き込めません：%2</translation>
    </message>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>画像 %1 を読み込めません：%2</translation>
    </message>
    <message>
        <source>The GIF encoding was cancelled.</source>
        <translation>GIF への変換は中止されました。</translation>
    </message>
</context>
<context>
    <name>ListCls</name>
    <message>
        <source>ListCls</source>
        <translation>リストのクリア</translation>
    </message>
    <message>
        <source>Warring</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Clear whether the conversion</source>
        <translation>変換リストをクリアして</translation>
    </message>
    <message>
        <source> list and close the program.</source>
        <translation> プログラムを終了しますか？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>メインウィンドウ</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>ファイル追加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>はじめに</translation>
    </message>
    <message>
        <source>1、Click &quot;</source>
        <translation>1、「</translation>
    </message>
    <message>
        <source>&quot; to import file</source>
        <translation>」でファイルを追加</translation>
    </message>
    <message>
        <source>2、Click &quot;</source>
        <translation>2、「</translation>
    </message>
    <message>
        <source>&quot; to convert file</source>
        <translation>」でファイルを変換</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>出力形式：</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション：</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>すべてに適用</translation>
    </message>
    <message>
        <source>Apply to all DPI</source>
        <translation>DPIをすべてに適用</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>出力フォルダー</translation>
    </message>
    <message>
        <source>Save file in source folder</source>
        <translation>元のフォルダーに保存</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>指定フォルダー</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>VEZ ud IRI</source>
        <translation>VEZ ud IRI</translation>
    </message>
    <message>
        <source>ZEMRA VEZ ud Iri</source>
        <translation>ZEMRA VEZ ud Iri</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Add File(s) ...</source>
        <translation>ファイルの追加...</translation>
    </message>
    <message>
        <source>Add Folder ...</source>
        <translation>フォルダーの追加...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delect All</source>
        <translation>すべて削除</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中国語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>German</source>
        <translation>ドイツ語</translation>
    </message>
    <message>
        <source>French</source>
        <translation>フランス語</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>クラシック</translation>
    </message>
    <message>
        <source>Elegant</source>
        <translation>エレガント</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>公式サイト</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>更新の確認</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>ウィンドウを表示</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>ファイル情報</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Skin</source>
        <translation>スキン</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>全ページ</translation>
    </message>
    <message>
        <source>Select Pages</source>
        <translation>ページ指定</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>カラー</translation>
    </message>
    <message>
        <source>Merge into One</source>
        <translation>1つに結合</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>&lt;font color=red&gt;P2I程序异常结束.&lt;/font&gt;<byte value="xd"/>
</source>
        <translation>&lt;font color=red&gt;レンダラー P2I が異常終了しました。&lt;/font&gt;<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Some files have already been changed. Do you want to convert again?</source>
        <translation>一部のファイルは既に変換済みです。もう一度変換しますか？</translation>
    </message>
    <message>
        <source>
Invalid output path!</source>
        <translation>
出力パスが無効です。</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>フォルダーの選択</translation>
    </message>
    <message>
        <source> &lt;File name error(without %)&gt;</source>
        <translation> &lt;ファイル名エラー（%は使用不可）&gt;</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>起動エラー</translation>
    </message>
    <message>
        <source>Can not open program pdfinfo.exe</source>
        <translation>プログラム pdfinfo.exe を開けません</translation>
    </message>
    <message>
        <source> &lt;Format error&gt;</source>
        <translation> &lt;形式エラー&gt;</translation>
    </message>
    <message>
        <source> &lt;Cancel&gt;</source>
        <translation> &lt;キャンセル&gt;</translation>
    </message>
    <message>
        <source> &lt;Password error&gt;</source>
        <translation> &lt;パスワードエラー&gt;</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>    Are you sure to clear all the items from the list</source>
        <translation>    リストのすべての項目を削除してもよろしいですか？</translation>
    </message>
    <message>
        <source>    Are you sure to remove the selected item(s) from the lies</source>
        <translation>    選択した項目をリストから削除してもよろしいですか？</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Page:example(1,3,7-9)</source>
        <translation>ページ範囲</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>  invalid format or out of range!</source>
        <translation>  形式が無効か、範囲外です。</translation>
    </message>
    <message>
        <source>  Invalid output path or output file name!</source>
        <translation>  出力パスまたは出力ファイル名が無効です。</translation>
    </message>
    <message>
        <source>  Are you sure to logout the windows!</source>
        <translation>  ログオフしてもよろしいですか？</translation>
    </message>
    <message>
        <source>  Are you sure to restart the windows!</source>
        <translation>  コンピューターを再起動してもよろしいですか？</translation>
    </message>
    <message>
        <source>  Are you sure to shutdown the windows!</source>
        <translation>  コンピューターをシャットダウンしてもよろしいですか？</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>  The system did not accept the request.</source>
        <translation>  システムが要求を受け付けませんでした。</translation>
    </message>
    <message>
        <source>Conversion stopped</source>
        <translation>変換を停止しました</translation>
    </message>
    <message>
        <source>The files converted keep their images; the others wait for the next run.</source>
        <translation>変換済みのファイルの画像はそのまま残ります。残りのファイルは次回の変換を待ちます。</translation>
    </message>
    <message>
        <source>The images need %1 on %2, where %3 is free.</source>
        <translation>画像には %2 上に %1 が必要ですが、空きは %3 です。</translation>
    </message>
    <message>
        <source>Not enough room</source>
        <translation>空き容量が足りません</translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation>このまま変換</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Should the disk fill up, the run stops there; the files converted keep their images.</source>
        <translation>ディスクがいっぱいになった時点で変換は止まります。変換済みのファイルの画像は残ります。</translation>
    </message>
    <message>
        <source>
The output folder must be a full path, such as /home/me/images.</source>
        <translation>
出力フォルダーは /home/me/images のような完全なパスで指定してください。</translation>
    </message>
    <message>
        <source> &lt;Not readable&gt;</source>
        <translation> &lt;読み取れません&gt;</translation>
    </message>
    <message>
        <source> &lt;Not a file&gt;</source>
        <translation> &lt;ファイルではありません&gt;</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 of %4 pages</source>
        <translation>ファイル %1/%2、ページ %3/%4</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>残り %1</translation>
    </message>
    <message>
        <source>%1 file(s) converted, %2 failed</source>
        <translation>%1 個のファイルを変換、%2 個が失敗</translation>
    </message>
    <message>
        <source>Updates come from your distribution&apos;s package manager.</source>
        <translation>更新はディストリビューションのパッケージマネージャーから提供されます。</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>メインメニュー</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>出力フォルダー</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>出力フォルダーを選択</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>プレビューなし</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 に書き込めません：%2</translation>
    </message>
    <message>
        <source>there is no image to write.</source>
        <translation>書き込む画像がありません。</translation>
    </message>
    <message>
        <source>not enough memory.</source>
        <translation>メモリが不足しています。</translation>
    </message>
</context>
<context>
    <name>ProDlg</name>
    <message>
        <source>ProDlg</source>
        <translation>進行状況</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>RawImage</name>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>画像 %1 を読み込めません：%2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
    <message>
        <source>it is not a raw PNM image.</source>
        <translation>raw 形式の PNM 画像ではありません。</translation>
    </message>
    <message>
        <source>its header is damaged.</source>
        <translation>ヘッダーが壊れています。</translation>
    </message>
    <message>
        <source>it has %1 levels a sample, not 256.</source>
        <translation>1 サンプルあたり %1 段階で、256 段階ではありません。</translation>
    </message>
    <message>
        <source>it is %1 x %2 pixels; at most %3 million are read.</source>
        <translation>%1 x %2 ピクセルです。読み込めるのは最大 %3 百万ピクセルです。</translation>
    </message>
    <message>
        <source>it holds %1 bytes of pixels instead of %2.</source>
        <translation>ピクセルデータが %2 バイトではなく %1 バイトです。</translation>
    </message>
    <message>
        <source>it changed while it was read.</source>
        <translation>読み込み中に変更されました。</translation>
    </message>
</context>
<context>
    <name>StartDlg</name>
    <message>
        <source>StartDlg</source>
        <translation>起動</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>バージョン：</translation>
    </message>
    <message>
        <source>Initializing:</source>
        <translation>初期化中：</translation>
    </message>
</context>
<context>
    <name>PlanFolder</name>
    <message>
        <source>it is no folder, or a link</source>
        <translation>フォルダーではないか、リンクです</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>別のユーザーが所有しています</translation>
    </message>
    <message>
        <source>other users can write in it</source>
        <translation>他のユーザーが書き込めます</translation>
    </message>
    <message>
        <source>its plan mark is not a file of this user&apos;s that only this user can write</source>
        <translation>計画マークがこのユーザーだけが書き込めるこのユーザーのファイルではありません</translation>
    </message>
    <message>
        <source>this plan did not make it</source>
        <translation>この計画が作成したものではありません</translation>
    </message>
</context>
<context>
    <name>TiffPages</name>
    <message>
        <source>Cannot finish the TIFF file %1: %2</source>
        <translation>TIFF ファイル %1 を仕上げられません: %2</translation>
    </message>
    <message>
        <source>it is no valid TIFF file.</source>
        <translation>有効な TIFF ファイルではありません。</translation>
    </message>
</context>
<context>
    <name>aboutDlg</name>
    <message>
        <source>aboutDlg</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>バージョン：</translation>
    </message>
    <message>
        <source>HomePage:</source>
        <translation>ホームページ：</translation>
    </message>
    <message>
        <source>Copyright © 2026 ZEMRA. All rights reserved.</source>
        <translation>Copyright © 2026 ZEMRA. 無断転載を禁じます。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>deleteDlg</name>
    <message>
        <source>deleteDlg</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>fileInfo</name>
    <message>
        <source>fileInfo</source>
        <translation>ファイル情報</translation>
    </message>
    <message>
        <source>File Properties</source>
        <translation>ファイルのプロパティ</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>ファイル名：</translation>
    </message>
    <message>
        <source>File path:</source>
        <translation>ファイルパス：</translation>
    </message>
    <message>
        <source>CreationDate:</source>
        <translation>作成日時：</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>ファイルサイズ：</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>ページサイズ：</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>ページ数：</translation>
    </message>
    <message>
        <source>PDF Version:</source>
        <translation>PDFバージョン：</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>information</name>
    <message>
        <source>information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Successfully</source>
        <translation>変換完了</translation>
    </message>
    <message>
        <source>Success: %1 file(s)</source>
        <translation>成功：%1個のファイル</translation>
    </message>
    <message>
        <source>Fail:    %1 file(s)</source>
        <translation>失敗：%1個のファイル</translation>
    </message>
    <message>
        <source>Some files failed</source>
        <translation>一部のファイルが失敗しました</translation>
    </message>
    <message>
        <source>All files failed</source>
        <translation>すべてのファイルが失敗しました</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>passWordPDF</name>
    <message>
        <source>passWordPDF</source>
        <translation>PDFパスワード</translation>
    </message>
    <message>
        <source>请输入PDF文件的密码.</source>
        <translation>PDFファイルのパスワードを入力してください。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
</context>
<context>
    <name>shutdowndlg</name>
    <message>
        <source>shutdowndlg</source>
        <translation>シャットダウン</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
</TS>
