#include "print/Browse.h"

#include "controls/CxCmboBx.h"
#include "controls/CxFilSys.h"
#include "controls/Placemnt.h"
#include "dialogs/BaseDialogue.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "editor/Pistes.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "platform/Repertoires.h"
#include "platform/Sablier.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace {

TBrowseForm* fenetreParcours = nullptr;

constexpr int kLargeur = 517;
constexpr int kHauteur = 340;
constexpr int kLargeurGauche = 209;
constexpr int kMinimumPanneau = 100;

QString DepuisChemin(const std::string& chemin) { return TCxDirectoryTree::NomAffiche(QByteArray::fromStdString(chemin)); }

void AfficherErreur(const std::string& texteUtf8)
{
    AfficherMessage("Lyrandaxis", platform::Utf8VersCp1252(texteUtf8), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

// The small pictures of the tool buttons, drawn by code.
enum class Glyphe { Fermer, SousDossiers, Stop, Ecouter };

QIcon Icone(Glyphe g)
{
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    switch (g) {
    case Glyphe::Fermer:
        p.setPen(QPen(QColor(128, 0, 0), 2));
        p.drawLine(4, 4, 11, 11);
        p.drawLine(11, 4, 4, 11);
        break;
    case Glyphe::SousDossiers:
        p.setPen(QColor(128, 96, 0));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(1, 4, 10, 7);
        p.drawRect(5, 8, 10, 7);
        break;
    case Glyphe::Stop:
        p.setPen(QColor(128, 0, 0));
        p.setBrush(QColor(220, 30, 30));
        p.drawRect(3, 3, 10, 10);
        break;
    case Glyphe::Ecouter: {
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        QPainterPath hautParleur;
        hautParleur.moveTo(2, 6);
        hautParleur.lineTo(5, 6);
        hautParleur.lineTo(9, 2);
        hautParleur.lineTo(9, 14);
        hautParleur.lineTo(5, 10);
        hautParleur.lineTo(2, 10);
        hautParleur.closeSubpath();
        p.drawPath(hautParleur);
        p.setBrush(Qt::NoBrush);
        p.drawArc(8, 4, 6, 8, -60 * 16, 120 * 16);
        break;
    }
    }
    return QIcon(image);
}

QToolButton* BoutonPlat(QWidget* parent, const char* nom, Glyphe g, int x)
{
    auto* b = Placer(new QToolButton(parent), nom, x, 4, 25, 23);
    b->setAutoRaise(true);
    b->setIcon(Icone(g));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel* Valeur(QWidget* parent, const char* nom)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nom));
    // Song texts are shown as they are: no markup, no accelerator.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* Legende(QWidget* parent, const char* nom, const char* texte)
{
    auto* l = new QLabel(QString::fromLatin1(texte), parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setTextFormat(Qt::PlainText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    return l;
}

bool Lecture() { return !FenetrePrincipale().CommandeActive("Ac_Son_LectureDebut"); }

} // namespace

// A status panel keeps its whole text and shows what fits its width, the middle of the text
// given up for "…": a folder path of any length neither widens the window nor pushes the
// panel's end out of sight.
class EtiquetteStatut : public QLabel {
public:
    explicit EtiquetteStatut(QWidget* parent) : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
    }
    const QString& Texte() const { return complet_; }
    void SetTexte(const QString& texte)
    {
        complet_ = texte;
        Raccourcir();
    }
    QSize sizeHint() const override { return {0, QLabel::sizeHint().expandedTo(QSize(0, fontMetrics().height())).height()}; }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QLabel::resizeEvent(e);
        Raccourcir();
    }

private:
    void Raccourcir()
    {
        const int largeur = contentsRect().width() - 2 * margin() - 2 * std::max(indent(), 0);
        const QString affiche = fontMetrics().elidedText(complet_, Qt::ElideMiddle, std::max(largeur, 0));
        if (affiche != text())
            QLabel::setText(affiche);
    }

    QString complet_;
};

// ---- List item ---------------------------------------------------------------------------------

