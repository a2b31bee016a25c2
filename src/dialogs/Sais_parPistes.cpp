// The song and its track tabs in the song properties dialog: each showing filled from the working
// copy, the tab shown read back into it, and the track name and solo controls.
#include "dialogs/Sais_par.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/SaisieSpin.h"
#include "dialogs/Sais_parInterne.h"
#include "document/Fenetre.h"
#include "document/Proprietes.h"
#include "document/Variable.h"
#include "platform/Arrondi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>
#include <string>

namespace {

// A tab caption shows "&" itself, not as an accelerator.
QString TexteOnglet(int piste, const std::string& nom)
{
    return QString::number(piste) + QStringLiteral(" - ") + VersQString(nom).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

int32_t PositionBarreMix(int32_t valeur)
{
    return static_cast<int32_t>(std::clamp<int64_t>(platform::Round(valeur * 20.0 / 127.0), 0, 20));
}

int32_t ValeurBarreMix(int32_t position, int32_t valeurAvant)
{
    if (position == PositionBarreMix(valeurAvant))
        return valeurAvant;
    return static_cast<int32_t>(platform::Round(std::clamp(position, 0, 20) / 20.0 * 127.0));
}

// ---- Showing -----------------------------------------------------------------------------------

void TSais_Partition::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TSais_Partition::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        FenetrePrincipale().AfficherAideDialogue(ContexteAide);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TSais_Partition::FormActivate()
{
    const int hauteurBarre = static_cast<int>(platform::Round(logicalDpiY() * 18 / 96.0));
    for (QSlider* s : {Volume, Panoramique, Chorus, Reverb})
        s->setFixedHeight(hauteurBarre);
    Image4->move(frameGeometry().width() - Image4->width() - 5, Image4->y());

    PisteOnglet = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    TabPiste->setCurrentIndex(PisteOnglet - 1);
    CopierPartitionVersProprietes();
    AffichageEnCours = false;
    RemplirOngletsPistes();
    TabPiste->setCurrentIndex(PisteOnglet - 1);
    AfficherProprietesMorceau();
    AfficherProprietesPiste();
    CordeEcoutee = -1;
    FermetureAutorisee = true;
    AppliquerVerrouLecture(LectureActive());
    AfficherCachePercussions();
    NomPiste->setFocus(Qt::OtherFocusReason);
    NomPiste->selectAll();
}

void TSais_Partition::RemplirOngletsPistes()
{
    for (int t = 1; t <= kNbPistes; ++t)
        TabPiste->setTabText(t - 1, TexteOnglet(t, ProprietesTempo.NomPiste[t]));
}

void TSais_Partition::AfficherProprietesMorceau()
{
    const TProprietesTempo& p = ProprietesTempo;
    Titre->setText(VersQString(p.Titre.view()));
    Auteur->setText(VersQString(p.Auteur.view()));
    Note->setText(VersQString(p.Commentaire.view()));
    Tempo->setText(QString::number(p.Tempo));
    Triplet->setChecked(p.Triplet == 1);
}

void TSais_Partition::LireProprietesMorceau()
{
    TProprietesTempo& p = ProprietesTempo;
    p.Titre = DepuisQString(Titre->text());
    p.Auteur = DepuisQString(Auteur->text());
    p.Commentaire = DepuisQString(Note->text());
    int tempo = 0;
    if (LireNombreEdit(Tempo, tempo))
        p.Tempo = tempo;
    p.Triplet = Triplet->isChecked() ? 1 : 0;
}

void TSais_Partition::AfficherProprietesPiste()
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    const TProprietesTempo& p = ProprietesTempo;
    AffichageEnCours = true;
    const QString nom = VersQString(p.NomPiste[t]);
    NomPiste->setMaxLength(std::max<int>(kLongueurNomSaisi, static_cast<int>(nom.size())));
    NomPiste->setText(nom);
    AffichageEnCours = false;
    AfficherInstrument();
    Solo->setChecked(p.Solo[t]);
    Muette->setChecked(p.Muette[t]);
    PasExporter->setChecked(p.PasExporter[t]);
    DouzeCordes->setChecked(p.DouzeCordes[t]);
    Volume->setValue(PositionBarreMix(p.Volume[t]));
    Panoramique->setValue(PositionBarreMix(p.Panoramique[t]));
    Chorus->setValue(PositionBarreMix(p.Chorus[t]));
    Reverb->setValue(PositionBarreMix(p.Reverb[t]));
    AfficherAccordage();
    ActualiserCordesPiste();
    Muette->setEnabled(!p.ModeSolo && !LectureActive());
    Solo->setChecked(p.ModeSolo && p.PisteSolo == t);
    Capo->setText(QString::number(p.Capo[t]));
    NbFrets->setText(QString::number(p.NbFrets[t]));
}

void TSais_Partition::LireProprietesPiste()
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    TProprietesTempo& p = ProprietesTempo;
    p.NomPiste[t] = DepuisQString(NomPiste->text());
    p.Solo[t] = Solo->isChecked();
    p.Muette[t] = Muette->isChecked();
    p.PasExporter[t] = PasExporter->isChecked();
    p.DouzeCordes[t] = DouzeCordes->isChecked();
    p.Volume[t] = ValeurBarreMix(Volume->value(), p.Volume[t]);
    p.Panoramique[t] = ValeurBarreMix(Panoramique->value(), p.Panoramique[t]);
    p.Chorus[t] = ValeurBarreMix(Chorus->value(), p.Chorus[t]);
    p.Reverb[t] = ValeurBarreMix(Reverb->value(), p.Reverb[t]);
    int valeur = 0;
    if (LireNombreEdit(Capo, valeur))
        p.Capo[t] = valeur;
    if (LireNombreEdit(NbFrets, valeur))
        p.NbFrets[t] = valeur;
}

void TSais_Partition::AfficherCachePercussions()
{
    const bool percussions = PisteOnglet == kPistePercussions;
    Cache->setVisible(percussions);
    for (QWidget* w : std::initializer_list<QWidget*>{BT_Instrument, Lab_Biblio, ModeleList, LabNbCordes, NbCordes,
                                                      BT_NbCordesUp, BT_NbCordesDown, LabAccordage, Lab_NbFrets,
                                                      NbFrets, BT_FretUp, BT_FretDown, Lab_Capo, Capo, BT_CapoUp,
                                                      BT_CapoDown, DouzeCordes})
        w->setVisible(!percussions);
}

// ---- Track controls ----------------------------------------------------------------------------

void TSais_Partition::NomPisteChange()
{
    if (AffichageEnCours)
        return;
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    ProprietesTempo.NomPiste[t] = DepuisQString(NomPiste->text());
    RemplirOngletsPistes();
    TabPiste->setCurrentIndex(t - 1);
}

void TSais_Partition::SoloClick()
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    TProprietesTempo& p = ProprietesTempo;
    if (Solo->isChecked()) {
        p.ModeSolo = true;
        p.PisteSolo = t;
        Muette->setEnabled(false);
        for (int u = 1; u <= kNbPistes; ++u)
            if (u != t)
                p.Solo[u] = false;
    } else if (p.ModeSolo && p.PisteSolo == t) {
        p.ModeSolo = false;
        p.PisteSolo = 0;
        Muette->setEnabled(!LectureActive());
    }
}
