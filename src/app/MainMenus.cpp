// The main window's menus built from the command list: the shortcut actions, the menu bar, the
// score view's popup, and their captions in the loaded language.
#include "app/Main.h"

#include "app/DialoguesFichiersQt.h"
#include "app/MainInterne.h"
#include "app/TraductionsQt.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Legendes.h"
#include "document/Variable.h"
#include "editor/Pistes.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QToolButton>
#include <string>
#include <tuple>

namespace {

// The menu bar's keyboard navigation (Alt alone, a menu closed by Escape) holds the arrows and
// opens a menu on Down; the style draws its title only while the menu is open, so nothing on
// screen said so. The title it stands on is drawn as when its menu is open.
class StyleBarreMenus : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* peintre,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
            QStyleOptionMenuItem navigation = *item;
            navigation.state |= State_Sunken;
            QProxyStyle::drawControl(element, &navigation, peintre, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, peintre, widget);
    }
};

// Alt tapped alone puts the menu bar in its keyboard mode (the toolkit does that) and the
// titles show their underlined letters: a letter then opens the menu it underlines, as on every
// desktop. Left to the toolkit, the window's shortcuts take the letter before the menu bar sees
// it (T is the text annotation's before it is the Track menu's). Only Alt tapped alone gives
// the letters to the titles: the same mode that a menu closed by Escape leaves behind lets
// them go to the notes, as a letter typed just after any menu closes does.
class LettresBarreMenus : public QObject {
public:
    explicit LettresBarreMenus(QMenuBar* barre)
        : QObject(barre)
        , barre_(barre)
    {
        // Alt goes to whatever has the focus: it is watched on the whole application, as the
        // menu bar's own handling watches it.
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        switch (evenement->type()) {
        case QEvent::KeyPress: {
            const auto* touche = static_cast<const QKeyEvent*>(evenement);
            altSeul_ = touche->key() == Qt::Key_Alt;
            break;
        }
        case QEvent::KeyRelease:
            // The menu bar has entered or left its mode already: the toolkit installs its filter
            // as Alt goes down, after this one, and the last filter installed runs first.
            if (static_cast<const QKeyEvent*>(evenement)->key() == Qt::Key_Alt)
                modeAlt_ = altSeul_ && EnNavigation();
            break;
        case QEvent::MouseButtonPress: altSeul_ = false; break;
        case QEvent::FocusOut:
            // A menu opened, or the mode is over.
            if (objet == barre_)
                modeAlt_ = false;
            break;
        case QEvent::ShortcutOverride:
            if (objet == barre_ && modeAlt_ && EnNavigation() && LettreDUnTitre(*static_cast<QKeyEvent*>(evenement))) {
                // The menu bar gets the key as a key press, and opens the menu.
                evenement->accept();
                return true;
            }
            break;
        default: break;
        }
        return false;
    }

private:
    bool EnNavigation() const
    {
        return barre_->hasFocus() && barre_->activeAction() && !QApplication::activePopupWidget();
    }

    bool LettreDUnTitre(const QKeyEvent& touche) const
    {
        if ((touche.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || touche.text().size() != 1)
            return false;
        const auto code = static_cast<Qt::Key>(touche.text().at(0).toUpper().unicode());
        const QKeySequence lettre(QKeyCombination(Qt::AltModifier, code));
        for (const QAction* titre : barre_->actions())
            if (titre->isVisible() && QKeySequence::mnemonic(titre->text()) == lettre)
                return true;
        return false;
    }

    QMenuBar* barre_;
    bool altSeul_ = false; // the last key pressed is Alt, and no click came since
    bool modeAlt_ = false; // the menu bar's keyboard mode began with Alt tapped alone
};

// The key of a shortcut as Qt spells it. The dotted-note key has no Qt name of its own: it is
// the backslash key of a US keyboard (the key path also routes its other spellings).
QKeySequence SequenceDe(Raccourci r)
{
    if (r.Vide())
        return {};
    int touche = 0;
    const auto code = static_cast<uint16_t>(r.Code);
    if (code >= 'A' && code <= 'Z')
        touche = Qt::Key_A + (code - 'A');
    else if (code >= static_cast<uint16_t>(Touche::F1) && code <= static_cast<uint16_t>(Touche::F12))
        touche = Qt::Key_F1 + (code - static_cast<uint16_t>(Touche::F1));
    else {
        switch (r.Code) {
        case Touche::Gauche: touche = Qt::Key_Left; break;
        case Touche::Droite: touche = Qt::Key_Right; break;
        case Touche::Haut: touche = Qt::Key_Up; break;
        case Touche::Bas: touche = Qt::Key_Down; break;
        case Touche::Inser: touche = Qt::Key_Insert; break;
        case Touche::Suppr: touche = Qt::Key_Delete; break;
        case Touche::Oem5: touche = Qt::Key_Backslash; break;
        default: return {};
        }
    }
    Qt::KeyboardModifiers mods;
    if (r.Modificateurs & Modif::Ctrl)
        mods |= Qt::ControlModifier;
    if (r.Modificateurs & Modif::Shift)
        mods |= Qt::ShiftModifier;
    if (r.Modificateurs & Modif::Alt)
        mods |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(touche)));
}

