#pragma once

#include "app/mainstate.h"

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

// The options Apply puts in force.
struct PropertiesApplied {
    AppliedOptions options;
    bool typedSpeedMode = false;
    bool voiceListEmpty = true;
};

// The properties dialog: delimiter and meaning separator, time shares and spacing,
// typed speeds, number display, where the GET list lives, the voice and the URLs. It
// reads the PR section when it is created, and Apply writes it back and puts it in force.
class kugirigamen : public QDialog {
public:
    // voices: nullopt while the speech engine is still starting (see setVoices).
    kugirigamen(QString settingsPath, std::optional<QStringList> voices, Platform& platform,
        QWidget* parent = nullptr);

    // The voice list, once the speech engine knows it: the stored choice is selected.
    void setVoices(const QStringList& voices);

    // Receives the options whenever Apply accepted them.
    std::function<void(const PropertiesApplied&)> onApply;
    // Set when the URLs read at creation should be in force at once.
    std::function<void(const QString& dictionary, const QString& home)> onUrlsRead;

    // Reads the PR section (creation). True when every value could be used; otherwise
    // the dialog has written its whole state back.
    bool Load();
    // Validates and applies; false (with the warning shown) when the delimiter or the
    // separator is empty or "ERROR".
    bool Apply();
    void WritePrSection();
    void restoreDefaults();
    bool rejected() const { return m_rejected; }
    // The options as the controls hold them now.
    PropertiesApplied current() const;

private:
    void build();
    void voiceClicked();
    void updateListLabel(int index);

    QString m_settingsPath;
    std::optional<QStringList> m_voices;
    int m_storedVoice = 0; // VOICECHARA as read, kept while the voice list is unknown
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
