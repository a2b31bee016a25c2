// The chord dialog's theory controls: read into the chord theory, which finds the degrees, the
// fingerings and the name, and written back; a stored chord shown in them.
#include "dialogs/Sais_ac.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Sais_acInterne.h"
#include "document/Langue.h"
#include "editor/RechercheDoigtes.h"
#include "editor/ReconnaissanceAccords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <string>

namespace {


void Ligne(QListWidget* liste, int32_t ligne)
{
    if (ligne >= 0 && ligne < liste->count())
        liste->setCurrentRow(ligne);
    else
        liste->setCurrentRow(-1);
}

void Index(QComboBox* boite, int32_t index)
{
    boite->setCurrentIndex(index >= 0 && index < boite->count() ? index : -1);
}

} // namespace

// ---- Theory controls -----------------------------------------------------------------------------

int32_t TSais_Ac_Form::Niveau() const
{
    if (Simplifie->isChecked())
        return kNiveauSimple;
    if (Tout->isChecked())
        return kNiveauTout;
    return kNiveauMoyen;
}

void TSais_Ac_Form::LireTheorie()
{
    theorie_.Fondamentale = Fondamentale->currentRow();
    theorie_.Typ = Typ->currentRow();
    theorie_.NeufOnzeTreize = NeufOnzeTreize->currentRow();
    theorie_.DimAug = DimAug->currentRow();
    theorie_.Quinte = Quinte->currentRow();
    theorie_.Neuf = Neuf->currentRow();
    theorie_.Onze = Onze->currentRow();
    theorie_.Add = Add->isChecked();
    theorie_.Basse = Basse->currentIndex();
    theorie_.Renversement = Renversement->currentIndex();
    theorie_.Diese = BT_Diese->isChecked();
    for (int k = 1; k <= kNbDegres; ++k)
        theorie_.Coches[k] = C[k]->isChecked();
}

void TSais_Ac_Form::AfficherTheorie()
{
    const Garde g(majControles_);
    const Garde b(MajBasse);
    const TTheorieAccord& t = theorie_;
    Ligne(Fondamentale, t.Fondamentale);
    Ligne(Typ, t.Typ);
    Ligne(NeufOnzeTreize, t.NeufOnzeTreize);
    Ligne(DimAug, t.DimAug);
    Ligne(Quinte, t.Quinte);
    Ligne(Neuf, t.Neuf);
    Ligne(Onze, t.Onze);
    Add->setChecked(t.Add);
    Index(Basse, t.Basse);

    Typ->setEnabled(t.Actifs.Typ);
    NeufOnzeTreize->setEnabled(t.Actifs.NeufOnzeTreize);
    DimAug->setEnabled(t.Actifs.DimAug);
    Add->setEnabled(t.Actifs.Add);
    Quinte->setEnabled(t.Actifs.Quinte);
    Neuf->setEnabled(t.Actifs.Neuf);
    Onze->setEnabled(t.Actifs.Onze);
    Basse->setEnabled(t.Actifs.Basse);
    Renversement->setEnabled(t.Actifs.Renversement);
    for (QRadioButton* r : {Simplifie, Moyen, Tout})
        r->setEnabled(t.Actifs.Niveaux);

    Lab[2]->setText(VersQString(t.Lab3));
    Lab[4]->setText(VersQString(t.Lab7));
    const Garde o(MajOmissions);
    for (int k = 1; k <= kNbDegres; ++k) {
        C[k]->setEnabled(t.DegresPresents[k]);
        C[k]->setChecked(t.Coches[k]);
    }
    AfficherNotes();
}

void TSais_Ac_Form::AfficherNotes()
{
    for (int k = 1; k <= kNbDegres; ++k)
        Note[k]->setText(VersQString(theorie_.NotesTextes[k]));
}

void TSais_Ac_Form::CalculerDegres()
{
    LireTheorie();
    CalculerDegresAccord(theorie_, chargementAccord_);
    AfficherTheorie();
}

void TSais_Ac_Form::Chercher()
{
    LireTheorie();
    ChercherDoigtes(theorie_, Niveau(), AccordagePisteCourante(), DepuisQString(Ed_Accord->text()),
                    chargementAccord_);
    {
        const Garde g(majControles_);
        const Garde r(MajRenversement);
        Index(Renversement, theorie_.Renversement);
    }
    LabOmissions->setVisible(theorie_.OmissionsDemandees);
    AfficherSolutions();
}

void TSais_Ac_Form::ReconstruireNom()
{
    LireTheorie();
    DefinirNom(VersQString(ConstruireNomAccord(theorie_)));
}

void TSais_Ac_Form::DefinirNom(const QString& nom)
{
    limiteNom_->Precedent = nom;
    Ed_Accord->setText(nom);
}

int TSais_Ac_Form::LimiteSaisieNom() const { return limiteNom_->Limite; }

void TSais_Ac_Form::ActualiserListesNotes()
{
    const bool diese = BT_Diese->isChecked();
    const Garde g(majControles_);
    const Garde b(MajBasse);
    std::array<std::string, 13> racines = TextesFondamentale(diese);
    if (racines[kFondamentalePerso] == TexteTraductionIntrouvable)
        racines[kFondamentalePerso] = "Custom";
    for (int i = 0; i <= kFondamentalePerso && i < Fondamentale->count(); ++i)
        Fondamentale->item(i)->setText(VersQString(racines[static_cast<std::size_t>(i)]));
    const std::array<std::string, 12> basses = TextesBasse(diese);
    for (int i = 0; i < 12 && i < Basse->count(); ++i)
        Basse->setItemText(i, VersQString(basses[static_cast<std::size_t>(i)]));
}

