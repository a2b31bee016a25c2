#include "controls/CxFilCtrl.h"

#include "controls/CxCommon.h"
#include "controls/FileUtil.h"
#include "platform/Sablier.h"

#include <QCollator>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QUrl>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>

namespace {

constexpr int kRoleNiveau = Qt::UserRole;
constexpr int kRoleChemin = Qt::UserRole + 1;
constexpr int kRoleSorte = Qt::UserRole + 2;
enum SorteDossier { DossierOuvert, DossierCourant, DossierFerme };

class FournisseurBureau : public IFournisseurIconesFichiers {
public:
    QIcon IconeFichier(const QString& chemin) override { return fournisseur_.icon(QFileInfo(chemin)); }
    QIcon IconeDossier(const QString& chemin) override { return fournisseur_.icon(QFileInfo(chemin)); }

private:
    QFileIconProvider fournisseur_;
};

std::shared_ptr<IFournisseurIconesFichiers>& Fournisseur()
{
    static std::shared_ptr<IFournisseurIconesFichiers> f;
    if (!f)
        f = std::make_shared<FournisseurBureau>();
    return f;
}

// One icon per lower-case extension for the whole program: a folder of a thousand text files
// asks the desktop once.
std::map<QString, QIcon>& CacheIcones()
{
    static std::map<QString, QIcon> cache;
    return cache;
}

// Files that carry an icon of their own rather than their type's.
bool IconePropre(const QFileInfo& info, const QString& extension)
{
    static const QStringList propres{QStringLiteral("exe"), QStringLiteral("lnk"), QStringLiteral("ico"),
                                     QStringLiteral("scr"), QStringLiteral("desktop")};
    return propres.contains(extension) || (info.isFile() && info.isExecutable());
}

int32_t TempsCompacte(const QDateTime& t)
{
    const QDate d = t.date();
    const QTime h = t.time();
    if (!d.isValid() || d.year() < 1980)
        return 0;
    const uint32_t v = (uint32_t(std::min(d.year() - 1980, 127)) << 25) | (uint32_t(d.month()) << 21)
        | (uint32_t(d.day()) << 16) | (uint32_t(h.hour()) << 11) | (uint32_t(h.minute()) << 5) | uint32_t(h.second() / 2);
    return static_cast<int32_t>(v);
}

int32_t Attributs(const QFileInfo& info)
{
    int32_t a = 0;
    if (info.fileName().startsWith(QLatin1Char('.')))
        a |= faHidden;
    if (info.isDir())
        a |= faDirectory;
    else if (!info.isFile())
        a |= faSysFile; // devices, pipes, sockets
    if (!info.isWritable())
        a |= faReadOnly;
    return a;
}

// Names of files and folders sort alike in both lists: by the locale, without letter case.
const QCollator& CollateurNoms()
{
    static const QCollator collateur = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collateur;
}

// The long form of the path, worked out on the bytes the file system holds.
QString Absolu(const QString& chemin)
{
    return QFile::decodeName(QByteArray::fromStdString(LongFormOfPath(QFile::encodeName(chemin).toStdString())));
}

QString Joindre(const QString& dossier, const QString& nom)
{
    return dossier.endsWith(QLatin1Char('/')) ? dossier + nom : dossier + QLatin1Char('/') + nom;
}

class DelegueFichiers : public QStyledItemDelegate {
public:
    explicit DelegueFichiers(TCxFileListBox* liste) : QStyledItemDelegate(liste), liste_(liste) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool choisi = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, option.palette.brush(choisi ? QPalette::Highlight : QPalette::Base));
        const int hauteurPp = option.fontMetrics.height();
        const PlacesElementFichier places = PlacerElementFichier(option.rect, hauteurPp, liste_->ShowGlyphs());
        const auto& infos = liste_->FileInfos();
        if (liste_->ShowGlyphs() && index.row() >= 0 && std::size_t(index.row()) < infos.size())
            infos[std::size_t(index.row())].Icon.paint(p, places.Icone, Qt::AlignCenter,
                                                       choisi ? QIcon::Selected : QIcon::Normal);
        p->setPen(option.palette.color(choisi ? QPalette::HighlightedText : QPalette::Text));
        p->drawText(QRect(places.Texte, QPoint(option.rect.right(), places.Texte.y() + hauteurPp - 1)),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int x = PlacerElementFichier(QRect(0, 0, 1, 1), 1, liste_->ShowGlyphs()).Texte.x();
        return QSize(x + option.fontMetrics.horizontalAdvance(index.data().toString()) + 2, liste_->HauteurElement());
    }

private:
    TCxFileListBox* liste_;
};

