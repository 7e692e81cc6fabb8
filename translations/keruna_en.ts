<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>○ 正解</source>
        <translation>○ Correct</translation>
    </message>
    <message>
        <source>× 不正解</source>
        <translation>× Wrong</translation>
    </message>
    <message>
        <source>○ リストに追加</source>
        <translation>○ Add to list</translation>
    </message>
    <message>
        <source>答え</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>答えの入力</source>
        <translation>Answer input</translation>
    </message>
    <message>
        <source>テスト結果を表示</source>
        <translation>Show test results</translation>
    </message>
    <message>
        <source>テスト結果を隠す</source>
        <translation>Hide test results</translation>
    </message>
    <message>
        <source>ゲットリスト</source>
        <translation>GET list</translation>
    </message>
    <message>
        <source>発音</source>
        <translation>Pronounce</translation>
    </message>
    <message>
        <source>色の対象</source>
        <translation>Color target</translation>
    </message>
</context>
<context>
    <name>AppError</name>
    <message>
        <source>アプリケーション定義またはオブジェクト定義のエラーです。</source>
        <translation>Application-defined or object-defined error.</translation>
    </message>
    <message>
        <source>プロシージャの呼び出し、または引数が不正です。</source>
        <translation>Invalid procedure call or argument.</translation>
    </message>
    <message>
        <source>オーバーフローしました。</source>
        <translation>Overflow.</translation>
    </message>
    <message>
        <source>メモリが不足しています。</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source>インデックスが有効範囲にありません。</source>
        <translation>Index out of range.</translation>
    </message>
    <message>
        <source>型が一致しません。</source>
        <translation>Type mismatch.</translation>
    </message>
    <message>
        <source>ファイル名または番号が不正です。</source>
        <translation>Bad file name or number.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>デバイス I/O エラーです。</source>
        <translation>Device I/O error.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が不足しています。</source>
        <translation>Not enough disk space.</translation>
    </message>
    <message>
        <source>ファイルにこれ以上データがありません。</source>
        <translation>Input past end of file.</translation>
    </message>
    <message>
        <source>アクセスが拒否されました。</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>パス名が無効です。</source>
        <translation>Invalid path name.</translation>
    </message>
    <message>
        <source>パスが見つかりません。</source>
        <translation>Path not found.</translation>
    </message>
    <message>
        <source>キャンセルされました。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>エラー番号 : %1<byte value="xd"/>
%2</source>
        <translation>Error number: %1<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>エラー番号 ： %1<byte value="xd"/>
%2</source>
        <translation>Error number: %1<byte value="xd"/>
%2</translation>
    </message>
</context>
<context>
    <name>DBgamen</name>
    <message>
        <source>覚えている単語はありません</source>
        <translation>No words memorized</translation>
    </message>
    <message>
        <source>%1単語覚えています</source>
        <translation>%1 words memorized</translation>
    </message>
    <message>
        <source>検索する文字を入力してください</source>
        <translation>Type the text to search for</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>【和訳テスト】 リスト下に選択した単語の意味を表示します</source>
        <translation>[Meaning Test] Shows the selected word&apos;s meaning below the list</translation>
    </message>
    <message>
        <source>【英訳テスト】  リスト下に選択した単語のスペルを表示します</source>
        <translation>[Spelling Test]  Shows the selected word&apos;s spelling below the list</translation>
    </message>
    <message>
        <source>チェックを付けた単語をまとめて要チェックにします</source>
        <translation>Mark all checked words as needs check</translation>
    </message>
    <message>
        <source>リストのフォント設定</source>
        <translation>List font</translation>
    </message>
    <message>
        <source>データの書き出し</source>
        <translation>Export data</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>全てチェック/解除</source>
        <translation>Check/uncheck all</translation>
    </message>
    <message>
        <source>リスト幅を広げます</source>
        <translation>Widen the list</translation>
    </message>
    <message>
        <source>リスト幅を戻します</source>
        <translation>Restore the list width</translation>
    </message>
    <message>
        <source>右へ移動 （チェックでまとめて移動）</source>
        <translation>Move right (moves all checked words)</translation>
    </message>
    <message>
        <source>左へ移動 （チェックでまとめて移動）</source>
        <translation>Move left (moves all checked words)</translation>
    </message>
    <message>
        <source>未暗記テスト結果700問</source>
        <translation>New test results: 700 questions</translation>
    </message>
    <message>
        <source>学習履歴(&amp;R)</source>
        <translation>Study Histo&amp;ry</translation>
    </message>
    <message>
        <source>これまでのテストと暗記の記録を見る</source>
        <translation>View the record of past tests and memorization</translation>
    </message>
    <message>
        <source>正解</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>間違い</source>
        <translation>Wrong</translation>
    </message>
    <message>
        <source>正解率</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>正解リスト %1</source>
        <translation>Correct list %1</translation>
    </message>
    <message>
        <source>暗記済リスト %1</source>
        <translation>Memorized list %1</translation>
    </message>
    <message>
        <source>間違いリスト %1</source>
        <translation>Wrong list %1</translation>
    </message>
    <message>
        <source>未暗記リスト %1</source>
        <translation>Not memorized list %1</translation>
    </message>
    <message>
        <source>正解リスト</source>
        <translation>Correct list</translation>
    </message>
    <message>
        <source>間違いリスト</source>
        <translation>Wrong list</translation>
    </message>
    <message>
        <source>暗記済リスト</source>
        <translation>Memorized list</translation>
    </message>
    <message>
        <source>未暗記リスト</source>
        <translation>Not memorized list</translation>
    </message>
</context>
<context>
    <name>DbListModel</name>
    <message>
        <source>次の復習：%1</source>
        <translation>Next review: %1</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>答え</source>
        <translation>Answer</translation>
    </message>
