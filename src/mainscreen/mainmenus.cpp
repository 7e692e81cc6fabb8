#include "mainscreen/mainmenus.h"

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
    static const QStringList items
        = {"1", "2", "3", "4", "5", "6", "8", "10", "13", "16", "20", "30", "40", "50", "60"};
    return items;
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
    QMenu* file = addMenu(bar, QStringLiteral("mfile"), QStringLiteral("ファイル(&F)"));
    addItem(file, QStringLiteral("mopen"), QStringLiteral("問題データを開く...(&O)"));
    addItem(file, QStringLiteral("mimport"), QStringLiteral("他の形式から読み込む...(&I)"));
    addItem(file, QStringLiteral("mexportother"), QStringLiteral("他の形式で書き出す...(&W)"));
    file->addSeparator();
    addItem(file, QStringLiteral("mstart"), QStringLiteral("スタート(&S)"));
    addItem(file, QStringLiteral("mpick"), QStringLiteral("ゲット(&G)"));
    addItem(file, QStringLiteral("mDB"), QStringLiteral("データベース&M)"));
    addItem(file, QStringLiteral("mtest"), QStringLiteral("テスト(&T)"));
    file->addSeparator();
    addItem(file, QStringLiteral("msakusei"), QStringLiteral("問題データ編集(&E)"));
    addItem(file, QStringLiteral("mondaireset"), QStringLiteral("問題データをリセット(&B)"));
    addItem(file, QStringLiteral("mondaifolder"), QStringLiteral("問題の元フォルダを開く(&F)"));
    file->addSeparator();
    addItem(file, QStringLiteral("mkugiri"), QStringLiteral("プロパティ...(&K)"));
    file->addSeparator();
    addItem(file, QStringLiteral("msyokika"), QStringLiteral("設定の初期化(&D)"));
    file->addSeparator();
    addItem(file, QStringLiteral("msaikidou"), QStringLiteral("再起動(&R)"));
    addItem(file, QStringLiteral("msyuuryou"), QStringLiteral("終了(&X)"));

    QMenu* tools = addMenu(bar, QStringLiteral("mhensyuu"), QStringLiteral("ツール(&T)"));
    QMenu* range
        = addSubmenu(tools, QStringLiteral("mmondaihyouzi"), QStringLiteral("出題範囲(&Q)"));
    addItem(range, QStringLiteral("mbatudake"), QStringLiteral("未暗記のみ表示(&M)"));
    addItem(range, QStringLiteral("mmarudake"), QStringLiteral("暗記済のみ表示(&C)"));
    addItem(range, QStringLiteral("makadake"), QStringLiteral("要チェックのみ表示(&R)"));
    addItem(range, QStringLiteral("mzenbu"), QStringLiteral("全て表示(&A)"));
    addItem(range, QStringLiteral("mfukudake"), QStringLiteral("復習のみ表示(&V)"));
    QMenu* limit
        = addSubmenu(tools, QStringLiteral("mkaitouhyouzi"), QStringLiteral("回答制限&A)"));
    addItem(limit, QStringLiteral("mitigi"), QStringLiteral("第1義のみ表示する(&O)"));
    addItem(limit, QStringLiteral("mnigi"), QStringLiteral("第2義まで表示する(&T)"));
    addItem(limit, QStringLiteral("msangi"), QStringLiteral("第3義まで表示する(&S)"));
    tools->addSeparator();
    QMenu* order = addSubmenu(tools, QStringLiteral("mhyouzizyunn"), QStringLiteral("表示順(&H)"));
    addItem(order, QStringLiteral("mnormal"), QStringLiteral("昇順(&N)"));
    addItem(order, QStringLiteral("mrandom"), QStringLiteral("ランダム(&R)"));
    addItem(order, QStringLiteral("mrev"), QStringLiteral("逆転(&G)"));
    addItem(tools, QStringLiteral("mDouzi"), QStringLiteral("同時表示(&D)"));
    addItem(tools, QStringLiteral("mTimelag"), QStringLiteral("時間差(&G)"));
    addItem(tools, QStringLiteral("miroch"), QStringLiteral("タイマー(&T)"));
    addItem(tools, QStringLiteral("mone"), QStringLiteral("No1から表示(&I)"));
    tools->addSeparator();
    addArray(addSubmenu(tools, QStringLiteral("msokudo"), QStringLiteral("速度(&S)")),
        QStringLiteral("msec"), secondsItems());
    addArray(addSubmenu(tools, QStringLiteral("mttakasa"), QStringLiteral("高さ(&K)")),
        QStringLiteral("mtakasa"), heightItems());
    tools->addSeparator();
    addItem(tools, QStringLiteral("monnsei"), QStringLiteral("音声(&V)"));
    QMenu* speakOrder = addSubmenu(tools, QStringLiteral("mOtojun"), QStringLiteral("発音順(&J)"));
    addItem(speakOrder, QStringLiteral("mOtozidou"), QStringLiteral("オート(&A)"));
    addItem(speakOrder, QStringLiteral("mOtosaki"), QStringLiteral("先に発音する(&P)"));
    addItem(speakOrder, QStringLiteral("mOtoato"), QStringLiteral("後に発音する(&L)"));
    tools->addSeparator();
    addItem(tools, QStringLiteral("mteisi"), QStringLiteral("一時停止(&T)"));
    addItem(tools, QStringLiteral("mtexthatuon"), QStringLiteral("手書きパレット(&P)"));

    QMenu* format = addMenu(bar, QStringLiteral("msyosiki"), QStringLiteral("書式(&O)"));
    addArray(addSubmenu(format, QStringLiteral("mssize"), QStringLiteral("文字サイズ(&S)")),
        QStringLiteral("msize"), sizeMenuItems());
    addArray(addSubmenu(format, QStringLiteral("mhhiritu"), QStringLiteral("回答のサイズ(&H)")),
        QStringLiteral("mhiritu"), ratioMenuItems());
    QMenu* colour = addSubmenu(format, QStringLiteral("miro"), QStringLiteral("色(&C)"));
    addItem(colour, QStringLiteral("mhaikeiiro"), QStringLiteral("背景...(&B)"));
    addItem(colour, QStringLiteral("mmondaiiro"), QStringLiteral("問題...(&Q)"));
    addItem(colour, QStringLiteral("mkotaeiro"), QStringLiteral("答え...(&A)"));
    addItem(colour, QStringLiteral("mlabeliro"), QStringLiteral("ナンバー...(&N)"));
    addItem(colour, QStringLiteral("msmoziiro"), QStringLiteral("スティック文字...(&S)"));
    addItem(colour, QStringLiteral("mshaikeiiro"), QStringLiteral("スティック背景...(&G)"));
    QMenu* font = addSubmenu(format, QStringLiteral("mfont"), QStringLiteral("フォント(&F)"));
    addItem(font, QStringLiteral("mfmondai"), QStringLiteral("問題...(&Q)"));
    addItem(font, QStringLiteral("mfkotae"), QStringLiteral("答え...(&A)"));
    addItem(font, QStringLiteral("mflabel"), QStringLiteral("ナンバー...(&N)"));
    addItem(font, QStringLiteral("mfsmozi"), QStringLiteral("スティック文字...(&S)"));
    addItem(font, QStringLiteral("mftext"), QStringLiteral("入力バー...(&T)"));
    addItem(font, QStringLiteral("mflist"), QStringLiteral("リスト文字...(&L)"));

    QMenu* window = addMenu(bar, QStringLiteral("mhyouzi"), QStringLiteral("ウィンドウ(&W)"));
    addItem(window, QStringLiteral("mfocus"), QStringLiteral("フォーカス画面(&F)"));
    addItem(window, QStringLiteral("mbou"), QStringLiteral("スティック画面(&B)"));
    addItem(window, QStringLiteral("mrireki"), QStringLiteral("学習履歴(&R)"));
    window->addSeparator();
    addItem(window, QStringLiteral("mmae"), QStringLiteral("常に最前面に表示(&T)"));

    QMenu* help = addMenu(bar, QStringLiteral("mhelp"), QStringLiteral("ヘルプ(&H)"));
    addItem(help, QStringLiteral("mHOME"), QStringLiteral("ホームページ(&H)"));
    addItem(help, QStringLiteral("mdic"), QStringLiteral("Web辞書(&D)"));
    help->addSeparator();
    addItem(help, QStringLiteral("mversion"), QStringLiteral("バージョン情報(&A)"));
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
    addTwin(p, QStringLiteral("mTimelag"), QStringLiteral("時間差(&C)"));
    addTwin(p, QStringLiteral("mone"), QStringLiteral("No.1から表示(&I)"));
    addTwin(p, QStringLiteral("miroch"));
    addTwin(p, QStringLiteral("mteisi"));
    p->addSeparator();
    addTwinArray(addSubmenu(p, QStringLiteral("mdsokudo"), QStringLiteral("速度(&S)")),
        QStringLiteral("msec"));
    addTwinArray(addSubmenu(p, QStringLiteral("mdssize"), QStringLiteral("文字サイズ(&M)")),
        QStringLiteral("msize"));
    addTwinArray(addSubmenu(p, QStringLiteral("mdttakasa"), QStringLiteral("高さ（＆P）")),
        QStringLiteral("mtakasa"));
    p->addSeparator();
    QMenu* range = addSubmenu(p, QStringLiteral("mdmondaihyouzi"), QStringLiteral("出題範囲(&Q)"));
    for (const char* name : {"mbatudake", "mmarudake", "makadake", "mzenbu", "mfukudake"})
        addTwin(range, QString::fromLatin1(name));
    QMenu* limit = addSubmenu(p, QStringLiteral("mdkaitouhyouzi"), QStringLiteral("回答制限(&A)"));
    for (const char* name : {"mitigi", "mnigi", "msangi"})
        addTwin(limit, QString::fromLatin1(name));
    QMenu* design = addSubmenu(p, QStringLiteral("mddesign"), QStringLiteral("書式(&H)"));
    QMenu* colour = addSubmenu(design, QStringLiteral("mdiro"), QStringLiteral("色(&C)"));
    for (const char* name :
        {"mhaikeiiro", "mmondaiiro", "mkotaeiro", "mlabeliro", "msmoziiro", "mshaikeiiro"})
        addTwin(colour, QString::fromLatin1(name));
    QMenu* font = addSubmenu(design, QStringLiteral("mdfont"), QStringLiteral("フォント(&F)"));
    for (const char* name : {"mfmondai", "mfkotae", "mflabel", "mfsmozi", "mftext", "mflist"})
        addTwin(font, QString::fromLatin1(name));
    p->addSeparator();
    addTwin(p, QStringLiteral("mfocus"));
    addTwin(p, QStringLiteral("mbou"), QStringLiteral("スティック画面(&L)"));
    addTwin(p, QStringLiteral("mmae"), QStringLiteral("常に最前面に表示(&W)"));
    addTwin(p, QStringLiteral("mkugiri"));
    p->addSeparator();
    addTwin(p, QStringLiteral("mpick"), QStringLiteral("ゲット(&U)"));
    addTwin(p, QStringLiteral("mDB"), QStringLiteral("データベース(&I)"));
    addTwin(p, QStringLiteral("mtest"), QStringLiteral("テスト(&E)"));
    addTwin(p, QStringLiteral("mstart"), QStringLiteral("スタート(&B)"));
    addTwin(p, QStringLiteral("mopen"));
    p->addSeparator();
    addTwin(p, QStringLiteral("msyuuryou"));
}

void MainMenus::buildListPopup()
{
    m_listPopup = new QMenu(m_owner);
    m_listPopup->setObjectName(QStringLiteral("Listhatuon"));
    m_menus.insert(QStringLiteral("Listhatuon"), m_listPopup);
    addItem(m_listPopup, QStringLiteral("mlistred"), QStringLiteral("要チェック(&R)"));
    addItem(m_listPopup, QStringLiteral("mlisthatuon"), QStringLiteral("発音(&V)"));
    addItem(m_listPopup, QStringLiteral("mlistritu"), QStringLiteral("チェック数と忘却率(&C)"));
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