class DelegueDossiers : public QStyledItemDelegate {
public:
    explicit DelegueDossiers(QWidget* liste) : QStyledItemDelegate(liste), liste_(liste) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool choisi = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, option.palette.brush(choisi ? QPalette::Highlight : QPalette::Base));
        const int x = option.rect.left() + 2 + 4 * index.data(kRoleNiveau).toInt();
        const int sorte = index.data(kRoleSorte).toInt();
        const QStyle::StandardPixmap image = sorte == DossierFerme ? QStyle::SP_DirClosedIcon
            : sorte == DossierCourant                               ? QStyle::SP_DirOpenIcon
                                                                    : QStyle::SP_DirIcon;
        const QRect icone(x, option.rect.top() + (option.rect.height() - 16) / 2, 16, 16);
        liste_->style()->standardIcon(image, nullptr, liste_).paint(p, icone);
        p->setPen(option.palette.color(choisi ? QPalette::HighlightedText : QPalette::Text));
        p->drawText(QRect(QPoint(x + 16 + 4, option.rect.top()), option.rect.bottomRight()),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int x = 2 + 4 * index.data(kRoleNiveau).toInt() + 16 + 4;
        return QSize(x + option.fontMetrics.horizontalAdvance(index.data().toString()) + 2,
                     std::max(16, option.fontMetrics.height()));
    }

private:
    QWidget* liste_;
};

} // namespace

void InstallerFournisseurIconesFichiers(std::shared_ptr<IFournisseurIconesFichiers> fournisseur)
{
    Fournisseur() = std::move(fournisseur);
}

void ViderCacheIconesFichiers() { CacheIcones().clear(); }
int TailleCacheIconesFichiers() { return static_cast<int>(CacheIcones().size()); }

bool CompareFileInfos(const TCxFileInfo& a, const TCxFileInfo& b)
{
    if (a.IsFolder != b.IsFolder)
        return a.IsFolder;
    return CollateurNoms().compare(a.Name, b.Name) < 0;
}

bool CorrespondMasque(const QString& nom, const QString& motif)
{
    const QString m = motif.trimmed();
    if (m.isEmpty())
        return false;
    if (m == QLatin1String("*") || m == QLatin1String("*.*"))
        return true;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(m, QRegularExpression::UnanchoredWildcardConversion),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch r = re.match(nom);
    return r.hasMatch() && r.capturedStart() == 0 && r.capturedLength() == nom.size();
}

PlacesElementFichier PlacerElementFichier(QRect element, int hauteurPp, bool glyphes)
{
    PlacesElementFichier p;
    p.Icone = QRect(element.left() + 4, element.top() + (element.height() - 16) / 2, 16, 16);
    p.Texte = QPoint(element.left() + (glyphes ? 26 : 2), element.top() + (element.height() - hauteurPp) / 2);
    return p;
}

int HauteurElementFichier(int hauteurTexte, bool glyphes)
{
    const int h = hauteurTexte - 3;
    return glyphes ? std::max(h, 18) : std::max(h, 1);
}

// ---- File list ----

TCxFileListBox::TCxFileListBox(QWidget* parent)
    : TZoneEncadree<QListWidget>(parent)
{
    InstallerCouleursSystemePalette();
    setAttribute(Qt::WA_Hover, true);
    setSortingEnabled(false); // the list sorts its entries itself, with their infos
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new DelegueFichiers(this));
    OuvrirDocument = [](const QString& chemin) { return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); };
    Avertir = [this](const QString& message) { QMessageBox::warning(this, QString(), message, QMessageBox::Ok); };
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!occupe_ && OnChange)
            OnChange();
    });
    resize(145, 97);
    AppliquerHauteur();
    directory_ = Absolu(QDir::currentPath());
    ReadFileNames();
}

