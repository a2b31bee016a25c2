#include "dialogs/DialogueValeur.h"

#include "document/Langue.h"
#include "document/Mess.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

// ---- TDialogueSaisie -------------------------------------------------------------------------

TDialogueSaisie::TDialogueSaisie(QWidget* parent, const char* nom, int largeur, int hauteur, const QString& titre)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QString::fromLatin1(nom));
    setWindowTitle(titre);
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, largeur, hauteur);
    BT_OK = new QPushButton(QStringLiteral("&OK"), this);
    BT_OK->setObjectName(QStringLiteral("BT_OK"));
    BT_OK->setDefault(true);
    BT_OK->setAutoDefault(true);
    BT_Annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
    BT_Annuler->setAutoDefault(false);
    connect(BT_OK, &QPushButton::clicked, this, &TDialogueSaisie::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialogueSaisie::Activer()
{
    if (active_)
        return;
    active_ = true;
    Activation();
}

void TDialogueSaisie::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TDialogueSaisie::BT_OKClick()
{
    if (!Valider())
        return;
    Ecrire();
    accept();
}

void TDialogueSaisie::PlacerBoutons(int y)
{
    const int largeur = static_cast<int>(width() / EchelleEcran() + 0.5);
    Placer(BT_OK, "BT_OK", largeur / 2 - 83, y, 75, 25);
    Placer(BT_Annuler, "BT_Annuler", largeur / 2 + 8, y, 75, 25);
}

bool TDialogueSaisie::TraduireBoutons(std::string& utilisees)
{
    return TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler);
}

void TDialogueSaisie::TraduireTitreEtLegende(const char* section, int titre, QLabel* etiquette, int legende)
{
    std::string utilisees;
    if (!TraduireBoutons(utilisees))
        return;
    const SectionLangue lignes(section);
    if (!lignes.Trouvee())
        return;
    setWindowTitle(lignes.Texte(titre));
    etiquette->setText(LegendeRaccourci(lignes.Brut(legende), utilisees));
}

QToolButton* TDialogueSaisie::NouveauBoutonSpin(const char* nom, bool haut, int x, int y)
{
    auto* b = new QToolButton(this);
    b->setArrowType(haut ? Qt::UpArrow : Qt::DownArrow);
    // The field keeps the focus while the buttons are used.
    b->setFocusPolicy(Qt::NoFocus);
    return Placer(b, nom, x, y, 15, haut ? 11 : 10);
}

QLineEdit* TDialogueSaisie::NouveauChamp(const char* nom, int x, int y, int largeur)
{
    return Placer(new QLineEdit(this), nom, x, y, largeur, 21);
}

QLabel* TDialogueSaisie::NouvelleEtiquette(const char* nom, const QString& texte, int x, int y, int largeur)
{
    return Placer(new QLabel(texte, this), nom, x, y, largeur, 15);
}

// ---- TDialogueEntier -------------------------------------------------------------------------

TDialogueEntier::TDialogueEntier(QWidget* parent, const Noms& noms, const QString& titre, const QString& etiquette,
                                 int longueur)
    : TDialogueSaisie(parent, noms.Forme, 197, 95, titre)
{
    if (noms.Etiquette)
        Etiquette = NouvelleEtiquette(noms.Etiquette, etiquette, 12, 19, 96);
    Champ = NouveauChamp(noms.Champ, 110, 16, 40);
    Haut = NouveauBoutonSpin(noms.Haut, true, 150, 16);
    Bas = NouveauBoutonSpin(noms.Bas, false, 150, 27);
    if (Etiquette)
        Etiquette->setBuddy(Champ);
    FiltrerChiffres(Champ, longueur);
    PlacerBoutons(58);

    repetition_ = std::make_unique<RepetitionSpin>(this, RepetitionSpin::Cadence{300, 100, 50, 30}, [this](int pas) {
        if (const auto v = Valeur())
            EcrireChamp(std::clamp<int64_t>(static_cast<int64_t>(*v) + pas, 1, Maximum()));
    });
    repetition_->Lier(Haut, +1);
    repetition_->Lier(Bas, -1);
    connect(Haut, &QToolButton::clicked, this, &TDialogueEntier::HautClick);
    connect(Bas, &QToolButton::clicked, this, &TDialogueEntier::BasClick);
    LierTouchesSpin(Champ, [this] { HautClick(); }, [this] { BasClick(); });
}

