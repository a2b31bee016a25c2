// The drum and staff palettes offscreen: what they write into the cursor beat, what they play,
// their windows' states and keys.
#include "FixtureLectureDialogues.h"

#include "dialogs/Ass_bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/DessinPortee.h"
#include "dialogs/Percussions.h"
#include "editor/Saisie.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <fstream>

namespace {

// The main window as the palettes reach it: the command-state refresh redraws the staff while
// it is visible, as the real window does.
class FenetrePalettes : public FenetreLectureDialogues {
public:
    TClassForm* Portee = nullptr;
    int RedessinsPortee = 0;
    void ActualiserPorteeSolfege() override
    {
        ++RedessinsPortee;
        if (Portee && Portee->isVisible())
            Portee->DessinerPortee();
    }
};

// Records the keys the palette hands to the main window.
class CibleTouches : public QWidget {
public:
    std::vector<int> Pressees, Relachees;

protected:
    void keyPressEvent(QKeyEvent* e) override { Pressees.push_back(e->key()); }
    void keyReleaseEvent(QKeyEvent* e) override { Relachees.push_back(e->key()); }
};

class FixturePalettes : public FixtureLectureDialogues {
protected:
    FenetrePalettes fenetrePal;

    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        fenetrePal.Lecteur = &lecteurMedia;
        InstallerFenetrePrincipale(&fenetrePal);
    }

    void TearDown() override
    {
        fenetrePal.Portee = nullptr;
        FixtureLectureDialogues::TearDown();
    }

    // The preview file cannot be created: its folder is a file.
    void BloquerFichierTemporaire()
    {
        const auto fichier = dossier / "bloque";
        std::ofstream(fichier) << "x";
        windows.emplace("LYRX_WINDOWS_DIR", fichier.string());
    }

    static void Cle(QWidget* w, int touche, const QString& texte = {}, QEvent::Type type = QEvent::KeyPress)
    {
        QKeyEvent e(type, touche, Qt::NoModifier, texte);
        QCoreApplication::sendEvent(w, &e);
    }
};

// ---- Drum palette ----------------------------------------------------------------------------------

class PalettePercussionTest : public FixturePalettes {
protected:
    void SetUp() override
    {
        FixturePalettes::SetUp();
        PisteCourante = kPistePercussions;
        Remplir(1, 8, 2, 0, false, false, 38);
        Entrer(1, 3, 2);
        fenetrePal.Appels.clear();
    }

    static void Choisir(TAssistant_Bat_Form& p, int note) { p.Liste->setCurrentRow(note - kPremiereNotePercussion); }
    static void DoubleClic(TAssistant_Bat_Form& p, int note)
    {
        Choisir(p, note);
        emit p.Liste->itemDoubleClicked(p.Liste->currentItem());
    }
    static void Clic(TAssistant_Bat_Form& p, int note)
    {
        Choisir(p, note);
        emit p.Liste->itemClicked(p.Liste->currentItem());
    }
};

TEST_F(PalettePercussionTest, LaListeDesSons)
{
    TAssistant_Bat_Form palette;
    ASSERT_EQ(palette.Liste->count(), 61);
    EXPECT_EQ(palette.Liste->item(0)->text(), "27 - High Q");
    EXPECT_EQ(palette.Liste->item(58)->text(), "85 - Castinets");
    EXPECT_EQ(palette.Liste->currentRow(), -1);
    EXPECT_EQ(palette.objectName(), "Assistant_Bat_Form");
    EXPECT_EQ(palette.windowTitle(), "Assistant percussions");
    ChargerAnglais();
    palette.Traduire();
    EXPECT_EQ(palette.windowTitle(), "Drums");
}

TEST_F(PalettePercussionTest, DoubleClicSurLaColonneLibreAjouteUnTemps)
{
    TAssistant_Bat_Form palette;
    Configuration.DefaultDynamic = 8;
    Note(1, 8, 3, 2).Nuance = 3;
    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
    DoubleClic(palette, 36);

    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 3);
    EXPECT_EQ(Note(1, 8, 3, 2).Frette, 36);
    EXPECT_EQ(Note(1, 8, 3, 2).Nuance, 3) << "the palette keeps the slot's dynamic";
    EXPECT_EQ(Temps(1, 8, 4).Duree, 480) << "the next free slot is prepared";
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(Note(1, 8, 4, s).Frette, kPasDeNote);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_EQ(lecteurMedia.NbLectures, 0) << "the entered beat is not played";
    EXPECT_GE(fenetrePal.RedessinsPortee, 1) << "the commands are refreshed";
}

