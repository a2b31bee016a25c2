#include "dialogs/ListesAccords.h"

#include "dialogs/BaseDialogue.h"
#include "document/Langue.h"
#include "editor/Chords_u.h"
#include "platform/Canevas.h"
#include "document/Mess.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>
#include <utility>

// ---- The lists themselves ------------------------------------------------------------------------

int32_t TListeAccords::Taille() const
{
    if (!Nombre)
        return 0;
    return std::clamp<int32_t>(*Nombre, 0, Capacite());
}

const TAccord* TListeAccords::Entree(int32_t position) const
{
    if (position < 1 || position > Taille())
        return nullptr;
    return Emplacements[static_cast<std::size_t>(position)].get();
}

TListeAccords ListeLibrairie() { return {LibrairieAccords, &NbLibrairieAccords}; }
TListeAccords ListeImprimer() { return {AccordsPartition, &NbAccordsPartition}; }
TListeAccords ListeUtilises() { return {AccordsUtilises, &NbAccordsUtilises}; }

bool AjouterEntree(const TListeAccords& l, const TAccord& accord)
{
    const int32_t n = l.Taille();
    if (n >= l.Capacite())
        return false;
    l.Emplacements[static_cast<std::size_t>(n + 1)] = std::make_unique<TAccord>(accord);
    *l.Nombre = n + 1;
    return true;
}

bool SupprimerEntree(const TListeAccords& l, int32_t position)
{
    const int32_t n = l.Taille();
    if (position < 1 || position > n)
        return false;
    for (int32_t i = position; i < n; ++i)
        l.Emplacements[static_cast<std::size_t>(i)] = std::move(l.Emplacements[static_cast<std::size_t>(i + 1)]);
    l.Emplacements[static_cast<std::size_t>(n)].reset();
    *l.Nombre = n - 1;
    return true;
}

bool RemplacerEntree(const TListeAccords& l, int32_t position, const TAccord& accord)
{
    if (position < 1 || position > l.Taille())
        return false;
    l.Emplacements[static_cast<std::size_t>(position)] = std::make_unique<TAccord>(accord);
    return true;
}

bool EchangerEntrees(const TListeAccords& l, int32_t a, int32_t b)
{
    const int32_t n = l.Taille();
    if (a < 1 || a > n || b < 1 || b > n)
        return false;
    std::swap(l.Emplacements[static_cast<std::size_t>(a)], l.Emplacements[static_cast<std::size_t>(b)]);
    return true;
}

bool AccordsEgaux(const TAccord& a, const TAccord& b)
{
    if (a.Nom != b.Nom || a.Diese != b.Diese || a.Fondamentale != b.Fondamentale)
        return false;
    if (a.Fondamentale < 12) {
        if (a.Typ != b.Typ || a.NeufOnzeTreize != b.NeufOnzeTreize || a.Basse != b.Basse || a.DimAug != b.DimAug ||
            a.Add != b.Add || a.Quinte != b.Quinte || a.Neuf != b.Neuf || a.Onze != b.Onze)
            return false;
        for (int k = 1; k <= 7; ++k)
            if (a.Degres[k] != b.Degres[k])
                return false;
    }
    return a.FretteBase == b.FretteBase && a.Frettes == b.Frettes;
}

bool AjouterAccordUtilise(const TAccord& accord)
{
    const TListeAccords l = ListeUtilises();
    for (int32_t i = 1; i <= l.Taille(); ++i)
        if (const TAccord* e = l.Entree(i); e && AccordsEgaux(accord, *e))
            return false;
    return AjouterEntree(l, accord);
}

// ---- The list boxes of the chord dialog ----------------------------------------------------------

void AfficherPopupDiagramme(platform::Canevas& c, const TAccord& accord)
{
    c.SetStylo(platform::clBlack);
    const int x = accord.FretteBase <= 1 ? 11 : accord.FretteBase <= 9 ? 13 : 15;
    DessinerDiagrammeGrand(accord, c, x, platform::clBlack, true, 13);
}

