#pragma once
// The start-up window: a picture and the starting music while the program starts. It hides
// once the main window has said it is ready and four seconds have passed since it was created,
// and releases itself when its music is over. The user cannot close it.
//
// Its times are measured on a steady clock that tests may replace; the built-in tune plays
// through its wave component, a wave file through its player (print/SonDemarrage.h), never
// through the program's MIDI player.
#include "print/Services.h"
#include "controls/GifQt.h"
#include "controls/UWave.h"
#include "print/SonDemarrage.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

class TSplashForm : public QWidget, public ISplash {
    Q_OBJECT

public:
    // Milliseconds of a steady clock.
    using Horloge = std::function<int64_t()>;

    // The window's creation: takes the time and starts the music chosen in the configuration
    // (1 the built-in tune, 2 the wave file StartingFile, anything else none). Without a
    // player, the FluidSynth one; without a clock, the steady clock.
    explicit TSplashForm(std::unique_ptr<ILecteurWave> lecteur = nullptr, Horloge horloge = {});
    ~TSplashForm() override;

    TGIFPicture* Image1 = nullptr; // the program folder's Splash.gif
    TWave Wave1;                   // the built-in tune (Splash.wav), played through the wave output
    QTimer* Timer1 = nullptr; // 100 ms, running from creation

    // Shows the window and paints it at once, before the main window is built.
    void Montrer() override;

    // One tick of Timer1: hides the window once the program is ready and more than 4 s have
    // passed, then releases it (deleteLater) once its music is over.
    void Timer1Timer();

    bool MusiqueTerminee() const { return musiqueTerminee_; }
    // The starting music setting read at creation.
    int32_t Musique() const { return musique_; }

    // The picture of the program folder, read into `gif`; left empty when it cannot be read.
    static void ChargerImage(TGIFImage& gif);

protected:
    void closeEvent(QCloseEvent* e) override;
    // While the window is shown, every dialog and message box of the program opens above it.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void FormCreate();
    int64_t Ecoule() const;

    std::unique_ptr<ILecteurWave> lecteur_;
    Horloge horloge_;
    int64_t heureDebut_ = 0;
    int32_t musique_ = 3;
    bool musiqueTerminee_ = false;
};

// The program block's splash: created (its music starting), installed as Splash() for the
// main window to mark it ready, and taken out again when it is released. Call Splash().Montrer()
// afterwards, before the main window is created.
TSplashForm* CreerSplash();
