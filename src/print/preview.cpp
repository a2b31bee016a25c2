#include "print/preview.h"

#include "controls/Placemnt.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/Services.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "editor/Commandes.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"
#include "platform/Sablier.h"
#include "platform/qt/CanevasQt.h"
#include "print/ImpPartition.h"
#include "print/TravailImpression.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

bool ApercuOuvert = false;

namespace {

// The preview page at zoom 1: about 199 x 285 print millimetres at 96 pixels per inch.
constexpr int kLargeurPage = 752;
constexpr int kHauteurPage = 1080;
// The picture is drawn for a 96-pixel inch, its fonts too: texts keep the size the layout gave
// them whatever the screen's density.
constexpr int kPppApercu = 96;
// Fitting the page never makes the picture unusably small, nor the size of a wall.
constexpr double kZoomAjusteMax = 4.0;
// Help context of the window.
constexpr int kContexteAide = 7;
// A held scroll key moves the page by this many pixels at each tick.
constexpr int kPasDefilement = 2;
constexpr int kIntervalleDefilement = 4; // ms

std::function<int()>& OuverturePreferences()
{
    static std::function<int()> ouvrir;
    return ouvrir;
}

int R(double v) { return static_cast<int>(platform::Round(v)); }

double Ajuste(double zoom)
{
    if (!std::isfinite(zoom))
        return 1.0;
    return std::clamp(zoom, TPreview_Form::ZoomMin, kZoomAjusteMax);
}

bool ZoomUtilisable(double zoom) { return std::isfinite(zoom) && zoom >= TPreview_Form::ZoomMin && zoom <= kZoomAjusteMax; }

// Landscape paper shows a landscape page.
QSize TaillePageImprimante()
{
    const QRectF r = Imprimante().pageLayout().fullRect(QPageLayout::Millimeter);
    return r.height() < r.width() ? QSize(kHauteurPage, kLargeurPage) : QSize(kLargeurPage, kHauteurPage);
}

// The preferences dialog beneath this preview, when it opened it.
bool PreferencesOuvertes()
{
    const QWidgetList fenetres = QApplication::topLevelWidgets();
    return std::any_of(fenetres.begin(), fenetres.end(),
                       [](const QWidget* w) { return w->objectName() == QLatin1String("TPref_Form"); });
}

QToolButton* BoutonOutil(QWidget* parent, const char* nom, const QString& texte, const QString& bulle)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setToolTip(bulle);
    b->setFixedSize(Pixels96(25), Pixels96(25));
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    b->setFixedSize(Pixels96(75), Pixels96(25));
    return b;
}

} // namespace

// ---- Page picture -----------------------------------------------------------------------------

TImageApercu::TImageApercu(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::OpenHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageApercu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!Bitmap.isNull())
        p.drawImage(0, 0, Bitmap);
}

void TImageApercu::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    setCursor(Qt::ClosedHandCursor);
    if (OnMouseDown)
        OnMouseDown(e->position().toPoint());
}

void TImageApercu::mouseMoveEvent(QMouseEvent* e)
{
    if ((e->buttons() & Qt::LeftButton) && OnDragOver)
        OnDragOver(e->position().toPoint());
}

void TImageApercu::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        setCursor(Qt::OpenHandCursor);
    QWidget::mouseReleaseEvent(e);
}

// ---- Window -----------------------------------------------------------------------------------

void TPreview_Form::InstallerPreferences(std::function<int()> ouvrir) { OuverturePreferences() = std::move(ouvrir); }

