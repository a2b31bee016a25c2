#include "app/Main.h"

#include "app/CommandesFenetre.h"
#include "app/CommandesFichier.h"
#include "app/DialoguesFichiersQt.h"
#include "app/Icones.h"
#include "app/Image.h"
#include "app/Programme.h"
#include "app/VuePartition.h"
#include "controls/Services.h"
#include "dialogs/ChgtParam.h"
#include "dialogs/CommandesAssistants.h"
#include "dialogs/DialoguesEdition.h"
#include "dialogs/DialoguesPlages.h"
#include "dialogs/DialoguesPressePapier.h"
#include "dialogs/Sais_ac.h"
#include "dialogs/Services.h"
#include "dialogs/WaitMIDI.h"
#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Legendes.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Clavier.h"
#include "editor/CommandesEdition.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EditionTemps.h"
#include "editor/Ecran.h"
#include "editor/EtatCommandes.h"
#include "editor/Fontes.h"
#include "editor/LecteurSaisie.h"
#include "editor/Ligatures.h"
#include "editor/Navigation.h"
#include "editor/Pistes.h"
#include "editor/PressePapier.h"
#include "editor/Saisie.h"
#include "editor/Scrolling.h"
#include "midi/EtatLecture.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "platform/Arrondi.h"
#include "platform/FichierIni.h"
#include "platform/Sablier.h"
#include "platform/qt/CanevasQt.h"
#include "print/PrefLogique.h"
#include "print/Services.h"
#include "print/TravailImpression.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>
#include <system_error>

TForm1* Form1 = nullptr;

namespace {

// Height of the edit image: the six strings with the room above for chord names and techniques
// and below for the rhythm.
constexpr int HauteurImageSaisie = 153;

QString VersQt(std::string_view cp1252) { return QString::fromStdString(platform::Cp1252VersUtf8(cp1252)); }

std::size_t Indice(Cmd c) { return static_cast<std::size_t>(c); }

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

QLabel* Etiquette(QWidget* parent, const char* nom)
{
    auto* l = new QLabel(parent);
    l->setObjectName(nom);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
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

// Play-while-entering and the previews of the edit engine go through the one media player.
struct LecteurSaisieMidi : ILecteurSaisie {
    void FermerLecteur() override { MediaPlayer1().Close(); }
    bool MidiDisponible() const override { return ::MidiDisponible; }
    void JouerTempsSaisi() override { ::JouerTempsSaisi(); }
};
LecteurSaisieMidi lecteurSaisieMidi;

BoutonSouris BoutonDe(Qt::MouseButton bouton)
{
    return bouton == Qt::RightButton ? BoutonSouris::Droit
           : bouton == Qt::MiddleButton ? BoutonSouris::Milieu
                                        : BoutonSouris::Gauche;
}

QRect VersQRect(const TRectangle& r) { return QRect(r.Left, r.Top, std::max(r.Width, 0), std::max(r.Height, 0)); }

TRectangle VersRectangle(const QRect& r) { return TRectangle{r.x(), r.y(), r.width(), r.height()}; }

} // namespace

std::string JoindreLigneCommande(const std::vector<std::string>& arguments)
{
    std::string ligne;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            ligne += ' ';
        ligne += arguments[i];
    }
    return ligne;
}

std::string LegendeMenuPiste(int piste, std::string_view nomPiste)
{
    std::string legende(1, '&');
    legende.append(std::to_string(piste)).append(" - ").append(nomPiste);
    if (legende.size() > 45)
        legende.resize(45);
    return legende;
}

// ---- Creation ---------------------------------------------------------------------------------

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent),
      actions_(NbCommandes, nullptr),
      items_(NbCommandes),
      boutons_(NbCommandes)
{
    setObjectName("Form1");
    Form1 = this;
    terminateur_ = [](int code) { QCoreApplication::exit(code); };
    dialoguesFichiers_ = std::make_unique<TDialoguesFichiers>(this);
    dialoguesEdition_ = std::make_unique<DialoguesEditionQt>(this);
    dialoguesEdition_->DialogueAccord = [this] { return ExecuterDialogueAccord(this); };
    dialoguesEdition_->DialogueTableMix = [this] { return ExecuterTableMix(this); };
    dialoguesPlages_ = std::make_unique<DialoguesPlagesQt>(this);
    dialoguesPlages_->ConfigurerImprimante = [this]() -> std::optional<std::string> {
        if (!ConfigurerImprimante())
            return std::nullopt;
        return NomImprimante();
    };
    dialoguesPressePapier_ = std::make_unique<DialoguesPressePapierQt>(this);
    FormCreate();
}

TForm1::~TForm1()
{
    if (timerMidi_)
        timerMidi_->stop();
    Commandes().RetirerObservateur(observateur_);
    InstallerCanevasSaisie(nullptr);
    InstallerSurfacePartition(nullptr);
    if (&DialoguesFichiers() == dialoguesFichiers_.get())
        InstallerDialoguesFichiers(nullptr);
    if (&::DialoguesEdition() == dialoguesEdition_.get())
        InstallerDialoguesEdition(nullptr);
    if (&LecteurSaisie() == &lecteurSaisieMidi)
        InstallerLecteurSaisie(nullptr);
    if (&::DialoguesPressePapier() == dialoguesPressePapier_.get())
        InstallerDialoguesPressePapier(nullptr);
    if (Saisie().Dialogues == dialoguesPlages_.get())
        Saisie().Dialogues = dialoguesPrecedents_;
    canevasSaisie_.reset();
    peintreSaisie_.reset();
    if (&FenetrePrincipale() == this)
        InstallerFenetrePrincipale(nullptr);
    if (Form1 == this)
        Form1 = nullptr;
    // The language lists live as long as the main window.
    TableLangue.clear();
    DictionnaireLangue.clear();
    ListeLangues.clear();
}

