<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>AboutBox</name>
    <message>
        <source>Vortanについて</source>
        <translation>About Vortan</translation>
    </message>
    <message>
        <source>Vortan</source>
        <translation>Vortan</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>BackgroundJob</name>
    <message>
        <source>%1
%L2 行</source>
        <translation>%1
%L2 lines</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BarAdjustPanel</name>
    <message>
        <source>カーソル移動</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>++</source>
        <translation>++</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>--</source>
        <translation>--</translation>
    </message>
    <message>
        <source>水平にする</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>中央に</source>
        <translation>To centre</translation>
    </message>
    <message>
        <source>中央を</source>
        <translation>From centre</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Btm</source>
        <translation>Btm</translation>
    </message>
    <message>
        <source>Head</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>Tail</source>
        <translation>Tail</translation>
    </message>
    <message>
        <source>Mem</source>
        <translation>Mem</translation>
    </message>
    <message>
        <source>M&lt;-&gt;P</source>
        <translation>M&lt;-&gt;P</translation>
    </message>
</context>
<context>
    <name>ChartExport</name>
    <message>
        <source>the file name must end in .png, .svg or .pdf</source>
        <translation>the file name must end in .png, .svg or .pdf</translation>
    </message>
    <message>
        <source>a picture must be 1 to 30000 pixels wide and high</source>
        <translation>a picture must be 1 to 30000 pixels wide and high</translation>
    </message>
    <message>
        <source>not enough memory for the picture</source>
        <translation>not enough memory for the picture</translation>
    </message>
    <message>
        <source>the picture could not be drawn</source>
        <translation>the picture could not be drawn</translation>
    </message>
    <message>
        <source>the chart is too long</source>
        <translation>the chart is too long</translation>
    </message>
    <message>
        <source>the chart has no samples</source>
        <translation>the chart has no samples</translation>
    </message>
    <message>
        <source>the stretch must lie within samples 0 to %1, from before to</source>
        <translation>the stretch must lie within samples 0 to %1, from before to</translation>
    </message>
    <message>
        <source>the range must be a number of volts above 0</source>
        <translation>the range must be a number of volts above 0</translation>
    </message>
    <message>
        <source>the picture must be 1 to 30000 pixels wide, 8 to 30000 high</source>
        <translation>the picture must be 1 to 30000 pixels wide, 8 to 30000 high</translation>
    </message>
    <message>
        <source>not enough memory for the chart</source>
        <translation>not enough memory for the chart</translation>
    </message>
</context>
<context>
    <name>ChartFiles</name>
    <message>
        <source>チャートを読み込んでいます…</source>
        <translation>Reading the chart…</translation>
    </message>
    <message>
        <source>チャートを読み込めませんでした。
%1
理由: %2</source>
        <translation>The chart could not be read.
%1
Reason: %2</translation>
    </message>
    <message>
        <source>チャートは途中までしか読み込まれていません。
%1
%2 行目がデータの行ではないため、そこで読み込みを止めました。読み込んだデータは %3 行です。その後の内容は読み込まれていません。</source>
        <translation>Only part of the chart was read.
%1
Line %2 is not a data line, so reading stopped there. %3 lines of data were read; what follows was not read.</translation>
    </message>
    <message>
        <source>%1 は既に存在します。置き換えますか？</source>
        <translation>%1 already exists. Do you want to replace it?</translation>
    </message>
    <message>
        <source>このチャートは %1 の途中までしか読み込まれていません。上書きすると、読み込まれなかった内容は失われます。上書きしますか？</source>
        <translation>Only part of %1 was read into this chart. Overwriting it loses what was not read. Do you want to overwrite it?</translation>
    </message>
    <message>
        <source>このファイルには別の名前(ハードリンク)がありました。別の名前のほうは以前の内容のままです。</source>
        <translation>This file had another name (a hard link). The other name still holds the earlier contents.</translation>
    </message>
    <message>
        <source>ファイルの所有者とグループを元のままにできませんでした。</source>
        <translation>The file&apos;s owner and group could not be kept.</translation>
    </message>
    <message>
        <source>ファイルの所有者を元のままにできませんでした。</source>
        <translation>The file&apos;s owner could not be kept.</translation>
    </message>
    <message>
        <source>ファイルのグループを元のままにできませんでした。</source>
        <translation>The file&apos;s group could not be kept.</translation>
    </message>
    <message>
        <source>ピークの設定中は保存できません。ピークの設定を終えるか中止してから保存してください。</source>
        <translation>The chart cannot be saved while a peak is being set. Finish or cancel setting the peak, then save.</translation>
    </message>
    <message>
        <source>保存するチャートがありません。</source>
        <translation>There is no chart to save.</translation>
    </message>
    <message>
        <source>メモリが足りないため、チャートを保存できませんでした。</source>
        <translation>There was not enough memory to save the chart.</translation>
    </message>
    <message>
        <source>チャートを保存しています…</source>
        <translation>Saving the chart…</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。