ElementMorceau::ElementMorceau(cLigneList ligne) : ligne_(std::move(ligne))
{
    setText(ColonneNom, DepuisChemin(ligne_.Nom));
    setText(ColonneTaille, QString::fromStdString(TexteTaille(ligne_.Taille)));
    setTextAlignment(ColonneTaille, Qt::AlignRight | Qt::AlignVCenter);
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ligne_.Date * 1000.0));
    setText(ColonneDate, QLocale().toString(date, QLocale::ShortFormat));
    setText(ColonneRepertoire, DepuisChemin(ligne_.Repertoire));
}

bool ElementMorceau::operator<(const QTreeWidgetItem& autre) const
{
    const int colonne = treeWidget() ? treeWidget()->sortColumn() : ColonneNom;
    const auto* e = dynamic_cast<const ElementMorceau*>(&autre);
    if (!e)
        return QTreeWidgetItem::operator<(autre);
    return ComparerLignes(ligne_, e->ligne_, colonne) < 0;
}

// ---- The window ----------------------------------------------------------------------------------

TBrowseForm::TBrowseForm(QWidget* parent) : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TBrowseForm"));
    setWindowTitle(QStringLiteral("Browser"));
    AppliquerPoliceDialogue(this);
    resize(Pixels96(kLargeur), Pixels96(kHauteur));
    fenetreParcours = this;

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(Pixels96(31));
    BT_Fermer = BoutonPlat(Panel1, "BT_Fermer", Glyphe::Fermer, 4);
    BT_Fermer->setToolTip(QStringLiteral("Close"));
    BT_ScannerSousRep = BoutonPlat(Panel1, "BT_ScannerSousRep", Glyphe::SousDossiers, 32);
    Ecouter = BoutonPlat(Panel1, "Ecouter", Glyphe::Ecouter, 60);
    Ecouter->setCheckable(true);
    Ecouter->setToolTip(QStringLiteral("Listen"));
    JumpAfter = Placer(new TCxLineComboBox(Panel1), "JumpAfter", 92, 5, 141, 21);
    JumpAfter->SetLineStyle(lsBump);
    for (const char* texte : {"No jump", "Jump after 1 bar", "Jump after 2 bars", "Jump after 5 bars",
                              "Jump after 10 bars", "Jump after 25 bars", "Jump after the score"})
        JumpAfter->addItem(QString::fromLatin1(texte));
    StopButton = BoutonPlat(Panel1, "StopButton", Glyphe::Stop, 240);
    StopButton->hide();
    SubDir = BoutonPlat(Panel1, "SubDir", Glyphe::SousDossiers, 268);
    SubDir->hide();
    colonne->addWidget(Panel1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    colonne->addWidget(Splitter1, 1);

    Panel_Gauche = new QWidget;
    Panel_Gauche->setObjectName(QStringLiteral("Panel_Gauche"));
    Panel_Gauche->setMinimumWidth(Pixels96(kMinimumPanneau));
    auto* gauche = new QVBoxLayout(Panel_Gauche);
    gauche->setContentsMargins(0, 0, 0, 0);
    SystemTreeView1 = new TCxDirectoryTree(Panel_Gauche);
    SystemTreeView1->setObjectName(QStringLiteral("SystemTreeView1"));
    SystemTreeView1->AfficherErreur = [](const QString& message) { AfficherErreur(message.toStdString()); };
    // While a listing runs the tree refuses to move its selection.
    SystemTreeView1->OnChanging = [this](QTreeWidgetItem*, bool& permis) { permis = permis && ArbreModifiable; };
    SystemTreeView1->OnChange = [this] { ArbreChange(); };
    gauche->addWidget(SystemTreeView1);
    Splitter1->addWidget(Panel_Gauche);

    Panel_Droite = new QWidget;
    Panel_Droite->setObjectName(QStringLiteral("Panel_Droite"));
    Panel_Droite->setMinimumWidth(Pixels96(kMinimumPanneau));
    auto* droite = new QVBoxLayout(Panel_Droite);
    droite->setContentsMargins(0, 0, 0, 0);
    droite->setSpacing(0);
    ListView1 = new QTreeWidget(Panel_Droite);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(NbColonnesParcours);
    ListView1->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Modified"),
                                QStringLiteral("Directory")});
    ListView1->headerItem()->setTextAlignment(ColonneTaille, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSortIndicatorShown(true);
    ListView1->header()->setSortIndicator(ColonneNom, Qt::AscendingOrder);
    ListView1->header()->setStretchLastSection(false);
    const ReglagesParcours defauts;
    for (int c = 0; c < NbColonnesParcours; ++c)
        ListView1->setColumnWidth(c, defauts.LargeursColonnes[c]);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &TBrowseForm::ListView1ColumnClick);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> choisis = ListView1->selectedItems();
        QTreeWidgetItem* element = choisis.isEmpty() ? nullptr : choisis.front();
        if (element && element != dernierSelectionne_) {
            dernierSelectionne_ = element;
            ListView1SelectItem(element);
        }
    });
    droite->addWidget(ListView1, 1);

    Panel3 = new QWidget(Panel_Droite);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto* grille = new QGridLayout(Panel3);
    grille->setContentsMargins(8, 4, 8, 4);
    grille->setHorizontalSpacing(8);
    grille->setVerticalSpacing(1);
    Lab_Title = Legende(Panel3, "Lab_Title", "Title :");
    Lab_Author = Legende(Panel3, "Lab_Author", "Author :");
    Lab_Note = Legende(Panel3, "Lab_Note", "Comment :");
    Lab_Bars = Legende(Panel3, "Lab_Bars", "Bars :");
    Lab_GBD = Legende(Panel3, "Lab_GBD", "Guitars - Basses - Drums :");
    TitleLib = Valeur(Panel3, "TitleLib");
    AuthorLib = Valeur(Panel3, "AuthorLib");
    NoteLib = Valeur(Panel3, "NoteLib");
    NbBarLib = Valeur(Panel3, "NbBarLib");
    NbGBDLib = Valeur(Panel3, "NbGBDLib");
    QLabel* legendes[] = {Lab_Title, Lab_Author, Lab_Note, Lab_Bars, Lab_GBD};
    QLabel* valeurs[] = {TitleLib, AuthorLib, NoteLib, NbBarLib, NbGBDLib};
    for (int r = 0; r < 5; ++r) {
        grille->addWidget(legendes[r], r, 0);
        grille->addWidget(valeurs[r], r, 1);
    }
    grille->setColumnStretch(1, 1);
    droite->addWidget(Panel3);
    Splitter1->addWidget(Panel_Droite);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({Pixels96(kLargeurGauche), Pixels96(kLargeur - kLargeurGauche)});

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    for (int k = 0; k < 2; ++k) {
        statut_[k] = new EtiquetteStatut(StatusBar1);
        statut_[k]->setObjectName(QStringLiteral("StatusPanel%1").arg(k));
    }
    statut_[0]->setFixedWidth(Pixels96(100));
    StatusBar1->addWidget(statut_[0]);
    StatusBar1->addWidget(statut_[1], 1);
    colonne->addWidget(StatusBar1);

    connect(BT_Fermer, &QToolButton::clicked, this, &QDialog::close);
    connect(BT_ScannerSousRep, &QToolButton::clicked, this, &TBrowseForm::BT_ScannerSousRepClick);
    connect(Ecouter, &QToolButton::clicked, this, &TBrowseForm::EcouterClick);

    placement_ = std::make_unique<TFormStorage>(this);
    placement_->setObjectName(QStringLiteral("FormStorage1"));
    placement_->IniFileName = FichierPlacementParcours;
    placement_->IniSection = SectionParcours;
    placement_->StoredProps = {"Panel_Gauche.Width"};
    FormStorage1 = placement_.get();

    ViderResume();
    JumpAfter->setCurrentIndex(0);
    TraduireBrowse();
    BasculerBoutonScanner();
}

