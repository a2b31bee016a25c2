#include "midi/ImportMidi.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/CompleterMesure.h"
#include "midi/ConstructionTemps.h"
#include "midi/Doigte.h"
#include "midi/EvtImport.h"
#include "midi/LectureMidi.h"
#include "midi/Quantification.h"
#include "platform/Arrondi.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <cmath>
#include <string>

std::vector<std::string> ListePisteImport;
std::vector<int32_t> ProgrammesPistesMidi(1, 0);

namespace {

constexpr int32_t kProgrammeParDefaut = 24;

IFenetrePrincipale& Fenetre() { return FenetrePrincipale(); }

void Attente(const std::string& texte)
{
    Fenetre().ProgressionAttenteMidi(0);
    Fenetre().TexteAttenteMidi(texte.c_str());
    Fenetre().MontrerAttenteMidi(true);
    Fenetre().RedessinerAttenteMidi();
}

std::string Numero(int32_t n) { return (n < 10 ? " 0" : " ") + std::to_string(n); }

std::string Rang(int32_t i, int32_t n) { return " [" + std::to_string(i) + "/" + std::to_string(n) + "]"; }

// Where the notes of a source line are: a track chunk, and a channel (0 = every channel).
struct TSource {
    std::size_t Piste = 0;
    int32_t Canal = 0;
};

const char* CleRefus(ResultatLectureMidi lu)
{
    switch (lu) {
    case ResultatLectureMidi::Inaccessible: return "Fichier-AccesImpossible";
    case ResultatLectureMidi::Endommage: return "MidiImp-FichierEndommage";
    case ResultatLectureMidi::TempsSmpte: return "MidiImp-TempsSmpte";
    case ResultatLectureMidi::DivisionNulle: return "MidiImp-DivisionNulle";
    default: return "Fichier-MIDINonReconnu";
    }
}

// What an import leaves out: the tracks of the file it could not read whole (numbered as the
// dialog numbers the tracks it lists), and the notes by cause over all its tracks, with the
// song tracks that lost notes out of their reach.
struct TPertesImport {
    std::vector<int32_t> SourcesIncompletes;
    TNotesOmises HorsTessiture;
    TNotesOmises Simultanees;
    TNotesOmises MesurePleine;
    TNotesOmises ApresFin;
    std::vector<int32_t> PistesHorsTessiture;
};

// The measure in which a position of the current track lies (quarter notes from its start,
// put on the track's grid of 1/q quarter as the quantiser puts the ends of notes), the last
// measure going on as often as needed past the end of the song; kNbMesuresMax + 1 for every
// position after the measures a song can hold.
int32_t MesureDePosition(double position, int32_t q)
{
    const double p = PositionQuantifiee(position, q);
    double debut = 0.0;
    for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
        const double fin = debut + Partition.Mesures[m]->Duree;
        if (p < fin)
            return m;
        debut = fin;
    }
    const double auDela = std::floor((p - debut) / Partition.Mesures[Partition.NbMesures]->Duree);
    return static_cast<int32_t>(std::min<double>(Partition.NbMesures + 1 + auDela, kNbMesuresMax + 1));
}

// Numbers in increasing order; a run of three or more is written as its ends, so that the
// 250 tracks a cut file's header may still announce take one line.
std::string ListePistes(const std::vector<int32_t>& pistes)
{
    std::string r;
    for (std::size_t i = 0; i < pistes.size();) {
        std::size_t j = i;
        while (j + 1 < pistes.size() && pistes[j + 1] == pistes[j] + 1)
            ++j;
        r += (r.empty() ? "" : ", ") + std::to_string(pistes[i]);
        if (j >= i + 2)
            r += "-" + std::to_string(pistes[j]);
        else if (j == i + 1)
            r += ", " + std::to_string(pistes[j]);
        i = j + 1;
    }
    return r;
}

