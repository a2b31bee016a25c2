// The edit zone on a recording canvas (6 pixels per character, texts TaillePixelsFonte + 3
// high): geometry x(b) = 30 + 50 b, y(s) = 48 + 14 (s - 1).
#include "FixtureSaisie.h"

#include "document/TableMix.h"
#include "editor/Ligatures.h"
#include "platform/CanevasMuet.h"

#include <chrono>
#include <set>

using platform::CanevasEnregistreur;

namespace {

using Saisie = FixtureSaisie;

// Strings whose cell of beat 1 carries the blue joining line.
std::set<int> CordesJointes(const CanevasEnregistreur& c)
{
    std::set<int> cordes;
    for (const auto& t : c.Traces(CanevasEnregistreur::Operation::Ligne)) {
        if (t.stylo.couleur == platform::clBlue && t.points[0].x == 80 && t.points[1].x == 80)
            cordes.insert((t.points[0].y + 7 - 48) / 14 + 1);
    }
    return cordes;
}

} // namespace

TEST_F(Saisie, EmptyMeasureShowsStaffSignsAndTheCursorBoxOnly)
{
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, true);
    Curseur.ChiffreEnAttente = true;
    RedessinerMesure(canevas);

    EXPECT_EQ(Lignes(canevas).front(), "Rectangle 0,0,800,600 pen #FFFFFF brush #FFFFFF");
    for (int s = 1; s <= 6; ++s) {
        const int y = 48 + 14 * (s - 1);
        EXPECT_TRUE(Contient(canevas, "Ligne 30," + std::to_string(y) + ",601," + std::to_string(y) + " pen #000000"));
    }
    EXPECT_TRUE(Contient(canevas, "Ligne 30,48,30,118 pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne 600,48,600,118 pen #000000"));
    // Measure 1 opens with the thick and thin bar, the last measure closes with them.
    EXPECT_TRUE(Contient(canevas, "Rectangle 31,48,34,118 pen #000000 brush #000000"));
    EXPECT_TRUE(Contient(canevas, "Rectangle 36,48,37,118 pen #000000 brush #000000"));
    EXPECT_TRUE(Contient(canevas, "Rectangle 597,48,600,118 pen #000000 brush #000000"));
    EXPECT_TRUE(Contient(canevas, "Rectangle 594,48,595,118 pen #000000 brush #000000"));
    // The cursor box on the free column around two blanks, yellow: the redraw dropped the
    // pending digit.
    EXPECT_TRUE(Contient(canevas, "Rectangle 73,41,88,55 pen #0000FF brush #FFFF00"));
    EXPECT_FALSE(Curseur.ChiffreEnAttente);
    EXPECT_TRUE(Contient(canevas, "Texte 12,61 \"4\" font \"Arial\" 16 B #000000 brush #FFFFFF"));
    EXPECT_TRUE(Contient(canevas, "Texte 12,85 \"4\" font \"Arial\" 16 B #000000 brush #FFFFFF"));
    EXPECT_EQ(Textes(canevas), (std::vector<std::string>{"4", "4", "  "}));
    EXPECT_EQ(Compte(canevas, "Pixel"), 0);

    EXPECT_EQ(fenetre.Numero, "001 : 001");
    EXPECT_EQ(fenetre.Longueurs, "0.000 : 4.000");
    EXPECT_EQ(fenetre.Etat, "Bar too short");
    EXPECT_EQ(fenetre.Couleur, platform::clRed.Valeur());
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_EQ(TempsPrecedent, 1);
}

TEST_F(Saisie, NothingIsRedrawnWhileASongPlays)
{
    Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, true);
    RedessinerMesure(canevas);
    EXPECT_TRUE(canevas.Traces().empty());
    EXPECT_EQ(fenetre.NbEtats, 0);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
}

TEST_F(Saisie, InstalledEditImageReceivesTheRedraw)
{
    RedessinerMesure(); // no image yet: computed, drawn nowhere
    EXPECT_EQ(fenetre.Longueurs, "0.000 : 4.000");
    InstallerCanevasSaisie(&canevas);
    RedessinerMesure();
    EXPECT_FALSE(canevas.Traces().empty());
}

