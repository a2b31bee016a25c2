#include "controls/CxFilSys.h"

#include "controls/CxCommon.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <sys/stat.h>

namespace {

constexpr int kRoleChemin = Qt::UserRole;
constexpr int kRoleRempli = Qt::UserRole + 1;
constexpr int kRolePeripherique = Qt::UserRole + 2;
constexpr int kRoleInode = Qt::UserRole + 3;

// Device and inode of a folder (links followed): two paths of one folder give the same pair.
bool Identite(const QString& chemin, qulonglong& peripherique, qulonglong& inode)
{
    struct stat s {};
    if (::stat(QFile::encodeName(chemin).constData(), &s) != 0)
        return false;
    peripherique = static_cast<qulonglong>(s.st_dev);
    inode = static_cast<qulonglong>(s.st_ino);
    return true;
}

QString SansSeparateurFinal(QString chemin)
{
    while (chemin.size() > 1 && chemin.endsWith(QLatin1Char('/')))
        chemin.chop(1);
    return chemin;
}

// Names sort without letter case, in character-code order; equal ones by their exact spelling
// (this file system may hold "Songs" and "SONGS" side by side).
bool Avant(const QString& a, const QString& b)
{
    const int c = QString::compare(a.toUpper(), b.toUpper(), Qt::CaseSensitive);
    return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

} // namespace

// ---- Tree view with a frame ----

TCxCustomTreeView::TCxCustomTreeView(QWidget* parent)
    : TZoneEncadree<QTreeWidget>(parent)
{
    setAttribute(Qt::WA_Hover, true);
    selectionPen_ = QPen(palette().color(QPalette::Dark), 1, Qt::SolidLine);
}


void TCxCustomTreeView::SetSelectionPen(const QPen& stylo)
{
    selectionPen_ = stylo;
    viewport()->update();
}

bool TCxCustomTreeView::event(QEvent* e)
{
    const bool resultat = QTreeWidget::event(e);
    if (e->type() == QEvent::Paint && cadre_.FrameVisible) {
        QPainter p(this);
        PeindreCadreEdition(p, width(), height(), cadre_, palette().color(QPalette::Base));
    }
    return resultat;
}

void TCxCustomTreeView::paintEvent(QPaintEvent* e)
{
    QTreeWidget::paintEvent(e);
    QTreeWidgetItem* courant = currentItem();
    if (hasFocus() || !courant || selectionPen_.style() == Qt::NoPen)
        return;
    QPainter p(viewport());
    p.setPen(selectionPen_);
    p.setBrush(Qt::NoBrush);
    p.drawRect(visualItemRect(courant).adjusted(0, 0, -1, -1));
}

void TCxCustomTreeView::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    if (delta != 0) {
        QScrollBar* barre = verticalScrollBar();
        const int lignes = QApplication::wheelScrollLines();
        barre->setValue(std::max(0, barre->value() + (delta < 0 ? lignes : -lignes)));
    }
    e->accept();
}

void TCxCustomTreeView::focusInEvent(QFocusEvent* e)
{
    UpdateFrame(false, true);
    QTreeWidget::focusInEvent(e);
}

void TCxCustomTreeView::focusOutEvent(QFocusEvent* e)
{
    QTreeWidget::focusOutEvent(e);
    UpdateFrame(false, false);
}

void TCxCustomTreeView::enterEvent(QEnterEvent* e)
{
    QTreeWidget::enterEvent(e);
    UpdateFrame(true, true);
    if (OnMouseEnter)
        OnMouseEnter();
}

void TCxCustomTreeView::leaveEvent(QEvent* e)
{
    QTreeWidget::leaveEvent(e);
    UpdateFrame(true, false);
    if (OnMouseLeave)
        OnMouseLeave();
}

// ---- Directory tree ----

TCxDirectoryTree::TCxDirectoryTree(QWidget* parent, QStringList racines)
    : TCxCustomTreeView(parent)
    , racines_(racines.isEmpty() ? RacinesSysteme() : std::move(racines))
{
    for (QString& r : racines_)
        r = SansSeparateurFinal(QDir::cleanPath(QFileInfo(r).absoluteFilePath()));
    AfficherErreur = [this](const QString& message) { QMessageBox::critical(this, QString(), message); };
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    resize(250, 150);
    connect(this, &QTreeWidget::currentItemChanged, this, &TCxDirectoryTree::SelectionChangee);
    connect(this, &QTreeWidget::itemExpanded, this, &TCxDirectoryTree::Deploye);
    connect(this, &QTreeWidget::itemChanged, this, &TCxDirectoryTree::TexteModifie);
    LoadDrives();
}

