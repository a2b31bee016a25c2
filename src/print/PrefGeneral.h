#pragma once
// The General page of the preferences: starting music, scrolling during playback, metronome
// and count-in, what playback and MIDI export render, the bend range and the bass in chord
// names. Nothing reaches the options before OK.
#include "print/PrefPage.h"

#include <string>

class QGroupBox;
class TFilenameEdit;

class TPagePrefGeneral : public TPagePreferences {
public:
    explicit TPagePrefGeneral(QWidget* parent);

    QGroupBox* StartingMusic = nullptr;
    QRadioButton* Music_LX = nullptr;
    QRadioButton* Music_WAV = nullptr;
    QRadioButton* Music_Rien = nullptr;
    // The wave file, with its browse button inside; enabled only with Music_WAV checked.
    TFilenameEdit* Music_File = nullptr;

    QGroupBox* GroupScrolling = nullptr;
    QRadioButton* ScrollingScreen = nullptr;
    QRadioButton* ScrollingLine = nullptr;

    QGroupBox* GroupMetronome = nullptr;
    QLabel* Lab_Volume = nullptr;
    QSlider* MetronomeVolume = nullptr;
    QCheckBox* MetronomeDuringScore = nullptr;
    QCheckBox* FirstBarMetronome = nullptr;
    QCheckBox* DifferentMetronomeFirstSound = nullptr;
    QCheckBox* AlwaysUseMetronomeSpeedTrainer = nullptr;

    QGroupBox* GroupPlay = nullptr;
    QCheckBox* PlayEffects = nullptr;
    QCheckBox* PlayRepeats = nullptr;
    QGroupBox* GroupExport = nullptr;
    QCheckBox* ExportEffects = nullptr;
    QCheckBox* ExportRepeats = nullptr;

    QGroupBox* BendConfig = nullptr;
    QCheckBox* LimitBend = nullptr;
    QLabel* LibBendConfig = nullptr;

    QGroupBox* GroupChord = nullptr;
    QCheckBox* AlwaysAddBass = nullptr;

    QPushButton* GeneralDefault = nullptr;

    // The page from the options, and back.
    void Charger(const TValeursGeneral& valeurs);
    TValeursGeneral Lire() const;

    void GeneralDefaultClick();
    // The path of the wave file as the options keep it: a name the edit shows quoted (it holds
    // a blank) without its quotes, since the splash window opens the file by this name.
    std::string CheminMusique() const;

private:
    void ActiverMusicFile();

    QButtonGroup* musiques_ = nullptr;
    QButtonGroup* defilements_ = nullptr;
};
