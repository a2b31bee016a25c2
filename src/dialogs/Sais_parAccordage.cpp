// The instrument and the tuning of the track shown in the song properties dialog: the instrument
// name, the tuning presets and the string rows.
#include "dialogs/Sais_par.h"

#include "dialogs/Accordages.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/Sais_ins.h"
#include "document/Routines.h"
#include "document/Variable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <string>

// ---- Services ----------------------------------------------------------------------------------

void TSais_Partition::InitModelesAccordage() { ::InitModelesAccordage(); }

void TSais_Partition::FillPresetList()
{
    ModeleList->clear();
    for (int32_t i = 0; i < NbModelesAccordage; ++i)
        ModeleList->addItem(VersQString(ModelesAccordage[i].Nom));
    ModeleList->setCurrentIndex(-1);
}

int32_t TSais_Partition::NbCordesOnglet() const
{
    return ProprietesTempo.NbCordes[std::clamp<int32_t>(PisteOnglet, 1, kNbPistes)];
}

// ---- Showing -----------------------------------------------------------------------------------

void TSais_Partition::AfficherInstrument()
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    const int32_t programme = ProprietesTempo.Instrument[t];
    Instrument->setText(VersQString(t == kPistePercussions ? NomKitBatterie(programme) : NomInstrument(programme)));
}

void TSais_Partition::AfficherAccordage()
{
    const int32_t t = std::clamp<int32_t>(PisteOnglet, 1, kNbPistes);
    const int32_t n = ProprietesTempo.NbCordes[t];
    ModeleList->setCurrentIndex(ChercherModeleAccordage(t));
    NbCordes->setText(QString::number(n));
    const int32_t nb = std::clamp<int32_t>(n, 1, kNbCordesMax);
    for (int32_t s = 1; s <= nb; ++s)
        NoteCorde[s + kNbCordesMax - nb]->setText(QString::fromStdString(NomNoteOctave(ProprietesTempo.Accordage[t][s])));
    DouzeCordes->setEnabled(n == kNbCordesMax && !LectureActive());
}

bool TSais_Partition::RowInUse(int k) const { return k >= kNbCordesMax + 1 - NbCordesOnglet(); }

void TSais_Partition::ShowStringRows()
{
    // Rows 1 and 2 follow the count as the design has it; the rows below them follow the same
    // rule, which matters only for a track of fewer than four strings read from a file.
    const bool lecture = LectureActive();
    for (int k = 1; k <= kNbCordesMax; ++k) {
        const bool utilisee = RowInUse(k);
        const bool actif = utilisee && !lecture;
        NoteCorde[k]->setVisible(utilisee);
        DessinCorde[k]->setVisible(utilisee);
        BT_CUp[k]->setEnabled(actif);
        BT_CDown[k]->setEnabled(actif);
        NoteCorde[k]->setEnabled(!lecture);
        if (!actif)
            Ecouter[k]->setChecked(false);
        Ecouter[k]->setEnabled(actif);
    }
}

// ---- Track controls ----------------------------------------------------------------------------

void TSais_Partition::BT_InstrumentClick()
{
    ChoisirInstrument(std::clamp<int32_t>(PisteOnglet, 1, kNbPistes), Instrument, this);
}

void TSais_Partition::ModeleListClick(int index)
{
    if (!AppliquerModeleAccordage(index, std::clamp<int32_t>(PisteOnglet, 1, kNbPistes)))
        return;
    AfficherAccordage();
    ActualiserCordesPiste();
}
