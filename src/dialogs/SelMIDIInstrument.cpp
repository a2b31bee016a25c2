// The MIDI import dialog's instrument controls: program, string count, tuning and frets of the
// track in the tab shown.
#include "dialogs/SelMIDI.h"

#include "dialogs/Accordages.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/SaisieSpin.h"
#include "dialogs/Sais_ins.h"
#include "dialogs/SelMIDIInterne.h"
#include "document/Fenetre.h"
#include "document/Variable.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <optional>

namespace {

// Tuning rows: 300 ms, 200 ms after the first tick, 150 ms after the tenth, the step doubled
// at the thirtieth.
constexpr ReglageRepetition kRepetitionCordes{200, 150, 2};

constexpr int kNoteMax = 119;
constexpr int kFretsMin = 3;
constexpr int kFretsMax = 24;
constexpr int kCordesMin = 4;
constexpr int kCordesMax = 6;

} // namespace

// ---- Strings and tuning ----------------------------------------------------------------------

void TSelMIDIForm::AfficherCordes()
{
    const int32_t n = ProprietesTempo.NbCordes[PisteOnglet];
    const bool lecture = FenetrePrincipale().CommandeActive("Ac_Son_Stop");
    // Row 1 holds a string on six-string tracks, row 2 from five strings on.
    for (int r = 1; r <= 2; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const int32_t seuil = r == 1 ? 6 : 5;
        const bool presente = n >= seuil;
        const bool active = presente && !lecture;
        NoteCorde[i]->setVisible(presente);
        BT_CUp[i]->setEnabled(active);
        BT_CDown[i]->setEnabled(active);
        Cordes[i]->setVisible(presente);
        if (!active)
            Ecouter[i]->setChecked(false);
        Ecouter[i]->setEnabled(active);
    }
    for (int r = 3; r <= kNbCordesMax; ++r) {
        NoteCorde[static_cast<std::size_t>(r)]->setVisible(true);
        Cordes[static_cast<std::size_t>(r)]->setVisible(true);
    }
}

void TSelMIDIForm::AfficherAccordage()
{
    const int32_t t = PisteOnglet;
    const int32_t n = std::clamp<int32_t>(ProprietesTempo.NbCordes[t], 0, kNbCordesMax);
    {
        const QSignalBlocker bloque(ModeleList);
        const int32_t modele = ChercherModeleAccordage(t);
        ModeleList->setCurrentIndex(modele < ModeleList->count() ? modele : -1);
    }
    NbCordes->setText(QString::number(ProprietesTempo.NbCordes[t]));
    for (int32_t s = 1; s <= n; ++s)
        NoteCorde[static_cast<std::size_t>(kNbCordesMax - n + s)]->setText(
            VersQString(NomNoteOctave(ProprietesTempo.Accordage[t][s])));
}

void TSelMIDIForm::ModeleListChange(int index)
{
    if (!AppliquerModeleAccordage(index, PisteOnglet))
        return;
    AfficherAccordage();
    AfficherCordes();
}

void TSelMIDIForm::NbCordesClick(int direction)
{
    int32_t& n = ProprietesTempo.NbCordes[PisteOnglet];
    // A click that cannot change the count leaves the tuning alone: only a new count brings
    // the default tuning of that count.
    if (direction > 0 && n < kCordesMax)
        ++n;
    else if (direction < 0 && n > kCordesMin)
        --n;
    else
        return;
    AfficherCordes();
    AccordageParDefaut(PisteOnglet);
    AfficherAccordage();
}

void TSelMIDIForm::CordeClick(int rangee, int direction)
{
    CordeRepetee = rangee;
    const int32_t t = PisteOnglet;
    const int32_t s = rangee - (kNbCordesMax - ProprietesTempo.NbCordes[t]);
    if (s < 1 || s > kNbCordesMax)
        return;
    int32_t& note = ProprietesTempo.Accordage[t][s];
    note = direction > 0 ? std::min(note + 1, kNoteMax) : std::max(note - 1, 0);
    AfficherAccordage();
}

void TSelMIDIForm::Timer1Timer()
{
    const int pas = TicRepetition(*Timer1, CompteurRepetition, PasRepetition, kRepetitionCordes);
    const int32_t t = PisteOnglet;
    const int32_t s = CordeRepetee - (kNbCordesMax - ProprietesTempo.NbCordes[t]);
    if (s < 1 || s > kNbCordesMax)
        return;
    int32_t& note = ProprietesTempo.Accordage[t][s];
    note = std::clamp(note + pas, 0, kNoteMax);
    AfficherAccordage();
}

void TSelMIDIForm::ToutClick(int direction)
{
    for (int r = 1; r <= kNbCordesMax; ++r) {
        QToolButton* b = direction > 0 ? BT_CUp[static_cast<std::size_t>(r)] : BT_CDown[static_cast<std::size_t>(r)];
        if (b->isEnabled())
            CordeClick(r, direction);
    }
}

// ---- Instrument and frets --------------------------------------------------------------------

void TSelMIDIForm::InstrumentClick(int direction)
{
    int32_t& programme = ProprietesTempo.Instrument[PisteOnglet];
    if (direction > 0 && programme < kProgrammeMax)
        ++programme;
    else if (direction < 0 && programme > 0)
        --programme;
    AfficherInstrument();
}

void TSelMIDIForm::TickInstrument(int pas)
{
    int32_t& programme = ProprietesTempo.Instrument[PisteOnglet];
    programme = std::clamp(programme + pas, 0, kProgrammeMax);
    AfficherInstrument();
}

void TSelMIDIForm::BT_InstrumentClick()
{
    ChoisirInstrument(PisteOnglet, Instrument, this);
}

void TSelMIDIForm::FretClick(int direction)
{
    const std::optional<int32_t> v = NbFrets->text().isEmpty() ? std::nullopt : LireEntier(NbFrets->text());
    if (!v)
        return;
    NbFrets->setText(QString::number(direction > 0 ? std::min(*v + 1, kFretsMax) : std::max(*v - 1, kFretsMin)));
    NbFrets->setFocus(Qt::OtherFocusReason);
    NbFrets->selectAll();
}

void TSelMIDIForm::TickFrets(int pas)
{
    const std::optional<int32_t> v = NbFrets->text().isEmpty() ? std::nullopt : LireEntier(NbFrets->text());
    if (!v)
        return;
    NbFrets->setText(QString::number(std::clamp(*v + pas, kFretsMin, kFretsMax)));
}