TCxFileListBox::~TCxFileListBox() { disconnect(this, nullptr, this, nullptr); }

void TCxFileListBox::SetShowGlyphs(bool montrer)
{
    if (montrer == showGlyphs_)
        return;
    showGlyphs_ = montrer;
    AppliquerHauteur();
    ReadFileNames();
}

void TCxFileListBox::SetShowLongNames(bool longs)
{
    if (longs == showLongNames_)
        return;
    showLongNames_ = longs; // every name here is its long name: the list reads the same
    ReadFileNames();
}

void TCxFileListBox::SetColumns(int colonnes)
{
    columns_ = std::max(colonnes, 0);
    AppliquerColonnes();
}

void TCxFileListBox::AppliquerColonnes()
{
    setFlow(QListView::TopToBottom);
    setWrapping(columns_ > 0);
    setResizeMode(columns_ > 0 ? QListView::Adjust : QListView::Fixed);
    setGridSize(columns_ > 0 ? QSize(std::max(1, viewport()->width() / columns_), HauteurElement()) : QSize());
    setMinimumWidth(columns_ > 0 ? 3 : 0);
}

int TCxFileListBox::HauteurElement() const { return HauteurElementFichier(TextHeightOf(font()), showGlyphs_); }

void TCxFileListBox::AppliquerHauteur()
{
    // Every item asks the delegate, which answers HauteurElement: the layout has to forget the
    // old size.
    doItemsLayout();
    AppliquerColonnes();
}

void TCxFileListBox::SetDirectory(const QString& dossier)
{
    const QString nouveau = Absolu(dossier.isEmpty() ? QDir::currentPath() : dossier);
    // Names differing only in letter case are two folders here.
    if (nouveau == directory_)
        return;
    if (!QFileInfo(nouveau).isDir())
        throw EInOutError(QStringLiteral("The %1 directory does not exist").arg(dossier).toStdString());
    directory_ = nouveau;
    ReadFileNames();
}

void TCxFileListBox::SetMask(const QString& masque)
{
    if (masque == mask_)
        return;
    mask_ = masque;
    ReadFileNames();
}

void TCxFileListBox::SetFileType(TFileType types)
{
    if (types == fileType_)
        return;
    fileType_ = types;
    ReadFileNames();
}

void TCxFileListBox::ClearFileInfos() { infos_.clear(); }

void TCxFileListBox::ReadFileNames()
{
    occupe_ = true;
    const QString selection = currentItem() ? currentItem()->text() : QString();
    ClearFileInfos();
    clear();
    const int32_t attributsVoulus = fileType_ & (ftReadOnly | ftHidden | ftSystem | ftDirectory | ftArchive);
    const QFileInfoList entrees = QDir(directory_).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    const QStringList motifs = mask_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    std::optional<platform::Sablier> sablier;
    IFournisseurIconesFichiers& fournisseur = *Fournisseur();
    for (const QFileInfo& info : entrees) {
        const QString nom = info.fileName();
        // An entry matching several patterns is listed once.
        if (std::none_of(motifs.begin(), motifs.end(), [&](const QString& m) { return CorrespondMasque(nom, m); }))
            continue;
        const int32_t attributs = Attributs(info);
        // Hidden, system and folder entries only when asked for; the others when normal files
        // are wanted or one of their attributes is.
        if ((attributs & (faHidden | faSysFile | faDirectory)) & ~attributsVoulus)
            continue;
        if (!(fileType_ & ftNormal) && (attributs & attributsVoulus) == 0)
            continue;
        TCxFileInfo fi;
        fi.Name = nom;
        fi.Attr = attributs;
        fi.Time = TempsCompacte(info.lastModified());
        fi.Size = info.isDir() ? 0 : info.size();
        fi.IsFolder = info.isDir();
        const QString chemin = info.absoluteFilePath();
        if (showGlyphs_) {
            if (fi.IsFolder) {
                fi.Icon = fournisseur.IconeDossier(chemin);
                fi.OwnIcon = true;
            } else {
                const QString extension = info.suffix().toLower();
                auto trouve = CacheIcones().find(extension);
                if (IconePropre(info, extension)) {
                    fi.Icon = fournisseur.IconeFichier(chemin);
                    fi.OwnIcon = true;
                } else if (trouve != CacheIcones().end()) {
                    fi.Icon = trouve->second;
                } else {
                    fi.Icon = fournisseur.IconeFichier(chemin);
                    CacheIcones().emplace(extension, fi.Icon);
                }
            }
        }
        infos_.push_back(std::move(fi));
        if (infos_.size() == 101)
            sablier.emplace();
    }
    if (infos_.size() > 1)
        std::stable_sort(infos_.begin(), infos_.end(), CompareFileInfos);
    for (const TCxFileInfo& fi : infos_)
        addItem(fi.Name);
    if (!selection.isEmpty()) {
        const QList<QListWidgetItem*> memes = findItems(selection, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!memes.isEmpty())
            setCurrentItem(memes.first());
    }
    sablier.reset();
    occupe_ = false;
    if (OnChange)
        OnChange();
}

