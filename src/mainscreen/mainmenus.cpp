#include "mainscreen/mainmenus.h"

#include "study/typedspeed.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>

namespace keruna {

namespace {

// Items whose checked mark shows a state.
const QStringList kCheckable = {
    QStringLiteral("mbatudake"),
    QStringLiteral("mmarudake"),
    QStringLiteral("makadake"),
    QStringLiteral("mzenbu"),
    QStringLiteral("mfukudake"),
    QStringLiteral("mitigi"),
    QStringLiteral("mnigi"),
    QStringLiteral("msangi"),
    QStringLiteral("mnormal"),
    QStringLiteral("mrandom"),
    QStringLiteral("mrev"),
    QStringLiteral("mDouzi"),
    QStringLiteral("mTimelag"),
    QStringLiteral("miroch"),
    QStringLiteral("monnsei"),
    QStringLiteral("mOtozidou"),
    QStringLiteral("mOtosaki"),
    QStringLiteral("mOtoato"),
    QStringLiteral("mteisi"),
    QStringLiteral("mfocus"),
    QStringLiteral("mbou"),
    QStringLiteral("mmae"),
};

const QStringList kCheckableArrays = {
    QStringLiteral("msec"),
    QStringLiteral("mtakasa"),
    QStringLiteral("msize"),
    QStringLiteral("mhiritu"),
};

} // namespace

const QStringList& MainMenus::secondsItems()
{
    return speedChoices();
}

const QStringList& MainMenus::sizeMenuItems()
{
    static const QStringList items = {"12", "13", "14", "15", "17", "20", "30", "40", "50", "60",
        "70", "80", "90", "100", "120", "140"};
    return items;
}

const QStringList& MainMenus::ratioMenuItems()
{
    static const QStringList items
        = {"20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%"};
    return items;
}

const QStringList& MainMenus::heightItems()
{
    static const QStringList items = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    return items;
}

MainMenus::MainMenus(QMenuBar* bar, QWidget* owner)
    : m_owner(owner)
{
    buildMainBar(bar);
    buildListPopup();
}

void MainMenus::ensurePopup()
{
    if (!m_popup)
        buildPopup();
}

QMenu* MainMenus::popup()
{
    ensurePopup();
    return m_popup;
}

QAction* MainMenus::action(const QString& name)
{
    if (QAction* a = m_actions.value(name))
        return a;
    ensurePopup();
    return m_actions.value(name);
}

QMenu* MainMenus::menu(const QString& name)
{
    if (QMenu* m = m_menus.value(name))
        return m;
    ensurePopup();
    return m_menus.value(name);
}

QList<QAction*> MainMenus::array(const QString& name)
{
    if (const auto it = m_arrays.constFind(name); it != m_arrays.constEnd())
        return *it;
    ensurePopup();
    return m_arrays.value(name);
}

QMenu* MainMenus::addMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_menus.insert(name, menu);
    m_actions.insert(name, menu->menuAction());
    return menu;
}

QMenu* MainMenus::addSubmenu(QMenu* parent, const QString& name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_menus.insert(name, menu);
    m_actions.insert(name, menu->menuAction());
    return menu;
}

QAction* MainMenus::addItem(
    QMenu* menu, const QString& name, const QString& caption, bool checkable)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    const QString mainName = name.startsWith(QLatin1String("md")) ? u'm' + name.mid(2) : name;
    a->setCheckable(checkable || kCheckable.contains(mainName));
    m_actions.insert(name, a);
    QObject::connect(
        a, &QAction::triggered, m_owner, [this, a](bool checked) { dispatch(a, checked); });
    return a;
}

void MainMenus::addArray(QMenu* menu, const QString& name, const QStringList& captions)
{
    QList<QAction*> items;
    const QString mainName = name.startsWith(QLatin1String("md")) ? u'm' + name.mid(2) : name;
    for (int i = 0; i < captions.size(); ++i)
        items.append(addItem(menu, name + u'_' + QString::number(i), captions[i],
            kCheckableArrays.contains(mainName)));
    m_arrays.insert(name, items);
}

QAction* MainMenus::addTwin(QMenu* menu, const QString& mainName, const QString& caption)
{
    QAction* main = action(mainName);
    QAction* twin = addItem(menu, twinName(mainName), caption.isEmpty() ? main->text() : caption);
    // Made late, the twin starts with the mark its item has by now.
    twin->setChecked(main->isChecked());
    m_commands.insert(twin, [main] { main->trigger(); });
    return twin;
}

