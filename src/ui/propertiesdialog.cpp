#include "ui/propertiesdialog.h"

#include "common/numbers.h"
#include "ui/accessiblenames.h"
#include "ui/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace keruna {

namespace {

template <class W> W* named(W* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

QLabel* label(const QString& name, const QString& text)
{
    return named(new QLabel(text), name);
}

QGroupBox* group(const QString& name, const QString& title)
{
    return named(new QGroupBox(title), name);
}

} // namespace

QPoint propertiesPosition(QPoint mainTopLeft, QSize dialogSize, QSize screenSize)
{
    int left = mainTopLeft.x();
    int top = mainTopLeft.y();
    if (left < 0)
        left = 0;
    else if (left + dialogSize.width() > screenSize.width())
        left = screenSize.width() - dialogSize.width();
    if (top < 0)
        top = 0;
    else if (top + dialogSize.height() > screenSize.height())
        top = screenSize.height() - (dialogSize.height() + 550);
    return {left, top};
}

kugirigamen::kugirigamen(const PropertiesValues& values, std::optional<QStringList> voices,
    QString settingsPath, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_settingsPath(std::move(settingsPath))
    , m_voices(std::move(voices))
    , m_loaded(values)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("kugirigamen"));
    setWindowTitle(tr("プロパティ"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    build();
    fill(values);
    makeAccessible(this);
}

void kugirigamen::fill(const PropertiesValues& v)
{
    m_kugirimoziCB->addItems({QStringLiteral(","), QStringLiteral("."), QStringLiteral("=")});
    m_itigimoziCB->addItem(QStringLiteral("、"));
    m_kugirimoziCB->setEditText(v.delimiter);
    m_itigimoziCB->setEditText(v.separator);
    for (int i = 0; i < 3; ++i)
        m_KankakuCB[i]->setCurrentIndex(v.kankaku[size_t(i)]);
    m_Longch->setChecked(v.longText);
    m_nysecch->setChecked(v.typedSpeed);
    m_marunextch->setChecked(v.nextAfterMaru);
    m_screentextch->setChecked(v.showTypedText);
    m_PickdasiCh->setChecked(v.showGetOnStart);
    m_Naibuop->setChecked(v.getInside);
    m_Gaibuop->setChecked(!v.getInside);
    for (int i = 0; i < 4; ++i)
        m_NOch[i]->setChecked(v.numberDisplay[size_t(i)]);
    m_Dictext->setText(v.dictionaryUrl);
    m_Hometext->setText(v.homePageUrl);
    m_GaitounasiL->hide();
    if (m_voices && v.voicesKnown) {
        m_VoiceCB->addItems(*m_voices);
        m_VoiceCB->setCurrentIndex(v.voice);
        m_GaitounasiL->setVisible(v.voiceNotFound);
    }
    m_KankakuCB[2]->setEnabled(!v.longText);
    m_Naibuop->setEnabled(v.showGetOnStart);
    m_Gaibuop->setEnabled(v.showGetOnStart);
    updateListLabel(0);
    updateListLabel(1);
}

void kugirigamen::build()
{
    auto* layout = new QVBoxLayout(this);
    m_tabs = named(new QTabWidget(this), QStringLiteral("tbsOptions"));
    m_tabs->setAccessibleName(tr("プロパティのページ"));
    layout->addWidget(m_tabs);

    // Page 0: time shares, spacing and typing options.
    auto* page0 = named(new QWidget, QStringLiteral("picOptions_0"));
    auto* p0 = new QVBoxLayout(page0);
    m_screentextch = named(
        new QCheckBox(tr("入力した文字を画面に表示する(&S)")), QStringLiteral("screentextch"));
    m_nysecch = named(new QCheckBox(tr("速度を入力可能にする[スタートボタンで速度適用します](&T)")),
        QStringLiteral("nysecch"));
    m_marunextch = named(
        new QCheckBox(tr("○を押した後すぐ次の問題を表示する(&N)")), QStringLiteral("marunextch"));
    auto* frame7 = group(QStringLiteral("Frame7"), tr("時間配分"));
    auto* f7 = new QGridLayout(frame7);
    for (int i = 0; i < 3; ++i) {
        auto* box = named(new QComboBox, QStringLiteral("KankakuCB_%1").arg(i));
        for (int v = 1; v <= 9; ++v)
            box->addItem(QString::number(v));
        m_KankakuCB.append(box);
    }
    // Said with what each box sets, not only its number.
    m_KankakuCB[0]->setAccessibleName(tr("予想時の問題の時間配分"));
    m_KankakuCB[1]->setAccessibleName(tr("入力時の問題の時間配分"));
    m_KankakuCB[2]->setAccessibleName(tr("問題と回答の距離間隔"));
    for (int i = 0; i < 2; ++i)
        m_KankakuCB[i]->setAccessibleDescription(
            tr("問題の時間の割合（1〜9）。回答の割合は残りです。"));
    m_KankakuCB[2]->setAccessibleDescription(tr("1〜9。大きいほど離れます。"));
    // The header's two words stand over their columns: the question's share in its box
    // under "問題", the answer's share under "回答", read as "5 : 5". The answer column
    // starts where the header's second word does: a translation of the header's first part
    // (its first word and the spaces after it) must match the start of the whole header's.
    auto* header = label(QStringLiteral("Label13"), tr("問題　　　　　　　回答"));
    const QFontMetrics metrics(header->font());
    const int answerColumn = metrics.horizontalAdvance(tr("問題　　　　　　　"));
    const int boxWidth = m_KankakuCB[0]->sizeHint().width();
    f7->setHorizontalSpacing(0);
    f7->setColumnMinimumWidth(0, metrics.horizontalAdvance(tr("予想時")) + 16);
    f7->setColumnMinimumWidth(1, boxWidth);
    f7->setColumnMinimumWidth(2, std::max(0, answerColumn - boxWidth));
    f7->setColumnMinimumWidth(3, metrics.horizontalAdvance(tr("回答")));
    f7->setColumnStretch(4, 1);
    f7->addWidget(header, 0, 1, 1, 3, Qt::AlignLeft);
    for (int i = 0; i < 2; ++i) {
        m_Listlabel.append(label(QStringLiteral("Listlabel_%1").arg(i), {}));
        f7->addWidget(
            label(QStringLiteral("Label5_%1").arg(i), i == 0 ? tr("予想時") : tr("入力時")), i + 1,
            0);
        m_KankakuCB[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        f7->addWidget(m_KankakuCB[i], i + 1, 1);
        f7->addWidget(label(QStringLiteral("Label12_%1").arg(i), QStringLiteral("：　：")), i + 1,
            2, Qt::AlignCenter);
        f7->addWidget(m_Listlabel[i], i + 1, 3, Qt::AlignLeft);
    }
    f7->addWidget(
        label(QStringLiteral("Label14"), tr("問題と回答の時間配分を設定できます。")), 3, 0, 1, 5);
    auto* frame6 = group(QStringLiteral("Frame6"), tr("文字の距離間隔"));
    auto* f6 = new QGridLayout(frame6);
    m_Longch = named(new QCheckBox(tr("長文用の距離間隔にする(&D)")), QStringLiteral("Longch"));
    m_KankakuCB[2]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    f6->setColumnStretch(1, 1);
    f6->addWidget(m_KankakuCB[2], 0, 0);
    f6->addWidget(
        label(QStringLiteral("Label5_4"), tr("問題と回答の距離間隔を調節できます。")), 0, 1);
    f6->addWidget(m_Longch, 1, 0, 1, 2);
    m_Kkiteibtn = named(new QPushButton(tr("既定値に戻す(&E)")), QStringLiteral("Kkiteibtn"));
    for (QWidget* w :
        std::initializer_list<QWidget*> {m_screentextch, m_nysecch, m_marunextch, frame7, frame6})
        p0->addWidget(w);
    p0->addWidget(m_Kkiteibtn, 0, Qt::AlignRight);
    p0->addStretch(1);
    m_tabs->addTab(page0, tr("間隔    "));

    // Page 1: number display, GET screen, voice, delimiters.
    auto* page1 = named(new QWidget, QStringLiteral("picOptions_1"));
    auto* p1 = new QGridLayout(page1);
    auto* frame5 = group(QStringLiteral("Frame5"), tr("No表示"));
    auto* f5 = new QVBoxLayout(frame5);
    const QStringList numberCaptions = {tr("メイン画面(&M)"), tr("内部GET画面(&P)"),
        tr("フォーカス画面(&F)"), tr("スティック画面(&S)")};
    for (int i = 0; i < 4; ++i) {
        m_NOch.append(named(new QCheckBox(numberCaptions[i]), QStringLiteral("NOch_%1").arg(i)));
        f5->addWidget(m_NOch[i]);
    }
    auto* frame4 = group(QStringLiteral("Frame4"), tr("GET画面"));
    auto* f4 = new QVBoxLayout(frame4);
    m_Naibuop = named(new QRadioButton(tr("内部GET(&I)")), QStringLiteral("Naibuop"));
    m_Gaibuop = named(new QRadioButton(tr("外部GET(&O)")), QStringLiteral("Gaibuop"));
    m_PickdasiCh = named(
        new QCheckBox(tr("スタートと同時にGET画面を表示する(&D)")), QStringLiteral("PickdasiCh"));
    f4->addWidget(m_Naibuop);
    f4->addWidget(m_Gaibuop);
    f4->addWidget(m_PickdasiCh);
    auto* frame3 = group(QStringLiteral("Frame3"), tr("音声の選択"));
    auto* f3 = new QVBoxLayout(frame3);
    m_VoiceCB = named(new QComboBox, QStringLiteral("VoiceCB"));
    m_GaitounasiL = label(QStringLiteral("GaitounasiL"), tr("該当無し"));
    f3->addWidget(m_VoiceCB);
    f3->addWidget(label(QStringLiteral("Label6"), tr("音声キャラクターを選択できます。")));
    f3->addWidget(m_GaitounasiL);
    auto* sample = group(QStringLiteral("fraSample1"), tr("区切り文字"));
    auto* fs = new QGridLayout(sample);
    auto* frame1 = group(QStringLiteral("Frame1"), tr("問題と回答の間"));
    auto* frame2 = group(QStringLiteral("Frame2"), tr("回答の間"));
    m_kugirimoziCB = named(new QComboBox, QStringLiteral("kugirimoziCB"));
    m_itigimoziCB = named(new QComboBox, QStringLiteral("itigimoziCB"));
    for (QComboBox* box : {m_kugirimoziCB, m_itigimoziCB}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setToolTip(tr("入力可能です"));
    }
    auto* f1 = new QVBoxLayout(frame1);
    f1->addWidget(m_kugirimoziCB);
    f1->addWidget(label(QStringLiteral("Label1"), tr("例) right,正しい、右の")));
    auto* f2 = new QVBoxLayout(frame2);
    f2->addWidget(m_itigimoziCB);
    f2->addWidget(label(QStringLiteral("Label3"), tr("例) right,正しい、右の")));
    fs->addWidget(frame1, 0, 0);
    fs->addWidget(frame2, 0, 1);
    fs->addWidget(
        label(QStringLiteral("Label9"), tr("問題データの区切り文字と同じにしてください。")), 1, 0,
        1, 2);
    p1->addWidget(frame5, 0, 0);
    p1->addWidget(frame4, 0, 1);
    p1->addWidget(frame3, 1, 0);
    p1->addWidget(sample, 1, 1);
    m_tabs->addTab(page1, tr("設定    "));

    // Page 2: URLs.
    auto* page2 = named(new QWidget, QStringLiteral("picOptions_2"));
    auto* p2 = new QVBoxLayout(page2);
    auto* frame9 = group(QStringLiteral("Frame9"), tr("URLの設定"));
    auto* f9 = new QVBoxLayout(frame9);
    m_Dictext = named(new QLineEdit, QStringLiteral("Dictext"));
    m_Hometext = named(new QLineEdit, QStringLiteral("Hometext"));
    f9->addWidget(label(QStringLiteral("Label7"), tr("Web辞書のURL")));
    f9->addWidget(m_Dictext);
    // Where the word on show goes in the dictionary's address.
    auto* hint = label(QStringLiteral("DictextHint"),
        tr("URLの {word} "
           "の所に表示中の単語が入ります（例：https://ejje.weblio.jp/content/{word}）"));
    hint->setWordWrap(true);
    f9->addWidget(hint);
    f9->addWidget(label(QStringLiteral("Label8"), tr("ホームページのURL")));
    f9->addWidget(m_Hometext);
    p2->addWidget(frame9);
    p2->addStretch(1);
    m_tabs->addTab(page2, QStringLiteral("Web    "));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cmdOK = named(new QPushButton(QStringLiteral("OK")), QStringLiteral("cmdOK"));
    m_cmdCancel = named(new QPushButton(tr("ｷｬﾝｾﾙ")), QStringLiteral("cmdCancel"));
    m_cmdApply = named(new QPushButton(tr("適用(&A)")), QStringLiteral("cmdApply"));
    m_cmdApply->setToolTip(tr("設定変更を適用"));
    m_cmdOK->setDefault(true);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdApply);
    layout->addLayout(buttons);

    // Ctrl+Tab goes to the next tab from anywhere in the dialog, the last back to the first.
    auto* nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    nextTab->setContext(Qt::WindowShortcut);
    connect(nextTab, &QShortcut::activated, this,
        [this] { m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % m_tabs->count()); });
    connect(m_cmdApply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] {
        if (Apply())
            reject(); // closes as Cancel does, after the options were applied
    });
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_Kkiteibtn, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    for (int i = 0; i < 2; ++i)
        connect(m_KankakuCB[i], &QComboBox::currentIndexChanged, this,
            [this, i] { updateListLabel(i); });
    connect(
        m_Longch, &QCheckBox::toggled, this, [this](bool on) { m_KankakuCB[2]->setEnabled(!on); });
    connect(m_PickdasiCh, &QCheckBox::toggled, this, [this](bool on) {
        m_Naibuop->setEnabled(on);
        m_Gaibuop->setEnabled(on);
    });
    connect(m_VoiceCB, &QComboBox::activated, this, [this] { voiceClicked(); });
}

