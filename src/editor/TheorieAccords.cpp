#include "editor/TheorieAccords.h"

#include "document/Configuration.h"
#include "document/Langue.h"

const std::array<TTypeAccord, kNbTypesAccord> TypesAccord{{
    {"M", 4, 7, -1},
    {"7", 4, 7, 10},
    {"7M", 4, 7, 11},
    {"6", 4, 7, 9},
    {"m", 3, 7, -1},
    {"m7", 3, 7, 10},
    {"m7M", 3, 7, 11},
    {"m6", 3, 7, 9},
    {"sus2", 2, 7, -1},
    {"sus4", 5, 7, -1},
    {"7sus2", 2, 7, 10},
    {"7sus4", 5, 7, 10},
    {"dim", 3, 6, 9},
    {"aug", 4, 8, -1},
    {"5", -1, 7, -1},
}};

namespace {

constexpr std::array<std::string_view, 12> kNotesDiese{"C", "C#", "D", "D#", "E", "F",
                                                       "F#", "G", "G#", "A", "A#", "B"};
constexpr std::array<std::string_view, 12> kNotesBemol{"C", "Db", "D", "Eb", "E", "F",
                                                       "Gb", "G", "Ab", "A", "Bb", "B"};

bool Dans(int32_t v, int32_t min, int32_t max) { return v >= min && v <= max; }

// Item text of a list, empty for a position the list does not have.
template <std::size_t N>
std::string_view Item(const std::array<std::string_view, N>& liste, int32_t position)
{
    return position >= 0 && static_cast<std::size_t>(position) < N ? liste[position] : std::string_view();
}

int ClasseHauteur(int v) { return ((v % 12) + 12) % 12; }

// A step of one semitone down (1) or up (2) for an alteration list's position.
int Decalage(int32_t alteration) { return alteration == 1 ? -1 : alteration == 2 ? 1 : 0; }

bool EstSus(int32_t typ) { return typ == kTypSus2 || typ == kTypSus4 || typ == kTyp7Sus2 || typ == kTyp7Sus4; }

} // namespace

std::string NomNoteAccord(int32_t hauteur, bool diese)
{
    if (hauteur < 0)
        return {};
    const int pc = hauteur % 12;
    return std::string(diese ? kNotesDiese[pc] : kNotesBemol[pc]);
}

std::array<std::string, 13> TextesFondamentale(bool diese)
{
    std::array<std::string, 13> textes;
    for (int n = 0; n < 12; ++n)
        textes[n] = NomNoteAccord(n, diese);
    textes[12] = Traduire("Accord-Perso");
    return textes;
}

std::array<std::string, 12> TextesBasse(bool diese)
{
    std::array<std::string, 12> textes;
    for (int n = 0; n < 12; ++n)
        textes[n] = NomNoteAccord(n, diese);
    return textes;
}

void CalculerDegresAccord(TTheorieAccord& t, bool chargementAccord)
{
    // A list cannot show a position it does not have; such a value (from a damaged record) is
    // read as no choice rather than indexing the tables with it.
    if (!Dans(t.Fondamentale, 0, kFondamentalePerso))
        t.Fondamentale = kFondamentalePerso;
    if (!Dans(t.Typ, 0, kNbTypesAccord - 1))
        t.Typ = kTypM;
    if (!Dans(t.NeufOnzeTreize, 0, 3))
        t.NeufOnzeTreize = 0;
    for (int32_t* alteration : {&t.DimAug, &t.Quinte, &t.Neuf, &t.Onze})
        if (!Dans(*alteration, 0, 2))
            *alteration = 0;
    if (!Dans(t.Basse, -1, 11))
        t.Basse = -1;

    for (int k = 1; k <= kNbDegres; ++k) {
        t.NotesDegres[k] = -1;
        t.DegresPresents[k] = false;
        t.DegresCoches[k] = false;
    }

    auto& a = t.Actifs;
    if (t.Fondamentale == kFondamentalePerso) {
        ReinitialiserAccordTravail();
        t.Typ = kTypM;
        t.NeufOnzeTreize = t.DimAug = t.Quinte = t.Neuf = t.Onze = 0;
        t.Add = false;
        a = {};
        t.Basse = -1;
    } else {
        a.Typ = a.NeufOnzeTreize = a.DimAug = a.Add = a.Quinte = a.Neuf = a.Onze = true;
        a.Basse = a.Renversement = a.Niveaux = true;

        // Each rule but the last may end the chain: later rules then no longer apply.
        auto sansExtension = [&] {
            t.DimAug = t.Neuf = t.Onze = 0;
            t.Add = false;
            a.DimAug = a.Neuf = a.Onze = a.Add = false;
        };
        if (t.Typ == kTypDim || t.Typ == kTypAug || t.Typ == kTyp5) {
            t.NeufOnzeTreize = 0;
            a.NeufOnzeTreize = false;
            sansExtension();
        } else {
            if ((t.Typ == kTyp6 || t.Typ == kTypm6 || EstSus(t.Typ)) && t.NeufOnzeTreize != 0)
                t.Add = true;
            if (t.NeufOnzeTreize == 0) {
                sansExtension();
            } else if (t.NeufOnzeTreize == 1) {
                t.Neuf = t.Onze = 0;
                a.Neuf = a.Onze = false;
                if (t.Typ == kTyp7 || t.Typ == kTyp7M || t.Typ == kTypm7 || t.Typ == kTypm7M) {
                    t.Add = false;
                    a.Add = false;
                }
            } else if (t.NeufOnzeTreize == 2) {
                t.Onze = 0;
                a.Onze = false;
                if (t.Add) {
                    t.Neuf = 0;
                    a.Neuf = false;
                }
            } else if (t.Add) {
                t.Neuf = t.Onze = 0;
                a.Neuf = a.Onze = false;
            }
        }
        if (t.Typ == kTypDim || t.Typ == kTypAug) {
            t.Quinte = 0;
            a.Quinte = false;
        }

        // Semitones above the root per degree slot, -1 = not in the chord.
        const TTypeAccord& type = TypesAccord[t.Typ];
        OneBased<int, kNbDegres> ecart{};
        ecart.fill(-1);
        ecart[1] = 0;
        ecart[2] = type.Tierce;
        ecart[3] = type.Quinte;
        ecart[4] = type.Septieme;
        if ((t.Typ == kTypM || t.Typ == kTypm) && t.NeufOnzeTreize != 0 && !t.Add)
            ecart[4] = 10; // the extension implies the minor seventh
        const int alteration = Decalage(t.DimAug);
        if (t.NeufOnzeTreize == 1) {
            ecart[5] = 2 + alteration;
        } else if (t.NeufOnzeTreize == 2) {
            ecart[6] = 5 + alteration;
            if (!t.Add)
                ecart[5] = 2;
        } else if (t.NeufOnzeTreize == 3) {
            ecart[7] = 9 + alteration;
            if (!t.Add) {
                ecart[5] = 2;
                ecart[6] = 5;
            }
        }
        if (ecart[3] >= 0)
            ecart[3] += Decalage(t.Quinte);
        if (ecart[5] >= 0)
            ecart[5] += Decalage(t.Neuf);
        if (ecart[6] >= 0)
            ecart[6] += Decalage(t.Onze);

        for (int k = 1; k <= kNbDegres; ++k) {
            if (ecart[k] < 0)
                continue;
            t.NotesDegres[k] = ClasseHauteur(ecart[k] + t.Fondamentale);
            t.DegresPresents[k] = true;
            t.DegresCoches[k] = true;
        }
    }

    t.Lab3 = (t.Typ == kTypSus2 || t.Typ == kTyp7Sus2) ? "2'" : (t.Typ == kTypSus4 || t.Typ == kTyp7Sus4) ? "4'" : "3'";
    t.Lab7 = (t.Typ == kTyp6 || t.Typ == kTypm6) ? "6'" : "7'";

    if (!chargementAccord)
        t.Coches = t.DegresCoches;
    AfficherNotesAccord(t, t.Diese);
}