void TSais_Ac_Form::ReglerScrollFret(int32_t valeur, bool actif)
{
    const Garde g(MajFretteBase);
    ScrollFret->setValue(std::clamp<int32_t>(valeur, 1, kFretteBaseMax));
    ScrollFret->setEnabled(actif);
}

void TSais_Ac_Form::FondamentaleClick()
{
    LireTheorie();
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        Index(Basse, theorie_.Fondamentale >= 0 && theorie_.Fondamentale < kFondamentalePerso ? theorie_.Fondamentale : -1);
    }
    CalculerDegres();
    Chercher();
    ReconstruireNom();
    if (Fondamentale->currentRow() == kFondamentalePerso)
        ScrollFret->setEnabled(true);
}

void TSais_Ac_Form::TypClick()
{
    if (chargementAccord_ || majControles_)
        return;
    CalculerDegres();
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::C1Click()
{
    if (MajOmissions)
        return;
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::BasseChange()
{
    if (MajBasse)
        return;
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::RenversementChange()
{
    if (MajRenversement)
        return;
    LireTheorie();
    AppliquerRenversement(theorie_, Renversement->currentIndex());
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        const Garde r(MajRenversement);
        Index(Basse, theorie_.Basse);
        Index(Renversement, theorie_.Renversement);
    }
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::SimplifieClick() { Chercher(); }

void TSais_Ac_Form::BT_DieseClick()
{
    ActualiserListesNotes();
    if (MajOmissions)
        return;
    ReconstruireNom();
    AccordTravail.Diese = BT_Diese->isChecked();
    AfficherNotesAccord(theorie_, BT_Diese->isChecked());
    AfficherNotes();
    AfficherDiagrammeAccord();
}

void TSais_Ac_Form::BT_ClearClick() { PasserAccordPerso(); }

void TSais_Ac_Form::PasserAccordPerso()
{
    {
        const Garde g(majControles_);
        Fondamentale->setCurrentRow(kFondamentalePerso);
    }
    FondamentaleClick();
}

// ---- Loading a chord -----------------------------------------------------------------------------

// The criteria lists, bass and omissions showing `accord`, without their handlers running, and
// the fingering search started again from them.
void TSais_Ac_Form::MontrerCriteres(const TAccord& accord)
{
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        Ligne(Fondamentale, accord.Fondamentale);
        Ligne(Typ, accord.Typ);
        Ligne(NeufOnzeTreize, accord.NeufOnzeTreize);
        Ligne(DimAug, accord.DimAug);
        Ligne(Quinte, accord.Quinte);
        Ligne(Neuf, accord.Neuf);
        Ligne(Onze, accord.Onze);
        Add->setChecked(accord.Add);
        Index(Basse, accord.Basse);
    }
    {
        const Garde o(MajOmissions);
        for (int k = 1; k <= kNbDegres; ++k)
            C[k]->setChecked(!accord.Degres[k]);
        BT_Diese->setChecked(accord.Diese);
        BT_Bemol->setChecked(!accord.Diese);
        ActualiserListesNotes();
    }

    NbSolutionsDoigte = 0;
    SolutionCourante = 0;
    SolutionEncadree = 0;
    CalculerDegres();
    Chercher();
}

// The count of fingerings found; the solution scroll bar waits for the user's choice.
void TSais_Ac_Form::MontrerNombreSolutions()
{
    NbComb->setText(NbSolutionsDoigte > 0 ? QString::number(NbSolutionsDoigte) : QString());
    {
        const Garde g(majControles_);
        ScrollSol->setEnabled(false);
    }
}

void TSais_Ac_Form::ChargerAccord(const TAccord& accord)
{
    AccordTravail = accord;
    AfficherDiagrammeAccord();
    DefinirNom(VersQString(accord.Nom.view()));
    const TAccord copie = AccordTravail;
    chargementAccord_ = true;

    MontrerCriteres(accord);

    chargementAccord_ = false;
    AccordTravail = copie;
    SolutionCourante = 0;
    SolutionEncadree = 0;
    MontrerNombreSolutions();
    ReglerScrollFret(accord.FretteBase, true);
}

void TSais_Ac_Form::DifferentsNomsClick()
{
    const int ligne = DifferentsNoms->currentRow();
    if (DifferentsNoms->count() == 0 || ligne < 0 || ligne >= NbNomsProposes)
        return;
    ChoisirNomPropose(NomsProposes[static_cast<std::size_t>(ligne + 1)], AccordTravail);
    const TAccord copie = AccordTravail;
    chargementAccord_ = true;
    MontrerCriteres(AccordTravail);
    ReconstruireNom();

    chargementAccord_ = false;
    AccordTravail = copie;
    MontrerNombreSolutions();
    ReglerScrollFret(AccordTravail.FretteBase, true);
}

TAccord TSais_Ac_Form::AccordDuDialogue() const
{
    TTheorieAccord t = theorie_;
    t.Fondamentale = Fondamentale->currentRow();
    t.Typ = Typ->currentRow();
    t.NeufOnzeTreize = NeufOnzeTreize->currentRow();
    t.DimAug = DimAug->currentRow();
    t.Quinte = Quinte->currentRow();
    t.Neuf = Neuf->currentRow();
    t.Onze = Onze->currentRow();
    t.Add = Add->isChecked();
    t.Basse = Basse->currentIndex();
    t.Diese = BT_Diese->isChecked();
    for (int k = 1; k <= kNbDegres; ++k)
        t.Coches[k] = C[k]->isChecked();
    TAccord a = AccordTravail;
    EcrireTheorieAccord(t, a);
    a.Nom = DepuisQString(Ed_Accord->text());
    return a;
}

bool TSais_Ac_Form::NomVide() const { return Ed_Accord->text().isEmpty(); }
