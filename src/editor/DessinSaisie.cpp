#include "editor/DessinSaisie.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "editor/Commandes.h"
#include "editor/EffetsSaisie.h"
#include "editor/Ligatures.h"
#include "editor/PlacementTextes.h"
#include "platform/Arrondi.h"
#include "platform/CanevasMuet.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using platform::clBlack;
using platform::clBlue;
using platform::clLime;
using platform::clRed;
using platform::clWhite;
using platform::clYellow;

int32_t TempsPrecedent = 1;
int32_t CordePrecedente = 1;

namespace {

// Stands in for the edit image until the main window installs its own.
platform::CanevasMuet canevasNul{0, 0};
platform::Canevas* canevasSaisie = &canevasNul;

TEtatMesure etatMesure = TEtatMesure::Incomplete;
char separateurDecimal = '.';

int R(double v) { return static_cast<int>(platform::Round(v)); }

int Piste() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

int NbCordes() { return std::clamp<int32_t>(Partition.NbCordes[Piste()], 1, kNbCordesMax); }

TMesure* Bloc(int32_t m)
{
    if (m < 1 || m > Partition.NbMesures || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

int NbTempsBloc(const TMesure& bloc) { return std::clamp<int32_t>(bloc.NbTemps[Piste()], 0, kNbTempsMax); }

int YCorde(int s) { return Curseur.MargeHaut + (s - 1) * Curseur.EspCordes; }

void StyloEtBrosse(platform::Canevas& c, platform::Couleur couleur)
{
    c.SetStylo(couleur);
    c.SetBrosse(couleur);
}

std::string AvecSeparateur(std::string texte)
{
    if (separateurDecimal != '.')
        std::replace(texte.begin(), texte.end(), '.', separateurDecimal);
    return texte;
}

// A row of texts over the measure, each given with its beat: written from 4 pixels before its
// beat, a space of their font apart, placed as the score places its beat texts
// (PlacementTextes.h). The zone has no room over the row: a text with no room beside its beat
// moves on right past the texts before it.
void EcrireRangee(platform::Canevas& c, const std::vector<std::pair<int, std::string>>& textes, int y)
{
    const auto x = [](int b) { return static_cast<double>(Curseur.MargeGauche + Curseur.LargeurTemps * b - 4); };
    const double fin = c.Largeur();
    std::vector<TTexteTemps> zones;
    std::vector<int> decalages; // from a text's cell to its ink
    zones.reserve(textes.size());
    for (const auto& [b, texte] : textes) {
        const platform::EncreTexte encre = c.TextInk(texte);
        const double hauteur = c.TextHeight(texte);
        zones.push_back({{x(b) + encre.gauche, static_cast<double>(y), x(b) + encre.droite, y + hauteur},
                         static_cast<double>(Curseur.MargeGauche), fin, x(b + 1), std::nullopt});
        decalages.push_back(encre.gauche);
    }
    TReglesTextesTemps regles{0, static_cast<double>(std::max(c.TextWidth(" "), 1)), 0, fin};
    regles.HautMin = y;
    const std::vector<TPlaceTexteTemps> places = PlacerTextesTemps({}, zones, regles);
    for (std::size_t i = 0; i < textes.size(); ++i)
        c.TextOut(R(places[i].Gauche) - decalages[i], y, textes[i].second);
}

// The two repeat dots sit in the gaps below these strings.
std::array<int, 2> GapsPointsRenvoi(int n)
{
    if (n <= 4)
        return {1, 3};
    if (n == 5)
        return {2, 3};
    return {2, 4};
}

} // namespace

platform::Canevas& CanevasSaisie() { return *canevasSaisie; }

void InstallerCanevasSaisie(platform::Canevas* canevas) { canevasSaisie = canevas ? canevas : &canevasNul; }

// ---- Measure status ------------------------------------------------------------------------

TEtatMesure EtatMesureAffiche() { return etatMesure; }

int64_t TicksMesure(int32_t piste, int32_t mesure)
{
    const TMesure* bloc = Bloc(mesure);
    if (!bloc || piste < 1 || piste > kNbPistes)
        return 0;
    const int n = std::clamp<int32_t>(bloc->NbTemps[piste], 0, kNbTempsMax);
    int64_t ticks = 0;
    for (int b = 1; b <= n; ++b)
        ticks += bloc->Temps[piste][b].Duree;
    return ticks;
}

char SeparateurDecimal() { return separateurDecimal; }

void DefinirSeparateurDecimal(char separateur) { separateurDecimal = separateur; }

std::string TexteTroisDecimales(double valeur)
{
    std::array<char, 64> tampon{};
    const auto r = std::to_chars(tampon.data(), tampon.data() + tampon.size(), valeur,
                                 std::chars_format::fixed, 3);
    return AvecSeparateur(std::string(tampon.data(), r.ptr));
}

std::string TexteDecimalCourt(double valeur)
{
    std::array<char, 64> tampon{};
    const auto r = std::to_chars(tampon.data(), tampon.data() + tampon.size(), valeur);
    return AvecSeparateur(std::string(tampon.data(), r.ptr));
}

std::string TexteNumeroMesure(int32_t mesure, int32_t nbMesures)
{
    std::array<char, 32> tampon{};
    std::snprintf(tampon.data(), tampon.size(), "%03d : %03d", mesure, nbMesures);
    return tampon.data();
}

void AfficherNumeroMesure()
{
    FenetrePrincipale().AfficherNumeroMesure(TexteNumeroMesure(Partition.MesureCourante, Partition.NbMesures).c_str());
}

void AfficherEtatMesure()
{
    TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int p = Piste();
    // From whole ticks, so that a complete part compares exactly equal: the nominal length is a
    // multiple of 1/32 of a quarter, which this division gives without error.
    double a = static_cast<double>(TicksMesure(p, Partition.MesureCourante)) / kTicksNoire;
    const double d = bloc->Duree;

    std::string etat;
    platform::Couleur couleur = clRed;
    if (a == d) {
        etatMesure = TEtatMesure::Complete;
        couleur = clLime;
        etat = Traduire("Gene-MesureComplete");
    } else if (a > d) {
        etatMesure = TEtatMesure::Depassee;
        etat = Traduire("Gene-MesureDepassee");
    } else {
        etatMesure = TEtatMesure::Incomplete;
        etat = Traduire("Gene-MesureIncomplete");
    }

    a = static_cast<double>(platform::Round(a * 1000)) / 1000;
    const std::string longueurs = TexteTroisDecimales(a) + " : " + TexteTroisDecimales(d);
    FenetrePrincipale().AfficherEtatMesure(longueurs.c_str(), etat.c_str(), couleur.Valeur());
    bloc->DureeReelle[p] = a;
}

// ---- Full redraw ---------------------------------------------------------------------------

void RedessinerMesure(platform::Canevas& c)
{
    if (!Commandes().Enabled(Cmd::Ac_Son_LectureDebut))
        return;
    TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;

    EffacerZoneSaisie(c);
    DessinerCordesSaisie(c);
    AfficherNumeroMesure();
    DessinerSignatureSaisie(c);
    Curseur.ChiffreEnAttente = false;
    CordePrecedente = Curseur.Corde;
    TempsPrecedent = Curseur.Temps;
    DessinerRenvoiDebutSaisie(c);
    DessinerRenvoiFinSaisie(c);
    DessinerFinAlternativeSaisie(c);
    const int n = NbTempsBloc(*bloc);
    for (int b = 1; b <= n; ++b)
        DessinerTempsSaisie(c, Curseur, Partition.MesureCourante, true, b);
    DessinerNomsAccordsSaisie(c);
    DessinerTextesSaisie(c);
    DessinerCurseur(c);
    // Beams first: their row's clearing reaches the top of the triplet numbers, as on every
    // edit, which draws them in this order too.
    LigaturerMesure(c, 0);
    DessinerTrioletsSaisie(c);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
}

void RedessinerMesure() { RedessinerMesure(CanevasSaisie()); }

void EffacerZoneSaisie(platform::Canevas& c)
{
    StyloEtBrosse(c, clWhite);
    c.Rectangle(0, 0, c.Largeur(), c.Hauteur());
}

void DessinerCordesSaisie(platform::Canevas& c)
{
    const int n = NbCordes();
    const int mg = Curseur.MargeGauche;
    const int xd = mg + Curseur.LargeurZone;
    c.SetStylo(clBlack);
    for (int s = 1; s <= n; ++s)
        c.Ligne(mg, YCorde(s), xd + 1, YCorde(s));
    c.Ligne(mg, Curseur.MargeHaut, mg, YCorde(n));
    c.Ligne(xd, Curseur.MargeHaut, xd, YCorde(n));
    DessinerRenvoiFinSaisie(c);
}

void DessinerSignatureSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int n = NbCordes();
    const int mg = Curseur.MargeGauche;
    const int mh = Curseur.MargeHaut;
    const int hauteur = n * Curseur.EspCordes;
    StyloEtBrosse(c, clWhite);
    c.Rectangle(1, mh, mg, mh + hauteur);
    c.SetFonte(platform::StyleFonte{"Arial", 16, true, false, clBlack});
    const std::string numerateur = std::to_string(bloc->Numerateur);
    const std::string denominateur = std::to_string(bloc->Denominateur);
    const platform::Dimension dn = c.TextExtent(numerateur);
    c.TextOut(R((mg - dn.cx) / 2.0), R(hauteur / 2.0) + mh - dn.cy - 5, numerateur);
    const int wd = c.TextWidth(denominateur);
    c.TextOut(R((mg - wd) / 2.0), R(hauteur / 2.0) + mh - 5, denominateur);
}

void DessinerSignatureSaisie() { DessinerSignatureSaisie(CanevasSaisie()); }

void DessinerRenvoiDebutSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int n = NbCordes();
    const int mg = Curseur.MargeGauche;
    const int mh = Curseur.MargeHaut;
    const int yn = YCorde(n);

