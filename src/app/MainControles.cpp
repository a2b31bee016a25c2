// The main window's controls, and how their keys, clicks and wheel turns reach the editor.
#include "app/Main.h"

#include "app/Icones.h"
#include "app/Image.h"
#include "app/MainInterne.h"
#include "app/VuePartition.h"
#include "controls/CxPanel.h"
#include "controls/CxEdit.h"
#include "document/Variable.h"
#include "editor/Clavier.h"
#include "editor/Navigation.h"
#include "editor/Pistes.h"
#include "editor/Saisie.h"
#include "editor/Scrolling.h"
#include "midi/Lecture.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <utility>

namespace {

// Key code in the key map's numbering and modifier set of a key event. The top-row digits are
// found by their physical key where the layout needs Shift for them (French keyboards), and
// the dotted-note key by its place on the keyboard whatever character it types.
struct ToucheLue {
    Touche Code = Touche::Aucune;
    uint8_t Modificateurs = Modif::Aucun;
};

ToucheLue LireTouche(const QKeyEvent& e)
{
    ToucheLue t;
    if (e.modifiers() & Qt::ShiftModifier)
        t.Modificateurs |= Modif::Shift;
    if (e.modifiers() & Qt::ControlModifier)
        t.Modificateurs |= Modif::Ctrl;
    if (e.modifiers() & Qt::AltModifier)
        t.Modificateurs |= Modif::Alt;
    const bool pave = e.modifiers() & Qt::KeypadModifier;
    const int k = e.key();
    const auto code = [](int v) { return static_cast<Touche>(static_cast<uint16_t>(v)); };

    // X11 key codes of the keyboard's top row (1..9, 0) and of the key right of it that the
    // dotted note uses.
    const quint32 scan = e.nativeScanCode();
    const bool xcb = QGuiApplication::platformName() == QLatin1String("xcb");
    if (xcb && !pave && scan >= 10 && scan <= 19) {
        t.Code = code('0' + static_cast<int>((scan - 9) % 10));
        return t;
    }
    if (xcb && scan == 51) {
        t.Code = Touche::Oem5;
        return t;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        t.Code = code((pave ? 0x60 : '0') + (k - Qt::Key_0));
        return t;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) {
        t.Code = code('A' + (k - Qt::Key_A));
        return t;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) {
        t.Code = code(static_cast<int>(Touche::F1) + (k - Qt::Key_F1));
        return t;
    }
    switch (k) {
    case Qt::Key_Backspace: t.Code = Touche::Retour; break;
    case Qt::Key_Tab: t.Code = Touche::Tab; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: t.Code = Touche::Entree; break;
    case Qt::Key_Escape: t.Code = Touche::Echap; break;
    case Qt::Key_Space: t.Code = Touche::Espace; break;
    case Qt::Key_PageUp: t.Code = Touche::PagePrec; break;
    case Qt::Key_PageDown: t.Code = Touche::PageSuiv; break;
    case Qt::Key_End: t.Code = Touche::Fin; break;
    case Qt::Key_Home: t.Code = Touche::Debut; break;
    case Qt::Key_Left: t.Code = Touche::Gauche; break;
    case Qt::Key_Up: t.Code = Touche::Haut; break;
    case Qt::Key_Right: t.Code = Touche::Droite; break;
    case Qt::Key_Down: t.Code = Touche::Bas; break;
    case Qt::Key_Insert: t.Code = Touche::Inser; break;
    case Qt::Key_Delete: t.Code = Touche::Suppr; break;
    case Qt::Key_Backslash: t.Code = Touche::Oem5; break;
    case Qt::Key_Asterisk: t.Code = pave ? Touche::PaveMul : Touche::Oem5; break;
    case Qt::Key_Plus: t.Code = pave ? Touche::PavePlus : Touche::Aucune; break;
    case Qt::Key_Minus: t.Code = pave ? Touche::PaveMoins : Touche::Aucune; break;
    case Qt::Key_Slash: t.Code = pave ? Touche::PaveDiv : Touche::Aucune; break;
    case Qt::Key_Period:
    case Qt::Key_Comma: t.Code = pave ? Touche::PavePoint : Touche::Aucune; break;
    default: break;
    }
    return t;
}

QFrame* Panneau(QWidget* parent, const char* nom, QFrame::Shape forme = QFrame::StyledPanel,
                QFrame::Shadow ombre = QFrame::Sunken)
{
    auto* f = new QFrame(parent);
    f->setObjectName(nom);
    f->setFrameShape(forme);
    f->setFrameShadow(ombre);
    return f;
}

// A toolbar as the window places it: no border, rows of 25 pixels from its left edge, as
// tall as its rows; the window gives it the width to wrap at.
TCxToolbar* NouvelleBarre(QWidget* parent, const char* nom)
{
    auto* barre = new TCxToolbar(parent);
    barre->setObjectName(nom);
    barre->SetAlign(alNone);
    barre->SetAutoStyle(false);
    barre->SetMargin(0);
    barre->SetTopMargin(1);
    barre->SetRowHeight(25);
    barre->SetBorderInner(fsNone);
    barre->SetBorderOuter(fsGroove);
    barre->SetBorderSides(sdAucun);
    barre->SetFrameSides(sdAucun);
    barre->SetBorderWidth(0);
    barre->SetAutoSize(true);
    return barre;
}

QLabel* Etiquette(QWidget* parent, const char* nom)
{
    auto* l = new QLabel(parent);
    l->setObjectName(nom);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

BoutonSouris BoutonDe(Qt::MouseButton bouton)
{
    return bouton == Qt::RightButton ? BoutonSouris::Droit
           : bouton == Qt::MiddleButton ? BoutonSouris::Milieu
                                        : BoutonSouris::Gauche;
}

} // namespace

void TForm1::ConstruireControles()
{
    fond_ = new QWidget(this);
    fond_->setObjectName("Fond");
    setCentralWidget(fond_);

    toolbar_ = NouvelleBarre(fond_, "CxToolBar1");
    barreMesures_ = NouvelleBarre(fond_, "BarreMesures");

    panelNomPiste_ = Panneau(fond_, "Panel_NomPiste", QFrame::NoFrame, QFrame::Plain);
    partNomPiste_ = Etiquette(panelNomPiste_, "PartNomPiste");
    {
        QFont f = partNomPiste_->font();
        f.setBold(true);
        partNomPiste_->setFont(f);
        auto* l = new QHBoxLayout(panelNomPiste_);
        l->setContentsMargins(8, 0, 4, 0);
        l->addWidget(partNomPiste_);
    }

    panel1_ = Panneau(fond_, "Panel1");
    messErreur_ = Etiquette(panel1_, "MessErreur");
    {
        QFont f = messErreur_->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() + 1);
        messErreur_->setFont(f);
        messErreur_->setStyleSheet("color: #1e3c8c;");
        auto* l = new QHBoxLayout(panel1_);
        l->setContentsMargins(6, 0, 6, 0);
        l->addWidget(messErreur_);
    }