TPreview_Form::TPreview_Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TPreview_Form"));
    setWindowTitle(QStringLiteral("Print Preview"));
    AppliquerPoliceDialogue(this);
    resize(Pixels96(780), Pixels96(560));

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);

    PanelBouton = new QWidget(this);
    PanelBouton->setObjectName(QStringLiteral("PanelBouton"));
    auto* boutons = new QHBoxLayout(PanelBouton);
    boutons->setContentsMargins(Pixels96(4), Pixels96(4), Pixels96(4), Pixels96(4));
    boutons->setSpacing(Pixels96(4));
    BT_OK = Bouton(PanelBouton, "BT_OK", QStringLiteral("&Close"));
    BT_Print = Bouton(PanelBouton, "BT_Print", QStringLiteral("&Print"));
    BT_Setup = Bouton(PanelBouton, "BT_Setup", QStringLiteral("P&ref."));
    BT_Aide = Bouton(PanelBouton, "BT_Aide", QStringLiteral("Aid&e"));
    BT_PagePrec = BoutonOutil(PanelBouton, "BT_PagePrec", QStringLiteral("<"), QStringLiteral("Previous page"));
    Lib_Page = new QLabel(QStringLiteral("1"), PanelBouton);
    Lib_Page->setObjectName(QStringLiteral("Lib_Page"));
    Lib_Page->setAlignment(Qt::AlignCenter);
    Lib_Page->setMinimumWidth(Pixels96(30));
    BT_Page_Suiv = BoutonOutil(PanelBouton, "BT_Page_Suiv", QStringLiteral(">"), QStringLiteral("Next page"));
    BT_ZoomIn = BoutonOutil(PanelBouton, "BT_ZoomIn", QStringLiteral("+"), QStringLiteral("Zoom In"));
    BT_ZoomOut = BoutonOutil(PanelBouton, "BT_ZoomOut", QStringLiteral("-"), QStringLiteral("Zoom Out"));
    BT_PageWidth = BoutonOutil(PanelBouton, "BT_PageWidth", QStringLiteral("<->"), QStringLiteral("Page width"));
    BT_FullScreen = BoutonOutil(PanelBouton, "BT_FullScreen", QStringLiteral("[ ]"), QStringLiteral("Full page"));
    for (QWidget* w : {static_cast<QWidget*>(BT_OK), static_cast<QWidget*>(BT_Print), static_cast<QWidget*>(BT_Setup),
                       static_cast<QWidget*>(BT_Aide)})
        boutons->addWidget(w);
    boutons->addSpacing(Pixels96(16));
    boutons->addWidget(BT_PagePrec);
    boutons->addWidget(Lib_Page);
    boutons->addWidget(BT_Page_Suiv);
    boutons->addSpacing(Pixels96(16));
    for (QWidget* w : {BT_ZoomIn, BT_ZoomOut, BT_PageWidth, BT_FullScreen})
        boutons->addWidget(w);
    boutons->addStretch(1);
    disposition->addWidget(PanelBouton);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    // The keys scroll through the window's own handlers, not the scroll box's.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    contenu_ = new QWidget;
    contenu_->setObjectName(QStringLiteral("ContenuScrollBox1"));
    contenu_->setAutoFillBackground(true);
    QPalette fond = contenu_->palette();
    fond.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    contenu_->setPalette(fond);
    Image = new TImageApercu(contenu_);
    Image->setObjectName(QStringLiteral("Image"));
    Image->move(10, 10);
    BordD = new QFrame(contenu_);
    BordD->setObjectName(QStringLiteral("BordD"));
    BordB = new QFrame(contenu_);
    BordB->setObjectName(QStringLiteral("BordB"));
    for (QFrame* bord : {BordD, BordB}) {
        bord->setAutoFillBackground(true);
        QPalette p = bord->palette();
        p.setColor(QPalette::Window, Qt::black);
        bord->setPalette(p);
        // Off to the left and hidden until the first page is placed.
        bord->move(-200, 0);
        bord->hide();
    }
    BordD->resize(2, 0);
    BordB->resize(0, 2);
    ScrollBox1->setWidget(contenu_);
    ScrollBox1->viewport()->installEventFilter(this);
    disposition->addWidget(ScrollBox1, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto action = [this](const char* nom, const QString& texte, void (TPreview_Form::*gestionnaire)()) {
        QAction* a = PopupMenu1->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        connect(a, &QAction::triggered, this, gestionnaire);
    };
    action("ZoomIn1", QStringLiteral("Zoom In"), &TPreview_Form::BT_ZoomInClick);
    action("ZoomOut1", QStringLiteral("Zoom Out"), &TPreview_Form::BT_ZoomOutClick);
    action("Pagewidth1", QStringLiteral("Page width"), &TPreview_Form::BT_PageWidthClick);
    action("Fullpage1", QStringLiteral("Full page"), &TPreview_Form::BT_FullScreenClick);
    PopupMenu1->addSeparator();
    action("Nextpage1", QStringLiteral("Next page"), &TPreview_Form::BT_Page_SuivClick);
    action("Previouspage1", QStringLiteral("Previous page"), &TPreview_Form::BT_PagePrecClick);
    ScrollBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ScrollBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(ScrollBox1->mapToGlobal(p)); });
    Image->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(Image->mapToGlobal(p)); });

    connect(BT_OK, &QPushButton::clicked, this, [this] { done(ResultatModalOK); });
    connect(BT_Print, &QPushButton::clicked, this, &TPreview_Form::BT_PrintClick);
    connect(BT_Setup, &QPushButton::clicked, this, &TPreview_Form::BT_SetupClick);
    connect(BT_Aide, &QPushButton::clicked, this, &TPreview_Form::BT_AideClick);
    connect(BT_PagePrec, &QToolButton::clicked, this, &TPreview_Form::BT_PagePrecClick);
    connect(BT_Page_Suiv, &QToolButton::clicked, this, &TPreview_Form::BT_Page_SuivClick);
    connect(BT_ZoomIn, &QToolButton::clicked, this, &TPreview_Form::BT_ZoomInClick);
    connect(BT_ZoomOut, &QToolButton::clicked, this, &TPreview_Form::BT_ZoomOutClick);
    connect(BT_PageWidth, &QToolButton::clicked, this, &TPreview_Form::BT_PageWidthClick);
    connect(BT_FullScreen, &QToolButton::clicked, this, &TPreview_Form::BT_FullScreenClick);

    Image->OnMouseDown = [this](QPoint p) { pointPression_ = p; };
    // The page follows the hand.
    Image->OnDragOver = [this](QPoint p) {
        QScrollBar* h = ScrollBox1->horizontalScrollBar();
        QScrollBar* v = ScrollBox1->verticalScrollBar();
        h->setValue(h->value() + pointPression_.x() - p.x());
        v->setValue(v->value() + pointPression_.y() - p.y());
    };

    timerDefilement_ = new QTimer(this);
    timerDefilement_->setInterval(kIntervalleDefilement);
    connect(timerDefilement_, &QTimer::timeout, this, &TPreview_Form::Defiler);

    placement_ = std::make_unique<TFormStorage>(this);
    placement_->setObjectName(QStringLiteral("FormStorage1"));
    placement_->IniFileName = "Lyrx.ini";
    placement_->IniSection = "Print_Preview";
    FormStorage1 = placement_.get();

    BT_OK->setFocus();
    ApercuOuvert = true;
    TraduireApercu();
}