void MainMenus::addTwinArray(QMenu* menu, const QString& mainName)
{
    const QList<QAction*> mains = array(mainName);
    QStringList captions;
    for (QAction* a : mains)
        captions.append(a->text());
    const QString name = twinName(mainName);
    addArray(menu, name, captions);
    const QList<QAction*> twins = array(name);
    for (int i = 0; i < twins.size(); ++i) {
        QAction* main = mains[i];
        twins[i]->setChecked(main->isChecked());
        m_commands.insert(twins[i], [main] { main->trigger(); });
    }
}

void MainMenus::dispatch(QAction* action, bool checkedAfterToggle)
{
    // Qt flips a checkable action before it reports the click; undo that, so that the
    // mark only shows what the command decides.
    if (action->isCheckable()) {
        const QSignalBlocker blocker(action);
        action->setChecked(!checkedAfterToggle);
    }
    // Called from a copy: a command may add items (the popup, made when first asked for),
    // and the table it lives in may move while it runs.
    if (auto it = m_commands.constFind(action); it != m_commands.constEnd() && *it) {
        const std::function<void()> command = *it;
        command();
    }
}

void MainMenus::onCommand(const QString& name, std::function<void()> command)
{
    if (QAction* a = action(name))
        m_commands.insert(a, std::move(command));
}

void MainMenus::onArrayCommand(const QString& name, std::function<void(int)> command)
{
    const QList<QAction*> items = array(name);
    for (int i = 0; i < items.size(); ++i)
        m_commands.insert(items[i], [command, i] { command(i); });
}

void MainMenus::setCheckedWithTwin(const QString& name, bool checked)
{
    if (QAction* a = action(name))
        a->setChecked(checked);
    // A twin not made yet takes the mark when it is.
    if (QAction* t = m_actions.value(twinName(name)))
        t->setChecked(checked);
}

void MainMenus::checkOnlyInArray(const QString& name, int index)
{
    for (const QString& n : {name, twinName(name)}) {
        const QList<QAction*> items = m_arrays.value(n);
        for (int i = 0; i < items.size(); ++i)
            items[i]->setChecked(i == index);
    }
}

