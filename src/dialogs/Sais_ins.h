#pragma once
// The instrument chooser: the 128 General MIDI programs in a list of four columns. It sets
// the program of one track in the working copy ProprietesTempo, for the song properties
// dialog and the MIDI import dialog, and shows the chosen program in the caller's label.
#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class TSais_Instrument_Form : public QDialog {
    Q_OBJECT

public:
    // `piste`: the caller's current track (1..8); `etiquette`: the caller's instrument label,
    // or nullptr when the caller shows the program itself.
    TSais_Instrument_Form(int32_t piste, QLabel* etiquette = nullptr, QWidget* parent = nullptr);

    QListWidget* Liste = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;

    // Captions from the loaded language (at creation).
    void AppliquerTextes();
    // Each item prefixed with its program number.
    void RemplirListe();
    // What the showing does: the track's program selected.
    void FormActivate();
    // The selected program into ProprietesTempo and the caller's label; closes with OK.
    void BT_OKClick();

    int32_t Piste() const { return piste_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    int32_t piste_;
    QLabel* etiquette_;
};

// The program name as the chooser's list shows it (the design of that list writes two of the
// General MIDI names its own way).
std::string NomInstrumentListe(int32_t programme);

// Shows the chooser modally for track `piste`: true on OK, with ProprietesTempo.Instrument
// of that track set and the label (when given) showing it.
bool ChoisirInstrument(int32_t piste, QLabel* etiquette, QWidget* parent = nullptr);