// The menu item of a command is named after it: Ac_Note_Noire -> Mn_Note_Noire.
std::string NomItem(Cmd c) { return std::string("Mn_") + (Description(c).Nom + 3); }

// Menu caption with the shortcut shown in its column; the item itself binds no key (the
// command's action does), so no key is ever bound twice.
QString TexteItem(const QString& legende, Cmd c)
{
    const Raccourci r = Description(c).Touche;
    if (r.Vide())
        return legende;
    return legende + '\t' + SequenceDe(r).toString(QKeySequence::NativeText);
}

} // namespace

void TForm1::ConstruireActions()
{
    for (const auto& d : TableCommandes()) {
        if (d.Sorte != SorteCommande::Action)
            continue;
        auto* a = new QAction(QString::fromUtf8(d.Legende), this);
        a->setObjectName(d.Nom);
        a->setProperty("Tag", d.Tag);
        a->setProperty("Category", NomCategorie(d.Cat));
        a->setShortcut(SequenceDe(d.Touche));
        a->setShortcutContext(Qt::WindowShortcut);
        const Cmd c = d.Id;
        connect(a, &QAction::triggered, this, [this, c] { ExecuterDepuisVue(c); });
        addAction(a);
        actions_[Indice(c)] = a;
    }
}

QAction* TForm1::Action(Cmd c) const { return actions_[Indice(c)]; }

QAction* TForm1::AjouterItem(QMenu* menu, Cmd c)
{
    const auto& d = Description(c);
    auto* item = new QAction(TexteItem(QString::fromUtf8(d.Legende), c), menu);
    item->setObjectName(QString::fromStdString(NomItem(c)));
    item->setCheckable(d.Cochable);
    connect(item, &QAction::triggered, this, [this, c] { ExecuterDepuisVue(c); });
    menu->addAction(item);
    items_[Indice(c)].push_back(item);
    return item;
}

