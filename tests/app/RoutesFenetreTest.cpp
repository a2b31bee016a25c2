// The roads a user takes through the real main window: keys typed into it, its buttons, menus
// and file dialogs, the score view's clicks, the language menu and a playback, each checked in
// the song and on the window's controls.
#include "support/ChansonBends.h"
#include "app/CommandesFichier.h"
#include "app/DialoguesFichiersQt.h"
#include "dialogs/DialoguesEdition.h"
#include "app/Main.h"
#include "app/Programme.h"
#include "app/Image.h"
#include "app/VuePartition.h"
#include "controls/CxEdit.h"
#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/FichierPartition.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/ReelCompact.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "editor/Fontes.h"
#include "editor/Pistes.h"
#include "editor/Scrolling.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "platform/FileReplacement.h"
#include "platform/LecteurMedia.h"
#include "print/Services.h"
#include "support/DossierTemporaire.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A media player that plays nothing but ends its plays through the event loop, as the real
// one does: a stop is seen by whoever lets pending messages run next.
class LecteurBoucle final : public platform::LecteurMedia {
public:
    bool Open() override
    {
        Close();
        ouvert_ = fs::exists(FileName());
        return ouvert_;
    }
    void Close() override
    {
        if (!ouvert_)
            return;
        TerminerNotification(Fin::Interrompue);
        ouvert_ = false;
    }
    bool Play() override
    {
        if (!ouvert_)
            return false;
        ArmerNotification();
        ++Lectures;
        return true;
    }
    void Stop() override { TerminerNotification(Fin::Interrompue); }
    int64_t Position() const override { return ouvert_ ? Position_ : 0; }
    int64_t Length() const override { return ouvert_ ? 8000 : 0; }
    bool DeviceOpen() const override { return ouvert_; }
    void Terminer() { TerminerNotification(Fin::Reussie); }

    int Lectures = 0;
    int64_t Position_ = 0;

protected:
    void Poster(std::function<void()> action) override
    {
        QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
    }

private:
    bool ouvert_ = false;
};

// A print and preferences service that answers as a test tells it.
class ServicesImpressionTest : public IServicesImpression {
public:
    int Preferences(bool& affichageApplique) override
    {
        ++Ouvertures;
        if (PendantPreferences)
            PendantPreferences();
        affichageApplique = ApercuApplique;
        return Resultat;
    }
    int Resultat = 2;
    bool ApercuApplique = false;
    int Ouvertures = 0;
    std::function<void()> PendantPreferences;
};

// What a file dialog showed when the test answered it.
struct DialogueVu {
    QString Nom;
    QString Fichier;
    QString Repertoire;
    QString Extension;
    QStringList Filtres;
    bool Enregistrer = false;
    bool ConfirmeRemplacement = true;
};

class RoutesFenetre : public ::testing::Test {
protected:
    void SetUp() override
    {
        dossier_ = lyrx_test::DossierDuTest();
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string());
        RepertoireProgramme = std::string(LYRX_SOURCE_DIR) + "/data/";
        ListerLangues(RepertoireProgramme);
        ASSERT_TRUE(ChargerLangue(RepertoireProgramme, "English"));
        LangueCourante = "English";
        Commandes().Reinitialiser();
        ReinitialiserPolicesLabels();
        Configuration = TCONFIG{};
        PisteCourante = 1;
        PleinEcranChoisi = false;
        MidiDisponible = false;
        InstallerMediaPlayer(&lecteur_);
        TDialoguesFichiers::DefinirExecution([this](QFileDialog& d) { return RepondreDialogue(d); });

        fenetre_ = std::make_unique<TForm1>();
        InstallerFenetrePrincipale(fenetre_.get());
        fenetre_->DefinirTerminateur([this](int code) { codesFin_.push_back(code); });
        fenetre_->resize(1000, 700);
        fenetre_->show();
        fenetre_->Demarrer();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        // Whatever a test left playing ends before the window goes.
        if (!Commandes().Enabled(Cmd::Ac_Son_LectureDebut)) {
            Commandes().Executer(Cmd::Ac_Son_Stop);
            QCoreApplication::processEvents();
        }
        TDialoguesFichiers::DefinirExecution({});
        InstallerServicesImpression(nullptr);
        InstallerFenetrePrincipale(nullptr);
        fenetre_.reset();
        InstallerMediaPlayer(nullptr);
        MidiDisponible = false;
        Commandes().Reinitialiser();
        PisteCourante = 1;
        PleinEcranActif = false;
        PleinEcranChoisi = false;
        LangueCourante.clear();
        windows_.reset();
    }

    std::optional<QString> RepondreDialogue(QFileDialog& d)
    {
        DialogueVu vu;
        vu.Nom = d.objectName();
        const QStringList fichiers = d.selectedFiles();
        vu.Fichier = fichiers.isEmpty() ? QString() : QFileInfo(fichiers.constFirst()).fileName();
        vu.Repertoire = d.directory().absolutePath();
        vu.Extension = d.defaultSuffix();
        vu.Filtres = d.nameFilters();
        vu.Enregistrer = d.acceptMode() == QFileDialog::AcceptSave;
        vu.ConfirmeRemplacement = !d.testOption(QFileDialog::DontConfirmOverwrite);
        dialogues_.push_back(vu);
        if (reponses_.empty())
            return std::nullopt;
        const std::optional<QString> r = reponses_.front();
        reponses_.erase(reponses_.begin());
        return r;
    }

    // A key pressed and released in the window, where the hidden memo holds the focus.
    void Taper(int touche, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& texte = {})
    {
        QKeyEvent appui(QEvent::KeyPress, touche, mods, texte);
        QApplication::sendEvent(fenetre_->Ed_Invisible(), &appui);
        QKeyEvent relache(QEvent::KeyRelease, touche, mods, texte);
        QApplication::sendEvent(fenetre_->Ed_Invisible(), &relache);
    }
    void TaperChiffres(const char* chiffres)
    {
        for (const char* c = chiffres; *c; ++c)
            Taper(Qt::Key_0 + (*c - '0'), Qt::NoModifier, QString(QChar(*c)));
    }
    // A fret typed in the new song, then Ctrl+S, which names it `chemin` in its file dialog.
    void EnregistrerPremiereFois(const fs::path& chemin)
    {
        TaperChiffres("5");
        reponses_.push_back(QString::fromStdString(chemin.string()));
        Taper(Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(NomFichier, chemin.filename().string());
    }

    template <class T>
    T* Enfant(const char* nom) const
    {
        return fenetre_->findChild<T*>(nom);
    }
    void Cliquer(const char* bouton)
    {
        QToolButton* b = Enfant<QToolButton>(bouton);
        ASSERT_TRUE(b) << bouton;
        b->click();
    }
    void Choisir(const char* item)
    {
        QAction* a = Enfant<QAction>(item);
        ASSERT_TRUE(a) << item;
        a->trigger();
    }

    const TNoteCorde& Note(int mesure, int temps, int corde, int piste = 1) const
    {
        return Partition.Mesures[mesure]->Temps[piste][temps].Notes[corde];
    }

    fs::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_;
    LecteurBoucle lecteur_;
    std::unique_ptr<TForm1> fenetre_;
    std::vector<int> codesFin_;
    std::vector<DialogueVu> dialogues_;
    std::vector<std::optional<QString>> reponses_;
};

