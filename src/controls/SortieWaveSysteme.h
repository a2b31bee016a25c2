#pragma once
// The program's wave output: the sound server's default device through the audio module, or
// a WAV file when $LYRX_AUDIO_DRIVER is "file", or nothing when it is "none" or there is no
// device.
//
// Opening the device costs the start of the program dearly (the audio libraries and their
// server connection), so an output created closed keeps the last sound asked for until it is
// opened; the program opens it once its main window has been painted. The module itself is
// loaded off the interface thread.
#include "controls/UWave.h"

#include <QObject>

#include <memory>
#include <string>
#include <thread>

class ISortieAudio;

class TSortieWaveSysteme final : public ISortieWave {
public:
    // `ouverte` false: sounds wait for Ouvrir(). The driver is read from the environment.
    explicit TSortieWaveSysteme(bool ouverte = true);
    ~TSortieWaveSysteme() override;

    void Jouer(std::shared_ptr<const std::vector<uint8_t>> octets, const TFormatWave& format) override;
    void Arreter() override;
    bool Termine() const override;

    // Lets the sounds reach the device, starting the one waiting if any.
    void Ouvrir();

    // Where the "file" driver writes: beside the temporary MIDI file.
    static std::string FichierSortie();
    // The audio module's file, or empty when none is found.
    static std::string CheminModule();

private:
    struct Son {
        std::vector<int16_t> echantillons;
        int canaux = 1;
        int frequence = 22050;
        // A sound given to the closed output: its wave, made into samples at the opening.
        std::shared_ptr<const std::vector<uint8_t>> octets;
        TFormatWave format;
    };
    void Lancer();
    void ModuleCharge(ISortieAudio* (*creer)());

    std::string pilote_;
    bool ouverte_ = true;
    std::unique_ptr<Son> enAttente_;
    std::unique_ptr<ISortieAudio> sortie_;
    bool chargementLance_ = false;
    bool moduleAbsent_ = false;
    std::thread chargement_;
    std::unique_ptr<QObject> contexte_;
};
