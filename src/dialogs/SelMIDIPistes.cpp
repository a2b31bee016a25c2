// The MIDI import dialog's tracks: their properties carried between the song, the working
// copy and the tab shown, the source chosen for each, and OK writing them into the song.
#include "dialogs/SelMIDI.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/SelMIDIInterne.h"
#include "dialogs/SpeedT.h"
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/ImportMidi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kLongueurNomSong = 40;

int32_t NbPistesChanson() { return std::clamp<int32_t>(Partition.NbPistes, 1, kNbPistes); }

void Montrer(QWidget* w, bool visible)
{
    if (w)
        w->setVisible(visible);
}

} // namespace

// ---- Showing ---------------------------------------------------------------------------------

bool TSelMIDIForm::Executer()
{
    ImportValide = false;
    exec();
    return ImportValide;
}

void TSelMIDIForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TSelMIDIForm::FormActivate()
{
    DimensionnerClient(this, 520, HauteurClient);
    {
        // The importer's sources, no entry selected.
        const QSignalBlocker bloque(ListePiste);
        ListePiste->clear();
        for (const std::string& source : ListePisteImport)
            ListePiste->addItem(VersQString(source));
        SelectionnerLigne(-1);
    }
    ImportValide = false;
    for (int32_t t = 1; t <= NbPistesChanson(); ++t) {
        ProprietesTempo.PisteSource[t] = 0;
        ProprietesTempo.OctaveInferieure[t] = false;
        ProprietesTempo.Quantification[t] = 4;
    }
    ActiverBoutonOK();
    PisteOnglet = 1;
    {
        const QSignalBlocker bloque(TabPiste);
        TabPiste->setCurrentIndex(0);
    }
    ChargerProprietes();
    TitresOnglets();
    {
        const QSignalBlocker bloque(TabPiste);
        TabPiste->setCurrentIndex(0);
    }
    ChargerOnglet();
    CordeEcoutee = -1;
    FermetureAutorisee = true;
    AfficherCordes();
    AfficherPercussions();
    NomPiste->setFocus(Qt::OtherFocusReason);
    NomPiste->selectAll();
}

void TSelMIDIForm::ChargerProprietes()
{
    for (int32_t t = 1; t <= NbPistesChanson(); ++t) {
        ProprietesTempo.NomPiste[t] = Partition.NomPiste[t].str();
        ProprietesTempo.Instrument[t] = Partition.Instrument[t];
        const int32_t n = std::clamp<int32_t>(Partition.NbCordes[t], 0, kNbCordesMax);
        ProprietesTempo.NbCordes[t] = Partition.NbCordes[t];
        for (int32_t s = 1; s <= n; ++s)
            ProprietesTempo.Accordage[t][s] = Partition.Accordage[t][s];
        ProprietesTempo.NbFrets[t] = Partition.NbFrettes[t];
    }
}

void TSelMIDIForm::TitresOnglets()
{
    const QSignalBlocker bloque(TabPiste);
    const int n = NbPistesChanson();
    while (TabPiste->count() > n)
        TabPiste->removeTab(TabPiste->count() - 1);
    while (TabPiste->count() < n)
        TabPiste->addTab(QString());
    for (int t = 1; t <= n; ++t)
        TabPiste->setTabText(t - 1, QString::number(t) + QStringLiteral(" - ") + VersQString(ProprietesTempo.NomPiste[t]));
}

void TSelMIDIForm::AfficherInstrument()
{
    const int32_t t = PisteOnglet;
    const int32_t programme = ProprietesTempo.Instrument[t];
    Instrument->setText(VersQString(t >= kPistePercussions ? NomKitBatterie(programme) : NomInstrument(programme)));
}

void TSelMIDIForm::SelectionnerLigne(int ligne)
{
    const QSignalBlocker bloque(ListePiste);
    if (ligne >= 0 && ligne < ListePiste->count()) {
        ListePiste->setCurrentRow(ligne);
    } else {
        ListePiste->clearSelection();
        ListePiste->setCurrentItem(nullptr);
    }
}

int TSelMIDIForm::LigneSelectionnee() const
{
    const QList<QListWidgetItem*> choisis = ListePiste->selectedItems();
    return choisis.isEmpty() ? -1 : ListePiste->row(choisis.front());
}

void TSelMIDIForm::ChargerOnglet()
{
    const int32_t t = PisteOnglet;
    ChargementOnglet = true;
    NomPiste->setText(VersQString(ProprietesTempo.NomPiste[t]));
    ChargementOnglet = false;
    AfficherInstrument();
    AfficherAccordage();
    AfficherCordes();
    SelectionnerLigne(ProprietesTempo.PisteSource[t] - 1);
    DeselectionnerPiste->setEnabled(LigneSelectionnee() >= 0);
    Transposer->setChecked(ProprietesTempo.OctaveInferieure[t]);
    switch (ProprietesTempo.Quantification[t]) {
    case 2: CQuantize2->setChecked(true); break;
    case 8: CQuantize8->setChecked(true); break;
    case 16: CQuantize16->setChecked(true); break;
    default: CQuantize4->setChecked(true); break;
    }
    NbFrets->setText(QString::number(ProprietesTempo.NbFrets[t]));
}

