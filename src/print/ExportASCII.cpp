#include "print/ExportASCII.h"

#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "platform/Arrondi.h"
#include "platform/FileReplacement.h"
#include "platform/Sablier.h"

#include <algorithm>

int32_t NbColonnesASCII = LargeurASCIIDefaut;
std::array<std::string, 7> LignesBlocASCII;
int32_t LargeurBlocASCII = 0;
std::array<std::string, 7> LignesMesureASCII;
int32_t LargeurMesureASCII = 0;

namespace {

constexpr const char* NomsNotes[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

// String count of the current track; the song reader keeps it to 4..6, the bounds only keep a
// damaged record from reaching past the lines.
int NbCordesPiste()
{
    const int t = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    return std::clamp<int32_t>(Partition.NbCordes[t], 1, kNbCordesMax);
}

// The two middle strings that carry the repeat dots.
std::array<int, 2> CordesPointsRenvoi(int n)
{
    switch (n) {
    case 4: return {2, 3};
    case 5: return {2, 4};
    case 6: return {3, 4};
    default: return {std::min(2, n), std::min(2, n)}; // never on a legal track
    }
}

// Writes one character to column `col` (1-based) of a line; outside 1..N it is dropped.
void Poser(std::string& ligne, int64_t col, char car)
{
    if (col >= 1 && col <= static_cast<int64_t>(ligne.size()))
        ligne[static_cast<std::size_t>(col - 1)] = car;
}

void PoserTexte(std::string& ligne, int64_t col, std::string_view texte)
{
    for (std::size_t i = 0; i < texte.size(); ++i)
        Poser(ligne, col + static_cast<int64_t>(i), texte[i]);
}

// The character at column `col`; nothing (a blank) outside the line.
char Lire(const std::string& ligne, int64_t col)
{
    if (col >= 1 && col <= static_cast<int64_t>(ligne.size()))
        return ligne[static_cast<std::size_t>(col - 1)];
    return ' ';
}

void Fraiche(std::array<std::string, 7>& lignes)
{
    const auto n = static_cast<std::size_t>(std::max<int32_t>(NbColonnesASCII, 0));
    lignes[0].assign(n, ' ');
    for (int s = 1; s <= kNbCordesMax; ++s)
        lignes[s].assign(n, '-');
}

// Columns a beat's note value takes after its fret text.
int AvanceDuree(int codeDuree, bool pointee)
{
    if (codeDuree <= -2)
        return 16;
    switch (codeDuree) {
    case -1: return pointee ? 12 : 8;
    case 0: return pointee ? 6 : 4;
    case 1: return pointee ? 3 : 2;
    default: return 1;
    }
}

// Text of a fret: "x" for a dead note, else the number (no text for a string without a note).
std::string TexteFretteASCII(int frette)
{
    if (frette < 0)
        return {};
    if (frette == kNoteMorte)
        return "x";
    return std::to_string(frette);
}

char LettreEffetTemps(int effet)
{
    switch (effet) {
    case 1:
    case 2: return '~';
    case 5: return 't';
    case 6: return 's';
    default: return 0;
    }
}

char LettreEffetNote(int effet)
{
    switch (effet) {
    case 1: return 'h';
    case 2: return 'p';
    case 3: return '/';
    case 4: return '\\';
    case 5: return 'b';
    case 6: return 'r';
    default: return 0;
    }
}

} // namespace

int32_t LargeurPageASCII(int32_t configuree)
{
    if (configuree <= 0)
        return LargeurASCIIMin;
    return std::min(configuree, LargeurASCIIMax);
}

void NouveauBlocASCII()
{
    Fraiche(LignesBlocASCII);
    LargeurBlocASCII = 0;
}

void NouvelleMesureASCII()
{
    Fraiche(LignesMesureASCII);
    LargeurMesureASCII = 0;
}

void EcrireEnteteASCII(TexteASCII& memo)
{
    const std::size_t n = static_cast<std::size_t>(std::max<int32_t>(NbColonnesASCII, 0));
    const int t = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);

