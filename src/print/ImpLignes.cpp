#include "print/ImpLignes.h"

#include "editor/Disposition.h"
#include "print/ImpEffets.h"
#include "print/ImpNotes.h"
#include "print/ImpPage.h"
#include "print/ImpPortee.h"
#include "print/ImpRythme.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

bool SignatureChange(int32_t m)
{
    const TMesure* bloc = MesureImpr(m);
    const TMesure* precedente = MesureImpr(m - 1);
    return bloc && precedente &&
           (bloc->Numerateur != precedente->Numerateur || bloc->Denominateur != precedente->Denominateur);
}

int32_t NbMesuresImpr() { return std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax); }

// The canvas the layout measures names and numbers on: the page's, or the output's measuring
// canvas on the pages not drawn.
platform::Canevas* CanevasMesureLigne() { return CanvasImpr ? CanvasImpr : CanevasMesureImpr; }

// Across, the ink of the chord diagram printed over a beat, from the beat's x; none for a beat
// that prints no diagram.
std::optional<TEtendueImpr> EtendueDiagrammeTemps(const TTemps& t, platform::Canevas* c)
{
    if (!ParamImpCourant.AffDiag_Prt || !t.AvecAccord || !t.Accord || !t.Accord->AvecDiagramme())
        return std::nullopt;
    return EtendueDiagrammeImpr(c, *t.Accord);
}

// Between the ink of two diagrams: a string gap of theirs.
double EcartDiagrammes() { return G.EcartDiagramme * FacteurDiagrammesDe(ParamImpCourant.ChordSize_Prt); }

TBordsDiagrammes Espacer(int32_t m, platform::Canevas* c);

// Between the ink of two beats: the white box a fret text hides its string behind must not
// reach the fret before it, and 0.2 mm more.
double EcartFrettesImpr() { return G.MargeFrette + 0.2; }

// Stretches the proportional part of measure m by s.
void Etirer(int32_t m, double s)
{
    TMesure* bloc = MesureImpr(m);
    if (!bloc)
        return;
    const int32_t piste = PisteImpr();
    for (int32_t b = 1; b <= NbTempsImpr(m); ++b)
        bloc->Temps[piste][b].XImp *= s;
    bloc->LargeurImp *= s;
}

} // namespace

void CalculerLargeursTempsImpression()
{
    TZoneImpression& p = ParamImpCourant;
    double f = p.CoefEspAff_Prt / 10.0 + 0.5;
    if (f > 1)
        f *= f;
    p.LargeursDurees.fill(0.0);
    struct Entree {
        int32_t ticks;
        double facteur;
    };
    static constexpr Entree kTable[] = {
        {30, 5}, {45, 5}, {60, 5}, {90, 5}, {120, 5}, {180, 5}, {160, 6}, {240, 6}, {360, 6},
        {320, 7}, {480, 7}, {640, 8}, {720, 8}, {960, 9}, {1280, 9}, {1440, 9}, {1920, 10},
    };
    for (const Entree& e : kTable)
        p.LargeursDurees[static_cast<std::size_t>(platform::Round(e.ticks / 5.0))] = e.facteur * f;
    p.LargeurBase = 5 * f;
    p.EspaceAvantTemps = 5 * f;
}

double LargeurMinimaleImpression(int32_t duree)
{
    const int64_t i = platform::Round(duree / 5.0);
    if (i < 0 || i > IndiceMaxLargeursDuree)
        return 0.0;
    return ParamImpCourant.LargeursDurees[static_cast<std::size_t>(i)];
}

void EspacerMesureImpression(int32_t m) { Espacer(m, CanevasMesureLigne()); }

