#include "mainscreen/maincontrols.h"

#include "common/twips.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/range.h"
#include "ui/lazyicon.h"
#include "ui/shownfont.h"
#include "ui/widgethelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace keruna {

namespace {

// What Qt gives a typed box: inline completion from the box's items, in any case.
QCompleter* typedBoxCompleter(QAbstractItemModel* items, QObject* parent)
{
    auto* completer = new QCompleter(items, parent);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    return completer;
}

// Stands in for a typed box's completer until the box is first shown. A box given a field
// without one makes its own at once, and the four typed boxes of the main screen, all of
// them hidden at the start, cost the first window half a millisecond that way. It has no
// items to complete from, and a hidden box cannot be typed into.
QCompleter* placeholderCompleter()
{
    static QPointer<QCompleter> shared;
    if (!shared)
        shared = typedBoxCompleter(nullptr, QCoreApplication::instance());
    return shared;
}

// Gives a typed box, as it is first shown, the completer Qt would have made for it.
class CompleterOnShow final : public QObject {
public:
    static CompleterOnShow* instance()
    {
        static QPointer<CompleterOnShow> filter;
        if (!filter)
            filter = new CompleterOnShow(QCoreApplication::instance());
        return filter;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* box = static_cast<QComboBox*>(watched);
            box->removeEventFilter(this);
            if (box->lineEdit() && box->completer() == placeholderCompleter()) {
                QCompleter* completer = typedBoxCompleter(box->model(), box->lineEdit());
                completer->setCompletionColumn(box->modelColumn());
                box->setCompleter(completer);
            }
        }
        return false;
    }

private:
    using QObject::QObject;
};

QComboBox* combo(QWidget* parent, const QString& name, const QStringList& items, int preselected,
    const QString& tooltip, bool editable = false)
{
    auto* c = named(new QComboBox(parent), name);
    // A field given to the box rather than setEditable(true), which first makes the box's
    // drop-down list to fit it for typing: a list made when first opened is made fit.
    if (editable) {
        auto* field = new QLineEdit(c);
        field->setCompleter(placeholderCompleter());
        c->setLineEdit(field);
        c->installEventFilter(CompleterOnShow::instance());
    }
    c->addItems(items);
    c->setCurrentIndex(preselected);
    c->setToolTip(tooltip);
    // The items never change, so the default (fitted to them when first shown) is all the
    // fitting needed; choosing a policy would make the box's drop-down list up front.
    return c;
}

QCheckBox* checkBox(
    QWidget* parent, const QString& name, const QString& caption, const QString& tooltip = {})
{
    auto* c = named(new QCheckBox(caption, parent), name);
    c->setToolTip(tooltip);
    return c;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text = {})
{
    return named(new QLabel(text, parent), name);
}

// Design fonts; stored settings replace them at start-up.
QFont designFont(const QWidget* w, const QString& family, bool bold, int pointSize)
{
    QFont f = w->font();
    f.setFamilies({family});
    f.setBold(bold);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    return f;
}

void setDesignFont(QWidget* w, const QString& family, bool bold, int pointSize)
{
    w->setFont(designFont(w, family, bold, pointSize));
}

const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");

