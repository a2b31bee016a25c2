// Opening and closing of the chord dialog: the beat's chord loaded, or a custom chord started
// from its frets; OK storing the dialog's chord into the beat.
#include "dialogs/Sais_ac.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Sais_acInterne.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "editor/Ed_fct.h"
#include "editor/RechercheDoigtes.h"
#include "editor/ReconnaissanceAccords.h"
#include "midi/EcouteAccord.h"
#include "midi/Lecture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <memory>

namespace {

constexpr int kContexteAide = 8;

} // namespace

// ---- Opening and closing -----------------------------------------------------------------------

void TSais_Ac_Form::EffacerDialogueAccord()
{
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        const Garde r(MajRenversement);
        Basse->setCurrentIndex(-1);
        Renversement->setCurrentIndex(-1);
    }
    DefinirNom(QString());
    LabOmissions->hide();
    ImDiag->Effacer();
    ImListeDiag->Effacer();
}

void TSais_Ac_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!active_)
        Activer();
}

void TSais_Ac_Form::Activer()
{
    if (active_)
        return;
    active_ = true;
    DialogueAccordOuvert = true;
    CacherPopupDiagramme();

    {
        const Garde g(majControles_);
        const int32_t niveau = Configuration.DiagSimpleMoyenTout;
        (niveau == kNiveauSimple ? Simplifie : niveau == kNiveauTout ? Tout : Moyen)->setChecked(true);
    }
    BoutonEnfonce = false;
    SolutionCourante = 0;
    SolutionEncadree = 0;
    MajOmissions = MajBasse = MajRenversement = MajFretteBase = false;
    chargementAccord_ = false;
    DerniereCordeEditee = -1;
    DerniereFretteEditee = -1;
    DejaUtilises->Remplir();

    const TTemps& temps = TempsCurseur();
    if (temps.AvecAccord && temps.Accord) {
        limiteNom_->Limite = kLimiteNomAccord;
        ChargerAccord(TAccord(*temps.Accord));
    } else {
        DemarrerAccordPerso();
    }

    Librairie->Remplir();
    Imprimer->Remplir();
    {
        const Garde g(majControles_);
        DifferentsNoms->setCurrentRow(-1);
    }
    AddDiag->setChecked(Configuration.AddDiag);
    Ed_Accord->setFocus(Qt::OtherFocusReason);
    Ed_Accord->selectAll();
}

void TSais_Ac_Form::DemarrerAccordPerso()
{
    {
        const Garde g(majControles_);
        Fondamentale->setCurrentRow(kFondamentalePerso);
        for (QListWidget* l : {Typ, NeufOnzeTreize, DimAug, Quinte, Neuf, Onze})
            l->setCurrentRow(0);
        Add->setChecked(false);
        const Garde r(MajRenversement);
        Renversement->setCurrentIndex(0);
    }
    ReglerScrollFret(1, ScrollFret->isEnabled());
    ActualiserListesNotes();
    FondamentaleClick(); // the working chord starts empty

    // The frets the beat sounds; a rest or a tied beat sounds none of its own.
    const TTemps& temps = TempsCurseur();
    const int nbCordes = std::clamp<int32_t>(Partition.NbCordes[std::clamp<int32_t>(PisteCourante, 1, kNbPistes)], 0,
                                             kNbCordesMax);
    int32_t haute = -1;
    int32_t basse = 0;
    if (!temps.Silence && !temps.Lie) {
        for (int s = 1; s <= nbCordes; ++s) {
            const int32_t f = temps.Notes[s].Frette;
            if (f < 0 || f >= kNoteMorte)
                continue;
            AccordTravail.Frettes[s] = f;
            haute = std::max(haute, f);
            if (f >= 1 && (basse == 0 || f < basse))
                basse = f;
        }
    }
    if (haute > 5) {
        // The base-fret bar stops at 20: a shape higher up starts its window there, which still
        // shows frets up to 24.
        const int32_t base = std::min(basse, kFretteBaseMax);
        AccordTravail.FretteBase = base;
        for (int s = 1; s <= kNbCordesMax; ++s)
            if (AccordTravail.Frettes[s] > base + 4)
                AccordTravail.Frettes[s] = -1;
        ReglerScrollFret(base, ScrollFret->isEnabled());
    }
    // The diagram shows its barres as every other diagram of the dialog does.
    RecalculerBarres(AccordTravail);

    limiteNom_->Limite = kLimiteNomPerso;
    DefinirNom(QString());
    AfficherDiagrammeAccord();
    if (NbNomsProposes > 0) {
        {
            const Garde g(majControles_);
            DifferentsNoms->setCurrentRow(0);
        }
        DifferentsNomsClick();
    }
}

void TSais_Ac_Form::done(int resultat)
{
    DialogueAccordOuvert = false;
    Configuration.DiagSimpleMoyenTout = Niveau();
    CacherPopupDiagramme();
    QDialog::done(resultat);
}

void TSais_Ac_Form::BT_OKClick()
{
    // A cursor past the free column (a part of 64 beats) has no beat to hold a chord.
    if (!PeutEcrireTempsCurseur()) {
        Configuration.AddDiag = AddDiag->isChecked();
        reject();
        return;
    }
    SauverAnnulation();
    TTemps& temps = TempsCurseur();
    const bool avecDiagramme = AddDiag->isChecked();
    if (Ed_Accord->text().isEmpty() && (!AccordTravail.AvecDiagramme() || !avecDiagramme)) {
        temps.AvecAccord = false;
        temps.Accord.reset();
    } else {
        TAccord enregistre;
        if (avecDiagramme) {
            enregistre = AccordDuDialogue();
        } else {
            ReinitialiserAccordTravail();
            AccordTravail.Nom = DepuisQString(Ed_Accord->text());
            enregistre = AccordTravail;
        }
        temps.AvecAccord = true;
        temps.Accord = std::make_shared<const TAccord>(enregistre);
        AjouterAccordUtilise(enregistre);
    }
    Configuration.AddDiag = avecDiagramme;
    accept();
}

void TSais_Ac_Form::BT_AideClick() { FenetrePrincipale().AfficherAideDialogue(kContexteAide); }

void TSais_Ac_Form::BoutonSonClick() { EcouterAccord(); }

void TSais_Ac_Form::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        BT_AideClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---- The command's dialog ------------------------------------------------------------------------

bool ExecuterDialogueAccord(QWidget* parent, const std::function<int(QDialog&)>& executeur)
{
    TSais_Ac_Form d(parent);
    d.EffacerDialogueAccord();
    const int resultat = executeur ? executeur(d) : d.exec();
    return resultat == QDialog::Accepted;
}