TCxDirectoryTree::~TCxDirectoryTree()
{
    destruction_ = true;
    disconnect(this, nullptr, this, nullptr);
}

QStringList TCxDirectoryTree::RacinesSysteme()
{
    QStringList racines{QStringLiteral("/")};
    QFile montages(QStringLiteral("/proc/mounts"));
    if (montages.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& ligne : montages.readAll().split('\n')) {
            const QList<QByteArray> champs = ligne.split(' ');
            if (champs.size() < 2)
                continue;
            // Mount points spell blanks as \040.
            const QString point = QString::fromUtf8(champs[1]).replace(QStringLiteral("\\040"), QStringLiteral(" "));
            if ((point.startsWith(QStringLiteral("/media/")) || point.startsWith(QStringLiteral("/run/media/"))
                 || point.startsWith(QStringLiteral("/mnt/")))
                && !racines.contains(point))
                racines.append(point);
        }
    }
    return racines;
}

QString TCxDirectoryTree::CheminNoeud(const QTreeWidgetItem* noeud) const
{
    return noeud ? noeud->data(0, kRoleChemin).toString() : QString();
}

bool TCxDirectoryTree::Rempli(const QTreeWidgetItem* noeud) const
{
    return noeud && noeud->data(0, kRoleRempli).toBool();
}

QString TCxDirectoryTree::GetDrive() const
{
    const QTreeWidgetItem* racine = RacineDe(directory_);
    return racine ? CheminNoeud(racine) : QString();
}

QTreeWidgetItem* TCxDirectoryTree::RacineDe(const QString& chemin) const
{
    // The deepest root that holds the path (a mount point inside "/" wins over "/").
    QTreeWidgetItem* meilleure = nullptr;
    int longueur = -1;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* r = topLevelItem(i);
        const QString racine = CheminNoeud(r);
        const bool contient = chemin == racine
            || chemin.startsWith(racine.endsWith(QLatin1Char('/')) ? racine : racine + QLatin1Char('/'));
        if (contient && racine.size() > longueur) {
            meilleure = r;
            longueur = int(racine.size());
        }
    }
    return meilleure;
}

bool TCxDirectoryTree::Boucle(const QTreeWidgetItem* noeud) const
{
    bool ok = false;
    const qulonglong dev = noeud->data(0, kRolePeripherique).toULongLong(&ok);
    if (!ok)
        return false;
    const qulonglong ino = noeud->data(0, kRoleInode).toULongLong();
    for (const QTreeWidgetItem* a = noeud->parent(); a; a = a->parent())
        if (a->data(0, kRolePeripherique).toULongLong() == dev && a->data(0, kRoleInode).toULongLong() == ino)
            return true;
    return false;
}

void TCxDirectoryTree::RemplirDossiers(QTreeWidgetItem* noeud)
{
    if (!noeud || Boucle(noeud))
        return;
    noeud->setData(0, kRoleRempli, true);
    const QString chemin = CheminNoeud(noeud);
    const QDir dossier(chemin);
    // Unreadable folders list nothing; hidden ones (a leading ".") are left out.
    const QStringList noms = dossier.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    const QIcon icone = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const bool garde = garde_;
    garde_ = true;
    for (const QString& nom : noms) {
        if (nom.startsWith(QLatin1Char('.')))
            continue;
        int position = noeud->childCount();
        bool present = false;
        for (int i = 0; i < noeud->childCount(); ++i) {
            const QString t = noeud->child(i)->text(0);
            if (t == nom) {
                present = true;
                break;
            }
            if (Avant(nom, t)) {
                position = i;
                break;
            }
        }
        if (present)
            continue;
        auto* enfant = new QTreeWidgetItem;
        enfant->setText(0, nom);
        enfant->setIcon(0, icone);
        enfant->setFlags(enfant->flags() | Qt::ItemIsEditable);
        const QString cheminEnfant = chemin == QLatin1String("/") ? chemin + nom : chemin + QLatin1Char('/') + nom;
        enfant->setData(0, kRoleChemin, cheminEnfant);
        qulonglong dev = 0, ino = 0;
        if (Identite(cheminEnfant, dev, ino)) {
            enfant->setData(0, kRolePeripherique, dev);
            enfant->setData(0, kRoleInode, ino);
        }
        noeud->insertChild(position, enfant);
    }
    garde_ = garde;
}

