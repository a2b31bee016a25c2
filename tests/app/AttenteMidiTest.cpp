// The wait window of a MIDI import, watched on the real main window with the real import
// dialog: what it paints while a file is read, laid out and fingered, and that it is out of
// the way of the import dialog and of a message box, and hidden whichever way the import ends;
// and what the import's boxes tell.
#include "app/DialoguesFichiersQt.h"
#include "app/FixtureFenetrePrincipale.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/MessageD.h"
#include "dialogs/WaitMIDI.h"
#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Fontes.h"
#include "midi/FabriqueMidi.h"
#include "midi/Lecture.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using midi_test::PisteSmf;

namespace {

// What the wait window put on screen, one entry each time its bar was painted with another
// text or position than the entry before.
struct Vu {
    QString Texte;
    int Position;
    bool operator==(const Vu&) const = default;
};

class Journal : public QObject {
public:
    explicit Journal(TWaitMidiForm& w) : w_(w) { w_.ProgressBar1->installEventFilter(this); }
    ~Journal() override { w_.ProgressBar1->removeEventFilter(this); }
    std::vector<Vu> Vus;
    QRect Geometrie;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            const Vu v{w_.Etat->text(), w_.ProgressBar1->value()};
            if (Vus.empty() || !(Vus.back() == v))
                Vus.push_back(v);
            Geometrie = w_.frameGeometry();
        }
        return false;
    }

private:
    TWaitMidiForm& w_;
};

// Runs `action` on the import dialog from its own message loop, each time it is shown.
class ReponseDialogue : public QObject {
public:
    ReponseDialogue(QWidget& dialogue, std::function<void()> action) : dialogue_(dialogue), action_(std::move(action))
    {
        dialogue_.installEventFilter(this);
    }
    ~ReponseDialogue() override { dialogue_.removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            QTimer::singleShot(0, &dialogue_, action_);
        return false;
    }

private:
    QWidget& dialogue_;
    std::function<void()> action_;
};

// Every message box met while it lives: its caption and text, and whether the wait window was
// out of its way; OK answers it.
class GuetBoites {
public:
    struct Boite {
        QString Legende, Texte;
        bool AttenteVisible;
    };
    std::vector<Boite> Boites;

    explicit GuetBoites(TForm1& fenetre)
    {
        QObject::connect(&guet_, &QTimer::timeout, [this, &fenetre] {
            auto* boite = qobject_cast<TMessageD*>(QApplication::activeModalWidget());
            if (!boite || !boite->isVisible())
                return;
            Boites.push_back({boite->windowTitle(), boite->Texte->text(), fenetre.WaitMidiForm().isVisible()});
            boite->BT_OK->click();
        });
        guet_.start(5);
    }

private:
    QTimer guet_;
};

class AttenteMidi : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        PreparerProgramme("English");
        TDialoguesFichiers::DefinirExecution([this](QFileDialog&) -> std::optional<QString> {
            return QString::fromStdString(fichier_.string());
        });
        OuvrirFenetre();
    }

    void TearDown() override
    {
        TDialoguesFichiers::DefinirExecution({});
        FermerFenetre();
    }

    void Importer(const std::vector<uint8_t>& octets)
    {
        fichier_ = midi_test::EcrireFichier(dossier_ / "import.mid", octets);
        // The song left is not saved.
        PartitionModifiee = false;
        QAction* a = fenetre_->findChild<QAction*>("Mn_Fichier_ImporterMIDI");
        ASSERT_TRUE(a);
        a->trigger();
    }

    TSelMIDIForm& Dialogue() { return residentes_->SelMIDIForm; }

    // A type-1 file: the tempo track, then three tracks of notes.
    static std::vector<uint8_t> TroisPistes()
    {
        PisteSmf tempo;
        tempo.Tempo(0, 500000).Signature(0, 4, 2).Fin();
        std::vector<PisteSmf> pistes{tempo};
        const char* noms[] = {"Lead", "Bass", "Keys"};
        for (int i = 0; i < 3; ++i) {
            PisteSmf p;
            p.Nom(0, noms[i]);
            for (int n = 0; n < 48; ++n)
                p.On(0, static_cast<uint8_t>(45 + i * 7 + n % 12)).Off(240, static_cast<uint8_t>(45 + i * 7 + n % 12));
            pistes.push_back(p.Fin());
        }
        return midi_test::Smf(1, 480, pistes);
    }

    fs::path fichier_;
};