    pisteDown_ = new QToolButton(fond_);
    pisteDown_->setObjectName("PisteDown");
    pisteUp_ = new QToolButton(fond_);
    pisteUp_->setObjectName("PisteUp");
    for (QToolButton* b : {pisteDown_, pisteUp_}) {
        b->setIcon(IconeBouton(b->objectName().toStdString()));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(true);
    }
    connect(pisteUp_, &QToolButton::clicked, this, [] { ::PisteUpClick(); });
    connect(pisteDown_, &QToolButton::clicked, this, [] { ::PisteDownClick(); });
    for (int t = 1; t <= kNbPistes; ++t) {
        auto* b = new QToolButton(fond_);
        b->setObjectName(QString("BT_Piste%1").arg(t));
        b->setText(QString::number(t));
        b->setProperty("Tag", t);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        connect(b, &QToolButton::clicked, this, [t] { ::BT_Piste1Click(t); });
        boutonsPiste_[t] = b;
    }

    bevelTop_ = Panneau(fond_, "BevelTop", QFrame::HLine, QFrame::Sunken);

    panelZoneAffScroll_ = Panneau(fond_, "PanelZoneAffScroll");
    zoneAffichage_ = new VuePartition(panelZoneAffScroll_);
    zoneAffichage_->setObjectName("ZoneAffichage");
    scrollAffichage_ = new QScrollBar(Qt::Vertical, fond_);
    scrollAffichage_->setObjectName("ScrollBarZoneAffScroll");
    scrollAffichage_->setFocusPolicy(Qt::NoFocus);
    scrollAffichage_->setRange(0, 0);
    // The score view follows its scroll bar and sizes its ring by the client height.
    zoneAffichage_->AttacherBarreDefilement(scrollAffichage_);
    zoneAffichage_->DefinirHauteurClient([this] { return fond_->height(); });
    InstallerSurfacePartition(zoneAffichage_);
    // A click on a band makes its measure current (the frame over the current measure is drawn
    // on the bands, so its clicks arrive here too).
    connect(zoneAffichage_, &VuePartition::BandeCliquee, this,
            [](int bande, int x, int y, Qt::MouseButton bouton, Qt::KeyboardModifiers) {
                ::Band01MouseDown(bande, BoutonDe(bouton), x, y);
            });