</context>
<context>
    <name>DbSearch</name>
    <message>
        <source>検索が終了しました。</source>
        <translation>Search finished.</translation>
    </message>
    <message>
        <source>検索文字が見つかりません。</source>
        <translation>The search text was not found.</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>未暗記のみテスト</source>
        <translation>New Only Test</translation>
    </message>
    <message>
        <source>暗記済のみテスト</source>
        <translation>Known Only Test</translation>
    </message>
    <message>
        <source>要チェックのみテスト</source>
        <translation>Check Only Test</translation>
    </message>
    <message>
        <source>復習テスト</source>
        <translation>Review Test</translation>
    </message>
    <message>
        <source>全体テスト</source>
        <translation>Full Test</translation>
    </message>
    <message>
        <source>速度数値が不正です。</source>
        <translation>The speed is not a valid number.</translation>
    </message>
    <message>
        <source>0.01秒～600秒の範囲以外は指定できません。</source>
        <translation>Enter a value from 0.01 to 600 seconds.</translation>
    </message>
    <message>
        <source>未暗記データがありません。範囲を変えてください。</source>
        <translation>There are no words left that are not memorized. Choose another range.</translation>
    </message>
    <message>
        <source>暗記済データがありません。範囲を変えてください。</source>
        <translation>There are no memorized words. Choose another range.</translation>
    </message>
    <message>
        <source>要チェックデータがありません。範囲を変えてください。</source>
        <translation>There are no words that need checking. Choose another range.</translation>
    </message>
    <message>
        <source>復習する問題はありません。</source>
        <translation>There are no questions to review.</translation>
    </message>
    <message>
        <source>自動進行</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>問題と答えを自動表示します</source>
        <translation>Shows questions and answers automatically</translation>
    </message>
    <message>
        <source>手動進行</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>問題と答えを手動表示します</source>
        <translation>Shows questions and answers manually</translation>
    </message>
    <message>
        <source>数字テスト</source>
        <translation>Number Test</translation>
    </message>
    <message>
        <source>数字の発音を聞き取るテストです</source>
        <translation>A listening test with spoken numbers</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>逆転</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>英和・和英の切替 スペルチェックに有効です</source>
        <translation>Switches English-Japanese and Japanese-English; good for spelling practice</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source> 予想する</source>
        <translation> Guess</translation>
    </message>
    <message>
        <source>回答を予想します</source>
        <translation>You guess the answer</translation>
    </message>
    <message>
        <source> 入力する</source>
        <translation> Type</translation>
    </message>
    <message>
        <source>回答を入力します</source>
        <translation>You type the answer</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>ランダム表示</source>
        <translation>Shows words in random order</translation>
    </message>
    <message>
        <source>昇順</source>
        <translation>In order</translation>
    </message>
    <message>
        <source>昇順表示</source>
        <translation>Shows words in list order</translation>
    </message>
    <message>
        <source>♪聞取モード</source>
        <translation>♪Listening</translation>
    </message>
    <message>
        <source>音声で出題&#x3000;（Ctrlキーで聞き直せます）</source>
        <translation>Questions are spoken (Ctrl repeats them)</translation>
    </message>
    <message>
        <source>試験範囲の選択 （未暗記のみ・暗記済のみ・全て）</source>
        <translation>Choose the test range (New only, Known only, All)</translation>
    </message>
    <message>
        <source>未覚</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>表示速度（入力可）</source>
        <translation>Display speed (editable)</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>下限値の設定（入力可）</source>
        <translation>Lower bound (editable)</translation>
    </message>
    <message>
        <source>上限値の設定（入力可）</source>
        <translation>Upper bound (editable)</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>未暗記のみ</source>
        <translation>New only</translation>
    </message>
    <message>
        <source>暗記済のみ</source>
        <translation>Known only</translation>
    </message>
    <message>
        <source>要チェックのみ</source>
        <translation>Check only</translation>
    </message>
    <message>
        <source>復習</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>数字の聞き取りテスト</source>
        <translation>Number Listening Test</translation>
    </message>
    <message>
        <source>下限値が上限値を超えています。</source>
        <translation>The lower bound is greater than the upper bound.</translation>
    </message>
    <message>
        <source>0～1000000の範囲以外は指定できません。</source>
        <translation>Enter a value from 0 to 1000000.</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <source>保存先を選ぶ...(&amp;O)</source>
        <translation>Ch&amp;oose Where to Save...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>他の形式で書き出す</source>
        <translation>Export to Other Format</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Anki（タブ区切りのテキスト）(&amp;K)</source>
        <translation>An&amp;ki (tab-separated text)</translation>
    </message>
    <message>
        <source>Parley（kvtml）(&amp;P)</source>
        <translation>&amp;Parley (kvtml)</translation>
    </message>
    <message>
        <source>書き出す単語</source>
        <translation>Words to Export</translation>
    </message>
    <message>
        <source>問題データ全体&#x3000;%1語(&amp;A)</source>
        <translation>The &amp;whole word list: %1 words</translation>
    </message>
    <message>
        <source>出題範囲%1&#x3000;%2語(&amp;R)</source>
        <translation>Question &amp;range %1: %2 words</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>ソフトウェアの設定を初期化しますか？</source>
        <translation>Reset all of the program&apos;s settings to their defaults?</translation>
    </message>
    <message>
        <source>文字が不正です。</source>
        <translation>A delimiter is not valid.</translation>
    </message>
    <message>
        <source>チェック数と忘却率(&amp;C)</source>
        <translation>Checks and &amp;Forgetting Rate</translation>
    </message>
    <message>
        <source>チェック数と正解率(&amp;C)</source>
        <translation>Checks and &amp;Accuracy</translation>
    </message>
    <message>
        <source>表示中の単語を暗記済にできます</source>
        <translation>Mark the shown word as memorized</translation>
    </message>
    <message>
        <source>「%1」はフォルダです。問題データのファイルを開いてください。</source>
        <translation>&quot;%1&quot; is a folder. Open a word list file.</translation>
    </message>
    <message>
        <source>読み込むファイルを選んでください</source>
        <translation>Choose a File to Import</translation>
    </message>
    <message>
        <source>Anki・Parley・表計算のファイル(*.txt *.csv *.tsv *.kvtml)</source>
        <translation>Anki, Parley and spreadsheet files (*.txt *.csv *.tsv *.kvtml)</translation>
    </message>
    <message>
        <source>「%1」から単語を読み込めませんでした。<byte value="xd"/>