void TForm1::ConstruireMenus()
{
    QMenuBar* barre = menuBar();
    barre->setObjectName("MainMenu1");
    auto* style = new StyleBarreMenus;
    style->setParent(barre);
    barre->setStyle(style);
    new LettresBarreMenus(barre);
    auto menu = [&](QMenu* parent, const char* nom, const char* titre) {
        QMenu* m = parent ? parent->addMenu(titre) : barre->addMenu(titre);
        m->setObjectName(nom);
        m->menuAction()->setObjectName(nom);
        return m;
    };

    QMenu* fichier = menu(nullptr, "Mn_Fichier", "&File");
    AjouterItem(fichier, Cmd::Ac_Fichier_Nouveau);
    AjouterItem(fichier, Cmd::Ac_Fichier_Ouvrir);
    fichier->addSeparator();
    AjouterItem(fichier, Cmd::Ac_Fichier_Parcourir);
    fichier->addSeparator();
    AjouterItem(fichier, Cmd::Ac_Fichier_Enregistrer);
    AjouterItem(fichier, Cmd::Ac_Fichier_EnregistrerSous);
    fichier->addSeparator();
    AjouterItem(fichier, Cmd::Ac_Fichier_Proprietes);
    AjouterItem(fichier, Cmd::Ac_Options_Preferences);
    fichier->addSeparator();
    QMenu* importer = menu(fichier, "Mn_Fichier_Importer", "&Import");
    AjouterItem(importer, Cmd::Ac_Fichier_ImporterMIDI);
    AjouterItem(importer, Cmd::Ac_Fichier_ImporterASCII);
    QMenu* exporter = menu(fichier, "Mn_Fichier_Exporter", "&Export");
    AjouterItem(exporter, Cmd::Ac_Fichier_ExporterMIDI);
    AjouterItem(exporter, Cmd::Ac_Fichier_ExporterASCII);
    fichier->addSeparator();
    AjouterItem(fichier, Cmd::Ac_Fichier_Imprimer);
    AjouterItem(fichier, Cmd::Ac_Fichier_ApercuImp);
    AjouterItem(fichier, Cmd::Ac_Fichier_ConfigImp);
    fichier->addSeparator();
    for (int k = 1; k <= kNbFichiersRecents; ++k) {
        auto* item = fichier->addAction(QString());
        item->setObjectName(QString("Mn_Fichier_DernierFichier%1").arg(k));
        item->setProperty("Tag", k);
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [k] { Mn_Fichier_DernierFichier1Click(k); });
        itemsRecents_[k] = item;
    }
    itemsRecents_[0] = fichier->addSeparator();
    itemsRecents_[0]->setObjectName("Separateur");
    itemsRecents_[0]->setVisible(false);
    AjouterItem(fichier, Cmd::Ac_Fichier_Quitter);

    QMenu* edition = menu(nullptr, "Mn_Edition", "&Edit");
    AjouterItem(edition, Cmd::Ac_Edition_Annuler);
    edition->addSeparator();
    AjouterItem(edition, Cmd::Ac_Edition_Couper);
    AjouterItem(edition, Cmd::Ac_Edition_Copier);
    AjouterItem(edition, Cmd::Ac_Edition_Coller);
    AjouterItem(edition, Cmd::Ac_Edition_Inserer);
    AjouterItem(edition, Cmd::Ac_Edition_Vider);
    edition->addSeparator();
    AjouterItem(edition, Cmd::Ac_Edition_TableMix);

    QMenu* piste = menu(nullptr, "Mn_Piste", "&Track");
    for (int t = 1; t <= kNbPistes; ++t) {
        auto* item = piste->addAction(QString("&%1 - ").arg(t));
        item->setObjectName(QString("Mn_Piste%1").arg(t));
        item->setProperty("Tag", t);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [t] { ::Mn_Piste1Click(t); });
        itemsPiste_[t] = item;
    }

    QMenu* mesure = menu(nullptr, "Mn_Mesure", "&Bar");
    menuMesure_ = mesure;
    AjouterItem(mesure, Cmd::Ac_Mesure_Premiere);
    AjouterItem(mesure, Cmd::Ac_Mesure_Precedente);
    AjouterItem(mesure, Cmd::Ac_Mesure_AllerA);
    AjouterItem(mesure, Cmd::Ac_Mesure_Suivante);
    AjouterItem(mesure, Cmd::Ac_Mesure_Derniere);
    mesure->addSeparator();
    AjouterItem(mesure, Cmd::Ac_Mesure_Signature);
    mesure->addSeparator();
    AjouterItem(mesure, Cmd::Ac_Mesure_RenvoiDebut);
    AjouterItem(mesure, Cmd::Ac_Mesure_RenvoiFin);
    AjouterItem(mesure, Cmd::Ac_Mesure_Repetitions);

    QMenu* note = menu(nullptr, "Mn_Note", "&Note");
    menuNote_ = note;
    for (Cmd c : {Cmd::Ac_Note_Ronde, Cmd::Ac_Note_Blanche, Cmd::Ac_Note_Noire, Cmd::Ac_Note_Croche,
                  Cmd::Ac_Note_DCroche, Cmd::Ac_Note_TCroche, Cmd::Ac_Note_QCroche})
        AjouterItem(note, c);
    note->addSeparator();
    AjouterItem(note, Cmd::Ac_Note_Pointee);
    AjouterItem(note, Cmd::Ac_Note_Accord);
    AjouterItem(note, Cmd::Ac_Note_Annotation);
    AjouterItem(note, Cmd::Ac_Note_NoteEtouffee);
    AjouterItem(note, Cmd::Ac_Note_Silence);
    AjouterItem(note, Cmd::Ac_Note_Triolet);
    AjouterItem(note, Cmd::Ac_Note_Lier);
    note->addSeparator();
    AjouterItem(note, Cmd::Ac_Note_InsererTemps);
    AjouterItem(note, Cmd::Ac_Note_SupprimerTemps);
    AjouterItem(note, Cmd::Ac_Note_CopierTempsfin);
    note->addSeparator();
    AjouterItem(note, Cmd::Ac_Note_DeplacerHaut);
    AjouterItem(note, Cmd::Ac_Note_DeplacerBas);

    QMenu* effets = menu(nullptr, "Mn_Effets", "Effe&cts");
    menuEffets_ = effets;
    for (Cmd c : {Cmd::Ac_Effet_HO, Cmd::Ac_Effet_PO, Cmd::Ac_Effet_SlideUp, Cmd::Ac_Effet_SlideDown,
                  Cmd::Ac_Effet_Bend, Cmd::Ac_Effet_BendRelease, Cmd::Ac_Effet_LetRing, Cmd::Ac_Effet_GraceNote,
                  Cmd::Ac_Effet_GhostNote})
        AjouterItem(effets, c);
    effets->addSeparator();
    for (Cmd c : {Cmd::Ac_Effet_VibMainGauche, Cmd::Ac_Effet_TremoloBar, Cmd::Ac_Effet_CoupDeVibrato,
                  Cmd::Ac_Effet_HarmNat, Cmd::Ac_Effet_HarmArt, Cmd::Ac_Effet_FadeIn, Cmd::Ac_Effet_TappingMD,
                  Cmd::Ac_Effet_Slap, Cmd::Ac_Effet_Pop})
        AjouterItem(effets, c);
    effets->addSeparator();
    AjouterItem(effets, Cmd::Ac_Effet_BrushUp);
    AjouterItem(effets, Cmd::Ac_Effet_BrushDown);
    effets->addSeparator();
    QMenu* dyna = menu(effets, "Mn_Dyna", "&Dynamics");
    for (Cmd c : {Cmd::Ac_Dyna_ppp, Cmd::Ac_Dyna_pp, Cmd::Ac_Dyna_p, Cmd::Ac_Dyna_mp, Cmd::Ac_Dyna_mf,
                  Cmd::Ac_Dyna_f, Cmd::Ac_Dyna_ff, Cmd::Ac_Dyna_fff})
        AjouterItem(dyna, c);

    QMenu* assistants = menu(nullptr, "Mn_Assistants", "T&ools");
    for (Cmd c : {Cmd::Ac_Ass_Transposer, Cmd::Ac_Ass_Redecouper, Cmd::Ac_Ass_CompleterReduire,
                  Cmd::Ac_Ass_PlacementAuto, Cmd::Ac_Ass_LetRingSelector, Cmd::Ac_Ass_VerifierDureeMesures})
        AjouterItem(assistants, c);
    assistants->addSeparator();
    AjouterItem(assistants, Cmd::Ac_Ass_Solfege);
    AjouterItem(assistants, Cmd::Ac_Ass_Percussion);
    assistants->addSeparator();
    AjouterItem(assistants, Cmd::Ac_Ass_SpeedTrainer);

    QMenu* son = menu(nullptr, "Mn_Son", "&Sound");
    for (Cmd c : {Cmd::Ac_Son_LectureDebut, Cmd::Ac_Son_LecturePosEC, Cmd::Ac_Son_LectureMesureEC, Cmd::Ac_Son_Stop})
        AjouterItem(son, c);
    son->addSeparator();
    for (Cmd c : {Cmd::Ac_Son_EnBoucle, Cmd::Ac_Son_Metronome, Cmd::Ac_Son_JouerSaisie})
        AjouterItem(son, c);

    QMenu* affichage = menu(nullptr, "Mn_Affichage", "&View");
    AjouterItem(affichage, Cmd::Ac_Affichage_PleinEcran);
    affichage->addSeparator();
    AjouterItem(affichage, Cmd::Ac_Ass_MontrerLetRing);
    AjouterItem(affichage, Cmd::Ac_Ass_MontrerDyna);
    affichage->addSeparator();
    menuLangueLog_ = menu(affichage, "Mn_Options_LangueLog", "&Interface language");
    menuLangueAide_ = menu(affichage, "Mn_Affichage_HelpLanguage", "Help language");
    // The three help languages; the Tag is the help language they choose.
    for (auto [nom, legende, tag] : {std::tuple{"Ac_Options_LangueAide2", "Français", 1},
                                     std::tuple{"Ac_Options_LangueAide1", "English", 2},
                                     std::tuple{"Ac_Options_LangueAide3", "Deutsch", 3}}) {
        auto* item = menuLangueAide_->addAction(QString::fromUtf8(legende));
        item->setObjectName(nom);
        item->setProperty("Tag", tag);
        item->setCheckable(true);
        const int langue = tag;
        connect(item, &QAction::triggered, this, [this, langue] { Ac_Options_LangueAide1Click(langue); });
    }

    QMenu* aide = menu(nullptr, "Mn_Aide", "&Help");
    AjouterItem(aide, Cmd::Ac_Aide_Index);
    aide->addSeparator();
    AjouterItem(aide, Cmd::Ac_Aide_APropos);

    // The score view's popup: the range commands.
    for (Cmd c : {Cmd::Ac_Edition_Couper, Cmd::Ac_Edition_Copier, Cmd::Ac_Edition_Coller}) {
        QAction* item = AjouterItem(popupAffichage_, c);
        item->setObjectName(QString("Mn2_") + (Description(c).Nom + 3));
    }
    popupAffichage_->addSeparator();
    for (Cmd c : {Cmd::Ac_Edition_Inserer, Cmd::Ac_Edition_Vider}) {
        QAction* item = AjouterItem(popupAffichage_, c);
        item->setObjectName(QString("Mn2_") + (Description(c).Nom + 3));
    }
}

