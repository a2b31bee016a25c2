#pragma once
// The directory tree: the computer's file-system roots and their folders, filled lazily one
// level ahead of what is shown, so that every visible folder shows whether it can be opened.
// The song browser places one and uses its Directory, SetDirectory and its change events.
//
// On this system the "drives" of the tree are the file-system root and the mount points of
// removable media (under /media, /run/media and /mnt); a folder's path is its root's path and
// the folder names joined by "/", never with a trailing separator (but "/" itself).
//
// Unreadable folders simply show no children. A folder that leads back to one of its own
// ancestors (a symbolic link or a bind mount making a loop) is listed but never filled, so no
// walk through the tree can go on forever; a path given to SetDirectory that runs through such
// a link still reaches its node, the path being finite.
#include "controls/CxCadre.h"

#include <QPen>
#include <QPointer>
#include <QStringList>
#include <QTreeWidget>

#include <functional>
#include <stdexcept>

class QLabel;

// The input/output error of SetDirectory for a folder that does not exist.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The library's tree view: the painted frame, a rectangle around the selected node while the
// tree has no focus, and wheel scrolling by the desktop's wheel-scroll lines.
class TCxCustomTreeView : public TZoneEncadree<QTreeWidget> {
    Q_OBJECT
public:
    explicit TCxCustomTreeView(QWidget* parent = nullptr);


    const QPen& SelectionPen() const { return selectionPen_; }
    void SetSelectionPen(const QPen& stylo);

protected:
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    QPen selectionPen_;
};

class TCxDirectoryTree : public TCxCustomTreeView {
    Q_OBJECT
public:
    // `racines` replaces the system's roots (tests give a folder of their own).
    explicit TCxDirectoryTree(QWidget* parent = nullptr, QStringList racines = {});
    ~TCxDirectoryTree() override;

    // "/" first, then the mounted removable media.
    static QStringList RacinesSysteme();

    // Paths are file-system bytes: a folder whose name is not UTF-8 (copied from an old disk)
    // is shown and opened like any other. Its text reads the bytes as Windows-1252.
    static QString NomAffiche(const QByteArray& octets);

    // The selected folder as shown, and as the file system spells it.
    QString Directory() const { return NomAffiche(directory_); }
    const QByteArray& DirectoryOctets() const { return directory_; }
    // Selects the node of an existing folder, the very folder asked for: a part of the path the
    // tree does not list (a hidden folder, a folder under a link that loops back) gets its node
    // on the way. Throws EInOutError "The %s directory does not exist" for a folder that does
    // not exist; an empty path or the current one does nothing.
    void SetDirectory(const QByteArray& chemin);
    void SetDirectory(const QString& chemin);
    // The root of Directory (the "drive").
    QString GetDrive() const;

    void LoadDrives();
    void RefreshTree();

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }

    QLabel* DirLabel() const { return dirLabel_; }
    void SetDirLabel(QLabel* etiquette);
    void UpdateDirLabel();

    // The tree's events: the change event comes after Directory has been updated; the changing
    // event may refuse a selection.
    std::function<void()> OnChange;
    std::function<void(QTreeWidgetItem* noeud, bool& permis)> OnChanging;
    std::function<void()> OnDriveChange;

    // The error box (an OK button); tests replace it.
    std::function<void(const QString& message)> AfficherErreur;

    // The path of a node; a node's folders (one level), as the tree fills them.
    QByteArray CheminNoeud(const QTreeWidgetItem* noeud) const;
    void RemplirDossiers(QTreeWidgetItem* noeud);
    bool Rempli(const QTreeWidgetItem* noeud) const;
    // The node of a folder already in the tree, or null.
    QTreeWidgetItem* NoeudDe(const QByteArray& chemin) const;
    QTreeWidgetItem* NoeudDe(const QString& chemin) const;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool DemanderSelection(QTreeWidgetItem* noeud);
    void SelectionChangee(QTreeWidgetItem* courant, QTreeWidgetItem* precedent);
    void Deploye(QTreeWidgetItem* noeud);
    void TexteModifie(QTreeWidgetItem* noeud, int colonne);
    bool Boucle(const QTreeWidgetItem* noeud) const;
    QTreeWidgetItem* RacineDe(const QByteArray& chemin) const;
    QTreeWidgetItem* EnfantNomme(const QTreeWidgetItem* noeud, const QByteArray& nom) const;
    // Inserts the folder `nom` of the node at its sorted place (nothing when already there).
    QTreeWidgetItem* AjouterEnfant(QTreeWidgetItem* noeud, const QByteArray& nom);

    QList<QByteArray> racines_;
    QByteArray directory_;
    QByteArray lecteurPrecedent_;
    QPointer<QLabel> dirLabel_;
    bool readOnly_ = true;
    bool destruction_ = false;
    bool rafraichissement_ = false;
    bool garde_ = false;        // our own selection moves and text changes
    bool renommage_ = false;
};