TPreview_Form::~TPreview_Form()
{
    // The placement goes first, while the window is whole.
    placement_.reset();
    ApercuOuvert = false;
}

void TPreview_Form::TraduireApercu()
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return;
    const SectionLangue apercu("DLG_PRW_000");
    const std::string aide = commun.Brut(5);
    const std::string fermer = commun.Brut(7);
    const std::string imprimer = apercu.Brut(2);
    const std::string reglages = apercu.Brut(3);
    if (apercu.Trouvee())
        setWindowTitle(apercu.Texte(1, windowTitle()));
    // One set of accelerator letters for the four buttons; a missing text keeps the built-in
    // caption with its own.
    std::string utilisees;
    const auto legende = [&utilisees](QPushButton* b, const std::string& brut) {
        if (!brut.empty())
            b->setText(LegendeRaccourci(brut, utilisees));
    };
    legende(BT_OK, fermer);
    legende(BT_Print, imprimer);
    legende(BT_Setup, reglages);
    legende(BT_Aide, aide);
}

void TPreview_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TPreview_Form::hideEvent(QHideEvent* e)
{
    ArreterRepetition();
    QDialog::hideEvent(e);
}

void TPreview_Form::changeEvent(QEvent* e)
{
    // A key released while another window has the keyboard never comes here: the held-key
    // scrolling must not outlive the focus.
    if (e->type() == QEvent::ActivationChange && !isActiveWindow())
        ArreterRepetition();
    QDialog::changeEvent(e);
}

void TPreview_Form::reject() { done(ResultatModalOK); }

