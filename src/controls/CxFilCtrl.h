#pragma once
// The file list, the folder list and the drive list of the component library, which complete
// the directory tree. No window of the program places them.
//
// On this system the "drives" are the mount roots, a hidden entry is one whose name starts with
// ".", and there are no short names (FileUtil.h). Masks are matched without regard to letter
// case, as the masks of the program's dialogs were written for a system that ignored it, and
// "*.*" takes every name, dot or not.
#include "controls/CxCadre.h"
#include "controls/CxCmboBx.h"
#include "controls/CxFilSys.h"

#include <QIcon>
#include <QListWidget>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLabel;

// File attributes, as the file list keeps them.
inline constexpr int32_t faReadOnly = 0x01;
inline constexpr int32_t faHidden = 0x02;
inline constexpr int32_t faSysFile = 0x04;
inline constexpr int32_t faVolumeID = 0x08;
inline constexpr int32_t faDirectory = 0x10;
inline constexpr int32_t faArchive = 0x20;

// The kinds of entries a file list shows (a set of these bits).
using TFileType = uint8_t;
inline constexpr TFileType ftReadOnly = 0x01;
inline constexpr TFileType ftHidden = 0x02;
inline constexpr TFileType ftSystem = 0x04;
inline constexpr TFileType ftVolumeID = 0x08;
inline constexpr TFileType ftDirectory = 0x10;
inline constexpr TFileType ftArchive = 0x20;
inline constexpr TFileType ftNormal = 0x80;

// The desktop's small icons of files and folders. Tests count the questions.
class IFournisseurIconesFichiers {
public:
    virtual ~IFournisseurIconesFichiers() = default;
    virtual QIcon IconeFichier(const QString& chemin) = 0;
    virtual QIcon IconeDossier(const QString& chemin) = 0;
};
// nullptr puts the desktop's back.
void InstallerFournisseurIconesFichiers(std::shared_ptr<IFournisseurIconesFichiers> fournisseur);
// The process-wide icons by lower-case extension: empties it (the icons go with it).
void ViderCacheIconesFichiers();
int TailleCacheIconesFichiers();

// One listed entry of a file list.
struct TCxFileInfo {
    QString Name;            // as found
    int32_t Attr = 0;
    int32_t Time = 0;        // packed date and time: (year-1980)<<25 | month<<21 | day<<16 | h<<11 | min<<5 | s/2
    int64_t Size = 0;        // bytes (64 bits: a file of more than 2 GB keeps its size)
    bool IsFolder = false;
    QIcon Icon;              // empty without glyphs
    bool OwnIcon = false;    // the file's own icon, not one of the cache
};

// Folders first, then names without letter case in the locale's order.
bool CompareFileInfos(const TCxFileInfo& a, const TCxFileInfo& b);

// Whether `nom` matches one pattern of a file mask (* and ?, no letter case, "*.*" all).
bool CorrespondMasque(const QString& nom, const QString& motif);

// Where an item of a file list draws: its icon (16 x 16, 4 pixels in, centred vertically) and
// the top-left of its text (26 pixels in with glyphs, 2 without, centred on the height of "Pp").
struct PlacesElementFichier {
    QRect Icone;
    QPoint Texte;
};
PlacesElementFichier PlacerElementFichier(QRect element, int hauteurPp, bool glyphes);
// The height of an item for a font's text height (the character height plus 2).
int HauteurElementFichier(int hauteurTexte, bool glyphes);

class TCxDirectoryListBox;

class TCxFileListBox : public TZoneEncadree<QListWidget> {
    Q_OBJECT
public:
    explicit TCxFileListBox(QWidget* parent = nullptr);
    ~TCxFileListBox() override;

