#include "controls/CxFilSys.h"

#include "controls/CxCommon.h"
#include "controls/FileUtil.h"
#include "platform/Cp1252.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRoleChemin = Qt::UserRole;
constexpr int kRoleRempli = Qt::UserRole + 1;
constexpr int kRolePeripherique = Qt::UserRole + 2;
constexpr int kRoleInode = Qt::UserRole + 3;
constexpr int kRoleNom = Qt::UserRole + 4;

// Device and inode of a folder (links followed): two paths of one folder give the same pair.
bool Identite(const QByteArray& chemin, qulonglong& peripherique, qulonglong& inode)
{
    struct stat s {};
    if (::stat(chemin.constData(), &s) != 0)
        return false;
    peripherique = static_cast<qulonglong>(s.st_dev);
    inode = static_cast<qulonglong>(s.st_ino);
    return true;
}

bool EstDossier(const QByteArray& chemin)
{
    struct stat s {};
    return !chemin.isEmpty() && ::stat(chemin.constData(), &s) == 0 && S_ISDIR(s.st_mode);
}

bool RendreCourant(const QByteArray& chemin) { return ::chdir(chemin.constData()) == 0; }

// The full path without "." and ".." parts, as bytes.
QByteArray PleinChemin(const QByteArray& chemin)
{
    return QByteArray::fromStdString(LongFormOfPath(chemin.toStdString()));
}

QByteArray Joindre(const QByteArray& dossier, const QByteArray& nom)
{
    return dossier == "/" ? dossier + nom : dossier + '/' + nom;
}

// Names sort without letter case, in character-code order; equal ones by their exact bytes
// (this file system may hold "Songs" and "SONGS" side by side).
bool Avant(const QByteArray& a, const QByteArray& b)
{
    const int c = QString::compare(TCxDirectoryTree::NomAffiche(a).toUpper(), TCxDirectoryTree::NomAffiche(b).toUpper(),
                                   Qt::CaseSensitive);
    return c != 0 ? c < 0 : a < b;
}