void TCxDirectoryTree::LoadDrives()
{
    const bool garde = garde_;
    garde_ = true;
    const QString courant = QDir::currentPath();
    const QIcon icone = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& racine : racines_) {
        auto* noeud = new QTreeWidgetItem(this);
        noeud->setText(0, racine);
        noeud->setIcon(0, icone);
        noeud->setData(0, kRoleChemin, racine);
        qulonglong dev = 0, ino = 0;
        if (Identite(racine, dev, ino)) {
            noeud->setData(0, kRolePeripherique, dev);
            noeud->setData(0, kRoleInode, ino);
        }
        RemplirDossiers(noeud);
    }
    garde_ = garde;
    // The process's folder is selected when the tree holds it.
    if (RacineDe(courant)) {
        try {
            SetDirectory(courant);
        } catch (const EInOutError&) {
        }
    }
}

bool TCxDirectoryTree::DemanderSelection(QTreeWidgetItem* noeud)
{
    if (destruction_)
        return false;
    bool permis = true;
    if (OnChanging)
        OnChanging(noeud, permis);
    lecteurPrecedent_ = GetDrive();
    if (!permis)
        return false;
    if (noeud && !noeud->parent() && !rafraichissement_) {
        const QString racine = CheminNoeud(noeud);
        if (!QDir::setCurrent(racine)) {
            if (AfficherErreur)
                AfficherErreur(QStringLiteral("Drive %1 is not accessible").arg(racine));
            return false;
        }
        if (!Rempli(noeud))
            RemplirDossiers(noeud);
    }
    return true;
}

void TCxDirectoryTree::SelectionChangee(QTreeWidgetItem* courant, QTreeWidgetItem* precedent)
{
    if (garde_ || destruction_)
        return;
    if (!DemanderSelection(courant)) {
        garde_ = true;
        setCurrentItem(precedent);
        garde_ = false;
        return;
    }
    if (precedent && precedent->parent())
        precedent->setIcon(0, style()->standardIcon(QStyle::SP_DirClosedIcon));
    if (courant && courant->parent())
        courant->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    if (rafraichissement_ || !courant)
        return;
    directory_ = CheminNoeud(courant);
    QDir::setCurrent(directory_);
    if (GetDrive() != lecteurPrecedent_ && OnDriveChange)
        OnDriveChange();
    UpdateDirLabel();
    if (OnChange)
        OnChange();
}

void TCxDirectoryTree::Deploye(QTreeWidgetItem* noeud)
{
    // One level ahead: every folder now shown knows whether it has folders.
    for (int i = 0; i < noeud->childCount(); ++i)
        if (!Rempli(noeud->child(i)))
            RemplirDossiers(noeud->child(i));
}

QTreeWidgetItem* TCxDirectoryTree::NoeudDe(const QString& chemin) const
{
    QTreeWidgetItem* noeud = RacineDe(chemin);
    if (!noeud)
        return nullptr;
    const QString racine = CheminNoeud(noeud);
    const QStringList parties = chemin.mid(racine.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& partie : parties) {
        QTreeWidgetItem* suivant = nullptr;
        for (int i = 0; i < noeud->childCount() && !suivant; ++i)
            if (noeud->child(i)->text(0) == partie)
                suivant = noeud->child(i);
        if (!suivant)
            return nullptr;
        noeud = suivant;
    }
    return noeud;
}