    popupAffichage_ = new QMenu(this);
    popupAffichage_->setObjectName("PopupMenuAff");

    // The fret popup of the edit zone: frets 0 to 24 on every track.
    turboMenu_ = new QMenu(this);
    turboMenu_->setObjectName("TurboMenu");
    for (int frette = 0; frette <= 24; ++frette) {
        const QString nom = QString("Turbo%1").arg(frette, 2, 10, QChar('0'));
        QAction* item = turboMenu_->addAction(QString::number(frette));
        item->setObjectName(nom);
        connect(item, &QAction::triggered, this, [nom] { Turbo00Click(nom.toStdString()); });
    }

    timerMidi_ = new QTimer(this);
    timerMidi_->setObjectName("TimerMidi");
    timerMidi_->setInterval(100);
    connect(timerMidi_, &QTimer::timeout, this, [] { TimerMidiTimer(); });

    panelBarreBoutons2_ = Panneau(fond_, "PanelBarreBoutons2", QFrame::NoFrame, QFrame::Plain);
    panelBarreBoutons3_ = Panneau(fond_, "PanelBarreBoutons3", QFrame::NoFrame, QFrame::Plain);

    panelZoneSaisie_ = Panneau(fond_, "PanelZoneSaisie");
    {
        QPalette pal = panelZoneSaisie_->palette();
        pal.setColor(QPalette::Window, Qt::white);
        panelZoneSaisie_->setPalette(pal);
        panelZoneSaisie_->setAutoFillBackground(true);
    }
    zoneSaisie_ = new TImage(panelZoneSaisie_);
    zoneSaisie_->setObjectName("ZoneSaisie");
    zoneSaisie_->installEventFilter(this);
    InstallerImageSaisie(Curseur.LargeurZone + 2 * Curseur.MargeGauche, HauteurImageSaisie);
    scrollSaisie_ = new QScrollBar(Qt::Horizontal, fond_);
    scrollSaisie_->setObjectName("ScrollBarZoneSaisie");
    scrollSaisie_->setFocusPolicy(Qt::NoFocus);
    scrollSaisie_->setRange(0, 0);
    connect(scrollSaisie_, &QScrollBar::valueChanged, this, [](int position) { ScrollBarZoneSaisieChange(position); });

    panelNumMesure_ = Panneau(fond_, "PanelNumMesure");
    panelNbTps_ = Panneau(fond_, "PanelNbTps");
    panelNbTps2_ = Panneau(fond_, "PanelNbTps2");
    panelTextCom_ = Panneau(fond_, "PanelTextCom");
    numMesure_ = Etiquette(panelNumMesure_, "NumMesure");
    nbTps_ = Etiquette(panelNbTps_, "NbTps");
    nbTps2_ = Etiquette(panelNbTps2_, "NbTps2");
    textCom_ = Etiquette(panelTextCom_, "TextCom");
    for (auto [panneau, label] : {std::pair{panelNumMesure_, numMesure_}, std::pair{panelNbTps_, nbTps_},
                                  std::pair{panelNbTps2_, nbTps2_}, std::pair{panelTextCom_, textCom_}}) {
        auto* l = new QHBoxLayout(panneau);
        l->setContentsMargins(4, 0, 4, 0);
        l->addWidget(label);
        label->setAlignment(Qt::AlignCenter);
    }
    textCom_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    for (QLabel* l : {messErreur_, partNomPiste_, numMesure_, nbTps_, nbTps2_})
        l->installEventFilter(this);