void buildItemArea(MainControls& c, QWidget* central)
{
    c.Mframe = named(new QFrame(central), QStringLiteral("Mframe"));
    c.Mframe->setAutoFillBackground(true);
    c.Mframe->setMinimumHeight(120);
    c.Label1 = label(c.Mframe, QStringLiteral("Label1"));
    c.Label2 = label(c.Mframe, QStringLiteral("Label2"));
    for (QLabel* l : {c.Label1, c.Label2}) {
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        l->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    }
    setDesignFont(c.Label1, kGothic, true, 50);
    setDesignFont(c.Label2, kGothic, true, 25);
    c.NoLabel = label(c.Mframe, QStringLiteral("NoLabel"));
    setDesignFont(c.NoLabel, QStringLiteral("ＭＳ Ｐ明朝"), true, 12);
    c.NoLabel->setTextFormat(Qt::PlainText);
    c.testMainpic = named(new QWidget(c.Mframe), QStringLiteral("testMainpic"));
    c.testMainpic->hide();
    const QStringList pictures
        = {QStringLiteral("idle"), QStringLiteral("start"), QStringLiteral("get")};
    for (int i = 0; i < pictures.size(); ++i) {
        QLabel* img = label(c.Mframe, QStringLiteral("Image1_%1").arg(i));
        const int size = i == 0 ? 96 : 32;
        img->setPixmap(lazyIcon(QStringLiteral(":/icons/%1.svg").arg(pictures[i]))
                           .pixmap(QSize(size, size), img->devicePixelRatioF()));
        img->setFixedSize(size, size);
        img->setVisible(i == 0);
        c.Image1.append(img);
    }
    c.Image1_10 = label(c.Mframe, QStringLiteral("Image1_10"));
    c.Image1_10->setPixmap(lazyIcon(QStringLiteral(":/icons/maru.svg")).pixmap(QSize(32, 32)));
    c.Image1_10->setFixedSize(32, 32);
    c.Image1_10->hide();
    c.iroPic = named(new QFrame(c.Mframe), QStringLiteral("iroPic"));
    c.iroPic->setFrameShape(QFrame::Box);
    c.iroPic->setStyleSheet(QStringLiteral("#iroPic { border: 1px solid rgba(255,255,255,160); }"));
    c.iro = named(new QFrame(c.iroPic), QStringLiteral("iro"));
    c.iro->setStyleSheet(QStringLiteral("#iro { background: #fb8c00; }"));
    c.iro->hide();
    c.iroPic->hide();
    c.FocusBackbtn = pictureButton(c.Mframe, QStringLiteral("FocusBackbtn"),
        QStringLiteral("focusback"), QCoreApplication::translate("MainControls", "元画面に戻す"));
    c.FocusBackbtn->hide();
}

void buildTypeRow(MainControls& c, QWidget* central)
{
    c.typeRow = named(new QFrame(central), QStringLiteral("typeRow"));
    auto* row = new QHBoxLayout(c.typeRow);
    row->setContentsMargins(6, 2, 6, 2);
    c.cuttext = named(new QLineEdit(c.typeRow), QStringLiteral("cuttext"));
    c.cuttext->setToolTip(QCoreApplication::translate("MainControls", "Enter：一時停止 Tab：答え"));
    setFontWhenShown(c.cuttext, designFont(c.cuttext, kGothic, true, 12));
    c.cuttabc = pictureButton(c.typeRow, QStringLiteral("cuttabc"), QStringLiteral("reveal"), {});
    row->addWidget(c.cuttext, 1);
    row->addWidget(c.cuttabc);
    c.typeRow->hide();
}

void buildTestArea(MainControls& c, QWidget* central)
{
    QFrame* f = c.testFrame = named(new QFrame(central), QStringLiteral("testFrame"));
    auto* col = new QVBoxLayout(f);
    col->setContentsMargins(6, 2, 6, 2);
    auto* row = new QHBoxLayout;
    col->addLayout(row);
    c.tsec = combo(f, QStringLiteral("tsec"), MainMenus::secondsItems(), 3,
        QCoreApplication::translate("MainControls", "速度の設定（入力可）"), true);
    c.tsecbtn = pictureButton(f, QStringLiteral("tsecbtn"), QStringLiteral("apply"),
        QCoreApplication::translate("MainControls", "速度の適用"));
    c.ketamin = combo(f, QStringLiteral("ketamin"), {"0", "10", "100", "1000", "10000"}, 0,
        QCoreApplication::translate("MainControls", "下限値の設定（入力可）"), true);
    c.ketamax = combo(f, QStringLiteral("ketamax"), {"10", "100", "1000", "10000", "100000"}, 3,
        QCoreApplication::translate("MainControls", "上限値の設定（入力可）"), true);
    c.ketabotan = pictureButton(f, QStringLiteral("ketabotan"), QStringLiteral("apply"),
        QCoreApplication::translate("MainControls", "桁数の適用"));
    c.kikitori = checkBox(
        f, QStringLiteral("kikitori"), QCoreApplication::translate("MainControls", "聞取"));
    c.rev = checkBox(f, QStringLiteral("rev"), QCoreApplication::translate("MainControls", "逆転"));
    c.testTEISIbtn = pictureButton(f, QStringLiteral("testTEISIbtn"), QStringLiteral("pause"),
        QCoreApplication::translate("MainControls", "一時停止  ※Delete"));
    c.testSAIKAIbtn = pictureButton(f, QStringLiteral("testSAIKAIbtn"), QStringLiteral("resume"),
        QCoreApplication::translate("MainControls", "再開  ※Delete"));
    c.syuuryoubtn = pictureButton(f, QStringLiteral("syuuryoubtn"), QStringLiteral("stop"),
        QCoreApplication::translate("MainControls", "テストを終了"));
    c.syudouKAKUNIN = pictureButton(f, QStringLiteral("syudouKAKUNIN"), QStringLiteral("reveal"),
        QCoreApplication::translate("MainControls", "答えの確認"));
    c.syudouMARU = pictureButton(f, QStringLiteral("syudouMARU"), QStringLiteral("maru"), {});
    c.syudouBATU = pictureButton(f, QStringLiteral("syudouBATU"), QStringLiteral("batsu"), {});
    c.syudouskip = pictureButton(f, QStringLiteral("syudouskip"), QStringLiteral("skip"),
        QCoreApplication::translate("MainControls", "スキップ ※Shift+Enter"));
    c.zidouMARU = pictureButton(f, QStringLiteral("zidouMARU"), QStringLiteral("maru"), {});
    c.TestListbtn
        = named(new QPushButton(QCoreApplication::translate("MainControls", "テスト結果を見る"), f),
            QStringLiteral("TestListbtn"));
    for (QWidget* w : std::initializer_list<QWidget*> {c.tsec, c.tsecbtn, c.ketamin, c.ketamax,
             c.ketabotan, c.kikitori, c.rev, c.testTEISIbtn, c.testSAIKAIbtn, c.syuuryoubtn,
             c.syudouKAKUNIN, c.syudouMARU, c.syudouBATU, c.syudouskip, c.zidouMARU, c.TestListbtn})
        row->addWidget(w);
    row->addStretch(1);
    // The instruction stands at the end of the button row: the item area keeps the height.
    c.testSIZIlabel = label(f, QStringLiteral("testSIZIlabel"));
    row->addWidget(c.testSIZIlabel);
    f->hide();
}

