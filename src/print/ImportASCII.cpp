#include "print/ImportASCII.h"

#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

int32_t ColonneDerniereNote = 0;
bool DebutMesure = true;

namespace {

// The ring of the last lines read, newest first; a run never uses more than six of them.
constexpr int kTailleAnneau = 10;
std::array<std::string, kTailleAnneau> anneau;

// The beat of the last note column still waits for the next note or bar to settle its
// variable duration. A run boundary ends the wait: a gap is never measured from a column of
// one block to a column of another.
bool tempsEnAttente = false;

// The frets left out of the import under way.
TFrettesOmisesASCII frettesOmises;

int32_t Piste() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

int NbCordesPiste() { return std::clamp<int32_t>(Partition.NbCordes[Piste()], 1, kNbCordesMax); }

TMesure& MesureImport() { return *Partition.Mesures[Partition.MesureCourante]; }

bool VariableMode() { return Configuration.TypeImport == ImportDureeVariable; }

// Character at column c (1-based) of a line; 0 beyond its end.
char Car(const std::string& ligne, int64_t c)
{
    if (c >= 1 && c <= static_cast<int64_t>(ligne.size()))
        return ligne[static_cast<std::size_t>(c - 1)];
    return 0;
}

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

void Rythme(TTemps& temps, int32_t ticks, int8_t code)
{
    temps.Duree = ticks;
    temps.CodeDuree = code;
    temps.Pointee = false;
    temps.Triolet = false;
    temps.PosTriolet = 0;
}

// Appends a beat to the current measure, or to the next one when the measure has its 32
// import beats. False when no measure is left for it.
bool AjouterTempsImport()
{
    const int32_t t = Piste();
    AjouterTempsVide();
    ++MesureImport().NbTemps[t];
    FixerDureeASCII();
    if (MesureImport().NbTemps[t] > NbTempsMaxImportASCII) {
        --MesureImport().NbTemps[t];
        if (!MesureSuivanteASCII())
            return false;
        AjouterTempsVide();
        ++MesureImport().NbTemps[t];
        FixerDureeASCII();
    }
    return true;
}

void PoserTechnique(TTemps& temps, TNoteCorde& note, char lettre)
{
    switch (lettre) {
    case 'h': note.Effet = 1; break;
    case 'p': note.Effet = 2; break;
    case '/': note.Effet = 3; break;
    case '\\': note.Effet = 4; break;
    case 'b': note.Effet = 5; break;
    case 'r': note.Effet = 6; break;
    case '~': temps.Effet = 1; break;
    case 't': temps.Effet = 5; break;
    case 's': temps.Effet = 6; break;
    default: break;
    }
}

// Parses one run whose last k lines (ring entries 0..k-1, entry 0 the lowest string) are the
// strings n - k + 1 .. n. False when the song ran out of measures.
bool AnalyserRun(int k)
{
    const int n = NbCordesPiste();
    const int32_t t = Piste();
    int64_t L = 0;
    for (int i = 0; i < k; ++i)
        L = std::max<int64_t>(L, static_cast<int64_t>(anneau[static_cast<std::size_t>(i)].size()));
    const std::string& haut = anneau[static_cast<std::size_t>(k - 1)];
    const auto ligne = [](int i) -> const std::string& { return anneau[static_cast<std::size_t>(i)]; };

    int64_t c = 1;
    while (c <= L) {
        if (!DebutMesure && c <= static_cast<int64_t>(haut.size())) {
            bool barre = true;
            for (int i = 0; i < k && barre; ++i)
                barre = Car(ligne(i), c) == '|';
            if (barre) {
                if (VariableMode() && tempsEnAttente)
                    DureeVariableASCII(c + 1);
                tempsEnAttente = false;
                if (!MesureSuivanteASCII())
                    return false;
                DebutMesure = true;
                ++c;
                continue;
            }
        }

        bool note = false;
        for (int i = 0; i < k && !note; ++i) {
            const char x = Car(ligne(i), c);
            note = Chiffre(x) || x == 'x';
        }
        if (!note) {
            ++c;
            continue;
        }

        if (VariableMode() && tempsEnAttente)
            DureeVariableASCII(c + 1);
        if (!AjouterTempsImport())
            return false;
        TMesure& mesure = MesureImport();
        TTemps& temps = mesure.Temps[t][mesure.NbTemps[t]];
        bool deuxChiffres = false;
        bool noteGardee = false;
        for (int i = 0; i < k; ++i) {
            const std::string& l = ligne(i);
            const char x = Car(l, c);
            if (!Chiffre(x) && x != 'x')
                continue;
            TNoteCorde& nc = temps.Notes[n - i];
            if (x == 'x') {
                nc.Frette = kNoteMorte;
                noteGardee = true;
                continue;
            }
            int frette = x - '0';
            int64_t suite = c + 1;
            if (Chiffre(Car(l, c + 1))) {
                frette = frette * 10 + (Car(l, c + 1) - '0');
                deuxChiffres = true;
                suite = c + 2;
            }
            // A fret the track cannot hold would be saved and played as it stands.
            if (frette > FretteMax[t]) {
                if (frettesOmises.Nombre++ == 0)
                    frettesOmises.PremiereMesure = Partition.MesureCourante;
                continue;
            }
            nc.Frette = static_cast<int8_t>(frette);
            noteGardee = true;
            PoserTechnique(temps, nc, Car(l, suite));
        }
        // The column still takes its time in the measure.
        if (!noteGardee)
            temps.Silence = true;
        DebutMesure = false;
        tempsEnAttente = true;
        // The gap to the next note is counted from the end of the widest fret, as the export
        // counts its advance after the fret text.
        ColonneDerniereNote = static_cast<int32_t>(std::min<int64_t>(c + (deuxChiffres ? 2 : 1), INT32_MAX));
        c += deuxChiffres ? 2 : 1;
    }
    tempsEnAttente = false;
    return true;
}

// Every part of the current track ends with its free slot prepared and its length noted, as
// the editor keeps them.
void TerminerPiste()
{
    const int32_t t = Piste();
    for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
        if (!Partition.Mesures[m])
            continue;
        TMesure& mesure = *Partition.Mesures[m];
        int64_t ticks = 0;
        for (int b = 1; b <= mesure.NbTemps[t]; ++b)
            ticks += mesure.Temps[t][b].Duree;
        mesure.DureeReelle[t] = std::nearbyint(static_cast<double>(ticks) / kTicksNoire * 1000.0) / 1000.0;
        Partition.MesureCourante = m;
        if (mesure.NbTemps[t] > 0)
            AjouterTempsVide();
        else
            InitialiserTempsSuivant(t, m);
    }
}

} // namespace