    // The hidden memo catches the keyboard: it uses every key up, so it never holds text, and
    // leaves the window's shortcuts to the window.
    edInvisible_ = new TCxMemo(fond_);
    edInvisible_->setObjectName("Ed_Invisible");
    edInvisible_->setGeometry(-500, 0, 25, 17);
    edInvisible_->SetShortcutsFirst(true);
    edInvisible_->setAttribute(Qt::WA_InputMethodEnabled, false); // no composed text either
    edInvisible_->OnKeyDown = [this](QKeyEvent& e) {
        ToucheRecue(e);
        return true;
    };
    edInvisible_->OnKeyUp = [this](QKeyEvent& e) { ToucheRelachee(e); };
    edInvisible_->OnMouseWheelDown = [] { Ed_InvisibleMouseWheelDown(); };
    edInvisible_->OnMouseWheelUp = [] { Ed_InvisibleMouseWheelUp(); };

    // A click anywhere below the menu bar gives the keyboard back to the memo, although the
    // edit zone, the score view and the buttons take no focus of their own: it also ends the
    // menu bar's keyboard navigation that a menu closed by Escape leaves behind.
    fond_->setFocusPolicy(Qt::ClickFocus);
    fond_->setFocusProxy(edInvisible_);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* maintenant) { FocusRecu(maintenant); });
    menuBar()->installEventFilter(this);

    panelFontes_ = new QWidget(fond_);
    panelFontes_->setObjectName("Panel_Fontes");
    panelFontes_->setGeometry(-500, 0, 20, 20);
}

QTextEdit* TForm1::RichEdit1()
{
    if (!richEdit1_) {
        richEdit1_ = new QTextEdit(fond_);
        richEdit1_->setObjectName("RichEdit1");
        richEdit1_->setFocusPolicy(Qt::NoFocus);
        richEdit1_->setGeometry(-500, 0, 20, 20);
        richEdit1_->show();
    }
    return richEdit1_;
}

// ---- Keys, clicks, wheel ----------------------------------------------------------------------

// A key that reached the hidden memo: the shortcuts of enabled commands ran already, except
// the dotted-note key where it does not type a backslash, which the road below finds. A
// command whose menu is off (playback, score-only layout) takes no key, like its menu item.
void TForm1::ToucheRecue(QKeyEvent& evenement)
{
    const ToucheLue t = LireTouche(evenement);
    if (t.Code == Touche::Aucune)
        return;
    const auto commande = Commandes().CommandeDuRaccourci(Raccourci{t.Code, t.Modificateurs});
    if (commande && ShortcutBloque(*commande)) {
        FormKeyDown(t.Code, t.Modificateurs);
        Ed_InvisibleKeyDown(t.Code, t.Modificateurs);
        return;
    }
    ToucheVersCommande(t.Code, t.Modificateurs);
}

void TForm1::ToucheRelachee(QKeyEvent& evenement)
{
    if (evenement.isAutoRepeat())
        return;
    const ToucheLue t = LireTouche(evenement);
    FormKeyUp(t.Code, t.Modificateurs);
}

// A key that no control of the window used: the menu bar passes on what its navigation does not
// use, and the window itself gets the keys while no control has the focus. It is a key of the
// editor all the same, and the memo takes the keyboard back (which ends the menu bar's
// navigation). An open menu passes on to its menu bar the keys it has no use for: those are
// nobody's, as the menu holds the keyboard until it closes.
void TForm1::keyPressEvent(QKeyEvent* evenement)
{
    evenement->accept();
    if (QApplication::activePopupWidget())
        return;
    RendreFocus();
    ToucheRecue(*evenement);
}

void TForm1::keyReleaseEvent(QKeyEvent* evenement)
{
    ToucheRelachee(*evenement);
    evenement->accept();
}