TEST_F(Saisie, MeasureNumberIsPaddedToThreeDigits)
{
    EXPECT_EQ(TexteNumeroMesure(7, 120), "007 : 120");
    EXPECT_EQ(TexteNumeroMesure(1000, 1000), "1000 : 1000");
}

TEST_F(Saisie, JoiningLineRunsDownToTheStaffOrToTheLowestNote)
{
    struct Cas {
        int code;
        std::vector<int> notes;
        int corde; // cursor string on beat 1, 0 = cursor elsewhere
        std::set<int> jointes;
    };
    const Cas cas[] = {
        {0, {2, 5}, 0, {3, 4, 6}},
        {-1, {2, 5}, 0, {3, 4}},
        {-2, {2, 5}, 0, {3, 4}},
        {1, {2, 5}, 3, {4, 6}},
        {-1, {6}, 0, {}},
        {-1, {}, 0, {}},
        {0, {}, 0, {}},
    };
    for (const Cas& k : cas) {
        Battements({k.code});
        Temps(1).Notes[1].Frette = -1;
        for (int s : k.notes)
            Temps(1).Notes[s].Frette = 3;
        Curseur.Temps = k.corde ? 1 : 2;
        Curseur.Corde = k.corde ? k.corde : 1;
        canevas.Effacer();
        DessinerTempsSaisie(canevas, Curseur, 1, false, 1);
        EXPECT_EQ(CordesJointes(canevas), k.jointes) << "code " << k.code << " cursor string " << k.corde;
    }
}

TEST_F(Saisie, FretTexts)
{
    struct Cas {
        int frette, nuance;
        const char* texte;
    };
    for (const Cas& k : {Cas{7, 6, "7"}, Cas{12, 5, "12"}, Cas{100, 6, "x"}, Cas{7, 4, "(7)"},
                         Cas{100, 3, "(x)"}, Cas{0, 1, "(0)"}, Cas{99, 8, "99"}})
        EXPECT_EQ(TexteFretteSaisie(k.frette, k.nuance), k.texte) << k.frette << "/" << k.nuance;
}

TEST_F(Saisie, FretIsWrittenBoldAndCutsItsString)
{
    Battements({0});
    Temps(1).Notes[1].Frette = 12;
    Curseur.Temps = 2;
    DessinerTempsSaisie(canevas, Curseur, 1, false, 1);
    EXPECT_TRUE(Contient(canevas, "Rectangle 64,41,97,55 pen #FFFFFF brush #FFFFFF")); // half cell 14
    EXPECT_TRUE(Contient(canevas, "Ligne 64,48,97,48 pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne 73,48,87,48 pen #FFFFFF"));
    EXPECT_TRUE(Contient(canevas, "Texte 75,40 \"12\" font \"MS Sans Serif\" 10 B #0000FF brush clear"));
}

TEST_F(Saisie, CursorBoxIsWhiteWhileASecondDigitIsPending)
{
    Battements({0});
    Temps(1).Notes[1].Frette = 1;
    Curseur.ChiffreEnAttente = true;
    DessinerTempsSaisie(canevas, Curseur, 1, false, 1);
    // Around "1", not cut out of the string: the box covers it.
    EXPECT_TRUE(Contient(canevas, "Rectangle 76,41,85,55 pen #0000FF brush #FFFFFF"));
    EXPECT_EQ(Compte(canevas, "Ligne 76,48"), 0);
}

TEST_F(Saisie, GraceNoteStandsLeftOfTheWidestFret)
{
    Battements({0});
    Temps(1).Notes[1].FretteGrace = 3;
    Temps(1).Notes[1].NuanceGrace = 6;
    Temps(1).Notes[1].DureeGrace = 2;
    Temps(1).Notes[2].Frette = 10; // widest fret text: 12 pixels
    Curseur.Temps = 2;
    DessinerTempsSaisie(canevas, Curseur, 1, false, 1);
    EXPECT_TRUE(Contient(canevas, "Texte 59,43 \"3 \" font \"Small Fonts\" 7 #0000FF brush clear"));
}