QString TCxFileListBox::FileName() const
{
    const QListWidgetItem* e = currentItem();
    return e ? Joindre(directory_, e->text()) : QString();
}

QString TCxFileListBox::GetLongFileName() const
{
    const QString nom = FileName();
    return nom.isEmpty() ? nom : Absolu(nom);
}

QString TCxFileListBox::GetShortFileName() const
{
    const QString nom = FileName();
    return nom.isEmpty() ? nom : QString::fromStdString(ShortFormOfPath(QFile::encodeName(nom).toStdString()));
}

void TCxFileListBox::SuivreDossier(const QString& dossier)
{
    // A linked folder list or tree is given the folder and the list follows it.
    if (dirList_) {
        dirList_->SetDirectory(dossier);
        SetDirectory(dirList_->Directory());
    } else if (arbre_) {
        arbre_->SetDirectory(dossier);
        SetDirectory(arbre_->Directory());
    } else {
        SetDirectory(dossier);
    }
}

void TCxFileListBox::SetFileName(const QString& nom)
{
    if (nom.isEmpty() || nom == FileName())
        return;
    const int barre = int(nom.lastIndexOf(QLatin1Char('/')));
    const QString fichier = barre >= 0 ? nom.mid(barre + 1) : nom;
    if (barre >= 0) {
        SuivreDossier(barre == 0 ? QStringLiteral("/") : nom.left(barre));
    }
    if (fichier.contains(QLatin1Char('*')) || fichier.contains(QLatin1Char('?'))) {
        SetMask(fichier);
        return;
    }
    if (fichier.isEmpty())
        return;
    const QList<QListWidgetItem*> memes = findItems(fichier, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!memes.isEmpty())
        setCurrentItem(memes.first());
    if (!QFileInfo::exists(Joindre(directory_, fichier)))
        throw EInOutError(QStringLiteral("The %1 file does not exist").arg(nom).toStdString());
}

void TCxFileListBox::Ouvrir(int index)
{
    if (index < 0 || std::size_t(index) >= infos_.size())
        return;
    const TCxFileInfo& fi = infos_[std::size_t(index)];
    const QString chemin = Joindre(directory_, fi.Name);
    if (fi.IsFolder) {
        SuivreDossier(chemin);
        return;
    }
    if (AllowOpen && OuvrirDocument && !OuvrirDocument(chemin) && Avertir)
        Avertir(QStringLiteral("Could not open file."));
}

void TCxFileListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    QListWidget::mouseDoubleClickEvent(e);
    const QListWidgetItem* e2 = itemAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && e2)
        Ouvrir(row(e2));
}

void TCxFileListBox::changeEvent(QEvent* e)
{
    QListWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        AppliquerHauteur();
}

void TCxFileListBox::resizeEvent(QResizeEvent* e)
{
    QListWidget::resizeEvent(e);
    if (columns_ > 0)
        AppliquerColonnes();
}

// ---- Folder list ----

TCxDirectoryListBox::TCxDirectoryListBox(QWidget* parent)
    : TZoneEncadree<QListWidget>(parent)
{
    InstallerCouleursSystemePalette();
    setAttribute(Qt::WA_Hover, true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new DelegueDossiers(this));
    resize(145, 97);
    directory_ = Absolu(QDir::currentPath());
    BuildList();
}