    if (!Partition.Titre.empty()) {
        const std::string_view titre = Partition.Titre.view();
        std::string ligne(n, ' ');
        const int64_t k = platform::Round((static_cast<double>(NbColonnesASCII) - static_cast<double>(titre.size())) / 2.0 - 1.0);
        PoserTexte(ligne, k + 1, titre);
        memo.push_back(ligne);
        memo.emplace_back();
        memo.emplace_back();
    }
    if (!Partition.Auteur.empty()) {
        const std::string_view auteur = Partition.Auteur.view();
        std::string ligne(n, ' ');
        PoserTexte(ligne, static_cast<int64_t>(n) - static_cast<int64_t>(auteur.size()) + 1, auteur);
        memo.push_back(ligne);
    }
    std::string piste = Partition.NomPiste[t].str();
    if (Partition.Capo[t] > 0)
        piste += " (Capo " + std::to_string(Partition.Capo[t]) + ")";
    if (!piste.empty())
        memo.push_back(piste);
    if (!Partition.Commentaire.empty())
        memo.push_back(Partition.Commentaire.str());
    if (!Partition.Auteur.empty() || !Partition.Commentaire.empty()) {
        memo.emplace_back();
        memo.emplace_back();
        memo.emplace_back();
    }
}

int32_t RendreMesureASCII(int32_t m)
{
    NouvelleMesureASCII();
    const int n = NbCordesPiste();
    const int t = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    if (m < 1 || m > kNbMesuresMax || !Partition.Mesures[m])
        return 0;
    const TMesure& mesure = *Partition.Mesures[m];
    auto& L = LignesMesureASCII;
    const auto points = CordesPointsRenvoi(n);
    int64_t c = 1;

    if (m == 1) {
        std::array<std::string, kNbCordesMax + 1> noms;
        std::size_t w = 1;
        for (int s = 1; s <= n; ++s) {
            const int32_t hauteur = Partition.Accordage[t][s];
            noms[s] = NomsNotes[((hauteur % 12) + 12) % 12];
            w = std::max(w, noms[s].size());
        }
        for (int s = 1; s <= n; ++s) {
            Poser(L[s], 1, noms[s][0]);
            if (w == 2)
                Poser(L[s], 2, noms[s].size() == 2 ? noms[s][1] : ' ');
        }
        c = static_cast<int64_t>(w) + 1;
    }

    if (mesure.RenvoiDebut || m == 1) {
        int barres = 2;
        if (LargeurBlocASCII > 0) {
            const std::string& haut = LignesBlocASCII[1];
            if (Lire(haut, LargeurBlocASCII) == '|' && Lire(haut, int64_t(LargeurBlocASCII) - 1) == '|')
                barres = 0;
            else if (Lire(haut, LargeurBlocASCII) == '|')
                barres = 1;
        }
        for (int k = 0; k < barres; ++k) {
            for (int s = 1; s <= n; ++s)
                Poser(L[s], c, '|');
            ++c;
        }
        if (mesure.RenvoiDebut) {
            for (int s : points)
                Poser(L[s], c, '*');
            ++c;
        }
    }

    c += 2;

    const int32_t nbTemps = std::clamp<int32_t>(mesure.NbTemps[t], 0, kNbTempsMax);
    for (int b = 1; b <= nbTemps; ++b) {
        const TTemps& temps = mesure.Temps[t][b];
        int64_t w = 0;
        if (temps.AvecAccord && temps.Accord)
            PoserTexte(L[0], c, temps.Accord->Nom.view());
        if (!temps.Silence && !temps.Lie) {
            const char lettreTemps = LettreEffetTemps(temps.Effet);
            for (int s = 1; s <= n; ++s) {
                const TNoteCorde& note = temps.Notes[s];
                const std::string texte = TexteFretteASCII(note.Frette);
                if (texte.empty())
                    continue;
                PoserTexte(L[s], c, texte);
                w = std::max<int64_t>(w, static_cast<int64_t>(texte.size()));
                char lettre = lettreTemps;
                if (const char l = LettreEffetNote(note.Effet))
                    lettre = l;
                if (lettre)
                    Poser(L[s], c + static_cast<int64_t>(texte.size()), lettre);
            }
        }
        c += w + AvanceDuree(temps.CodeDuree, temps.Pointee);
    }

    if (mesure.RenvoiFin) {
        if (mesure.NbRenvois > 1) {
            const std::string compte = std::to_string(mesure.NbRenvois);
            // The count ends in column c + 1, its "x" in column c + 2.
            PoserTexte(L[0], c + 2 - static_cast<int64_t>(compte.size()), compte);
            Poser(L[0], c + 2, 'x');
        }
        for (int s : points)
            Poser(L[s], c, '*');
        for (int s = 1; s <= n; ++s)
            Poser(L[s], c + 1, '|');
        c += 2;
    }

    for (int s = 1; s <= n; ++s)
        Poser(L[s], c, '|');
    if (m == Partition.NbMesures && !mesure.RenvoiFin) {
        ++c;
        for (int s = 1; s <= n; ++s)
            Poser(L[s], c, '|');
    }
    // At most 66 beats of 3 fret characters and 16 columns each: far inside 32 bits.
    LargeurMesureASCII = static_cast<int32_t>(c);
    return LargeurMesureASCII;
}

