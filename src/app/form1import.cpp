// Form1: a word list made from another tool's file (Anki, Parley, a spreadsheet), and the
// open list written for those tools.
#include "app/form1.h"

#include "common/textfile.h"
#include "database/dbgamen.h"
#include "exchange/exportdialog.h"
#include "exchange/exporters.h"
#include "exchange/importdialog.h"
#include "exchange/importtable.h"
#include "exchange/wordlistimport.h"
#include "problemdata/problemcontroller.h"
#include "problemdata/problemwriter.h"

#include <QDir>
#include <QFileInfo>

namespace keruna {

std::optional<ImportChoice> Form1::runImportDialog(const ImportTable& table, const QString& name)
{
    ImportDialog dialog(table, name, this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void Form1::ImportFromOtherTool()
{
    OpenFileRequest open;
    open.title = tr("読み込むファイルを選んでください");
    open.filter = tr("Anki・Parley・表計算のファイル(*.txt *.csv *.tsv *.kvtml)");
    const std::optional<QString> source = m_ctx.platform.chooseOpenFile(this, open);
    if (!source)
        return;
    const QString sourceName = QFileInfo(*source).fileName();
    const Result<ImportTable> table = readImportFile(*source);
    if (!table || table.value().rows.isEmpty()) {
        m_ctx.platform.showMessage(this,
            tr("「%1」から単語を読み込めませんでした。\r\n%2")
                .arg(sourceName,
                    table ? tr("読み込める行がありません。") : table.error().description),
            MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const std::optional<ImportChoice> choice = chooseImportColumns(table.value(), sourceName);
    if (!choice)
        return;
    WordListImport imported = wordListFromTable(
        table.value(), choice->question, choice->answer, m_state.options.delimiter);
    if (imported.lines.isEmpty()) {
        m_ctx.platform.showMessage(
            this, importSummary(imported), MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    if (imported.lines.size() > ProblemSet::kCapacity) {
        const MessageResult answer = m_ctx.platform.showMessage(this,
            tr("%1 件あります。1つの問題データに入れられるのは%2件までです。"
               "最初の%2件を書き出しますか？")
                .arg(imported.lines.size())
                .arg(ProblemSet::kCapacity),
            MessageIcon::Question, MessageButtons::YesNo);
        if (answer != MessageResult::Yes)
            return;
        imported.lines = imported.lines.first(ProblemSet::kCapacity);
    }
    SaveFileRequest save;
    save.title = tr("新しい問題データの保存先");
    save.types = {{tr("テキストファイル(*.txt)"), {QStringLiteral("*.txt")}}};
    save.initialFile
        = QDir(QFileInfo(*source).path())
              .filePath(QFileInfo(*source).completeBaseName() + QStringLiteral(".txt"));
    const std::optional<QString> target = m_ctx.platform.chooseSaveFile(this, save);
    if (!target)
        return;
    // The source file is never written, whatever name the user gives.
    if (QFileInfo(*target).absoluteFilePath() == QFileInfo(*source).absoluteFilePath()) {
        m_ctx.platform.showMessage(this,
            tr("読み込んだファイルそのものには保存できません。別の名前を選んでください。"),
            MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    // Written over the open list: its unsaved work is settled first.
    if (QFileInfo(*target).absoluteFilePath() == QFileInfo(m_set.path).absoluteFilePath()
        && !settleUnsavedWork(this))
        return;
    ProblemSet format;
    format.encoding = choice->encoding;
    if (const std::optional<AppError> error = writeNewList(*target, format, imported.lines)) {
        m_ctx.platform.showMessage(this,
            tr("「%1」に保存できませんでした。\r\n%2")
                .arg(QFileInfo(*target).fileName(), error->description),
            MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    m_ctx.platform.showMessage(
        this, importSummary(imported), MessageIcon::Information, MessageButtons::Ok);
    m_problems->openGivenFile(*target);
}

} // namespace keruna

namespace keruna {

std::optional<ExportChoice> Form1::runExportDialog(
    int total, const QString& range, int inRange, const QList<ExportSubsetOption>& subsets)
{
    ExportDialog dialog(total, range, inRange, subsets, this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void Form1::ExportForOtherTool()
{
    if (m_set.path.isEmpty() || m_set.allList.isEmpty())
        return;
    const RangeFilter range = m_range.current.value_or(RangeFilter::All);
    const QStringList& inRange = rangeList(m_set, range);
    // The database screen's subsets while it is shown: its entries as moved, marked and
    // checked there.
    QList<ListEntry> left;
    QList<ListEntry> right;
    QList<ExportSubsetOption> subsets;
    if (databaseScreen() && databaseScreen()->isVisible()) {
        left = listEntries(true);
        right = listEntries(false);
        const ExportCounts counts = exportCounts(
            databaseScreen()->paneName(true), databaseScreen()->paneName(false), left, right);
        for (int i = 0; i < 4; ++i)
            subsets.append({exportOptionCaption(counts, ExportSet(i)),
                exportOptionEnabled(counts, ExportSet(i))});
    }
    const std::optional<ExportChoice> choice = chooseExportFormat(
        int(m_set.allList.size()), rangeLabel(range), int(inRange.size()), subsets);
    if (!choice)
        return;
    const bool parley = choice->format == ExportChoice::Format::Parley;
    const QFileInfo list(m_set.path);
    SaveFileRequest save;
    save.title = tr("他の形式で書き出す");
    save.types
        = {parley ? FileType {tr("Parleyのファイル(*.kvtml)"), {QStringLiteral("*.kvtml")}}
                  : FileType {tr("Ankiで読み込むテキスト(*.txt)"), {QStringLiteral("*.txt")}}};
    save.initialFile = list.dir().filePath(list.completeBaseName()
        + (parley ? QStringLiteral(".kvtml") : QStringLiteral("-anki.txt")));
    const std::optional<QString> target = m_ctx.platform.chooseSaveFile(this, save);
    if (!target)
        return;
    // The word list itself is never overwritten by another format.
    if (QFileInfo(*target).absoluteFilePath() == list.absoluteFilePath()) {
        m_ctx.platform.showMessage(this,
            tr("開いている問題データそのものには書き出せません。別の名前を選んでください。"),
            MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const QList<ExportItem> items = choice->subset >= 0
        ? exportItems(left, right, ExportSet(choice->subset), m_state.options.delimiter)
        : exportItems(choice->rangeOnly ? inRange : m_set.allList, m_state.options.delimiter);
    const QByteArray bytes
        = parley ? kvtmlDocument(items, list.completeBaseName()) : ankiNotes(items);
    if (const std::optional<AppError> error = writeFileBytes(*target, bytes))
        m_ctx.platform.showMessage(this,
            tr("「%1」に書き出せませんでした。\r\n%2")
                .arg(QFileInfo(*target).fileName(), error->description),
            MessageIcon::Error, MessageButtons::Ok);
}

} // namespace keruna
