#include "document/Routines.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Variable.h"

#include <algorithm>
#include <memory>

const std::array<std::string_view, 128> NomsInstrumentsGM{
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano",
    "Rhodes Piano", "Chorused Piano", "Harpsichord", "Clavinet",
    "Celesta ", "Glockenspiel", "Music Box", "Vibraphone",
    "Marimba", "Xylophone", "Tubular Bells", "Dulcimer",
    "Hammond Organ", "Percussive Organ", "Rock Organ", "Church Organ",
    "Reed Organ", "Accordion", "Harmonica", "Tango Accordion",
    "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)", "Electric Guitar (jazz)", "Electric Guitar (clean)",
    "Electric Guitar (muted)", "Overdriven Guitar", "Distortion Guitar", "Guitar Harmonics",
    "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass",
    "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    "Violin", "Viola", "Cello", "Contrabass",
    "Tremolo Strings", "Pizzicato Strings", "Orchestral Harp", "Timpani",
    "String Ensemble 1", "String Ensemble 2", "SynthStrings 1", "SynthStrings 2",
    "Choir Aahs", "Voice Oohs", "Synth Voice", "Orchestra Hit",
    "Trumpet", "Trombone", "Tuba", "Muted Trumpet",
    "French Horn", "Brass Section", "Synth Brass 1", "Synth Brass 2",
    "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax",
    "Oboe", "English Horn", "Bassoon", "Clarinet",
    "Piccolo", "Flute", "Recorder", "Pan Flute",
    "Bottle Blow", "Shakuhachi", "Whistle", "Ocarina",
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope lead)", "Lead 4 (chiff lead)",
    "Lead 5 (charang)", "Lead 6 (voice)", "Lead 7 (fifths)", "Lead 8 (bass + lead)",
    "Pad 1 (new age)", "Pad 2 (warm)", "Pad 3 (polysynth)", "Pad 4 (choir)",
    "Pad 5 (bowed)", "Pad 6 (metallic)", "Pad 7 (halo)", "Pad 8 (sweep)",
    "FX 1 (rain)", "FX 2 (soundtrack)", "FX 3 (crystal)", "FX 4 (atmosphere)",
    "FX 5 (brightness)", "FX 6 (goblins)", "FX 7 (echoes)", "FX 8 (sci-fi)",
    "Sitar", "Banjo", "Shamisen", "Koto",
    "Kalimba", "Bagpipe", "Fiddle", "Shanai",
    "Tinkle Bell", "Agogo", "Steel Drums", "Woodblock",
    "Taiko Drum", "Melodic Tom", "Synth Drum", "Reverse Cymbal",
    "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet",
    "Telephone Ring", "Helicopter", "Applause", "Gunshot",
};

namespace {

// The clearing shared by both ways of preparing a free slot. The rhythm fields are the
// caller's; the layout and import scratch fields are left as they are.
void ViderTemps(TTemps& temps)
{
    temps.Silence = false;
    temps.Lie = false;
    temps.Effet = 0;
    temps.ValeurCoupVib = 1.0;
    temps.Brush = 0;
    temps.AvecAccord = false;
    // A cleared slot lets go of its chord too, so that a stale chord can never come back
    // with a later AvecAccord.
    temps.Accord.reset();
    temps.TableMix.reset();
    temps.Texte.clear();
    for (int s = 1; s <= kNbCordesMax; ++s)
        temps.Notes[s] = TNoteCorde{};
}

void RythmeNoire(TTemps& temps)
{
    temps.Duree = kTicksNoire;
    temps.CodeDuree = 0;
    temps.Pointee = false;
    temps.Triolet = false;
}

// Block 1 exists for the whole run; a reset before the start-up allocated it (tests, tools)
// allocates it here.
TMesure& PremiereMesure()
{
    if (!Partition.Mesures[1])
        Partition.Mesures[1] = std::make_unique<TMesure>();
    return *Partition.Mesures[1];
}

} // namespace

