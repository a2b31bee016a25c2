#include "document/Mess.h"

#include "document/Langue.h"
#include "platform/Arrondi.h"

namespace {

AfficheurMessages afficheur;

int ReponseSilencieuse(const MessageAffiche& m) { return ResultatBouton(m.BoutonDefaut); }

} // namespace

int AfficherMessage(const std::string& legende, const std::string& texte, uint8_t icone,
                    uint16_t boutons, uint8_t boutonDefaut, uint8_t placement)
{
    const MessageAffiche m{legende, texte, icone, boutons, boutonDefaut, placement};
    return afficheur ? afficheur(m) : ReponseSilencieuse(m);
}

AfficheurMessages InstallerAfficheurMessages(AfficheurMessages nouveau)
{
    AfficheurMessages ancien = std::move(afficheur);
    afficheur = std::move(nouveau);
    return ancien;
}

int ResultatBouton(uint8_t boutonDefaut)
{
    switch (boutonDefaut) {
    case DefautOui: return ResultatOui;
    case DefautNon: return ResultatNon;
    case DefautOK: return ResultatOK;
    case DefautAnnuler: return ResultatAnnuler;
    default: return 0;
    }
}

int ReponseEchap(uint16_t boutons)
{
    if (boutons & BoutonAnnuler)
        return ResultatAnnuler;
    if (boutons & BoutonNon)
        return ResultatNon;
    return 0;
}

// ---- Layout ------------------------------------------------------------------------------

int LongueurMessage(int longueur, double echelle)
{
    return static_cast<int>(platform::Round(longueur * echelle));
}

int LargeurTexteMessage(double echelle) { return LongueurMessage(425, echelle); }

DispositionMessage DisposerMessage(double echelle, int largeurTexte, int hauteurTexte, uint16_t boutons)
{
    const auto L = [echelle](int n) { return LongueurMessage(n, echelle); };
    DispositionMessage d;
    d.Texte = {L(64), L(16), largeurTexte, hauteurTexte};
    d.LargeurClient = d.Texte.X + d.Texte.L + L(16);

    const int icone = L(32);
    d.Icone = {L(16), d.Texte.Y + static_cast<int>(platform::Round((d.Texte.H - icone) / 2.0)), icone, icone};

    const int ecart = L(10), largeurBouton = L(81), hauteurBouton = L(26);
    int n = 0;
    for (int b = 0; b < 4; ++b) {
        d.Visible[static_cast<std::size_t>(b)] = (boutons & BitsBoutonsMessage[static_cast<std::size_t>(b)]) != 0;
        n += d.Visible[static_cast<std::size_t>(b)] ? 1 : 0;
    }
    const int total = n > 1 ? n * largeurBouton + (n - 1) * ecart : n * largeurBouton;
    if (total + L(28) > d.LargeurClient)
        d.LargeurClient = total + L(28);

    const int haut = d.Texte.Y + d.Texte.H + L(25);
    int x = static_cast<int>(platform::Round((d.LargeurClient - total) / 2.0));
    for (std::size_t b = 0; b < 4; ++b) {
        d.Boutons[b] = {x, haut, largeurBouton, hauteurBouton};
        if (d.Visible[b])
            x += largeurBouton + ecart;
    }
    d.HauteurClient = haut + hauteurBouton + L(12);
    return d;
}

std::pair<int, int> PlacerMessage(uint8_t placement, double echelle, int largeurEcran, int hauteurEcran,
                                  int largeurBoite, int hauteurBoite)
{
    if ((placement ^ 1) == 1)
        return {static_cast<int>(platform::Round((largeurEcran - largeurBoite) / 2.0)),
                static_cast<int>(platform::Round((hauteurEcran - hauteurBoite) / 2.0))};
    return {LongueurMessage(8, echelle), LongueurMessage(75, echelle)};
}

std::array<std::string, 4> LegendesBoutonsMessage(uint16_t boutons)
{
    std::array<std::string, 4> l = {"&OK", "&Oui", "&Non", "&Annuler"};
    const int dlg = ChercherMarqueur("DLG_000");
    if (dlg < 0)
        return l;
    l[BmOK] = TexteEntreeLangue(dlg, 1);
    l[BmAnnuler] = TexteEntreeLangue(dlg, 2);
    l[BmOui] = TexteEntreeLangue(dlg, 3);
    l[BmNon] = TexteEntreeLangue(dlg, 4);
    // One set of letters, drawn in this order, for the shown buttons only.
    std::string utilisees;
    for (BoutonMessage b : {BmOK, BmAnnuler, BmOui, BmNon})
        if (boutons & BitsBoutonsMessage[b])
            l[b] = AjouterRaccourci(l[b], utilisees);
    return l;
}

// ---- For tests ---------------------------------------------------------------------------

EnregistreurMessages::EnregistreurMessages()
{
    precedent_ = InstallerAfficheurMessages([this](const MessageAffiche& m) {
        Messages.push_back(m);
        if (Reponses.empty())
            return ResultatBouton(m.BoutonDefaut);
        const int r = Reponses.front();
        Reponses.pop_front();
        return r;
    });
}

EnregistreurMessages::~EnregistreurMessages()
{
    InstallerAfficheurMessages(std::move(precedent_));
}