void TCxDirectoryTree::SetDirectory(const QString& chemin)
{
    if (chemin.isEmpty() || chemin == directory_)
        return;
    const QFileInfo info(chemin);
    if (!info.isDir())
        throw EInOutError(QStringLiteral("The %1 directory does not exist").arg(chemin).toStdString());
    const QString resultat = SansSeparateurFinal(QDir::cleanPath(info.absoluteFilePath()));
    if (resultat == directory_)
        return;
    QTreeWidgetItem* noeud = RacineDe(resultat);
    if (!noeud)
        return; // outside every root of the tree
    // Directory itself follows the node reached, so that the drive change is seen against the
    // folder selected before.
    QDir::setCurrent(resultat);
    if (currentItem() != noeud) {
        if (!DemanderSelection(noeud))
            return;
        garde_ = true;
        setCurrentItem(noeud);
        garde_ = false;
    }
    // Down the parts, opening each node (which fills its children's folders). The exact
    // spelling wins; a part that only differs in letter case is taken when nothing else fits.
    // The walk stops where a part has no node (a hidden folder, or a folder looping back).
    const QStringList parties = resultat.mid(CheminNoeud(noeud).size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& partie : parties) {
        if (!noeud->isExpanded())
            noeud->setExpanded(true);
        else
            Deploye(noeud);
        QTreeWidgetItem* suivant = nullptr;
        for (int i = 0; i < noeud->childCount() && !suivant; ++i)
            if (noeud->child(i)->text(0) == partie)
                suivant = noeud->child(i);
        for (int i = 0; i < noeud->childCount() && !suivant; ++i)
            if (noeud->child(i)->text(0).compare(partie, Qt::CaseInsensitive) == 0)
                suivant = noeud->child(i);
        if (!suivant)
            break;
        noeud = suivant;
    }
    if (currentItem() == noeud) {
        // Already the selection (a root): the change handling still runs for the new folder.
        SelectionChangee(noeud, noeud);
    } else {
        setCurrentItem(noeud);
    }
    scrollToItem(noeud);
}

void TCxDirectoryTree::RefreshTree()
{
    const QString memoire = directory_;
    setUpdatesEnabled(false);
    rafraichissement_ = true;
    garde_ = true;
    clear();
    garde_ = false;
    directory_.clear();
    LoadDrives();
    rafraichissement_ = false;
    if (!memoire.isEmpty() && QFileInfo(memoire).isDir()) {
        directory_.clear();
        SetDirectory(memoire);
    }
    setUpdatesEnabled(true);
    if (currentItem())
        scrollToItem(currentItem());
}

void TCxDirectoryTree::SetDirLabel(QLabel* etiquette)
{
    dirLabel_ = etiquette;
    UpdateDirLabel();
}

void TCxDirectoryTree::UpdateDirLabel()
{
    if (!dirLabel_)
        return;
    const int largeur = dirLabel_->width() > 0 ? dirLabel_->width() : width();
    dirLabel_->setText(dirLabel_->fontMetrics().elidedText(directory_, Qt::ElideMiddle, largeur));
}

void TCxDirectoryTree::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F2 && !readOnly_) {
        QTreeWidgetItem* noeud = currentItem();
        if (noeud && noeud->parent()) {
            renommage_ = true;
            editItem(noeud, 0);
        }
        e->accept();
        return;
    }
    TCxCustomTreeView::keyPressEvent(e);
}

void TCxDirectoryTree::TexteModifie(QTreeWidgetItem* noeud, int)
{
    if (garde_ || !renommage_ || !noeud || !noeud->parent())
        return;
    renommage_ = false;
    const QString ancien = CheminNoeud(noeud);
    const QString parent = CheminNoeud(noeud->parent());
    const QString nom = noeud->text(0);
    const QString nouveau = parent == QLatin1String("/") ? parent + nom : parent + QLatin1Char('/') + nom;
    garde_ = true;
    if (nom.isEmpty() || nom.contains(QLatin1Char('/')) || !QDir().rename(ancien, nouveau)) {
        noeud->setText(0, QFileInfo(ancien).fileName());
        garde_ = false;
        if (AfficherErreur)
            AfficherErreur(QStringLiteral("A directory name cannot contain any of the following characters:\r"
                                          "\\ / : * ? \" < > |"));
        return;
    }
    noeud->setData(0, kRoleChemin, nouveau);
    // The folders below keep their paths in step.
    std::function<void(QTreeWidgetItem*)> suivre = [&](QTreeWidgetItem* n) {
        for (int i = 0; i < n->childCount(); ++i) {
            QTreeWidgetItem* c = n->child(i);
            c->setData(0, kRoleChemin, CheminNoeud(n) + QLatin1Char('/') + c->text(0));
            suivre(c);
        }
    };
    suivre(noeud);
    garde_ = false;
    if (currentItem() == noeud)
        SelectionChangee(noeud, noeud);
}