// Captions, hints and file-dialog texts from the loaded language; without "MN_000" everything
// keeps its text. Qt's own windows take the language whatever the file holds.
void TForm1::AppliquerLegendes()
{
    SuivreLangueQt(LangueCourante);
    const auto legendes = TraduireFenetrePrincipale();
    if (!legendes)
        return;
    // The window's items, menus and buttons by name, gathered in one pass: a search through the
    // whole window for each caption made the start wait.
    QMultiHash<QString, QAction*> items;
    QHash<QString, QMenu*> menus;
    QHash<QString, QToolButton*> boutons;
    for (QObject* o : findChildren<QObject*>()) {
        if (auto* item = qobject_cast<QAction*>(o))
            items.insert(o->objectName(), item);
        else if (auto* m = qobject_cast<QMenu*>(o); m && !menus.contains(o->objectName()))
            menus.insert(o->objectName(), m);
        else if (auto* b = qobject_cast<QToolButton*>(o); b && !boutons.contains(o->objectName()))
            boutons.insert(o->objectName(), b);
    }
    for (const auto& l : legendes->Menus) {
        const QString texte = VersQt(l.Texte);
        const QString nom = QString::fromStdString(l.Nom);
        bool trouve = false;
        for (QAction* item : items.values(nom)) {
            const auto c = CommandeParNom(std::string("Ac_") + (l.Nom.c_str() + (l.Nom.rfind("Mn2_", 0) == 0 ? 4 : 3)));
            item->setText(c ? TexteItem(texte, *c) : texte);
            trouve = true;
        }
        if (!trouve)
            if (QMenu* m = menus.value(nom))
                m->setTitle(texte);
    }
    for (const auto& b : legendes->Bulles)
        if (QToolButton* bouton = boutons.value(QString::fromStdString(b.Nom)))
            bouton->setToolTip(VersQt(b.Texte));
    dialoguesFichiers_->AppliquerLegendes(legendes->Dialogues);
}
