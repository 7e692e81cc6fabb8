#include "exchange/importtable.h"
#include "exchange/wordlistimport.h"
#include "problemdata/problemloader.h"
#include "problemdata/problemwriter.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

using Rows = QList<QStringList>;

struct Case {
    const char* name;
    const char* text;
    Rows rows;
    int question;
    int answer;
};

void expectTable(const Result<ImportTable>& read, const Case& c)
{
    ASSERT_TRUE(read) << c.name << ": " << read.error().description.toStdString();
    EXPECT_EQ(read.value().rows, c.rows) << c.name;
    EXPECT_EQ(read.value().question, c.question) << c.name;
    EXPECT_EQ(read.value().answer, c.answer) << c.name;
}

} // namespace

// Anki's plain-text notes as its export writes them: header lines, quoted fields with
// tabs, quotes and line breaks inside, HTML, and the columns Anki keeps for itself.
TEST(ImportTable, AnkiNotes)
{
    const Case cases[] = {
        {"tabs, HTML, quotes",
            "#separator:tab\n#html:true\n#columns:Front\tBack\tTags\n#tags column:3\n"
            "apple\t<b>りんご</b><br>林檎 &amp; &#x1F34E;\ttag1\n"
            "\"say \"\"hi\"\"\tnow\"\t\"two\nlines\"\tt\n",
            {{"apple", "りんご\n林檎 & 🍎", "tag1"}, {"say \"hi\"\tnow", "two\nlines", "t"}}, 0, 1},
        {"bookkeeping columns first",
            "#separator:Comma\n#guid column:1\n#notetype column:2\n"
            "abc123,Basic,dog,犬\r\n",
            {{"abc123", "Basic", "dog", "犬"}}, 2, 3},
        {"no header: tab-separated", "cat\tねこ\n\ndog\tいぬ", {{"cat", "ねこ"}, {"dog", "いぬ"}},
            0, 1},
        {"HTML kept as text without #html:true", "#separator:tab\na<b>\t&amp;\n",
            {{"a<b>", "&amp;"}}, 0, 1},
    };
    for (const Case& c : cases)
        expectTable(readAnkiNotes(QString::fromUtf8(c.text)), c);
    EXPECT_FALSE(readAnkiNotes(QStringLiteral("#separator:bogus\na\tb\n")));
}

// Spreadsheet CSV and TSV: the separator found from the file, RFC 4180 quoting.
TEST(ImportTable, DelimitedValues)
{
    const Case cases[] = {
        {"comma", "a,b\r\nc,\"d,e\"\r\n", {{"a", "b"}, {"c", "d,e"}}, 0, 1},
        {"semicolon", "a;b,c\nd;e\n", {{"a", "b,c"}, {"d", "e"}}, 0, 1},
        {"tab", "x\ty, z\n", {{"x", "y, z"}}, 0, 1},
        {"one column", "solo\nduo\n", {{"solo"}, {"duo"}}, 0, -1},
        {"quoted line break and an unfinished row", "\"w\nx\",y\nlast,",
            {{"w\nx", "y"}, {"last", ""}}, 0, 1},
    };
    for (const Case& c : cases)
        expectTable(readDelimited(QString::fromUtf8(c.text)), c);
}

// A file is read by what it holds, whatever its name says: kvtml XML, Anki's export by
// its header line, anything else as separated values, a spreadsheet's rows starting with
// "#" included (they are no Anki header, and must not be dropped as one).
TEST(ImportTable, AFileIsReadByWhatItHolds)
{
    const struct {
        const char* file;
        Case c;
    } cases[] = {
        {"deck.txt",
            {"Anki", "#separator:tab\n#html:false\nfront\tback\n", {{"front", "back"}}, 0, 1}},
        {"hash.csv", {"rows with #", "#1,one\n#2,two\n", {{"#1", "one"}, {"#2", "two"}}, 0, 1}},
        {"notes.txt",
            {"comment-like first row", "# note: x,y\na,b\n", {{"# note: x", "y"}, {"a", "b"}}, 0,
                1}},
        {"parley.txt",
            {"kvtml by content",
                "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"><identifiers>"
                "<identifier id=\"0\"><name>en</name></identifier>"
                "<identifier id=\"1\"><name>ja</name></identifier></identifiers>"
                "<entries><entry id=\"0\"><translation id=\"0\"><text>dog</text></translation>"
                "<translation id=\"1\"><text>犬</text></translation></entry></entries></kvtml>\n",
                {{"dog", "犬"}}, 0, 1}},
    };
    QTemporaryDir dir;
    for (const auto& [file, c] : cases) {
        const QString path = dir.filePath(QString::fromLatin1(file));
        keruna::test::writeBytes(path, QByteArray(c.text));
        expectTable(readImportFile(path), c);
    }
}