int32_t CompterTirets(std::string_view ligne) { return static_cast<int32_t>(std::count(ligne.begin(), ligne.end(), '-')); }

int32_t CompterBarres(std::string_view ligne) { return static_cast<int32_t>(std::count(ligne.begin(), ligne.end(), '|')); }

bool EstLigneTablatureASCII(std::string_view ligne)
{
    const int32_t tirets = CompterTirets(ligne);
    return tirets >= 5 || (tirets >= 2 && CompterBarres(ligne) >= 1);
}

std::string LigneNormaliseeASCII(std::string_view ligne)
{
    std::string r(ligne);
    for (char& c : r) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet == 0x96 || octet == 0x97 || octet == 0xAD) // en dash, em dash, soft hyphen
            c = '-';
        else if (octet == 0xA0)
            c = ' ';
    }
    return r;
}

bool TablatureTrouveeASCII(const std::vector<std::string>& lignes)
{
    for (const std::string& brute : lignes) {
        const std::string ligne = LigneNormaliseeASCII(brute);
        if (EstLigneTablatureASCII(ligne)
            && std::any_of(ligne.begin(), ligne.end(), [](char c) { return Chiffre(c) || c == 'x'; }))
            return true;
    }
    return false;
}

void MemoriserLigneASCII(std::string_view ligne)
{
    std::rotate(anneau.rbegin(), anneau.rbegin() + 1, anneau.rend());
    anneau[0].assign(ligne);
}

