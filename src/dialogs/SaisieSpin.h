#pragma once
// Number edits with spin buttons beside them, as the speed trainer, the mix table, the MIDI
// import dialog and the song properties dialog have them: what the edit lets the user type,
// the arrow keys that click the buttons, and the acceleration of a held button.
//
// A held button repeats from its window's timer: the press starts it at 300 ms; on each tick
// the count rises, after the first tick the interval becomes the second value and after the
// tenth the third, and at the thirtieth tick the step is multiplied once. The button's click
// (on release) adds one more step of its own.
#include <QObject>
#include <QString>

class QAbstractButton;
class QLineEdit;
class QTimer;

struct ReglageRepetition {
    int Intervalle2 = 100; // ms after the first tick
    int Intervalle3 = 50;  // ms after the tenth tick
    int Facteur = 3;       // step multiplier at the thirtieth tick
};

// The press of a held button: count 0, step +1 or -1, timer started at 300 ms.
void DemarrerRepetition(QTimer& timer, int& compteur, int& pas, int direction);
// One tick: counts, speeds the timer up, multiplies the step at the thirtieth tick; returns
// the step to add now.
int TicRepetition(QTimer& timer, int& compteur, int& pas, const ReglageRepetition& reglage);

// Keys of an edit beside a pair of spin buttons: Up or keypad + clicks `haut`, Down or keypad
// - clicks `bas`; of the typed characters only those of `acceptes` and backspace get through
// (an empty set refuses every character; editing keys such as Delete stay free unless the
// edit is read-only).
class FiltreSaisieSpin : public QObject {
public:
    FiltreSaisieSpin(QLineEdit* edit, QAbstractButton* haut, QAbstractButton* bas, QString acceptes);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QAbstractButton* haut_;
    QAbstractButton* bas_;
    QString acceptes_;
};

// A decimal number of the edit, or nothing when it is empty or not a number.
bool LireNombreEdit(const QLineEdit* edit, int& valeur);