    StyloEtBrosse(c, clWhite);
    c.Rectangle(mg + 1, mh + 1, mg + 17, yn);
    c.SetStylo(clBlack);
    for (int s = 2; s <= n - 1; ++s)
        c.Ligne(mg + 1, YCorde(s), mg + 17, YCorde(s));

    if (!bloc->RenvoiDebut && Partition.MesureCourante != 1)
        return;
    StyloEtBrosse(c, clBlack);
    c.Rectangle(mg + 1, mh, mg + 4, yn);
    c.Rectangle(mg + 6, mh, mg + 7, yn);
    if (!bloc->RenvoiDebut)
        return;
    const int xd = mg + 13;
    for (const int r : GapsPointsRenvoi(n)) {
        const int yd = (r - 1) * Curseur.EspCordes + mh + 5;
        c.Rectangle(xd - 3, yd + 1, xd + 2, yd + 4);
        c.Rectangle(xd - 2, yd, xd + 1, yd + 5);
    }
}

void DessinerRenvoiFinSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int n = NbCordes();
    const int mh = Curseur.MargeHaut;
    const int yn = YCorde(n);
    const int xr = Curseur.MargeGauche + Curseur.LargeurZone;

    StyloEtBrosse(c, clWhite);
    c.Rectangle(xr - 30, mh - 30, xr + 1, mh);
    c.Rectangle(xr - 17, mh + 1, xr, yn);
    c.SetStylo(clBlack);
    for (int s = 2; s <= n - 1; ++s)
        c.Ligne(xr - 17, YCorde(s), xr, YCorde(s));

    if (!bloc->RenvoiFin && Partition.MesureCourante != Partition.NbMesures)
        return;
    StyloEtBrosse(c, clBlack);
    c.Rectangle(xr - 3, mh, xr, yn);
    c.Rectangle(xr - 6, mh, xr - 5, yn);
    if (!bloc->RenvoiFin)
        return;
    const int xd = xr - 17;
    for (const int r : GapsPointsRenvoi(n)) {
        const int yd = (r - 1) * Curseur.EspCordes + mh + 5;
        c.Rectangle(xd, yd + 1, xd + 5, yd + 4);
        c.Rectangle(xd + 1, yd, xd + 4, yd + 5);
    }
    if (bloc->NbRenvois > 1) {
        c.SetFonte(platform::StyleFonte{"Arial", 12, true, true, clBlack});
        c.SetBrosse(clWhite);
        const std::string texte = std::to_string(bloc->NbRenvois) + "x";
        const platform::Dimension d = c.TextExtent(texte);
        c.TextOut(xr - d.cx, mh - d.cy - 5, texte);
    }
}

void DessinerFinAlternativeSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int mg = Curseur.MargeGauche;
    const int mh = Curseur.MargeHaut;
    StyloEtBrosse(c, clWhite);
    c.Rectangle(mg, mh - 42, mg + 39, mh - 20);
    if (!bloc->Repetition)
        return;
    c.SetStylo(clBlack);
    c.MoveTo(mg, mh - 25);
    c.LineTo(mg, mh - 42);
    c.LineTo(mg + 38, mh - 42);
    const int e = NumeroRepetitionSuivante(Partition.MesureCourante);
    std::string texte = std::to_string(e);
    if (bloc->NumRepetition != e)
        texte += " " + Traduire("Repet-A") + " " + std::to_string(bloc->NumRepetition);
    c.SetFonte(platform::StyleFonte{"Arial", 9, false, false, clBlack});
    c.TextOut(mg + 4, mh - c.TextHeight(texte) - 25, texte);
}

void DessinerRenvoisSaisie()
{
    platform::Canevas& c = CanevasSaisie();
    DessinerRenvoiDebutSaisie(c);
    DessinerRenvoiFinSaisie(c);
    DessinerFinAlternativeSaisie(c);
}

// ---- Beats ---------------------------------------------------------------------------------

std::string TexteFretteSaisie(int frette, int nuance)
{
    std::string texte = frette == kNoteMorte ? std::string("x") : std::to_string(frette);
    if (nuance < 5)
        texte = "(" + texte + ")";
    return texte;
}