// One paragraph for the tracks of a damaged file, then one for each cause of notes left out;
// the notes out of reach come with every track concerned and, when the strings of one of them
// are concerned, what the import dialog offers for them (the drums' tab offers neither a
// tuning nor the octave choice).
std::string TexteOmissions(const TPertesImport& p)
{
    std::string texte;
    if (!p.SourcesIncompletes.empty())
        texte = FormaterMessage1(Traduire("MidiImp-PistesIncompletes"), ListePistes(p.SourcesIncompletes));
    if (AjouterParagrapheOmises(texte, "MidiImp-NotesHorsTessiture", p.HorsTessiture, p.HorsTessiture.PremiereMesure)
        && !p.PistesHorsTessiture.empty()) {
        const bool cordes = std::any_of(p.PistesHorsTessiture.begin(), p.PistesHorsTessiture.end(),
                                        [](int32_t t) { return t != kPistePercussions; });
        texte += '\n' + FormaterMessage1(Traduire(cordes ? "MidiImp-ConseilTessiture" : "MidiImp-PistesConcernees"),
                                          ListePistes(p.PistesHorsTessiture));
    }
    AjouterParagrapheOmises(texte, "MidiImp-NotesSimultanees", p.Simultanees, p.Simultanees.PremiereMesure);
    AjouterParagrapheOmises(texte, "MidiImp-NotesIgnorees", p.MesurePleine, p.MesurePleine.PremiereMesure);
    // The notes after the song are told after its last measure.
    AjouterParagrapheOmises(texte, "MidiImp-NotesApresFin", p.ApresFin, p.ApresFin.PremiereMesure - 1);
    return texte;
}