bool MesureSuivanteASCII()
{
    if (Partition.MesureCourante >= kNbMesuresMax || Partition.MesureCourante < 1)
        return false;
    const int32_t t = Piste();
    const int32_t m = Partition.MesureCourante + 1;
    if (m <= Partition.NbMesures && Partition.Mesures[m]) {
        Partition.Mesures[m]->NbTemps[t] = 0;
        Partition.MesureCourante = m;
        InitialiserTempsSuivant(t, m);
        return true;
    }
    auto bloc = std::make_unique<TMesure>();
    if (const auto& avant = Partition.Mesures[m - 1]) {
        bloc->Numerateur = avant->Numerateur;
        bloc->Denominateur = avant->Denominateur;
        bloc->Duree = avant->Duree;
    }
    bloc->RenvoiDebut = false;
    bloc->RenvoiFin = false;
    bloc->Repetition = false;
    bloc->NumRepetition = 1;
    bloc->NbRenvois = 1;
    for (int p = 1; p <= kNbPistes; ++p)
        bloc->NbTemps[p] = 0;
    Partition.Mesures[m] = std::move(bloc);
    Partition.NbMesures = std::max(Partition.NbMesures, m);
    Partition.MesureCourante = m;
    for (int p = 1; p <= kNbPistes; ++p)
        InitialiserTempsSuivant(p, m);
    return true;
}

void FixerDureeASCII()
{
    TMesure& mesure = MesureImport();
    const int32_t t = Piste();
    if (mesure.NbTemps[t] < 1)
        return;
    TTemps& temps = mesure.Temps[t][mesure.NbTemps[t]];
    switch (Configuration.TypeImport) {
    case ImportBlanches: Rythme(temps, 2 * kTicksNoire, -1); break;
    case ImportNoires: Rythme(temps, kTicksNoire, 0); break;
    case ImportCroches: Rythme(temps, kTicksNoire / 2, 1); break;
    case ImportDoublesCroches: Rythme(temps, kTicksNoire / 4, 2); break;
    default: break;
    }
}

void DureeVariableASCII(int64_t k)
{
    TMesure& mesure = MesureImport();
    const int32_t t = Piste();
    if (mesure.NbTemps[t] < 1)
        return;
    TTemps& temps = mesure.Temps[t][mesure.NbTemps[t]];
    const int64_t ecart = k - ColonneDerniereNote - 1;
    const int64_t tirets = std::clamp<int32_t>(Configuration.NbTirets, 0, 7) + 1;
    if (ecart > tirets)
        Rythme(temps, 2 * kTicksNoire, -1);
    else if (ecart == tirets)
        Rythme(temps, kTicksNoire, 0);
    else
        Rythme(temps, kTicksNoire / 2, 1);
}

bool ImporterASCII(const std::vector<std::string>& lignes, TFrettesOmisesASCII* omises)
{
    const int32_t t = Piste();
    const int n = NbCordesPiste();
    if (!Partition.Mesures[1])
        Partition.Mesures[1] = std::make_unique<TMesure>();
    ViderPiste(t);
    Partition.MesureCourante = 1;
    Curseur.Corde = 1;
    Curseur.Temps = 1;
    DebutMesure = true;
    ColonneDerniereNote = 0;
    tempsEnAttente = false;
    frettesOmises = {};
    for (std::string& l : anneau)
        l.clear();

    bool complet = true;
    int64_t longueurRun = 0;
    const auto finRun = [&] {
        if (longueurRun > 0 && complet)
            complet = AnalyserRun(static_cast<int>(std::min<int64_t>(longueurRun, n)));
        longueurRun = 0;
    };
    for (const std::string& brute : lignes) {
        if (!complet)
            break;
        const std::string ligne = LigneNormaliseeASCII(brute);
        if (EstLigneTablatureASCII(ligne)) {
            MemoriserLigneASCII(ligne);
            ++longueurRun;
        } else {
            finRun();
        }
    }
    finRun();

    SupprimerMesuresVidesFin();
    TerminerPiste();
    Partition.MesureCourante = 1;
    Curseur.Corde = 1;
    Curseur.Temps = 1;
    if (omises)
        *omises = frettesOmises;
    return complet;
}

bool EstTexteASCII(std::string_view octets)
{
    std::size_t controles = 0;
    for (const char c : octets) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet == 0)
            return false;
        if ((octet < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || octet == 0x7F)
            ++controles;
    }
    return controles * 20 <= octets.size();
}

std::string TitreDepuisFichierASCII(std::string_view chemin)
{
    const std::size_t barre = chemin.find_last_of('/');
    std::string nom(barre == std::string_view::npos ? chemin : chemin.substr(barre + 1));
    const std::size_t point = nom.find_last_of('.');
    if (point != std::string::npos && point > 0)
        nom.erase(point);
    std::string titre = platform::Utf8VersCp1252(nom);
    if (!titre.empty() && titre[0] >= 'a' && titre[0] <= 'z')
        titre[0] = static_cast<char>(titre[0] - 'a' + 'A');
    return titre.substr(0, 100);
}