namespace {
constexpr const char* kKeepsKeyboard = "lyrxKeepsKeyboard";
}

void TForm1::SetKeepsKeyboard(QWidget* controle, bool garde) { controle->setProperty(kKeepsKeyboard, garde); }

bool TForm1::KeepsKeyboard(const QWidget* controle)
{
    for (const QWidget* w = controle; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (w->property(kKeepsKeyboard).toBool())
            return true;
    return false;
}

// The keyboard of the window belongs to the hidden memo (the rule where the window is declared).
// Wherever else in the window the toolkit puts it (the menu bar gets it back when the window is
// activated again, although another window's activation ended its navigation), the memo takes
// it back. Not from inside the signal: the toolkit, or the control that took the focus, is still
// at work on the move (the menu bar sets up its navigation after taking the focus), and a move
// made there would land in its middle. Whatever holds the focus once the loop turns is judged
// then.
void TForm1::FocusRecu(QWidget* widget)
{
    if (!ShouldReclaimKeyboard(widget) || reclaimQueued_)
        return;
    reclaimQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            reclaimQueued_ = false;
            if (ShouldReclaimKeyboard(QApplication::focusWidget()))
                RendreFocus();
        },
        Qt::QueuedConnection);
}

bool TForm1::ShouldReclaimKeyboard(const QWidget* widget) const
{
    if (!widget || widget == edInvisible_ || widget->window() != this || fermee_)
        return false;
    if (KeepsKeyboard(widget))
        return false;
    if (const auto* barre = qobject_cast<const QMenuBar*>(widget); barre && barre->activeAction())
        return false; // its own keyboard navigation: a highlighted title
    return true;
}

bool TForm1::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::KeyPress && objet == menuBar() && !QApplication::activePopupWidget()
        && ShouldReclaimKeyboard(menuBar())) {
        // The menu bar has the focus without its navigation (the window was activated again)
        // and the memo is yet to take it back: a letter would open the menu it is a title's
        // mnemonic of. It is a key of the editor, as one that reaches the window (an open
        // menu's keys are nobody's, as there).
        RendreFocus();
        ToucheRecue(*static_cast<QKeyEvent*>(evenement));
        return true;
    }
    if (evenement->type() == QEvent::MouseButtonPress) {
        if (objet == messErreur_ || objet == partNomPiste_) {
            ExecuterDepuisVue(Cmd::Ac_Fichier_Proprietes);
            return true;
        }
        if (objet == numMesure_) {
            ExecuterDepuisVue(Cmd::Ac_Mesure_AllerA);
            return true;
        }
        if (objet == nbTps_ || objet == nbTps2_) {
            ExecuterDepuisVue(Cmd::Ac_Mesure_Signature);
            return true;
        }
    }
    if (objet == zoneSaisie_) {
        const QEvent::Type type = evenement->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove ||
            type == QEvent::MouseButtonRelease) {
            const auto* souris = static_cast<QMouseEvent*>(evenement);
            const BoutonSouris bouton = BoutonDe(souris->button());
            const QPoint p = souris->position().toPoint();
            if (type == QEvent::MouseButtonPress)
                ZoneSaisieMouseDown(bouton, p.x(), p.y());
            else if (type == QEvent::MouseButtonDblClick)
                ZoneSaisieDoubleClic(bouton, p.x(), p.y());
            else if (type == QEvent::MouseMove)
                ZoneSaisieMouseMove(p.x(), p.y());
            else
                ZoneSaisieMouseUp(bouton, p.x(), p.y());
            return true;
        }
    }
    if (evenement->type() == QEvent::Wheel && objet == zoneSaisie_) {
        // The wheel belongs to the hidden memo, which holds the focus.
        const int delta = static_cast<QWheelEvent*>(evenement)->angleDelta().y();
        if (delta < 0 && edInvisible_->OnMouseWheelDown)
            edInvisible_->OnMouseWheelDown();
        else if (delta > 0 && edInvisible_->OnMouseWheelUp)
            edInvisible_->OnMouseWheelUp();
        return true;
    }
    return QMainWindow::eventFilter(objet, evenement);
}