TBrowseForm::~TBrowseForm()
{
    // The placement goes first, while the window is whole.
    placement_.reset();
    if (fenetreParcours == this)
        fenetreParcours = nullptr;
}

QString TBrowseForm::TexteStatut(int panneau) const
{
    return panneau == 0 || panneau == 1 ? statut_[panneau]->Texte() : QString();
}

void TBrowseForm::TraduireBrowse()
{
    const SectionLangue s("DLG_BROWSE_000");
    if (!s.Trouvee())
        return;
    setWindowTitle(s.Texte(1));
    BT_Fermer->setToolTip(s.Texte(2));
    BT_ScannerSousRep->setToolTip(s.Texte(3));
    Ecouter->setToolTip(s.Texte(4));
    const int saut = std::max(JumpAfter->currentIndex(), 0);
    JumpAfter->clear();
    for (int k = 5; k <= 11; ++k)
        JumpAfter->addItem(s.Texte(k));
    JumpAfter->setCurrentIndex(saut);
    QLabel* legendes[] = {Lab_Title, Lab_Author, Lab_Note, Lab_Bars, Lab_GBD};
    for (int k = 0; k < 5; ++k)
        legendes[k]->setText(s.Texte(12 + k));
    ListView1->setHeaderLabels({s.Texte(17), s.Texte(18), s.Texte(19), s.Texte(20)});
    ListView1->headerItem()->setTextAlignment(ColonneTaille, Qt::AlignRight | Qt::AlignVCenter);
    texteFichiers_ = s.Texte(21);
    texteRecherche_ = s.Texte(22);
    bulleArreterScan_ = s.Texte(23);
    bulleScanner_ = s.Texte(24);
    texteChargement_ = s.Texte(25);
    BasculerBoutonScanner();
}