TEST_F(PalettePercussionTest, UnSilenceOuUnTempsLieDevientJoue)
{
    TAssistant_Bat_Form palette;
    Temps(1, 8, 1).Silence = true;
    Temps(1, 8, 1).Notes[1].Frette = kPasDeNote;
    Temps(1, 8, 2).Lie = true;
    Curseur.Temps = 1;
    DoubleClic(palette, 42);
    EXPECT_FALSE(Temps(1, 8, 1).Silence);
    EXPECT_EQ(Note(1, 8, 1, 2).Frette, 42);
    Curseur.Temps = 2;
    DoubleClic(palette, 46);
    EXPECT_FALSE(Temps(1, 8, 2).Lie);
    EXPECT_EQ(Note(1, 8, 2, 2).Frette, 46);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 2);
}

TEST_F(PalettePercussionTest, UnClicJoueLeSonSeul)
{
    TAssistant_Bat_Form palette;
    Clic(palette, 38);
    EXPECT_EQ(lecteurMedia.NbLectures, 1);
    EXPECT_EQ(lecteurMedia.Contenu(), GenererMidiPercussion(38));
    EXPECT_TRUE(lecteurMedia.Notify());
    EXPECT_FALSE(LectureTemps) << "no flag for the end of play";
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 2) << "a click enters nothing";

    // The arrow keys choose and play as well.
    Cle(palette.Liste, Qt::Key_Down);
    EXPECT_EQ(lecteurMedia.NbLectures, 2);
    EXPECT_EQ(lecteurMedia.Contenu(), GenererMidiPercussion(39));
}

TEST_F(PalettePercussionTest, EntreeJoueEtEntre)
{
    TAssistant_Bat_Form palette;
    Choisir(palette, 49);
    Cle(palette.Liste, Qt::Key_Return);
    EXPECT_EQ(lecteurMedia.NbLectures, 1);
    EXPECT_EQ(lecteurMedia.Contenu(), GenererMidiPercussion(49));
    EXPECT_EQ(Note(1, 8, 3, 2).Frette, 49);
}

TEST_F(PalettePercussionTest, EntreeSansSonChoisiNeFaitRien)
{
    TAssistant_Bat_Form palette;
    Cle(palette.Liste, Qt::Key_Return);
    palette.BitBtn1->click();
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 2);
    EXPECT_FALSE(PartitionModifiee);
}

TEST_F(PalettePercussionTest, SansSequenceurLeClicNeJouePasMaisLeDoubleClicEntre)
{
    TAssistant_Bat_Form palette;
    MidiDisponible = false;
    Clic(palette, 36);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    EXPECT_TRUE(lecteurMedia.Journal.empty());
    DoubleClic(palette, 36);
    EXPECT_EQ(Note(1, 8, 3, 2).Frette, 36);
}

TEST_F(PalettePercussionTest, RienDansLAffichagePartitionSeuleNiPendantLaLecture)
{
    TAssistant_Bat_Form palette;
    PleinEcranActif = true;
    Clic(palette, 36);
    DoubleClic(palette, 36);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 2);

    // A song playing owns the player and the measure.
    PleinEcranActif = false;
    Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, false);
    Clic(palette, 36);
    DoubleClic(palette, 36);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 2);
}

// A drum number is no fret of a guitar string: off the percussion track (Ctrl+digit leaves the
// palette open) nothing is written.
TEST_F(PalettePercussionTest, HorsDeLaPisteDePercussionsRienNEstEcrit)
{
    TAssistant_Bat_Form palette;
    SaisirChiffre(3, Modif::Ctrl);
    ASSERT_EQ(PisteCourante, 3);
    Curseur.Temps = 1;
    DoubleClic(palette, 36);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[3], 0);
    EXPECT_EQ(Note(1, 3, 1, 1).Frette, kPasDeNote);
}