void MainMenus::buildMainBar(QMenuBar* bar)
{
    QMenu* file = addMenu(bar, QStringLiteral("mfile"), tr("ファイル(&F)"));
    addItem(file, QStringLiteral("mopen"), tr("問題データを開く...(&O)"));
    addItem(file, QStringLiteral("mimport"), tr("他の形式から読み込む...(&I)"));
    addItem(file, QStringLiteral("mexportother"), tr("他の形式で書き出す...(&W)"));
    file->addSeparator();
    addItem(file, QStringLiteral("mstart"), tr("スタート(&S)"));
    addItem(file, QStringLiteral("mpick"), tr("ゲット(&G)"));
    addItem(file, QStringLiteral("mDB"), tr("データベース&M)"));
    addItem(file, QStringLiteral("mtest"), tr("テスト(&T)"));
    file->addSeparator();
    addItem(file, QStringLiteral("msakusei"), tr("問題データ編集(&E)"));
    addItem(file, QStringLiteral("mondaireset"), tr("問題データをリセット(&B)"));
    addItem(file, QStringLiteral("mondaifolder"), tr("問題の元フォルダを開く(&F)"));
    file->addSeparator();
    addItem(file, QStringLiteral("mkugiri"), tr("プロパティ...(&K)"));
    file->addSeparator();
    addItem(file, QStringLiteral("msyokika"), tr("設定の初期化(&D)"));
    file->addSeparator();
    addItem(file, QStringLiteral("msaikidou"), tr("再起動(&R)"));
    addItem(file, QStringLiteral("msyuuryou"), tr("終了(&X)"));

    QMenu* tools = addMenu(bar, QStringLiteral("mhensyuu"), tr("ツール(&T)"));
    QMenu* range = addSubmenu(tools, QStringLiteral("mmondaihyouzi"), tr("出題範囲(&Q)"));
    addItem(range, QStringLiteral("mbatudake"), tr("未暗記のみ表示(&M)"));
    addItem(range, QStringLiteral("mmarudake"), tr("暗記済のみ表示(&C)"));
    addItem(range, QStringLiteral("makadake"), tr("要チェックのみ表示(&R)"));
    addItem(range, QStringLiteral("mzenbu"), tr("全て表示(&A)"));
    addItem(range, QStringLiteral("mfukudake"), tr("復習のみ表示(&V)"));
    QMenu* limit = addSubmenu(tools, QStringLiteral("mkaitouhyouzi"), tr("回答制限&A)"));
    addItem(limit, QStringLiteral("mitigi"), tr("第1義のみ表示する(&O)"));
    addItem(limit, QStringLiteral("mnigi"), tr("第2義まで表示する(&T)"));
    addItem(limit, QStringLiteral("msangi"), tr("第3義まで表示する(&S)"));
    tools->addSeparator();
    QMenu* order = addSubmenu(tools, QStringLiteral("mhyouzizyunn"), tr("表示順(&H)"));
    addItem(order, QStringLiteral("mnormal"), tr("昇順(&N)"));
    addItem(order, QStringLiteral("mrandom"), tr("ランダム(&R)"));
    addItem(order, QStringLiteral("mrev"), tr("逆転(&G)"));
    addItem(tools, QStringLiteral("mDouzi"), tr("同時表示(&D)"));
    addItem(tools, QStringLiteral("mTimelag"), tr("時間差(&G)"));
    addItem(tools, QStringLiteral("miroch"), tr("タイマー(&T)"));
    addItem(tools, QStringLiteral("mone"), tr("No1から表示(&I)"));
    tools->addSeparator();
    addArray(addSubmenu(tools, QStringLiteral("msokudo"), tr("速度(&S)")), QStringLiteral("msec"),
        secondsItems());
    addArray(addSubmenu(tools, QStringLiteral("mttakasa"), tr("高さ(&K)")),
        QStringLiteral("mtakasa"), heightItems());
    tools->addSeparator();
    addItem(tools, QStringLiteral("monnsei"), tr("音声(&V)"));
    QMenu* speakOrder = addSubmenu(tools, QStringLiteral("mOtojun"), tr("発音順(&J)"));
    addItem(speakOrder, QStringLiteral("mOtozidou"), tr("オート(&A)"));
    addItem(speakOrder, QStringLiteral("mOtosaki"), tr("先に発音する(&P)"));
    addItem(speakOrder, QStringLiteral("mOtoato"), tr("後に発音する(&L)"));
    tools->addSeparator();
    addItem(tools, QStringLiteral("mteisi"), tr("一時停止(&T)"));
    addItem(tools, QStringLiteral("mtexthatuon"), tr("手書きパレット(&P)"));

    QMenu* format = addMenu(bar, QStringLiteral("msyosiki"), tr("書式(&O)"));
    addArray(addSubmenu(format, QStringLiteral("mssize"), tr("文字サイズ(&S)")),
        QStringLiteral("msize"), sizeMenuItems());
    addArray(addSubmenu(format, QStringLiteral("mhhiritu"), tr("回答のサイズ(&H)")),
        QStringLiteral("mhiritu"), ratioMenuItems());
    QMenu* colour = addSubmenu(format, QStringLiteral("miro"), tr("色(&C)"));
    addItem(colour, QStringLiteral("mhaikeiiro"), tr("背景...(&B)"));
    addItem(colour, QStringLiteral("mmondaiiro"), tr("問題...(&Q)"));
    addItem(colour, QStringLiteral("mkotaeiro"), tr("答え...(&A)"));
    addItem(colour, QStringLiteral("mlabeliro"), tr("ナンバー...(&N)"));
    addItem(colour, QStringLiteral("msmoziiro"), tr("スティック文字...(&S)"));
    addItem(colour, QStringLiteral("mshaikeiiro"), tr("スティック背景...(&G)"));
    QMenu* font = addSubmenu(format, QStringLiteral("mfont"), tr("フォント(&F)"));
    addItem(font, QStringLiteral("mfmondai"), tr("問題...(&Q)"));
    addItem(font, QStringLiteral("mfkotae"), tr("答え...(&A)"));
    addItem(font, QStringLiteral("mflabel"), tr("ナンバー...(&N)"));
    addItem(font, QStringLiteral("mfsmozi"), tr("スティック文字...(&S)"));
    addItem(font, QStringLiteral("mftext"), tr("入力バー...(&T)"));
    addItem(font, QStringLiteral("mflist"), tr("リスト文字...(&L)"));

    QMenu* window = addMenu(bar, QStringLiteral("mhyouzi"), tr("ウィンドウ(&W)"));
    addItem(window, QStringLiteral("mfocus"), tr("フォーカス画面(&F)"));
    addItem(window, QStringLiteral("mbou"), tr("スティック画面(&B)"));
    addItem(window, QStringLiteral("mrireki"), tr("学習履歴(&R)"));
    window->addSeparator();
    addItem(window, QStringLiteral("mmae"), tr("常に最前面に表示(&T)"));

    QMenu* help = addMenu(bar, QStringLiteral("mhelp"), tr("ヘルプ(&H)"));
    addItem(help, QStringLiteral("mHOME"), tr("ホームページ(&H)"));
    addItem(help, QStringLiteral("mdic"), tr("Web辞書(&D)"));
    help->addSeparator();
    // Each language by its own name, so that a learner who cannot read the one in force
    // still finds the other.
    QMenu* language = addSubmenu(help, QStringLiteral("mgengo"), tr("表示言語(&L)"));
    addItem(language, QStringLiteral("mgengoja"), QStringLiteral("日本語"), true);
    addItem(language, QStringLiteral("mgengoen"), QStringLiteral("English"), true);
    addItem(help, QStringLiteral("mversion"), tr("バージョン情報(&A)"));
}

