#pragma once
// The dialogs of playback and exchange (speed trainer, mix table, instrument chooser, MIDI
// import) over the dialogs' fixture, with what playback needs besides: the command states
// kept by name (nothing playing), a scripted media player whose posted notifications run when
// pending messages are let through, the temporary MIDI file in a folder of the test's own,
// and the messages recorded instead of shown.
#include "FixtureDialogues.h"

#include "document/Mess.h"
#include "midi/Lecture.h"
#include "platform/LecteurMediaFactice.h"
#include "support/DossierTemporaire.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class FenetreLectureDialogues : public FenetreDialogues {
public:
    platform::LecteurMediaFactice* Lecteur = nullptr;
    std::map<std::string, bool> Actives{{"Ac_Son_Stop", false}};
    // The import dialog's audition, as the real window forwards it.
    std::function<bool()> AuditionImport;
    std::function<bool()> RelanceImport;
    std::function<bool()> DialogueImport;
    bool Solfege = false, Percussion = false, Dyna = false;

    bool CommandeActive(const char* nom) override
    {
        const auto it = Actives.find(nom);
        return it == Actives.end() || it->second;
    }
    void ActiverCommande(const char* nom, bool actif) override
    {
        Actives[nom] = actif;
        Appels.push_back(std::string("ActiverCommande(") + nom + (actif ? ",1)" : ",0)"));
    }
    void TraiterMessagesEnAttente() override
    {
        FenetreDialogues::TraiterMessagesEnAttente();
        if (Lecteur)
            Lecteur->LivrerNotifications();
    }
    void FermerPalettes(bool& s, bool& p, bool& d) override
    {
        s = Solfege;
        p = Percussion;
        d = Dyna;
        Solfege = Percussion = Dyna = false;
        Appels.push_back("FermerPalettes");
    }
    void AfficherAideDialogue(int contexte) override
    {
        Appels.push_back("AfficherAideDialogue(" + std::to_string(contexte) + ")");
    }
    bool AuditionImportEnCours() override { return AuditionImport && AuditionImport(); }
    bool RelancerAuditionImport() override { return RelanceImport && RelanceImport(); }
    bool DialogueImportMidi() override { return DialogueImport && DialogueImport(); }
};

class FixtureLectureDialogues : public FixtureDialogues {
protected:
    FenetreLectureDialogues fenetreLecture;
    platform::LecteurMediaFactice lecteurMedia;
    std::vector<MessageAffiche> messages;
    std::filesystem::path dossier;
    std::optional<lyrx_test::VariableEnvironnement> windows; // LYRX_WINDOWS_DIR, on `dossier`

    void SetUp() override
    {
        FixtureDialogues::SetUp();
        fenetreLecture.Lecteur = &lecteurMedia;
        InstallerFenetrePrincipale(&fenetreLecture);
        InstallerMediaPlayer(&lecteurMedia);
        ancienAfficheur_ = InstallerAfficheurMessages([this](const MessageAffiche& m) {
            messages.push_back(m);
            return ResultatOK;
        });
        dossier = lyrx_test::DossierDuTest();
        windows.emplace("LYRX_WINDOWS_DIR", dossier.string());
        MidiDisponible = true;
        LectureTemps = ArretDemande = ArretDemandeClic = DialogueAccordOuvert = false;
        SolfegeOuvert = PercussionOuvert = DynaOuvert = false;
    }

    void TearDown() override
    {
        InstallerMediaPlayer(nullptr);
        InstallerAfficheurMessages(ancienAfficheur_);
        windows.reset();
        MidiDisponible = false;
        SpeedTrainerActif = false;
        EtatLecture = TEtatLecture{};
        FixtureDialogues::TearDown();
    }

    // What the user does inside a modal dialog, run once its event loop turns.
    static void PendantModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

    // A mouse press or release on a button (press starts a held repeat, release clicks).
    static void Presser(QAbstractButton* b)
    {
        const QPointF centre(b->width() / 2.0, b->height() / 2.0);
        QMouseEvent e(QEvent::MouseButtonPress, centre, b->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(b, &e);
    }
    static void Relacher(QAbstractButton* b)
    {
        const QPointF centre(b->width() / 2.0, b->height() / 2.0);
        QMouseEvent e(QEvent::MouseButtonRelease, centre, b->mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(b, &e);
    }

private:
    AfficheurMessages ancienAfficheur_;
};