// ---- Opening and closing ---------------------------------------------------------------------

void TBrowseForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Only the first showing: an activation after a message box (a song that could not be
    // read) must not list the folder again and lose the selection the jump chain follows.
    if (!active_) {
        active_ = true;
        FormActivate();
    }
}

void TBrowseForm::FormActivate()
{
    active_ = true;
    const ReglagesParcours r = LireReglagesParcours(NomFichierConfiguration, platform::RepertoireProgrammeParDefaut());
    for (int c = 0; c < NbColonnesParcours; ++c)
        ListView1->setColumnWidth(c, r.LargeursColonnes[c]);
    JumpAfter->setCurrentIndex(r.SautApres);
    RepertoireInitial = r.Repertoire;
    std::error_code ec;
    repertoireTravail_ = std::filesystem::current_path(ec).string();
    EntrerPleinEcran();
    ScanEnCours = false;
    ArbreModifiable = true;
    ColonneTri = ColonneNom;
    TriCroissant = true;
    ListView1->header()->setSortIndicator(ColonneTri, Qt::AscendingOrder);
    if (!SetDirectory(RepertoireInitial))
        return;
    SystemTreeView1Change();
}

void TBrowseForm::done(int resultat)
{
    FormClose();
    QDialog::done(resultat);
}

void TBrowseForm::FormClose()
{
    // A listing running under this call (the close arrived while it let messages through)
    // stops at its next look.
    fermeture_ = true;
    ScanEnCours = false;
    if (fermee_ || !active_)
        return;
    fermee_ = true;
    ReglagesParcours r;
    for (int c = 0; c < NbColonnesParcours; ++c)
        r.LargeursColonnes[c] = ListView1->columnWidth(c);
    r.SautApres = SautApres();
    // Without a folder in the tree (the stored one was gone) the stored one stays.
    r.Repertoire = repertoire_.empty() ? RepertoireInitial : repertoire_;
    EcrireReglagesParcours(NomFichierConfiguration, r);
    // The tree made each folder it showed the working one, where the next file dialog starts
    // and the last folder kept at exit: that is the folder of the song last opened, the one
    // read here, else the one the browser found.
    if (!NomFichier.empty()) {
        RetenirDossierPartition();
    } else if (!repertoireTravail_.empty()) {
        std::error_code ec;
        std::filesystem::current_path(repertoireTravail_, ec);
    }
}

// ---- The folder tree ---------------------------------------------------------------------------

bool TBrowseForm::SetDirectory(const std::string& chemin)
{
    if (chemin.empty())
        return false;
    // The caller lists the folder itself, once, whether the tree's selection moved or not.
    bloquerArbre_ = true;
    try {
        SystemTreeView1->SetDirectory(QByteArray::fromStdString(chemin));
    } catch (const EInOutError& e) {
        bloquerArbre_ = false;
        AfficherErreur(e.what());
        return false;
    }
    bloquerArbre_ = false;
    repertoire_ = SystemTreeView1->DirectoryOctets().toStdString();
    return !repertoire_.empty();
}