void kugirigamen::updateListLabel(int index)
{
    m_Listlabel[index]->setText(QString::number(10 - (m_KankakuCB[index]->currentIndex() + 1)));
}

void kugirigamen::voiceClicked()
{
    if (m_VoiceCB->count() > 0 && m_VoiceCB->currentIndex() < 0)
        m_VoiceCB->setCurrentIndex(0);
    m_GaitounasiL->hide();
}

void kugirigamen::setVoices(const QStringList& voices, int firstVoice)
{
    if (m_voices && m_loaded.voicesKnown)
        return;
    m_voices = voices;
    resolveVoice(m_loaded, voices, firstVoice);
    m_VoiceCB->clear();
    m_VoiceCB->addItems(voices);
    m_VoiceCB->setCurrentIndex(m_loaded.voice);
    m_GaitounasiL->setVisible(m_loaded.voiceNotFound);
}

PropertiesValues kugirigamen::values() const
{
    PropertiesValues v = m_loaded;
    v.delimiter = m_kugirimoziCB->currentText();
    v.separator = m_itigimoziCB->currentText();
    for (int i = 0; i < 3; ++i)
        v.kankaku[size_t(i)] = m_KankakuCB[i]->currentIndex();
    v.longText = m_Longch->isChecked();
    v.typedSpeed = m_nysecch->isChecked();
    v.nextAfterMaru = m_marunextch->isChecked();
    v.showTypedText = m_screentextch->isChecked();
    v.showGetOnStart = m_PickdasiCh->isChecked();
    v.getInside = m_Naibuop->isChecked();
    for (int i = 0; i < 4; ++i)
        v.numberDisplay[size_t(i)] = m_NOch[i]->isChecked();
    v.dictionaryUrl = m_Dictext->text();
    v.homePageUrl = m_Hometext->text();
    if (v.voicesKnown) {
        v.voice = m_VoiceCB->currentIndex();
        v.voiceName = m_voices && v.voice >= 0 ? m_voices->value(v.voice) : QString();
        v.voiceNotFound = !m_GaitounasiL->isHidden();
    }
    return v;
}

bool kugirigamen::Apply()
{
    const PropertiesValues v = values();
    if (!propertiesAcceptable(v)) {
        m_platform.showMessage(
            this, tr("文字が不正です。"), MessageIcon::Warning, MessageButtons::Ok);
        m_rejected = true;
        return false;
    }
    m_rejected = false;
    writePrSection(m_settingsPath, v);
    if (onApply)
        onApply(v);
    return true;
}

void kugirigamen::restoreDefaults()
{
    m_KankakuCB[0]->setCurrentIndex(4);
    m_KankakuCB[1]->setCurrentIndex(6);
    m_KankakuCB[2]->setCurrentIndex(1);
    for (QCheckBox* box : {m_Longch, m_nysecch, m_marunextch, m_screentextch})
        box->setChecked(false);
}

} // namespace keruna