void buildGetPanel(MainControls& c, QWidget* central)
{
    c.Imgspl = named(new QFrame(central), QStringLiteral("Imgspl"));
    c.Imgspl->setFrameShape(QFrame::HLine);
    c.Imgspl->setFixedHeight(6);
    c.Imgspl->setCursor(Qt::SplitVCursor);
    c.Imgspl->hide();
    c.Picspl = named(new QFrame(central), QStringLiteral("Picspl"));
    c.Picspl->setFrameShape(QFrame::HLine);
    c.Picspl->setStyleSheet(QStringLiteral("background: palette(highlight);"));
    c.Picspl->hide();
    QFrame* f = c.Pickframe = named(new QFrame(central), QStringLiteral("Pickframe"));
    f->setFrameShape(QFrame::StyledPanel);
    f->setFixedHeight(twipsToPixels(2930));
    auto* col = new QVBoxLayout(f);
    col->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QHBoxLayout;
    col->addLayout(bar);
    c.listmaru = pictureButton(f, QStringLiteral("listmaru"), QStringLiteral("listadd"),
        QCoreApplication::translate("MainControls", "リストに追加　※Enter"));
    c.listmodosi = pictureButton(f, QStringLiteral("listmodosi"), QStringLiteral("listremove"),
        QCoreApplication::translate(
            "MainControls", "リストから外す(チェックでまとめて削除)　※Backspace"));
    c.listSkipbtn = pictureButton(f, QStringLiteral("listSkipbtn"), QStringLiteral("skip"),
        QCoreApplication::translate("MainControls", "問題をスキップ ※Shift+Enter"));
    c.listhozon = pictureButton(f, QStringLiteral("listhozon"), QStringLiteral("save"),
        QCoreApplication::translate("MainControls", "リストデータを保存"));
    c.Picktest = pictureButton(f, QStringLiteral("Picktest"), QStringLiteral("test"),
        QCoreApplication::translate(
            "MainControls", "ワンタッチテスト ランダム順で一巡した後に停止します"));
    c.pickend = pictureButton(f, QStringLiteral("pickend"), QStringLiteral("stop"),
        QCoreApplication::translate("MainControls", "テスト終了"));
    c.pickend->hide(); // shown while a GET test runs
    c.nPickzencheck = pictureButton(f, QStringLiteral("nPickzencheck"), QStringLiteral("checkall"),
        QCoreApplication::translate("MainControls", "全てチェック/解除"));
    c.nPickzencheckhazusi
        = pictureButton(f, QStringLiteral("nPickzencheckhazusi"), QStringLiteral("uncheckall"),
            QCoreApplication::translate("MainControls", "全てチェック/解除"));
    c.nPickzencheckhazusi->hide();
    c.gaibubtn = pictureButton(f, QStringLiteral("gaibubtn"), QStringLiteral("external"),
        QCoreApplication::translate("MainControls", "外部画面に移動"));
    c.listclose = pictureButton(f, QStringLiteral("listclose"), QStringLiteral("close"),
        QCoreApplication::translate("MainControls", "リストを閉じる"));
    c.listkazu = label(f, QStringLiteral("listkazu"), QStringLiteral("0"));
    c.pNolabel = label(f, QStringLiteral("pNolabel"));
    c.Picktestlabel = label(f, QStringLiteral("Picktestlabel"));
    c.Picktestlabel->hide();
    c.testkekkakesi
        = pictureButton(f, QStringLiteral("testkekkakesi"), QStringLiteral("close"), {});
    c.testkekkakesi->hide();
    c.testkekka = pictureButton(f, QStringLiteral("testkekka"), QStringLiteral("reveal"), {});
    c.testkekka->hide();
    for (QWidget* w : std::initializer_list<QWidget*> {c.listmaru, c.listmodosi, c.listSkipbtn,
             c.listhozon, c.Picktest, c.pickend, c.nPickzencheck, c.nPickzencheckhazusi, c.listkazu,
             c.Picktestlabel, c.testkekka, c.testkekkakesi})
        bar->addWidget(w);
    bar->addStretch(1);
    bar->addWidget(c.pNolabel);
    bar->addWidget(c.gaibubtn);
    bar->addWidget(c.listclose);
    // Score, hint line and progress of a test; in study the hint line tells the keys.
    auto* results = new QHBoxLayout;
    col->addLayout(results);
    for (int i = 0; i < 3; ++i) {
        QLabel* l = label(f, QStringLiteral("testKEKKAlabel_%1").arg(i));
        results->addWidget(l, i == 1 ? 1 : 0);
        c.testKEKKAlabel.append(l);
    }
    c.testKEKKAlabel[0]->hide();
    c.testKEKKAlabel[2]->hide();
    c.Picklist = named(new QTreeView(f), QStringLiteral("Picklist"));
    setFontWhenShown(c.Picklist, designFont(c.Picklist, kGothic, false, 9));
    c.Picklist->setHeaderHidden(true);
    c.Picklist->setRootIsDecorated(false);
    c.Picklist->header()->setStretchLastSection(true);
    col->addWidget(c.Picklist, 1);
    f->hide();
}