void DessinerTempsSaisie(platform::Canevas& c, TCurseur cur, int32_t mesure, bool avecEffets, int32_t b)
{
    const TMesure* bloc = Bloc(mesure);
    if (!bloc || b < 1 || b > kNbTempsMax)
        return;
    const TTemps& temps = bloc->Temps[Piste()][b];
    const int n = NbCordes();
    const int e = cur.EspCordes;
    const int demiE = R(e / 2.0);
    const int x = cur.MargeGauche + b * cur.LargeurTemps;

    if (avecEffets)
        DessinerEffetsSaisie(c, b - 1, false);

    // The half cell is measured in the regular style, whatever the canvas drew last.
    platform::StyleFonte fonte{"MS Sans Serif", cur.TailleChiffres, false, false, clBlue};
    c.SetFonte(fonte);
    const int demi = R(c.TextWidth("(22)") / 2.0) + 2;

    // A rest or a tied beat keeps whatever its string slots hold, but shows no note; nor does a
    // slot past the free column, which holds what an earlier edit left there.
    const bool horsMesure = b > bloc->NbTemps[Piste()] + 1;
    const bool sansNotes = temps.Silence || temps.Lie || horsMesure;
    auto aNote = [&](int s) { return !sansNotes && temps.Notes[s].Frette >= 0; };

    // Half and whole notes join their notes only down to the lowest one; a beat without a
    // note keeps the staff's bottom, where nothing is joined anyway.
    int lim = n + 1;
    if (temps.CodeDuree < 0) {
        for (int s = n; s >= 1; --s) {
            if (aNote(s)) {
                lim = s;
                break;
            }
        }
    }

    fonte.gras = true;
    c.SetFonte(fonte);
    std::array<std::string, kNbCordesMax + 1> textes;
    int maxw = 0;
    for (int s = 1; s <= n; ++s) {
        if (aNote(s)) {
            textes[s] = TexteFretteSaisie(temps.Notes[s].Frette, temps.Notes[s].Nuance);
            maxw = std::max(maxw, c.TextWidth(textes[s]));
        }
    }

    bool met = false;
    for (int s = 1; s <= n; ++s) {
        const int y = cur.MargeHaut + (s - 1) * e;
        const TNoteCorde& note = temps.Notes[s];
        met = met || aNote(s);
        const bool cellule = s == cur.Corde && b == cur.Temps;

        StyloEtBrosse(c, clWhite);
        c.Rectangle(x - demi - 2, y - demiE, x + demi + 3, y + demiE);
        c.SetStylo(clBlack);
        c.Ligne(x - demi - 2, y, x + demi + 3, y);

        if (met && !aNote(s) && !cellule && s < lim) {
            c.SetStylo(clBlue);
            c.Ligne(x, y - demiE, x, y + demiE);
        }

        const std::string texte = aNote(s) ? textes[s] : (cellule ? std::string("  ") : std::string());
        const platform::Dimension d = texte.empty() ? platform::Dimension{} : c.TextExtent(texte);
        const int demiTexte = R(d.cx / 2.0);
        if (cellule) {
            c.SetStylo(clBlue);
            c.SetBrosse(cur.ChiffreEnAttente ? clWhite : clYellow);
            c.Rectangle(x - demiTexte - 1, y - demiE, x + demiTexte + 2, y + demiE);
        }
        if (!texte.empty()) {
            if (!cellule) {
                c.SetStylo(clWhite);
                c.Ligne(x - demiTexte - 1, y, x + demiTexte + 1, y);
            }
            c.SetBrosseVide();
            c.TextOut(x - demiTexte + 1, y - R(d.cy / 2.0), texte);
        }

        if (!sansNotes && note.FretteGrace >= 0) {
            c.SetFonte(platform::StyleFonte{"Small Fonts", cur.TailleChiffres - 3, false, false, clBlue});
            const std::string grace = TexteFretteSaisie(note.FretteGrace, note.NuanceGrace) + " ";
            const platform::Dimension dg = c.TextExtent(grace);
            const int xg = x - R(maxw / 2.0) - dg.cx - 1 - note.DureeGrace;
            // The string is cut behind the grace note, as behind a fret, a pixel each side.
            c.SetStylo(clWhite);
            c.Ligne(xg - 1, y, xg + c.TextWidth(std::string_view(grace).substr(0, grace.size() - 1)) + 1, y);
            c.SetBrosseVide();
            c.TextOut(xg, y - R(dg.cy / 2.0) + 1, grace);
            c.SetFonte(fonte);
        }
    }

    if (temps.Silence && !horsMesure)
        DessinerSilenceSaisie(c, temps.CodeDuree, x);
    if (avecEffets)
        DessinerEffetsSaisie(c, b, true);
}