TEST_F(Saisie, RestAndTiedBeatsShowNoNotes)
{
    Battements({0, 0});
    Temps(1).Silence = true;
    Temps(2).Lie = true;
    Temps(2).Notes[1].Frette = 5;
    Curseur.Temps = 3;
    DessinerTempsSaisie(canevas, Curseur, 1, false, 1);
    DessinerTempsSaisie(canevas, Curseur, 1, false, 2);
    EXPECT_TRUE(Textes(canevas).empty());
    EXPECT_EQ(Compte(canevas, "Polygone"), 1); // the quarter rest of beat 1
}

TEST_F(Saisie, SlotPastTheFreeColumnPaintsEmpty)
{
    // Beat 3 was deleted: its slot still holds a note, a rest flag and techniques.
    Battements({0, 0, 0});
    Temps(3).Silence = true;
    Temps(3).Effet = 5;
    Temps(3).Notes[2].Effet = 3;
    Temps(3).Brush = 1;
    Mesure().NbTemps[1] = 1;
    AjouterTempsVide();
    Curseur.Temps = 1;
    DessinerTempsSaisie(canevas, Curseur, 1, true, 3);
    EXPECT_TRUE(Textes(canevas).empty());
    EXPECT_EQ(Compte(canevas, "Polygone"), 0);
    EXPECT_EQ(Compte(canevas, "Pixel"), 0);
    EXPECT_EQ(Compte(canevas, "Ligne 180,"), 0);
    EXPECT_TRUE(Contient(canevas, "Rectangle 164,41,197,55 pen #FFFFFF brush #FFFFFF"));
}

TEST_F(Saisie, MeasureStatus)
{
    struct Cas {
        int num, den;
        std::vector<int> ticks;
        const char* longueurs;
        TEtatMesure etat;
        const char* texte;
        double reelle;
    };
    const std::vector<int> triolets12(12, 160);
    const std::vector<int> triolets24(24, 80); // the per-beat sum of 1/6 quarters misses 4.0
    const Cas cas[] = {
        {4, 4, {480, 480, 480}, "3.000 : 4.000", TEtatMesure::Incomplete, "Bar too short", 3.0},
        {4, 4, {480, 480, 480, 480}, "4.000 : 4.000", TEtatMesure::Complete, "Bar complete", 4.0},
        {4, 4, {480, 480, 480, 480, 480}, "5.000 : 4.000", TEtatMesure::Depassee, "Bar too long", 5.0},
        {4, 4, triolets12, "4.000 : 4.000", TEtatMesure::Complete, "Bar complete", 4.0},
        {4, 4, triolets24, "4.000 : 4.000", TEtatMesure::Complete, "Bar complete", 4.0},
        {4, 4, {480, 480, 480, 80, 80, 80, 80, 80, 80, 80}, "4.167 : 4.000", TEtatMesure::Depassee, "Bar too long", 4.167},
        {3, 4, {1440}, "3.000 : 3.000", TEtatMesure::Complete, "Bar complete", 3.0},
        {7, 8, {720, 480, 240, 120, 60, 30, 30}, "3.500 : 3.500", TEtatMesure::Complete, "Bar complete", 3.5},
        {4, 4, {}, "0.000 : 4.000", TEtatMesure::Incomplete, "Bar too short", 0.0},
    };
    for (const Cas& k : cas) {
        Signature(k.num, k.den);
        Mesure().NbTemps[1] = static_cast<int>(k.ticks.size());
        for (std::size_t i = 0; i < k.ticks.size(); ++i)
            Temps(static_cast<int>(i) + 1).Duree = k.ticks[i];
        AfficherEtatMesure();
        EXPECT_EQ(fenetre.Longueurs, k.longueurs);
        EXPECT_EQ(EtatMesureAffiche(), k.etat) << k.longueurs;
        EXPECT_EQ(fenetre.Etat, k.texte) << k.longueurs;
        EXPECT_EQ(fenetre.Couleur, (k.etat == TEtatMesure::Complete ? platform::clLime : platform::clRed).Valeur());
        EXPECT_EQ(MesureComplete(), k.etat == TEtatMesure::Complete);
        EXPECT_DOUBLE_EQ(Mesure().DureeReelle[1], k.reelle);
    }
}