void TForm1::FormCreate()
{
    // The start work is still to do.
    premiereActivation_ = true;

    ConstruireControles();
    ConstruireActions();
    ConstruireMenus();
    ConstruireBarres();

    // The hand cursor over the labels that open a dialog when clicked (MAINCLICK; the flat
    // and grabbing hands serve the score view).
    for (QLabel* l : {numMesure_, nbTps_, nbTps2_, messErreur_, partNomPiste_})
        l->setCursor(Qt::PointingHandCursor);

    // (The preview and copy-range flags belong to their dialogs.)
    PrefOuvert = false;
    DialogueAccordOuvert = false;
    PleinEcranActif = false;
    ParcoursEnCours = false;
    ArretDemandeClic = false;
    PressePapierPlein = false;

    // Controls that work unseen stay out of sight.
    for (QWidget* w : {static_cast<QWidget*>(edInvisible_), panelFontes_})
        w->move(-500, w->y());

    // The long-lived tempo list starts empty.
    PileTempo.Vider();

    // The handlers of the command list, and the dialogs, files and player they reach.
    EnregistrerCommandesEdition();
    EnregistrerCommandesPistes();
    EnregistrerCommandesPressePapier();
    EnregistrerCommandesFichier();
    EnregistrerCommandesFenetre();
    EnregistrerCommandesAssistants();
    InstallerDialoguesEdition(dialoguesEdition_.get());
    InstallerDialoguesPressePapier(dialoguesPressePapier_.get());
    dialoguesPrecedents_ = Saisie().Dialogues;
    Saisie().Dialogues = dialoguesPlages_.get();
    InstallerDialoguesFichiers(dialoguesFichiers_.get());
    InstallerLecteurSaisie(&lecteurSaisieMidi);

    // The words of the language; the track-name panel follows the toolbar in the layout.
    AppliquerLegendes();
    SynchroniserCommandes();
    observateur_ = Commandes().AjouterObservateur([this](Cmd c) { SynchroniserCommande(c); });

    setMinimumSize(433, 315);
    resize(1000, 700);
    DisposerPanneaux();
}