%1
理由: %2</source>
        <translation>The file could not be saved.
%1
Reason: %2</translation>
    </message>
    <message>
        <source>保存しました。
%1
%2</source>
        <translation>Saved.
%1
%2</translation>
    </message>
    <message>
        <source>SPL file (*.SPL *.spl)</source>
        <translation>SPL file (*.SPL *.spl)</translation>
    </message>
    <message>
        <source>Open a SPL file</source>
        <translation>Open a SPL file</translation>
    </message>
    <message>
        <source>チャートを表示できませんでした。
%1
理由: ビューアがチャートを受け取れませんでした（実行ログを参照してください）。</source>
        <translation>The chart could not be shown.
%1
Reason: the viewer could not take the chart (see the run log).</translation>
    </message>
</context>
<context>
    <name>ChartInfoPanel</name>
    <message>
        <source>チャートの情報</source>
        <translation>Chart Information</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>時間軸拡大率</source>
        <translation>Time magnification</translation>
    </message>
    <message>
        <source>レンジ</source>
        <translation>Range</translation>
    </message>
</context>
<context>
    <name>ChartOverlay</name>
    <message>
        <source>A #%1  B #%2   Δ %3 samples   Δt %4 s   ΔV %5
mean %6   min %7   max %8</source>
        <translation>A #%1  B #%2   Δ %3 samples   Δt %4 s   ΔV %5
mean %6   min %7   max %8</translation>
    </message>
</context>
<context>
    <name>CrossAdjustPanel</name>
    <message>
        <source>カーソル移動</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>←</source>
        <translation>←</translation>
    </message>
    <message>
        <source>→</source>
        <translation>→</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>中央に</source>
        <translation>To centre</translation>
    </message>
    <message>
        <source>中央を</source>
        <translation>From centre</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Btm</source>
        <translation>Btm</translation>
    </message>
    <message>
        <source>Head</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>Tail</source>
        <translation>Tail</translation>
    </message>
    <message>
        <source>Mem</source>
        <translation>Mem</translation>
    </message>
    <message>
        <source>M&lt;-&gt;P</source>
        <translation>M&lt;-&gt;P</translation>
    </message>
</context>
<context>
    <name>CursorPadPanel</name>
    <message>
        <source>操作盤</source>
        <translation>Control Pad</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>←</source>
        <translation>←</translation>
    </message>
    <message>
        <source>→</source>
        <translation>→</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>Pk</source>
        <translation>Pk</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Head</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>Mem</source>
        <translation>Mem</translation>
    </message>
    <message>
        <source>Btm</source>
        <translation>Btm</translation>
    </message>
    <message>
        <source>Tail</source>
        <translation>Tail</translation>
    </message>
    <message>
        <source>dMem</source>
        <translation>dMem</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Dec</translation>
    </message>
    <message>
        <source>M&lt;-&gt;P</source>
        <translation>M&lt;-&gt;P</translation>
    </message>
    <message>
        <source>Inc</source>
        <translation>Inc</translation>
    </message>
</context>
<context>
    <name>DetectionDialog</name>
    <message>
        <source>Vortanオプション</source>
        <translation>Vortan Options</translation>
    </message>
    <message>
        <source>閾値</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Vortanを行う</source>
        <translation>Perform Vortan</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FileExtras</name>
    <message>
        <source>画像に書き出す</source>
        <translation>Export Picture</translation>
    </message>
    <message>
        <source>表示中のチャート(&amp;V)</source>
        <translation>The chart as &amp;viewed</translation>
    </message>
    <message>
        <source>サンプルの範囲(&amp;R)</source>
        <translation>A &amp;range of samples</translation>
    </message>
    <message>
        <source>最初のサンプル</source>
        <translation>First sample</translation>
    </message>
    <message>
        <source>最後のサンプル</source>
        <translation>Last sample</translation>
    </message>
    <message>
        <source>幅(ピクセル)</source>
        <translation>Width (pixels)</translation>
    </message>
    <message>
        <source>高さ(ピクセル)</source>
        <translation>Height (pixels)</translation>
    </message>
    <message>
        <source>全体図も入れる(&amp;O)</source>
        <translation>Include the &amp;overview</translation>
    </message>
    <message>
        <source>チャートがありません。</source>
        <translation>There is no chart.</translation>
    </message>
    <message>
        <source>画像を書き出せませんでした。