// A part of 64 beats has no free column to grow into.
TEST_F(PalettePercussionTest, SoixanteQuatreTempsNeGrandissentPas)
{
    TAssistant_Bat_Form palette;
    Remplir(1, 8, 64, 4, false, false, 38);
    Entrer(1, 65, 1);
    const TTemps avant = Temps(1, 8, 65);
    DoubleClic(palette, 36);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 64);
    EXPECT_EQ(Temps(1, 8, 65).Notes[1].Frette, avant.Notes[1].Frette);
    EXPECT_FALSE(PartitionModifiee);
}

TEST_F(PalettePercussionTest, FichierDEcouteImpossible)
{
    TAssistant_Bat_Form palette;
    BloquerFichierTemporaire();
    Clic(palette, 36);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages[0].Texte, Traduire("MidiExp-EcritureFichierImpossibleEnregAb"));
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    // The palette stays usable.
    DoubleClic(palette, 36);
    EXPECT_EQ(Note(1, 8, 3, 2).Frette, 36);
}

TEST_F(PalettePercussionTest, EchapCacheEtLaCommandeSuitLaPiste)
{
    TAssistant_Bat_Form palette;
    Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, true);
    ASSERT_TRUE(Commandes().Executer(Cmd::Ac_Ass_Percussion));
    EXPECT_TRUE(palette.isVisible());
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Ass_Percussion));
    EXPECT_TRUE(palette.Visible());

    PisteCourante = 3;
    Cle(palette.Liste, Qt::Key_Escape);
    EXPECT_FALSE(palette.isVisible());
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Ass_Percussion));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));

    PisteCourante = 8;
    palette.SetVisible(true);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
    Cle(&palette, Qt::Key_Escape);
    EXPECT_FALSE(palette.isVisible());
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));

    // The command toggles.
    Commandes().Executer(Cmd::Ac_Ass_Percussion);
    EXPECT_TRUE(palette.isVisible());
    Commandes().Executer(Cmd::Ac_Ass_Percussion);
    EXPECT_FALSE(palette.isVisible());
}

// ---- Staff palette ---------------------------------------------------------------------------------

class PalettePorteeTest : public FixturePalettes {
protected:
    void SetUp() override
    {
        FixturePalettes::SetUp();
        PisteCourante = 1;
        Entrer(1, 1, 1);
        fenetrePal.Appels.clear();
    }

    // A click at a staff position, the mouse moved there first.
    static void Cliquer(TClassForm& p, int position)
    {
        p.Image1MouseMove(YPosition(position));
        p.Image1Click();
    }

    static QRgb Pixel(const TClassForm& p, int x, int y) { return p.Image1->Image.pixel(x, y) & 0xFFFFFF; }
};

TEST_F(PalettePorteeTest, LaFenetreEtSesControles)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    EXPECT_EQ(palette.objectName(), "ClassForm");
    EXPECT_EQ(palette.size(), QSize(138, 222));
    EXPECT_EQ(palette.Image1->size(), QSize(90, 201));
    for (const char* nom : {"Image1", "Img_Clef_Sol", "Img_Clef_Fa", "Img_Clef_Acco", "Panel2", "BT_ClefSol",
                            "BT_ClefFa", "NomTon", "TonUp", "TonDown", "BT_Diese", "BT_Bemol", "BT_Becarre",
                            "Ed_Invisible", "BT_Invisible"})
        EXPECT_TRUE(palette.findChild<QObject*>(nom)) << nom;
    EXPECT_LT(palette.Ed_Invisible->x(), 0);
    EXPECT_LT(palette.BT_Invisible->x(), 0);
}

TEST_F(PalettePorteeTest, UnClicEntreLaNoteSurLaCordeLaPlusBasse)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Cliquer(palette, 30); // bottom treble line: E, MIDI 52
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 1);
    EXPECT_EQ(Note(1, 1, 1, 4).Frette, 2);
    EXPECT_EQ(Curseur.Corde, 4);
    ASSERT_EQ(palette.NotesAffichees().size(), 1u) << "the refresh redraws the staff";
    EXPECT_EQ(palette.NotesAffichees()[0].Position, 30);

    // String 4 holds a note now: the same position would go on string 5, fret 7; a second E
    // is no new position, so a click there deletes the shown one instead.
    Note(1, 1, 1, 4).Frette = 4; // F sharp 54, position 31
    palette.DessinerPortee();
    Cliquer(palette, 30);
    EXPECT_EQ(Note(1, 1, 1, 5).Frette, 7);
    EXPECT_EQ(Curseur.Corde, 5);
}

