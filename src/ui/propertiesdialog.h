#pragma once

#include "ui/properties.h"

#include <QCoreApplication>
#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace keruna {

class Platform;

// The properties dialog: delimiter and meaning separator, time shares and spacing,
// typed speeds, number display, where the GET list lives, the voice and the URLs. It shows
// the values the main screen has loaded from the PR section; Apply writes them back and
// puts them in force.
class kugirigamen : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(kugirigamen)

public:
    // voices: nullopt while the speech engine is still starting (see setVoices).
    kugirigamen(const PropertiesValues& values, std::optional<QStringList> voices,
        QString settingsPath, Platform& platform, QWidget* parent = nullptr);

    // Receives the values whenever Apply accepted them.
    std::function<void(const PropertiesValues&)> onApply;

    // The voice list, once the speech engine knows it.
    void setVoices(const QStringList& voices, int firstVoice = 0);
    // Validates, writes the PR section and puts the values in force; false (with the
    // warning shown) when the delimiter or the separator is empty or "ERROR".
    bool Apply();
    void restoreDefaults();
    bool rejected() const { return m_rejected; }
    // The values as the controls hold them now.
    PropertiesValues values() const;

private:
    void build();
    void fill(const PropertiesValues& values);
    void voiceClicked();
    void updateListLabel(int index);

    QString m_settingsPath;
    std::optional<QStringList> m_voices;
    PropertiesValues m_loaded; // what the dialog was opened with
    Platform& m_platform;
    bool m_rejected = false;

    QTabWidget* m_tabs = nullptr;
    QCheckBox* m_screentextch = nullptr;
    QCheckBox* m_nysecch = nullptr;
    QCheckBox* m_marunextch = nullptr;
    QPushButton* m_Kkiteibtn = nullptr;
    QList<QComboBox*> m_KankakuCB;
    QList<QLabel*> m_Listlabel;
    QCheckBox* m_Longch = nullptr;
    QList<QCheckBox*> m_NOch;
    QRadioButton* m_Naibuop = nullptr;
    QRadioButton* m_Gaibuop = nullptr;
    QCheckBox* m_PickdasiCh = nullptr;
    QComboBox* m_VoiceCB = nullptr;
    QLabel* m_GaitounasiL = nullptr;
    QComboBox* m_kugirimoziCB = nullptr;
    QComboBox* m_itigimoziCB = nullptr;
    QLineEdit* m_Dictext = nullptr;
    QLineEdit* m_Hometext = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdApply = nullptr;
};

// Where the dialog goes: the main window's top left, pulled back onto the screen, with
// 550 twips kept free at the bottom. All values in twips.
QPoint propertiesPosition(QPoint mainTopLeft, QSize dialogSize, QSize screenSize);

} // namespace keruna