void TForm1::ConstruireControles()
{
    fond_ = new QWidget(this);
    fond_->setObjectName("Fond");
    setCentralWidget(fond_);

    toolbar_ = new TCxToolbar(fond_);
    toolbar_->setIconSize(QSize(TailleIcone, TailleIcone));

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
    connect(pisteUp_, &QToolButton::clicked, this, [this] {
        ::PisteUpClick();
        RendreFocus();
    });
    connect(pisteDown_, &QToolButton::clicked, this, [this] {
        ::PisteDownClick();
        RendreFocus();
    });
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
        connect(b, &QToolButton::clicked, this, [this, t] {
            ::BT_Piste1Click(t);
            RendreFocus();
        });
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
            [this](int bande, int x, int y, Qt::MouseButton bouton, Qt::KeyboardModifiers) {
                ::Band01MouseDown(bande, BoutonDe(bouton), x, y);
                RendreFocus();
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
        connect(item, &QAction::triggered, this, [this, nom] {
            Turbo00Click(nom.toStdString());
            RendreFocus();
        });
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

    edInvisible_ = new TCxMemo(fond_);
    edInvisible_->setObjectName("Ed_Invisible");
    edInvisible_->setGeometry(-500, 0, 20, 20);
    edInvisible_->OnKeyDown = [this](QKeyEvent& e) { ToucheRecue(e); };
    edInvisible_->OnKeyUp = [](QKeyEvent& e) {
        if (e.isAutoRepeat())
            return;
        const ToucheLue t = LireTouche(e);
        FormKeyUp(t.Code, t.Modificateurs);
    };
    edInvisible_->OnMouseWheelDown = [] { Ed_InvisibleMouseWheelDown(); };
    edInvisible_->OnMouseWheelUp = [] { Ed_InvisibleMouseWheelUp(); };

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
        connect(item, &QAction::triggered, this, [this, k] {
            Mn_Fichier_DernierFichier1Click(k);
            RendreFocus();
        });
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
        connect(item, &QAction::triggered, this, [this, t] {
            ::Mn_Piste1Click(t);
            RendreFocus();
        });
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

TCxToolbarButton* TForm1::CreerBouton(QWidget* parent, Cmd c)
{
    const auto& d = Description(c);
    auto* b = new TCxToolbarButton(parent);
    b->setObjectName(d.Nom);
    b->setIcon(IconeBouton(d.Nom));
    b->setIconSize(QSize(TailleIcone, TailleIcone));
    b->setCheckable(d.Cochable);
    const Cmd action = d.ActionLiee ? *d.ActionLiee : c;
    const char* legende = Description(action).Legende;
    QString bulle = QString::fromUtf8(legende).remove("...").replace("&&", "\x01").remove('&').replace("\x01", "&");
    b->setToolTip(bulle);
    connect(b, &QToolButton::clicked, this, [this, c] { ExecuterDepuisVue(c); });
    boutons_[Indice(c)].push_back(b);
    return b;
}

void TForm1::ConstruireBarres()
{
    // The toolbar: files, printing, measure ranges, measures, playback, layout.
    const std::vector<std::vector<Cmd>> groupes = {
        {Cmd::Bt_Fichier_Nouveau, Cmd::Bt_Fichier_Ouvrir, Cmd::Bt_Fichier_Enregistrer},
        {Cmd::Bt_Fichier_Proprietes, Cmd::Bt_Options_Preferences},
        {Cmd::Bt_Fichier_Imprimer, Cmd::Bt_Fichier_ApercuImp},
        {Cmd::Bt_Edition_Couper, Cmd::Bt_Edition_Copier, Cmd::Bt_Edition_Coller, Cmd::Bt_Edition_Inserer,
         Cmd::Bt_Edition_Vider, Cmd::Bt_Edition_TableMix},
        {Cmd::Bt_Mesure_Premiere, Cmd::Bt_Mesure_Precedente, Cmd::Bt_Mesure_AllerA, Cmd::Bt_Mesure_Suivante,
         Cmd::Bt_Mesure_Derniere},
        {Cmd::Bt_Mesure_Signature, Cmd::Bt_Mesure_RenvoiDebut, Cmd::Bt_Mesure_RenvoiFin, Cmd::Bt_Mesure_Repetitions},
        {Cmd::Bt_Son_LectureDebut, Cmd::Bt_Son_LecturePosEC, Cmd::Bt_Son_LectureMesureEC, Cmd::Bt_Son_Stop,
         Cmd::Bt_Son_EnBoucle, Cmd::Bt_Son_Metronome},
        {Cmd::Bt_Affichage_PleinEcran, Cmd::Bt_Ass_Solfege},
    };
    for (std::size_t g = 0; g < groupes.size(); ++g) {
        if (g > 0)
            toolbar_->addSeparator();
        for (Cmd c : groupes[g])
            toolbar_->addWidget(CreerBouton(toolbar_, c));
    }

    // Above the edit zone: note values, beat commands and the techniques.
    auto* l2 = new QHBoxLayout(panelBarreBoutons2_);
    l2->setContentsMargins(0, 0, 0, 0);
    l2->setSpacing(0);
    const std::vector<std::vector<Cmd>> groupes2 = {
        {Cmd::Bt_Note_Ronde, Cmd::Bt_Note_Blanche, Cmd::Bt_Note_Noire, Cmd::Bt_Note_Croche, Cmd::Bt_Note_DCroche,
         Cmd::Bt_Note_TCroche, Cmd::Bt_Note_QCroche},
        {Cmd::Bt_Note_Pointee, Cmd::Bt_Note_Triolet, Cmd::Bt_Note_Lier, Cmd::Bt_Note_Silence,
         Cmd::Bt_Note_NoteEtouffee, Cmd::Bt_Note_Accord, Cmd::Bt_Note_Annotation},
        {Cmd::Bt_Note_InsererTemps, Cmd::Bt_Note_SupprimerTemps, Cmd::Bt_Note_CopierTempsfin,
         Cmd::Bt_Note_DeplacerHaut, Cmd::Bt_Note_DeplacerBas},
        {Cmd::Bt_Effet_HO, Cmd::Bt_Effet_PO, Cmd::Bt_Effet_SlideUp, Cmd::Bt_Effet_SlideDown, Cmd::Bt_Effet_Bend,
         Cmd::Bt_Effet_BendRelease, Cmd::Bt_Effet_LetRing, Cmd::Bt_Effet_GraceNote, Cmd::Bt_Effet_GhostNote},
        {Cmd::Bt_Effet_VibMainGauche, Cmd::Bt_Effet_TremoloBar, Cmd::Bt_Effet_CoupDeVibrato, Cmd::Bt_Effet_HarmNat,
         Cmd::Bt_Effet_HarmArt, Cmd::Bt_Effet_FadeIn, Cmd::Bt_Effet_TappingMD, Cmd::Bt_Effet_Slap, Cmd::Bt_Effet_Pop},
        {Cmd::Bt_Effet_BrushUp, Cmd::Bt_Effet_BrushDown, Cmd::BT_DynaForm},
    };
    for (std::size_t g = 0; g < groupes2.size(); ++g) {
        if (g > 0)
            l2->addSpacing(6);
        for (Cmd c : groupes2[g])
            l2->addWidget(CreerBouton(panelBarreBoutons2_, c));
    }
    l2->addStretch(1);

    // Beside the edit zone: validate and cancel the measure.
    auto* l3 = new QVBoxLayout(panelBarreBoutons3_);
    l3->setContentsMargins(2, 2, 2, 2);
    l3->setSpacing(4);
    for (Cmd c : {Cmd::BT_Valider, Cmd::BT_AnnulerMesure}) {
        TCxToolbarButton* b = CreerBouton(panelBarreBoutons3_, c);
        b->setIconSize(QSize(TailleIcone + 4, TailleIcone + 4));
        b->setAutoRaise(false);
        b->setToolTip(QString::fromUtf8(Description(c).Legende));
        l3->addWidget(b);
    }
    l3->addStretch(1);
}

// Captions, hints and file-dialog texts from the loaded language; without "MN_000" everything
// keeps its text.
void TForm1::AppliquerLegendes()
{
    const auto legendes = TraduireFenetrePrincipale();
    if (!legendes)
        return;
    for (const auto& l : legendes->Menus) {
        const QString texte = VersQt(l.Texte);
        const QString nom = QString::fromStdString(l.Nom);
        bool trouve = false;
        for (QAction* item : findChildren<QAction*>(nom)) {
            const auto c = CommandeParNom(std::string("Ac_") + (l.Nom.c_str() + (l.Nom.rfind("Mn2_", 0) == 0 ? 4 : 3)));
            item->setText(c ? TexteItem(texte, *c) : texte);
            trouve = true;
        }
        if (!trouve)
            if (QMenu* m = findChild<QMenu*>(nom))
                m->setTitle(texte);
    }
    for (const auto& b : legendes->Bulles)
        if (QToolButton* bouton = findChild<QToolButton*>(QString::fromStdString(b.Nom)))
            bouton->setToolTip(VersQt(b.Texte));
    dialoguesFichiers_->AppliquerLegendes(legendes->Dialogues);
}

// ---- Layout ---------------------------------------------------------------------------------

void TForm1::resizeEvent(QResizeEvent* evenement)
{
    QMainWindow::resizeEvent(evenement);
    if (FermetureEnCours)
        return;
    if (premiereActivation_)
        DisposerPanneaux(); // no song yet: only the controls move
    else
        FormResize();
}

void TForm1::FormResize() { RedimensionnerFenetre(); }

// The panels for the window's size. The rows at the top (toolbar with the track name, title
// line with the track buttons at the right end) are the window's own; the panels below them
// are placed by the layout from the places they were designed with.
void TForm1::DisposerPanneaux()
{
    const int ppp = std::max(logicalDpiX(), 1);
    const auto echelle = [ppp](int pixels96) { return static_cast<int>(platform::Round(pixels96 * ppp / 96.0)); };
    const int m4 = echelle(4);
    const int l = fond_->width();
    const int h = fond_->height();

    const QSize barre = toolbar_->sizeHint();
    const int largeurBarre = std::min(barre.width(), std::max(l - 2 * m4 - echelle(40), echelle(60)));
    toolbar_->setGeometry(m4, echelle(2), largeurBarre, barre.height());
    const int finBarre = toolbar_->x() + toolbar_->width();
    panelNomPiste_->setGeometry(finBarre, echelle(2), std::max(l - finBarre - m4, 0), barre.height());

    // The track buttons, then the arrows, at the right end of the title line.
    const int yPistes = echelle(2) + barre.height() + echelle(3);
    const int cote = echelle(24);
    int x = l - m4 - 2 * cote;
    pisteDown_->setGeometry(x, yPistes, cote, cote);
    pisteUp_->setGeometry(x + cote, yPistes, cote, cote);
    for (int t = kNbPistes; t >= 1; --t) {
        x -= cote;
        boutonsPiste_[t]->setGeometry(x, yPistes, cote, cote);
    }

    // The places of the design; the layout sets what depends on the window's size and mode.
    const int hauteurRang = echelle(20);
    const int yAffichage = yPistes + cote + echelle(6);
    TDispositionFenetre d;
    d.Panel1 = {m4, yPistes, panel1_->width(), cote};
    d.BT_Piste1 = VersRectangle(boutonsPiste_[1]->geometry());
    d.BevelTop = {echelle(5), yPistes + cote + echelle(2), bevelTop_->width(), echelle(2)};
    d.PanelZoneAffScroll = {m4, yAffichage, panelZoneAffScroll_->width(), panelZoneAffScroll_->height()};
    d.ScrollBarZoneAffScroll = {scrollAffichage_->x(), yAffichage + 1, scrollAffichage_->sizeHint().width(),
                                scrollAffichage_->height()};
    d.PanelBarreBoutons2 = {m4, panelBarreBoutons2_->y(), panelBarreBoutons2_->width(), TailleIcone + echelle(8)};
    // The column beside the edit zone reaches from the edit panel's top to the status row's
    // bottom, and so gives the edit panel its height: the edit image and a margin.
    const int hauteurSaisie = kHauteurZoneSaisie + echelle(8);
    d.PanelBarreBoutons3 = {panelBarreBoutons3_->x(), panelBarreBoutons3_->y(), echelle(40),
                            hauteurSaisie + static_cast<int>(platform::Round(2.0 * ppp / 96.0)) + hauteurRang};
    d.PanelZoneSaisie = {m4, panelZoneSaisie_->y(), panelZoneSaisie_->width(), panelZoneSaisie_->height()};
    d.ZoneSaisie = VersRectangle(zoneSaisie_->geometry());
    d.ScrollBarZoneSaisie = {scrollSaisie_->x(), scrollSaisie_->y(), echelle(220), hauteurRang - 2};
    d.PanelNumMesure = {m4, panelNumMesure_->y(), echelle(90), hauteurRang};
    d.PanelNbTps = {m4 + echelle(92), panelNbTps_->y(), echelle(110), hauteurRang};
    d.PanelNbTps2 = {m4 + echelle(204), panelNbTps2_->y(), echelle(140), hauteurRang};
    d.PanelTextCom = {m4 + echelle(346), panelTextCom_->y(), panelTextCom_->width(), hauteurRang};

    DisposerFenetre(d, l, h, ppp, PleinEcranActif);
    AppliquerDisposition(d);

    if (!premiereActivation_ && !FermetureEnCours && Partition.MesureCourante >= 1 &&
        Partition.MesureCourante <= Partition.NbMesures && Partition.Mesures[Partition.MesureCourante])
        TerminerDispositionFenetre(panelZoneSaisie_->width());
    else
        LargeurPanneauSaisie = panelZoneSaisie_->width();
}

void TForm1::AppliquerDisposition(const TDispositionFenetre& d)
{
    panel1_->setGeometry(VersQRect(d.Panel1));
    bevelTop_->setGeometry(VersQRect(d.BevelTop));
    panelZoneAffScroll_->setGeometry(VersQRect(d.PanelZoneAffScroll));
    scrollAffichage_->setGeometry(VersQRect(d.ScrollBarZoneAffScroll));
    panelBarreBoutons2_->setGeometry(VersQRect(d.PanelBarreBoutons2));
    panelBarreBoutons3_->setGeometry(VersQRect(d.PanelBarreBoutons3));
    panelZoneSaisie_->setGeometry(VersQRect(d.PanelZoneSaisie));
    zoneSaisie_->move(zoneSaisie_->x(), d.ZoneSaisie.Top);
    scrollSaisie_->setGeometry(VersQRect(d.ScrollBarZoneSaisie));
    panelNumMesure_->setGeometry(VersQRect(d.PanelNumMesure));
    panelNbTps_->setGeometry(VersQRect(d.PanelNbTps));
    panelNbTps2_->setGeometry(VersQRect(d.PanelNbTps2));
    panelTextCom_->setGeometry(VersQRect(d.PanelTextCom));
    zoneAffichage_->setGeometry(panelZoneAffScroll_->contentsRect());

    // A playback hides the button column itself and shows it again at its end.
    if (!affichageLecture_)
        panelBarreBoutons3_->setVisible(d.PanelBarreBoutons3Visible);
    // In the score-only layout the score view lies over the edit zone and its tool row.
    if (d.ZoneAffichageDevant) {
        panelZoneAffScroll_->raise();
        scrollAffichage_->raise();
    } else {
        panelBarreBoutons2_->raise();
        panelZoneSaisie_->raise();
        scrollSaisie_->raise();
    }
    panelTextCom_->raise();
    menusNoteEffetsActifs_ = d.MenusNoteEffetsActifs;
    ActiverMenu(menuNote_, menusNoteEffetsActifs_ && !commandesEditionCoupees_);
    ActiverMenu(menuEffets_, menusNoteEffetsActifs_ && !commandesEditionCoupees_);
}

void TForm1::AppliquerPleinEcran(bool actif)
{
    (void)actif; // PleinEcranActif is set already: the layout reads it
    DisposerPanneaux();
}

// A new edit image, white, with the painters' canvas on it.
void TForm1::InstallerImageSaisie(int largeur, int hauteur)
{
    InstallerCanevasSaisie(nullptr);
    canevasSaisie_.reset();
    peintreSaisie_.reset();
    zoneSaisie_->Redimensionner(largeur, hauteur);
    peintreSaisie_ = std::make_unique<QPainter>(&zoneSaisie_->Picture());
    canevasSaisie_ = std::make_unique<platform::CanevasQt>(*peintreSaisie_);
    InstallerCanevasSaisie(canevasSaisie_.get());
}

// ---- First activation ---------------------------------------------------------------------

bool TForm1::event(QEvent* evenement)
{
    if (evenement->type() == QEvent::WindowActivate && premiereActivation_)
        Demarrer();
    return QMainWindow::event(evenement);
}

void TForm1::Demarrer()
{
    // Letting pending messages run below may deliver another activation: the start work runs
    // once all the same.
    if (!premiereActivation_ || demarrageEnCours_)
        return;
    demarrageEnCours_ = true;

    // The score view's display switches follow the settings.
    Commandes().SetChecked(Cmd::Ac_Ass_MontrerLetRing, Configuration.ShowLetRingNotes);
    Commandes().SetChecked(Cmd::Ac_Ass_MontrerDyna, Configuration.ShowDynamic);

    // The hidden memo takes the keyboard.
    QCoreApplication::processEvents();
    edInvisible_->setFocus();

    // The painters and the print settings; no playback yet.
    InitialiserEcran();
    ServicesImpression().InitialiserImpression();
    EtatLecture.Mode = ModeLectureAucun;
    ToucheDefilement = false;

    // The text styles take the fonts of the settings.
    AppliquerPolices();

    NbAccordsUtilises = 0;

    // Playback and every listen stay silent for the whole run when this fails.
    MidiDisponible = VerifierSequenceurMidi();

    ServicesImpression().CouleurEncre = 0;

    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, Configuration.JouerPendantSaisie);
    Commandes().SetChecked(Cmd::Ac_Son_Metronome, Configuration.Metronome);
    Commandes().SetChecked(Cmd::Bt_Son_Metronome, Configuration.Metronome);

    LectureTemps = false;
    Saisie().Sais_Partition->CordeEcoutee = -1;
    Saisie().SelMIDIForm->CordeEcoutee = -1;

    premiereActivation_ = false;

    CocherLangueAide();

    FermetureEnCours = false;
    ModeGlisser = false;
    IgnorerClic = false;
    {
        const QString point = QLocale::system().decimalPoint();
        DefinirSeparateurDecimal(point.size() == 1 && point[0].unicode() < 0x80 ? point[0].toLatin1() : '.');
    }

    // Measure block 1 lives for the whole run.
    if (!Partition.Mesures[1])
        Partition.Mesures[1] = std::make_unique<TMesure>();
    Partition.NbMesures = 1;

    // The new empty song, with the free slot of every track prepared.
    ReinitialiserPartition();
    const int piste = PisteCourante;
    for (int t = 1; t <= kNbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = piste;

    ::AfficherLegendeFenetre();

    CopieMesureEntree = *Partition.Mesures[Partition.MesureCourante];

    // The window laid out as on a resize (the measure drawn with it), the command states.
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    FormResize();
    RedessinerMesure();
    ActualiserCommandes();

    OuvrirLigneCommande();

    MajFichiersRecents();

    // The last working directory, else the user's home: the program's own folder is no place
    // for songs (it is read-only once installed).
    {
        std::error_code ec;
        if (!DernierRepertoire.empty())
            std::filesystem::current_path(DernierRepertoire, ec);
        if (DernierRepertoire.empty() || ec)
            QDir::setCurrent(QDir::homePath());
    }

    // The tuning presets of the properties and import dialogs.
    Saisie().Sais_Partition->InitModelesAccordage();
    Saisie().Sais_Partition->RemplirListeModeles();
    Saisie().SelMIDIForm->RemplirListeModeles();

    Splash().FenetrePrincipalePrete = true;

    ConstruireMenuLangues();

    demarrageEnCours_ = false;
    RendreFocus();
}

void TForm1::OuvrirLigneCommande()
{
    const std::string argument = JoindreLigneCommande(arguments_);
    if (argument.empty())
        return;
    // Made absolute: the working directory changes right after, and the recent files keep it.
    std::error_code ec;
    std::filesystem::path chemin = std::filesystem::absolute(argument, ec);
    if (ec)
        chemin = argument;
    if (!std::filesystem::is_regular_file(chemin, ec)) {
        const std::string nom = platform::Utf8VersCp1252(PartieNomFichier(argument));
        AfficherMessage(Traduire("Dlg-Erreur"), FormaterMessage1(Traduire("Fichier-Introuvable"), nom), IconeErreur,
                        BoutonOK, DefautOK, PlacementCentre);
        return;
    }
    if (!OuvrirPartition(chemin.string()))
        return;
    AfficherTitreLabel(LigneTitrePartition().c_str());
    PartitionModifiee = false;
    ActualiserCommandes();
    for (int t = 1; t <= kNbPistes; ++t)
        ColorerBoutonPiste(t);
}

// ---- Close request --------------------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent* evenement)
{
    if (fermee_ || FormCloseQuery())
        evenement->accept();
    else
        evenement->ignore();
}

bool TForm1::FormCloseQuery()
{
    ArreterLectureEnCours();
    TraiterMessagesEnAttente();
    FermetureEnCours = ConfirmerEnregistrement();
    if (!FermetureEnCours)
        return false;

    ArreterLectureEnCours();
    SupprimerFichierTemp();
    try {
        EnregistrerConfiguration();
    } catch (const platform::ErreurEcritureIni& e) {
        // The settings could not be written (the old file stays whole). Closing goes on: a
        // settings file that cannot be written must not keep the program from ending.
        AfficherMessage(Traduire("Dlg-Erreur"), e.what(), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
    }
    LibererPartition();
    LibererPressePapier();
    fermee_ = true;
    terminateur_(0);
    return true;
}

void TForm1::LibererPartition()
{
    for (int m = 1; m <= kNbMesuresMax; ++m)
        Partition.Mesures[m].reset();
    for (auto& a : LibrairieAccords)
        a.reset();
    for (auto& a : AccordsPartition)
        a.reset();
    for (auto& a : AccordsUtilises)
        a.reset();
}

// ---- Services -------------------------------------------------------------------------------

void TForm1::ActualiserMenuPistes()
{
    for (int t = 1; t <= kNbPistes; ++t) {
        const std::string nom = Partition.NomPiste[t].str();
        itemsPiste_[t]->setText(VersQt(LegendeMenuPiste(t, nom)));
        boutonsPiste_[t]->setToolTip(VersQt(nom));
        const QSignalBlocker b1(itemsPiste_[t]);
        const QSignalBlocker b2(boutonsPiste_[t]);
        itemsPiste_[t]->setChecked(t == PisteCourante);
        boutonsPiste_[t]->setChecked(t == PisteCourante);
    }
    partNomPiste_->setText(VersQt(Partition.NomPiste[PisteCourante].str()));
}

void TForm1::AfficherSaisieIncorrecte()
{
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire("Dlg-SaisieIncorrecte"), IconeErreur, BoutonOK, DefautOK,
                    PlacementCentre);
}

void TForm1::DefinirFichierAide() { ::DefinirFichierAide(); }

void TForm1::AfficherTitreLabel(const char* texte) { messErreur_->setText(VersQt(texte ? texte : "")); }

void TForm1::ColorerBoutonPiste(int piste)
{
    if (piste < 1 || piste > kNbPistes)
        return;
    const bool contenu = CalculerCouleurBoutonPiste(piste);
    QPalette pal = boutonsPiste_[piste]->palette();
    pal.setColor(QPalette::ButtonText, contenu ? QColor(0, 0, 255) : QColor(0, 0, 0));
    boutonsPiste_[piste]->setPalette(pal);
}

bool TForm1::JouerPendantSaisieCoche(bool valeurConfiguree)
{
    return premiereActivation_ ? valeurConfiguree : Commandes().Checked(Cmd::Ac_Son_JouerSaisie);
}

void TForm1::AfficherLegendeFenetre(const char* legendeUtf8) { setWindowTitle(QString::fromUtf8(legendeUtf8)); }

void TForm1::CurseurSablier(bool actif)
{
    if (actif)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TForm1::TraiterMessagesEnAttente() { QCoreApplication::processEvents(); }

void TForm1::ArreterLectureEnCours()
{
    // Playing is the play-from-start command being disabled.
    if (MidiDisponible && !Commandes().Enabled(Cmd::Ac_Son_LectureDebut))
        Commandes().Executer(Cmd::Ac_Son_Stop);
}

void TForm1::ActualiserCommandes()
{
    // The mirrors follow the list as it changes.
    if (!premiereActivation_ && Partition.Mesures[Partition.MesureCourante])
        ::ActualiserCommandes();
}

void TForm1::AfficherNumeroMesure(const char* texte) { numMesure_->setText(VersQt(texte ? texte : "")); }

void TForm1::AfficherEtatMesure(const char* longueurs, const char* etat, int couleur)
{
    const platform::Couleur c = platform::Couleur::DeValeur(couleur);
    const QString style = QString("color: rgb(%1, %2, %3);").arg(c.r).arg(c.g).arg(c.b);
    nbTps_->setText(VersQt(longueurs ? longueurs : ""));
    nbTps_->setStyleSheet(style);
    nbTps2_->setText(VersQt(etat ? etat : ""));
    nbTps2_->setStyleSheet(style);
}

void TForm1::RafraichirApresNouvellePartition()
{
    RedessinerMesure();
    RedessinerPartition();
    ApresChangementMesure();
    ActualiserCommandes();
}

void TForm1::RafraichirApresLecturePartition()
{
    MontrerPalettePercussion(false);
    Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, false);
    Saisie().SpeedT_Form->ViderChamps();
    LigaturerPartition();
    RafraichirApresNouvellePartition();
}

void TForm1::ZoneSaisieModifiee() { zoneSaisie_->update(); }

void TForm1::DimensionnerZoneSaisie(int largeur)
{
    if (largeur != zoneSaisie_->Picture().width())
        InstallerImageSaisie(largeur, HauteurImageSaisie);
}

void TForm1::ReglerDefilementSaisie(int max, int grandPas, bool actif)
{
    const QSignalBlocker b(scrollSaisie_);
    scrollSaisie_->setRange(0, std::max(max, 0));
    scrollSaisie_->setPageStep(std::max(grandPas, 1));
    scrollSaisie_->setEnabled(actif);
}

void TForm1::PlacerZoneSaisie(int position, int gauche)
{
    {
        const QSignalBlocker b(scrollSaisie_);
        scrollSaisie_->setValue(position);
    }
    zoneSaisie_->move(panelZoneSaisie_->contentsRect().x() + gauche, zoneSaisie_->y());
}

void TForm1::MontrerPalettePercussion(bool visible) { Saisie().Assistant_Bat_Form->SetVisible(visible); }

void TForm1::RedessinerPartition() { ::RedessinerPartition(); }

void TForm1::RedessinerLignesModifiees(int mesure) { ::RedessinerLignesModifiees(mesure); }

void TForm1::PlacerCadreMesure() { ::PlacerCadreMesure(); }

void TForm1::ActualiserPorteeSolfege()
{
    if (Saisie().ClassForm->Visible())
        Saisie().ClassForm->DessinerPortee();
}

void TForm1::AfficherAideDialogue(int contexte)
{
    (void)contexte; // the help files know no contexts of ours: their contents are shown
    AfficherAide();
}

void TForm1::AfficherAideContexte(const char* contexte)
{
    (void)contexte; // as above: the topic cannot be reached, the help file opens on its contents
    AfficherAide();
}

bool TForm1::LirePoliceLabel(const char* nomLabel, TMyFont& police) { return ::LirePoliceLabel(nomLabel, police); }

void TForm1::DefinirFichierLecteurMidi(const char* chemin) { MediaPlayer1().SetFileName(chemin ? chemin : ""); }

bool TForm1::PalettePercussionVisible() { return Saisie().Assistant_Bat_Form->Visible(); }

void TForm1::MontrerPaletteNuances(bool visible) { Saisie().DynaForm->SetVisible(visible); }

bool TForm1::PaletteNuancesVisible() { return Saisie().DynaForm->Visible(); }

bool TForm1::DialogueAllerAMesure() { return dialoguesEdition_->AllerAMesure(); }

bool TForm1::DialogueImportMidi() { return dialogueImportMidi_ && dialogueImportMidi_(); }

TWaitMidiForm& TForm1::WaitMidiForm()
{
    if (!waitMidiForm_)
        waitMidiForm_ = new TWaitMidiForm(this);
    return *waitMidiForm_;
}

void TForm1::MontrerAttenteMidi(bool visible)
{
    if (visible || waitMidiForm_)
        WaitMidiForm().Montrer(visible);
}

void TForm1::TexteAttenteMidi(const char* texte) { WaitMidiForm().DefinirTexte(texte ? texte : ""); }

void TForm1::ProgressionAttenteMidi(int position) { WaitMidiForm().DefinirPosition(position); }

void TForm1::RedessinerAttenteMidi()
{
    if (waitMidiForm_)
        waitMidiForm_->Redessiner();
}

bool TForm1::LecteurMidiOuvert() { return MediaPlayer1().DeviceOpen(); }

// ---- Playback ---------------------------------------------------------------------------------

bool TForm1::CommandeActive(const char* nom)
{
    const auto c = CommandeParNom(nom ? nom : "");
    return c ? Commandes().Enabled(*c) : true;
}

void TForm1::ActiverCommande(const char* nom, bool actif)
{
    if (const auto c = CommandeParNom(nom ? nom : ""))
        Commandes().SetEnabled(*c, actif);
}

bool TForm1::CommandeCochee(const char* nom)
{
    const auto c = CommandeParNom(nom ? nom : "");
    return c ? Commandes().Checked(*c) : false;
}

void TForm1::CocherCommande(const char* nom, bool coche)
{
    if (const auto c = CommandeParNom(nom ? nom : ""))
        Commandes().SetChecked(*c, coche);
}

namespace {
constexpr Cmd kCommandesEditionLecture[] = {Cmd::Ac_Edition_Annuler, Cmd::Ac_Edition_Couper,  Cmd::Ac_Edition_Copier,
                                            Cmd::Ac_Edition_Coller,  Cmd::Ac_Edition_Inserer, Cmd::Ac_Edition_Vider,
                                            Cmd::Ac_Ass_Solfege,     Cmd::Ac_Edition_TableMix};
}

void TForm1::DesactiverCommandesEdition()
{
    for (Cmd c : kCommandesEditionLecture)
        Commandes().SetEnabled(c, false);
    commandesEditionCoupees_ = true;
    for (QMenu* m : {menuMesure_, menuNote_, menuEffets_})
        ActiverMenu(m, false);
}

void TForm1::ReactiverCommandesEdition()
{
    for (Cmd c : kCommandesEditionLecture)
        Commandes().SetEnabled(c, true);
    commandesEditionCoupees_ = false;
    // The score-only layout keeps the Note and Effects menus off.
    ActiverMenu(menuMesure_, true);
    ActiverMenu(menuNote_, menusNoteEffetsActifs_);
    ActiverMenu(menuEffets_, menusNoteEffetsActifs_);
}

void TForm1::ActiverTimerMidi(bool actif)
{
    if (actif)
        timerMidi_->start();
    else
        timerMidi_->stop();
}

void TForm1::FermerPalettes(bool& solfege, bool& percussion, bool& dyna)
{
    ServicesSaisie& s = Saisie();
    solfege = s.ClassForm->Visible();
    percussion = s.Assistant_Bat_Form->Visible();
    dyna = s.DynaForm->Visible();
    if (solfege)
        s.ClassForm->SetVisible(false);
    if (percussion)
        s.Assistant_Bat_Form->SetVisible(false);
    if (dyna)
        s.DynaForm->SetVisible(false);
}

void TForm1::RouvrirPalettes(bool solfege, bool percussion, bool dyna)
{
    if (solfege) {
        Commandes().Executer(Cmd::Ac_Ass_Solfege);
        Commandes().SetChecked(Cmd::Ac_Ass_Solfege, true);
        Commandes().SetChecked(Cmd::Bt_Ass_Solfege, true);
    }
    if (percussion) {
        Commandes().Executer(Cmd::Ac_Ass_Percussion);
        Commandes().SetChecked(Cmd::Ac_Ass_Percussion, true);
    }
    if (dyna)
        Saisie().DynaForm->SetVisible(true);
}

void TForm1::EntrerAffichageLecture(bool retenirChoix)
{
    if (retenirChoix)
        PleinEcranChoisi = PleinEcranActif;
    affichageLecture_ = true;
    EntrerPleinEcran();
    panelBarreBoutons3_->hide();
    scrollSaisie_->hide();
}

void TForm1::QuitterAffichageLecture()
{
    affichageLecture_ = false;
    panelBarreBoutons3_->show();
    scrollSaisie_->show();
    if (!PleinEcranChoisi)
        QuitterPleinEcran();
    else
        DisposerPanneaux();
}

void TForm1::AjusterDefilementPartition() { AjusterDefilement(); }

void TForm1::AfficherEtatNumeroMesure()
{
    ::AfficherEtatMesure();
    ::AfficherNumeroMesure();
}

void TForm1::RedessinerZoneSaisie() { RedessinerMesure(); }

void TForm1::ControlerCouleurBoutonPiste(int mesure) { VerifierCouleurBoutonPiste(mesure); }

bool TForm1::AuditionProprietesEnCours() { return Saisie().Sais_Partition->CordeEcoutee >= 0; }

bool TForm1::RelancerAuditionProprietes()
{
    ISaisiePartition& dialogue = *Saisie().Sais_Partition;
    if (dialogue.CordeEcoutee >= 0 && dialogue.BoutonEcouteEnfonce()) {
        dialogue.JouerCordesPiste();
        return true;
    }
    dialogue.CordeEcoutee = -1;
    return false;
}

bool TForm1::AuditionImportEnCours() { return Saisie().SelMIDIForm->CordeEcoutee >= 0; }

bool TForm1::RelancerAuditionImport()
{
    // The import dialog repeats no audition of its own yet: the string is let go.
    Saisie().SelMIDIForm->CordeEcoutee = -1;
    return false;
}

void TForm1::ReactiverProprietesPartition()
{
    ISaisiePartition& dialogue = *Saisie().Sais_Partition;
    if (!dialogue.Visible())
        return;
    dialogue.ActiverControlesLecture(true);
    dialogue.ActualiserCordesPiste();
}

int TForm1::SautParcours() { return std::max(ServicesImpression().SautApres(), 0); }

void TForm1::ParcoursMorceauSuivant() { ServicesImpression().SelectionnerMorceauSuivant(); }

void TForm1::OuvrirPercussionFinLecture() { PercussionOuvert = true; }

void TForm1::ArreterLecturePourClic()
{
    ArretDemandeClic = true;
    ArretDemande = false;
    MediaPlayer1().Stop();
}

void TForm1::RelancerLectureApresClic()
{
    Ac_Son_LecturePosECExecute();
    ArretDemandeClic = false;
}

// ---- Tracks, popups -----------------------------------------------------------------------------

void TForm1::PisteUpClick() { ::PisteUpClick(); }

void TForm1::PisteDownClick() { ::PisteDownClick(); }

void TForm1::OuvrirMenuFrettes(int x, int y) { turboMenu_->popup(zoneSaisie_->mapToGlobal(QPoint(x + 5, y))); }

void TForm1::OuvrirMenuPartition(int bande, int x, int y)
{
    if (bande < 1 || bande > kNbBandesMax)
        return;
    const TBande& b = AffichagePartition.Bandes[static_cast<std::size_t>(bande)];
    popupAffichage_->popup(zoneAffichage_->mapToGlobal(QPoint(b.Gauche + x + 10, b.Haut + y)));
}

void TForm1::AfficherFichierRecent(int k, const char* legendeUtf8)
{
    if (k < 1 || k > kNbFichiersRecents)
        return;
    itemsRecents_[k]->setVisible(legendeUtf8 != nullptr);
    if (legendeUtf8)
        itemsRecents_[k]->setText(QString::fromUtf8(legendeUtf8));
}

void TForm1::AfficherSeparateurFichiersRecents(bool visible) { itemsRecents_[0]->setVisible(visible); }

void TForm1::AfficherTitreSansNom()
{
    if (NomFichier.empty()) {
        CheminFichier = Traduire("Fichier-SansNom");
        ::AfficherLegendeFenetre();
    }
    ::AfficherEtatMesure();
}

void TForm1::CocherLangueAide()
{
    for (QAction* item : menuLangueAide_->actions()) {
        const QSignalBlocker b(item);
        item->setChecked(item->property("Tag").toInt() == LangueAide);
    }
}

void TForm1::CocherLangueLogiciel()
{
    for (QAction* item : menuLangueLog_->actions()) {
        const QSignalBlocker b(item);
        item->setChecked(item->property("Langue").toString().toStdString() == LangueCourante);
    }
}

// ---- Languages --------------------------------------------------------------------------------

void TForm1::ConstruireMenuLangues()
{
    menuLangueLog_->clear();
    for (std::size_t i = 0; i < ListeLangues.size(); ++i) {
        const QString nom = QString::fromStdString(ListeLangues[i]);
        // The name as it is: no accelerator, and an "&" of the name shown as such.
        QAction* item = menuLangueLog_->addAction(QString(nom).replace('&', "&&"));
        item->setObjectName(QString("Mn_Options_LangueLog%1").arg(i));
        item->setProperty("Tag", static_cast<int>(i));
        item->setProperty("Langue", nom);
        item->setCheckable(true);
        const int index = static_cast<int>(i);
        connect(item, &QAction::triggered, this, [this, index] {
            Mn_Options_LangueLogNClick(index);
            RendreFocus();
        });
    }
    CocherLangueLogiciel();
}

void TForm1::Mn_Options_LangueLogNClick(int index)
{
    if (index < 0 || index >= static_cast<int>(ListeLangues.size())) {
        CocherLangueLogiciel();
        return;
    }
    platform::Sablier sablier;
    const std::string langue = ListeLangues[static_cast<std::size_t>(index)];
    if (!ChargerLangue(RepertoireProgramme, langue)) {
        // The file went away or became unreadable: the language loaded before stays.
        sablier.Terminer();
        AfficherMessage(Traduire("Dlg-Erreur"),
                        FormaterMessage1(Traduire("Fichier-Introuvable"), platform::Utf8VersCp1252(langue + ".lxl")),
                        IconeErreur, BoutonOK, DefautOK, PlacementCentre);
        CocherLangueLogiciel();
        return;
    }
    LangueCourante = langue;

    // Every window that lives as long as the program takes the new words.
    AppliquerLegendes();
    Saisie().DynaForm->Traduire();
    Saisie().Sais_Partition->Traduire();
    Saisie().SelMIDIForm->AppliquerTextes();
    Saisie().Assistant_Bat_Form->Traduire();

    AfficherTitreSansNom();

    // The three languages with a help file of their own take it along.
    int aide = 0;
    // (A file name with a cedilla may come in either encoding.)
    if (LangueCourante == "Fran\xE7" "ais" || LangueCourante == "Fran\xC3\xA7" "ais")
        aide = 1;
    else if (LangueCourante == "English")
        aide = 2;
    else if (LangueCourante == "Deutsch")
        aide = 3;
    if (aide != 0) {
        LangueAide = aide;
        DefinirFichierAide();
        CocherLangueAide();
    }
    CocherLangueLogiciel();
}

void TForm1::Ac_Options_LangueAide1Click(int langue)
{
    LangueAide = langue;
    DefinirFichierAide();
    CocherLangueAide();
}

// ---- Printer --------------------------------------------------------------------------------

std::string TForm1::NomImprimante() { return NomImprimanteChoisie(); }

bool TForm1::ConfigurerImprimante()
{
    QPrintDialog dialogue(&::Imprimante(), this);
    dialogue.setObjectName("PrinterSetupDialog1");
    return dialogue.exec() == QDialog::Accepted;
}

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
    if (QAction* a = actions_[Indice(c)]) {
        const QSignalBlocker b(a);
        a->setEnabled(actif && !ShortcutBloque(c));
    }
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
    // A checkable item has turned its check on the click; the list decides.
    SynchroniserCommande(c);
    if (const auto action = Description(c).ActionLiee)
        SynchroniserCommande(*action);
    RendreFocus();
}

// The hidden memo gets the keyboard back after a click on a button, a menu or the score view.
void TForm1::RendreFocus()
{
    if (isVisible() && !fermee_)
        edInvisible_->setFocus();
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

bool TForm1::eventFilter(QObject* objet, QEvent* evenement)
{
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