void TCxDirectoryListBox::SetShowLongNames(bool longs)
{
    if (longs == showLongNames_)
        return;
    showLongNames_ = longs;
    BuildList();
    MettreEtiquette();
}

void TCxDirectoryListBox::SetDirectory(const QString& dossier)
{
    // Up to the nearest folder that exists ("/" always does).
    QString chemin = Absolu(dossier.isEmpty() ? QDir::currentPath() : dossier);
    while (!QFileInfo(chemin).isDir() && chemin != QLatin1String("/"))
        chemin = Absolu(QFileInfo(chemin).absolutePath());
    if (chemin == directory_)
        return;
    directory_ = chemin;
    BuildList();
    MettreEtiquette();
    if (fileList_)
        fileList_->SetDirectory(directory_);
    if (OnChange)
        OnChange();
}

void TCxDirectoryListBox::BuildList()
{
    clear();
    const auto ajouter = [this](const QString& texte, const QString& chemin, int niveau, SorteDossier sorte) {
        auto* e = new QListWidgetItem(texte, this);
        e->setData(kRoleChemin, chemin);
        e->setData(kRoleNiveau, niveau);
        e->setData(kRoleSorte, int(sorte));
    };
    const auto nomDe = [this](const QString& chemin) {
        const QString nom = QFileInfo(chemin).fileName();
        if (!showLongNames_)
            return nom;
        return QFile::decodeName(QByteArray::fromStdString(LongNameOfPath(QFile::encodeName(chemin).toStdString())));
    };
    const QStringList parties = directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    ajouter(QStringLiteral("/"), QStringLiteral("/"), 0, parties.isEmpty() ? DossierCourant : DossierOuvert);
    QString chemin;
    for (int i = 0; i < parties.size(); ++i) {
        chemin += QLatin1Char('/') + parties[i];
        ajouter(nomDe(chemin), chemin, i + 1, i + 1 == parties.size() ? DossierCourant : DossierOuvert);
    }
    indexCourant_ = count() - 1;
    // The current folder's folders, hidden ones aside as in the directory tree.
    QFileInfoList sous = QDir(directory_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::stable_sort(sous.begin(), sous.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return CollateurNoms().compare(a.fileName(), b.fileName()) < 0;
    });
    for (const QFileInfo& info : sous)
        if (!info.fileName().startsWith(QLatin1Char('.')))
            ajouter(nomDe(info.absoluteFilePath()), Joindre(directory_, info.fileName()), int(parties.size()) + 1,
                    DossierFerme);
    setCurrentRow(indexCourant_);
}

QString TCxDirectoryListBox::GetItemPath(int index) const
{
    const QListWidgetItem* e = item(index);
    return e ? e->data(kRoleChemin).toString() : QString();
}

int TCxDirectoryListBox::Niveau(int index) const
{
    const QListWidgetItem* e = item(index);
    return e ? e->data(kRoleNiveau).toInt() : -1;
}

void TCxDirectoryListBox::SetFileList(TCxFileListBox* liste)
{
    fileList_ = liste;
    if (liste) {
        liste->SetDirList(this);
        liste->SetDirectory(directory_);
    }
}

void TCxDirectoryListBox::SetDirLabel(QLabel* etiquette)
{
    dirLabel_ = etiquette;
    MettreEtiquette();
}

void TCxDirectoryListBox::MettreEtiquette()
{
    if (!dirLabel_)
        return;
    const int largeur = dirLabel_->width() > 0 ? dirLabel_->width() : width();
    dirLabel_->setText(dirLabel_->fontMetrics().elidedText(directory_, Qt::ElideMiddle, largeur));
}

void TCxDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    QListWidget::mouseDoubleClickEvent(e);
    const QListWidgetItem* e2 = itemAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && e2)
        SetDirectory(GetItemPath(row(e2)));
}

