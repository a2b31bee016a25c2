#pragma once
// A song that shows every printed element: title, author, comment, track name, capo, triplet
// feel, a chord list; rests of every value, dots, triplets and ties; repeats with a count,
// alternate endings and a time-signature change; techniques, grace notes, strums, chords
// above beats and beat texts; and enough measures for several pages.
#include "document/Variable.h"
#include "editor/Ligatures.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace chanson_impression {

inline TTemps& T(int m, int b) { return Partition.Mesures[m]->Temps[1][b]; }

// Beats of measure m from duration codes; a negative fret list entry leaves the string empty.
inline void Beats(int m, std::initializer_list<int> codes)
{
    int b = 0;
    for (const int code : codes) {
        TTemps& t = T(m, ++b);
        t = TTemps{};
        t.CodeDuree = static_cast<int8_t>(code);
        t.Duree = DureeEnTicks(code, false, false);
    }
    Partition.Mesures[m]->NbTemps[1] = b;
}

inline void Note(int m, int b, int s, int frette) { T(m, b).Notes[s].Frette = static_cast<int8_t>(frette); }

inline std::shared_ptr<const TAccord> Accord(const char* nom, std::array<int32_t, 7> frettes, int base = 1)
{
    auto a = std::make_shared<TAccord>();
    a->Nom = nom;
    a->Frettes = frettes;
    a->FretteBase = base;
    const TAccord barres = ChercherBarres(frettes, base);
    a->NbBarres = barres.NbBarres;
    a->BarreFrette = barres.BarreFrette;
    a->BarreCordeDebut = barres.BarreCordeDebut;
    a->BarreCordeFin = barres.BarreCordeFin;
    return a;
}