void ReinitialiserPartition()
{
    CheminFichier = Traduire("Fichier-SansNom");
    NomFichier.clear();

    PartitionModifiee = true;
    PartitionVierge = true;

    Partition.NbPistes = kNbPistes;
    PisteCourante = 1;

    Partition.Titre.clear();
    Partition.Auteur.clear();
    FenetrePrincipale().AfficherTitreLabel("");

    Partition.Commentaire.clear();
    Partition.TripletFeel = 0;
    Partition.Tempo = 120;
    Partition.Armure = 0;

    // Dropping a block drops the chords and mix-table changes of its beats with it, unless an
    // undo copy or the clipboard still shares them.
    for (int m = 2; m <= kNbMesuresMax; ++m)
        Partition.Mesures[m].reset();
    for (int i = 1; i <= kNbAccordsPartitionMax; ++i)
        AccordsPartition[i].reset();
    for (int i = 1; i <= kNbAccordsUtilisesMax; ++i)
        AccordsUtilises[i].reset();

    Partition.NbMesures = 1;
    Partition.MesureCourante = 1;

    TMesure& mesure = PremiereMesure();
    mesure.Numerateur = 4;
    mesure.Denominateur = 4;
    mesure.Duree = 4.0;
    for (int t = 1; t <= kNbPistes; ++t) {
        mesure.NbTemps[t] = 0;
        // Saved with the song: a stale length of the old song would leak into the new file.
        mesure.DureeReelle[t] = 0.0;
        // The slots past the free one are out of reach until prepared again; only the
        // records the old song hung on them are let go.
        for (int b = 1; b <= mesure.Temps[t].DernierStocke(); ++b) {
            mesure.Temps[t][b].Accord.reset();
            mesure.Temps[t][b].TableMix.reset();
            mesure.Temps[t][b].AvecAccord = false;
        }
    }
    mesure.RenvoiDebut = false;
    mesure.RenvoiFin = false;
    mesure.Repetition = false;
    mesure.NumRepetition = 1;
    mesure.NbRenvois = 1;

    Curseur.Initialise = 1;
    Curseur.TailleChiffres = 10;
    Curseur.MargeGauche = 30;
    Curseur.MargeHaut = 48;
    Curseur.EspCordes = 14;
    Curseur.LargeurTemps = 50;
    Curseur.LargeurZone = 570;

    static constexpr int32_t kAccordageStandard[] = {0, 64, 59, 55, 50, 45, 40};
    for (int t = 1; t <= kNbPistes; ++t) {
        Partition.NomPiste[t].clear();
        Partition.Instrument[t] = t == kPistePercussions ? 0 : 24;
        Partition.NbCordes[t] = 6;
        for (int s = 1; s <= kNbCordesMax; ++s)
            Partition.Accordage[t][s] = kAccordageStandard[s];
        Partition.Solo[t] = false;
        Partition.Muette[t] = false;
        Partition.PasExporter[t] = false;
        Partition.DouzeCordes[t] = false;
        Partition.Volume[t] = 100;
        Partition.Panoramique[t] = 64;
        Partition.Chorus[t] = 0;
        Partition.Reverb[t] = 0;
        Partition.Capo[t] = 0;
        Partition.NbFrettes[t] = 24;
    }
    Partition.NomPiste[kPistePercussions] = Traduire("Gene-Percussions");
    for (int s = 1; s <= kNbCordesMax; ++s)
        Partition.Accordage[kPistePercussions][s] = 0;
    Partition.NbFrettes[kPistePercussions] = 99;

    Partition.ModeSolo = false;
    Partition.PisteSolo = 0;
    NbAccordsPartition = 0;
    NbAccordsUtilises = 0;

    for (int t = 1; t <= kNbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = 1;

    FenetrePrincipale().ActualiserMenuPistes();
    for (int t = 1; t <= kNbPistes; ++t)
        FenetrePrincipale().ColorerBoutonPiste(t);
}

void AjouterTempsVide()
{
    const int m = Partition.MesureCourante;
    if (m < 1 || m > kNbMesuresMax || !Partition.Mesures[m] || PisteCourante < 1 || PisteCourante > kNbPistes)
        return;
    TMesure& mesure = *Partition.Mesures[m];
    const int t = PisteCourante;
    const int k = mesure.NbTemps[t] + 1;
    if (k < 1 || k > kNbTempsMax)
        return; // no slot left: the editor never lets a part grow that far

    TTemps& temps = mesure.Temps[t][k];
    ViderTemps(temps);
    if (k == 1) {
        RythmeNoire(temps);
        return;
    }

    const TTemps& dernier = mesure.Temps[t][k - 1];
    temps.Duree = dernier.Duree;
    temps.CodeDuree = dernier.CodeDuree;
    temps.Pointee = dernier.Pointee;
    temps.Triolet = dernier.Triolet;
    if (temps.Triolet) {
        temps.PosTriolet = static_cast<int8_t>(dernier.PosTriolet + 1);
        if (temps.PosTriolet == 4)
            temps.PosTriolet = 1;
        // Near the last slots a new triplet group could not be completed: the slot becomes a
        // plain value, and so must its length, or the beat would last a triplet's ticks while
        // showing as a plain note.
        if (temps.PosTriolet < Curseur.Temps - 61) {
            temps.Triolet = false;
            temps.Duree = DureeEnTicks(temps.CodeDuree, temps.Pointee, false);
        }
    }
}

void InitialiserTempsSuivant(int32_t piste, int32_t mesure)
{
    if (piste < 1 || piste > kNbPistes || mesure < 1 || mesure > kNbMesuresMax || !Partition.Mesures[mesure])
        return;
    TMesure& bloc = *Partition.Mesures[mesure];
    const int k = bloc.NbTemps[piste] + 1;
    if (k < 1 || k > kNbTempsMax)
        return;
    TTemps& temps = bloc.Temps[piste][k];
    ViderTemps(temps);
    RythmeNoire(temps);
}

void ViderPiste(int32_t piste)
{
    if (piste < 1 || piste > kNbPistes)
        return;
    for (int32_t m = 1; m <= Partition.NbMesures && m <= kNbMesuresMax; ++m) {
        if (!Partition.Mesures[m])
            continue;
        Partition.Mesures[m]->NbTemps[piste] = 0;
        InitialiserTempsSuivant(piste, m);
    }
}

void SupprimerMesuresVidesFin()
{
    while (Partition.NbMesures > 1) {
        const std::unique_ptr<TMesure>& bloc = Partition.Mesures[Partition.NbMesures];
        if (bloc) {
            bool vide = true;
            for (int t = 1; t <= kNbPistes; ++t)
                if (bloc->NbTemps[t] > 0)
                    vide = false;
            if (!vide)
                break;
        }
        Partition.Mesures[Partition.NbMesures].reset();
        --Partition.NbMesures;
    }
    Partition.MesureCourante = std::clamp<int32_t>(Partition.MesureCourante, 1, Partition.NbMesures);
}

int32_t NumeroRepetitionSuivante(int32_t mesure)
{
    if (mesure - 1 < 1)
        return 1;
    for (int k = mesure - 1; k >= 1; --k) {
        if (k > kNbMesuresMax || !Partition.Mesures[k])
            continue;
        const TMesure& bloc = *Partition.Mesures[k];
        if (bloc.RenvoiFin && k != mesure - 1)
            return 1;
        if (bloc.Repetition && !bloc.RenvoiDebut)
            return bloc.NumRepetition + 1;
        if (bloc.RenvoiDebut)
            return 1;
    }
    return 1;
}

std::string NomInstrument(int32_t programme)
{
    if (programme < 0 || programme > 127)
        return std::to_string(programme);
    return std::to_string(programme) + " - " + std::string(NomsInstrumentsGM[programme]);
}

std::string NomKitBatterie(int32_t kit)
{
    return std::to_string(kit) + " - Drum Kit " + std::to_string(kit);
}
