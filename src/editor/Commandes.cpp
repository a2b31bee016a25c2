#include "editor/Commandes.h"

#include <array>
#include <string>
#include <utility>

namespace {

constexpr uint8_t Shift = Modif::Shift;
constexpr uint8_t Ctrl = Modif::Ctrl;

constexpr std::size_t Indice(Cmd c) { return static_cast<std::size_t>(c); }

#define LYRX_COMMANDE_DESCRIPTION(nom, cat, sorte, legende, touche, mods, tag, cochable, groupe, actif) \
    DescriptionCommande{Cmd::nom, #nom, Categorie::cat, SorteCommande::sorte, legende,                   \
                        Raccourci{touche, static_cast<uint8_t>(mods)}, tag, cochable, groupe, actif,     \
                        std::nullopt},

// The speed buttons find their action by name ("Bt_X" is bound to "Ac_X"); the table is
// completed once, at first use.
std::array<DescriptionCommande, NbCommandes> ConstruireTable()
{
    std::array<DescriptionCommande, NbCommandes> table{{LYRX_COMMANDES(LYRX_COMMANDE_DESCRIPTION)}};
    for (auto& d : table) {
        if (d.Sorte != SorteCommande::BoutonBarre)
            continue;
        const std::string action = std::string("Ac_") + (d.Nom + 3);
        for (const auto& a : table)
            if (a.Sorte == SorteCommande::Action && action == a.Nom)
                d.ActionLiee = a.Id;
    }
    return table;
}

#undef LYRX_COMMANDE_DESCRIPTION

const std::array<DescriptionCommande, NbCommandes>& Table()
{
    static const auto table = ConstruireTable();
    return table;
}

// For each action, the speed buttons bound to it: they change with it.
const std::vector<std::vector<Cmd>>& BoutonsLies()
{
    static const auto liens = [] {
        std::vector<std::vector<Cmd>> l(NbCommandes);
        for (const auto& d : Table())
            if (d.ActionLiee)
                l[Indice(*d.ActionLiee)].push_back(d.Id);
        return l;
    }();
    return liens;
}

} // namespace

const char* NomCategorie(Categorie c)
{
    switch (c) {
    case Categorie::Aucune: return "";
    case Categorie::Fichier: return "Fichier";
    case Categorie::Edition: return "Edition";
    case Categorie::Mesure: return "Mesure";
    case Categorie::Note: return "Note";
    case Categorie::Effets: return "Effets";
    case Categorie::Dyna: return "Dyna";
    case Categorie::Son: return "Son";
    case Categorie::Ass: return "Ass";
    case Categorie::Affichage: return "Affichage";
    case Categorie::Options: return "Options";
    case Categorie::Aide: return "Aide";
    }
    return "";
}

std::span<const DescriptionCommande> TableCommandes() { return Table(); }

const DescriptionCommande& Description(Cmd c) { return Table()[Indice(c)]; }

std::optional<Cmd> CommandeParNom(std::string_view nom)
{
    for (const auto& d : Table())
        if (nom == d.Nom)
            return d.Id;
    return std::nullopt;
}

TCommandes::TCommandes()
    : etats_(NbCommandes), gestionnaires_(NbCommandes)
{
    for (const auto& d : Table())
        etats_[Indice(d.Id)].Enabled = d.ActifAuDepart;
}

bool TCommandes::Enabled(Cmd c) const
{
    const auto& d = Description(c);
    return etats_[Indice(d.ActionLiee ? *d.ActionLiee : c)].Enabled;
}

void TCommandes::SetEnabled(Cmd c, bool actif)
{
    const auto& d = Description(c);
    const Cmd cible = d.ActionLiee ? *d.ActionLiee : c;
    auto& e = etats_[Indice(cible)];
    if (e.Enabled == actif)
        return;
    e.Enabled = actif;
    Notifier(cible);
    for (Cmd b : BoutonsLies()[Indice(cible)])
        Notifier(b);
}

bool TCommandes::Checked(Cmd c) const { return etats_[Indice(c)].Checked; }

void TCommandes::SetChecked(Cmd c, bool coche)
{
    auto& e = etats_[Indice(c)];
    const int groupe = Description(c).Groupe;
    if (coche && groupe != 0) {
        for (const auto& d : Table()) {
            auto& autre = etats_[Indice(d.Id)];
            if (d.Id != c && d.Groupe == groupe && autre.Checked) {
                autre.Checked = false;
                Notifier(d.Id);
            }
        }
    }
    if (e.Checked == coche)
        return;
    e.Checked = coche;
    Notifier(c);
}

bool TCommandes::InverserChecked(Cmd c)
{
    SetChecked(c, !Checked(c));
    return Checked(c);
}

void TCommandes::Enregistrer(Cmd c, Gestionnaire g) { gestionnaires_[Indice(c)] = std::move(g); }

bool TCommandes::Executer(Cmd c)
{
    const auto& d = Description(c);
    const Cmd cible = d.ActionLiee ? *d.ActionLiee : c;
    if (!Enabled(cible))
        return false;
    // A copy: the handler may register another one for its own command while it runs.
    const Gestionnaire g = gestionnaires_[Indice(cible)];
    if (!g)
        return false;
    g(cible);
    return true;
}

std::optional<Cmd> TCommandes::CommandeDuRaccourci(Raccourci r) const
{
    if (r.Vide())
        return std::nullopt;
    for (const auto& d : Table())
        if (d.Sorte == SorteCommande::Action && d.Touche == r)
            return d.Id;
    return std::nullopt;
}

bool TCommandes::ExecuterRaccourci(Raccourci r)
{
    const auto c = CommandeDuRaccourci(r);
    if (!c || !Enabled(*c))
        return false;
    Executer(*c);
    return true;
}

int TCommandes::AjouterObservateur(Observateur o)
{
    const int numero = prochainObservateur_++;
    observateurs_.emplace_back(numero, std::move(o));
    return numero;
}

void TCommandes::RetirerObservateur(int numero)
{
    std::erase_if(observateurs_, [numero](const auto& p) { return p.first == numero; });
}

void TCommandes::Reinitialiser()
{
    for (const auto& d : Table())
        etats_[Indice(d.Id)] = Etat{d.ActifAuDepart, false};
    for (const auto& d : Table())
        Notifier(d.Id);
}

void TCommandes::Notifier(Cmd c)
{
    // Copied: an observer may remove itself while being told.
    const auto observateurs = observateurs_;
    for (const auto& [numero, o] : observateurs)
        o(c);
}

TCommandes& Commandes()
{
    static TCommandes commandes;
    return commandes;
}
