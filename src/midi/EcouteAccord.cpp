#include "midi/EcouteAccord.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "midi/FichierEcoute.h"
#include "midi/Lecture.h"
#include "midi/uMIDIPile.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

std::vector<uint8_t> GenererMidiAccord(const TAccord& accord, const OneBased<int32_t, kNbCordesMax>& accordage,
                                       int32_t programme)
{
    std::vector<uint8_t> corps = {0xFF, 0x21, 0x01, 0x00,
                                  0x00, 0xFF, 0x20, 0x01, 0x00};
    AjouterNomLogiciel(corps);
    AjouterOctets(corps, {0x00, 0xB0, 0x07, 0x7F,
                               0x00, 0xB0, 0x5D, 0x00,
                               0x00, 0xB0, 0x5B, 0x00,
                               0x00, 0xB0, 0x0A, 0x40,
                               0x00, 0xC0, static_cast<uint8_t>(std::clamp<int32_t>(programme, 0, 127)),
                               0x00});

    // A pitch of 128 or more would be read as a status byte and break the rest of the file.
    std::vector<uint8_t> notes;
    for (int s = kNbCordesMax; s >= 1; --s) {
        const int32_t f = accord.Frettes[s];
        if (f < 0)
            continue;
        const int64_t hauteur = static_cast<int64_t>(accordage[s]) + f;
        if (hauteur >= 0 && hauteur <= 127)
            notes.push_back(static_cast<uint8_t>(hauteur));
    }

    uint8_t delta = 60;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        AjouterOctets(corps, {0x90, notes[i], 0x7F});
        if (i + 1 < notes.size()) {
            corps.push_back(delta);
            delta = static_cast<uint8_t>(delta - 5);
        }
    }
    if (!notes.empty())
        AjouterOctets(corps, {0x83, 0x01}); // 385 ticks
    for (uint8_t n : notes)
        AjouterOctets(corps, {0x80, n, 0x50, 0x00});
    AjouterOctets(corps, {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> o = EnTeteEcoute();
    AjouterPisteEcoute(o, corps);
    return o;
}

bool EcrireMidiAccord(const std::string& fichier)
{
    const int32_t piste = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    const std::vector<uint8_t> octets =
        GenererMidiAccord(AccordTravail, Partition.Accordage[piste], Partition.Instrument[piste]);
    // A file that could not be written whole is not played either.
    return EcrireFichierEcoute(fichier, octets);
}

void EcouterAccord()
{
    if (!MidiDisponible)
        return;
    platform::LecteurMedia& mp = MediaPlayer1();
    // On while the last chord plays: the end of play, heard while the dialog is open, turns it off.
    if (mp.Notify())
        return;

    mp.SetNotify(false);
    mp.Close();
    FenetrePrincipale().TraiterMessagesEnAttente();
    const std::string fichier = CheminFichierTemp();
    if (!EcrireMidiAccord(fichier))
        return;

    if (!JouerFichierEcoute(mp, fichier)) {
        // A play that never started sends no end of play: left on, the flag would keep the
        // button silent for as long as the dialog stays open.
        if (!mp.NotificationPending())
            mp.SetNotify(false);
    }
}