namespace {

TBordsDiagrammes Espacer(int32_t m, platform::Canevas* c)
{
    TMesure* bloc = MesureImpr(m);
    if (!bloc)
        return {};
    const TZoneImpression& p = ParamImpCourant;
    const int32_t piste = PisteImpr();
    const int32_t n = NbTempsImpr(m);
    auto& temps = bloc->Temps[piste];

    int32_t longue = 0;
    for (int32_t b = 1; b <= n; ++b)
        longue = std::max(longue, temps[b].Duree);

    // Every halving of the duration divides the width by the rhythm proportion. A duration
    // that is not positive (a damaged file) takes no room rather than an infinite one, and a
    // proportion that is not positive counts as 1.
    const double coef = p.CoefPImp > 0 ? p.CoefPImp : 1.0;
    double x = 0;
    for (int32_t b = 1; b <= n; ++b) {
        temps[b].XImp = x;
        const int32_t d = temps[b].Duree;
        if (d > 0 && longue > 0)
            x += p.LargeurBase * std::pow(coef, -std::log2(static_cast<double>(longue) / d));
    }
    bloc->LargeurImp = x;

    // The whole measure widens until no beat is narrower than its minimum.
    double k = 1;
    for (int32_t b = 1; b <= n; ++b) {
        const double fin = b < n ? temps[b + 1].XImp : bloc->LargeurImp;
        const double largeur = fin - temps[b].XImp;
        const double minimum = LargeurMinimaleImpression(temps[b].Duree);
        if (largeur > 0)
            k = std::max(k, minimum / largeur);
    }
    if (k > 1) {
        for (int32_t b = 2; b <= n; ++b)
            temps[b].XImp *= k;
        bloc->LargeurImp *= k;
    }

    // Each pass below moves the beats' x and the measure's width from where the one before
    // left them.
    std::vector<double> positions;
    auto ecarter = [&](auto&& deplacer) {
        positions.assign(static_cast<std::size_t>(n) + 2, 0);
        for (int32_t b = 1; b <= n; ++b)
            positions[static_cast<std::size_t>(b)] = temps[b].XImp;
        positions.back() = bloc->LargeurImp;
        deplacer();
        for (int32_t b = 1; b <= n; ++b)
            temps[b].XImp = positions[static_cast<std::size_t>(b)];
        bloc->LargeurImp = positions.back();
    };

    // A grace note is wider than the room the minimum of a short beat leaves it between the
    // frets, or after the bar.
    const TNotesMesure notes = c ? NotesMesure(temps, n, NbCordesImpr(), p.AffEff_Prt) : TNotesMesure{};
    const bool gracesOuBends = notes.GracesOuBends;
    const double e = EchelleImpr();
    auto mm = [e](std::optional<double> v) { return v ? std::optional<double>(*v / e) : std::nullopt; };
    auto placeGrace = [&](int32_t b, int32_t s) { return mm(PlaceGraceImpr(*c, temps[b], s)); };
    // What a beat inks, in mm as the layout.
    auto encreMm = [&](int32_t b, TEncreTemps& encre) {
        EncreTempsImpr(*c, temps[b], encre);
        for (std::vector<TZoneEncre>* zones : {&encre.Frettes, &encre.Bends})
            for (TZoneEncre& z : *zones)
                z = {z.Gauche / e, z.Haut / e, z.Droite / e, z.Bas / e};
    };
    double graceAvant = 0;
    if (gracesOuBends && e > 0) {
        ecarter([&] {
            graceAvant = EcarterGraces(
                positions, NbCordesImpr(), placeGrace,
                [&](int32_t b, int32_t s) { return mm(DebutPlaceGraceImpr(*c, temps[b], s)); },
                DebutPlaceGracePremierTempsImpr());
        });
    }

    // Two-digit frets are wider than the minimum of a short beat, and a bend reaches further.
    const bool frettes = e > 0 && (notes.Frettes || gracesOuBends);
    if (frettes) {
        ecarter([&] {
            EcarterFrettes(positions, encreMm, EcartFrettesImpr());
        });
    }

    // A diagram is wider than the minimum of a short beat.
    std::vector<TDiagrammeMesure> diagrammes;
    for (int32_t b = 1; b <= n; ++b)
        if (const std::optional<TEtendueImpr> e = EtendueDiagrammeTemps(temps[b], c))
            diagrammes.push_back({b, e->Gauche, e->Droite});
    const double ecart = EcartDiagrammes();
    TBordsDiagrammes bords;
    if (!diagrammes.empty()) {
        ecarter([&] {
            bords = EcarterDiagrammes(positions, diagrammes, ecart);
        });
    }

    bloc->EspaceGaucheImp = 0;
    bloc->EspaceDroiteImp = 0;
    if (m == 1)
        bloc->EspaceGaucheImp = G.EspaceDebutPartition;
    if (bloc->RenvoiDebut)
        bloc->EspaceGaucheImp = G.EspaceDebutRenvoi;
    if (m == 1 || SignatureChange(m))
        bloc->EspaceGaucheImp += G.EspaceSignature;
    if (m == NbMesuresImpr())
        bloc->EspaceDroiteImp = G.EspaceFinPartition;
    if (bloc->RenvoiFin)
        bloc->EspaceDroiteImp = G.EspaceFinRenvoi;
    bloc->EspaceGaucheImp += graceAvant;

    if (frettes && (m == 1 || SignatureChange(m)) && n >= 1) {
        TEncreTemps premier;
        encreMm(1, premier);
        bloc->EspaceGaucheImp += EcarterSignature(p.EspaceAvantTemps + bloc->EspaceGaucheImp + temps[1].XImp,
                                                  DroiteSignatureImpr(*c, m, bloc->Numerateur, bloc->Denominateur),
                                                  EcartFrettesImpr(), premier, gracesOuBends ? NbCordesImpr() : 0,
                                                  placeGrace);
    }

    // Bends reach right of their beats, the last ones past the measure's end, and so may the
    // last beat's frets.
    if (frettes) {
        std::optional<double> droite;
        TEncreTemps encre;
        for (int32_t b = gracesOuBends ? 1 : n; b <= n; ++b) {
            encreMm(b, encre);
            for (const TZoneEncre& z : encre.Bends)
                droite = std::max(droite.value_or(0), temps[b].XImp + z.Droite);
            if (b == n)
                for (const TZoneEncre& f : encre.Frettes)
                    droite = std::max(droite.value_or(0), temps[n].XImp + f.Droite);
        }
        const double fin = bloc->LargeurImp + bloc->EspaceDroiteImp - RetraitMarquesFinImpr(m);
        if (droite && *droite > fin)
            bloc->EspaceDroiteImp += *droite - fin;
    }

    // An ending's hook and number stand at the measure's start: the first diagram keeps clear
    // of them.
    if (bloc->Repetition && bords.Gauche) {
        const double fin = c ? FinNumeroFinAlternativeImpr(*c, m, bloc->NumRepetition) : 0;
        const double gauche = p.EspaceAvantTemps + bloc->EspaceGaucheImp + *bords.Gauche;
        bloc->EspaceGaucheImp += std::max(fin + ecart - gauche, 0.0);
    }
    return bords;
}

} // namespace