void DessinerTempsSaisie(int32_t b, bool avecEffets)
{
    DessinerTempsSaisie(CanevasSaisie(), Curseur, Partition.MesureCourante, avecEffets, b);
}

void DessinerCurseur(platform::Canevas& c)
{
    if (TempsPrecedent != Curseur.Temps)
        DessinerTempsSaisie(c, Curseur, Partition.MesureCourante, true, TempsPrecedent);
    DessinerTempsSaisie(c, Curseur, Partition.MesureCourante, true, Curseur.Temps);
}

void DessinerCurseur() { DessinerCurseur(CanevasSaisie()); }

void DessinerNomsAccordsSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int mg = Curseur.MargeGauche;
    const int mh = Curseur.MargeHaut;
    const int l = Curseur.LargeurTemps;
    StyloEtBrosse(c, clWhite);
    c.Rectangle(mg + l - 4, mh - 35, c.Largeur(), mh - 22);
    c.SetFonte(platform::StyleFonte{"Arial", 8, true, false, clBlue});
    const int nb = NbTempsBloc(*bloc);
    std::vector<std::pair<int, std::string>> noms;
    for (int b = 1; b <= nb; ++b) {
        const TTemps& temps = bloc->Temps[Piste()][b];
        if (!temps.AvecAccord || !temps.Accord)
            continue;
        std::string nom = temps.Accord->Nom.str();
        if (temps.Accord->AvecDiagramme())
            nom = "[" + nom + "]";
        noms.emplace_back(b, std::move(nom));
    }
    EcrireRangee(c, noms, mh - 35);
}

void DessinerNomsAccordsSaisie() { DessinerNomsAccordsSaisie(CanevasSaisie()); }

void DessinerTextesSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int mg = Curseur.MargeGauche;
    const int mh = Curseur.MargeHaut;
    const int l = Curseur.LargeurTemps;
    StyloEtBrosse(c, clWhite);
    c.Rectangle(mg + l - 4, mh - 48, c.Largeur(), mh - 35);
    c.SetFonte(platform::StyleFonte{"Arial", 8, false, true, clBlue});
    const int nb = NbTempsBloc(*bloc);
    std::vector<std::pair<int, std::string>> textes;
    for (int b = 1; b <= nb; ++b) {
        const auto& texte = bloc->Temps[Piste()][b].Texte;
        if (!texte.empty())
            textes.emplace_back(b, std::string(texte.view()));
    }
    EcrireRangee(c, textes, mh - 48);
}

void DessinerTextesSaisie() { DessinerTextesSaisie(CanevasSaisie()); }

void DessinerTrioletsSaisie(platform::Canevas& c)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc)
        return;
    const int n = NbCordes();
    const int mg = Curseur.MargeGauche;
    const int l = Curseur.LargeurTemps;
    const int y0 = n * Curseur.EspCordes + Curseur.MargeHaut + 10;

    c.SetFonte(platform::StyleFonte{"Arial", 7, false, false, clBlue});
    // Up to the image's edge: a bracket starting near the last beats reaches past beat 64.
    StyloEtBrosse(c, clWhite);
    c.Rectangle(mg, y0 - 1, std::max(c.Largeur(), mg + 64 * l), y0 + 8);
    c.SetStylo(clBlue);

    const int nb = NbTempsBloc(*bloc);
    const int dernier = std::min(nb + 1, kNbTempsMax);
    for (int b = 1; b <= dernier; ++b) {
        if (b == nb + 1 && Curseur.Temps != nb + 1)
            break;
        const TTemps& temps = bloc->Temps[Piste()][b];
        if (!temps.Triolet || temps.PosTriolet != 1)
            continue;
        const int xb = mg + l * b;
        c.SetPixel(xb, y0 + 1, clBlue);
        c.SetPixel(xb, y0 + 2, clBlue);
        c.SetPixel(xb + 2 * l, y0 + 1, clBlue);
        c.SetPixel(xb + 2 * l, y0 + 2, clBlue);
        c.Ligne(xb, y0 + 3, xb + 2 * l + 1, y0 + 3);
        c.SetBrosse(clWhite);
        c.TextOut(xb + l - R(c.TextWidth(" 3 ") / 2.0) + 1, y0 - 2, " 3 ");
    }
    for (int b = 1; b <= nb; ++b)
        DessinerLieSaisie(c, b);
}

void DessinerTrioletsSaisie() { DessinerTrioletsSaisie(CanevasSaisie()); }

void DessinerLieSaisie(platform::Canevas& c, int32_t b)
{
    const TMesure* bloc = Bloc(Partition.MesureCourante);
    if (!bloc || b < 1 || b > kNbTempsMax || !bloc->Temps[Piste()][b].Lie)
        return;
    const int x = (b - 1) * Curseur.LargeurTemps + Curseur.MargeGauche + 2;
    const int y = NbCordes() * Curseur.EspCordes + Curseur.MargeHaut + 10;
    auto rangee = [&](int x1, int x2, int yy) {
        for (int xx = x1; xx <= x2; ++xx)
            c.SetPixel(xx, yy, clBlue);
    };
    // A fixed 47-pixel arc, whatever the column width.
    rangee(x, x, y);
    rangee(x + 1, x + 2, y + 1);
    rangee(x + 3, x + 5, y + 2);
    rangee(x + 6, x + 8, y + 3);
    rangee(x + 9, x + 12, y + 4);
    c.SetStylo(clBlue);
    c.Ligne(x + 13, y + 5, x + 34, y + 5);
    rangee(x + 34, x + 37, y + 4);
    rangee(x + 38, x + 40, y + 3);
    rangee(x + 41, x + 43, y + 2);
    rangee(x + 44, x + 45, y + 1);
    rangee(x + 46, x + 46, y);
}
