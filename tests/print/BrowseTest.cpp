// The song browser window offscreen: listing the folder it opens on, sorting by the column
// headers, scanning subfolders and stopping a scan, loading the selected song, listening and
// the jump chain through the playback's end, and what it keeps from one opening to the next.
#include "print/Browse.h"

#include "FixtureParcours.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "editor/Ed_fct.h"
#include "midi/EtatLecture.h"
#include "midi/Lecture.h"
#include "midi/OrdreLecture.h"
#include "platform/FichierIni.h"
#include "platform/LecteurMediaFactice.h"

#include <gtest/gtest.h>

#include "controls/CxCmboBx.h"
#include "controls/CxFilSys.h"
#include "controls/Placemnt.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

#include <map>

#include <sys/stat.h>

namespace parcours_test {
namespace {

// The main window as the browser and the playback see it: command states in maps, the
// playback's end asking the browser for the next song, and pending messages delivering the
// player's notifications.
class FenetreParcoursTest : public IFenetrePrincipale {
public:
    platform::LecteurMediaFactice* lecteur = nullptr;
    std::map<std::string, bool> actives;
    std::string titre, legende;
    int pleinEcran = 0, actualisations = 0;

    bool CommandeActive(const char* nom) override
    {
        const auto it = actives.find(nom);
        return it == actives.end() || it->second;
    }
    void ActiverCommande(const char* nom, bool actif) override { actives[nom] = actif; }
    void TraiterMessagesEnAttente() override
    {
        if (lecteur)
            lecteur->LivrerNotifications();
    }
    void AfficherTitreLabel(const char* t) override { titre = t; }
    void AfficherLegendeFenetre(const char* l) override { legende = l; }
    void ActualiserCommandes() override { ++actualisations; }
    void AppliquerPleinEcran(bool actif) override { pleinEcran += actif ? 1 : 0; }
    bool LecteurMidiOuvert() override { return lecteur && lecteur->DeviceOpen(); }
    int SautParcours() override { return std::max(SautApresParcours(), 0); }
    void ParcoursMorceauSuivant() override { SelectionnerMorceauSuivantParcours(); }
};

class Parcours : public FixtureParcours {
protected:
    FenetreParcoursTest fenetre;
    platform::LecteurMediaFactice lecteur;

    void SetUp() override
    {
        FixtureParcours::SetUp();
        fenetre.lecteur = &lecteur;
        fenetre.actives["Ac_Son_Stop"] = false;
        InstallerFenetrePrincipale(&fenetre);
        InstallerMediaPlayer(&lecteur);
        MidiDisponible = true;
        ArretDemande = LectureTemps = false;
        ParcoursEnCours = true;
        PleinEcranActif = false;
        Configuration.FirstBarMetronome = false;
        ReglagesParcours r;
        r.Repertoire = dossier.string();
        ASSERT_TRUE(EcrireReglagesParcours(NomFichierConfiguration, r));
    }

    void TearDown() override
    {
        ParcoursEnCours = false;
        MidiDisponible = false;
        InstallerMediaPlayer(nullptr);
        InstallerFenetrePrincipale(nullptr);
        FixtureParcours::TearDown();
    }

    static std::vector<std::string> Liste(const TBrowseForm& f)
    {
        std::vector<std::string> noms;
        for (int k = 0; k < f.ListView1->topLevelItemCount(); ++k)
            noms.push_back(f.ListView1->topLevelItem(k)->text(ColonneNom).toStdString());
        return noms;
    }

    static QTreeWidgetItem* Element(const TBrowseForm& f, const std::string& nom)
    {
        for (int k = 0; k < f.ListView1->topLevelItemCount(); ++k)
            if (f.ListView1->topLevelItem(k)->text(ColonneNom).toStdString() == nom)
                return f.ListView1->topLevelItem(k);
        return nullptr;
    }

    bool EnLecture() { return !fenetre.CommandeActive("Ac_Son_LectureDebut"); }