    bool AllowOpen = false;

    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool montrer);
    bool ShowLongNames() const { return showLongNames_; }
    void SetShowLongNames(bool longs);
    int Columns() const { return columns_; }
    void SetColumns(int colonnes);

    QString Directory() const { return directory_; }
    // Reads the names of an existing folder; EInOutError "The %s directory does not exist".
    void SetDirectory(const QString& dossier);
    QString Mask() const { return mask_; }
    void SetMask(const QString& masque);
    TFileType FileType() const { return fileType_; }
    void SetFileType(TFileType types);

    // The selected entry's full path, empty without a selection.
    QString FileName() const;
    // A wildcard name sets the folder and the mask; a plain one the folder and selects the file,
    // or raises EInOutError "The %s file does not exist".
    void SetFileName(const QString& nom);
    QString GetLongFileName() const;
    QString GetShortFileName() const;

    void Update() { ReadFileNames(); }
    const std::vector<TCxFileInfo>& FileInfos() const { return infos_; }
    bool Occupe() const { return occupe_; }

    // The folder list or directory tree that drives the folder when a name is set.
    void SetDirList(TCxDirectoryListBox* liste) { dirList_ = liste; }
    void SetDirectoryTree(TCxDirectoryTree* arbre) { arbre_ = arbre; }
    TCxDirectoryTree* DirectoryTree() const { return arbre_; }

    // The list changed (read again, or another entry selected).
    std::function<void()> OnChange;
    // Opens a document with the desktop (false when it could not); tests replace it.
    std::function<bool(const QString& chemin)> OuvrirDocument;
    // The warning box (an OK button); tests replace it.
    std::function<void(const QString& message)> Avertir;

    void ReadFileNames();
    void ClearFileInfos();
    int HauteurElement() const;
    // What a double click on an item does.
    void Ouvrir(int index);

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void AppliquerHauteur();
    void AppliquerColonnes();
    // Goes to a folder through the linked folder list or tree, when there is one.
    void SuivreDossier(const QString& dossier);

    std::vector<TCxFileInfo> infos_;
    QString directory_;
    QString mask_ = QStringLiteral("*.*");
    TFileType fileType_ = ftNormal;
    bool showGlyphs_ = true;
    bool showLongNames_ = true;
    int columns_ = 0;
    bool occupe_ = false;
    QPointer<TCxDirectoryListBox> dirList_;
    QPointer<TCxDirectoryTree> arbre_;
};

// The folder list: the folders from the root down to the current one, each one level deeper,
// then the current folder's folders one level deeper still.
class TCxDirectoryListBox : public TZoneEncadree<QListWidget> {
    Q_OBJECT
public:
    explicit TCxDirectoryListBox(QWidget* parent = nullptr);

    bool ShowLongNames() const { return showLongNames_; }
    void SetShowLongNames(bool longs);

    QString Directory() const { return directory_; }
    // Climbs to the nearest existing folder of the path, then lists.
    void SetDirectory(const QString& dossier);
    // The full path of an item.
    QString GetItemPath(int index) const;
    // An item's depth (0 for the root).
    int Niveau(int index) const;
    // The item of the current folder.
    int IndexCourant() const { return indexCourant_; }

    void SetFileList(TCxFileListBox* liste);
    void SetDirLabel(QLabel* etiquette);

    std::function<void()> OnChange;

    void BuildList();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void MettreEtiquette();

    QString directory_;
    bool showLongNames_ = true;
    int indexCourant_ = -1;
    QPointer<TCxFileListBox> fileList_;
    QPointer<QLabel> dirLabel_;
};

enum TDriveType : uint8_t { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
using TDriveTypes = uint8_t; // bits 1 << TDriveType
inline constexpr TDriveTypes DriveTypeBit(TDriveType t) { return static_cast<TDriveTypes>(1u << t); }
inline constexpr TDriveTypes kDriveTypesDefaut =
    DriveTypeBit(dtFloppy) | DriveTypeBit(dtFixed) | DriveTypeBit(dtNetwork) | DriveTypeBit(dtCDROM) | DriveTypeBit(dtRAM);

// One mounted volume.
struct VolumeMonte {
    QString Racine;      // the mount point
    QString Systeme;     // the file-system type ("ext4", "tmpfs", "nfs", ...)
    QString Peripherique;
    QString Nom;         // the volume label
    bool Amovible = false;
};
// The kind of drive a volume is: tmpfs/ramfs RAM, iso9660/udf CD-ROM, network file systems
// network, removable devices "floppy", the rest fixed.
TDriveType TypeDeVolume(const VolumeMonte& v);
// The mounted volumes, from the system; tests give their own.
std::vector<VolumeMonte> VolumesSysteme();

class TCxDriveComboBox : public TCxCustomComboBox {
    Q_OBJECT
public:
    // Without `volumes`, the system's mounted volumes.
    explicit TCxDriveComboBox(QWidget* parent = nullptr, std::function<std::vector<VolumeMonte>()> volumes = {});

    TDriveTypes DriveTypes() const { return driveTypes_; }
    void SetDriveTypes(TDriveTypes types);
    // The mount root selected.
    QString Drive() const;
    void SetDrive(const QString& racine);
    void SetDirList(TCxDirectoryListBox* liste) { dirList_ = liste; }

    // Lists the volumes again.
    void BuildDriveList();
    // The root of item `index`.
    QString RacineElement(int index) const;

private:
    std::function<std::vector<VolumeMonte>()> volumes_;
    TDriveTypes driveTypes_ = kDriveTypesDefaut;
    QPointer<TCxDirectoryListBox> dirList_;
};