TEST_F(PalettePorteeTest, UnClicSurUneNoteMontreeLEfface)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Cliquer(palette, 30);
    ASSERT_EQ(Note(1, 1, 1, 4).Frette, 2);
    Curseur.Corde = 1;
    Cliquer(palette, 30);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0) << "its last note gone, the beat goes";
    EXPECT_TRUE(palette.NotesAffichees().empty());
    Cliquer(palette, 30);
    EXPECT_EQ(Note(1, 1, 1, 4).Frette, 2) << "entered again";

    // In a beat of two notes only the clicked one goes, and its string becomes the cursor's.
    Cliquer(palette, 38); // F 65: string 1 fret 1
    ASSERT_EQ(Note(1, 1, 1, 1).Frette, 1);
    Curseur.Corde = 6;
    Cliquer(palette, 30);
    EXPECT_EQ(Note(1, 1, 1, 4).Frette, kPasDeNote);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 1);
    EXPECT_EQ(Curseur.Corde, 4);
}

TEST_F(PalettePorteeTest, ArmureEtBoutonsDAlteration)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Partition.Armure = 1;
    struct Cas {
        QToolButton* Bouton;
        int Frette; // on string 1 (64)
    };
    const Cas cas[] = {{nullptr, 2}, {palette.BT_Becarre, 1}, {palette.BT_Bemol, 0}, {palette.BT_Diese, 2}};
    for (const Cas& c : cas) {
        Remplir(1, 1, 0);
        Entrer(1, 1, 1);
        for (QToolButton* b : {palette.BT_Diese, palette.BT_Bemol, palette.BT_Becarre})
            b->setChecked(false);
        if (c.Bouton)
            c.Bouton->click();
        Cliquer(palette, 38); // top treble line
        EXPECT_EQ(Note(1, 1, 1, 1).Frette, c.Frette) << (c.Bouton ? c.Bouton->objectName().toStdString() : "none");
    }
}

TEST_F(PalettePorteeTest, UnSeulBoutonDAlterationEnfonce)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.BT_Diese->click();
    EXPECT_EQ(palette.BoutonAlteration(), TBoutonAlteration::Diese);
    palette.BT_Bemol->click();
    EXPECT_FALSE(palette.BT_Diese->isChecked());
    EXPECT_EQ(palette.BoutonAlteration(), TBoutonAlteration::Bemol);
    palette.BT_Bemol->click();
    EXPECT_EQ(palette.BoutonAlteration(), TBoutonAlteration::Aucun);
}

TEST_F(PalettePorteeTest, AucuneCordeNePeutJouerLaHauteur)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Cliquer(palette, 5); // MIDI 9: far below the low E
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
    EXPECT_FALSE(PartitionModifiee);
}

TEST_F(PalettePorteeTest, LeTempsEstJoueQuandLeSequenceurMarche)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
    Cliquer(palette, 30);
    EXPECT_EQ(lecteurMedia.NbLectures, 1);
    EXPECT_TRUE(LectureTemps);

    // Without a sequencer: the note, no sound.
    MidiDisponible = false;
    LectureTemps = false;
    Cliquer(palette, 38);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 1);
    EXPECT_EQ(lecteurMedia.NbLectures, 1);
    EXPECT_FALSE(LectureTemps);

    // Play-while-entering off: no sound either.
    MidiDisponible = true;
    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, false);
    Cliquer(palette, 34);
    EXPECT_EQ(lecteurMedia.NbLectures, 1);
}

// The note is in the beat even when its preview cannot be written: the length display and the
// commands show it.
TEST_F(PalettePorteeTest, UnFichierDEcouteImpossibleNEmpechePasLeRafraichissement)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
    BloquerFichierTemporaire();
    fenetrePal.RedessinsPortee = 0;
    Cliquer(palette, 30);
    EXPECT_EQ(Note(1, 1, 1, 4).Frette, 2);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(lecteurMedia.NbLectures, 0);
    EXPECT_GE(fenetrePal.RedessinsPortee, 1);
    ASSERT_EQ(palette.NotesAffichees().size(), 1u);
}