double EspaceFixeMesureImpression(int32_t m)
{
    const TMesure* bloc = MesureImpr(m);
    if (!bloc)
        return 0;
    return ParamImpCourant.EspaceAvantTemps + bloc->EspaceGaucheImp + bloc->EspaceDroiteImp;
}

double LargeurDisponibleImpression()
{
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double page = e > 0 ? LargeurPage / e : 0.0;
    return page - p.MargeGaucheLignes - p.MargeDroiteLignes;
}

namespace {

// The top of what the line m0..m draws over its staff at PosY, print mm: the chord diagrams
// with the marks over their strings, the chord names, the ending brackets and the texts
// (hautTextes).
double HautLigne(platform::Canevas& c, int32_t m0, int32_t m, std::optional<double> hautTextes)
{
    const TZoneImpression& p = ParamImpCourant;
    const TGeometrieImpr& G = kGeometrieImpr;
    const double e = EchelleImpr();
    const int32_t piste = PisteImpr();
    double haut = hautTextes ? std::min(*hautTextes, p.PosY) : p.PosY;
    for (int32_t k = m0; k <= m; ++k) {
        const TMesure* bloc = MesureImpr(k);
        if (!bloc)
            continue;
        if (bloc->Repetition)
            haut = std::min(haut, HautFinAlternative(&c, k, m0, m) - G.EpaisseurFinAlt / 2);
        for (int32_t b = 1; b <= NbTempsImpr(k); ++b) {
            const TTemps& t = bloc->Temps[piste][b];
            if (!t.AvecAccord || !t.Accord)
                continue;
            if (p.AffDiag_Prt && t.Accord->AvecDiagramme()) {
                const double y = YDiagrammeImpr();
                haut = std::min(haut, ZoneDiagramme(c, *t.Accord, true, t.XImp + p.MargeGaucheLignes, y).Haut / e);
            } else if (p.AffChordsName_Prt) {
                c.SetFonte(PoliceImpr("FontAcc_Prt"));
                const double yc = YNomAccordImpr();
                haut = std::min(haut, yc - c.TextHeight(t.Accord->Nom.view()) / 2.0 / e);
            }
        }
    }
    return haut;
}

} // namespace