// What a node shows and stands for: its name and icon, its path and name on disk, and the
// folder's identity when it can be reached, which tells a loop.
void DecrireNoeud(QTreeWidgetItem& noeud, const QByteArray& chemin, const QByteArray& nom, const QIcon& icone)
{
    noeud.setText(0, TCxDirectoryTree::NomAffiche(nom));
    noeud.setIcon(0, icone);
    noeud.setData(0, kRoleChemin, chemin);
    noeud.setData(0, kRoleNom, nom);
    qulonglong dev = 0, ino = 0;
    if (Identite(chemin, dev, ino)) {
        noeud.setData(0, kRolePeripherique, dev);
        noeud.setData(0, kRoleInode, ino);
    }
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

// ---- Directory tree ----

TCxDirectoryTree::TCxDirectoryTree(QWidget* parent, QStringList racines)
    : TCxCustomTreeView(parent)
{
    for (const QString& r : racines.isEmpty() ? RacinesSysteme() : racines)
        racines_.append(PleinChemin(QFile::encodeName(r)));
    AfficherErreur = [this](const QString& message) { QMessageBox::critical(this, QString(), message); };
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A long folder name is scrolled to, as in the platform's tree, not cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
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

QString TCxDirectoryTree::NomAffiche(const QByteArray& octets)
{
    if (QUtf8StringView(octets).isValidUtf8())
        return QString::fromUtf8(octets);
    return QString::fromStdString(platform::Cp1252VersUtf8(octets.toStdString()));
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

QByteArray TCxDirectoryTree::CheminNoeud(const QTreeWidgetItem* noeud) const
{
    return noeud ? noeud->data(0, kRoleChemin).toByteArray() : QByteArray();
}

bool TCxDirectoryTree::Rempli(const QTreeWidgetItem* noeud) const
{
    return noeud && noeud->data(0, kRoleRempli).toBool();
}

QString TCxDirectoryTree::GetDrive() const
{
    const QTreeWidgetItem* racine = RacineDe(directory_);
    return racine ? NomAffiche(CheminNoeud(racine)) : QString();
}

QTreeWidgetItem* TCxDirectoryTree::RacineDe(const QByteArray& chemin) const
{
    // The deepest root that holds the path (a mount point inside "/" wins over "/").
    QTreeWidgetItem* meilleure = nullptr;
    qsizetype longueur = -1;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* r = topLevelItem(i);
        const QByteArray racine = CheminNoeud(r);
        const bool contient
            = chemin == racine || chemin.startsWith(racine.endsWith('/') ? racine : racine + '/');
        if (contient && racine.size() > longueur) {
            meilleure = r;
            longueur = racine.size();
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

QTreeWidgetItem* TCxDirectoryTree::EnfantNomme(const QTreeWidgetItem* noeud, const QByteArray& nom) const
{
    for (int i = 0; i < noeud->childCount(); ++i)
        if (noeud->child(i)->data(0, kRoleNom).toByteArray() == nom)
            return noeud->child(i);
    return nullptr;
}

QTreeWidgetItem* TCxDirectoryTree::AjouterEnfant(QTreeWidgetItem* noeud, const QByteArray& nom)
{
    int position = noeud->childCount();
    for (int i = 0; i < noeud->childCount(); ++i) {
        const QByteArray n = noeud->child(i)->data(0, kRoleNom).toByteArray();
        if (n == nom)
            return noeud->child(i);
        if (Avant(nom, n)) {
            position = i;
            break;
        }
    }
    const bool garde = garde_;
    garde_ = true;
    auto* enfant = new QTreeWidgetItem;
    DecrireNoeud(*enfant, Joindre(CheminNoeud(noeud), nom), nom, style()->standardIcon(QStyle::SP_DirClosedIcon));
    enfant->setFlags(enfant->flags() | Qt::ItemIsEditable);
    noeud->insertChild(position, enfant);
    garde_ = garde;
    return enfant;
}

void TCxDirectoryTree::RemplirDossiers(QTreeWidgetItem* noeud)
{
    if (!noeud || Boucle(noeud))
        return;
    noeud->setData(0, kRoleRempli, true);
    namespace fs = std::filesystem;
    // The names as the disk holds them, whatever their encoding. Unreadable folders list
    // nothing; hidden ones (a leading ".") are left out.
    std::error_code ec;
    fs::directory_iterator it(CheminNoeud(noeud).toStdString(), fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code ecType;
        if (!it->is_directory(ecType))
            continue;
        const std::string nom = it->path().filename().string();
        if (nom.empty() || nom[0] == '.')
            continue;
        AjouterEnfant(noeud, QByteArray::fromStdString(nom));
    }
}

void TCxDirectoryTree::LoadDrives()
{
    const bool garde = garde_;
    garde_ = true;
    std::error_code ec;
    const QByteArray courant = QByteArray::fromStdString(std::filesystem::current_path(ec).string());
    const QIcon icone = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QByteArray& racine : racines_) {
        auto* noeud = new QTreeWidgetItem(this);
        DecrireNoeud(*noeud, racine, racine, icone);
        RemplirDossiers(noeud);
    }
    garde_ = garde;
    // The process's folder is selected when the tree holds it.
    if (!courant.isEmpty() && RacineDe(courant)) {
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
    lecteurPrecedent_ = CheminNoeud(RacineDe(directory_));
    if (!permis)
        return false;
    if (noeud && !noeud->parent() && !rafraichissement_) {
        const QByteArray racine = CheminNoeud(noeud);
        if (!RendreCourant(racine)) {
            if (AfficherErreur)
                AfficherErreur(QStringLiteral("Drive %1 is not accessible").arg(NomAffiche(racine)));
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
    RendreCourant(directory_);
    if (CheminNoeud(RacineDe(directory_)) != lecteurPrecedent_ && OnDriveChange)
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

QTreeWidgetItem* TCxDirectoryTree::NoeudDe(const QByteArray& chemin) const
{
    QTreeWidgetItem* noeud = RacineDe(chemin);
    if (!noeud)
        return nullptr;
    const QList<QByteArray> parties = chemin.mid(CheminNoeud(noeud).size()).split('/');
    for (const QByteArray& partie : parties) {
        if (partie.isEmpty())
            continue;
        noeud = EnfantNomme(noeud, partie);
        if (!noeud)
            return nullptr;
    }
    return noeud;
}

QTreeWidgetItem* TCxDirectoryTree::NoeudDe(const QString& chemin) const { return NoeudDe(QFile::encodeName(chemin)); }

void TCxDirectoryTree::SetDirectory(const QString& chemin) { SetDirectory(QFile::encodeName(chemin)); }

void TCxDirectoryTree::SetDirectory(const QByteArray& chemin)
{
    if (chemin.isEmpty() || chemin == directory_)
        return;
    const auto absent = [](const QByteArray& c) {
        return EInOutError(QStringLiteral("The %1 directory does not exist").arg(NomAffiche(c)).toStdString());
    };
    if (!EstDossier(chemin))
        throw absent(chemin);
    const QByteArray resultat = PleinChemin(chemin);
    if (resultat == directory_)
        return;
    QTreeWidgetItem* noeud = RacineDe(resultat);
    if (!noeud)
        return; // outside every root of the tree
    // Every part of the path is checked before anything moves: the walk below then reaches the
    // folder asked for, not one of its ancestors.
    const QByteArray racine = CheminNoeud(noeud);
    QList<QByteArray> parties;
    QByteArray prefixe = racine;
    for (const QByteArray& partie : resultat.mid(racine.size()).split('/')) {
        if (partie.isEmpty())
            continue;
        prefixe = Joindre(prefixe, partie);
        if (!EstDossier(prefixe))
            throw absent(chemin);
        parties.append(partie);
    }
    // Directory itself follows the node reached, so that the drive change is seen against the
    // folder selected before.
    RendreCourant(resultat);
    if (currentItem() != noeud) {
        if (!DemanderSelection(noeud))
            return;
        garde_ = true;
        setCurrentItem(noeud);
        garde_ = false;
    }
    // Down the parts, opening each node (which fills its children's folders). A part the tree
    // does not list, a hidden folder or one under a link that loops back, is added to its node:
    // it exists, and it is the folder asked for.
    for (const QByteArray& partie : parties) {
        if (!noeud->isExpanded())
            noeud->setExpanded(true);
        else
            Deploye(noeud);
        QTreeWidgetItem* suivant = EnfantNomme(noeud, partie);
        noeud = suivant ? suivant : AjouterEnfant(noeud, partie);
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
    const QByteArray memoire = directory_;
    setUpdatesEnabled(false);
    rafraichissement_ = true;
    garde_ = true;
    clear();
    garde_ = false;
    directory_.clear();
    LoadDrives();
    rafraichissement_ = false;
    if (!memoire.isEmpty() && EstDossier(memoire)) {
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
    dirLabel_->setText(dirLabel_->fontMetrics().elidedText(Directory(), Qt::ElideMiddle, largeur));
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
    const QByteArray ancien = CheminNoeud(noeud);
    const QByteArray nom = QFile::encodeName(noeud->text(0));
    const QByteArray nouveau = Joindre(CheminNoeud(noeud->parent()), nom);
    garde_ = true;
    std::error_code ec;
    if (nom.isEmpty() || nom.contains('/'))
        ec = std::make_error_code(std::errc::invalid_argument);
    else
        std::filesystem::rename(ancien.toStdString(), nouveau.toStdString(), ec);
    if (ec) {
        noeud->setText(0, NomAffiche(noeud->data(0, kRoleNom).toByteArray()));
        garde_ = false;
        if (AfficherErreur)
            AfficherErreur(QStringLiteral("A directory name cannot contain any of the following characters:\r"
                                          "\\ / : * ? \" < > |"));
        return;
    }
    noeud->setData(0, kRoleChemin, nouveau);
    noeud->setData(0, kRoleNom, nom);
    // The folders below keep their paths in step.
    std::function<void(QTreeWidgetItem*)> suivre = [&](QTreeWidgetItem* n) {
        for (int i = 0; i < n->childCount(); ++i) {
            QTreeWidgetItem* c = n->child(i);
            c->setData(0, kRoleChemin, Joindre(CheminNoeud(n), c->data(0, kRoleNom).toByteArray()));
            suivre(c);
        }
    };
    suivre(noeud);
    garde_ = false;
    if (currentItem() == noeud)
        SelectionChangee(noeud, noeud);
}