%2</source>
        <translation>Could not read any words from &quot;%1&quot;.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>読み込める行がありません。</source>
        <translation>There are no lines that can be read.</translation>
    </message>
    <message>
        <source>%1 件あります。1つの問題データに入れられるのは%2件までです。最初の%2件を書き出しますか？</source>
        <translation>There are %1 entries. A word list can hold at most %2. Write the first %2?</translation>
    </message>
    <message>
        <source>新しい問題データの保存先</source>
        <translation>Save New Word List As</translation>
    </message>
    <message>
        <source>テキストファイル(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>読み込んだファイルそのものには保存できません。別の名前を選んでください。</source>
        <translation>Cannot save over the file being imported. Choose another name.</translation>
    </message>
    <message>
        <source>「%1」に保存できませんでした。<byte value="xd"/>
%2</source>
        <translation>Could not save to &quot;%1&quot;.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>他の形式で書き出す</source>
        <translation>Export to Other Format</translation>
    </message>
    <message>
        <source>Parleyのファイル(*.kvtml)</source>
        <translation>Parley files (*.kvtml)</translation>
    </message>
    <message>
        <source>Ankiで読み込むテキスト(*.txt)</source>
        <translation>Text for Anki to import (*.txt)</translation>
    </message>
    <message>
        <source>開いている問題データそのものには書き出せません。別の名前を選んでください。</source>
        <translation>Cannot export over the open word list itself. Choose another name.</translation>
    </message>
    <message>
        <source>「%1」に書き出せませんでした。<byte value="xd"/>
%2</source>
        <translation>Could not export to &quot;%1&quot;.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>CSVファイル(*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>テスト中は問題データをリセットできません。テストを終了してから実行してください。</source>
        <translation>The word list cannot be reset during a test. End the test first.</translation>
    </message>
    <message>
        <source>問題データを開いてから実行してください。</source>
        <translation>Open a word list first.</translation>
    </message>
    <message>
        <source>全て未暗記データの為、リセットする必要がありません。</source>
        <translation>No word is memorized yet, so there is nothing to reset.</translation>
    </message>
    <message>
        <source>問題データの中の暗記済データを未暗記データに戻します。よろしいですか？</source>
        <translation>All memorized words in the word list will be set back to not memorized. Continue?</translation>
    </message>
    <message>
        <source>読み込んである問題データに問題が1つもないため、「%1」には保存しませんでした。<byte value="xd"/>
問題データのファイルを確かめて、開き直してください。</source>
        <translation>The loaded word list has no questions, so nothing was saved to &quot;%1&quot;.<byte value="xd"/>
Check the word list file and open it again.</translation>
    </message>
    <message>
        <source>「%1」は読み込んだ後に変更されています。<byte value="xd"/>
保存すると、その変更は失われます。保存しますか？</source>
        <translation>&quot;%1&quot; has changed since it was loaded.<byte value="xd"/>
Saving will lose those changes. Save anyway?</translation>
    </message>
    <message>
        <source>「%1」のあったフォルダ「%2」が見つかりません。読み込んだ後に削除または移動されたようです。</source>
        <translation>The folder &quot;%2&quot; that held &quot;%1&quot; cannot be found. It seems to have been deleted or moved after loading.</translation>
    </message>
    <message>
        <source>「%1」が見つかりません。読み込んだ後に削除または移動されたようです。</source>
        <translation>&quot;%1&quot; cannot be found. It seems to have been deleted or moved after loading.</translation>
    </message>
    <message>
        <source>フォルダ「%1」に書き込めないため、「%2」を上書き保存できません。ファイルは元のままです。</source>
        <translation>&quot;%2&quot; cannot be saved because the folder &quot;%1&quot; is not writable. The file is unchanged.</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
名前を付けて保存しますか？</source>
        <translation>%1<byte value="xd"/>
Save under another name?</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>しばらくお待ちください･･･</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Settei.iniが不正か存在しません。</source>
        <translation>Settei.ini is invalid or missing.</translation>
    </message>
    <message>
        <source>Settei.iniを修復しますか？</source>
        <translation>Repair Settei.ini?</translation>
    </message>
    <message>
        <source>設定をフォルダ「%1」のSettei.iniに保存できませんでした。ディスクの空きと書き込みの許可を確かめてください。<byte value="xd"/>
もう一度保存しますか？（いいえ：今回の設定は保存されません）</source>
        <translation>Could not save the settings to Settei.ini in the folder &quot;%1&quot;. Check the free disk space and the write permission.<byte value="xd"/>
Try saving again? (No: this session&apos;s settings will not be saved.)</translation>
    </message>
    <message>
        <source>%1が設定されていません。プロパティで設定してください。</source>
        <translation>%1 is not set. Set it in Properties.</translation>
    </message>
    <message>
        <source>%1「%2」はWebのアドレス（http:// か https:// で始まるもの）ではないため開けません。プロパティで直してください。</source>
        <translation>%1 &quot;%2&quot; cannot be opened because it is not a web address (one starting with http:// or https://). Correct it in Properties.</translation>
    </message>
    <message>
        <source>ブラウザを起動できませんでした。既定のWebブラウザが設定されているか確かめてください。<byte value="xd"/>
%1</source>
        <translation>Could not start the browser. Check that a default web browser is set.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Web辞書のURL</source>
        <translation>The web dictionary URL</translation>
    </message>
    <message>
        <source>ホームページのURL</source>
        <translation>The home page URL</translation>
    </message>
    <message>
        <source>問題データが開かれていません。</source>
        <translation>No word list is open.</translation>
    </message>
    <message>
        <source>データベース画面での変更が保存されていません。<byte value="xd"/>
保存しますか？</source>
        <translation>Changes made in the database screen have not been saved.<byte value="xd"/>
Save them?</translation>
    </message>
    <message>
        <source>テスト結果が保存されていません。<byte value="xd"/>
保存しますか？</source>
        <translation>The test results have not been saved.<byte value="xd"/>
Save them?</translation>
    </message>
    <message>
        <source>設定をフォルダ「%1」のSettei.iniに保存できませんでした。ディスクの空きと書き込みの許可を確かめてください。</source>
        <translation>Could not save the settings to Settei.ini in the folder &quot;%1&quot;. Check the free disk space and the write permission.</translation>
    </message>
    <message>
        <source>覚えたら○を押してね</source>
        <translation>Press ○ once you know it</translation>
    </message>
    <message>
        <source>テスト中</source>
        <translation>Testing</translation>
    </message>
    <message>
        <source>問題をスキップ ※Shift+Enter</source>
        <translation>Skip question (Shift+Enter)</translation>
    </message>
    <message>
        <source>入力してね</source>
        <translation>Type the answer</translation>
    </message>
    <message>
        <source>答Tab  次Enter</source>
        <translation>Answer Tab  Next Enter</translation>
    </message>
    <message>
        <source>答えの確認</source>
        <translation>Show answer</translation>
    </message>
    <message>
        <source>問題をスキップ ※Enter</source>
        <translation>Skip question (Enter)</translation>
    </message>
    <message>
        <source>Tab、Enterを使うと不正解にカウント</source>
        <translation>Using Tab or Enter counts as wrong</translation>
    </message>
    <message>
        <source>CHECKして○×を押してね</source>
        <translation>CHECK, then press ○ or ×</translation>
    </message>
    <message>
        <source>CHECK,○はEnter  ×,レはBS  答Tab  次Shift+Enter</source>
        <translation>CHECK,○ Enter  ×,✓ BS  Answer Tab  Next Shift+Enter</translation>
    </message>
    <message>
        <source>答えの確認 ※Enter</source>
        <translation>Show answer (Enter)</translation>
    </message>
    <message>
        <source>止Enter  答Tab  次Shift+Enter</source>
        <translation>Pause Enter  Answer Tab  Next Shift+Enter</translation>
    </message>
    <message>
        <source>リストに追加</source>
        <translation>Add to list</translation>
    </message>
    <message>
        <source>一時停止 ※Enter</source>
        <translation>Pause (Enter)</translation>
    </message>
    <message>
        <source>再開 ※Enter</source>
        <translation>Resume (Enter)</translation>
    </message>
    <message>
        <source>Tabを使うと不正解にカウント</source>
        <translation>Using Tab counts as wrong</translation>
    </message>
    <message>
        <source>予想してね</source>
        <translation>Guess the answer</translation>
    </message>
    <message>
        <source>○Enter  レBS  止Del  答Tab  次Shift+Enter</source>
        <translation>○ Enter  ✓ BS  Pause Del  Answer Tab  Next Shift+Enter</translation>
    </message>
    <message>
        <source>リストに追加 ※Enter</source>
        <translation>Add to list (Enter)</translation>
    </message>
    <message>
        <source>一時停止 ※Delete</source>
        <translation>Pause (Delete)</translation>
    </message>
    <message>
        <source>再開 ※Delete</source>
        <translation>Resume (Delete)</translation>
    </message>
    <message>
        <source>Enter：一時停止 Tab：答え</source>
        <translation>Enter: pause  Tab: answer</translation>
    </message>
    <message>
        <source>お疲れ様、テスト終了です。STARTで再開できるよ。</source>
        <translation>Good work, the test is over. Press START to go again.</translation>
    </message>
</context>
<context>
    <name>GetList</name>
    <message>
        <source>チェック数&#x3000;%1<byte value="xd"/>
%2&#x3000;%3％</source>
        <translation>Checks: %1<byte value="xd"/>
%2: %3%</translation>
    </message>
    <message>
        <source>忘却率</source>
        <translation>Forgetting rate</translation>
    </message>
    <message>
        <source>正解率</source>
        <translation>Accuracy</translation>
    </message>
</context>
<context>
    <name>GetTest</name>
    <message>
        <source>○%1&#x3000;×%2&#x3000;正解率%3％</source>
        <translation>○%1  ×%2  Accuracy %3%</translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>自動テスト</source>
        <translation>Auto test</translation>
    </message>
    <message>
        <source>手動テスト</source>
        <translation>Manual test</translation>
    </message>
    <message>
        <source>数字テスト</source>
        <translation>Number test</translation>
    </message>
    <message>
        <source>GETテスト</source>
        <translation>GET test</translation>
    </message>
    <message>
        <source>正解率（％）</source>
        <translation>Accuracy (%)</translation>
    </message>
    <message>
        <source>暗記済（語）</source>
        <translation>Memorized (words)</translation>
    </message>
    <message>
        <source>暗記済の数</source>
        <translation>Memorized words</translation>
    </message>
    <message>
        <source>学習時間</source>
        <translation>Study time</translation>
    </message>
    <message>
        <source>学習（分／日）</source>
        <translation>Study (min/day)</translation>
    </message>
    <message>
        <source>復習予定</source>
        <translation>Reviews due</translation>
    </message>
    <message>
        <source>これからの復習（語／日）</source>
        <translation>Upcoming reviews (words/day)</translation>
    </message>
    <message>
        <source>暗記済の数と正解率の推移</source>
        <translation>Memorized words and accuracy over time</translation>
    </message>
    <message>
        <source>1日の学習時間</source>
        <translation>Study time per day</translation>
    </message>
    <message>
        <source>これからの復習（30日）</source>
        <translation>Upcoming reviews (30 days)</translation>
    </message>
    <message>
        <source>学習 %1分</source>
        <translation>Study %1 min</translation>
    </message>
    <message>
        <source>学習履歴のグラフを表示できません。
%1</source>
        <translation>The study history charts cannot be shown.
%1</translation>
    </message>
    <message>
        <source>%1 が見つかりません（%2）</source>
        <translation>%1 not found (%2)</translation>
    </message>
</context>
<context>
    <name>HistoryEvent</name>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>手動</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>学習</source>
        <translation>Study</translation>
    </message>
    <message>
        <source> 聞き取り</source>
        <translation> listening</translation>
    </message>
    <message>
        <source> 入力</source>
        <translation> typed</translation>
    </message>
    <message>
        <source> 逆転</source>
        <translation> reverse</translation>
    </message>
    <message>
        <source>%1問</source>
        <translation>%1 questions</translation>
    </message>
    <message>
        <source>（%1問表示）</source>
        <translation> (%1 shown)</translation>
    </message>
    <message>
        <source>%1%2 %3%4&#x3000;正解%5 不正解%6&#x3000;正解率%7％</source>
        <translation>%1%2 %3 %4: %5 correct, %6 wrong, accuracy %7%</translation>
    </message>
    <message>
        <source>未%1 覚%2 (要%3)</source>
        <translation>New %1 Known %2 (Check %3)</translation>
    </message>
    <message>
        <source>%1分&#x3000;%2語</source>
        <translation>%1 min, %2 words</translation>
    </message>
</context>
<context>
    <name>HistoryFile</name>
    <message>
        <source>学習履歴のファイルを開けないため、今回は記録していません（%1）。</source>
        <translation>The study history file cannot be opened, so this was not recorded (%1).</translation>
    </message>
    <message>
        <source>学習履歴を書き込めないため、今回はこれ以上記録しません（ディスクの空きが足りないか、書き込みが許されていません）。</source>
        <translation>The study history cannot be written, so nothing more will be recorded this session (the disk is full or writing is not allowed).</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>問題データ</source>
        <translation>Word List</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>学習履歴</source>
        <translation>Study History</translation>
    </message>
    <message>
        <source>すべての問題データ(&amp;A)</source>
        <translation>&amp;All word lists</translation>
    </message>
    <message>
        <source>CSVに書き出す(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>履歴を消去(&amp;D)...</source>
        <translation>&amp;Delete History...</translation>
    </message>
    <message>
        <source>学習履歴の一覧</source>
        <translation>Study history list</translation>
    </message>
    <message>
        <source>復習：今日 %1語&#x3000;明日 %2語</source>
        <translation>Review: %1 today, %2 tomorrow</translation>
    </message>
    <message>
        <source>学習履歴 - すべての問題データ</source>
        <translation>Study History - All Word Lists</translation>
    </message>
    <message>
        <source>学習履歴 - %1</source>
        <translation>Study History - %1</translation>
    </message>
    <message>
        <source>読めない行が%1行あったため、飛ばしました。</source>
        <translation>Skipped %1 unreadable lines.</translation>
    </message>
    <message>
        <source>復習の記録に読めない行が%1行あったため、飛ばしました。</source>
        <translation>Skipped %1 unreadable lines in the review log.</translation>
    </message>
    <message>
        <source>学習履歴を読み込んでいます…</source>
        <translation>Reading the study history…</translation>
    </message>
    <message>
        <source>まだ記録はありません。学習やテストをすると、ここに残ります。</source>
        <translation>Nothing recorded yet. Your study and tests will show up here.</translation>
    </message>
    <message>
        <source>学習履歴をCSVに書き出す</source>
        <translation>Export Study History to CSV</translation>
    </message>
    <message>
        <source>CSVファイル(*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>学習履歴.csv</source>
        <translation>study-history.csv</translation>
    </message>
    <message>
        <source>「%1」に書き出せませんでした。<byte value="xd"/>
%2</source>
        <translation>Could not export to &quot;%1&quot;.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>すべての問題データの学習履歴を消去します。元には戻せません。よろしいですか？</source>
        <translation>This deletes the study history of all word lists. It cannot be undone. Continue?</translation>
    </message>
    <message>
        <source>学習履歴を消去できませんでした。<byte value="xd"/>
%1</source>
        <translation>Could not delete the study history.<byte value="xd"/>
%1</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>他の形式から読み込む - %1</source>
        <translation>Import from Other Format - %1</translation>
    </message>
    <message>
        <source>%1列目</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>%1 行あります。初めの行はこのように読めました。</source>
        <translation>There are %1 rows. The first ones were read like this.</translation>
    </message>
    <message>
        <source>読み込む内容の初めの行</source>
        <translation>First rows to import</translation>
    </message>
    <message>
        <source>（答えなし）</source>
        <translation>(No answer)</translation>
    </message>
    <message>
        <source>問題にする列(&amp;Q)</source>
        <translation>&amp;Question column</translation>
    </message>
    <message>
        <source>答えにする列(&amp;A)</source>
        <translation>&amp;Answer column</translation>
    </message>
    <message>
        <source>UTF-8(&amp;U)</source>
        <translation>&amp;UTF-8</translation>
    </message>
    <message>
        <source>Shift-JIS(&amp;S)</source>
        <translation>&amp;Shift-JIS</translation>
    </message>
    <message>
        <source>新しい問題データの文字コード</source>
        <translation>New word list&apos;s encoding</translation>
    </message>
</context>
<context>
    <name>ImportTable</name>
    <message>
        <source>Ankiのファイルの区切り文字「%1」がわかりません。</source>
        <translation>Unknown delimiter &quot;%1&quot; in the Anki file.</translation>
    </message>
    <message>
        <source>このParleyのファイルは形式のバージョン%1です。読めるのはバージョン2だけです。</source>
        <translation>This Parley file is in format version %1. Only version 2 can be read.</translation>
    </message>
    <message>
        <source>Parleyのファイル（XML）が壊れています：%1行目、%2</source>
        <translation>The Parley file (XML) is damaged: line %1, %2</translation>
    </message>
    <message>
        <source>Parleyのファイル（kvtml）ではありません。</source>
        <translation>This is not a Parley file (kvtml).</translation>
    </message>
</context>
<context>
    <name>ItemText</name>
    <message>
        <source>%1行目区切り文字エラー</source>
        <translation>Line %1: delimiter error</translation>
    </message>
    <message>
        <source>エラー番号 ： 9<byte value="xd"/>
指定した区切り文字  %1  が一致していません。<byte value="xd"/>
正しく設定し直してから開始してください。</source>
        <translation>Error number: 9<byte value="xd"/>
The delimiter  %1  does not match the word list.<byte value="xd"/>
Set it correctly, then start again.</translation>
    </message>
</context>
<context>
    <name>MainControls</name>
    <message>
        <source>元画面に戻す</source>
        <translation>Back to main screen</translation>
    </message>
    <message>
        <source>Enter：一時停止 Tab：答え</source>
        <translation>Enter: pause  Tab: answer</translation>
    </message>
    <message>
        <source>速度の設定（入力可）</source>
        <translation>Speed (editable)</translation>
    </message>
    <message>
        <source>速度の適用</source>
        <translation>Apply speed</translation>
    </message>
    <message>
        <source>下限値の設定（入力可）</source>
        <translation>Lower bound (editable)</translation>
    </message>
    <message>
        <source>上限値の設定（入力可）</source>
        <translation>Upper bound (editable)</translation>
    </message>
    <message>
        <source>桁数の適用</source>
        <translation>Apply bounds</translation>
    </message>
    <message>
        <source>聞取</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>逆転</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>一時停止  ※Delete</source>
        <translation>Pause (Delete)</translation>
    </message>
    <message>
        <source>再開  ※Delete</source>
        <translation>Resume (Delete)</translation>
    </message>
    <message>
        <source>テストを終了</source>
        <translation>End test</translation>
    </message>
    <message>
        <source>答えの確認</source>
        <translation>Show answer</translation>
    </message>
    <message>
        <source>スキップ ※Shift+Enter</source>
        <translation>Skip (Shift+Enter)</translation>
    </message>
    <message>
        <source>テスト結果を見る</source>
        <translation>View Test Results</translation>
    </message>
    <message>
        <source>リストに追加&#x3000;※Enter</source>
        <translation>Add to list (Enter)</translation>
    </message>
    <message>
        <source>リストから外す(チェックでまとめて削除)&#x3000;※Backspace</source>
        <translation>Remove from list (all checked ones at once) (Backspace)</translation>
    </message>
    <message>
        <source>問題をスキップ ※Shift+Enter</source>
        <translation>Skip question (Shift+Enter)</translation>
    </message>
    <message>
        <source>リストデータを保存</source>
        <translation>Save list</translation>
    </message>
    <message>
        <source>ワンタッチテスト ランダム順で一巡した後に停止します</source>
        <translation>One-touch test (stops after one round in random order)</translation>
    </message>
    <message>
        <source>テスト終了</source>
        <translation>End test</translation>
    </message>
    <message>
        <source>全てチェック/解除</source>
        <translation>Check/uncheck all</translation>
    </message>
    <message>
        <source>外部画面に移動</source>
        <translation>Move to separate window</translation>
    </message>
    <message>
        <source>リストを閉じる</source>
        <translation>Close list</translation>
    </message>
    <message>
        <source>問題データを開く</source>
        <translation>Open word list</translation>
    </message>
    <message>
        <source>ここから始めます</source>
        <translation>Start from here</translation>
    </message>
    <message>
        <source>一時停止&#x3000;※Delete</source>
        <translation>Pause (Delete)</translation>
    </message>
    <message>
        <source>再開&#x3000;※Delete</source>
        <translation>Resume (Delete)</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>データベース</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>表示中の単語を暗記済にできます</source>
        <translation>Mark the shown word as memorized</translation>
    </message>
    <message>
        <source>問題データ編集&#x3000;※編集後は再読込してください</source>
        <translation>Edit word list (reload it after editing)</translation>
    </message>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>スティック画面</source>
        <translation>Stick screen</translation>
    </message>
    <message>
        <source>フォーカス画面 （文字サイズ比）</source>
        <translation>Focus screen (text size ratio)</translation>
    </message>
    <message>
        <source>Web辞書</source>
        <translation>Web dictionary</translation>
    </message>
    <message>
        <source>手書きパレット</source>
        <translation>Handwriting palette</translation>
    </message>
    <message>
        <source>色の設定</source>
        <translation>Colors</translation>
    </message>
    <message>
        <source>発音&#x3000;※Ctrl</source>
        <translation>Pronounce (Ctrl)</translation>
    </message>
    <message>
        <source>表示速度</source>
        <translation>Display speed</translation>
    </message>
    <message>
        <source>表示速度 STARTボタンを押して適用してください</source>
        <translation>Display speed (press START to apply)</translation>
    </message>
    <message>
        <source>文字サイズ</source>
        <translation>Text size</translation>
    </message>
    <message>
        <source>「答え」の文字サイズ比率</source>
        <translation>Answer text size ratio</translation>
    </message>
    <message>
        <source>文字の高さ</source>
        <translation>Text height</translation>
    </message>
    <message>
        <source>出題範囲の切替 （未暗記・暗記済・要チェック・全て）</source>
        <translation>Question range (not memorized, memorized, needs check, all)</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>昇順</source>
        <translation>In order</translation>
    </message>
    <message>
        <source>ランダム表示</source>
        <translation>Random order</translation>
    </message>
    <message>
        <source>昇順表示</source>
        <translation>List order</translation>
    </message>
    <message>
        <source>英和・和英の切替</source>
        <translation>Swap question and answer</translation>
    </message>
    <message>
        <source>発音&#x3000;※Ctrlキーで発音</source>
        <translation>Speech (Ctrl key speaks)</translation>
    </message>
    <message>
        <source>同時</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>同時表示 暗記が進まない時に有効です</source>
        <translation>Show both at once (helps when memorizing stalls)</translation>
    </message>
    <message>
        <source>入力モード</source>
        <translation>Typing mode</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>問題データを開く...(&amp;O)</source>
        <translation>&amp;Open Word List...</translation>
    </message>
    <message>
        <source>他の形式から読み込む...(&amp;I)</source>
        <translation>&amp;Import from Other Format...</translation>
    </message>
    <message>
        <source>他の形式で書き出す...(&amp;W)</source>
        <translation>Export to Other For&amp;mat...</translation>
    </message>
    <message>
        <source>スタート(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>ゲット(&amp;G)</source>
        <translation>&amp;GET</translation>
    </message>
    <message>
        <source>データベース&amp;M)</source>
        <translation>&amp;Database</translation>
    </message>
    <message>
        <source>テスト(&amp;T)</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>問題データ編集(&amp;E)</source>
        <translation>&amp;Edit Word List</translation>
    </message>
    <message>
        <source>問題データをリセット(&amp;B)</source>
        <translation>Reset &amp;Word List</translation>
    </message>
    <message>
        <source>問題の元フォルダを開く(&amp;F)</source>
        <translation>Open Word List &amp;Folder</translation>
    </message>
    <message>
        <source>プロパティ...(&amp;K)</source>
        <translation>&amp;Properties...</translation>
    </message>
    <message>
        <source>設定の初期化(&amp;D)</source>
        <translation>Reset Setti&amp;ngs</translation>
    </message>
    <message>
        <source>再起動(&amp;R)</source>
        <translation>&amp;Restart</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>出題範囲(&amp;Q)</source>
        <translation>&amp;Question Range</translation>
    </message>
    <message>
        <source>未暗記のみ表示(&amp;M)</source>
        <translation>Show Not &amp;Memorized Only</translation>
    </message>
    <message>
        <source>暗記済のみ表示(&amp;C)</source>
        <translation>Show Memori&amp;zed Only</translation>
    </message>
    <message>
        <source>要チェックのみ表示(&amp;R)</source>
        <translation>Show Needs &amp;Check Only</translation>
    </message>
    <message>
        <source>全て表示(&amp;A)</source>
        <translation>Show &amp;All</translation>
    </message>
    <message>
        <source>復習のみ表示(&amp;V)</source>
        <translation>Show Re&amp;view Only</translation>
    </message>
    <message>
        <source>回答制限&amp;A)</source>
        <translation>&amp;Answer Limit</translation>
    </message>
    <message>
        <source>第1義のみ表示する(&amp;O)</source>
        <translation>Show &amp;1st Meaning Only</translation>
    </message>
    <message>
        <source>第2義まで表示する(&amp;T)</source>
        <translation>Show Up to &amp;2nd Meaning</translation>
    </message>
    <message>
        <source>第3義まで表示する(&amp;S)</source>
        <translation>Show Up to &amp;3rd Meaning</translation>
    </message>
    <message>
        <source>表示順(&amp;H)</source>
        <translation>Display &amp;Order</translation>
    </message>
    <message>
        <source>昇順(&amp;N)</source>
        <translation>&amp;In Order</translation>
    </message>
    <message>
        <source>ランダム(&amp;R)</source>
        <translation>Ra&amp;ndom</translation>
    </message>
    <message>
        <source>逆転(&amp;G)</source>
        <translation>Re&amp;verse</translation>
    </message>
    <message>
        <source>同時表示(&amp;D)</source>
        <translation>Show &amp;Both at Once</translation>
    </message>
    <message>
        <source>時間差(&amp;G)</source>
        <translation>Time &amp;Lag</translation>
    </message>
    <message>
        <source>タイマー(&amp;T)</source>
        <translation>&amp;Timer</translation>
    </message>
    <message>
        <source>No1から表示(&amp;I)</source>
        <translation>Start from No.&amp;1</translation>
    </message>
    <message>
        <source>速度(&amp;S)</source>
        <translation>&amp;Speed</translation>
    </message>
    <message>
        <source>高さ(&amp;K)</source>
        <translation>&amp;Height</translation>
    </message>
    <message>
        <source>音声(&amp;V)</source>
        <translation>Spee&amp;ch</translation>
    </message>
    <message>
        <source>発音順(&amp;J)</source>
        <translation>Speech T&amp;iming</translation>
    </message>
    <message>
        <source>オート(&amp;A)</source>
        <translation>&amp;Auto</translation>
    </message>
    <message>
        <source>先に発音する(&amp;P)</source>
        <translation>Speak &amp;First</translation>
    </message>
    <message>
        <source>後に発音する(&amp;L)</source>
        <translation>Speak &amp;Later</translation>
    </message>
    <message>
        <source>一時停止(&amp;T)</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <source>手書きパレット(&amp;P)</source>
        <translation>Handwriting &amp;Palette</translation>
    </message>
    <message>
        <source>書式(&amp;O)</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <source>文字サイズ(&amp;S)</source>
        <translation>Text &amp;Size</translation>
    </message>
    <message>
        <source>回答のサイズ(&amp;H)</source>
        <translation>&amp;Answer Size</translation>
    </message>
    <message>
        <source>色(&amp;C)</source>
        <translation>&amp;Color</translation>
    </message>
    <message>
        <source>背景...(&amp;B)</source>
        <translation>&amp;Background...</translation>
    </message>
    <message>
        <source>問題...(&amp;Q)</source>
        <translation>&amp;Question...</translation>
    </message>
    <message>
        <source>答え...(&amp;A)</source>
        <translation>&amp;Answer...</translation>
    </message>
    <message>
        <source>ナンバー...(&amp;N)</source>
        <translation>&amp;Number...</translation>
    </message>
    <message>
        <source>スティック文字...(&amp;S)</source>
        <translation>&amp;Stick Text...</translation>
    </message>
    <message>
        <source>スティック背景...(&amp;G)</source>
        <translation>Stick Back&amp;ground...</translation>
    </message>
    <message>
        <source>フォント(&amp;F)</source>
        <translation>&amp;Font</translation>
    </message>
    <message>
        <source>入力バー...(&amp;T)</source>
        <translation>&amp;Typing Bar...</translation>
    </message>
    <message>
        <source>リスト文字...(&amp;L)</source>
        <translation>&amp;List Text...</translation>
    </message>
    <message>
        <source>ウィンドウ(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>フォーカス画面(&amp;F)</source>
        <translation>&amp;Focus Screen</translation>
    </message>
    <message>
        <source>スティック画面(&amp;B)</source>
        <translation>&amp;Stick Screen</translation>
    </message>
    <message>
        <source>学習履歴(&amp;R)</source>
        <translation>Study &amp;History</translation>
    </message>
    <message>
        <source>常に最前面に表示(&amp;T)</source>
        <translation>Always on &amp;Top</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ホームページ(&amp;H)</source>
        <translation>&amp;Home Page</translation>
    </message>
    <message>
        <source>Web辞書(&amp;D)</source>
        <translation>Web &amp;Dictionary</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Keruna</translation>
    </message>
    <message>
        <source>時間差(&amp;C)</source>
        <translation>Time &amp;Lag</translation>
    </message>
    <message>
        <source>No.1から表示(&amp;I)</source>
        <translation>Start from No.&amp;1</translation>
    </message>
    <message>
        <source>文字サイズ(&amp;M)</source>
        <translation>Text Si&amp;ze</translation>
    </message>
    <message>
        <source>高さ（＆P）</source>
        <translation>&amp;Height</translation>
    </message>
    <message>
        <source>回答制限(&amp;A)</source>
        <translation>&amp;Answer Limit</translation>
    </message>
    <message>
        <source>書式(&amp;H)</source>
        <translation>For&amp;mat</translation>
    </message>
    <message>
        <source>スティック画面(&amp;L)</source>
        <translation>Stic&amp;k Screen</translation>
    </message>
    <message>
        <source>常に最前面に表示(&amp;W)</source>
        <translation>Al&amp;ways on Top</translation>
    </message>
    <message>
        <source>ゲット(&amp;U)</source>
        <translation>&amp;GET</translation>
    </message>
    <message>
        <source>データベース(&amp;I)</source>
        <translation>&amp;Database</translation>
    </message>
    <message>
        <source>テスト(&amp;E)</source>
        <translation>T&amp;est</translation>
    </message>
    <message>
        <source>スタート(&amp;B)</source>
        <translation>Sta&amp;rt</translation>
    </message>
    <message>
        <source>要チェック(&amp;R)</source>
        <translation>Needs &amp;Check</translation>
    </message>
    <message>
        <source>発音(&amp;V)</source>
        <translation>&amp;Speak</translation>
    </message>
    <message>
        <source>チェック数と忘却率(&amp;C)</source>
        <translation>Checks and &amp;Forgetting Rate</translation>
    </message>
    <message>
        <source>表示言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
</context>
<context>
    <name>ProblemController</name>
    <message>
        <source>問題データを開いてください</source>
        <translation>Open a Word List</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source><byte value="xd"/>
読み込んであった問題データはそのままです。</source>
        <translation><byte value="xd"/>
The word list already loaded is unchanged.</translation>
    </message>
</context>
<context>
    <name>ProblemLoader</name>
    <message>
        <source>このファイルには問題がありません。空のファイルか、空行だけのファイルです。</source>
        <translation>This file has no questions. It is empty or holds only blank lines.</translation>
    </message>
    <message>
        <source>問題が多すぎます。1つのファイルに入れられる問題は%1個までです（%1個目の後には空行も置けません）。</source>
        <translation>Too many questions. A file can hold up to %1 questions (not even blank lines may follow question %1).</translation>
    </message>
    <message>
        <source>%1行目が長すぎます（%2文字）。1行に書けるのは%3文字までです。</source>
        <translation>Line %1 is too long (%2 characters). A line can hold up to %3 characters.</translation>
    </message>
</context>
<context>
    <name>ProblemWriter</name>
    <message>
        <source>%1行目に、このファイルの文字コードで書けない文字があります。保存しませんでした。</source>
        <translation>Line %1 has characters that cannot be saved in this file&apos;s encoding. Nothing was saved.</translation>
    </message>
</context>
<context>
    <name>Range</name>
    <message>
        <source>【未】</source>
        <translation>[New]</translation>
    </message>
    <message>
        <source>【覚】</source>
        <translation>[Known]</translation>
    </message>
    <message>
        <source>【要】</source>
        <translation>[Check]</translation>
    </message>
    <message>
        <source>【全】</source>
        <translation>[All]</translation>
    </message>
    <message>
        <source>【復】</source>
        <translation>[Review]</translation>
    </message>
    <message>
        <source>未暗記データがありません。</source>
        <translation>There are no words left that are not memorized.</translation>
    </message>
    <message>
        <source>暗記済みデータがありません。</source>
        <translation>There are no memorized words.</translation>
    </message>
    <message>
        <source>要チェックデータがありません。</source>
        <translation>There are no words that need checking.</translation>
    </message>
    <message>
        <source>復習する問題はありません。</source>
        <translation>There are no questions to review.</translation>
    </message>
    <message>
        <source> 未%1 覚%2</source>
        <translation> New %1 Known %2</translation>
    </message>
    <message>
        <source> (要%1)</source>
        <translation> (Check %1)</translation>
    </message>
    <message>
        <source>全て完了しました</source>
        <translation>All done</translation>
    </message>
    <message>
        <source>ケルナ</source>
        <translation>Keruna</translation>
    </message>
</context>
<context>
    <name>ResultLists</name>
    <message>
        <source>以下の内容でよろしければ保存してください</source>
        <translation>If the results below are right, save them</translation>
    </message>
    <message>
        <source>必要ない問題はＤＢで移動しておくと効率的だよ。</source>
        <translation>Move questions you don&apos;t need aside in the database screen to study more efficiently.</translation>
    </message>
    <message>
        <source>覚えにくい問題を集中的にやっていこうね。</source>
        <translation>Let&apos;s focus on the questions that are hard to remember.</translation>
    </message>
    <message>
        <source>集中して繰り返せば必ず力がつくよ！</source>
        <translation>Focused repetition will surely pay off!</translation>
    </message>
    <message>
        <source>この調子なら暗記数が増えていくよ！</source>
        <translation>Keep this up and your memorized words will grow!</translation>
    </message>
    <message>
        <source>大変よくできました、得意分野と言えます!! </source>
        <translation>Very well done, this is your strong area!! </translation>
    </message>
    <message>
        <source>すばらしい成績です!! すごい実力があります。</source>
        <translation>Excellent result!! You really know your stuff.</translation>
    </message>
    <message>
        <source>おめでとうございます、全問制覇しました !! </source>
        <translation>Congratulations, you got every question right!! </translation>
    </message>
    <message>
        <source>パーフェクト、完璧です !! </source>
        <translation>Perfect, flawless!! </translation>
    </message>
</context>
<context>
    <name>ReviewLog</name>
    <message>
        <source>復習の記録のファイルを開けないため、今回は記録していません（%1）。</source>
        <translation>The review log file cannot be opened, so this was not recorded (%1).</translation>
    </message>
    <message>
        <source>復習の記録を書き込めないため、今回はこれ以上記録しません（ディスクの空きが足りないか、書き込みが許されていません）。</source>
        <translation>The review log cannot be written, so nothing more will be recorded this session (the disk is full or writing is not allowed).</translation>
    </message>
</context>
<context>
    <name>SaveProgress</name>
    <message>
        <source>要チェック</source>
        <translation>Needs check</translation>
    </message>
    <message>
        <source>チェック</source>
        <translation>Checked</translation>
    </message>
    <message>
        <source>%1&#x3000;%2語</source>
        <translation>%1: %2 words</translation>
    </message>
    <message>
        <source>覚%1</source>
        <translation>known-%1</translation>
    </message>
    <message>
        <source>未%1</source>
        <translation>new-%1</translation>
    </message>
    <message>
        <source>要チェック%1</source>
        <translation>needs-check-%1</translation>
    </message>
    <message>
        <source>チェック%1</source>
        <translation>checked-%1</translation>
    </message>
    <message>
        <source>%1内のデータ（%2単語）だけを保存します</source>
        <translation>Save only the words in %1 (%2 words)</translation>
    </message>
    <message>
        <source>要チェックしたデータ（%1単語）だけを保存します</source>
        <translation>Save only the words that need checking (%1 words)</translation>
    </message>
    <message>
        <source>チェックしたデータ（%1単語）だけを保存します</source>
        <translation>Save only the checked words (%1 words)</translation>
    </message>
    <message>
        <source>【保存説明】※注意：正解データ以外は全て不正解に置き換えます。</source>
        <translation>[Save] Caution: every word not answered correctly is marked wrong.</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>【保存説明】正解データを上書きします。</source>
        <translation>[Save] The correct answers are saved over the file.</translation>
    </message>
    <message>
        <source>【保存説明】間違えたデータは未暗記に戻ります。</source>
        <translation>[Save] Wrong answers go back to not memorized.</translation>
    </message>
</context>
<context>
    <name>StudyInput</name>
    <message>
        <source>リストに追加</source>
        <translation>Add to list</translation>
    </message>
    <message>
        <source>リストから外す(チェックでまとめて削除)</source>
        <translation>Remove from list (all checked ones at once)</translation>
    </message>
    <message>
        <source>一時停止&#x3000;※Enter</source>
        <translation>Pause (Enter)</translation>
    </message>
    <message>
        <source>再開&#x3000;※Enter</source>
        <translation>Resume (Enter)</translation>
    </message>
    <message>
        <source>止Enter  答Tab  次Shift+Enter</source>
        <translation>Pause Enter  Answer Tab  Next Shift+Enter</translation>
    </message>
    <message>
        <source>リストに追加&#x3000;※Enter</source>
        <translation>Add to list (Enter)</translation>
    </message>
    <message>
        <source>リストから外す(チェックでまとめて削除)&#x3000;※BackSpace</source>
        <translation>Remove from list (all checked ones at once) (BackSpace)</translation>
    </message>
    <message>
        <source>一時停止&#x3000;※Delete</source>
        <translation>Pause (Delete)</translation>
    </message>
    <message>
        <source>再開&#x3000;※Delete</source>
        <translation>Resume (Delete)</translation>
    </message>
    <message>
        <source>○Enter  削BS  止Del  答Tab  次Shift+Enter</source>
        <translation>○ Enter  Remove BS  Pause Del  Answer Tab  Next Shift+Enter</translation>
    </message>
</context>
<context>
    <name>TestEngine</name>
    <message>
        <source>数値が不正です｡</source>
        <translation>The number is not valid.</translation>
    </message>
</context>
<context>
    <name>TestScore</name>
    <message>
        <source>○ %1  × %2  正解率 %3％</source>
        <translation>○ %1  × %2  Accuracy %3%</translation>
    </message>
    <message>
        <source>計 %1/%2     %3秒 残り%4分</source>
        <translation>Total %1/%2     %3 s  %4 min left</translation>
    </message>
    <message>
        <source>計 %1     %2秒 %3-%4</source>
        <translation>Total %1     %2 s  %3-%4</translation>
    </message>
    <message>
        <source>計 %1/%2</source>
        <translation>Total %1/%2</translation>
    </message>
    <message>
        <source>未暗記テスト結果 </source>
        <translation>New test results: </translation>
    </message>
    <message>
        <source>暗記済テスト結果 </source>
        <translation>Known test results: </translation>
    </message>
    <message>
        <source>要チェックテスト結果 </source>
        <translation>Check test results: </translation>
    </message>
    <message>
        <source>復習テスト結果 </source>
        <translation>Review test results: </translation>
    </message>
    <message>
        <source>全てテスト結果 </source>
        <translation>Full test results: </translation>
    </message>
    <message>
        <source>%1%2問</source>
        <translation>%1%2 questions</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>%1行目の文字が読めません。Shift-JISでもUTF-8でもない文字が含まれています。ファイルの文字コードを確かめてください。</source>
        <translation>Cannot read the characters on line %1: it holds characters that are neither Shift-JIS nor UTF-8. Check the file&apos;s encoding.</translation>
    </message>
    <message>
        <source>%1行目にこのファイルの文字コードで保存できない文字があります。保存は行われませんでした。</source>
        <translation>Line %1 has characters that cannot be saved in this file&apos;s encoding. Nothing was saved.</translation>
    </message>
    <message>
        <source>%1行目にNUL文字があります。テキストファイルではないか、UTF-16で保存されています。Shift-JISかUTF-8で保存し直してください。</source>
        <translation>Line %1 has a NUL character. The file is not a text file, or it was saved as UTF-16. Save it again as Shift-JIS or UTF-8.</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しているため、ファイルを読み込めません。リンク先を確かめてください。</source>
        <translation>Cannot read the file: its symbolic links form a loop. Check where the link points.</translation>
    </message>
    <message>
        <source>通常のファイルではないため開けません（パイプや装置など）。テキストファイルを選んでください。</source>
        <translation>Cannot open this: it is not a regular file (a pipe, a device or the like). Choose a text file.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎるため読み込めません。読み込めるのは%1 MBまでです。</source>
        <translation>The file is too large to read. Files of up to %1 MB can be read.</translation>
    </message>
    <message>
        <source>フォルダ「%1」に書き込めません。ファイルは元のままです。<byte value="xd"/>
書き込めるフォルダに名前を付けて保存してください。</source>
        <translation>Cannot write to the folder &quot;%1&quot;. The file is unchanged.<byte value="xd"/>
Use Save As to save it in a folder you can write to.</translation>
    </message>
</context>
<context>
    <name>TypedSpeed</name>
    <message>
        <source>0.01秒～600秒の範囲以外は指定できません。</source>
        <translation>Enter a value from 0.01 to 600 seconds.</translation>
    </message>
    <message>
        <source>数値が不正です｡</source>
        <translation>The number is not valid.</translation>
    </message>
</context>
<context>
    <name>WordListImport</name>
    <message>
        <source>%1 件を読み込みました。</source>
        <translation>Imported %1 entries.</translation>
    </message>
    <message>
        <source>%1 件は、区切り文字・改行・印と同じ文字を置き換えて1行にしました。</source>
        <translation> In %1 entries, characters that would read as delimiters, line breaks or marks were replaced to keep each on one line.</translation>
    </message>
    <message>
        <source>%1 件は問題が空のため飛ばしました。</source>
        <translation> %1 entries were skipped because the question was empty.</translation>
    </message>
</context>
<context>
    <name>hozongamen</name>
    <message>
        <source>保存方法</source>
        <translation>How to Save</translation>
    </message>
    <message>
        <source>上書きします</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>正解データ以外は全て不正解に置き換えます</source>
        <translation>Mark every word not answered correctly as wrong</translation>
    </message>
    <message>
        <source>暗記済リスト</source>
        <translation>Memorized list</translation>
    </message>
    <message>
        <source>未暗記リスト</source>
        <translation>Not memorized list</translation>
    </message>
    <message>
        <source>要チェック</source>
        <translation>Needs check</translation>
    </message>
    <message>
        <source>チェックしたデータ</source>
        <translation>Checked words</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>書き出したいデータを選択してください。</source>
        <translation>Choose the data to export.</translation>
    </message>
</context>
<context>
    <name>keruna::Pickgamen</name>
    <message>
        <source>表示中の単語を暗記済にできます</source>
        <translation>Mark the shown word as memorized</translation>
    </message>
    <message>
        <source>リストに追加&#x3000;※Enter</source>
        <translation>Add to list (Enter)</translation>
    </message>
    <message>
        <source>リストから外す(チェックでまとめて削除)&#x3000;※Backspace</source>
        <translation>Remove from list (all checked ones at once) (Backspace)</translation>
    </message>
    <message>
        <source>問題をスキップ ※Shift+Enter</source>
        <translation>Skip question (Shift+Enter)</translation>
    </message>
    <message>
        <source>一時停止&#x3000;※Delete</source>
        <translation>Pause (Delete)</translation>
    </message>
    <message>
        <source>再開&#x3000;※Delete</source>
        <translation>Resume (Delete)</translation>
    </message>
    <message>
        <source>リストデータを保存</source>
        <translation>Save list</translation>
    </message>
    <message>
        <source>ワンタッチテスト ランダム順で一巡した後に停止します</source>
        <translation>One-touch test (stops after one round in random order)</translation>
    </message>
    <message>
        <source>テスト終了</source>
        <translation>End test</translation>
    </message>
    <message>
        <source>全てチェック/解除</source>
        <translation>Check/uncheck all</translation>
    </message>
    <message>
        <source>内部画面</source>
        <translation>Move to main window</translation>
    </message>
    <message>
        <source>一時停止  ※Delete</source>
        <translation>Pause (Delete)</translation>
    </message>
    <message>
        <source>再開  ※Delete</source>
        <translation>Resume (Delete)</translation>
    </message>
    <message>
        <source>答えの確認</source>
        <translation>Show answer</translation>
    </message>
    <message>
        <source>スキップ ※Shift+Enter</source>
        <translation>Skip (Shift+Enter)</translation>
    </message>
    <message>
        <source>発音&#x3000;※Ctrl</source>
        <translation>Pronounce (Ctrl)</translation>
    </message>
    <message>
        <source>テストを終了</source>
        <translation>End test</translation>
    </message>
    <message>
        <source>速度の設定（入力可）</source>
        <translation>Speed (editable)</translation>
    </message>
    <message>
        <source>下限値の設定（入力可）</source>
        <translation>Lower bound (editable)</translation>
    </message>
    <message>
        <source>上限値の設定（入力可）</source>
        <translation>Upper bound (editable)</translation>
    </message>
    <message>
        <source>速度の適用</source>
        <translation>Apply speed</translation>
    </message>
    <message>
        <source>桁数の適用</source>
        <translation>Apply bounds</translation>
    </message>
    <message>
        <source>入力モード</source>
        <translation>Typing mode</translation>
    </message>
    <message>
        <source>テスト結果を見る</source>
        <translation>View Test Results</translation>
    </message>
    <message>
        <source>Enter：一時停止 Tab：答え</source>
        <translation>Enter: pause  Tab: answer</translation>
    </message>
</context>
<context>
    <name>keruna::texthatuongamen</name>
    <message>
        <source>マウスで文字を書けます</source>
        <translation>Write with the mouse</translation>
    </message>
    <message>
        <source>左：黒&#x3000;右：白</source>
        <translation>Left: black  Right: white</translation>
    </message>
    <message>
        <source>消す ※BackSpace</source>
        <translation>Erase (BackSpace)</translation>
    </message>
    <message>
        <source>次の問題時に自動消去</source>
        <translation>Erase at next question</translation>
    </message>
    <message>
        <source>常に最前面</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>手書き欄</source>
        <translation>Handwriting area</translation>
    </message>
    <message>
        <source>発音させたい英語を入力してください</source>
        <translation>Type English to pronounce</translation>
    </message>
</context>
<context>
    <name>kugirigamen</name>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>プロパティのページ</source>
        <translation>Property pages</translation>
    </message>
    <message>
        <source>入力した文字を画面に表示する(&amp;S)</source>
        <translation>&amp;Show typed text on screen</translation>
    </message>
    <message>
        <source>速度を入力可能にする[スタートボタンで速度適用します](&amp;T)</source>
        <translation>Allow &amp;typing the speed [Start applies it]</translation>
    </message>
    <message>
        <source>○を押した後すぐ次の問題を表示する(&amp;N)</source>
        <translation>Show the &amp;next question right after ○</translation>
    </message>
    <message>
        <source>時間配分</source>
        <translation>Time Split</translation>
    </message>
    <message>
        <source>予想時の問題の時間配分</source>
        <translation>Question time split when guessing</translation>
    </message>
    <message>
        <source>入力時の問題の時間配分</source>
        <translation>Question time split when typing</translation>
    </message>
    <message>
        <source>問題と回答の距離間隔</source>
        <translation>Gap between question and answer</translation>
    </message>
    <message>
        <source>問題の時間の割合（1〜9）。回答の割合は残りです。</source>
        <translation>The question&apos;s share of the time (1–9). The answer gets the rest.</translation>
    </message>
    <message>
        <source>1〜9。大きいほど離れます。</source>
        <translation>1–9. Larger is farther apart.</translation>
    </message>
    <message>
        <source>問題&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;回答</source>
        <translation>Question&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;Answer</translation>
    </message>
    <message>
        <source>問題&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Question&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;</translation>
    </message>
    <message>
        <source>予想時</source>
        <translation>Guessing</translation>
    </message>
    <message>
        <source>回答</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>入力時</source>
        <translation>Typing</translation>
    </message>
    <message>
        <source>問題と回答の時間配分を設定できます。</source>
        <translation>Sets how the time is split between question and answer.</translation>
    </message>
    <message>
        <source>文字の距離間隔</source>
        <translation>Text Spacing</translation>
    </message>
    <message>
        <source>長文用の距離間隔にする(&amp;D)</source>
        <translation>Use spacing for &amp;long text</translation>
    </message>
    <message>
        <source>問題と回答の距離間隔を調節できます。</source>
        <translation>Adjusts the gap between question and answer.</translation>
    </message>
    <message>
        <source>既定値に戻す(&amp;E)</source>
        <translation>R&amp;eset to Defaults</translation>
    </message>
    <message>
        <source>間隔    </source>
        <translation>Timing    </translation>
    </message>
    <message>
        <source>No表示</source>
        <translation>Show No.</translation>
    </message>
    <message>
        <source>メイン画面(&amp;M)</source>
        <translation>&amp;Main screen</translation>
    </message>
    <message>
        <source>内部GET画面(&amp;P)</source>
        <translation>Internal GET &amp;panel</translation>
    </message>
    <message>
        <source>フォーカス画面(&amp;F)</source>
        <translation>&amp;Focus screen</translation>
    </message>
    <message>
        <source>スティック画面(&amp;S)</source>
        <translation>&amp;Stick screen</translation>
    </message>
    <message>
        <source>GET画面</source>
        <translation>GET Screen</translation>
    </message>
    <message>
        <source>内部GET(&amp;I)</source>
        <translation>&amp;Internal GET</translation>
    </message>
    <message>
        <source>外部GET(&amp;O)</source>
        <translation>E&amp;xternal GET</translation>
    </message>
    <message>
        <source>スタートと同時にGET画面を表示する(&amp;D)</source>
        <translation>&amp;Display GET screen on Start</translation>
    </message>
    <message>
        <source>音声の選択</source>
        <translation>Voice</translation>
    </message>
    <message>
        <source>該当無し</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>音声キャラクターを選択できます。</source>
        <translation>Choose the speaking voice.</translation>
    </message>
    <message>
        <source>区切り文字</source>
        <translation>Delimiters</translation>
    </message>
    <message>
        <source>問題と回答の間</source>
        <translation>Question/Answer</translation>
    </message>
    <message>
        <source>回答の間</source>
        <translation>Between Meanings</translation>
    </message>
    <message>
        <source>入力可能です</source>
        <translation>You can type here</translation>
    </message>
    <message>
        <source>例) right,正しい、右の</source>
        <translation>e.g. right,correct、right-hand</translation>
    </message>
    <message>
        <source>問題データの区切り文字と同じにしてください。</source>
        <translation>Use the same delimiters as the word list.</translation>
    </message>
    <message>
        <source>設定    </source>
        <translation>Settings    </translation>
    </message>
    <message>
        <source>URLの設定</source>
        <translation>URLs</translation>
    </message>
    <message>
        <source>Web辞書のURL</source>
        <translation>Web dictionary URL</translation>
    </message>
    <message>
        <source>URLの {word} の所に表示中の単語が入ります（例：https://ejje.weblio.jp/content/{word}）</source>
        <translation>The word on show replaces {word} in the URL (e.g. https://ejje.weblio.jp/content/{word})</translation>
    </message>
    <message>
        <source>ホームページのURL</source>
        <translation>Home page URL</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>適用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>設定変更を適用</source>
        <translation>Apply the changes</translation>
    </message>
    <message>
        <source>文字が不正です。</source>
        <translation>A delimiter is not valid.</translation>
    </message>
</context>
</TS>
