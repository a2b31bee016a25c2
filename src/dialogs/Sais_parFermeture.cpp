// The song properties dialog's tab change, its checks, OK writing the working copy into the song,
// and closing.
#include "dialogs/Sais_par.h"

#include "dialogs/AppliquerProprietes.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/SaisieSpin.h"
#include "document/Variable.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

// ---- Tabs, checks, OK and close ----------------------------------------------------------------

int TSais_Partition::MontrerModal() { return exec() == QDialog::Accepted ? ResultatModalOK : ResultatModalAnnuler; }

bool TSais_Partition::ValiderProprietes()
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    int nbCordes = 0;
    if (!LireNombreEdit(NbCordes, nbCordes))
        nbCordes = ProprietesTempo.NbCordes[t];
    const VerificationProprietes v =
        VerifierProprietes(DepuisQString(Tempo->text()), DepuisQString(Capo->text()), t, nbCordes,
                           ProprietesTempo.Accordage[t]);
    switch (v.Refus) {
    case RefusProprietes::Aucun: return true;
    case RefusProprietes::TempoVide:
    case RefusProprietes::TempoInvalide: RefuserChamp(Tempo); return false;
    case RefusProprietes::CapoVide: RefuserChamp(Capo); return false;
    case RefusProprietes::CordesOccupees: SignalerCordesOccupees(v.Mesure, nbCordes); return false;
    }
    return false;
}

void TSais_Partition::RefuserChamp(QLineEdit* champ)
{
    SignalerSaisieIncorrecte();
    champ->setFocus(Qt::OtherFocusReason);
    champ->selectAll();
}

bool TSais_Partition::TabPisteChanging()
{
    if (!ValiderProprietes())
        return false;
    LireProprietesPiste();
    return true;
}

void TSais_Partition::TabPisteChange()
{
    PisteOnglet = TabPiste->currentIndex() + 1;
    AfficherProprietesPiste();
    AfficherAccordage();
    ActualiserCordesPiste();
    AfficherCachePercussions();
}

void TSais_Partition::BT_OKClick()
{
    if (!ValiderProprietes()) {
        FermetureAutorisee = false;
    } else {
        FermetureAutorisee = true;
        LireProprietesPiste();
        LireProprietesMorceau();
        AppliquerProprietes(PisteOnglet);
    }
    done(QDialog::Accepted);
}

bool TSais_Partition::FormCloseQuery()
{
    const bool accordee = FermetureAutorisee;
    FermetureAutorisee = true;
    return accordee;
}

void TSais_Partition::done(int resultat)
{
    if (!FormCloseQuery())
        return;
    TimerRepetition->stop();
    // A running audition ends after its current pass.
    if (CordeEcoutee >= 0) {
        EcouterTout->setChecked(false);
        for (int k = 1; k <= kNbCordesMax; ++k)
            Ecouter[k]->setChecked(false);
    }
    QDialog::done(resultat);
}