QString Texte(const char* cle, const std::string& suite = {}) { return VersQString(Traduire(cle) + suite); }

} // namespace

TEST_F(AttenteMidi, AThreeTrackImportPaintsEachStepInOrderAndEndsHidden)
{
    // Nothing made at start-up: the window comes with the first import.
    EXPECT_EQ(fenetre_->findChild<TWaitMidiForm*>(), nullptr);
    TWaitMidiForm& attente = fenetre_->WaitMidiForm();
    EXPECT_TRUE(attente.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(attente.ProgressBar1->minimum(), 0);
    EXPECT_EQ(attente.ProgressBar1->maximum(), 28);
    Journal journal(attente);

    bool attenteSousDialogue = true;
    bool dialogueActif = false;
    ReponseDialogue reponse(Dialogue(), [&] {
        QCoreApplication::processEvents();
        attenteSousDialogue = attente.isVisible();
        dialogueActif = QApplication::activeWindow() == &Dialogue();
        for (int t = 1; t <= 3; ++t) {
            Dialogue().TabPiste->setCurrentIndex(t - 1);
            Dialogue().ListePiste->setCurrentRow(t - 1);
        }
        Dialogue().BT_OK->click();
    });
    Importer(TroisPistes());

    EXPECT_FALSE(attenteSousDialogue);
    EXPECT_TRUE(dialogueActif);
    EXPECT_FALSE(attente.isVisible());
    for (int t = 1; t <= 3; ++t)
        EXPECT_GT(Partition.Mesures[1]->NbTemps[t], 0) << t;

    // The texts in their order, each once.
    std::vector<QString> attendus{Texte("MidiImp-RecherchePiste")};
    for (int i = 1; i <= 3; ++i) {
        const std::string rang = " [" + std::to_string(i) + "/3]";
        attendus.push_back(Texte("MidiImp-LecturePiste", rang));
        attendus.push_back(Texte("MidiImp-CreationPartition", rang));
        attendus.push_back(Texte("MidiImp-OptimisationPlacementDoigts", rang));
    }
    std::vector<QString> textes;
    std::vector<std::vector<int>> positions;
    for (const Vu& v : journal.Vus) {
        if (textes.empty() || textes.back() != v.Texte) {
            textes.push_back(v.Texte);
            positions.emplace_back();
        }
        positions.back().push_back(v.Position);
    }
    ASSERT_EQ(textes, attendus);
    // Under each text the bar starts empty and fills to the end, never going back but for
    // the reset before the next text.
    for (std::size_t k = 0; k < positions.size(); ++k) {
        std::vector<int> p = positions[k];
        if (p.size() > 2 && p.back() == 0)
            p.pop_back();
        ASSERT_GE(p.size(), 2u) << textes[k].toStdString();
        EXPECT_EQ(p.front(), 0) << textes[k].toStdString();
        EXPECT_EQ(p.back(), 28) << textes[k].toStdString();
        for (std::size_t j = 1; j < p.size(); ++j)
            EXPECT_LT(p[j - 1], p[j]) << textes[k].toStdString() << " at " << j;
    }

    // Borderless, 295 x 74 at 96 dots per inch, centred on the screen.
    EXPECT_EQ(journal.Geometrie.size(), QSize(Pixels96(295), Pixels96(74)));
    const QRect ecran = fenetre_->screen()->geometry();
    EXPECT_LE(std::abs(journal.Geometrie.center().x() - ecran.center().x()), 1);
    EXPECT_LE(std::abs(journal.Geometrie.center().y() - ecran.center().y()), 1);
}

TEST_F(AttenteMidi, HiddenAfterARefusedFileAndAfterCancelInTheDialog)
{
    // A refused file: the message comes with the wait window out of the way, and it stays so.
    bool attenteSousMessage = true;
    int messages = 0;
    const AfficheurMessages precedent = InstallerAfficheurMessages([&](const MessageAffiche&) {
        ++messages;
        attenteSousMessage = fenetre_->WaitMidiForm().isVisible();
        return ResultatOK;
    });
    Importer({'n', 'o', 't', ' ', 'M', 'I', 'D', 'I'});
    EXPECT_EQ(messages, 1);
    EXPECT_FALSE(attenteSousMessage);
    EXPECT_FALSE(fenetre_->WaitMidiForm().isVisible());
    InstallerAfficheurMessages(precedent);

    // Cancel in the import dialog, after the window showed the track search.
    TWaitMidiForm& attente = fenetre_->WaitMidiForm();
    Journal journal(attente);
    bool attenteSousDialogue = true;
    ReponseDialogue reponse(Dialogue(), [&] {
        attenteSousDialogue = attente.isVisible();
        Dialogue().BT_Annuler->click();
    });
    Importer(TroisPistes());
    ASSERT_FALSE(journal.Vus.empty());
    EXPECT_EQ(journal.Vus.back(), (Vu{Texte("MidiImp-RecherchePiste"), 28}));
    EXPECT_FALSE(attenteSousDialogue);
    EXPECT_FALSE(attente.isVisible());
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
}

TEST_F(AttenteMidi, AMessageBoxRaisedDuringAnImportTakesTheKeyboard)
{
    InstallerMessageD();
    fenetre_->TexteAttenteMidi(Traduire("MidiImp-LecturePiste").c_str());
    fenetre_->MontrerAttenteMidi(true);
    fenetre_->RedessinerAttenteMidi();
    TWaitMidiForm& attente = fenetre_->WaitMidiForm();
    ASSERT_TRUE(attente.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), fenetre_.get());

    QWidget* boite = nullptr;
    bool focusDansBoite = false;
    bool boiteActive = false;
    QTimer::singleShot(0, [&] {
        QCoreApplication::processEvents();
        boite = QApplication::activeModalWidget();
        QWidget* focus = QApplication::focusWidget();
        focusDansBoite = boite && focus && focus->window() == boite;
        boiteActive = boite && QApplication::activeWindow() == boite;
        // Enter goes to the window that has the keyboard: the box's default button.
        if (focus) {
            QKeyEvent appui(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(focus, &appui);
            QKeyEvent relache(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(focus, &relache);
        }
        if (QApplication::activeModalWidget() == boite && boite)
            static_cast<QDialog*>(boite)->reject();
    });
    const int r = AfficherMessage(Traduire("Dlg-Erreur"), "x", IconeErreur, BoutonOK | BoutonAnnuler, DefautOK,
                                  PlacementCentre);
    ASSERT_NE(boite, nullptr);
    EXPECT_NE(boite, &attente);
    EXPECT_TRUE(focusDansBoite);
    EXPECT_TRUE(boiteActive);
    EXPECT_EQ(r, ResultatOK);
    EXPECT_TRUE(attente.isVisible());
    fenetre_->MontrerAttenteMidi(false);
    EXPECT_FALSE(attente.isVisible());
    InstallerAfficheurMessages({});
}

TEST_F(AttenteMidi, TheBoxesOfAnImportTellADamagedFileAndTheNotesLeftOut)
{
    InstallerMessageD();
    GuetBoites guet(*fenetre_);
    std::vector<GuetBoites::Boite>& boites = guet.Boites;
    int dialogues = 0;
    ReponseDialogue reponse(Dialogue(), [&] {
        ++dialogues;
        Dialogue().ListePiste->setCurrentRow(0);
        Dialogue().BT_OK->click();
    });

    // A format-0 file cut in its last note-off.
    PisteSmf coupee;
    coupee.On(0, 64).Off(480, 64).On(0, 67).Off(480, 67).Fin();
    std::vector<uint8_t> octets = midi_test::Smf(0, 480, {coupee});
    octets.resize(octets.size() - 6);
    Importer(octets);
    ASSERT_EQ(boites.size(), 1u);
    EXPECT_EQ(boites[0].Legende, "Error");
    EXPECT_EQ(boites[0].Texte, "This MIDI file is damaged (cut short, or with bytes that do not follow the MIDI format) "
                               "and cannot be imported.");
    EXPECT_EQ(dialogues, 0);

    // A note below the low E in measure 1, and in measure 2 a chord of two notes only the
    // low E string plays.
    boites.clear();
    PisteSmf tempo;
    tempo.Signature(0, 4, 2).Fin();
    PisteSmf notes;
    notes.On(0, 30).On(0, 52).Off(1920, 30).Off(0, 52).On(0, 40).On(0, 41).Off(1920, 40).Off(0, 41).Fin();
    Importer(midi_test::Smf(1, 480, {tempo, notes}));
    EXPECT_EQ(dialogues, 1);
    ASSERT_EQ(boites.size(), 1u);
    EXPECT_EQ(boites[0].Legende, "Warning");
    EXPECT_EQ(boites[0].Texte,
              "1 note(s) from bar 1 on are out of reach of the strings (below the lowest open string or above the highest "
              "fret) and were left out.\n"
              "Tracks concerned: 1. In the import dialog, a lower tuning brings low notes within reach, and 'One octave "
              "lower' high notes.\n\n"
              "1 note(s) from bar 2 on were left out: they sound together with other notes and no string able to play "
              "them was left free.");
    EXPECT_FALSE(boites[0].AttenteVisible);
    // The notes that could be played are in the song the window shows.
    const auto sons = [](int mesure) {
        std::vector<int> h;
        const TTemps& tp = Partition.Mesures[mesure]->Temps[1][1];
        for (int s = 1; s <= Partition.NbCordes[1]; ++s)
            if (tp.Notes[s].Frette >= 0)
                h.push_back(Partition.Accordage[1][s] + tp.Notes[s].Frette);
        return h;
    };
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(sons(1), std::vector<int>{52});
    EXPECT_EQ(sons(2).size(), 1u);
    InstallerAfficheurMessages({});
}

// Files the import cannot take whole. Of a format-1 file cut short, or announcing more tracks
// than it holds, the dialog offers the tracks held whole and the warning tells what was left
// out; a file with no such track, or whose times are not in ticks per quarter note, is refused
// with what is wrong with it.
TEST_F(AttenteMidi, ADamagedFileImportsTheTracksItHoldsWholeAndTellsWhatItLeftOut)
{
    InstallerMessageD();
    PisteSmf tempo;
    tempo.Signature(0, 4, 2).Fin();
    PisteSmf lead;
    lead.Nom(0, "Lead").On(0, 64).Off(1920, 64).Fin();
    PisteSmf leadHorsTessiture;
    leadHorsTessiture.Nom(0, "Lead").On(0, 64).Off(1920, 64).On(0, 30).Off(1920, 30).Fin();
    PisteSmf bass;
    bass.Nom(0, "Bass").On(0, 40).Off(1920, 40).Fin();
    const auto coupe = [](std::vector<uint8_t> o, std::size_t moins) {
        o.resize(o.size() - moins);
        return o;
    };
    std::vector<uint8_t> smpte = midi_test::Smf(1, 480, {tempo, lead});
    smpte[12] = 0xE7; // 25 frames a second
    smpte[13] = 40;
    const QString endommage = "This MIDI file is damaged (cut short, or announcing more tracks than it holds). Tracks that "
                              "could not be read whole and were left out: ";
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        QStringList sources; // the dialog's lines; none: it is not shown
        QString legende, texte;
    };
    const Cas cas[] = {
        {"four sources announced, two held", midi_test::Smf(1, 480, {tempo, lead, bass}, 5), {"Lead", "Bass"}, "Warning",
         endommage + "3, 4."},
        {"cut in the last note-off, six sources announced", coupe(midi_test::Smf(1, 480, {tempo, lead, bass}, 7), 5),
         {"Lead"}, "Warning", endommage + "2-6."},
        {"cut in the last note-off, and a note out of reach", coupe(midi_test::Smf(1, 480, {tempo, leadHorsTessiture, bass}), 5),
         {"Lead"}, "Warning",
         endommage + "2.\n\n"
             "1 note(s) from bar 2 on are out of reach of the strings (below the lowest open string or above the highest "
             "fret) and were left out.\n"
             "Tracks concerned: 1. In the import dialog, a lower tuning brings low notes within reach, and 'One octave "
             "lower' high notes."},
        {"its only source cut", coupe(midi_test::Smf(1, 480, {tempo, lead}), 5), {}, "Error",
         "This MIDI file is damaged (cut short, or with bytes that do not follow the MIDI format) and cannot be imported."},
        {"SMPTE time code", smpte, {}, "Error",
         "This MIDI file counts its time in frames of a time code (SMPTE), not in ticks per quarter note: its notes cannot "
         "be set in bars, and it cannot be imported."},
        {"0 ticks per quarter note", midi_test::Smf(1, 0, {tempo, lead}), {}, "Error",
         "The header of this MIDI file gives 0 ticks per quarter note: the lengths of its notes cannot be known, and it "
         "cannot be imported."},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        GuetBoites guet(*fenetre_);
        QStringList sources;
        int dialogues = 0;
        ReponseDialogue reponse(Dialogue(), [&] {
            ++dialogues;
            for (int i = 0; i < Dialogue().ListePiste->count(); ++i)
                sources << Dialogue().ListePiste->item(i)->text();
            Dialogue().ListePiste->setCurrentRow(0);
            Dialogue().BT_OK->click();
        });
        Importer(c.octets);
        EXPECT_EQ(dialogues, c.sources.isEmpty() ? 0 : 1);
        EXPECT_EQ(sources, c.sources);
        ASSERT_EQ(guet.Boites.size(), 1u);
        EXPECT_EQ(guet.Boites[0].Legende, c.legende);
        EXPECT_EQ(guet.Boites[0].Texte, c.texte);
        EXPECT_FALSE(guet.Boites[0].AttenteVisible);
        EXPECT_FALSE(fenetre_->WaitMidiForm().isVisible());
        // The first track held whole is in the song the window shows.
        if (c.sources.isEmpty()) {
            EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
            continue;
        }
        const TTemps& premier = Partition.Mesures[1]->Temps[1][1];
        std::vector<int> sons;
        for (int s = 1; s <= Partition.NbCordes[1]; ++s)
            if (premier.Notes[s].Frette >= 0 && !premier.Silence)
                sons.push_back(Partition.Accordage[1][s] + premier.Notes[s].Frette);
        EXPECT_EQ(sons, std::vector<int>{64});
    }
    InstallerAfficheurMessages({});
}

namespace {

// What a track of the song sounds in a measure: the pitches of each beat, lowest first, a rest
// giving none.
std::vector<std::vector<int>> SonsMesure(int piste, int mesure)
{
    std::vector<std::vector<int>> r;
    const TMesure& ms = *Partition.Mesures[mesure];
    for (int b = 1; b <= ms.NbTemps[piste]; ++b) {
        const TTemps& tp = ms.Temps[piste][b];
        std::vector<int> sons;
        for (int s = Partition.NbCordes[piste]; s >= 1 && !tp.Silence; --s)
            if (tp.Notes[s].Frette >= 0)
                sons.push_back(Partition.Accordage[piste][s] + tp.Notes[s].Frette);
        std::sort(sons.begin(), sons.end());
        r.push_back(sons);
    }
    return r;
}

// Whole notes, one after the other, each a chord of the pitches given, after what `debut`
// holds already.
PisteSmf Accords(PisteSmf debut, const std::vector<std::vector<uint8_t>>& accords)
{
    for (const std::vector<uint8_t>& a : accords) {
        for (uint8_t h : a)
            debut.On(0, h);
        for (std::size_t i = 0; i < a.size(); ++i)
            debut.Off(i == 0 ? 1920 : 0, a[i]);
    }
    return debut.Fin();
}

} // namespace

// The first track of a format-1 file holds the tempo and the time signatures; when it plays
// notes too, the dialog offers them like those of any other track, numbering the tracks from
// it, and each goes onto the song track the user maps it to.
TEST_F(AttenteMidi, TheNotesOfTheFirstTrackAreOfferedAndImportedLikeThoseOfTheOthers)
{
    InstallerMessageD();
    PisteSmf tempo;
    tempo.Tempo(0, 600000).Signature(0, 4, 2);
    PisteSmf gammeHaute;
    gammeHaute.Nom(0, "Scale 2");
    for (uint8_t h : {72, 74, 76, 77})
        gammeHaute.On(0, h).Off(480, h);
    gammeHaute.Fin();
    PisteSmf tempoNomme = tempo;
    tempoNomme.Nom(0, "Chords");
    using Sons = std::vector<std::vector<int>>;
    struct Cas {
        const char* nom;
        std::vector<PisteSmf> pistes;
        int nbPistes; // announced by the header; -1: those given
        QStringList sources;
        std::vector<Sons> sons; // of song tracks 1, 2, ... mapped to lines 1, 2, ...
        QString avertissement;  // none: no box
    };
    const Cas cas[] = {
        {"a tempo track without notes", {Accords(tempo, {}), gammeHaute}, -1, {"Scale 2"}, {{{72}, {74}, {76}, {77}}}, {}},
        {"two scales, the first in the tempo track",
         {[&] {
              PisteSmf p = tempo;
              for (uint8_t h : {60, 62, 64, 65})
                  p.On(0, h).Off(480, h);
              return p.Fin();
          }(),
          gammeHaute},
         -1,
         {"Track 01", "Scale 2"},
         {{{60}, {62}, {64}, {65}}, {{72}, {74}, {76}, {77}}},
         {}},
        {"three chords in three tracks, the first in the tempo track",
         {Accords(tempoNomme, {{48, 52, 55}}), Accords({}, {{43, 47, 50}}), Accords({}, {{45, 52, 57}})}, -1,
         {"Chords", "Track 02", "Track 03"},
         {{{48, 52, 55}}, {{43, 47, 50}}, {{45, 52, 57}}},
         {}},
        // The numbers the damaged file's warning gives are the dialog's.
        {"the tempo track plays, and the file ends before its one other track",
         {Accords(tempo, {{64}})}, 2, {"Track 01"}, {{{64}}},
         "This MIDI file is damaged (cut short, or announcing more tracks than it holds). Tracks that could not be "
         "read whole and were left out: 2."},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        GuetBoites guet(*fenetre_);
        QStringList sources;
        ReponseDialogue reponse(Dialogue(), [&] {
            for (int i = 0; i < Dialogue().ListePiste->count(); ++i) {
                sources << Dialogue().ListePiste->item(i)->text();
                Dialogue().TabPiste->setCurrentIndex(i);
                Dialogue().ListePiste->setCurrentRow(i);
            }
            Dialogue().BT_OK->click();
        });
        Importer(midi_test::Smf(1, 480, c.pistes, c.nbPistes));
        EXPECT_EQ(sources, c.sources);
        EXPECT_EQ(Partition.Tempo, 100) << "the first track keeps the tempo";
        for (std::size_t t = 0; t < c.sons.size(); ++t)
            EXPECT_EQ(SonsMesure(static_cast<int>(t) + 1, 1), c.sons[t]) << "track " << t + 1;
        if (c.avertissement.isEmpty()) {
            EXPECT_TRUE(guet.Boites.empty());
            continue;
        }
        ASSERT_EQ(guet.Boites.size(), 1u);
        EXPECT_EQ(guet.Boites[0].Texte, c.avertissement);
    }
    InstallerAfficheurMessages({});
}

// The warning on notes out of reach names every song track that lost some, the drums too; the
// hint on the dialog's tuning and octave choice comes when a track of strings is among them.
TEST_F(AttenteMidi, TheWarningOnNotesOutOfReachNamesEveryTrackConcerned)
{
    InstallerMessageD();
    PisteSmf tempo;
    tempo.Signature(0, 4, 2).Fin();
    const QString horsTessiture = "note(s) from bar 1 on are out of reach of the strings (below the lowest open string "
                                  "or above the highest fret) and were left out.\n";
    const QString conseil = ". In the import dialog, a lower tuning brings low notes within reach, and 'One octave "
                            "lower' high notes.";
    struct Cas {
        const char* nom;
        std::vector<PisteSmf> sources;
        std::vector<int> pistes; // the song track of each source
        QString texte;
    };
    const Cas cas[] = {
        {"a drum note and a guitar note", {Accords({}, {{36}, {100}}), Accords({}, {{30}, {64}})}, {kPistePercussions, 1},
         "2 " + horsTessiture + "Tracks concerned: 1, 8" + conseil},
        {"drum notes alone", {Accords({}, {{100, 38}, {127}})}, {kPistePercussions},
         "2 " + horsTessiture + "Tracks concerned: 8."},
        {"two guitars", {Accords({}, {{30}}), Accords({}, {{100}})}, {2, 3},
         "2 " + horsTessiture + "Tracks concerned: 2, 3" + conseil},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        GuetBoites guet(*fenetre_);
        ReponseDialogue reponse(Dialogue(), [&] {
            for (std::size_t i = 0; i < c.pistes.size(); ++i) {
                Dialogue().TabPiste->setCurrentIndex(c.pistes[i] - 1);
                Dialogue().ListePiste->setCurrentRow(static_cast<int>(i));
            }
            Dialogue().BT_OK->click();
        });
        std::vector<PisteSmf> pistes{tempo};
        pistes.insert(pistes.end(), c.sources.begin(), c.sources.end());
        Importer(midi_test::Smf(1, 480, pistes));
        ASSERT_EQ(guet.Boites.size(), 1u);
        EXPECT_EQ(guet.Boites[0].Legende, "Warning");
        EXPECT_EQ(guet.Boites[0].Texte, c.texte);
    }
    InstallerAfficheurMessages({});
}