std::optional<int32_t> TDialogueEntier::Valeur() const { return LireEntier(Champ->text()); }

void TDialogueEntier::EcrireChamp(int32_t valeur) { Champ->setText(QString::number(valeur)); }

void TDialogueEntier::HautClick()
{
    const auto v = Valeur();
    if (v && *v < Maximum())
        EcrireChamp(*v + 1);
}

void TDialogueEntier::BasClick()
{
    const auto v = Valeur();
    if (v && *v > 1)
        EcrireChamp(*v - 1);
}

bool TDialogueEntier::Valider()
{
    const auto v = Valeur();
    if (!v || *v < 1 || *v > Maximum()) {
        RefuserChamp(Champ);
        return false;
    }
    return true;
}

// ---- TDialogueMontant ------------------------------------------------------------------------

TDialogueMontant::TDialogueMontant(QWidget* parent, const Noms& noms, const QString& titre, int longueur, Bornes bornes)
    : TDialogueSaisie(parent, noms.Forme, 197, 95, titre), bornes_(bornes)
{
    Etiquette = NouvelleEtiquette("Valeur", QStringLiteral("&Valeur"), 12, 19, 96);
    Champ = NouveauChamp(noms.Champ, 110, 16, 40);
    Haut = NouveauBoutonSpin(noms.Haut, true, 150, 16);
    Bas = NouveauBoutonSpin(noms.Bas, false, 150, 27);
    Etiquette->setBuddy(Champ);
    FiltrerDecimal(Champ, longueur);
    PlacerBoutons(58);

    repetition_ = std::make_unique<RepetitionSpin>(this, RepetitionSpin::Cadence{300, 130, 0, 0}, [this](int pas) {
        if (Champ->text().isEmpty())
            return;
        const double v = std::clamp(ValeurLue() + pas * bornes_.Pas, bornes_.Minimum, bornes_.Maximum);
        Champ->setText(EcrireReelGeneral(v));
    });
    repetition_->Lier(Haut, +1);
    repetition_->Lier(Bas, -1);
    connect(Haut, &QToolButton::clicked, this, &TDialogueMontant::HautClick);
    connect(Bas, &QToolButton::clicked, this, &TDialogueMontant::BasClick);
    LierTouchesSpin(Champ, [this] { HautClick(); }, [this] { BasClick(); });
}

double TDialogueMontant::ValeurLue() const { return LireReel(Champ->text()).value_or(0.0); }

void TDialogueMontant::HautClick()
{
    if (Champ->text().isEmpty())
        return;
    const double v = ValeurLue();
    if (v < bornes_.Maximum)
        Champ->setText(EcrireReelGeneral(v + bornes_.Pas));
}

void TDialogueMontant::BasClick()
{
    if (Champ->text().isEmpty())
        return;
    const double v = ValeurLue();
    if (v > bornes_.Minimum)
        Champ->setText(EcrireReelGeneral(v - bornes_.Pas));
}

void TDialogueMontant::Activation()
{
    Champ->setText(EcrireReelGeneral(Cible()));
    Champ->setFocus(Qt::OtherFocusReason);
    Champ->selectAll();
}

bool TDialogueMontant::Valider()
{
    const auto v = LireReel(Champ->text());
    if (!v || *v < bornes_.Minimum || *v > bornes_.Maximum) {
        RefuserChamp(Champ);
        return false;
    }
    // Taken here, where it may still be refused: the song only gets a copy of it.
    try {
        lu_ = *v;
    } catch (const ReelCompact::TableFull&) {
        AfficherMessage(Traduire("Dlg-Erreur"), Traduire("Gene-MontantsPleins"), IconeErreur, BoutonOK, DefautOK,
                        PlacementCentre);
        Champ->setFocus(Qt::OtherFocusReason);
        Champ->selectAll();
        return false;
    }
    return true;
}

void TDialogueMontant::Ecrire() { Cible() = lu_; }