%1
%2</source>
        <translation>The picture could not be exported.
%1
%2</translation>
    </message>
    <message>
        <source>ピークの設定中は書き出せません。</source>
        <translation>Nothing can be exported while a peak is being set.</translation>
    </message>
    <message>
        <source>ピークがありません。</source>
        <translation>There are no peaks.</translation>
    </message>
    <message>
        <source>ピークをCSVに書き出す</source>
        <translation>Export Peaks as CSV</translation>
    </message>
    <message>
        <source>CSVファイルを書き出せませんでした。
%1
%2</source>
        <translation>The CSV file could not be written.
%1
%2</translation>
    </message>
    <message>
        <source>ファイルが見つからないので、最近開いたチャートの一覧から外しました。
%1</source>
        <translation>The file was not found, so it was taken off the list of recent charts.
%1</translation>
    </message>
    <message>
        <source>(なし)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>起動時に最後のチャートを開く</source>
        <translation>Open the Last Chart at Start</translation>
    </message>
    <message>
        <source>一覧を消す</source>
        <translation>Clear the List</translation>
    </message>
    <message>
        <source>画像に書き出す(&amp;E)...</source>
        <translation>&amp;Export Picture...</translation>
    </message>
    <message>
        <source>ピークをCSVに書き出す(&amp;V)...</source>
        <translation>Export Peaks as CS&amp;V...</translation>
    </message>
    <message>
        <source>最近開いたチャート(&amp;R)</source>
        <translation>&amp;Recent Charts</translation>
    </message>