void buildButtonBar(MainControls& c, QWidget* central)
{
    QFrame* f = c.mnuFrame = named(new QFrame(central), QStringLiteral("mnuFrame"));
    f->setFrameShape(QFrame::NoFrame);
    f->setAutoFillBackground(true);
    auto* col = new QVBoxLayout(f);
    col->setContentsMargins(6, 4, 6, 4);
    col->setSpacing(2);
    auto* buttons = new QHBoxLayout;
    auto* options = new QHBoxLayout;
    buttons->setSpacing(2);
    col->addLayout(buttons);
    col->addLayout(options);

    c.Openbtn = pictureButton(f, QStringLiteral("Openbtn"), QStringLiteral("open"),
        QCoreApplication::translate("MainControls", "問題データを開く"));
    c.Startbtn = pictureButton(f, QStringLiteral("Startbtn"), QStringLiteral("start"),
        QCoreApplication::translate("MainControls", "ここから始めます"));
    c.Fteisibtn = pictureButton(f, QStringLiteral("Fteisibtn"), QStringLiteral("pause"),
        QCoreApplication::translate("MainControls", "一時停止　※Delete"));
    c.Fsaikaibtn = pictureButton(f, QStringLiteral("Fsaikaibtn"), QStringLiteral("resume"),
        QCoreApplication::translate("MainControls", "再開　※Delete"));
    c.TESTbtn = pictureButton(f, QStringLiteral("TESTbtn"), QStringLiteral("test"),
        QCoreApplication::translate("MainControls", "テスト"));
    c.DBbtn = pictureButton(f, QStringLiteral("DBbtn"), QStringLiteral("database"),
        QCoreApplication::translate("MainControls", "データベース"));
    c.Pickbtn = pictureButton(f, QStringLiteral("Pickbtn"), QStringLiteral("get"),
        QCoreApplication::translate("MainControls", "表示中の単語を暗記済にできます"));
    c.sakuseibtn = pictureButton(f, QStringLiteral("sakuseibtn"), QStringLiteral("edit"),
        QCoreApplication::translate("MainControls", "問題データ編集　※編集後は再読込してください"));
    c.Pptbtn = pictureButton(f, QStringLiteral("Pptbtn"), QStringLiteral("properties"),
        QCoreApplication::translate("MainControls", "プロパティ"));
    c.boubtn = pictureButton(f, QStringLiteral("boubtn"), QStringLiteral("stick"),
        QCoreApplication::translate("MainControls", "スティック画面"));
    c.Focusbtn = pictureButton(f, QStringLiteral("Focusbtn"), QStringLiteral("focus"),
        QCoreApplication::translate("MainControls", "フォーカス画面 （文字サイズ比）"));
    c.webdicbtn = pictureButton(f, QStringLiteral("webdicbtn"), QStringLiteral("webdic"),
        QCoreApplication::translate("MainControls", "Web辞書"));
    c.Texthatuonbtn
        = pictureButton(f, QStringLiteral("Texthatuonbtn"), QStringLiteral("handwriting"),
            QCoreApplication::translate("MainControls", "手書きパレット"));
    c.irobtn = pictureButton(f, QStringLiteral("irobtn"), QStringLiteral("colour"),
        QCoreApplication::translate("MainControls", "色の設定"));
    c.testvoice = pictureButton(f, QStringLiteral("testvoice"), QStringLiteral("speak"),
        QCoreApplication::translate("MainControls", "発音　※Ctrl"));
    c.Fsaikaibtn->setEnabled(false);

    for (QWidget* w : std::initializer_list<QWidget*> {
             c.Openbtn, c.Startbtn, c.Fteisibtn, c.Fsaikaibtn, c.TESTbtn, c.DBbtn, c.Pickbtn})
        buttons->addWidget(w);
    buttons->addSpacing(12);
    buttons->addWidget(c.testvoice);
    buttons->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*> {
             c.sakuseibtn, c.webdicbtn, c.Texthatuonbtn, c.irobtn, c.Pptbtn, c.boubtn, c.Focusbtn})
        buttons->addWidget(w);

    const QStringList& seconds = MainMenus::secondsItems();
    c.Seccom = combo(f, QStringLiteral("Seccom"), seconds, 1,
        QCoreApplication::translate("MainControls", "表示速度"));
    c.nyseccom = combo(f, QStringLiteral("nyseccom"), seconds, 1,
        QCoreApplication::translate("MainControls", "表示速度 STARTボタンを押して適用してください"),
        true);
    // Typed speeds: digits and the full stop only.
    c.nyseccom->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), c.nyseccom));
    c.nyseccom->hide();
    c.Sizecom = combo(f, QStringLiteral("Sizecom"),
        {"12", "13", "14", "15", "17", "20", "30", "40", "50", "60", "70", "80", "90", "100", "120",
            "140", "160", "180", "200"},
        8, QCoreApplication::translate("MainControls", "文字サイズ"));
    c.hiritu = combo(f, QStringLiteral("hiritu"),
        {"20", "30", "40", "50", "60", "70", "80", "90", "100"}, 3,
        QCoreApplication::translate("MainControls", "「答え」の文字サイズ比率"));
    c.takasacom = combo(f, QStringLiteral("takasacom"), MainMenus::heightItems(), 1,
        QCoreApplication::translate("MainControls", "文字の高さ"));
    c.dakecom = combo(f, QStringLiteral("dakecom"),
        {rangeLabel(RangeFilter::NotYet), rangeLabel(RangeFilter::Memorized),
            rangeLabel(RangeFilter::Red), rangeLabel(RangeFilter::All),
            rangeLabel(RangeFilter::Review)},
        0,
        QCoreApplication::translate(
            "MainControls", "出題範囲の切替 （未暗記・暗記済・要チェック・全て）"));
    // Wide enough for the full-width brackets whatever font substitutes for the design one,
    // and for the longest label where the labels are longer (as translated ones are).
    int rangeWidth = 4;
    for (int i = 0; i < c.dakecom->count(); ++i)
        rangeWidth = std::max(rangeWidth, int(c.dakecom->itemText(i).size()));
    c.dakecom->setMinimumContentsLength(rangeWidth);
    c.dakecom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c.irocom = combo(f, QStringLiteral("irocom"),
        {"Back", "Question", "Answer", "Number", "StickQ", "StickB"}, 0, {});
    c.irocom->hide();

    c.Rndop.append(
        named(new QRadioButton(QCoreApplication::translate("MainControls", "ランダム"), f),
            QStringLiteral("Rndop_0")));
    c.Rndop.append(named(new QRadioButton(QCoreApplication::translate("MainControls", "昇順"), f),
        QStringLiteral("Rndop_1")));
    c.Rndop[0]->setToolTip(QCoreApplication::translate("MainControls", "ランダム表示"));
    c.Rndop[1]->setToolTip(QCoreApplication::translate("MainControls", "昇順表示"));
    c.Rndop[0]->setChecked(true);
    c.Revch
        = checkBox(f, QStringLiteral("Revch"), QCoreApplication::translate("MainControls", "逆転"),
            QCoreApplication::translate("MainControls", "英和・和英の切替"));
    c.Spkch = checkBox(f, QStringLiteral("Spkch"), QStringLiteral("♪"),
        QCoreApplication::translate("MainControls", "発音　※Ctrlキーで発音"));
    c.Douzich = checkBox(f, QStringLiteral("Douzich"),
        QCoreApplication::translate("MainControls", "同時"),
        QCoreApplication::translate("MainControls", "同時表示 暗記が進まない時に有効です"));
    c.typec = checkBox(f, QStringLiteral("typec"), QStringLiteral("type"),
        QCoreApplication::translate("MainControls", "入力モード"));
    c.iroch = checkBox(f, QStringLiteral("iroch"), QStringLiteral("timer"));

    for (QWidget* w : std::initializer_list<QWidget*> {
             c.Seccom, c.nyseccom, c.Sizecom, c.hiritu, c.takasacom, c.dakecom})
        options->addWidget(w);
    options->addSpacing(8);
    for (QWidget* w : std::initializer_list<QWidget*> {
             c.Rndop[0], c.Rndop[1], c.Revch, c.Spkch, c.Douzich, c.typec, c.iroch})
        options->addWidget(w);
    options->addStretch(1);
}

} // namespace