int32_t ImprimerLigne(int32_t m0, bool dessiner, std::optional<double> hautMin)
{
    TZoneImpression& p = ParamImpCourant;
    const int32_t nb = NbMesuresImpr();
    if (!MesureImpr(m0))
        return m0;

    double P = 0;
    double F = 0;
    const double A = LargeurDisponibleImpression();
    // Where the ink of the line's last diagram so far ends, before stretching (which only
    // widens the line): a measure's first diagram keeps its room after it across the bar.
    platform::Canevas* mesure = CanevasMesureLigne();
    const double ecart = EcartDiagrammes();
    std::optional<double> droiteDiagrammes;
    auto ajouter = [&](int32_t k) {
        const TBordsDiagrammes bords = Espacer(k, mesure);
        TMesure* bloc = MesureImpr(k);
        auto debut = [&] { return P + F + p.EspaceAvantTemps + bloc->EspaceGaucheImp; };
        if (bords.Gauche && droiteDiagrammes)
            bloc->EspaceGaucheImp += std::max(*droiteDiagrammes + ecart - (debut() + *bords.Gauche), 0.0);
        if (bords.Droite)
            droiteDiagrammes = debut() + *bords.Droite;
        P += bloc->LargeurImp;
        F += EspaceFixeMesureImpression(k);
    };
    ajouter(m0);

    // Greedy fill. The loop stops at the song's last measure: a line starting on it must not
    // reach past the song (and take off a measure that was never laid out).
    int32_t m = m0;
    while (m < nb) {
        ++m;
        ajouter(m);
        if (P + F > A)
            break;
    }
    if (P + F > A && m > m0) {
        P -= MesureImpr(m)->LargeurImp;
        F -= EspaceFixeMesureImpression(m);
        --m;
    }

    // Only the proportional parts grow (or shrink, for a single over-wide measure), so that
    // the line fills the working width exactly; the song's last line keeps its natural spacing
    // when it fills less than three quarters of the width. Fixed parts wider than the whole
    // width (huge margins) squeeze the beats to nothing rather than mirror them.
    const double ratio = A / (P + F);
    if (!(m == nb && ratio > 4.0 / 3.0)) {
        const double s = P > 0 ? std::max((A - F) / P, 0.0) : 1.0;
        for (int32_t k = m0; k <= m; ++k)
            Etirer(k, s);
    }
    PremiereMesureLigneImpr = m0;
    // A line laid out without being drawn is placed further only where its texts or what
    // stands above it can move it.
    auto aTextes = [&] {
        for (int32_t k = m0; k <= m; ++k)
            for (int32_t b = 1; b <= NbTempsImpr(k); ++b)
                if (!MesureImpr(k)->Temps[PisteImpr()][b].Texte.empty())
                    return true;
        return false;
    };
    // Nor can chord names and diagrams rise without marks under them.
    auto aAccordsEtMarques = [&] {
        if (!p.AffEff_Prt || !(p.AffDiag_Prt || p.AffChordsName_Prt))
            return false;
        bool accords = false, marques = false;
        for (int32_t k = m0; k <= m; ++k)
            for (int32_t b = 1; b <= NbTempsImpr(k); ++b) {
                const TTemps& t = MesureImpr(k)->Temps[PisteImpr()][b];
                accords = accords || (t.AvecAccord && t.Accord);
                marques = marques || t.Effet != 0;
                for (int32_t s = 1; s <= NbCordesImpr() && !marques; ++s)
                    marques = AvecBendImpr(t, s);
            }
        return accords && marques;
    };
    if (!dessiner && !(mesure && (hautMin || (p.AffTxt_Prt && aTextes()) || aAccordsEtMarques())))
        return m;

    // Every beat gets its x on the line before any is drawn or its texts placed: a text is
    // placed against the diagrams and texts of the measures after its own.
    const int32_t piste = PisteImpr();
    double x = 0;
    for (int32_t k = m0; k <= m; ++k) {
        TMesure* bloc = MesureImpr(k);
        if (!bloc)
            continue;
        x += p.EspaceAvantTemps + bloc->EspaceGaucheImp;
        for (int32_t b = 1; b <= NbTempsImpr(k); ++b)
            bloc->Temps[piste][b].XImp += x;
        bloc->LargeurImp += x;
        x = bloc->LargeurImp + bloc->EspaceDroiteImp;
    }
    // The line's texts and its beats' placed marks last while it is laid out and drawn.
    TContexteImpr contexte;
    struct FinContexte {
        ~FinContexte() { ContexteImpr = nullptr; }
    } finContexte;
    ContexteImpr = &contexte;
    // Chord names and diagrams that the marks under them would meet rise over them, and the
    // line moves down by as much, the ending brackets and texts over them rising with them.
    if (mesure) {
        contexte.MonteeDessus = MesurerMonteeDessusImpr(m0, m);
        p.PosY += contexte.MonteeDessus;
    }
    // Where the line's texts go decides where the line goes: rows of texts over its diagrams
    // move it down, and so may what stands above it.
    auto placerTextes = [&] { return p.AffTxt_Prt ? PlacerTextesLigne(m0, m) : TTextesLigneImpr{}; };
    TTextesLigneImpr textes = placerTextes();
    if (textes.Croissance > 0) {
        p.PosY += textes.Croissance;
        textes = placerTextes();
    }
    if (hautMin && mesure) {
        const double haut = HautLigne(*mesure, m0, m, textes.Haut);
        if (haut < *hautMin) {
            p.PosY += *hautMin - haut;
            placerTextes();
        }
    }
    if (!dessiner)
        return m;
    // Marks measured while the line was still moving down stood at another height.
    contexte.MarquesTemps = {};

    const double y = p.PosY;
    x = 0;
    for (int32_t k = m0; k <= m; ++k) {
        TMesure* bloc = MesureImpr(k);
        if (!bloc)
            continue;
        p.MesureEnCours = k;
        const double xd = x;
        if (k == 1 && p.AffTriplet_Prt)
            ImprimerAccordage(x);
        if (k == m0 && p.AffNum_Prt)
            ImprimerNumeroMesure(k, x);

        if (bloc->RenvoiDebut)
            ImprimerBarreRenvoi(1, y, x);
        else if (k == 1)
            ImprimerDoubleBarre(1, y, x);
        else if (k == m0)
            ImprimerBarreMesure(1, 2, y, x);

        if (bloc->Repetition)
            ImprimerFinAlternative(k, bloc->NumRepetition, y, x, HautFinAlternative(CanvasImpr, k, m0, m));
        if (k == 1 || SignatureChange(k))
            ImprimerSignature(k, bloc->Numerateur, bloc->Denominateur, y, x);

        x = bloc->LargeurImp + bloc->EspaceDroiteImp;

        const TMesure* suivante = MesureImpr(k + 1);
        if (bloc->RenvoiFin)
            ImprimerBarreRenvoi(2, y, x);
        else if (k == nb)
            ImprimerDoubleBarre(2, y, x);
        else if (k == m || !suivante || !suivante->RenvoiDebut)
            ImprimerBarreMesure(1, 1, y, x);

        ImprimerCordes(xd, x, y);
        ImprimerTempsMesure(k);
    }
    return m;
}

void ImprimerTempsMesure(int32_t m)
{
    TZoneImpression& p = ParamImpCourant;
    const TMesure* bloc = MesureImpr(m);
    if (!bloc)
        return;
    p.MesureEnCours = m;
    const int32_t piste = PisteImpr();
    const int32_t n = NbCordesImpr();
    for (int32_t b = 1; b <= NbTempsImpr(m); ++b) {
        const TTemps& t = bloc->Temps[piste][b];
        if (p.AffTxt_Prt)
            ImprimerTexteTemps(b);
        if (p.AffDiag_Prt || p.AffChordsName_Prt)
            ImprimerAccord(b);
        if (p.AffEff_Prt)
            ImprimerEffetsTemps(b);
        ImprimerLiaisons(m, b);
        for (int32_t s = 1; s <= n; ++s)
            ImprimerNote(b, s);
        if (p.AffRyt_Prt) {
            ImprimerCroches(b);
            if (!(t.Silence && t.CodeDuree < 1))
                ImprimerHampes(b);
            if (t.Triolet && t.PosTriolet == 1)
                ImprimerTriolet(m, b);
        }
    }
}