TEST_F(PalettePorteeTest, LeDessinSuitLeTempsDuCurseur)
{
    Remplir(1, 1, 1, 0, false, false, -1);
    Note(1, 1, 1, 4).Frette = 2;          // E 52, position 30
    Note(1, 1, 1, 3).Frette = kNoteMorte; // not shown
    Note(1, 1, 1, 2).Frette = 1;          // C 60, position 35
    Entrer(1, 1, 1);
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.DessinerPortee();
    ASSERT_EQ(palette.NotesAffichees().size(), 2u);
    EXPECT_EQ(Pixel(palette, 70, YPosition(30)), 0x000000u);
    EXPECT_EQ(Pixel(palette, 70, YPosition(35)), 0x000000u);
    EXPECT_EQ(Pixel(palette, 5, YLignePortee(6)), 0x000000u) << "treble staff line across the picture";
    EXPECT_EQ(Pixel(palette, 65, YLignePortee(0)), 0xC0C0C0u) << "ledger line";
    EXPECT_EQ(Pixel(palette, 5, YLignePortee(0)), 0xFFFFFFu);
    EXPECT_EQ(palette.NomTon->text(), "C");

    // Key signature signs on the shown staves; the key's name.
    Partition.Armure = -3;
    palette.DessinerPortee();
    EXPECT_EQ(palette.NomTon->text(), "Eb");
    bool signe = false;
    for (int x = 1; x < 40; ++x)
        for (int y = YPosition(34) - 8; y <= YPosition(34) + 8; ++y)
            signe = signe || (Pixel(palette, x, y) == 0 && (y - YLignePortee(0)) % 8 != 0);
    EXPECT_TRUE(signe) << "B flat on the treble staff";
    Partition.Armure = 0;
    palette.DessinerPortee();
    signe = false;
    for (int x = 1; x < 40; ++x)
        for (int y = YPosition(34) - 8; y <= YPosition(34) + 8; ++y)
            signe = signe || (Pixel(palette, x, y) == 0 && (y - YLignePortee(0)) % 8 != 0);
    EXPECT_FALSE(signe) << "no sign in C major";
}

TEST_F(PalettePorteeTest, LaBandeSuitLaSouris)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    EXPECT_EQ(palette.PositionBande(), -1);
    const int y20 = YPosition(20);
    ASSERT_EQ(Pixel(palette, 50, y20 + 2), 0xFFFFFFu);
    palette.Image1MouseMove(y20);
    EXPECT_EQ(palette.PositionBande(), 20);
    EXPECT_EQ(Pixel(palette, 50, y20 + 2), 0xFFFF00u) << "yellow on white";
    EXPECT_EQ(Pixel(palette, 50, y20 + 3), 0xFFFFFFu);
    EXPECT_EQ(Pixel(palette, 42, y20 + 2), 0xFFFFFFu);

    // To the bottom treble line: the old place is white again, the black line turns blue.
    palette.Image1MouseMove(YPosition(30));
    EXPECT_EQ(Pixel(palette, 50, y20 + 2), 0xFFFFFFu);
    EXPECT_EQ(Pixel(palette, 50, YPosition(30)), 0x0000FFu);

    // Outside 5..51 the band stays; a redraw keeps it where it is.
    palette.Image1MouseMove(200);
    EXPECT_EQ(palette.PositionSurvolee(), 3);
    EXPECT_EQ(palette.PositionBande(), 30);
    palette.DessinerPortee();
    EXPECT_EQ(Pixel(palette, 50, YPosition(30)), 0x0000FFu);
}

TEST_F(PalettePorteeTest, LaSourisSurLImage)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    const QPointF point(40, YPosition(30));
    QMouseEvent deplacement(QEvent::MouseMove, point, palette.Image1->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                            Qt::NoModifier);
    QCoreApplication::sendEvent(palette.Image1, &deplacement);
    EXPECT_EQ(palette.PositionBande(), 30);
    // A release with no move before it (just shown) still clicks where it is.
    palette.hide();
    palette.show();
    QMouseEvent relache(QEvent::MouseButtonRelease, point, palette.Image1->mapToGlobal(point), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(palette.Image1, &relache);
    EXPECT_EQ(Note(1, 1, 1, 4).Frette, 2);
}

