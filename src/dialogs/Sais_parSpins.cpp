// The spin buttons of the song properties dialog: a click steps the value, a held button repeats.
#include "dialogs/Sais_par.h"

#include "dialogs/Accordages.h"
#include "dialogs/SaisieSpin.h"
#include "document/Variable.h"

#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr ReglageRepetition kRepetitionChamps{100, 50, 3};
constexpr ReglageRepetition kRepetitionLignes{200, 150, 2};
constexpr int32_t kNoteMax = 119;

// One step of a spin within its range. A value already outside the range (read from a song
// file) is never pulled the other way by a press: up never lowers it, down never raises it.
int32_t Avancer(int32_t valeur, int32_t pas, int32_t minimum, int32_t maximum)
{
    if (pas > 0)
        return valeur >= maximum ? valeur : std::min(valeur + pas, maximum);
    if (pas < 0)
        return valeur <= minimum ? valeur : std::max(valeur + pas, minimum);
    return valeur;
}

// The same on the number of an edit; an empty edit or one that is not a number stays as it is.
bool AvancerChamp(QLineEdit* champ, int32_t pas, int32_t minimum, int32_t maximum)
{
    int valeur = 0;
    if (!LireNombreEdit(champ, valeur))
        return false;
    champ->setText(QString::number(Avancer(valeur, pas, minimum, maximum)));
    return true;
}

} // namespace

// ---- Spins -------------------------------------------------------------------------------------

void TSais_Partition::DemarrerSpin(Spin spin, int direction, int ligne)
{
    spinRepete_ = spin;
    LigneRepetee = ligne;
    DemarrerRepetition(*TimerRepetition, NbTopsRepetition, PasRepetition, direction);
}

void TSais_Partition::TimerRepetitionTimer()
{
    const int pas = TicRepetition(*TimerRepetition, NbTopsRepetition, PasRepetition,
                                  spinRepete_ == Spin::Ligne ? kRepetitionLignes : kRepetitionChamps);
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    switch (spinRepete_) {
    case Spin::Tempo: AvancerChamp(Tempo, pas, 1, 999); break;
    case Spin::Capo: AvancerChamp(Capo, pas, 0, 12); break;
    case Spin::Frettes: AvancerChamp(NbFrets, pas, 3, 24); break;
    case Spin::Instrument:
        ProprietesTempo.Instrument[t] = Avancer(ProprietesTempo.Instrument[t], pas, 0, 127);
        AfficherInstrument();
        break;
    case Spin::Ligne: ClicLigne(LigneRepetee, pas); break;
    case Spin::Aucun: TimerRepetition->stop(); break;
    }
}

void TSais_Partition::ClicTempo(int direction)
{
    if (!AvancerChamp(Tempo, direction, 1, 999))
        return;
    Tempo->setFocus(Qt::OtherFocusReason);
    Tempo->selectAll();
}

void TSais_Partition::ClicCapo(int direction)
{
    if (!AvancerChamp(Capo, direction, 0, 12))
        return;
    Capo->setFocus(Qt::OtherFocusReason);
    Capo->selectAll();
}

void TSais_Partition::ClicFrettes(int direction)
{
    if (!AvancerChamp(NbFrets, direction, 3, 24))
        return;
    NbFrets->setFocus(Qt::OtherFocusReason);
    NbFrets->selectAll();
}

void TSais_Partition::ClicInstrument(int direction)
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    ProprietesTempo.Instrument[t] = Avancer(ProprietesTempo.Instrument[t], direction, 0, 127);
    AfficherInstrument();
}

void TSais_Partition::ClicLigne(int ligne, int pas)
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    const int32_t corde = ligne - (kNbCordesMax - NbCordesOnglet());
    if (ligne < 1 || ligne > kNbCordesMax || corde < 1 || corde > kNbCordesMax)
        return;
    int32_t& note = ProprietesTempo.Accordage[t][corde];
    note = Avancer(note, pas, 0, kNoteMax);
    AfficherAccordage();
}

void TSais_Partition::ClicToutesLignes(int direction)
{
    for (int k = 1; k <= kNbCordesMax; ++k) {
        const QToolButton* b = direction > 0 ? BT_CUp[k] : BT_CDown[k];
        if (b->isEnabled())
            ClicLigne(k, direction);
    }
}

void TSais_Partition::ClicNbCordes(int direction)
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    int32_t& n = ProprietesTempo.NbCordes[t];
    if (direction > 0 && n < kNbCordesMax)
        ++n;
    else if (direction < 0 && n > 4)
        --n;
    else
        return;
    ActualiserCordesPiste();
    AccordageParDefaut(t);
    AfficherAccordage();
}