// Fills the song (track 1) with `mesures` measures (at least 12).
inline void Remplir(int mesures)
{
    Partition.Titre = "Printed Tablature";
    Partition.Auteur = "Lyrandaxis";
    Partition.Commentaire = "Every printed element";
    Partition.NomPiste[1] = "Lead guitar";
    Partition.Capo[1] = 2;
    Partition.TripletFeel = 1;
    for (int m = 2; m <= mesures; ++m)
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
    Partition.NbMesures = mesures;

    const auto G = Accord("G", {0, 3, 0, 0, 0, 2, 3});
    const auto Am = Accord("Am", {0, 0, 1, 2, 2, 0, -1});
    const auto Bm = Accord("Bm", {0, 2, 3, 4, 4, 2, -1}, 2);
    const auto D = Accord("D", {0, 2, 3, 2, 0, -1, -1});

    // 1: eighths with a chord, a hammer-on and a slide.
    Beats(1, {1, 1, 1, 1, 1, 1, 1, 1});
    for (int b = 1; b <= 8; ++b)
        Note(1, b, 3, b % 2 ? 5 : 7);
    T(1, 1).AvecAccord = true;
    T(1, 1).Accord = G;
    T(1, 1).Texte = "Intro";
    T(1, 1).Notes[3].Effet = 1;
    T(1, 3).Notes[3].Effet = 3;
    T(1, 5).Notes[3].Effet = 2;
    T(1, 7).Notes[3].Effet = 4;
    // 2: repeat start, quarter chord strums, a dead note and a ghost note.
    Partition.Mesures[2]->RenvoiDebut = true;
    Beats(2, {0, 0, 0, 0});
    for (int b = 1; b <= 4; ++b)
        for (int s = 1; s <= 6; ++s)
            Note(2, b, s, G->Frettes[static_cast<std::size_t>(s)]);
    T(2, 1).AvecAccord = true;
    T(2, 1).Accord = G;
    T(2, 1).Brush = 2;
    T(2, 2).Brush = 1;
    T(2, 3).Notes[1].Frette = kNoteMorte;
    T(2, 4).Notes[2].Nuance = 3;
    // 3: sixteenths, a bend and a bend-and-release, a grace note.
    Beats(3, {2, 2, 2, 2, 1, 1, 0, 0});
    for (int b = 1; b <= 8; ++b)
        Note(3, b, 2, 8 + b % 3);
    T(3, 1).AvecAccord = true;
    T(3, 1).Accord = Am;
    T(3, 5).Notes[2].Effet = 5;
    T(3, 5).Notes[2].ValeurBend = 1.0;
    T(3, 7).Notes[2].Effet = 6;
    T(3, 7).Notes[2].ValeurBend = 0.5;
    T(3, 3).Notes[2].FretteGrace = 7;
    T(3, 3).Notes[2].NuanceGrace = 6;
    T(3, 3).Notes[2].DureeGrace = 2;
    // 4: repeat end played 3 times: rests of every value.
    Partition.Mesures[4]->RenvoiFin = true;
    Partition.Mesures[4]->NbRenvois = 3;
    Beats(4, {-1, 0, 1, 2, 3, 3});
    for (int b = 1; b <= 6; ++b)
        T(4, b).Silence = true;
    // 5: a triplet, a dotted quarter, a tied eighth.
    Beats(5, {1, 1, 1, 0, 0, 1});
    for (int b = 1; b <= 3; ++b) {
        T(5, b).Triolet = true;
        T(5, b).PosTriolet = static_cast<int8_t>(b);
        T(5, b).Duree = 160;
        Note(5, b, 4, 7 + b);
    }
    T(5, 4).Pointee = true;
    T(5, 4).Duree = 720;
    Note(5, 4, 5, 5);
    T(5, 5).Duree = 240;
    T(5, 5).CodeDuree = 1;
    Note(5, 5, 5, 7);
    T(5, 6).Lie = true;
    T(5, 1).AvecAccord = true;
    T(5, 1).Accord = Bm;
    // 6: 3/4, a half note with vibrato and a vibrato stroke.
    Partition.Mesures[6]->Numerateur = 3;
    Partition.Mesures[6]->Duree = 3;
    Beats(6, {-1, 0});
    Note(6, 1, 1, 12);
    T(6, 1).Effet = 1;
    Note(6, 2, 1, 14);
    T(6, 2).Effet = 3;
    T(6, 2).ValeurCoupVib = 0.5;
    // 7: 4/4 again, a whole note with harmonics.
    Beats(7, {-2});
    Note(7, 1, 3, 12);
    Note(7, 1, 4, 12);
    T(7, 1).Effet = 8;
    T(7, 1).AvecAccord = true;
    T(7, 1).Accord = D;
    // 8 and 9: first and second endings, the first ending a repeat played twice.
    Partition.Mesures[8]->Repetition = true;
    Partition.Mesures[8]->NumRepetition = 1;
    Partition.Mesures[8]->RenvoiFin = true;
    Partition.Mesures[8]->NbRenvois = 2;
    Beats(8, {0, 0, -1});
    Note(8, 1, 5, 3);
    Note(8, 2, 5, 5);
    Note(8, 3, 4, 5);
    T(8, 2).Effet = 5;
    Partition.Mesures[9]->Repetition = true;
    Partition.Mesures[9]->NumRepetition = 2;
    Beats(9, {0, 1, 1, -1});
    Note(9, 1, 6, 3);
    Note(9, 2, 6, 5);
    Note(9, 3, 6, 7);
    Note(9, 4, 5, 5);
    T(9, 1).Effet = 2;
    T(9, 2).Effet = 6;
    T(9, 4).Texte = "rit.";
    // Then plain eighths and quarters, alternating.
    for (int m = 10; m <= mesures; ++m) {
        if (m % 2 == 0) {
            Beats(m, {1, 1, 1, 1, 0, 0});
            for (int b = 1; b <= 6; ++b)
                Note(m, b, 1 + (m + b) % 6, (m + b) % 13);
        } else {
            Beats(m, {0, 0, 1, 2, 2, 0});
            for (int b = 1; b <= 6; ++b) {
                Note(m, b, 5, 3);
                Note(m, b, 6, (m * b) % 5);
            }
        }
        if (m % 4 == 0) {
            T(m, 1).AvecAccord = true;
            T(m, 1).Accord = m % 8 == 0 ? Am : G;
        }
    }
    for (int m = 1; m <= mesures; ++m)
        CalculerLigaturesMesure(*Partition.Mesures[m], 1, Partition.Mesures[m]->NbTemps[1]);

    int i = 0;
    for (const auto& a : {G, Am, Bm, D}) {
        AccordsPartition[static_cast<std::size_t>(++i)] = std::make_unique<TAccord>(*a);
    }
    NbAccordsPartition = i;
}

} // namespace chanson_impression