TEST_F(PalettePorteeTest, LesClesEtLaConfiguration)
{
    Configuration.CleFA = false;
    TClassForm palette;
    fenetrePal.Portee = &palette;
    EXPECT_TRUE(palette.BT_ClefSol->isChecked());
    EXPECT_FALSE(palette.BT_ClefFa->isChecked());
    EXPECT_TRUE(palette.Img_Clef_Acco->isHidden());
    EXPECT_TRUE(palette.Img_Clef_Fa->isHidden());

    // The last clef shown stays.
    palette.BT_ClefSol->click();
    EXPECT_TRUE(palette.BT_ClefSol->isChecked());
    EXPECT_TRUE(Configuration.CleSol);

    palette.BT_ClefFa->click();
    EXPECT_TRUE(Configuration.CleFA);
    EXPECT_FALSE(palette.Img_Clef_Acco->isHidden());
    palette.BT_ClefSol->click();
    EXPECT_FALSE(Configuration.CleSol);
    EXPECT_TRUE(palette.Img_Clef_Sol->isHidden());
    EXPECT_TRUE(palette.Img_Clef_Acco->isHidden());
    EXPECT_FALSE(palette.Img_Clef_Fa->isHidden());
    EXPECT_EQ(Pixel(palette, 5, YLignePortee(6)), 0xFFFFFFu) << "the hidden staff's lines are ledger lines";
    EXPECT_EQ(Pixel(palette, 65, YLignePortee(6)), 0xC0C0C0u);
    EXPECT_EQ(Pixel(palette, 5, YLignePortee(12)), 0x000000u);
}

TEST_F(PalettePorteeTest, LArmureChangeDansSesLimites)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.TonUp->click();
    EXPECT_EQ(Partition.Armure, 1);
    EXPECT_EQ(palette.NomTon->text(), "G");
    EXPECT_TRUE(PartitionModifiee) << "a key change is saved with the song";
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)) << "no undo copy";

    Partition.Armure = 7;
    palette.TonUp->click();
    EXPECT_EQ(Partition.Armure, 7);
    Partition.Armure = -7;
    palette.TonDown->click();
    EXPECT_EQ(Partition.Armure, -7);
    Partition.Armure = 0;
    palette.TonDown->click();
    EXPECT_EQ(Partition.Armure, -1);
    EXPECT_EQ(palette.NomTon->text(), "F");
}

TEST_F(PalettePorteeTest, LesTouchesVontALaFenetrePrincipale)
{
    Remplir(1, 1, 2);
    Entrer(1, 1, 1);
    TClassForm palette;
    fenetrePal.Portee = &palette;
    CibleTouches cible;
    palette.DefinirCibleTouches(&cible);
    palette.show();

    Cle(palette.Ed_Invisible, Qt::Key_5, "5");
    Cle(palette.Ed_Invisible, Qt::Key_5, "5", QEvent::KeyRelease);
    EXPECT_EQ(cible.Pressees, std::vector<int>{Qt::Key_5});
    EXPECT_EQ(cible.Relachees, std::vector<int>{Qt::Key_5});
    EXPECT_TRUE(palette.Ed_Invisible->text().isEmpty());

    // Enter moves one beat right; Escape stays with the palette.
    Cle(palette.Ed_Invisible, Qt::Key_Return, "\r");
    EXPECT_EQ(Curseur.Temps, 2);
    Cle(palette.Ed_Invisible, Qt::Key_Escape);
    EXPECT_EQ(cible.Pressees.size(), 1u);
    EXPECT_TRUE(palette.isVisible());
}

TEST_F(PalettePorteeTest, LaCommandeOuvreEtFerme)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    ASSERT_TRUE(Commandes().Executer(Cmd::Ac_Ass_Solfege));
    EXPECT_TRUE(palette.isVisible());
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Ass_Solfege));
    EXPECT_TRUE(Commandes().Checked(Cmd::Bt_Ass_Solfege));
    Commandes().Executer(Cmd::Bt_Ass_Solfege);
    EXPECT_FALSE(palette.isVisible());
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Ass_Solfege));
    EXPECT_FALSE(Commandes().Checked(Cmd::Bt_Ass_Solfege));
}

TEST_F(PalettePorteeTest, PendantLaLectureUnClicNeFaitRien)
{
    TClassForm palette;
    fenetrePal.Portee = &palette;
    palette.show();
    Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, false);
    Cliquer(palette, 30);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
}

} // namespace
