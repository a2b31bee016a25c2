// The menu items, shortcuts and buttons as mirrors of the command list: their enabled and
// checked states follow it, and they run its commands.
#include "app/Main.h"

#include "app/MainInterne.h"
#include "controls/CxButton.h"
#include "controls/CxEdit.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>

// ---- Mirrors ----------------------------------------------------------------------------------

QMenu* TForm1::MenuDeCategorie(Categorie c) const
{
    switch (c) {
    case Categorie::Mesure: return menuMesure_;
    case Categorie::Note: return menuNote_;
    case Categorie::Effets:
    case Categorie::Dyna: return menuEffets_;
    default: return nullptr;
    }
}

bool TForm1::ShortcutBloque(Cmd c) const
{
    const QMenu* menu = MenuDeCategorie(Description(c).Cat);
    return menu && !menu->menuAction()->isEnabled();
}

// A menu turned off takes the shortcuts of its commands with it, as its items.
void TForm1::ActiverMenu(QMenu* menu, bool actif)
{
    if (!menu || menu->menuAction()->isEnabled() == actif)
        return;
    menu->menuAction()->setEnabled(actif);
    for (const auto& d : TableCommandes())
        if (d.Sorte == SorteCommande::Action && MenuDeCategorie(d.Cat) == menu)
            SynchroniserCommande(d.Id);
}

void TForm1::SynchroniserCommande(Cmd c)
{
    const bool actif = Commandes().Enabled(c);
    const bool coche = Commandes().Checked(c);
    // The toolbar buttons bound to the action hear of it.
    if (QAction* a = actions_[Indice(c)])
        a->setEnabled(actif && !ShortcutBloque(c));
    for (QAction* item : items_[Indice(c)]) {
        const QSignalBlocker b(item);
        item->setEnabled(actif);
        item->setChecked(coche);
    }
    for (TCxToolbarButton* bouton : boutons_[Indice(c)]) {
        bouton->setEnabled(actif);
        if (bouton->isCheckable())
            bouton->SetDown(coche);
    }
}

void TForm1::SynchroniserCommandes()
{
    for (const auto& d : TableCommandes())
        SynchroniserCommande(d.Id);
}

void TForm1::ExecuterDepuisVue(Cmd c)
{
    Commandes().Executer(c);
    // A checkable item or a toggle button has turned its check on the click; the list decides.
    SynchroniserCommande(c);
    if (const auto action = Description(c).ActionLiee)
        SynchroniserCommande(*action);
    for (const auto& d : TableCommandes())
        if (d.ActionLiee == c)
            SynchroniserCommande(d.Id);
    // A shortcut typed while the menu bar navigates runs here without a click: the memo takes the
    // keyboard back, which ends the navigation.
    RendreFocus();
}

// The hidden memo takes the keyboard. A click in the window gives it back by itself (the central
// widget's click focus) and the focus watcher brings it back from wherever else the toolkit puts it:
// this is for the start, a key that reached the window past the memo and a command run by its
// shortcut.
void TForm1::RendreFocus()
{
    if (isVisible() && !fermee_)
        edInvisible_->setFocus();
}