</context>
<context>
    <name>GeneralSettingsDialog</name>
    <message>
        <source>一般的な設定</source>
        <translation>General Settings</translation>
    </message>
    <message>
        <source>メインウインドウの位置と大きさを保存する</source>
        <translation>Save the main window&apos;s position and size</translation>
    </message>
    <message>
        <source>起動時に最大化する</source>
        <translation>Maximise at start</translation>
    </message>
    <message>
        <source>コンソールパネルの位置を保存する</source>
        <translation>Save the console panels&apos; positions</translation>
    </message>
    <message>
        <source>常に拡張SPLとして扱う。</source>
        <translation>Always treat charts as extended SPL.</translation>
    </message>
    <message>
        <source>区間数は常に一定</source>
        <translation>Always the same number of zones</translation>
    </message>
    <message>
        <source>区間</source>
        <translation>zones</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>HeaderDialog</name>
    <message>
        <source>コメントの編集</source>
        <translation>Edit Comment</translation>
    </message>
    <message>
        <source>タグ</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>SPL2形式</source>
        <translation>SPL2 layout</translation>
    </message>
    <message>
        <source>チャートを常に拡張SPLファイルとして扱う設定になっています。どうしてもこのチェックを外したいですか？</source>
        <translation>Charts are set to be always treated as extended SPL files. Do you really want to clear this check box?</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Vortan ヘルプ</source>
        <translation>Vortan Help</translation>
    </message>
    <message>
        <source>キーワード</source>
        <translation>Keyword</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>表示中のページを印刷します (キー一覧など) / Print this page</source>
        <translation>Prints the page shown (the key map, for example)</translation>
    </message>
    <message>
        <source>言葉を入れて Enter で全ページを検索 / Type a word, Enter searches</source>
        <translation>Type a word; Enter searches all pages</translation>
    </message>
    <message>
        <source>&lt;h2&gt;「%1」の検索結果 / Results for &quot;%1&quot;&lt;/h2&gt;&lt;ul&gt;</source>
        <translation>&lt;h2&gt;Results for &quot;%1&quot;&lt;/h2&gt;&lt;ul&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;見つかりませんでした。 / Nothing found.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Nothing found.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;a href=&quot;%1&quot;&gt;キーワード一覧 / Keywords&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;a href=&quot;%1&quot;&gt;Keywords&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>InfoPanel</name>
    <message>
        <source>Not ready</source>
        <translation>Not ready</translation>
    </message>
    <message>
        <source>No comment</source>
        <translation>No comment</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>チャートを開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>データを保存する(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>チャートを保存する(&amp;S)</source>
        <translation>&amp;Save Chart</translation>
    </message>
    <message>
        <source>チャートを別のファイル名をつけて保存する(&amp;A)</source>
        <translation>Save Chart &amp;As</translation>
    </message>
    <message>
        <source>読み取ったピークを保存する(&amp;P)</source>
        <translation>Save &amp;Peaks</translation>
    </message>
    <message>
        <source>プリンタの設定</source>
        <translation>Printer Se&amp;ttings</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>ピークの設定(&amp;S)</source>
        <translation>&amp;Set Height</translation>
    </message>
    <message>
        <source>ピークの設定の中止(&amp;C)</source>
        <translation>&amp;Cancel Peak Setting</translation>
    </message>
    <message>
        <source>スムージング(&amp;M)</source>
        <translation>S&amp;moothing</translation>
    </message>
    <message>
        <source>カーソルが中央にくるようにする</source>
        <translation>Bring the Cursor to the Centre</translation>
    </message>
    <message>
        <source>中央をカーソル位置にする</source>
        <translation>Make the Centre the Cursor Position</translation>
    </message>
    <message>
        <source>モード(&amp;I)</source>
        <translation>&amp;Intend to</translation>
    </message>
    <message>
        <source>ピークを読む(&amp;M)</source>
        <translation>&amp;measure a peak height</translation>
    </message>
    <message>
        <source>チャートをチェックする(&amp;C)</source>
        <translation>&amp;check student&apos;s work</translation>
    </message>
    <message>
        <source>ピーク一覧(&amp;L)</source>
        <translation>Peak &amp;List</translation>
    </message>
    <message>
        <source>チャートのヘッダ(&amp;H)</source>
        <translation>&amp;Header</translation>
    </message>
    <message>
        <source>元に戻す(&amp;Z)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直す(&amp;Y)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Magnification</source>
        <translation>&amp;Magnification</translation>
    </message>
    <message>
        <source>x5</source>
        <translation>x5</translation>
    </message>
    <message>
        <source>x2</source>
        <translation>x2</translation>
    </message>
    <message>
        <source>x0.5</source>
        <translation>x0.5</translation>
    </message>
    <message>
        <source>x0.2</source>
        <translation>x0.2</translation>
    </message>
    <message>
        <source>等倍(&amp;D)</source>
        <translation>&amp;Default</translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation>&amp;Range</translation>
    </message>
    <message>
        <source>レンジを高くする(&amp;U)</source>
        <translation>&amp;Up</translation>
    </message>
    <message>
        <source>レンジを低くする(&amp;D)</source>
        <translation>&amp;Down</translation>
    </message>
    <message>
        <source>チャートの高さに合わせる(&amp;F)</source>
        <translation>&amp;Full Height</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Option</translation>
    </message>
    <message>
        <source>スムージングの設定(&amp;S)</source>
        <translation>&amp;Smooth</translation>
    </message>
    <message>
        <source>ピークの検出の設定(&amp;P)</source>
        <translation>&amp;Vortan</translation>
    </message>
    <message>
        <source>一般的な設定</source>
        <translation>&amp;General Settings</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>操作盤</source>
        <translation>&amp;Control Pad</translation>
    </message>
    <message>
        <source>詳細情報</source>
        <translation>Chart &amp;Information</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>目盛りを表示する(&amp;A)</source>
        <translation>Show &amp;Axes</translation>
    </message>
    <message>
        <source>測定カーソルAを置く</source>
        <translation>Place Measuring Cursor A</translation>
    </message>
    <message>
        <source>測定カーソルBを置く</source>
        <translation>Place Measuring Cursor B</translation>
    </message>
    <message>
        <source>測定カーソルを消す</source>
        <translation>Clear the Measuring Cursors</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>キーワードで検索</source>
        <translation>&amp;Search by Keyword</translation>
    </message>
    <message>
        <source>表紙</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>キー一覧</source>
        <translation>&amp;Keys</translation>
    </message>
    <message>
        <source>Vortanについて(&amp;A)</source>
        <translation>&amp;About Vortan</translation>
    </message>
</context>
<context>
    <name>PeakListDialog</name>
    <message>
        <source>ピーク一覧</source>
        <translation>Peak List</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全て削除</source>
        <translation>Delete All</translation>
    </message>
    <message>
        <source>ピークがありません。ウインドウを閉じます。</source>
        <translation>There are no peaks. The window closes.</translation>
    </message>
    <message>
        <source>全てのピークを削除します。よろしいですか？</source>
        <translation>All peaks will be deleted. Are you sure?</translation>
    </message>
</context>
<context>
    <name>PeakSaving</name>
    <message>
        <source>PKSファイル(Vortan互換) (*.PKS *.pks)</source>
        <translation>PKS files (Vortan compatible) (*.PKS *.pks)</translation>
    </message>
    <message>
        <source>ピークがありません。</source>
        <translation>There are no peaks.</translation>
    </message>
    <message>
        <source>ピークファイルを保存できませんでした。
%1</source>
        <translation>The peak file could not be saved.
%1</translation>
    </message>
</context>
<context>
    <name>PrinterSettingsDialog</name>
    <message>
        <source>印刷設定</source>
        <translation>Print Settings</translation>
    </message>
    <message>
        <source>プリンタ</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>印刷範囲</source>
        <translation>What to print</translation>
    </message>
    <message>
        <source>現在位置の周辺</source>
        <translation>Around the current position</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>Whole chart</translation>
    </message>
    <message>
        <source>1ページの面数</source>
        <translation>Rolls per page</translation>
    </message>
    <message>
        <source>1面</source>
        <translation>1 roll</translation>
    </message>
    <message>
        <source>2面</source>
        <translation>2 rolls</translation>
    </message>
    <message>
        <source>3面</source>
        <translation>3 rolls</translation>
    </message>
    <message>
        <source>4面</source>
        <translation>4 rolls</translation>
    </message>
    <message>
        <source>5面</source>
        <translation>5 rolls</translation>
    </message>
    <message>
        <source>6面</source>
        <translation>6 rolls</translation>
    </message>
    <message>
        <source>印刷する要素</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>生データ</source>
        <translation>Raw data</translation>
    </message>
    <message>
        <source>平滑化したデータ</source>
        <translation>Smoothed data</translation>
    </message>
    <message>
        <source>ピーク</source>
        <translation>Peaks</translation>
    </message>
    <message>
        <source>全てのピーク</source>
        <translation>All peaks</translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation>Magnification</translation>
    </message>
    <message>
        <source>レンジ</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>印刷開始</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>PDFファイルへ出力</source>
        <translation>Output to a PDF file</translation>
    </message>
    <message>
        <source>チャート</source>
        <translation>As on screen</translation>
    </message>
    <message>
        <source>プリンタがつながれていません。印刷をするには、プリンタをつなぎ、インストールをしなければなりません。</source>
        <translation>No printer is connected. To print, connect a printer and install it.</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>PDFファイルへ出力しました: %1</source>
        <translation>Written to the PDF file: %1</translation>
    </message>
    <message>
        <source>印刷ジョブを送りました: %1 (ジョブ %2)</source>
        <translation>Print job sent: %1 (job %2)</translation>
    </message>
    <message>
        <source> - プリンタは停止中です</source>
        <translation> - the printer is stopped</translation>
    </message>
    <message>
        <source>このページ設定では印刷できません。
</source>
        <translation>The chart cannot be printed with this page setup.
</translation>
    </message>
    <message>
        <source>印刷できる高さ %1 ドットに%2面のロールを並べると、1面の高さが1ドットに足りません。余白を小さくするか、1ページの面数を減らしてください。</source>
        <translation>%2 rolls in a printable height of %1 dots leave less than one dot for each roll. Make the margins smaller or print fewer rolls per page.</translation>
    </message>
    <message>
        <source>印刷できる幅 %1 ドットから目盛りの欄 %2 ドットを除くと、ロールの幅が1ドットに足りません。左右の余白を小さくしてください。</source>
        <translation>A printable width of %1 dots less the %2 dots of the scale leaves less than one dot for the roll. Make the left and right margins smaller.</translation>
    </message>
    <message>
        <source>ロールの幅 %1 ドットに、拡大率 %2 ドット/サンプルではサンプルが1つも入りません。拡大率か余白を小さくしてください。</source>
        <translation>A roll %1 dots wide holds not a single sample at a magnification of %2 dots per sample. Make the magnification or the margins smaller.</translation>
    </message>
    <message>
        <source>印刷を開始できませんでした。</source>
        <translation>Printing could not be started.</translation>
    </message>
    <message>
        <source>印刷を完了できませんでした。
%1</source>
        <translation>Printing could not be finished.
%1</translation>
    </message>
    <message>
        <source>The PDF file could not be written.</source>
        <translation>The PDF file could not be written.</translation>
    </message>
    <message>
        <source>The printer reported an error.</source>
        <translation>The printer reported an error.</translation>
    </message>
</context>
<context>
    <name>RegisterIntervalsDialog</name>
    <message>
        <source>変位レジスタの設定</source>
        <translation>Displacement Register</translation>
    </message>
    <message>
        <source>から</source>
        <translation>to</translation>
    </message>
    <message>
        <source>までの間に</source>
        <translation>divided into</translation>
    </message>
    <message>
        <source>区間</source>
        <translation>zones</translation>
    </message>
</context>
<context>
    <name>SmoothingDialog</name>
    <message>
        <source>スムージング</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>ウインドウ</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ウインドウの最適化</source>
        <translation>Optimise the window</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>No</translation>
    </message>
    <message>
        <source>する</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>データがありません。</source>
        <translation>There is no data.</translation>
    </message>
    <message>
        <source>二次関数</source>
        <translation>Quadratic</translation>
    </message>
    <message>
        <source>デジタル</source>
        <translation>Digital</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>初期化が完全にはできませんでした。以前行った設定が変化している可能性があります。</source>
        <translation>Start-up could not be completed. Settings made earlier may have changed.</translation>
    </message>
</context>
<context>
    <name>ToolTips</name>
    <message>
        <source>この設定で印刷を始めます</source>
        <translation>Starts printing with these settings</translation>
    </message>
    <message>
        <source>印刷せずに閉じます</source>
        <translation>Closes without printing</translation>
    </message>
    <message>
        <source>印刷に使うプリンタ</source>
        <translation>The printer to print on</translation>
    </message>
    <message>
        <source>プリンタの詳細設定 (用紙、向きなど)</source>
        <translation>The printer&apos;s page setup (paper, orientation and so on)</translation>
    </message>
    <message>
        <source>今表示している位置の周辺だけを印刷します</source>
        <translation>Prints only the stretch around the position shown</translation>
    </message>
    <message>
        <source>チャート全体を印刷します</source>
        <translation>Prints the whole chart</translation>
    </message>
    <message>
        <source>1ページを1段に分けて印刷します</source>
        <translation>Prints one roll per page</translation>
    </message>
    <message>
        <source>1ページを2段に分けて印刷します</source>
        <translation>Prints two rolls per page</translation>
    </message>
    <message>
        <source>1ページを3段に分けて印刷します</source>
        <translation>Prints three rolls per page</translation>
    </message>
    <message>
        <source>1ページを4段に分けて印刷します</source>
        <translation>Prints four rolls per page</translation>
    </message>
    <message>
        <source>1ページを5段に分けて印刷します</source>
        <translation>Prints five rolls per page</translation>
    </message>
    <message>
        <source>1ページを6段に分けて印刷します</source>
        <translation>Prints six rolls per page</translation>
    </message>
    <message>
        <source>生データの曲線を印刷します</source>
        <translation>Prints the curve of the raw data</translation>
    </message>
    <message>
        <source>スムージングしたデータの曲線を印刷します</source>
        <translation>Prints the curve of the smoothed data</translation>
    </message>
    <message>
        <source>今のモードの表のピークを印刷します</source>
        <translation>Prints the peaks of the current mode&apos;s table</translation>
    </message>
    <message>
        <source>両方の表のピークを印刷します</source>
        <translation>Prints the peaks of both tables</translation>
    </message>
    <message>
        <source>印刷の時間軸の拡大率</source>
        <translation>The time-axis magnification of the print</translation>
    </message>
    <message>
        <source>印刷の電圧のレンジ</source>
        <translation>The voltage range of the print</translation>
    </message>
    <message>
        <source>閾値と検出の有無を決めます</source>
        <translation>Sets the threshold and whether peaks are detected</translation>
    </message>
    <message>
        <source>ピークの検出の閾値 (V、0 より大きい値)。既定の 0.005 V は静かなチャートではノイズにも反応します</source>
        <translation>The threshold of peak detection (V, above 0). The default 0.005 V also reacts to noise on a quiet chart</translation>
    </message>
    <message>
        <source>ピークの設定を始めるとき、次のピークを自動で探します</source>
        <translation>Finds the next peak by itself when setting a peak starts</translation>
    </message>
    <message>
        <source>終了時のメインウィンドウの位置と大きさを次回に使います</source>
        <translation>Uses the main window&apos;s position and size at the end for the next start</translation>
    </message>
    <message>
        <source>起動したらメインウィンドウを最大化します</source>
        <translation>Maximises the main window at start</translation>
    </message>
    <message>
        <source>操作盤の位置を次回に使います</source>
        <translation>Uses the control pad&apos;s position for the next start</translation>
    </message>
    <message>
        <source>チャートをいつも拡張SPL (SPL2) の形式で保存します</source>
        <translation>Always saves charts in the extended SPL (SPL2) layout</translation>
    </message>
    <message>
        <source>変位レジスタの区間数を毎回尋ねずに下の数を使います</source>
        <translation>Uses the number below for the displacement register&apos;s zones instead of asking each time</translation>
    </message>
    <message>
        <source>変位レジスタの区間数 (dMem)</source>
        <translation>The number of zones of the displacement register (dMem)</translation>
    </message>
    <message>
        <source>メニューやダイアログの言葉。閉じると切り替わります</source>
        <translation>The language of menus and dialogs; it changes when this dialog closes</translation>
    </message>
    <message>
        <source>設定を決めて閉じます</source>
        <translation>Applies the settings and closes</translation>
    </message>
    <message>
        <source>編集したヘッダを決めます (Ctrl+Z で元に戻せます)</source>
        <translation>Applies the edited header (Ctrl+Z undoes it)</translation>
    </message>
    <message>
        <source>編集するヘッダの項目</source>
        <translation>The header item to edit</translation>
    </message>
    <message>
        <source>選んだ項目の値</source>
        <translation>The value of the chosen item</translation>
    </message>
    <message>
        <source>拡張SPL (SPL2) の形式で保存します</source>
        <translation>Saves in the extended SPL (SPL2) layout</translation>
    </message>
    <message>
        <source>スムージングの幅 (片側のサンプル数)</source>
        <translation>The smoothing width (samples on each side)</translation>
    </message>
    <message>
        <source>最適化で使う幅の最大</source>
        <translation>The largest width the optimisation uses</translation>
    </message>
    <message>
        <source>最適化で使う幅の最小</source>
        <translation>The smallest width the optimisation uses</translation>
    </message>
    <message>
        <source>最適化に使う重み関数</source>
        <translation>The weighting function of the optimisation</translation>
    </message>
    <message>
        <source>幅を場所ごとに最適化します</source>
        <translation>Optimises the width at each place</translation>
    </message>
    <message>
        <source>いつも同じ幅でスムージングします</source>
        <translation>Smooths with the same width everywhere</translation>
    </message>
    <message>
        <source>スムージングを始めます (Ctrl+Z で元に戻せます)</source>
        <translation>Starts smoothing (Ctrl+Z undoes it)</translation>
    </message>
    <message>
        <source>今の表のピーク: 名前、位置、頂点、ベース。ダブルクリックで名前を変更</source>
        <translation>The peaks of the current table: name, position, top, base. Double-click to rename</translation>
    </message>
    <message>
        <source>選んだピークを設定し直します (ベースラインから)</source>
        <translation>Sets the chosen peak again (from the base line)</translation>
    </message>
    <message>
        <source>選んだピークを削除します (Ctrl+Z で元に戻せます)</source>
        <translation>Deletes the chosen peak (Ctrl+Z undoes it)</translation>
    </message>
    <message>
        <source>全てのピークを削除します (Ctrl+Z で元に戻せます)</source>
        <translation>Deletes all peaks (Ctrl+Z undoes it)</translation>
    </message>
    <message>
        <source>閉じます</source>
        <translation>Closes</translation>
    </message>
    <message>
        <source>記憶した位置から今の位置までを分ける区間の数</source>
        <translation>The number of zones between the stored position and the current one</translation>
    </message>
    <message>
        <source>OK: この区間数を使う / キャンセル</source>
        <translation>OK: use this number of zones / Cancel</translation>
    </message>
    <message>
        <source>チャートのヘッダの内容</source>
        <translation>The contents of the chart&apos;s header</translation>
    </message>
    <message>
        <source>上へ (↑)</source>
        <translation>Up (↑)</translation>
    </message>
    <message>
        <source>下へ (↓)</source>
        <translation>Down (↓)</translation>
    </message>
    <message>
        <source>左へ (←)</source>
        <translation>Left (←)</translation>
    </message>
    <message>
        <source>右へ (→)</source>
        <translation>Right (→)</translation>
    </message>
    <message>
        <source>大きく上へ (Shift+↑)</source>
        <translation>Far up (Shift+↑)</translation>
    </message>
    <message>
        <source>大きく下へ (Shift+↓)</source>
        <translation>Far down (Shift+↓)</translation>
    </message>
    <message>
        <source>大きく左へ (Shift+←)</source>
        <translation>Far left (Shift+←)</translation>
    </message>
    <message>
        <source>大きく右へ (Shift+→)</source>
        <translation>Far right (Shift+→)</translation>
    </message>
    <message>
        <source>ピークの設定: 始める / 決める (Enter)</source>
        <translation>Set height: start / confirm (Enter)</translation>
    </message>
    <message>
        <source>ピークの設定の中止 (Esc)</source>
        <translation>Cancel peak setting (Esc)</translation>
    </message>
    <message>
        <source>ベースラインを大きく傾ける ++ (Ctrl+Space)。ベース点が中心</source>
        <translation>Tilts the base line a lot ++ (Ctrl+Space), around the base point</translation>
    </message>
    <message>
        <source>ベースラインを傾ける + (Space)。ベース点が中心</source>
        <translation>Tilts the base line + (Space), around the base point</translation>
    </message>
    <message>
        <source>ベースラインを傾ける - (Shift+Space)。ベース点が中心</source>
        <translation>Tilts the base line - (Shift+Space), around the base point</translation>
    </message>
    <message>
        <source>ベースラインを大きく傾ける -- (Ctrl+Shift+Space)。ベース点が中心</source>
        <translation>Tilts the base line a lot -- (Ctrl+Shift+Space), around the base point</translation>
    </message>
    <message>
        <source>ベースラインを水平にする (Ctrl+H)</source>
        <translation>Levels the base line (Ctrl+H)</translation>
    </message>
    <message>
        <source>カーソルが中央にくるようにする (Ctrl+C)</source>
        <translation>Brings the cursor to the centre (Ctrl+C)</translation>
    </message>
    <message>
        <source>中央をカーソル位置にする (Ctrl+M)</source>
        <translation>Makes the centre the cursor position (Ctrl+M)</translation>
    </message>
    <message>
        <source>チャートの上の方を表示 (Home)</source>
        <translation>Shows the top of the chart (Home)</translation>
    </message>
    <message>
        <source>チャートの最小値を下端に (End)</source>
        <translation>Puts the chart&apos;s lowest value at the bottom (End)</translation>
    </message>
    <message>
        <source>チャートの先頭へ (Ctrl+Home)</source>
        <translation>To the start of the chart (Ctrl+Home)</translation>
    </message>
    <message>
        <source>チャートの末尾へ (Ctrl+End)</source>
        <translation>To the end of the chart (Ctrl+End)</translation>
    </message>
    <message>
        <source>表示位置を記憶 (Ctrl+R)</source>
        <translation>Stores the position shown (Ctrl+R)</translation>
    </message>
    <message>
        <source>記憶した位置と今の位置を入れ替え (Ctrl+W)</source>
        <translation>Swaps the stored and the current position (Ctrl+W)</translation>
    </message>
    <message>
        <source>記憶した位置から今の位置までを区間に等分 (Ctrl+Tab)</source>
        <translation>Divides the stretch from the stored to the current position into zones (Ctrl+Tab)</translation>
    </message>
    <message>
        <source>1区間進む (Tab)</source>
        <translation>One zone forward (Tab)</translation>
    </message>
    <message>
        <source>1区間戻る (Shift+Tab)</source>
        <translation>One zone back (Shift+Tab)</translation>
    </message>
    <message>
        <source>決めて閉じます</source>
        <translation>Applies and closes</translation>
    </message>
    <message>
        <source>変えずに閉じます</source>
        <translation>Closes without changes</translation>
    </message>
    <message>
        <source>表示中のページを印刷します</source>
        <translation>Prints the page shown</translation>
    </message>
    <message>
        <source>左端のサンプルの名前</source>
        <translation>Name of the sample at the left edge</translation>
    </message>
    <message>
        <source>左端のサンプル番号</source>
        <translation>Sample number at the left edge</translation>
    </message>
    <message>
        <source>左端のデータ (V)</source>
        <translation>Data at the left edge (V)</translation>
    </message>
    <message>
        <source>中央 (ピーク設定中は設定中の点) のサンプルの名前</source>
        <translation>Name of the sample at the centre (while setting a peak, the point being set)</translation>
    </message>
    <message>
        <source>中央 (ピーク設定中は設定中の点) のサンプル番号</source>
        <translation>Sample number at the centre (while setting a peak, the point being set)</translation>
    </message>
    <message>
        <source>中央のデータ (ピーク設定中は設定中の点の高さ、V)</source>
        <translation>Data at the centre (while setting a peak, the height of the point being set; V)</translation>
    </message>
    <message>
        <source>右端のサンプルの名前</source>
        <translation>Name of the sample at the right edge</translation>
    </message>
    <message>
        <source>右端のサンプル番号</source>
        <translation>Sample number at the right edge</translation>
    </message>
    <message>
        <source>右端のデータ (V)</source>
        <translation>Data at the right edge (V)</translation>
    </message>
</context>
<context>
    <name>VortanMain</name>
    <message>
        <source>チャートが変更されています。保存しますか？</source>
        <translation>The chart has been changed. Do you want to save it?</translation>
    </message>
    <message>
        <source>ドロップできるファイルは一度に1個のみです。</source>
        <translation>Only one file can be dropped at a time.</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。
%1
理由: %2</source>
        <translation>The settings could not be saved.
%1
Reason: %2</translation>
    </message>
</context>
</TS>