// The names beside `chanson` that begin with its own hidden name: the temporary files of its
// saves, and the user's hidden copies.
std::set<std::string> TemporairesDe(const fs::path& chanson)
{
    const std::string prefixe = "." + chanson.filename().string() + ".";
    std::set<std::string> noms;
    for (const fs::directory_entry& e : fs::directory_iterator(chanson.parent_path()))
        if (e.path().filename().string().rfind(prefixe, 0) == 0)
            noms.insert(e.path().filename().string());
    return noms;
}

bool ImageAvecEncre(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

} // namespace

TEST_F(RoutesFenetre, TypedFretsThenUndoThenCancelMeasure)
{
    // A 3 cannot begin a fret above 24 and is stored at once; the 0 then replaces it.
    TaperChiffres("13");
    Taper(Qt::Key_Right);
    TaperChiffres("30");
    ASSERT_EQ(Partition.Mesures[1]->NbTemps[1], 2);
    EXPECT_EQ(Note(1, 1, 1).Frette, 13);
    EXPECT_EQ(Note(1, 2, 1).Frette, 0);
    EXPECT_TRUE(Enfant<QToolButton>("BT_AnnulerMesure")->isEnabled());
    EXPECT_TRUE(Enfant<QAction>("Mn_Edition_Annuler")->isEnabled());
    EXPECT_EQ(fenetre_->NbTps()->text(), "2.000 : 4.000");

    // Ctrl+Z takes back the last edit only.
    Taper(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Note(1, 1, 1).Frette, 13);
    EXPECT_EQ(Note(1, 2, 1).Frette, 3);

    // Cancel measure: the measure as it was entered, empty.
    Cliquer("BT_AnnulerMesure");
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
    EXPECT_FALSE(Enfant<QToolButton>("BT_AnnulerMesure")->isEnabled());
}