void TPreview_Form::FormActivate()
{
    ArreterRepetition();
    page_ = TaillePageImprimante();
    pageDemandee_ = 1;
    Lib_Page->setText(QStringLiteral("1"));
    nbPages_ = 0;
    TZoneImpression& p = ParamImpCourant;
    if (p.AjusterApercu || !ZoomUtilisable(p.ZoomApercu))
        p.ZoomApercu = Ajuste(static_cast<double>(ScrollBox1->viewport()->width() - 27) / page_.width());
    DimensionnerImageApercu();
    p.AjusterApercu = false;
    DessinerPageApercu();
}

void TPreview_Form::DimensionnerImageApercu()
{
    const double zoom = ParamImpCourant.ZoomApercu;
    const int largeur = std::max(1, R(page_.width() * zoom));
    const int hauteur = std::max(1, R(static_cast<double>(largeur) * page_.height() / page_.width()));
    Image->resize(largeur, hauteur);
    if (Image->Bitmap.size() != QSize(largeur, hauteur)) {
        Image->Bitmap = QImage(largeur, hauteur, QImage::Format_RGB32);
        Image->Bitmap.fill(Qt::white);
    }
    BordD->resize(2, hauteur);
    BordB->resize(largeur, 2);
    CentrerImageApercu();
}

void TPreview_Form::CentrerImageApercu()
{
    const QWidget* vue = ScrollBox1->viewport();
    const int cw = vue->width();
    const int ch = vue->height();
    const int pw = Image->width();
    const int ph = Image->height();
    // The scroll range leaves 10 pixels of the box's background before the page and 4 after
    // it, where the shadow falls.
    contenu_->resize(std::max(cw, pw + 14), std::max(ch, ph + 14));
    const int x = cw > pw ? R((cw - pw) / 2.0) : 10;
    const int y = ch > ph ? R((ch - ph) / 2.0) : 10;
    Image->move(x, y);
    BordD->move(x + pw, y + 2);
    BordB->move(x + 2, y + ph);
    BordD->show();
    BordB->show();
}

void TPreview_Form::DessinerPageApercu()
{
    const platform::Sablier sablier;
    DimensionnerImageApercu();
    TZoneImpression& p = ParamImpCourant;
    QImage& bitmap = Image->Bitmap;
    // A page beyond the last (the settings or the printer changed under it) shows the last.
    for (int essai = 0; essai < 2; ++essai) {
        {
            QPainter peintre(&bitmap);
            platform::CanevasQt canevas(peintre, kPppApercu);
            TSortieCanevas sortie(canevas, bitmap.width(), bitmap.height(), p.ZoomApercu * 96.0 / kPppApercu, true);
            p.ModeApercu = true;
            TBilanImpression bilan;
            ImprimerPartition(sortie, pageDemandee_, pageDemandee_, 1, &bilan);
            nbPages_ = bilan.NbPages;
        }
        if (pageDemandee_ <= nbPages_ || nbPages_ < 1)
            break;
        pageDemandee_ = nbPages_;
        AfficherPage();
    }
    Image->update();
}

void TPreview_Form::AfficherPage() { Lib_Page->setText(QString::number(pageDemandee_)); }