namespace {

// Remembers which row was current when the mouse went down on the list: a click that did not
// change it still counts.
class ClicListe : public QObject {
public:
    ClicListe(QListWidget* liste, std::function<bool()> occupe, std::function<void()> action)
        : QObject(liste), liste_(liste), occupe_(std::move(occupe)), action_(std::move(action))
    {
        liste->viewport()->installEventFilter(this);
        connect(liste, &QListWidget::currentRowChanged, this, [this](int) {
            if (!occupe_())
                action_();
        });
        connect(liste, &QListWidget::clicked, this, [this](const QModelIndex& index) {
            if (!occupe_() && index.isValid() && index.row() == ligneAvantPression_)
                action_();
            ligneAvantPression_ = -1;
        });
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        // The type first: the filter also sees the viewport's last events while the list is
        // being destroyed, when the list may no longer be asked anything.
        if (evenement->type() == QEvent::MouseButtonPress && objet == liste_->viewport())
            ligneAvantPression_ = liste_->currentRow();
        return QObject::eventFilter(objet, evenement);
    }

private:
    QListWidget* liste_;
    std::function<bool()> occupe_;
    std::function<void()> action_;
    int ligneAvantPression_ = -1;
};

} // namespace

void LierClicListe(QListWidget* liste, std::function<bool()> occupe, std::function<void()> action)
{
    new ClicListe(liste, std::move(occupe), std::move(action));
}