TEST_F(RoutesFenetre, LeavingAMeasureShowsItOnTheScoreView)
{
    TaperChiffres("5");
    Taper(Qt::Key_Right);
    TaperChiffres("7");
    Taper(Qt::Key_Right, Qt::ControlModifier); // next measure: the one left is validated
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(fenetre_->NumMesure()->text(), "002 : 002");
    EXPECT_GE(LignesAffichage.NbLignes, 1);
    EXPECT_EQ(LignesAffichage.PremiereMesure[1], 1);
    // The line is painted on its band.
    const int bande = CalculerBandeLigne(1);
    ASSERT_GE(bande, 1);
    EXPECT_TRUE(ImageAvecEncre(fenetre_->ZoneAffichage()->ImageBande(bande)));
    // The track button shows that the track holds beats.
    EXPECT_EQ(fenetre_->BoutonPiste(1)->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
}

TEST_F(RoutesFenetre, AClickOnTheScoreViewMakesItsMeasureAndBeatCurrent)
{
    TaperChiffres("5");
    Taper(Qt::Key_Right);
    TaperChiffres("7");
    Taper(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(Partition.MesureCourante, 2);

    const TMesure& m1 = *Partition.Mesures[1];
    const TTemps& t2 = m1.Temps[1][2];
    const int bande = CalculerBandeLigne(m1.Ligne);
    ASSERT_GE(bande, 1);
    const TBande& place = AffichagePartition.Bandes[static_cast<std::size_t>(bande)];
    const QPoint point(place.Gauche + t2.XEcran + ParamEcranCourant.MargeGaucheLignes, place.Haut + m1.Y);
    QMouseEvent clic(QEvent::MouseButtonPress, point, fenetre_->ZoneAffichage()->mapToGlobal(point), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(fenetre_->ZoneAffichage(), &clic);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_EQ(fenetre_->NumMesure()->text(), "001 : 002");
}

TEST_F(RoutesFenetre, RightClickInTheEditZoneOffersTheFrets)
{
    QMenu* turbo = fenetre_->TurboMenu();
    ASSERT_TRUE(turbo);
    ASSERT_EQ(turbo->actions().size(), 25);
    EXPECT_EQ(turbo->actions().at(24)->objectName(), "Turbo24");
    EXPECT_EQ(turbo->actions().at(24)->text(), "24");

    // The first beat's place on the third string.
    const QPoint point(Curseur.MargeGauche + 2, Curseur.MargeHaut + 2 * Curseur.EspCordes);
    QMouseEvent clic(QEvent::MouseButtonPress, point, fenetre_->ZoneSaisie()->mapToGlobal(point), Qt::RightButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(fenetre_->ZoneSaisie(), &clic);
    QMouseEvent relache(QEvent::MouseButtonRelease, point, fenetre_->ZoneSaisie()->mapToGlobal(point),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(fenetre_->ZoneSaisie(), &relache);
    EXPECT_EQ(Curseur.Corde, 3);
    EXPECT_TRUE(turbo->isVisible());
    turbo->actions().at(17)->trigger();
    turbo->hide();
    EXPECT_EQ(Note(1, 1, 3).Frette, 17);
}

TEST_F(RoutesFenetre, TechniqueAndMeasureDialogsOpenOverTheWindow)
{
    std::vector<QString> vus;
    bool accepter = true;
    fenetre_->DialoguesEdition().DefinirExecuteur([&](QDialog& d) {
        vus.push_back(d.objectName());
        EXPECT_EQ(d.parentWidget(), fenetre_.get());
        if (!accepter)
            return static_cast<int>(QDialog::Rejected);
        d.show(); // the dialog fills its fields when it is shown
        if (auto* ok = d.findChild<QPushButton*>("BT_OK"))
            ok->click();
        d.hide();
        return d.result();
    });
    TaperChiffres("5");
    Taper(Qt::Key_B); // bend, with its amount dialog
    ASSERT_EQ(vus.size(), 1u);
    EXPECT_EQ(Note(1, 1, 1).Effet, 5);
    EXPECT_TRUE(Enfant<QAction>("Mn_Effet_Bend")->isChecked());

    // A click on the measure number opens the go-to dialog; Cancel stays.
    accepter = false;
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(fenetre_->NumMesure(), &clic);
    ASSERT_EQ(vus.size(), 2u);
    EXPECT_EQ(Partition.MesureCourante, 1);
    // And the measure status opens the time signature.
    QApplication::sendEvent(fenetre_->NbTps(), &clic);
    ASSERT_EQ(vus.size(), 3u);
    EXPECT_NE(vus[1], vus[2]);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 4);
}

TEST_F(RoutesFenetre, TrackButtonsMenuAndArrowsSwitchTracks)
{
    Cliquer("BT_Piste3");
    EXPECT_EQ(PisteCourante, 3);
    EXPECT_TRUE(fenetre_->BoutonPiste(3)->isChecked());
    EXPECT_FALSE(fenetre_->BoutonPiste(1)->isChecked());
    EXPECT_TRUE(fenetre_->ItemPiste(3)->isChecked());

    // A click on the current track's button keeps it down.
    Cliquer("BT_Piste3");
    EXPECT_TRUE(fenetre_->BoutonPiste(3)->isChecked());

    fenetre_->ItemPiste(5)->trigger();
    EXPECT_EQ(PisteCourante, 5);
    Cliquer("PisteUp");
    EXPECT_EQ(PisteCourante, 6);
    Cliquer("PisteDown");
    Cliquer("PisteDown");
    EXPECT_EQ(PisteCourante, 4);
    Taper(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "+");
    EXPECT_EQ(PisteCourante, 5);
    // Track 8: the drum palette's command comes on.
    Cliquer("BT_Piste8");
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
    Cliquer("PisteUp");
    EXPECT_EQ(PisteCourante, 8);
    Cliquer("BT_Piste1");
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
}

TEST_F(RoutesFenetre, SaveOpenRoundTripThroughTheFileMenu)
{
    TaperChiffres("12");
    Taper(Qt::Key_Right);
    Taper(Qt::Key_Down);
    TaperChiffres("3");
    Taper(Qt::Key_H); // hammer-on on the note under the cursor
    Partition.Titre = "Blues: A/B?";
    const std::string chemin = (dossier_ / "chanson").string();

    // Ctrl+S on an untitled song asks for a name, proposing the cleaned title.
    reponses_.push_back(QString::fromStdString(chemin));
    Taper(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogues_.size(), 1u);
    EXPECT_EQ(dialogues_[0].Nom, "SaveDialog1");
    EXPECT_EQ(dialogues_[0].Fichier, "Blues_ A_B_.lrx");
    EXPECT_EQ(dialogues_[0].Extension, "lrx");
    EXPECT_TRUE(dialogues_[0].Enregistrer);
    EXPECT_FALSE(dialogues_[0].ConfirmeRemplacement); // the program asks itself
    ASSERT_FALSE(dialogues_[0].Filtres.isEmpty());
    EXPECT_TRUE(dialogues_[0].Filtres.constFirst().contains("*.lrx"));
    ASSERT_TRUE(fs::exists(chemin + ".lrx")); // the default extension
    EXPECT_EQ(NomFichier, "chanson.lrx");
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_FALSE(Enfant<QAction>("Mn_Fichier_Enregistrer")->isEnabled());
    EXPECT_EQ(fenetre_->windowTitle(), "Lyrandaxis 2.2 - chanson.lrx");
    const std::vector<uint8_t> image = ImageFichierPartition();

    // New: a saved song is left without a question; the song is empty again.
    EnregistreurMessages messages;
    Choisir("Mn_Fichier_Nouveau");
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
    EXPECT_EQ(fenetre_->windowTitle().toStdString(), "Lyrandaxis 2.2 - " + Traduire("Fichier-SansNom"));
    // The song left is the first recent file.
    EXPECT_EQ(FichiersRecents[1], chemin + ".lrx");
    EXPECT_TRUE(Enfant<QAction>("Mn_Fichier_DernierFichier1")->isVisible());

    // Open from the toolbar: the same song, byte for byte.
    reponses_.push_back(QString::fromStdString(chemin + ".lrx"));
    Cliquer("Bt_Fichier_Ouvrir");
    ASSERT_EQ(dialogues_.size(), 2u);
    EXPECT_EQ(dialogues_[1].Nom, "OpenDialog1");
    EXPECT_TRUE(dialogues_[1].Fichier.isEmpty());
    EXPECT_EQ(NomFichier, "chanson.lrx");
    EXPECT_EQ(Note(1, 1, 1).Frette, 12);
    EXPECT_EQ(Note(1, 2, 2).Frette, 3);
    EXPECT_EQ(Note(1, 2, 2).Effet, 1);
    EXPECT_EQ(ImageFichierPartition(), image);
    EXPECT_EQ(fenetre_->MessErreur()->text(), "Blues: A/B?");
    EXPECT_FALSE(PartitionModifiee);
}

// A save killed part-way leaves its hidden temporary file beside the song: the next save of
// that song removes it, and nothing that may be someone else's.
TEST_F(RoutesFenetre, SavingASongRemovesWhatAKilledSaveOfItLeftBesideIt)
{
    const fs::path chanson = dossier_ / "song.lrx";
    ASSERT_NO_FATAL_FAILURE(EnregistrerPremiereFois(chanson));
    std::ifstream f(chanson, std::ios::binary);
    const std::string image{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    ASSERT_GT(image.size(), 64u);
    const std::string moitie = image.substr(0, image.size() / 2);

    struct {
        const char* nom;
        std::string contenu;
        bool reste;
    } const cas[] = {
        {".song.lrx.lyrx-k1Ll3d", moitie, false}, // killed while writing
        {".song.lrx.lyrx-E0Fzz9", image, false},  // killed before the rename
        {".song.lrx.lyrx-n0Byt3", "", false},     // killed before its first write
        {".song.lrx.lyrx-h4lfHd", image.substr(0, 10), false}, // killed inside its header
        {".song.lrx.lyrx-n0tHdr", "FICHIER texte", true},     // short, and not a song's start
        {".song.lrx.backup", image, true},        // the user's own hidden copy of the song
        {".song.lrx.k1Ll3d", moitie, true},       // without the writer's mark
        {".song.lrx.lyrx-Ab12C", moitie, true},   // not a name the writer gives
        {".song.lrx.lyrx-Ab12Cde", moitie, true},
        {".song.lrx.lyrx-Ab-12C", moitie, true},
        {"song.lrx.lyrx-Ab12Cd", moitie, true},
        {".other.lrx.lyrx-Ab12Cd", moitie, true}, // another song's
    };
    for (const auto& c : cas)
        std::ofstream(dossier_ / c.nom, std::ios::binary) << c.contenu;
    // A save of the same song in progress, by another window of the program.
    const fs::path enCours = dossier_ / ".song.lrx.lyrx-Wr1t3s";
    std::ofstream(enCours, std::ios::binary) << moitie;
    const int verrou = ::open(enCours.c_str(), O_RDONLY);
    ASSERT_GE(verrou, 0);
    ASSERT_EQ(::flock(verrou, LOCK_EX), 0);
    // A link under the writer's name leads elsewhere.
    std::ofstream(dossier_ / "elsewhere.lrx", std::ios::binary) << moitie;
    fs::create_symlink(dossier_ / "elsewhere.lrx", dossier_ / ".song.lrx.lyrx-L1nk00");

    TaperChiffres("7");
    ASSERT_TRUE(PartitionModifiee);
    Taper(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(PartitionModifiee);

    for (const auto& c : cas)
        EXPECT_EQ(fs::exists(dossier_ / c.nom), c.reste) << c.nom;
    EXPECT_TRUE(fs::exists(enCours));
    EXPECT_TRUE(fs::is_symlink(dossier_ / ".song.lrx.lyrx-L1nk00"));
    EXPECT_TRUE(fs::exists(dossier_ / "elsewhere.lrx"));
    ::close(verrou);
    // The save itself left nothing beside the song.
    EXPECT_EQ(TemporairesDe(chanson), (std::set<std::string>{".song.lrx.backup", ".song.lrx.k1Ll3d",
                                                             ".song.lrx.lyrx-Ab12C", ".song.lrx.lyrx-Ab12Cde",
                                                             ".song.lrx.lyrx-Ab-12C", ".song.lrx.lyrx-L1nk00",
                                                             ".song.lrx.lyrx-Wr1t3s", ".song.lrx.lyrx-n0tHdr"}));
}

namespace {

// A song of `nbMesures` measures of 64 sixty-fourth notes on six strings on track 1, each note
// bent by `bend`(measure, beat, string), written to `chemin`; the song is left empty again.
template <class Bend>
void EcrireChansonBends(const fs::path& chemin, int nbMesures, Bend bend)
{
    lyrx_test::RemplirChansonBends(nbMesures, bend);
    const std::vector<uint8_t> image = ImageFichierPartition();
    std::ofstream(chemin, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                  static_cast<std::streamsize>(image.size()));
    ReinitialiserPartition();
}

std::vector<uint8_t> LireOctets(const fs::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace

// Ctrl+S on a song the user made read-only says it cannot be written and leaves the file and
// the edit as they were; on a song reached through a link it writes the file the link leads
// to, and the link stays.
TEST_F(RoutesFenetre, CtrlSRefusesAReadOnlySongAndWritesALinkedOneThroughItsLink)
{
    const fs::path chanson = dossier_ / "protegee.lrx";
    ASSERT_NO_FATAL_FAILURE(EnregistrerPremiereFois(chanson));
    const std::vector<uint8_t> avant = LireOctets(chanson);
    fs::permissions(chanson, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    TaperChiffres("7");
    EnregistreurMessages messages;
    Taper(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, Traduire("MidiExp-EcritureFichierImpossibleEnregAb"));
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_EQ(LireOctets(chanson), avant);
    EXPECT_EQ(fs::status(chanson).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const fs::directory_entry& e : fs::directory_iterator(dossier_))
        EXPECT_NE(e.path().filename().string().rfind(".protegee.lrx", 0), 0u) << e.path(); // no temporary file

    // The same song through a link: the link's target takes the edit.
    const fs::path reel = dossier_ / "reel.lrx";
    const fs::path lien = dossier_ / "lien.lrx";
    std::ofstream(reel, std::ios::binary).write(reinterpret_cast<const char*>(avant.data()),
                                                static_cast<std::streamsize>(avant.size()));
    fs::create_symlink("reel.lrx", lien);
    reponses_.push_back(QString::fromStdString(lien.string()));
    messages.Reponses.push_back(ResultatOui); // it exists: replace it
    Choisir("Mn_Fichier_EnregistrerSous");
    ASSERT_EQ(messages.Messages.size(), 2u);
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_TRUE(fs::is_symlink(lien));
    EXPECT_EQ(LireOctets(reel), ImageFichierPartition());
    EXPECT_NE(LireOctets(reel), avant);
    TaperChiffres("9");
    Taper(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages.Messages.size(), 2u);
    EXPECT_TRUE(fs::is_symlink(lien));
    EXPECT_EQ(LireOctets(reel), ImageFichierPartition());
}

// Bend amounts come back as they were saved, whatever song was open before: even one with more
// different amounts than the program keeps in two bytes.
TEST_F(RoutesFenetre, AmountsOffTheGridDoNotDependOnTheSongOpenedBefore)
{
    const auto ouvrir = [this](const fs::path& chemin) {
        reponses_.push_back(QString::fromStdString(chemin.string()));
        Cliquer("Bt_Fichier_Ouvrir");
        EXPECT_EQ(NomFichier, chemin.filename().string());
    };
    const auto enregistrerSous = [this](const fs::path& chemin) {
        reponses_.push_back(QString::fromStdString(chemin.string()));
        Choisir("Mn_Fichier_EnregistrerSous");
        return LireOctets(chemin);
    };

    // 38,400 amounts, all different and off the grid.
    const auto bend = [](int m, int b, int s) { return 1.0 + (((m * 64 + b) * 6 + s) * 2 + 1) / 134217728.0; };
    const fs::path longue = dossier_ / "longue.lrx";
    EcrireChansonBends(longue, 100, bend);
    const fs::path courte = dossier_ / "courte.lrx";
    EcrireChansonBends(courte, 1, [](int, int b, int s) {
        return b == 1 && s == 1 ? 1.33 : b == 1 && s == 2 ? 2.71 : 0.25 + (b * 6 + s) / 1000.0;
    });
    PartitionModifiee = false;

    ouvrir(courte);
    EXPECT_EQ(Note(1, 1, 1).ValeurBend.Valeur(), 1.33);
    EXPECT_EQ(Note(1, 1, 2).ValeurBend.Valeur(), 2.71);
    const std::vector<uint8_t> avant = enregistrerSous(dossier_ / "avant.lrx");

    ouvrir(longue);
    EXPECT_EQ(Note(100, 64, 6).ValeurBend.Valeur(), bend(100, 64, 6));

    ouvrir(courte);
    EXPECT_EQ(Note(1, 1, 1).ValeurBend.Valeur(), 1.33);
    EXPECT_EQ(Note(1, 1, 2).ValeurBend.Valeur(), 2.71);
    EXPECT_EQ(enregistrerSous(dossier_ / "apres.lrx"), avant);
}

// Another copy of the program saves the same song while this one's save has its new file
// written and is about to put it in place: both saves go through, the last one to finish
// keeps the song, and neither leaves a file beside it.
TEST_F(RoutesFenetre, CtrlSGoesThroughWhileAnotherCopySavesTheSameSong)
{
    const fs::path chanson = dossier_ / "song.lrx";
    ASSERT_NO_FATAL_FAILURE(EnregistrerPremiereFois(chanson));
    const std::vector<uint8_t> autreCopie = LireOctets(chanson);

    std::vector<std::string> avantRenommage;
    platform::ReplacementSeams coutures;
    coutures.BeforeRename = [&](const std::string& nom) {
        avantRenommage.push_back(fs::path(nom).filename().string());
        if (avantRenommage.size() == 1) {
            // The other copy's save, which cleans what killed saves left, as a song's does: files
            // that begin with the song's 31-byte version mark.
            EXPECT_TRUE(platform::ReplaceFile(chanson.string(), autreCopie, 31));
            EXPECT_TRUE(fs::exists(nom)); // its cleaner left this one's file alone
        }
    };
    const platform::ReplacementSeams avant = platform::InstallReplacementSeams(coutures);
    TaperChiffres("7");
    EnregistreurMessages messages;
    Taper(Qt::Key_S, Qt::ControlModifier);
    platform::InstallReplacementSeams(avant);

    EXPECT_EQ(avantRenommage.size(), 2u); // this save's, then the other's
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_EQ(LireOctets(chanson), ImageFichierPartition());
    EXPECT_EQ(TemporairesDe(chanson), std::set<std::string>{});
}

// On a file system that keeps no locks (network or FUSE mounts without lock support), Ctrl+S
// saves without one; no save can lock a leftover there either, so what a killed save left
// stays. Any other failure to lock still refuses the save, the song as it was on disk.
TEST_F(RoutesFenetre, CtrlSSavesWhereTheFileSystemKeepsNoLocks)
{
    const fs::path chanson = dossier_ / "song.lrx";
    ASSERT_NO_FATAL_FAILURE(EnregistrerPremiereFois(chanson));
    // What a save killed part-way left: half the song.
    const std::vector<uint8_t> sauvee = LireOctets(chanson);
    const fs::path restes = dossier_ / ".song.lrx.lyrx-k1Ll3d";
    std::ofstream(restes, std::ios::binary)
        .write(reinterpret_cast<const char*>(sauvee.data()), static_cast<std::streamsize>(sauvee.size() / 2));

    const struct {
        int erreur;
        bool enregistre;
    } cas[] = {
        {ENOLCK, true}, {EOPNOTSUPP, true}, {ENOSYS, true}, {EINVAL, true}, {EIO, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::strerror(c.erreur));
        int verrous = 0;
        platform::ReplacementSeams coutures;
        coutures.Lock = [&](const std::string&, int, bool) {
            ++verrous;
            return c.erreur;
        };
        const platform::ReplacementSeams avant = platform::InstallReplacementSeams(coutures);
        const std::vector<uint8_t> surDisque = LireOctets(chanson);
        TaperChiffres("7");
        EnregistreurMessages messages;
        Taper(Qt::Key_S, Qt::ControlModifier);
        platform::InstallReplacementSeams(avant);

        EXPECT_EQ(verrous, 2); // the leftover's, then the save's own
        if (c.enregistre) {
            EXPECT_TRUE(messages.Messages.empty());
            EXPECT_FALSE(PartitionModifiee);
            EXPECT_EQ(LireOctets(chanson), ImageFichierPartition());
        } else {
            ASSERT_EQ(messages.Messages.size(), 1u);
            EXPECT_EQ(messages.Messages[0].Texte, Traduire("MidiExp-EcritureFichierImpossibleEnregAb"));
            EXPECT_TRUE(PartitionModifiee);
            EXPECT_EQ(LireOctets(chanson), surDisque);
        }
        EXPECT_EQ(TemporairesDe(chanson), std::set<std::string>{restes.filename().string()});
    }
}

// A song with more different bend amounts than the program keeps is refused with a box that
// says so, not as a file that is no song.
TEST_F(RoutesFenetre, OpeningASongWithMoreAmountsThanTheProgramKeepsSaysWhatIsWrong)
{
    const std::vector<uint8_t> image = lyrx_test::ImageChansonTropDeMontants();
    ASSERT_FALSE(image.empty());
    const fs::path trop = dossier_ / "trop.lrx";
    std::ofstream(trop, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    PartitionModifiee = false;

    EnregistreurMessages messages;
    reponses_.push_back(QString::fromStdString(trop.string()));
    Cliquer("Bt_Fichier_Ouvrir");
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, Traduire("Fichier-TropDeMontants"));
    EXPECT_EQ(messages.Messages[0].Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(Partition.NbMesures, 1);
}

// When every slot for amounts off the grid is taken, a new such amount typed in the bend, bend
// and release or vibrato stroke dialog is refused with a box that says so; the dialog stays
// open for another amount, and the song keeps the one it had. A multiple of 0.25 still goes in.
TEST_F(RoutesFenetre, AnAmountTheProgramHasNoRoomForIsRefusedInItsDialog)
{
    TaperChiffres("5");
    const struct {
        const char* commande;
        const char* champ;
        std::function<const ReelCompact&()> montant;
    } cas[] = {
        {"Mn_Effet_Bend", "Ed_Bend", []() -> const ReelCompact& { return NoteCurseur().ValeurBend; }},
        {"Mn_Effet_BendRelease", "Ed_Release", []() -> const ReelCompact& { return NoteCurseur().ValeurBend; }},
        {"Mn_Effet_CoupDeVibrato", "Ed_CVB", []() -> const ReelCompact& { return TempsCurseur().ValeurCoupVib; }},
    };
    // Every slot taken, as by other songs' amounts.
    std::vector<ReelCompact> ailleurs;
    ailleurs.reserve(ReelCompact::Table::kNbCases);
    try {
        for (unsigned k = 0;; ++k)
            ailleurs.emplace_back(2.0 + (2 * k + 1) / 67108864.0);
    } catch (const ReelCompact::TableFull&) {
    }

    QString tape;
    const char* champNom = nullptr;
    std::vector<bool> restes; // whether the dialog was still open after OK
    fenetre_->DialoguesEdition().DefinirExecuteur([&](QDialog& d) {
        d.show();
        QLineEdit* champ = d.findChild<QLineEdit*>(champNom);
        EXPECT_TRUE(champ) << champNom;
        if (champ)
            champ->setText(tape);
        d.findChild<QPushButton*>("BT_OK")->click();
        restes.push_back(d.isVisible());
        if (d.isVisible())
            d.findChild<QPushButton*>("BT_Annuler")->click();
        d.hide();
        return d.result();
    });
    for (const auto& c : cas) {
        SCOPED_TRACE(c.commande);
        EnregistreurMessages messages;
        restes.clear();
        champNom = c.champ;
        const double avant = c.montant().Valeur();
        tape = QStringLiteral("1.3");
        Choisir(c.commande);
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Texte, Traduire("Gene-MontantsPleins"));
        EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
        EXPECT_EQ(restes, std::vector<bool>{true});
        EXPECT_FALSE(Enfant<QAction>(c.commande)->isChecked());
        EXPECT_EQ(c.montant().Valeur(), avant);

        tape = QStringLiteral("1.5");
        Choisir(c.commande);
        EXPECT_EQ(messages.Messages.size(), 1u);
        EXPECT_TRUE(Enfant<QAction>(c.commande)->isChecked());
        EXPECT_EQ(c.montant().Valeur(), 1.5);
        Choisir(c.commande); // off again
    }
    fenetre_->DialoguesEdition().DefinirExecuteur({});
}

TEST_F(RoutesFenetre, SaveAsAsksBeforeReplacingAnotherFileOnly)
{
    TaperChiffres("7");
    const std::string chemin = (dossier_ / "a.lrx").string();
    const std::string autre = (dossier_ / "b.lrx").string();
    std::ofstream(autre) << "old";
    reponses_.push_back(QString::fromStdString(chemin));
    Choisir("Mn_Fichier_EnregistrerSous");
    ASSERT_TRUE(fs::exists(chemin));

    // Its own path again: no question.
    EnregistreurMessages messages;
    reponses_.push_back(QString::fromStdString(chemin));
    Choisir("Mn_Fichier_EnregistrerSous");
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(dialogues_.back().Fichier, "a.lrx");
    EXPECT_EQ(fs::path(dialogues_.back().Repertoire.toStdString()), dossier_);

    // Another existing file: Non keeps it and the song's name.
    messages.Reponses.push_back(ResultatNon);
    reponses_.push_back(QString::fromStdString(autre));
    Choisir("Mn_Fichier_EnregistrerSous");
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Legende, Traduire("Dlg-Avertissement"));
    EXPECT_EQ(NomFichier, "a.lrx");
    std::ifstream f(autre);
    std::string contenu;
    f >> contenu;
    EXPECT_EQ(contenu, "old");

    // Cancel in the dialog changes nothing.
    Choisir("Mn_Fichier_EnregistrerSous");
    EXPECT_EQ(NomFichier, "a.lrx");
}

// The window starts with no remembered folder (first start) in a home of its own; the working
// folder it moves to is put back afterwards, the rest of the suite relying on nothing else.
class DossiersFenetre : public RoutesFenetre {
protected:
    void SetUp() override
    {
        ancienDossier_ = fs::current_path();
        home_ = lyrx_test::DossierDuTest() / "home";
        fs::create_directories(home_);
        homeVariable_.emplace("HOME", home_.string());
        DernierRepertoire.clear();
        RoutesFenetre::SetUp();
    }
    void TearDown() override
    {
        RoutesFenetre::TearDown();
        fs::current_path(ancienDossier_);
        homeVariable_.reset();
        DernierRepertoire.clear();
    }

    fs::path ancienDossier_;
    std::optional<lyrx_test::VariableEnvironnement> homeVariable_;
    fs::path home_;
};

TEST_F(DossiersFenetre, OpenAndSaveAsStartWhereTheLastFileWasOpenedOrSaved)
{
    const fs::path programme = fs::weakly_canonical(fs::path(RepertoireProgramme));
    // First start: the user's home, not the program's folder.
    Choisir("Mn_Fichier_Ouvrir");
    ASSERT_EQ(dialogues_.size(), 1u);
    EXPECT_EQ(fs::path(dialogues_[0].Repertoire.toStdString()), home_);
    EXPECT_NE(fs::path(dialogues_[0].Repertoire.toStdString()), programme);

    // A song saved in one folder: the next Open starts there.
    const fs::path chansons = dossier_ / "chansons";
    fs::create_directories(chansons);
    TaperChiffres("5");
    reponses_.push_back(QString::fromStdString((chansons / "a.lrx").string()));
    Choisir("Mn_Fichier_EnregistrerSous");
    ASSERT_TRUE(fs::exists(chansons / "a.lrx"));
    Choisir("Mn_Fichier_Ouvrir");
    EXPECT_EQ(fs::path(dialogues_.back().Repertoire.toStdString()), chansons);

    // A song opened from another folder: Save as for a new song and the next Open start there,
    // and that folder is the one written to the settings at exit.
    const fs::path autres = dossier_ / "autres";
    fs::create_directories(autres);
    fs::copy_file(chansons / "a.lrx", autres / "b.lrx");
    reponses_.push_back(QString::fromStdString((autres / "b.lrx").string()));
    Choisir("Mn_Fichier_Ouvrir");
    ASSERT_EQ(NomFichier, "b.lrx");
    Choisir("Mn_Fichier_Nouveau");
    Choisir("Mn_Fichier_EnregistrerSous");
    EXPECT_EQ(dialogues_.back().Nom, "SaveDialog1");
    EXPECT_EQ(fs::path(dialogues_.back().Repertoire.toStdString()), autres);
    Choisir("Mn_Fichier_Ouvrir");
    EXPECT_EQ(fs::path(dialogues_.back().Repertoire.toStdString()), autres);
    EXPECT_EQ(fs::current_path(), autres);
}

TEST_F(RoutesFenetre, ExportMidiWritesAFileAnIndependentReaderParses)
{
    TaperChiffres("5");
    Taper(Qt::Key_Right);
    TaperChiffres("7");
    const std::string chanson = (dossier_ / "riff.lrx").string();
    reponses_.push_back(QString::fromStdString(chanson));
    Taper(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(NomFichier, "riff.lrx");

    const std::string midi = (dossier_ / "riff.mid").string();
    reponses_.push_back(QString::fromStdString(midi));
    Choisir("Mn_Fichier_ExporterMIDI");
    const DialogueVu& vu = dialogues_.back();
    EXPECT_EQ(vu.Nom, "SaveDialog2");
    EXPECT_EQ(vu.Fichier, "riff.mid"); // the song's name, its last four characters replaced
    EXPECT_EQ(fs::path(vu.Repertoire.toStdString()), dossier_);
    EXPECT_EQ(vu.Extension, "mid");
    ASSERT_TRUE(fs::exists(midi));

    if (std::system("/usr/bin/python3 -c 'import mido' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-mido is not installed";
    const std::string commande =
        "/usr/bin/python3 -c \"import mido,sys; m=mido.MidiFile(sys.argv[1]); "
        "n=[x.note for t in m.tracks for x in t if x.type=='note_on' and x.velocity>0]; "
        "sys.exit(0 if m.type==1 and m.ticks_per_beat==480 and n==[69,71] else 1)\" " +
        midi;
    EXPECT_EQ(std::system(commande.c_str()), 0);
}

TEST_F(RoutesFenetre, ImportMidiGivesAnUntitledModifiedSongNamedAfterTheFile)
{
    TaperChiffres("5");
    Taper(Qt::Key_Right);
    TaperChiffres("7");
    Taper(Qt::Key_Right, Qt::ControlModifier);
    const std::string midi = (dossier_ / "riff lead.mid").string();
    reponses_.push_back(QString::fromStdString(midi));
    Choisir("Mn_Fichier_ExporterMIDI");
    ASSERT_TRUE(fs::exists(midi));

    // The import dialog maps the file's first source onto track 1.
    int dialogues = 0;
    fenetre_->DefinirDialogueImportMidi([&] {
        ++dialogues;
        ProprietesTempo.PisteSource = {};
        ProprietesTempo.PisteSource[1] = 1;
        return true;
    });
    EnregistreurMessages messages;
    messages.Reponses.push_back(ResultatNon); // do not save the song left
    reponses_.push_back(QString::fromStdString(midi));
    Choisir("Mn_Fichier_ImporterMIDI");
    EXPECT_EQ(dialogues_.back().Nom, "OpenDialog2");
    ASSERT_EQ(dialogues, 1);
    EXPECT_EQ(Partition.Titre.str(), "Riff lead");
    EXPECT_TRUE(NomFichier.empty());
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    EXPECT_EQ(PisteCourante, 1);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(fenetre_->MessErreur()->text(), "Riff lead");
    ASSERT_GE(Partition.Mesures[1]->NbTemps[1], 2);
    // The free slot of every track is prepared, repeats are cleared.
    EXPECT_FALSE(Partition.Mesures[1]->RenvoiDebut);
    EXPECT_TRUE(Enfant<QAction>("Mn_Fichier_Enregistrer")->isEnabled());

    // A cancelled import dialog leaves a new empty song.
    fenetre_->DefinirDialogueImportMidi([] { return false; });
    messages.Reponses.push_back(ResultatNon);
    reponses_.push_back(QString::fromStdString(midi));
    Choisir("Mn_Fichier_ImporterMIDI");
    EXPECT_EQ(Partition.NbMesures, 1);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
    EXPECT_TRUE(PartitionVierge);
}

TEST_F(RoutesFenetre, ClosingAModifiedSongAsksAndSaves)
{
    TaperChiffres("9");
    EnregistreurMessages messages;
    messages.Reponses.push_back(ResultatOui);
    const std::string chemin = (dossier_ / "fin.lrx").string();
    reponses_.push_back(QString::fromStdString(chemin));
    Choisir("Mn_Fichier_Quitter");
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_TRUE(fs::exists(chemin));
    EXPECT_EQ(codesFin_, std::vector<int>{0});
    EXPECT_EQ(FichiersRecents[1], chemin);
}

TEST_F(RoutesFenetre, TheLanguageMenuSwitchesEveryCaption)
{
    QMenu* langues = fenetre_->MenuLangueLogiciel();
    ASSERT_EQ(langues->actions().size(), static_cast<int>(ListeLangues.size()));
    int anglais = -1;
    int francais = -1;
    for (int i = 0; i < langues->actions().size(); ++i) {
        QAction* a = langues->actions().at(i);
        if (a->text() == "English")
            anglais = i;
        if (a->text() == "Francais")
            francais = i;
    }
    ASSERT_GE(anglais, 0);
    ASSERT_GE(francais, 0);
    EXPECT_TRUE(langues->actions().at(anglais)->isChecked());
    const QString titreAnglais = Enfant<QMenu>("Mn_Fichier")->title();

    LangueAide = 2;
    langues->actions().at(francais)->trigger();
    EXPECT_EQ(LangueCourante, "Francais");
    EXPECT_TRUE(langues->actions().at(francais)->isChecked());
    EXPECT_FALSE(langues->actions().at(anglais)->isChecked());
    EXPECT_NE(Enfant<QMenu>("Mn_Fichier")->title(), titreAnglais);
    // The untitled song takes the new language's name, in the caption too.
    EXPECT_EQ(fenetre_->windowTitle().toStdString(),
              "Lyrandaxis 2.2 - " + platform::Cp1252VersUtf8(Traduire("Fichier-SansNom")));
    // "Francais" is none of the three help languages: the help file stays English.
    EXPECT_EQ(LangueAide, 2);

    // Back: the same captions as before.
    langues->actions().at(anglais)->trigger();
    EXPECT_EQ(Enfant<QMenu>("Mn_Fichier")->title(), titreAnglais);
    EXPECT_EQ(LangueAide, 2);

    // A language file gone since the start is reported; the language in force stays.
    ListeLangues.push_back("Gone");
    EnregistreurMessages messages;
    fenetre_->Mn_Options_LangueLogNClick(static_cast<int>(ListeLangues.size()) - 1);
    EXPECT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(LangueCourante, "English");
    LangueAide = 0;
}

TEST_F(RoutesFenetre, HelpLanguageItemsSetTheHelpFile)
{
    Choisir("Ac_Options_LangueAide3");
    EXPECT_EQ(LangueAide, 3);
    EXPECT_EQ(FichierAide, RepertoireProgramme + "Lyrx_de.hlp");
    EXPECT_TRUE(Enfant<QAction>("Ac_Options_LangueAide3")->isChecked());
    EXPECT_FALSE(Enfant<QAction>("Ac_Options_LangueAide1")->isChecked());
    LangueAide = 0;
}

TEST_F(RoutesFenetre, TheLayoutFollowsTheWindowAndTheScoreOnlyMode)
{
    fenetre_->resize(800, 600);
    QCoreApplication::processEvents();
    QWidget* fond = fenetre_->centralWidget();
    auto place = [&](const char* nom) { return Enfant<QWidget>(nom)->geometry(); };
    const int m4 = 4;
    EXPECT_EQ(place("PanelBarreBoutons3").right() + 1, fond->width() - m4);
    EXPECT_EQ(place("PanelNumMesure").bottom() + 1, fond->height() - m4);
    EXPECT_EQ(place("PanelZoneSaisie").top(), place("PanelBarreBoutons3").top());
    EXPECT_EQ(place("PanelZoneAffScroll").bottom() + 2, place("PanelBarreBoutons2").top());
    EXPECT_EQ(place("ScrollBarZoneAffScroll").left(), place("PanelZoneAffScroll").right() + 1);
    EXPECT_EQ(LargeurPanneauSaisie, place("PanelZoneSaisie").width());
    EXPECT_LE(place("Panel1").right(), place("BT_Piste1").left());

    // Score only: the score view reaches the status row; the Note menu and its keys are off.
    TaperChiffres("5");
    Choisir("Mn_Affichage_PleinEcran");
    EXPECT_TRUE(PleinEcranActif);
    EXPECT_TRUE(PleinEcranChoisi);
    EXPECT_TRUE(Enfant<QToolButton>("Bt_Affichage_PleinEcran")->isChecked());
    EXPECT_FALSE(Enfant<QWidget>("PanelBarreBoutons3")->isVisible());
    EXPECT_EQ(place("PanelZoneAffScroll").bottom() + 1 + 2, place("PanelTextCom").top());
    EXPECT_FALSE(Enfant<QMenu>("Mn_Note")->menuAction()->isEnabled());
    Taper(Qt::Key_S); // the rest shortcut of the Note menu
    EXPECT_FALSE(Partition.Mesures[1]->Temps[1][1].Silence);

    Cliquer("Bt_Affichage_PleinEcran");
    EXPECT_FALSE(PleinEcranActif);
    EXPECT_TRUE(Enfant<QWidget>("PanelBarreBoutons3")->isVisible());
    EXPECT_TRUE(Enfant<QMenu>("Mn_Note")->menuAction()->isEnabled());
}

TEST_F(RoutesFenetre, ShowLetRingTwiceLeavesTheOptionAsItWas)
{
    const bool avant = Configuration.ShowLetRingNotes;
    Taper(Qt::Key_F11);
    EXPECT_EQ(Configuration.ShowLetRingNotes, !avant);
    EXPECT_EQ(Enfant<QAction>("Mn_Ass_MontrerLetRing")->isChecked(), !avant);
    Taper(Qt::Key_F11);
    EXPECT_EQ(Configuration.ShowLetRingNotes, avant);
    Choisir("Mn_Ass_MontrerDyna");
    EXPECT_TRUE(Configuration.ShowDynamic != TCONFIG{}.ShowDynamic);
}

TEST_F(RoutesFenetre, CancelledPreferencesPutThePreviewedSettingsBack)
{
    ServicesImpressionTest services;
    InstallerServicesImpression(&services);
    TaperChiffres("5");
    ASSERT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));

    const TParamEcran ecranAvant = ParamEcranCourant;
    TMyFont notesAvant;
    ASSERT_TRUE(PolicesLabels().Lire("FontNotes", notesAvant));
    TMyFont titreAvant;
    ASSERT_TRUE(PolicesLabels().Lire("FontTitle_Prt", titreAvant));
    // The dialog keeps its copies, then previews other settings before it is cancelled.
    services.PendantPreferences = [&] {
        ParamEcranMem = ParamEcranCourant;
        ParamImpMem = ParamImpCourant;
        PolicesLabels().Definir("FontNotes_Mem", notesAvant);
        PolicesLabels().Definir("FontTitle_Prt_Mem", titreAvant);
        ParamEcranCourant.EspLignes += 3;
        ParamImpCourant.ModeApercu = !ParamImpCourant.ModeApercu;
        TMyFont autre = notesAvant;
        autre.Size += 5;
        PolicesLabels().Definir("FontNotes", autre);
        PolicesLabels().Definir("FontTitle_Prt", autre);
    };
    services.ApercuApplique = true;
    Taper(Qt::Key_F6);
    ASSERT_EQ(services.Ouvertures, 1);
    EXPECT_EQ(ParamEcranCourant.EspLignes, ecranAvant.EspLignes);
    TMyFont notes;
    PolicesLabels().Lire("FontNotes", notes);
    EXPECT_EQ(notes.Size, notesAvant.Size);
    TMyFont titre;
    PolicesLabels().Lire("FontTitle_Prt", titre);
    EXPECT_EQ(titre.Size, titreAvant.Size);
    EXPECT_EQ(ParamImpCourant.ModeApercu, ParamImpMem.ModeApercu);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)); // a clean undo state
    EXPECT_EQ(Note(1, 1, 1).Frette, 5);

    // Without a preview only the print settings come back.
    services.ApercuApplique = false;
    Taper(Qt::Key_F6);
    EXPECT_EQ(ParamEcranCourant.EspLignes, ecranAvant.EspLignes + 3);
    PolicesLabels().Lire("FontTitle_Prt", titre);
    EXPECT_EQ(titre.Size, titreAvant.Size);
    ParamEcranCourant = ecranAvant;
}

TEST_F(RoutesFenetre, PlaybackShowsTheScoreOnlyAndStopGivesTheWindowBack)
{
    MidiDisponible = true;
    TaperChiffres("5");
    Taper(Qt::Key_Right);
    TaperChiffres("7");
    Taper(Qt::Key_Right, Qt::ControlModifier);
    TaperChiffres("8");
    Taper(Qt::Key_Right, Qt::ControlModifier);

    // (Each typed beat was played too: play-while-entering is on.)
    const int lectures = lecteur_.Lectures;
    Cliquer("Bt_Son_LectureDebut");
    ASSERT_EQ(lecteur_.Lectures, lectures + 1);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Son_LectureDebut));
    EXPECT_TRUE(Enfant<QToolButton>("Bt_Son_Stop")->isEnabled());
    EXPECT_TRUE(fenetre_->TimerMidi()->isActive());
    EXPECT_TRUE(PleinEcranActif);
    EXPECT_FALSE(Enfant<QWidget>("PanelBarreBoutons3")->isVisible());
    EXPECT_FALSE(Enfant<QWidget>("ScrollBarZoneSaisie")->isVisible());
    EXPECT_FALSE(Enfant<QMenu>("Mn_Mesure")->menuAction()->isEnabled());
    EXPECT_FALSE(Enfant<QAction>("Mn_Edition_Couper")->isEnabled());
    EXPECT_EQ(Partition.MesureCourante, 1);

    // The timer follows the play position along the measures.
    lecteur_.Position_ = 2100;
    {
        QEventLoop attente;
        QTimer::singleShot(350, &attente, &QEventLoop::quit);
        attente.exec();
    }
    EXPECT_EQ(Partition.MesureCourante, 2);

    // A click on the score view during the playback restarts it at the clicked measure.
    const TMesure& m1 = *Partition.Mesures[1];
    const int bande = CalculerBandeLigne(m1.Ligne);
    ASSERT_GE(bande, 1);
    const TBande& place = AffichagePartition.Bandes[static_cast<std::size_t>(bande)];
    const QPoint point(place.Gauche + m1.XGauche + 5, place.Haut + m1.Y);
    QMouseEvent clic(QEvent::MouseButtonPress, point, fenetre_->ZoneAffichage()->mapToGlobal(point), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(fenetre_->ZoneAffichage(), &clic);
    QCoreApplication::processEvents();
    EXPECT_EQ(lecteur_.Lectures, lectures + 2);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Son_LectureDebut));
    EXPECT_FALSE(ArretDemandeClic);
    EXPECT_EQ(Partition.MesureCourante, 1);

    // Space stops; the end-of-play notification gives the window back.
    Taper(Qt::Key_Space);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Son_LectureDebut));
    EXPECT_FALSE(fenetre_->TimerMidi()->isActive());
    EXPECT_FALSE(PleinEcranActif);
    EXPECT_TRUE(Enfant<QWidget>("PanelBarreBoutons3")->isVisible());
    EXPECT_TRUE(Enfant<QWidget>("ScrollBarZoneSaisie")->isVisible());
    EXPECT_TRUE(Enfant<QMenu>("Mn_Mesure")->menuAction()->isEnabled());
    EXPECT_TRUE(Enfant<QMenu>("Mn_Note")->menuAction()->isEnabled());
}

TEST_F(RoutesFenetre, TrackEightChosenDuringPlaybackOpensTheDrumsAtItsEnd)
{
    MidiDisponible = true;
    TaperChiffres("5");
    Commandes().Executer(Cmd::Ac_Son_LectureDebut);
    ASSERT_FALSE(Commandes().Enabled(Cmd::Ac_Son_LectureDebut));
    PercussionOuvert = false;
    Cliquer("BT_Piste8");
    EXPECT_TRUE(PercussionOuvert);
    lecteur_.Terminer();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Son_LectureDebut));
}