void TPreview_Form::BT_Page_SuivClick()
{
    if (nbPages_ > 0 && pageDemandee_ >= nbPages_)
        return;
    ++pageDemandee_;
    AfficherPage();
    DessinerPageApercu();
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void TPreview_Form::BT_PagePrecClick()
{
    if (pageDemandee_ <= 1)
        return;
    --pageDemandee_;
    AfficherPage();
    DessinerPageApercu();
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void TPreview_Form::AppliquerZoom(double zoom)
{
    const platform::Sablier sablier;
    ParamImpCourant.ZoomApercu = zoom;
    DimensionnerImageApercu();
    DessinerPageApercu();
}

void TPreview_Form::BT_ZoomInClick()
{
    // A fitted page may be larger than zooming in goes: zooming in never makes it smaller.
    const double zoom = ParamImpCourant.ZoomApercu;
    if (zoom >= ZoomMax)
        return;
    AppliquerZoom(std::min(zoom * PasZoom, ZoomMax));
}

void TPreview_Form::BT_ZoomOutClick() { AppliquerZoom(std::max(ParamImpCourant.ZoomApercu / PasZoom, ZoomMin)); }

void TPreview_Form::BT_PageWidthClick()
{
    AppliquerZoom(Ajuste(static_cast<double>(ScrollBox1->viewport()->width() - 20) / page_.width()));
}

void TPreview_Form::BT_FullScreenClick()
{
    const QWidget* vue = ScrollBox1->viewport();
    AppliquerZoom(Ajuste(std::min(static_cast<double>(vue->width() - 14) / page_.width(),
                                  static_cast<double>(vue->height() - 14) / page_.height())));
}

void TPreview_Form::BT_PrintClick()
{
    TZoneImpression& p = ParamImpCourant;
    const double zoom = p.ZoomApercu;
    int32_t premiere = 0;
    int32_t derniere = 0;
    const int resultat = Saisie().Dialogues->Impression(NomImprimanteChoisie(), premiere, derniere);
    // Back from the dialog, the preview is activated again.
    FormActivate();
    if (resultat == ResultatModalOK) {
        NormaliserPagesImpression(premiere, derniere);
        QCoreApplication::processEvents();
        p.ModeApercu = false;
        // The job names the document after the song and ends it; it draws at zoom 1.
        ImprimerPartitionImprimante(premiere, derniere, 1);
        // The dialog's printer set-up may have turned the paper.
        page_ = TaillePageImprimante();
        p.ZoomApercu = zoom;
        p.ModeApercu = true;
        DimensionnerImageApercu();
        DessinerPageApercu();
    }
    p.ZoomApercu = zoom;
    p.ModeApercu = true;
}

void TPreview_Form::BT_SetupClick()
{
    if (PreferencesOuvertes()) {
        // The preferences opened this preview: back to them.
        BT_OK->click();
        return;
    }
    if (OuverturePreferences())
        OuverturePreferences()();
    else
        Commandes().Executer(Cmd::Ac_Options_Preferences);
    QCoreApplication::processEvents();
    // Back from the dialog: page 1, its count unknown, drawn with the settings it left.
    FormActivate();
}

void TPreview_Form::BT_AideClick() { FenetrePrincipale().AfficherAideDialogue(kContexteAide); }

// ---- Scrolling ----------------------------------------------------------------------------------

void TPreview_Form::keyPressEvent(QKeyEvent* e)
{
    QScrollBar* barre = nullptr;
    int pas = 0;
    switch (e->key()) {
    case Qt::Key_PageUp: barre = ScrollBox1->verticalScrollBar(); pas = -kPasDefilement; break;
    case Qt::Key_PageDown: barre = ScrollBox1->verticalScrollBar(); pas = kPasDefilement; break;
    case Qt::Key_Home: barre = ScrollBox1->horizontalScrollBar(); pas = -kPasDefilement; break;
    case Qt::Key_End: barre = ScrollBox1->horizontalScrollBar(); pas = kPasDefilement; break;
    default: QDialog::keyPressEvent(e); return;
    }
    e->accept();
    // The key's own repeats change nothing: the page moves for as long as it is held.
    if (e->isAutoRepeat() && repetition_)
        return;
    barreDefilement_ = barre;
    pas_ = pas;
    repetition_ = true;
    Defiler();
    timerDefilement_->start();
}

void TPreview_Form::keyReleaseEvent(QKeyEvent* e)
{
    if (!e->isAutoRepeat() && repetition_) {
        ArreterRepetition();
        QCoreApplication::processEvents();
        e->accept();
        return;
    }
    QDialog::keyReleaseEvent(e);
}

void TPreview_Form::Defiler()
{
    if (!repetition_ || !barreDefilement_)
        return;
    barreDefilement_->setValue(barreDefilement_->value() + pas_);
}

void TPreview_Form::ArreterRepetition()
{
    repetition_ = false;
    if (timerDefilement_)
        timerDefilement_->stop();
}

bool TPreview_Form::eventFilter(QObject* objet, QEvent* e)
{
    if (objet == ScrollBox1->viewport() && e->type() == QEvent::Resize)
        CentrerImageApercu();
    return QDialog::eventFilter(objet, e);
}

int MontrerApercu(QWidget* parent)
{
    ParamImpCourant.ModeApercu = true;
    TPreview_Form fenetre(parent ? parent : QApplication::activeWindow());
    return fenetre.exec();
}