TEST_F(Saisie, MeasureStatusUsesTheDecimalSeparator)
{
    Mesure().NbTemps[1] = 2;
    Temps(1).Duree = 1440;
    Temps(2).Duree = 240;
    DefinirSeparateurDecimal(',');
    AfficherEtatMesure();
    EXPECT_EQ(fenetre.Longueurs, "3,500 : 4,000");
}

TEST_F(Saisie, RepeatDotsSitInTheGapsOfTheStringCount)
{
    struct Cas {
        int cordes;
        int yd1, yd2; // top of each dot: (gap - 1) * 14 + 53
    };
    for (const Cas& k : {Cas{4, 53, 81}, Cas{5, 67, 81}, Cas{6, 67, 95}}) {
        Partition.NbCordes[1] = k.cordes;
        Mesure().RenvoiDebut = true;
        Mesure().RenvoiFin = true;
        canevas.Effacer();
        DessinerRenvoiDebutSaisie(canevas);
        DessinerRenvoiFinSaisie(canevas);
        for (int yd : {k.yd1, k.yd2}) {
            const std::string y = std::to_string(yd);
            EXPECT_TRUE(Contient(canevas, "Rectangle 40," + std::to_string(yd + 1) + ",45," + std::to_string(yd + 4) + " pen #000000 brush #000000")) << k.cordes << " strings, " << y;
            EXPECT_TRUE(Contient(canevas, "Rectangle 41," + y + ",44," + std::to_string(yd + 5) + " pen #000000 brush #000000")) << k.cordes;
            EXPECT_TRUE(Contient(canevas, "Rectangle 583," + std::to_string(yd + 1) + ",588," + std::to_string(yd + 4) + " pen #000000 brush #000000")) << k.cordes;
            EXPECT_TRUE(Contient(canevas, "Rectangle 584," + y + ",587," + std::to_string(yd + 5) + " pen #000000 brush #000000")) << k.cordes;
        }
        EXPECT_EQ(Compte(canevas, "Rectangle") - 3 /* white clears */ - 4 /* bars */, 8) << k.cordes;
    }
}

TEST_F(Saisie, RepeatBarsAndCount)
{
    Mesures(3);
    struct Cas {
        int mesure;
        bool debut, fin;
        int renvois;
        bool barresDebut, barresFin;
        const char* compte; // "" = none
    };
    const Cas cas[] = {
        {1, false, false, 1, true, false, ""},  // measure 1: bars without dots
        {2, false, false, 1, false, false, ""},
        {3, false, false, 1, false, true, ""},  // the last measure closes the song
        {2, true, true, 1, true, true, ""},     // one pass: no count
        {2, false, true, 3, false, true, "3x"},
    };
    for (const Cas& k : cas) {
        Partition.MesureCourante = k.mesure;
        Mesure(k.mesure).RenvoiDebut = k.debut;
        Mesure(k.mesure).RenvoiFin = k.fin;
        Mesure(k.mesure).NbRenvois = static_cast<int8_t>(k.renvois);
        canevas.Effacer();
        DessinerRenvoiDebutSaisie(canevas);
        DessinerRenvoiFinSaisie(canevas);
        EXPECT_EQ(Contient(canevas, "Rectangle 31,48,34,118 pen #000000 brush #000000"), k.barresDebut) << k.mesure;
        EXPECT_EQ(Contient(canevas, "Rectangle 597,48,600,118 pen #000000 brush #000000"), k.barresFin) << k.mesure;
        const auto textes = Textes(canevas);
        if (*k.compte) {
            EXPECT_TRUE(Contient(canevas, "Texte 588,24 \"3x\" font \"Arial\" 12 BI #000000 brush #FFFFFF"));
        } else {
            EXPECT_TRUE(textes.empty()) << k.mesure;
        }
        Mesure(k.mesure).RenvoiDebut = Mesure(k.mesure).RenvoiFin = false;
    }
}