// KDE Parley's kvtml 2: a column for each language, a row for each entry, the languages'
// names as the columns' names; what is not kvtml 2 is refused with a reason.
TEST(ImportTable, ParleyKvtml)
{
    const QByteArray sample = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
  <information><generator>Parley</generator><title>Fruit</title></information>
  <identifiers>
    <identifier id="0"><name>English</name><locale>en</locale></identifier>
    <identifier id="1"><name>Japanese</name><locale>ja</locale></identifier>
  </identifiers>
  <entries>
    <entry id="0">
      <translation id="0"><text>apple</text></translation>
      <translation id="1"><text>りんご</text><grade currentgrade="2"/></translation>
    </entry>
    <entry id="1">
      <translation id="1"><text>ぶどう</text></translation>
      <translation id="0"><text>grape &amp; vine</text></translation>
    </entry>
    <entry id="2"><translation id="0"><text>pear</text></translation></entry>
  </entries>
</kvtml>
)";
    const Result<ImportTable> read = readKvtml(sample);
    ASSERT_TRUE(read) << read.error().description.toStdString();
    EXPECT_EQ(read.value().columns, QStringList({"English", "Japanese"}));
    EXPECT_EQ(
        read.value().rows, Rows({{"apple", "りんご"}, {"grape & vine", "ぶどう"}, {"pear", ""}}));
    for (const char* bad : {"<kvtml version=\"2.0\"><entries><entry>", "<html><body/></html>",
             "<kvtml version=\"1.0\"/>", "\x89PNG\r\n\x1A\n"})
        EXPECT_FALSE(readKvtml(QByteArray(bad))) << bad;
}

// Each row becomes one item line: what would split it or mark it is made safe and counted,
// a row without a question is skipped and counted; the written list reads back as the
// same items.
TEST(WordListImport, RowsBecomeOneSafeLineEach)
{
    ImportTable table;
    table.rows = {{"plain", "普通"}, {"a,b", "x"}, {"q", "two\nlines"}, {"", "no question"},
        {"t", "m,,○"}, {"  ", "blank"}};
    const WordListImport comma = wordListFromTable(table, 0, 1, QStringLiteral(","));
    EXPECT_EQ(comma.lines, QStringList({"plain,普通", "a，b,x", "q,two lines", "t,m，，○"}));
    EXPECT_EQ(comma.madeSafe, 3);
    EXPECT_EQ(comma.emptyQuestion, 2);
    EXPECT_EQ(importSummary(comma),
        QStringLiteral("4 件を読み込みました。3 件は、区切り文字・改行・印と同じ文字を置き換えて"
                       "1行にしました。2 件は問題が空のため飛ばしました。"));
    // With another delimiter the meaning's commas stay, but never as a mark code.
    const WordListImport tab = wordListFromTable(table, 0, 1, QStringLiteral("\t"));
    EXPECT_EQ(tab.lines.value(3), QStringLiteral("t\tm，,○"));
    // The columns the user chose, the other way round; or no answer column.
    EXPECT_EQ(wordListFromTable(table, 1, 0, QStringLiteral(",")).lines.front(), "普通,plain");
    EXPECT_EQ(wordListFromTable(table, 0, -1, QStringLiteral(",")).lines.front(), "plain");

    QTemporaryDir dir;
    const QString path = dir.filePath("imported.txt");
    ProblemSet utf8;
    utf8.encoding = TextEncoding::Utf8;
    ASSERT_FALSE(writeNewList(path, utf8, comma.lines));
    EXPECT_EQ(keruna::test::readBytes(path),
        QStringLiteral("plain,普通\r\na，b,x\r\nq,two lines\r\nt,m，，○\r\n").toUtf8());
    const Result<ProblemSet> back = CheckProblemFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back.value().totalCount, 4);
    EXPECT_EQ(back.value().memorizedCount, 0);
}