TEST(DialoguesFichiers, FiltersAndTitlesComeFromTheLanguage)
{
    ASSERT_TRUE(ChargerLangue(std::string(LYRX_SOURCE_DIR) + "/data", "English"));
    TDialoguesFichiers d(nullptr);
    const auto legendes = TraduireFenetrePrincipale();
    ASSERT_TRUE(legendes);
    d.AppliquerLegendes(legendes->Dialogues);
    using D = TDialoguesFichiers::Dialogue;
    EXPECT_TRUE(d.Filtre(D::OpenDialog1).endsWith("(*.lrx)"));
    EXPECT_TRUE(d.Titre(D::OpenDialog1).isEmpty());
    EXPECT_EQ(d.Titre(D::SaveDialog2).toStdString(), platform::Cp1252VersUtf8(Traduire("Fichier-ExportMIDI")));
    EXPECT_TRUE(d.Filtre(D::SaveDialog2).endsWith("(*.mid)"));
    EXPECT_TRUE(d.Filtre(D::OpenDialog3).contains(";;"));
    EXPECT_EQ(d.Extension(D::SaveDialog3), "tab");
}

TEST(CommandesFichier, TitlesPagesAndFolders)
{
    struct {
        const char* chemin;
        const char* titre;
    } titres[] = {{"/music/riff.mid", "Riff"},
                  {"/music/Zeta.mid", "Zeta"},
                  {"/music/1st.midi", "1st."},
                  {"/music/é.mid", "\xE9"},
                  {"a.mi", ""}};
    for (const auto& t : titres)
        EXPECT_EQ(TitreDepuisFichierImporte(t.chemin), std::string(t.titre)) << t.chemin;
    EXPECT_EQ(TitreDepuisFichierImporte("/x/" + std::string(200, 'b') + ".mid").size(), 100u);

    struct {
        int premiere, derniere, p, d;
    } pages[] = {{0, 0, 0, 0}, {5, 0, 5, 5}, {7, 3, 3, 7}, {2, 4, 2, 4}, {0, 4, 0, 4}};
    for (const auto& c : pages) {
        int p = c.premiere;
        int d = c.derniere;
        OrdonnerPagesImpression(p, d);
        EXPECT_EQ(p, c.p) << c.premiere << "-" << c.derniere;
        EXPECT_EQ(d, c.d) << c.premiere << "-" << c.derniere;
    }

    EXPECT_EQ(RepertoireDe("/home/me/songs/a.lrx"), "/home/me/songs/");
    EXPECT_EQ(RepertoireDe("a.lrx"), "");
}
