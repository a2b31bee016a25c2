#include "dialogs/SaisieSpin.h"

#include "dialogs/BaseDialogue.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

void DemarrerRepetition(QTimer& timer, int& compteur, int& pas, int direction)
{
    compteur = 0;
    pas = direction >= 0 ? 1 : -1;
    timer.setInterval(300);
    timer.start();
}

int TicRepetition(QTimer& timer, int& compteur, int& pas, const ReglageRepetition& reglage)
{
    ++compteur;
    if (compteur > 1)
        timer.setInterval(reglage.Intervalle2);
    if (compteur > 10)
        timer.setInterval(reglage.Intervalle3);
    if (compteur == 30)
        pas *= reglage.Facteur;
    return pas;
}

FiltreSaisieSpin::FiltreSaisieSpin(QLineEdit* edit, QAbstractButton* haut, QAbstractButton* bas, QString acceptes)
    : QObject(edit), haut_(haut), bas_(bas), acceptes_(std::move(acceptes))
{
    edit->installEventFilter(this);
}

bool FiltreSaisieSpin::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() != QEvent::KeyPress)
        return QObject::eventFilter(objet, evenement);
    const auto* e = static_cast<const QKeyEvent*>(evenement);
    const bool pave = e->modifiers() & Qt::KeypadModifier;
    if (e->key() == Qt::Key_Up || (pave && e->key() == Qt::Key_Plus)) {
        if (haut_)
            haut_->click();
        return true;
    }
    if (e->key() == Qt::Key_Down || (pave && e->key() == Qt::Key_Minus)) {
        if (bas_)
            bas_->click();
        return true;
    }
    if (e->key() == Qt::Key_Backspace)
        return false;
    // Shortcuts (Ctrl, Alt) and keys that type nothing go on as usual.
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const QString texte = e->text();
    if (texte.isEmpty() || !texte.at(0).isPrint())
        return false;
    for (const QChar c : texte)
        if (!acceptes_.contains(c))
            return true;
    return false;
}

bool LireNombreEdit(const QLineEdit* edit, int& valeur)
{
    if (!edit || edit->text().trimmed().isEmpty())
        return false;
    const std::optional<int32_t> v = LireEntier(edit->text());
    if (!v)
        return false;
    valeur = *v;
    return true;
}