void AjouterMesureASCII()
{
    const int n = NbCordesPiste();
    for (int s = 0; s <= n; ++s) {
        const std::string& source = LignesMesureASCII[s];
        std::string& cible = LignesBlocASCII[s];
        for (int64_t k = 1; k <= LargeurMesureASCII && k <= static_cast<int64_t>(source.size()); ++k)
            Poser(cible, int64_t(LargeurBlocASCII) + k, source[static_cast<std::size_t>(k - 1)]);
    }
    LargeurBlocASCII += LargeurMesureASCII;
}

void ViderBlocASCII(TexteASCII& memo)
{
    const int n = NbCordesPiste();
    const auto largeur = static_cast<std::size_t>(std::max<int32_t>(LargeurBlocASCII, 0));
    for (int s = 0; s <= n; ++s)
        memo.push_back(LignesBlocASCII[s].substr(0, largeur));
    memo.emplace_back();
    memo.emplace_back();
}

void ExporterASCII(TexteASCII& memo)
{
    platform::Sablier sablier;
    NbColonnesASCII = LargeurPageASCII(Configuration.NbColASCII);
    memo.clear();
    EcrireEnteteASCII(memo);
    NouveauBlocASCII();
    const int32_t nbMesures = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    for (int32_t m = 1; m <= nbMesures; ++m) {
        const int32_t w = RendreMesureASCII(m);
        if (LargeurBlocASCII > 0 && int64_t(LargeurBlocASCII) + w > NbColonnesASCII) {
            ViderBlocASCII(memo);
            NouveauBlocASCII();
            RendreMesureASCII(m); // against the empty block: its opening bars change
        }
        AjouterMesureASCII();
    }
    ViderBlocASCII(memo);
}

std::vector<uint8_t> OctetsFichierASCII(const TexteASCII& lignes)
{
    std::vector<uint8_t> octets;
    for (const std::string& ligne : lignes) {
        octets.insert(octets.end(), ligne.begin(), ligne.end());
        octets.push_back('\r');
        octets.push_back('\n');
    }
    return octets;
}

bool EnregistrerFichierASCII(const TexteASCII& lignes, const std::string& nomFichier)
{
    platform::Sablier sablier;
    if (!platform::ReplaceFile(nomFichier, OctetsFichierASCII(lignes))) {
        sablier.Terminer();
        AfficherMessage(Traduire("Dlg-Erreur"), Traduire("ASCIIExp-EcritureFichierImpossibleExportAb"), IconeErreur,
                        BoutonOK, DefautOK, PlacementCentre);
        return false;
    }
    return true;
}