MainControls buildMainControls(QWidget* central)
{
    MainControls c;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildItemArea(c, central);
    buildTypeRow(c, central);
    buildTestArea(c, central);
    buildGetPanel(c, central);
    buildButtonBar(c, central);
    layout->addWidget(c.Mframe, 1);
    layout->addWidget(c.typeRow);
    layout->addWidget(c.testFrame);
    layout->addWidget(c.Imgspl);
    layout->addWidget(c.Pickframe);
    layout->addWidget(c.mnuFrame);
    // Tab follows the screen from top to bottom, each row from left to right; the
    // creation order is not the order the user sees.
    setTabChain({c.FocusBackbtn, c.cuttext, c.cuttabc, c.tsec, c.tsecbtn, c.ketamin, c.ketamax,
        c.ketabotan, c.kikitori, c.rev, c.testTEISIbtn, c.testSAIKAIbtn, c.syuuryoubtn,
        c.syudouKAKUNIN, c.syudouMARU, c.syudouBATU, c.syudouskip, c.zidouMARU, c.TestListbtn,
        c.listmaru, c.listmodosi, c.listSkipbtn, c.listhozon, c.Picktest, c.pickend,
        c.nPickzencheck, c.nPickzencheckhazusi, c.testkekka, c.testkekkakesi, c.gaibubtn,
        c.listclose, c.Picklist, c.Openbtn, c.Startbtn, c.Fteisibtn, c.Fsaikaibtn, c.TESTbtn,
        c.DBbtn, c.Pickbtn, c.testvoice, c.sakuseibtn, c.webdicbtn, c.Texthatuonbtn, c.irobtn,
        c.Pptbtn, c.boubtn, c.Focusbtn, c.Seccom, c.nyseccom, c.Sizecom, c.hiritu, c.takasacom,
        c.dakecom, c.Rndop[0], c.Rndop[1], c.Revch, c.Spkch, c.Douzich, c.typec, c.iroch});
    return c;
}

} // namespace keruna