void TBrowseForm::ArbreChange()
{
    if (bloquerArbre_)
        return;
    repertoire_ = SystemTreeView1->DirectoryOctets().toStdString();
    SystemTreeView1Change();
}

// ---- Listing -----------------------------------------------------------------------------------

SuiviListe TBrowseForm::Suivi(bool scan)
{
    auto continuer = [this, scan] { return !fermeture_ && (!scan || ScanEnCours); };
    SuiviListe s;
    s.DebutDossier = [this, continuer](const std::string& dossier, std::size_t n) {
        if (!continuer())
            return false;
        statut_[0]->SetTexte(QString::number(n) + QLatin1Char(' ') + texteFichiers_);
        statut_[1]->SetTexte(texteRecherche_ + QLatin1Char(' ') + DepuisChemin(dossier));
        StatusBar1->repaint();
        if (AuDebutDossier)
            AuDebutDossier(dossier);
        QCoreApplication::processEvents();
        // The folder entered is listed even when a stop arrived meanwhile; the next one is not.
        return !fermeture_;
    };
    s.Progression = [this](std::size_t n) {
        statut_[0]->SetTexte(QString::number(n) + QLatin1Char(' ') + texteFichiers_);
        QCoreApplication::processEvents();
        return !fermeture_;
    };
    return s;
}

void TBrowseForm::SystemTreeView1Change()
{
    ViderListe();
    ListView1->hide();
    Panel3->hide();
    BT_ScannerSousRep->setEnabled(false);
    ArbreModifiable = false;
    std::vector<cLigneList> lignes;
    {
        platform::Sablier sablier;
        ListerMorceaux(repertoire_, lignes, Suivi(false));
        RemplirListe(lignes);
    }
    ListView1->show();
    Panel3->show();
    ArbreModifiable = true;
    BT_ScannerSousRep->setEnabled(true);
    AfficherCompte();
    statut_[1]->SetTexte(QString());
}

void TBrowseForm::BasculerBoutonScanner()
{
    BT_ScannerSousRep->setIcon(ScanEnCours ? StopButton->icon() : SubDir->icon());
    BT_ScannerSousRep->setToolTip(ScanEnCours ? bulleArreterScan_ : bulleScanner_);
}