TEST_F(Saisie, AlternateEndingText)
{
    Mesures(3);
    Mesure(1).RenvoiDebut = true;
    Mesure(2).Repetition = true;
    Mesure(2).NumRepetition = 1;
    Mesure(3).Repetition = true;
    Partition.MesureCourante = 3;

    Mesure(3).NumRepetition = 3; // passes 2 to 3
    DessinerFinAlternativeSaisie(canevas);
    EXPECT_TRUE(Contient(canevas, "Rectangle 30,6,69,28 pen #FFFFFF brush #FFFFFF"));
    EXPECT_TRUE(Contient(canevas, "Ligne 30,23,30,6 pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Ligne 30,6,68,6 pen #000000"));
    EXPECT_TRUE(Contient(canevas, "Texte 34,8 \"2 to 3\" font \"Arial\" 9 #000000 brush #FFFFFF"));

    Mesure(3).NumRepetition = 2; // the default number alone
    canevas.Effacer();
    DessinerFinAlternativeSaisie(canevas);
    EXPECT_EQ(Textes(canevas), std::vector<std::string>{"2"});

    Mesure(3).Repetition = false;
    canevas.Effacer();
    DessinerFinAlternativeSaisie(canevas);
    EXPECT_EQ(Lignes(canevas), std::vector<std::string>{"Rectangle 30,6,69,28 pen #FFFFFF brush #FFFFFF"});
}

TEST_F(Saisie, ChordNamesAndTexts)
{
    Battements({0, 0, 0});
    auto accord = std::make_shared<TAccord>();
    accord->Nom = "Am";
    Temps(1).AvecAccord = true;
    Temps(1).Accord = accord;
    auto diagramme = std::make_shared<TAccord>(*accord);
    diagramme->Nom = "C";
    diagramme->Frettes[2] = 1;
    Temps(3).AvecAccord = true;
    Temps(3).Accord = diagramme;
    Temps(2).Texte = "let it be";

    DessinerNomsAccordsSaisie(canevas);
    DessinerTextesSaisie(canevas);
    EXPECT_EQ(Lignes(canevas), (std::vector<std::string>{
                                   "Rectangle 76,13,800,26 pen #FFFFFF brush #FFFFFF",
                                   "Texte 76,13 \"Am\" font \"Arial\" 8 B #0000FF brush #FFFFFF",
                                   "Texte 176,13 \"[C]\" font \"Arial\" 8 B #0000FF brush #FFFFFF",
                                   "Rectangle 76,0,800,13 pen #FFFFFF brush #FFFFFF",
                                   "Texte 126,0 \"let it be\" font \"Arial\" 8 I #0000FF brush #FFFFFF",
                               }));
}

TEST_F(Saisie, TripletRowIsClearedToTheImageEdge)
{
    // Brackets near the 64th beat reach past 64 columns; clearing only that far left them.
    platform::CanevasEnregistreur large(3400, 200);
    Battements(std::initializer_list<int>{});
    Mesure().NbTemps[1] = 64;
    for (int b = 1; b <= 64; ++b)
        Temps(b) = TTemps{};
    Temps(63).Triolet = true;
    Temps(63).PosTriolet = 1;
    DessinerTrioletsSaisie(large);
    EXPECT_TRUE(Contient(large, "Rectangle 30,141,3400,150 pen #FFFFFF brush #FFFFFF"));
    const int xb = 30 + 50 * 63;
    EXPECT_TRUE(Contient(large, "Ligne " + std::to_string(xb) + ",145," + std::to_string(xb + 101) + ",145 pen #0000FF"));
    EXPECT_GT(xb + 101, 30 + 64 * 50);
    EXPECT_TRUE(Contient(large, "Texte " + std::to_string(xb + 50 - 9 + 1) + ",140 \" 3 \" font \"Arial\" 7 #0000FF brush #FFFFFF"));
    EXPECT_TRUE(Contient(large, "Pixel " + std::to_string(xb + 100) + ",144 #0000FF"));
}