void AfficherNotesAccord(TTheorieAccord& t, bool diese)
{
    for (int k = 1; k <= kNbDegres; ++k)
        t.NotesTextes[k] = NomNoteAccord(t.NotesDegres[k], diese);
}

std::string ConstruireNomAccord(int32_t fondamentale, int32_t typ, int32_t neufOnzeTreize, int32_t dimAug,
                                int32_t quinte, int32_t neuf, int32_t onze, bool add, int32_t renversement,
                                int32_t basse, const OneBased<bool, kNbDegres>& omissions, bool montrerOmissions,
                                bool diese)
{
    std::string nom;
    if (Dans(fondamentale, 0, 11)) {
        nom = NomNoteAccord(fondamentale, diese);
        if (Dans(typ, 1, kNbTypesAccord - 1))
            nom += TypesAccord[typ].Texte;
        if (add)
            nom += "add";
        nom += Item(TextesNeufOnzeTreize, neufOnzeTreize);
        nom += Item(TextesDimAug, dimAug);
        nom += Item(TextesQuinte, quinte);
        nom += Item(TextesNeuf, neuf);
        nom += Item(TextesOnze, onze);
    }
    if (Dans(basse, 0, 11) && (renversement == -1 || (Configuration.AlwaysAddBass && basse != fondamentale)))
        nom += "/" + NomNoteAccord(basse, diese);
    if (montrerOmissions) {
        static constexpr std::array<std::string_view, kNbDegres + 1> kOmissions{
            "", "no1", "no3", "no5", "no7", "no9", "no11", "no13"};
        std::string liste;
        for (int k = 1; k <= kNbDegres; ++k)
            if (omissions[k])
                liste += kOmissions[k];
        if (!liste.empty())
            nom += " (" + liste + ")";
    }
    return nom;
}

std::string ConstruireNomAccord(const TTheorieAccord& t)
{
    const OneBased<bool, kNbDegres> aucune{};
    return ConstruireNomAccord(t.Fondamentale, t.Typ, t.NeufOnzeTreize, t.DimAug, t.Quinte, t.Neuf, t.Onze, t.Add,
                               t.Renversement, t.Basse, aucune, false, t.Diese);
}

void ChargerTheorieAccord(TTheorieAccord& t, const TAccord& accord)
{
    t.Fondamentale = accord.Fondamentale;
    t.Typ = accord.Typ;
    t.NeufOnzeTreize = accord.NeufOnzeTreize;
    t.DimAug = accord.DimAug;
    t.Quinte = accord.Quinte;
    t.Neuf = accord.Neuf;
    t.Onze = accord.Onze;
    t.Add = accord.Add;
    t.Basse = accord.Basse;
    t.Diese = accord.Diese;
    for (int k = 1; k <= kNbDegres; ++k)
        t.Coches[k] = !accord.Degres[k];
}

void EcrireTheorieAccord(const TTheorieAccord& t, TAccord& accord)
{
    accord.Diese = t.Diese;
    accord.Fondamentale = t.Fondamentale;
    accord.Typ = t.Typ;
    accord.NeufOnzeTreize = t.NeufOnzeTreize;
    accord.Basse = t.Basse;
    accord.DimAug = t.DimAug;
    accord.Add = t.Add;
    accord.Quinte = t.Quinte;
    accord.Neuf = t.Neuf;
    accord.Onze = t.Onze;
    for (int k = 1; k <= kNbDegres; ++k)
        accord.Degres[k] = !t.Coches[k];
}