void TBrowseForm::BT_ScannerSousRepClick()
{
    ScanEnCours = !ScanEnCours;
    BasculerBoutonScanner();
    if (!ScanEnCours) {
        // The scan running beneath this click stops at its next folder.
        statut_[1]->SetTexte(QString());
        return;
    }
    ViderListe();
    ListView1->hide();
    Panel3->hide();
    ArbreModifiable = false;
    SystemTreeView1->setCursor(Qt::ForbiddenCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::vector<cLigneList> lignes;
    const SuiviListe suivi = Suivi(true);
    if (ListerMorceaux(repertoire_, lignes, suivi))
        ListerSousRepertoires(repertoire_, lignes, suivi);
    RemplirListe(lignes);
    ListView1->show();
    Panel3->show();
    ArbreModifiable = true;
    SystemTreeView1->unsetCursor();
    QApplication::restoreOverrideCursor();
    AfficherCompte();
    statut_[1]->SetTexte(QString());
    ScanEnCours = false;
    BasculerBoutonScanner();
}

void TBrowseForm::ViderListe()
{
    dernierSelectionne_ = nullptr;
    ListView1->clear();
    ViderResume();
}

void TBrowseForm::RemplirListe(std::vector<cLigneList>& lignes)
{
    // One sort at the end rather than one per file: the list is hidden while it fills.
    TrierLignes(lignes, ColonneTri, TriCroissant);
    QList<QTreeWidgetItem*> elements;
    elements.reserve(static_cast<qsizetype>(lignes.size()));
    for (cLigneList& l : lignes)
        elements.append(new ElementMorceau(std::move(l)));
    lignes.clear();
    ListView1->addTopLevelItems(elements);
    ListView1->sortItems(ColonneTri, TriCroissant ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TBrowseForm::ViderResume()
{
    for (QLabel* l : {TitleLib, AuthorLib, NoteLib, NbBarLib, NbGBDLib})
        l->clear();
}

void TBrowseForm::AfficherCompte()
{
    statut_[0]->SetTexte(QString::number(ListView1->topLevelItemCount()) + QLatin1Char(' ') + texteFichiers_);
}

// ---- Sorting -----------------------------------------------------------------------------------

void TBrowseForm::ListView1ColumnClick(int colonne)
{
    if (colonne < 0 || colonne >= NbColonnesParcours)
        return;
    if (colonne != ColonneTri) {
        ColonneTri = colonne;
        TriCroissant = true;
    } else {
        TriCroissant = !TriCroissant;
    }
    const Qt::SortOrder ordre = TriCroissant ? Qt::AscendingOrder : Qt::DescendingOrder;
    ListView1->header()->setSortIndicator(ColonneTri, ordre);
    ListView1->sortItems(ColonneTri, ordre);
    if (QTreeWidgetItem* e = ListView1->currentItem())
        ListView1->scrollToItem(e);
}

// ---- Selecting, listening, jumping -------------------------------------------------------------

void TBrowseForm::ListView1SelectItem(QTreeWidgetItem* element)
{
    if (!element)
        return;
    // The song under a running playback is not replaced: the playback ends first (its end
    // notification is handled here, so it cannot arrive in the middle of the loading).
    if (Lecture() && MidiDisponible) {
        Ac_Son_StopExecute();
        FenetrePrincipale().TraiterMessagesEnAttente();
    }
    // The song reader shows the hourglass itself, and takes it away before any error box.
    AfficherResumeMorceau(element);
    if (Ecouter->isChecked() && MidiDisponible)
        Ac_Son_LectureDebutExecute();
}

void TBrowseForm::AfficherResumeMorceau(QTreeWidgetItem* element)
{
    auto* morceau = dynamic_cast<ElementMorceau*>(element);
    if (!morceau) {
        ViderResume();
        return;
    }
    statut_[1]->SetTexte(texteChargement_);
    StatusBar1->repaint();
    const bool lue = ChargerMorceauBrowse(CheminMorceau(morceau->Ligne()));
    if (lue) {
        TitleLib->setText(VersQString(ResumeTitre));
        AuthorLib->setText(VersQString(ResumeAuteur));
        NoteLib->setText(VersQString(ResumeNote));
        NbBarLib->setText(QString::number(ResumeNbMesures));
        NbGBDLib->setText(QString::fromStdString(TexteNbPistesResume()));
    } else {
        ViderResume();
    }
    statut_[1]->SetTexte(QString());
    IFenetrePrincipale& f = FenetrePrincipale();
    f.AfficherTitreLabel(LigneTitrePartition().c_str());
    PartitionModifiee = false;
    f.ActualiserCommandes();
    for (int t = 1; t <= kNbPistes; ++t)
        f.ColorerBoutonPiste(t);
}

void TBrowseForm::EcouterClick()
{
    if (Lecture() && MidiDisponible && MediaPlayer1().DeviceOpen())
        Ac_Son_StopExecute();
    if (Ecouter->isChecked() && MidiDisponible)
        Ac_Son_LectureDebutExecute();
}

void TBrowseForm::SelectionnerMorceauSuivant()
{
    if (!Ecouter->isChecked() || ListView1->isHidden() || ListView1->topLevelItemCount() == 0)
        return;
    const QList<QTreeWidgetItem*> choisis = ListView1->selectedItems();
    if (choisis.isEmpty())
        return;
    const int index = ListView1->indexOfTopLevelItem(choisis.front());
    if (index < 0 || index + 1 >= ListView1->topLevelItemCount())
        return;
    QTreeWidgetItem* suivant = ListView1->topLevelItem(index + 1);
    ListView1->setCurrentItem(suivant);
    ListView1->scrollToItem(suivant, QAbstractItemView::EnsureVisible);
}

int TBrowseForm::SautApres() const { return std::max(JumpAfter->currentIndex(), 0); }

// ---- What the main window calls ------------------------------------------------------------------

TBrowseForm* FenetreParcours() { return fenetreParcours; }

int ExecuterParcours()
{
    TBrowseForm fenetre;
    return fenetre.exec();
}

void SelectionnerMorceauSuivantParcours()
{
    if (fenetreParcours)
        fenetreParcours->SelectionnerMorceauSuivant();
}

int SautApresParcours() { return fenetreParcours ? fenetreParcours->SautApres() : -1; }