void TCxDirectoryListBox::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentRow() >= 0) {
        SetDirectory(GetItemPath(currentRow()));
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TCxDirectoryListBox::resizeEvent(QResizeEvent* e)
{
    QListWidget::resizeEvent(e);
    MettreEtiquette();
}

// ---- Drive list ----

TDriveType TypeDeVolume(const VolumeMonte& v)
{
    const QString s = v.Systeme.toLower();
    if (s == QLatin1String("tmpfs") || s == QLatin1String("ramfs"))
        return dtRAM;
    if (s == QLatin1String("iso9660") || s == QLatin1String("udf"))
        return dtCDROM;
    static const QStringList reseau{QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"),
                                    QStringLiteral("smb3"), QStringLiteral("smbfs"), QStringLiteral("fuse.sshfs")};
    if (reseau.contains(s))
        return dtNetwork;
    if (v.Amovible)
        return dtFloppy; // what this system calls removable
    return dtFixed;
}

namespace {

// /sys/class/block/<name>/removable, or the whole disk's for a partition.
bool PeripheriqueAmovible(const QString& peripherique)
{
    if (!peripherique.startsWith(QLatin1String("/dev/")))
        return false;
    const QString bloc = QFileInfo(QStringLiteral("/sys/class/block/") + QFileInfo(peripherique).fileName()).canonicalFilePath();
    if (bloc.isEmpty())
        return false;
    for (const QString& f : {bloc + QStringLiteral("/removable"), QFileInfo(bloc).absolutePath() + QStringLiteral("/removable")}) {
        QFile fichier(f);
        if (fichier.open(QIODevice::ReadOnly))
            return fichier.readAll().trimmed() == "1";
    }
    return false;
}

QStyle::StandardPixmap ImageLecteur(TDriveType t)
{
    switch (t) {
    case dtFloppy: return QStyle::SP_DriveFDIcon;
    case dtNetwork: return QStyle::SP_DriveNetIcon;
    case dtCDROM: return QStyle::SP_DriveCDIcon;
    default: return QStyle::SP_DriveHDIcon;
    }
}

} // namespace

std::vector<VolumeMonte> VolumesSysteme()
{
    std::vector<VolumeMonte> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid())
            continue;
        VolumeMonte v;
        v.Racine = s.rootPath();
        v.Systeme = QString::fromUtf8(s.fileSystemType());
        v.Peripherique = QString::fromUtf8(s.device());
        v.Nom = s.name();
        v.Amovible = PeripheriqueAmovible(v.Peripherique);
        volumes.push_back(std::move(v));
    }
    return volumes;
}

TCxDriveComboBox::TCxDriveComboBox(QWidget* parent, std::function<std::vector<VolumeMonte>()> volumes)
    : TCxCustomComboBox(parent)
    , volumes_(volumes ? std::move(volumes) : std::function<std::vector<VolumeMonte>()>(VolumesSysteme))
{
    AllowEdit = false;
    setEditable(false);
    setIconSize(QSize(16, 16));
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (index >= 0 && dirList_)
            dirList_->SetDirectory(RacineElement(index));
    });
    BuildDriveList();
}

void TCxDriveComboBox::SetDriveTypes(TDriveTypes types)
{
    if (types == driveTypes_)
        return;
    driveTypes_ = types;
    BuildDriveList();
}

void TCxDriveComboBox::BuildDriveList()
{
    const QString avant = Drive();
    const QSignalBlocker bloqueur(this);
    clear();
    for (const VolumeMonte& v : volumes_()) {
        const TDriveType t = TypeDeVolume(v);
        if (!(driveTypes_ & DriveTypeBit(t)))
            continue;
        QString texte = v.Racine;
        const QString nom = t == dtNetwork ? v.Peripherique : v.Nom;
        if (t != dtFloppy && !nom.isEmpty())
            texte += QStringLiteral(": ") + nom;
        // The list's items are as high as the larger of the text and the 16-pixel image.
        addItem(style()->standardIcon(ImageLecteur(t), nullptr, this), texte, v.Racine);
    }
    const int index = findData(avant);
    setCurrentIndex(index >= 0 ? index : (count() > 0 ? 0 : -1));
}

QString TCxDriveComboBox::RacineElement(int index) const { return itemData(index).toString(); }

QString TCxDriveComboBox::Drive() const { return currentIndex() >= 0 ? RacineElement(currentIndex()) : QString(); }

void TCxDriveComboBox::SetDrive(const QString& racine)
{
    const int index = findData(racine);
    if (index >= 0)
        setCurrentIndex(index);
}