void Refuser(platform::Sablier& sablier, const char* cle)
{
    Fenetre().MontrerAttenteMidi(false);
    sablier.Terminer();
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire(cle), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

// The new song the import starts from, shown at once.
void PartitionDeDepart()
{
    IFenetrePrincipale& f = Fenetre();
    ReinitialiserPartition();
    f.MontrerPalettePercussion(false);
    f.ActiverCommande("Ac_Ass_Percussion", PisteCourante == kPistePercussions);
    Partition.MesureCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    const int32_t piste = PisteCourante;
    for (int32_t t = 1; t <= kNbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = piste;
    AfficherLegendeFenetre();
    CopieMesureEntree = *Partition.Mesures[1];
    f.RafraichirApresNouvellePartition();
}

} // namespace

bool ImporterFichierMidi(const std::string& fichier)
{
    IFenetrePrincipale& f = Fenetre();
    f.ArreterLectureEnCours();
    platform::Sablier sablier;
    PartitionDeDepart();

    TFichierMidi midi;
    const ResultatLectureMidi lu = ChargerFichierMidi(fichier, midi);
    if (lu != ResultatLectureMidi::Ok) {
        Refuser(sablier, CleRefus(lu));
        return false;
    }

    // The measures and the tempo, then the sources for the dialog.
    f.TraiterMessagesEnAttente();
    Attente(Traduire("MidiImp-RecherchePiste"));
    const int32_t tempo = LireTempoEtSignatures(midi, 0);
    ListePisteImport.clear();
    ProgrammesPistesMidi.assign(1, 0);
    std::vector<TSource> sources;
    TPertesImport pertes;
    if (midi.Format == 1) {
        // The tempo track is listed too when it plays notes, and the tracks are then numbered
        // from it: the dialog numbers its lines from 1 either way.
        const int32_t premiere = PisteAvecNotes(midi, 0) ? 0 : 1;
        const int32_t nb = static_cast<int32_t>(midi.Pistes.size()) - premiere;
        for (int32_t i = 1; i <= midi.PistesIncompletes; ++i)
            pertes.SourcesIncompletes.push_back(nb + i);
        for (int32_t i = 1; i <= nb; ++i) {
            const auto piste = static_cast<std::size_t>(premiere + i - 1);
            const TSourceMidi s = AnalyserSourceMidi(midi, piste);
            ListePisteImport.push_back(s.AvecNom ? s.Nom : Traduire("Gene-Piste") + Numero(i));
            ProgrammesPistesMidi.push_back(s.Programme >= 0 ? s.Programme : kProgrammeParDefaut);
            sources.push_back({piste, 0});
            f.ProgressionAttenteMidi(static_cast<int>(platform::Round(static_cast<double>(i) / nb * 28.0)));
        }
    } else {
        const TCanauxMidi canaux = AnalyserCanauxMidi(midi, 0);
        f.ProgressionAttenteMidi(28);
        for (int32_t c = 1; c <= 16; ++c) {
            if (!canaux.Utilise[static_cast<std::size_t>(c)])
                continue;
            ListePisteImport.push_back(Traduire("Gene-Piste") + Numero(c) + " : " + Traduire("MidiImp-NonPrecise"));
            const int32_t programme = canaux.Programme[static_cast<std::size_t>(c)];
            ProgrammesPistesMidi.push_back(programme >= 0 ? programme : kProgrammeParDefaut);
            sources.push_back({0, c});
        }
    }
    f.RedessinerAttenteMidi();
    sablier.Terminer();
    f.MontrerAttenteMidi(false);
    if (!f.DialogueImportMidi()) {
        f.MontrerAttenteMidi(false);
        return false;
    }

    // One pass per song track that has a source.
    int32_t n = 0;
    for (int32_t t = 1; t <= kNbPistes; ++t)
        if (ProprietesTempo.PisteSource[t] > 0)
            ++n;
    const int32_t pisteAvant = PisteCourante;
    // What was left out, over all the tracks: told once at the end.
    int32_t i = 0;
    for (int32_t t = 1; t <= kNbPistes; ++t) {
        const int32_t ligne = ProprietesTempo.PisteSource[t];
        if (ligne < 1)
            continue;
        ++i;
        if (ligne > static_cast<int32_t>(sources.size()))
            continue;
        const TSource& source = sources[static_cast<std::size_t>(ligne) - 1];
        PisteCourante = t;
        const int32_t decalage = ProprietesTempo.OctaveInferieure[t] ? 12 : 0;

        f.TraiterMessagesEnAttente();
        Attente(Traduire("MidiImp-LecturePiste") + Rang(i, n));
        platform::Sablier sablierPiste;
        // The structure of every track was checked when the file was read.
        TNotesHorsListe horsListe;
        LireNotesPiste(midi, source.Piste, decalage, source.Canal, [&](int p) { f.ProgressionAttenteMidi(p); },
                       &horsListe);
        f.RedessinerAttenteMidi();
        f.ProgressionAttenteMidi(0);

        f.TexteAttenteMidi((Traduire("MidiImp-CreationPartition") + Rang(i, n)).c_str());
        f.RedessinerAttenteMidi();
        SupprimerSilencesFinaux();
        const int32_t grille = ProprietesTempo.Quantification[t];
        QuantifierEvtImport(grille);
        // A source without notes leaves its track empty; the tracks imported before it stay.
        TNotesOmises horsTessiture;
        const TResultatConstruction construction = ConstruirePisteDepuisEvt();
        pertes.MesurePleine.Ajouter(construction.MesurePleine);
        pertes.ApresFin.Ajouter(construction.ApresFin);
        pertes.Simultanees.Ajouter(construction.Simultanees);
        // The notes the list never took, in the measures the track now has.
        const auto nonLues = [&](const TNotesNonLues& notes, TNotesOmises& cause) {
            if (notes.Nombre == 0)
                return;
            const int32_t mesure = MesureDePosition(notes.Position, grille);
            (mesure > kNbMesuresMax ? pertes.ApresFin : cause).Ajouter(notes.Nombre, mesure);
        };
        nonLues(horsListe.SousZero, horsTessiture);
        nonLues(horsListe.Apres, pertes.MesurePleine);

        f.ProgressionAttenteMidi(0);
        f.TexteAttenteMidi((Traduire("MidiImp-OptimisationPlacementDoigts") + Rang(i, n)).c_str());
        f.RedessinerAttenteMidi();
        const TNotesNonDoigtees doigte = DoigterPiste();
        horsTessiture.Ajouter(doigte.HorsTessiture);
        pertes.Simultanees.Ajouter(doigte.Simultanees);
        pertes.HorsTessiture.Ajouter(horsTessiture);
        if (horsTessiture.Nombre > 0)
            pertes.PistesHorsTessiture.push_back(t);
        f.MontrerAttenteMidi(false);
        f.TraiterMessagesEnAttente();
    }
    PisteCourante = pisteAvant;

    const std::string omises = TexteOmissions(pertes);
    if (!omises.empty())
        AfficherMessage(Traduire("Dlg-Avertissement"), omises, IconeAvertissement, BoutonOK, DefautOK, PlacementCentre);

    Partition.Tempo = tempo == -1 ? 120 : tempo;
    // Tracks imported before a longer one added measures get their empty new measures filled.
    for (int32_t t = 1; t <= kNbPistes; ++t)
        if (ProprietesTempo.PisteSource[t] > 0)
            for (int32_t m = 1; m <= Partition.NbMesures; ++m)
                CompleterMesureParSilences(t, m);
    return true;
}