void TSelMIDIForm::EnregistrerOnglet()
{
    const int32_t t = PisteOnglet;
    ProprietesTempo.NomPiste[t] = DepuisQString(NomPiste->text());
    ProprietesTempo.PisteSource[t] = LigneSelectionnee() + 1;
    ProprietesTempo.OctaveInferieure[t] = Transposer->isChecked();
    // The edit is read-only and always holds a number; should it not, the track keeps its count.
    if (const std::optional<int32_t> frets = LireEntier(NbFrets->text()))
        ProprietesTempo.NbFrets[t] = *frets;
    ProprietesTempo.Quantification[t] = CQuantize2->isChecked()    ? 2
                                        : CQuantize4->isChecked()  ? 4
                                        : CQuantize8->isChecked()  ? 8
                                        : CQuantize16->isChecked() ? 16
                                                                   : 4;
}

void TSelMIDIForm::ChoisirOnglet(int index)
{
    EnregistrerOnglet();
    PisteOnglet = std::clamp(index + 1, 1, NbPistesChanson());
    ChargerOnglet();
    AfficherAccordage();
    AfficherCordes();
    AfficherPercussions();
    if (isVisible() && isEnabled())
        NomPiste->setFocus(Qt::OtherFocusReason);
}

// ---- Sources and names -----------------------------------------------------------------------

void TSelMIDIForm::ListePisteClick(int ligne)
{
    if (ligne < 0 || ligne >= ListePiste->count())
        return;
    NomPiste->setText(ListePiste->item(ligne)->text());
    const auto k = static_cast<std::size_t>(ligne) + 1;
    if (k < ProgrammesPistesMidi.size())
        ProprietesTempo.Instrument[PisteOnglet] = std::clamp<int32_t>(ProgrammesPistesMidi[k], 0, kProgrammeMax);
    AfficherInstrument();
    DeselectionnerPiste->setEnabled(true);
    ActiverBoutonOK();
}

void TSelMIDIForm::DeselectionnerPisteClick()
{
    SelectionnerLigne(-1);
    NomPiste->clear();
    DeselectionnerPiste->setEnabled(false);
    ActiverBoutonOK();
}

void TSelMIDIForm::NomPisteChange()
{
    if (ChargementOnglet)
        return;
    ProprietesTempo.NomPiste[PisteOnglet] = DepuisQString(NomPiste->text());
    TitresOnglets();
    const QSignalBlocker bloque(TabPiste);
    TabPiste->setCurrentIndex(PisteOnglet - 1);
}

void TSelMIDIForm::ActiverBoutonOK()
{
    bool source = false;
    for (int32_t t = 1; t <= NbPistesChanson() && !source; ++t)
        source = t == PisteOnglet ? LigneSelectionnee() >= 0 : ProprietesTempo.PisteSource[t] > 0;
    BT_OK->setEnabled(source);
}

void TSelMIDIForm::AfficherPercussions()
{
    const bool percussions = PisteOnglet == kPistePercussions;
    Cache->setVisible(percussions);
    for (QWidget* w : std::initializer_list<QWidget*>{BT_Instrument, Lab_Biblio, ModeleList, LabNbCordes, NbCordes,
                                                      BT_NbCordesUp, BT_NbCordesDown, LabAccordage, EcouterTout, PanelHB,
                                                      Lab_NbFrets, NbFrets, BT_FretUp, BT_FretDown, Transposer})
        Montrer(w, !percussions);
    if (percussions)
        Cache->raise();
}

// ---- OK and closing --------------------------------------------------------------------------

void TSelMIDIForm::EnregistrerProprietes()
{
    for (int32_t t = 1; t <= NbPistesChanson(); ++t) {
        Partition.NomPiste[t] = std::string_view(ProprietesTempo.NomPiste[t]).substr(0, kLongueurNomSong);
        Partition.Instrument[t] = ProprietesTempo.Instrument[t];
        Partition.NbCordes[t] = ProprietesTempo.NbCordes[t];
        const int32_t n = std::clamp<int32_t>(ProprietesTempo.NbCordes[t], 0, kNbCordesMax);
        for (int32_t s = 1; s <= n; ++s)
            Partition.Accordage[t][s] = ProprietesTempo.Accordage[t][s];
        Partition.NbFrettes[t] = ProprietesTempo.NbFrets[t];
    }
}

void TSelMIDIForm::BT_OKClick()
{
    if (!BT_OK->isEnabled())
        return;
    FermetureAutorisee = true;
    EnregistrerOnglet();
    EnregistrerProprietes();
    PisteCourante = 1;
    IFenetrePrincipale& f = FenetrePrincipale();
    f.MontrerPalettePercussion(false);
    f.ActiverCommande("Ac_Ass_Percussion", false);
    ViderChampsSpeedTrainer();
    f.ActualiserMenuPistes();
    LirePoidsDoigte();
    ImportValide = true;
    accept();
}

void TSelMIDIForm::done(int resultat)
{
    if (CordeEcoutee >= 0)
        RelacherEcoutes();
    QDialog::done(resultat);
}