TEST_F(Saisie, TripletOnTheFreeColumnOnlyUnderTheCursor)
{
    Battements({1});
    Temps(2).Triolet = true;
    Temps(2).PosTriolet = 1;
    Curseur.Temps = 1;
    DessinerTrioletsSaisie(canevas);
    EXPECT_EQ(Compte(canevas, "Texte"), 0);
    Curseur.Temps = 2;
    canevas.Effacer();
    DessinerTrioletsSaisie(canevas);
    EXPECT_EQ(Textes(canevas), std::vector<std::string>{" 3 "});
}

TEST_F(Saisie, TieIsAFixedArcFromThePreviousColumn)
{
    Battements({0, 0});
    Temps(2).Lie = true;
    Curseur.LargeurTemps = 60; // the arc keeps its shape
    DessinerLieSaisie(canevas, 1);
    EXPECT_TRUE(canevas.Traces().empty());
    DessinerLieSaisie(canevas, 2);
    const int x = 60 + 30 + 2;
    const int y = 142;
    const auto pixels = canevas.Traces(CanevasEnregistreur::Operation::Pixel);
    EXPECT_EQ(pixels.size(), 26u);
    EXPECT_EQ(pixels.front().points[0], (platform::Point{x, y}));
    EXPECT_EQ(pixels.back().points[0], (platform::Point{x + 46, y}));
    EXPECT_TRUE(Contient(canevas, "Ligne " + std::to_string(x + 13) + ",147," + std::to_string(x + 34) + ",147 pen #0000FF"));
    for (const auto& p : pixels)
        EXPECT_LE(p.points[0].y, y + 4);
}

TEST_F(Saisie, CursorMoveRepaintsTheOldAndTheNewColumn)
{
    Battements({0, 0});
    Curseur.Temps = 2;
    Curseur.Corde = 3;
    TempsPrecedent = 1;
    CordePrecedente = 1;
    DessinerCurseur(canevas);
    int jaunes = 0;
    for (const auto& t : canevas.Traces(CanevasEnregistreur::Operation::Rectangle)) {
        if (t.brosse.couleur == platform::clYellow && !t.brosse.vide) {
            ++jaunes;
            EXPECT_EQ(t.points[0], (platform::Point{130 - 6 - 1, 76 - 7}));
        }
    }
    EXPECT_EQ(jaunes, 2); // beat 2 painted on its own and again after beat 1's gap
    // Beat 1 was repainted: its cell on string 1 was cleared.
    EXPECT_TRUE(Contient(canevas, "Rectangle 64,41,97,55 pen #FFFFFF brush #FFFFFF"));
}

TEST_F(Saisie, FullRedrawIsFastOnAFullMeasure)
{
    // Every typed fret redraws: 64 busy beats must stay well below a millisecond of our work.
    Mesure().NbTemps[1] = 64;
    for (int b = 1; b <= 64; ++b) {
        TTemps& t = Temps(b);
        t = TTemps{};
        t.CodeDuree = 2;
        t.Duree = 120;
        for (int s = 1; s <= 6; ++s)
            t.Notes[s].Frette = static_cast<int8_t>(s + b % 20);
        t.Notes[2].Effet = static_cast<uint8_t>(b % 7);
        t.Effet = static_cast<int8_t>(b % 10);
    }
    Curseur.LargeurZone = 66 * 50;
    // Draws nothing, with the recording canvas's metrics: the cost left is the painters' own.
    platform::CanevasMuet muet{3400, 200, 6};
    RedessinerMesure(muet);
    const int tours = 50;
    const auto debut = std::chrono::steady_clock::now();
    for (int i = 0; i < tours; ++i)
        RedessinerMesure(muet);
    const std::chrono::duration<double, std::milli> duree = (std::chrono::steady_clock::now() - debut) / tours;
    RecordProperty("redraw_ms", std::to_string(duree.count()));
    // Loose enough for an unoptimised build on a busy machine.
    EXPECT_LT(duree.count(), 10.0);
}