namespace {

QToolButton* PetitBouton(QWidget* parent, const char* nom, const QString& texte, int x, int y)
{
    auto* b = Placer(new QToolButton(parent), nom, x, y, 22, 20);
    b->setText(texte);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TListeAccordsDialogue::TListeAccordsDialogue(QWidget* dialogue, TListeAccords liste, const Noms& noms,
                                             CotePopup cote, IHoteListesAccords& hote, int x, int y, int largeur,
                                             int hauteur)
    : QObject(dialogue), liste_(liste), cote_(cote), hote_(hote)
{
    Liste = Placer(new QListWidget(dialogue), noms.Liste, x, y, largeur, hauteur);
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setMouseTracking(true);
    Liste->viewport()->setMouseTracking(true);
    Liste->viewport()->installEventFilter(this);

    const int yb = y + hauteur + 2;
    Ajouter = PetitBouton(dialogue, noms.Ajouter, QStringLiteral("+"), x, yb);
    Supprimer = PetitBouton(dialogue, noms.Supprimer, QStringLiteral("-"), x + 24, yb);
    MettreAJour = PetitBouton(dialogue, noms.MettreAJour, QStringLiteral("="), x + 48, yb);
    Monter = PetitBouton(dialogue, noms.Monter, QString(), x + 72, yb);
    Monter->setArrowType(Qt::UpArrow);
    Descendre = PetitBouton(dialogue, noms.Descendre, QString(), x + 96, yb);
    Descendre->setArrowType(Qt::DownArrow);
    DefinirBulles(QStringLiteral("Add"), QStringLiteral("Delete"), QStringLiteral("Update"),
                  QStringLiteral("Move up"), QStringLiteral("Move down"));

    connect(Ajouter, &QToolButton::clicked, this, [this] { AjouterClick(); });
    connect(Supprimer, &QToolButton::clicked, this, [this] { SupprimerClick(); });
    connect(MettreAJour, &QToolButton::clicked, this, [this] { MettreAJourClick(); });
    connect(Monter, &QToolButton::clicked, this, [this] { MonterClick(); });
    connect(Descendre, &QToolButton::clicked, this, [this] { DescendreClick(); });

    LierClicListe(Liste, [this] { return remplissage_; }, [this] { Click(); });
}

void TListeAccordsDialogue::DefinirBulles(const QString& ajouter, const QString& supprimer,
                                          const QString& mettreAJour, const QString& monter,
                                          const QString& descendre)
{
    Ajouter->setToolTip(ajouter);
    Supprimer->setToolTip(supprimer);
    MettreAJour->setToolTip(mettreAJour);
    Monter->setToolTip(monter);
    Descendre->setToolTip(descendre);
}

int32_t TListeAccordsDialogue::Selection() const
{
    const int ligne = Liste->currentRow();
    if (ligne < 0 || ligne >= liste_.Taille())
        return 0;
    return ligne + 1;
}

int32_t TListeAccordsDialogue::SelectionRequise(const char* cleErreur) const
{
    if (liste_.Taille() == 0)
        return 0;
    const int32_t s = Selection();
    if (s == 0)
        Erreur(cleErreur);
    return s;
}

void TListeAccordsDialogue::Selectionner(int32_t position)
{
    remplissage_ = true;
    if (position >= 1 && position <= Liste->count()) {
        Liste->setCurrentRow(position - 1);
    } else {
        Liste->setCurrentRow(-1);
        Liste->clearSelection();
    }
    remplissage_ = false;
}

void TListeAccordsDialogue::Erreur(const char* cle)
{
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire(cle), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

void TListeAccordsDialogue::Remplir()
{
    remplissage_ = true;
    Liste->clear();
    for (int32_t i = 1; i <= liste_.Taille(); ++i) {
        const TAccord* e = liste_.Entree(i);
        Liste->addItem(e ? VersQString(e->Nom.view()) : QString());
    }
    Liste->setCurrentRow(-1);
    remplissage_ = false;
}

void TListeAccordsDialogue::Click()
{
    // A click below the last entry leaves no selection: there is nothing to load then.
    if (const TAccord* e = liste_.Entree(Selection()))
        hote_.ChargerAccordListe(TAccord(*e));
}

void TListeAccordsDialogue::AjouterClick()
{
    if (liste_.Taille() >= liste_.Capacite())
        return;
    if (hote_.NomVide()) {
        Erreur("Accord-DonnerUnNom");
        return;
    }
    if (!AjouterEntree(liste_, hote_.EntreeDuDialogue()))
        return;
    Remplir();
    Selectionner(liste_.Taille());
}

void TListeAccordsDialogue::SupprimerClick()
{
    const int32_t s = SelectionRequise("Accord-SelectionnerSuppr");
    if (s == 0)
        return;
    const std::string question = FormaterMessage1(Traduire("Accord-ConfirmerSuppr"), liste_.Entree(s)->Nom.view());
    if (AfficherMessage(Traduire("Dlg-Confirmation"), question, IconeConfirmation, BoutonOui | BoutonNon, DefautOui,
                        PlacementCentre) != ResultatOui)
        return;

    SupprimerEntree(liste_, s);
    Remplir();
    const int32_t nouvelle = s <= liste_.Taille() ? s : liste_.Taille();
    Selectionner(nouvelle);
    if (const TAccord* e = liste_.Entree(nouvelle))
        hote_.ChargerAccordListe(TAccord(*e));
    else
        hote_.PasserAccordPerso();
}

void TListeAccordsDialogue::MettreAJourClick()
{
    const int32_t s = SelectionRequise("Accord-SelectionnerRempl");
    if (s == 0)
        return;
    if (hote_.NomVide()) {
        Erreur("Accord-DonnerUnNom");
        return;
    }
    RemplacerEntree(liste_, s, hote_.EntreeDuDialogue());
    Remplir();
    Selectionner(s);
}

void TListeAccordsDialogue::MonterClick()
{
    const int32_t s = SelectionRequise("Accord-SelectionnerDepl");
    if (s == 0)
        return;
    if (s == 1)
        return;
    EchangerEntrees(liste_, s, s - 1);
    Remplir();
    Selectionner(s - 1);
}

void TListeAccordsDialogue::DescendreClick()
{
    const int32_t s = SelectionRequise("Accord-SelectionnerDepl");
    if (s == 0)
        return;
    if (s == liste_.Taille())
        return;
    EchangerEntrees(liste_, s, s + 1);
    Remplir();
    Selectionner(s + 1);
}

void TListeAccordsDialogue::SourisDeplacee(int y)
{
    const int hauteurLigne = Liste->count() > 0 ? Liste->visualItemRect(Liste->item(0)).height() : 0;
    if (hauteurLigne <= 0 || y < 0) {
        hote_.CacherPopupDiagramme();
        return;
    }
    const QModelIndex haut = Liste->indexAt(QPoint(1, 1));
    const int premiere = haut.isValid() ? haut.row() : 0;
    const int rangee = y / hauteurLigne;
    const TAccord* e = liste_.Entree(premiere + rangee + 1);
    if (!e) {
        hote_.CacherPopupDiagramme();
        return;
    }
    const QRect r = Liste->geometry();
    int gauche = r.left() + r.width();
    int sommet = r.top() + 2 + rangee * hauteurLigne;
    if (cote_ == CotePopup::Gauche)
        gauche = r.left() - hote_.LargeurPopup();
    else if (cote_ == CotePopup::DroiteDessus)
        sommet = r.top() + 2 + (rangee + 1) * hauteurLigne - hote_.HauteurPopup();
    hote_.MontrerPopupDiagramme(*e, gauche, sommet, e);
}

bool TListeAccordsDialogue::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::MouseMove && objet == Liste->viewport())
        SourisDeplacee(static_cast<QMouseEvent*>(evenement)->position().toPoint().y());
    return QObject::eventFilter(objet, evenement);
}