void MainMenus::buildPopup()
{
    m_popup = new QMenu(m_owner);
    m_popup->setObjectName(QStringLiteral("dami"));
    m_menus.insert(QStringLiteral("dami"), m_popup);
    QMenu* p = m_popup;
    addTwin(p, QStringLiteral("mnormal"));
    addTwin(p, QStringLiteral("mrandom"));
    addTwin(p, QStringLiteral("mrev"));
    addTwin(p, QStringLiteral("monnsei"));
    addTwin(p, QStringLiteral("mDouzi"));
    addTwin(p, QStringLiteral("mTimelag"), tr("時間差(&C)"));
    addTwin(p, QStringLiteral("mone"), tr("No.1から表示(&I)"));
    addTwin(p, QStringLiteral("miroch"));
    addTwin(p, QStringLiteral("mteisi"));
    p->addSeparator();
    addTwinArray(addSubmenu(p, QStringLiteral("mdsokudo"), tr("速度(&S)")), QStringLiteral("msec"));
    addTwinArray(
        addSubmenu(p, QStringLiteral("mdssize"), tr("文字サイズ(&M)")), QStringLiteral("msize"));
    addTwinArray(
        addSubmenu(p, QStringLiteral("mdttakasa"), tr("高さ（＆P）")), QStringLiteral("mtakasa"));
    p->addSeparator();
    QMenu* range = addSubmenu(p, QStringLiteral("mdmondaihyouzi"), tr("出題範囲(&Q)"));
    for (const char* name : {"mbatudake", "mmarudake", "makadake", "mzenbu", "mfukudake"})
        addTwin(range, QString::fromLatin1(name));
    QMenu* limit = addSubmenu(p, QStringLiteral("mdkaitouhyouzi"), tr("回答制限(&A)"));
    for (const char* name : {"mitigi", "mnigi", "msangi"})
        addTwin(limit, QString::fromLatin1(name));
    QMenu* design = addSubmenu(p, QStringLiteral("mddesign"), tr("書式(&H)"));
    QMenu* colour = addSubmenu(design, QStringLiteral("mdiro"), tr("色(&C)"));
    for (const char* name :
        {"mhaikeiiro", "mmondaiiro", "mkotaeiro", "mlabeliro", "msmoziiro", "mshaikeiiro"})
        addTwin(colour, QString::fromLatin1(name));
    QMenu* font = addSubmenu(design, QStringLiteral("mdfont"), tr("フォント(&F)"));
    for (const char* name : {"mfmondai", "mfkotae", "mflabel", "mfsmozi", "mftext", "mflist"})
        addTwin(font, QString::fromLatin1(name));
    p->addSeparator();
    addTwin(p, QStringLiteral("mfocus"));
    addTwin(p, QStringLiteral("mbou"), tr("スティック画面(&L)"));
    addTwin(p, QStringLiteral("mmae"), tr("常に最前面に表示(&W)"));
    addTwin(p, QStringLiteral("mkugiri"));
    p->addSeparator();
    addTwin(p, QStringLiteral("mpick"), tr("ゲット(&U)"));
    addTwin(p, QStringLiteral("mDB"), tr("データベース(&I)"));
    addTwin(p, QStringLiteral("mtest"), tr("テスト(&E)"));
    addTwin(p, QStringLiteral("mstart"), tr("スタート(&B)"));
    addTwin(p, QStringLiteral("mopen"));
    p->addSeparator();
    addTwin(p, QStringLiteral("msyuuryou"));
}

void MainMenus::buildListPopup()
{
    m_listPopup = new QMenu(m_owner);
    m_listPopup->setObjectName(QStringLiteral("Listhatuon"));
    m_menus.insert(QStringLiteral("Listhatuon"), m_listPopup);
    addItem(m_listPopup, QStringLiteral("mlistred"), tr("要チェック(&R)"));
    addItem(m_listPopup, QStringLiteral("mlisthatuon"), tr("発音(&V)"));
    addItem(m_listPopup, QStringLiteral("mlistritu"), tr("チェック数と忘却率(&C)"));
}

QString rangeMenuName(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
        return QStringLiteral("mbatudake");
    case RangeFilter::Memorized:
        return QStringLiteral("mmarudake");
    case RangeFilter::Red:
        return QStringLiteral("makadake");
    case RangeFilter::Review:
        return QStringLiteral("mfukudake");
    case RangeFilter::All:
        break;
    }
    return QStringLiteral("mzenbu");
}

} // namespace keruna