    // The player reaches the end of the file and its notification runs.
    void FinDuMorceau()
    {
        lecteur.Terminer();
        lecteur.LivrerNotifications();
    }
};

TEST_F(Parcours, OpensOnTheStoredFolderAndListsItsSongsByName)
{
    EcrireChanson(dossier / "c.lrx", "C", 1);
    EcrireChanson(dossier / "a.lrx", "A", 1);
    EcrireChanson(dossier / "B.lrx", "B", 1);
    EcrireTexte(dossier / "abimee.lrx", "garbage");
    EcrireTexte(dossier / "sous" / "cache.lrx", "x");

    TBrowseForm f;
    EXPECT_EQ(FenetreParcours(), &f);
    int listages = 0;
    f.AuDebutDossier = [&](const std::string&) { ++listages; };
    f.show();
    EXPECT_EQ(f.Directory(), dossier.string());
    EXPECT_EQ(listages, 1); // listed once, though the tree's selection moved to the folder
    EXPECT_EQ(Liste(f), (std::vector<std::string>{"a", "abimee", "B", "c"}));
    EXPECT_EQ(f.TexteStatut(0).toStdString(), "4 file(s)");
    EXPECT_TRUE(f.TexteStatut(1).isEmpty());
    EXPECT_TRUE(f.ListView1->isVisibleTo(&f));
    // Nothing loaded yet, and the main window shows the score only.
    EXPECT_TRUE(f.TitleLib->text().isEmpty());
    EXPECT_EQ(fenetre.pleinEcran, 1);
    EXPECT_TRUE(PleinEcranActif);
    EXPECT_EQ(std::filesystem::current_path(), dossier);

    // The header: another column ascending, the same column flips.
    f.ListView1ColumnClick(ColonneNom);
    EXPECT_EQ(Liste(f), (std::vector<std::string>{"c", "B", "abimee", "a"}));
    f.ListView1ColumnClick(ColonneTaille);
    EXPECT_EQ(f.ColonneTri, ColonneTaille);
    EXPECT_TRUE(f.TriCroissant);
    EXPECT_EQ(Liste(f).front(), "abimee"); // 7 bytes, the songs are larger
    f.ListView1ColumnClick(ColonneTaille);
    EXPECT_EQ(Liste(f).back(), "abimee");
    f.close();
}

TEST_F(Parcours, SelectingASongLoadsItAndShowsItsSummary)
{
    ChargerAnglais();
    EcrireChanson(dossier / "rock.lrx", "Rock & roll <b>", 12, {2, 1, true}, "Moi", "Note");
    EcrireTexte(dossier / "zz_abimee.lrx", "garbage");
    TBrowseForm f;
    f.show();
    EXPECT_EQ(f.windowTitle().toStdString(), "Song browser");
    EXPECT_EQ(f.JumpAfter->count(), 7);
    EXPECT_EQ(f.JumpAfter->itemText(6).toStdString(), "Jump after the score");

    PartitionModifiee = true;
    f.ListView1->setCurrentItem(Element(f, "rock"));
    EXPECT_EQ(CheminFichier, (dossier / "rock.lrx").string());
    EXPECT_EQ(Partition.NbMesures, 12);
    // The texts as they are: no markup, the ampersand shown.
    EXPECT_EQ(f.TitleLib->text().toStdString(), "Rock & roll <b>");
    EXPECT_EQ(f.TitleLib->textFormat(), Qt::PlainText);
    EXPECT_EQ(f.AuthorLib->text().toStdString(), "Moi");
    EXPECT_EQ(f.NoteLib->text().toStdString(), "Note");
    EXPECT_EQ(f.NbBarLib->text().toStdString(), "12");
    EXPECT_EQ(f.NbGBDLib->text().toStdString(), "2 - 1 - 1");
    EXPECT_EQ(fenetre.titre, "Rock & roll <b> - Moi");
    EXPECT_EQ(fenetre.legende, "Lyrandaxis 2.2 - rock.lrx");
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_GT(fenetre.actualisations, 0);
    EXPECT_TRUE(f.TexteStatut(1).isEmpty());
    // Listen is up: nothing plays.
    EXPECT_EQ(lecteur.NbLectures, 0);

    // A damaged file: the reader's message, an empty song and an empty summary.
    f.ListView1->setCurrentItem(Element(f, "zz_abimee"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, "This file is not a Lyrandaxis song.");
    EXPECT_TRUE(f.TitleLib->text().isEmpty());
    EXPECT_TRUE(f.NbGBDLib->text().isEmpty());
    EXPECT_FALSE(PartitionModifiee);
    // The window's next activation does not list the folder again.
    f.hide();
    f.show();
    EXPECT_EQ(f.ListView1->currentItem(), Element(f, "zz_abimee"));
    f.close();
}

TEST_F(Parcours, ListenPlaysTheSelectedSongAndReleasingStops)
{
    EcrireChanson(dossier / "a.lrx", "A", 4);
    TBrowseForm f;
    f.show();
    f.ListView1->setCurrentItem(Element(f, "a"));
    ASSERT_EQ(lecteur.NbLectures, 0);

    f.Ecouter->click();
    EXPECT_TRUE(f.Ecouter->isChecked());
    EXPECT_EQ(lecteur.NbLectures, 1);
    EXPECT_TRUE(EnLecture());
    EXPECT_EQ(NbOrdreLecture, 4); // "No jump": the whole song

    f.Ecouter->click();
    EXPECT_FALSE(f.Ecouter->isChecked());
    EXPECT_TRUE(ArretDemande);
    lecteur.LivrerNotifications();
    EXPECT_FALSE(EnLecture());
    EXPECT_EQ(lecteur.NbLectures, 1);
    f.close();
}

TEST_F(Parcours, JumpAfterPlaysTheFirstMeasuresOfEachSongInTurn)
{
    EcrireChanson(dossier / "1.lrx", "Un", 6);
    EcrireChanson(dossier / "2.lrx", "Deux", 1);
    EcrireChanson(dossier / "3.lrx", "Trois", 9);
    TBrowseForm f;
    f.show();
    f.JumpAfter->setCurrentIndex(2); // after 2 bars
    EXPECT_EQ(SautApresParcours(), 2);
    f.Ecouter->click();
    lecteur.LivrerNotifications();
    const int avant = lecteur.NbLectures;

    f.ListView1->setCurrentItem(Element(f, "1"));
    EXPECT_EQ(lecteur.NbLectures, avant + 1);
    EXPECT_EQ(NbOrdreLecture, 2);

    FinDuMorceau();
    EXPECT_EQ(f.ListView1->currentItem(), Element(f, "2"));
    EXPECT_EQ(CheminFichier, (dossier / "2.lrx").string());
    EXPECT_EQ(NbOrdreLecture, 1); // never more than the song has
    EXPECT_EQ(lecteur.NbLectures, avant + 2);

    FinDuMorceau();
    EXPECT_EQ(f.ListView1->currentItem(), Element(f, "3"));
    EXPECT_EQ(NbOrdreLecture, 2);

    // After the last song nothing follows.
    FinDuMorceau();
    EXPECT_EQ(f.ListView1->currentItem(), Element(f, "3"));
    EXPECT_EQ(lecteur.NbLectures, avant + 3);
    EXPECT_FALSE(EnLecture());

    // The jump items in measures played: whole, 1, 2, 5, 10, 25, whole.
    const int attendus[] = {9, 1, 2, 5, 9, 9, 9};
    for (int saut = 0; saut <= 6; ++saut) {
        f.JumpAfter->setCurrentIndex(saut);
        EXPECT_EQ(MesuresParcours(SautApresParcours(), Partition.NbMesures), attendus[saut]) << saut;
    }
    f.close();
}

TEST_F(Parcours, NoJumpStaysOnTheSongAndAStopBreaksTheChain)
{
    EcrireChanson(dossier / "1.lrx", "Un", 3);
    EcrireChanson(dossier / "2.lrx", "Deux", 3);
    TBrowseForm f;
    f.show();
    f.Ecouter->click();
    lecteur.LivrerNotifications();
    f.ListView1->setCurrentItem(Element(f, "1"));
    EXPECT_EQ(NbOrdreLecture, 3);
    FinDuMorceau();
    EXPECT_EQ(f.ListView1->currentItem(), Element(f, "1"));

    f.JumpAfter->setCurrentIndex(6); // after the score: whole song, then the next
    f.Ecouter->click();              // up: stops nothing (nothing plays)
    f.Ecouter->click();              // down: plays the current song
    ASSERT_TRUE(EnLecture());
    Ac_Son_StopExecute();
    lecteur.LivrerNotifications();
    EXPECT_EQ(f.ListView1->currentItem(), Element(f, "1"));

    // Selecting another song during a playback stops it before the song is replaced.
    f.Ecouter->click();
    f.Ecouter->click();
    ASSERT_TRUE(EnLecture());
    const int avant = lecteur.NbLectures;
    f.ListView1->setCurrentItem(Element(f, "2"));
    EXPECT_EQ(lecteur.NbLectures, avant + 1);
    EXPECT_TRUE(EnLecture());
    EXPECT_EQ(CheminFichier, (dossier / "2.lrx").string());
    f.close();
}

TEST_F(Parcours, ScanningSubfoldersAndStoppingAScan)
{
    EcrireTexte(dossier / "haut.lrx", "x");
    EcrireTexte(dossier / "a" / "milieu.lrx", "x");
    EcrireTexte(dossier / "a" / "b" / "bas.lrx", "x");
    TBrowseForm f;
    f.show();
    ASSERT_EQ(Liste(f), std::vector<std::string>{"haut"});

    std::vector<std::string> vus;
    f.AuDebutDossier = [&](const std::string& d) {
        vus.push_back(d);
        // The list is hidden and the tree stays put while the scan runs.
        EXPECT_FALSE(f.ListView1->isVisibleTo(&f));
        EXPECT_FALSE(f.ArbreModifiable);
        EXPECT_TRUE(f.ScanEnCours);
        EXPECT_EQ(f.BT_ScannerSousRep->toolTip(), QStringLiteral("Stop the search"));
    };
    f.BT_ScannerSousRep->click();
    EXPECT_EQ(Liste(f), (std::vector<std::string>{"bas", "haut", "milieu"}));
    EXPECT_EQ(vus.size(), 3u);
    EXPECT_FALSE(f.ScanEnCours);
    EXPECT_TRUE(f.ArbreModifiable);
    EXPECT_TRUE(f.ListView1->isVisibleTo(&f));
    EXPECT_EQ(f.TexteStatut(0).toStdString(), "3 file(s)");
    EXPECT_EQ(f.BT_ScannerSousRep->toolTip(), QStringLiteral("List the songs of all subfolders too"));
    // The folder column tells where each one lives.
    EXPECT_EQ(Element(f, "bas")->text(ColonneRepertoire).toStdString(), (dossier / "a" / "b").string());

    // A click on the button while the scan lets messages through stops it: the songs listed
    // so far stay.
    f.AuDebutDossier = [&](const std::string& d) {
        if (d == dossier.string())
            QMetaObject::invokeMethod(
                f.BT_ScannerSousRep, [&f] { f.BT_ScannerSousRep->click(); }, Qt::QueuedConnection);
    };
    f.BT_ScannerSousRep->click();
    EXPECT_EQ(Liste(f), std::vector<std::string>{"haut"});
    EXPECT_FALSE(f.ScanEnCours);
    EXPECT_TRUE(f.ArbreModifiable);
    f.close();
}

TEST_F(Parcours, TheTreeChangesTheFolderAndTheNextOpeningComesBackToIt)
{
    EcrireTexte(dossier / "haut.lrx", "x");
    EcrireTexte(dossier / "rangement" / "range.lrx", "x");
    {
        TBrowseForm f;
        f.show();
        // The tree has the folder's subfolders ready: it opened the way to the folder.
        QTreeWidgetItem* noeud = f.SystemTreeView1->NoeudDe(QString::fromStdString((dossier / "rangement").string()));
        ASSERT_NE(noeud, nullptr);
        f.SystemTreeView1->setCurrentItem(noeud);
        EXPECT_EQ(f.Directory(), (dossier / "rangement").string());
        EXPECT_EQ(Liste(f), std::vector<std::string>{"range"});
        f.ListView1->setColumnWidth(0, 123);
        f.JumpAfter->setCurrentIndex(3);
        f.Splitter1->setSizes({150, f.Splitter1->width() - 150});
        f.BT_Fermer->click();
        EXPECT_FALSE(f.isVisible());
    }
    const platform::FichierIni ini(FichierPlacementParcours);
    EXPECT_TRUE(ini.ValueExists("Browser", "NormPos"));
    EXPECT_EQ(ini.ReadInteger("Browser", "Panel_Gauche_Width", 0), 150);
    EXPECT_EQ(ini.ReadInteger("Browser", "Visible", -1), 0);

    TBrowseForm f;
    f.show();
    EXPECT_EQ(f.Directory(), (dossier / "rangement").string());
    EXPECT_EQ(Liste(f), std::vector<std::string>{"range"});
    EXPECT_EQ(f.ListView1->columnWidth(0), 123);
    EXPECT_EQ(f.JumpAfter->currentIndex(), 3);
    EXPECT_EQ(f.Panel_Gauche->width(), 150);
    f.close();
}

TEST_F(Parcours, WhileAListingRunsTheTreeKeepsItsSelection)
{
    EcrireTexte(dossier / "a" / "x.lrx", "x");
    EcrireTexte(dossier / "b" / "y.lrx", "x");
    TBrowseForm f;
    f.show();
    QTreeWidgetItem* a = f.SystemTreeView1->NoeudDe(QString::fromStdString((dossier / "a").string()));
    QTreeWidgetItem* b = f.SystemTreeView1->NoeudDe(QString::fromStdString((dossier / "b").string()));
    ASSERT_TRUE(a && b);
    bool essaye = false;
    f.AuDebutDossier = [&](const std::string&) {
        if (essaye)
            return;
        essaye = true;
        f.SystemTreeView1->setCurrentItem(b);
        EXPECT_EQ(f.SystemTreeView1->currentItem(), a);
    };
    f.SystemTreeView1->setCurrentItem(a);
    EXPECT_TRUE(essaye);
    EXPECT_EQ(f.Directory(), (dossier / "a").string());
    EXPECT_EQ(Liste(f), std::vector<std::string>{"x"});
    f.close();
}

TEST_F(Parcours, StoredFoldersAreOpenedAsStoredWhateverTheirNameOrPath)
{
    // A folder named in Windows-1252 bytes ("Chansons é"), and a folder reached through a
    // link that loops back to its parent.
    const std::string octets = (dossier / "Chansons \xe9").string();
    ASSERT_EQ(::mkdir(octets.c_str(), 0755), 0);
    EcrireChanson(fs::path(octets) / "valse.lrx", "Valse", 2);
    fs::create_directories(dossier / "a" / "b");
    fs::create_directory_symlink("..", dossier / "a" / "retour");
    EcrireTexte(dossier / "a" / "b" / "b.lrx", "x");
    const std::string parLaBoucle = (dossier / "a" / "retour" / "a" / "retour" / "a" / "b").string();

    struct Cas {
        std::string stocke;
        std::string chanson;
    };
    for (const Cas& c : {Cas{octets, "valse"}, Cas{parLaBoucle, "b"}}) {
        ReglagesParcours r;
        r.Repertoire = c.stocke;
        ASSERT_TRUE(EcrireReglagesParcours(NomFichierConfiguration, r));
        TBrowseForm f;
        f.show();
        EXPECT_TRUE(messages.empty()) << c.stocke;
        EXPECT_EQ(f.Directory(), c.stocke);
        EXPECT_EQ(f.SystemTreeView1->DirectoryOctets().toStdString(), c.stocke);
        EXPECT_EQ(Liste(f), std::vector<std::string>{c.chanson});
        EXPECT_EQ(f.TexteStatut(0).toStdString(), "1 file(s)");
        f.close();
        EXPECT_EQ(LireReglagesParcours(NomFichierConfiguration, "/prog/").Repertoire, c.stocke);
    }
    // The folder column shows the name as Windows-1252 reads it.
    ReglagesParcours r;
    r.Repertoire = octets;
    ASSERT_TRUE(EcrireReglagesParcours(NomFichierConfiguration, r));
    TBrowseForm f;
    f.show();
    ASSERT_EQ(f.ListView1->topLevelItemCount(), 1);
    EXPECT_TRUE(f.ListView1->topLevelItem(0)->text(ColonneRepertoire).endsWith(QString::fromUtf8("Chansons \u00e9")));
    f.close();
    fs::remove_all(octets);
}

TEST_F(Parcours, AnOversizedStoredPlacementComesBackOnTheScreenAtAUsableSize)
{
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize resolution = TFormPlacement::ResolutionEcran();
    const std::string rect = "-40,10,5030,9000";
    const std::string ppp = std::to_string(TFormPlacement::PixelsParPouceEcran());
    EcrireTexte(windows / FichierPlacementParcours,
                "[Browser]\nPixelsPerInch=" + ppp + "\nNormPos(" + std::to_string(resolution.width()) + "x"
                    + std::to_string(resolution.height()) + ")=" + rect + "\nNormPos=" + rect
                    + "\nPanel_Gauche_Width=4000\n");
    TBrowseForm f;
    f.show();
    EXPECT_TRUE(ecran.contains(f.geometry())) << f.geometry().x() << "," << f.geometry().y() << " "
                                              << f.width() << "x" << f.height();
    EXPECT_GE(f.width(), 160);
    EXPECT_GE(f.height(), 120);
    // The tree is as wide as the window allows, and the list keeps its minimum beside it.
    EXPECT_GE(f.Panel_Droite->width(), 100);
    EXPECT_LT(f.Panel_Gauche->width(), f.width());
    f.close();
    const platform::FichierIni ini(FichierPlacementParcours);
    const std::string normPos = ini.ReadString("Browser", "NormPos", "");
    EXPECT_EQ(normPos, std::to_string(f.geometry().left()) + "," + std::to_string(f.geometry().top()) + ","
                           + std::to_string(f.geometry().left() + f.width()) + ","
                           + std::to_string(f.geometry().top() + f.height()));
}

TEST_F(Parcours, ALongFolderPathIsShortenedInTheStatusAndNeverWidensTheWindow)
{
    // A folder tree some thousands of pixels deep when written out.
    fs::path profond = dossier;
    for (int k = 0; k < 12; ++k)
        profond /= std::string(180, static_cast<char>('a' + k));
    EcrireTexte(profond / "fond.lrx", "x");
    TBrowseForm f;
    f.show();
    const int largeur = f.width();
    const auto* panneau = f.StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    ASSERT_NE(panneau, nullptr);

    bool vu = false;
    f.AuDebutDossier = [&](const std::string& d) {
        if (d != profond.string())
            return;
        vu = true;
        const QString entier = QStringLiteral("Searching ") + QString::fromStdString(d);
        EXPECT_EQ(f.TexteStatut(1), entier);
        const QString affiche = panneau->text();
        EXPECT_TRUE(affiche.startsWith(QStringLiteral("Searching "))) << affiche.toStdString();
        EXPECT_TRUE(affiche.contains(QChar(0x2026)));
        EXPECT_TRUE(affiche.endsWith(QString::fromStdString(std::string(8, 'l'))));
        EXPECT_LE(panneau->fontMetrics().horizontalAdvance(affiche), panneau->width());
        // Beside the count, not over it.
        const auto* compte = f.StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
        ASSERT_NE(compte, nullptr);
        EXPECT_GE(panneau->x(), compte->x() + compte->width());
    };
    f.BT_ScannerSousRep->click();
    EXPECT_TRUE(vu);
    QApplication::processEvents();
    EXPECT_EQ(Liste(f), std::vector<std::string>{"fond"});
    EXPECT_EQ(f.width(), largeur);
    EXPECT_LT(f.minimumSizeHint().width(), QGuiApplication::primaryScreen()->availableGeometry().width());
    f.close();
    // What is saved is what the window had.
    const platform::FichierIni ini(FichierPlacementParcours);
    const std::string normPos = ini.ReadString("Browser", "NormPos", "");
    EXPECT_EQ(normPos.substr(normPos.find(',', normPos.find(',') + 1) + 1),
              std::to_string(f.geometry().left() + largeur) + "," + std::to_string(f.geometry().bottom() + 1));
}

TEST_F(Parcours, AStoredFolderThatIsGoneIsReportedAndLeavesTheListEmpty)
{
    ReglagesParcours r;
    r.Repertoire = (dossier / "parti").string();
    ASSERT_TRUE(EcrireReglagesParcours(NomFichierConfiguration, r));
    TBrowseForm f;
    f.show();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, "The " + (dossier / "parti").string() + " directory does not exist");
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 0);
    f.close();
    // Until the user picks a folder, the stored one stays.
    EXPECT_EQ(LireReglagesParcours(NomFichierConfiguration, "/prog/").Repertoire, (dossier / "parti").string());
}

TEST_F(Parcours, WithoutABrowserThePlaybackFindsNoJump)
{
    EXPECT_EQ(FenetreParcours(), nullptr);
    EXPECT_EQ(SautApresParcours(), -1);
    SelectionnerMorceauSuivantParcours(); // nothing to do, nothing breaks
}

} // namespace
} // namespace parcours_test
