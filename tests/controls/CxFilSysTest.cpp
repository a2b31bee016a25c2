// The directory tree over a folder tree of its own: lazy filling one level ahead, the order
// and the folders left out, following a path, and a symbolic link that loops back.
#include "controls/CxFilSys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>

#include <filesystem>

namespace {

QStringList Enfants(const QTreeWidgetItem* n)
{
    QStringList noms;
    for (int i = 0; i < n->childCount(); ++i)
        noms << n->child(i)->text(0);
    return noms;
}

class ArbreDossiers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        base = temp.path() + "/racine";
        QDir d;
        for (const char* sous : {"beta", "Alpha/sub/deep", "gamma", ".cache/x", "Zeta", "verrou/dedans"})
            ASSERT_TRUE(d.mkpath(base + "/" + sous));
        namespace fs = std::filesystem;
        fs::create_directory_symlink("..", (base + "/gamma/loop").toStdString());
        fs::create_directory_symlink(".", (base + "/Alpha/self").toStdString());
        fs::permissions((base + "/verrou").toStdString(), fs::perms::none);
        // The tree runs with the process's folder outside it.
        ASSERT_TRUE(QDir::setCurrent(temp.path()));
    }
    void TearDown() override
    {
        std::filesystem::permissions((base + "/verrou").toStdString(), std::filesystem::perms::owner_all);
        QDir::setCurrent(ancien);
    }

    QString ancien = QDir::currentPath();
    QTemporaryDir temp;
    QString base;
};

} // namespace

TEST_F(ArbreDossiers, RootFillsItsFirstLevelSortedWithoutHiddenFolders)
{
    TCxDirectoryTree arbre(nullptr, {base});
    ASSERT_EQ(arbre.topLevelItemCount(), 1);
    QTreeWidgetItem* racine = arbre.topLevelItem(0);
    EXPECT_EQ(racine->text(0), base);
    EXPECT_EQ(Enfants(racine), (QStringList{"Alpha", "beta", "gamma", "verrou", "Zeta"}));
    // Lazily: the children are not filled before their parent opens.
    EXPECT_FALSE(arbre.Rempli(racine->child(0)));
    racine->setExpanded(true);
    EXPECT_TRUE(arbre.Rempli(racine->child(0)));
    EXPECT_EQ(Enfants(racine->child(0)), (QStringList{"self", "sub"}));
    EXPECT_FALSE(arbre.Rempli(racine->child(0)->child(1))); // Alpha/sub waits for Alpha to open
    EXPECT_TRUE(arbre.ReadOnly());
}

TEST_F(ArbreDossiers, SelectingANodeSetsDirectoryAndTheProcessFolder)
{
    TCxDirectoryTree arbre(nullptr, {base});
    QLabel etiquette;
    etiquette.resize(2000, 20);
    arbre.SetDirLabel(&etiquette);
    int changements = 0, lecteurs = 0;
    QString vuDansChange;
    arbre.OnChange = [&] {
        ++changements;
        vuDansChange = arbre.Directory();
    };
    arbre.OnDriveChange = [&] { ++lecteurs; };

    QTreeWidgetItem* racine = arbre.topLevelItem(0);
    arbre.setCurrentItem(racine);
    EXPECT_EQ(arbre.Directory(), base);
    EXPECT_EQ(lecteurs, 1);
    racine->setExpanded(true);
    arbre.setCurrentItem(racine->child(1));
    EXPECT_EQ(arbre.Directory(), base + "/beta");
    EXPECT_EQ(vuDansChange, base + "/beta");
    EXPECT_EQ(QDir::currentPath(), base + "/beta");
    EXPECT_EQ(etiquette.text(), base + "/beta");
    EXPECT_EQ(changements, 2);
    EXPECT_EQ(lecteurs, 1);

    // The changing event may refuse: nothing moves.
    arbre.OnChanging = [](QTreeWidgetItem*, bool& permis) { permis = false; };
    arbre.setCurrentItem(racine->child(2));
    EXPECT_EQ(arbre.currentItem(), racine->child(1));
    EXPECT_EQ(arbre.Directory(), base + "/beta");
}

TEST_F(ArbreDossiers, SetDirectoryWalksDownToTheNode)
{
    TCxDirectoryTree arbre(nullptr, {base});
    arbre.SetDirectory(base + "/Alpha/./sub/deep/");
    ASSERT_TRUE(arbre.currentItem());
    EXPECT_EQ(arbre.currentItem()->text(0), "deep");
    EXPECT_EQ(arbre.Directory(), base + "/Alpha/sub/deep");

    // A folder below a hidden one: the walk stops at the last node it can reach.
    arbre.SetDirectory(base + "/.cache/x");
    EXPECT_EQ(arbre.Directory(), base);

    // A path that does not exist is refused and changes nothing.
    arbre.SetDirectory(base + "/beta");
    try {
        arbre.SetDirectory(base + "/absent");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), ("The " + base + "/absent directory does not exist").toStdString());
    }
    EXPECT_EQ(arbre.Directory(), base + "/beta");

    // The current folder again, or nothing, does nothing.
    int changements = 0;
    arbre.OnChange = [&] { ++changements; };
    arbre.SetDirectory(base + "/beta");
    arbre.SetDirectory(QString());
    EXPECT_EQ(changements, 0);
}

TEST_F(ArbreDossiers, LoopingLinksAreListedButNeverFilled)
{
    TCxDirectoryTree arbre(nullptr, {base});
    // gamma/loop leads back to the root, Alpha/self to Alpha: the walk ends there at once.
    arbre.SetDirectory(base + "/gamma/loop/gamma/loop/Alpha/self/self");
    ASSERT_TRUE(arbre.currentItem());
    EXPECT_EQ(arbre.Directory(), base + "/gamma/loop");
    QTreeWidgetItem* boucle = arbre.currentItem();
    boucle->setExpanded(true);
    EXPECT_EQ(boucle->childCount(), 0);

    QTreeWidgetItem* alpha = arbre.topLevelItem(0)->child(0);
    alpha->setExpanded(true);
    QTreeWidgetItem* self = alpha->child(0);
    ASSERT_EQ(self->text(0), "self");
    self->setExpanded(true);
    EXPECT_EQ(self->childCount(), 0);

    // Opening everything that can be opened ends.
    std::function<void(QTreeWidgetItem*)> toutOuvrir = [&](QTreeWidgetItem* n) {
        n->setExpanded(true);
        for (int i = 0; i < n->childCount(); ++i)
            toutOuvrir(n->child(i));
    };
    toutOuvrir(arbre.topLevelItem(0));
    EXPECT_NE(arbre.NoeudDe(base + "/Alpha/sub/deep"), nullptr);
}

TEST_F(ArbreDossiers, InaccessibleRootIsRefusedWithAMessage)
{
    TCxDirectoryTree arbre(nullptr, {base, base + "/absent-media"});
    QStringList messages;
    arbre.AfficherErreur = [&](const QString& m) { messages << m; };
    arbre.setCurrentItem(arbre.topLevelItem(0));
    arbre.setCurrentItem(arbre.topLevelItem(1));
    EXPECT_EQ(messages, QStringList{"Drive " + base + "/absent-media is not accessible"});
    EXPECT_EQ(arbre.currentItem(), arbre.topLevelItem(0));
    EXPECT_EQ(arbre.Directory(), base);
}

TEST_F(ArbreDossiers, RefreshKeepsTheFolderAndShowsNewOnes)
{
    TCxDirectoryTree arbre(nullptr, {base});
    arbre.SetDirectory(base + "/Alpha/sub");
    QDir().mkpath(base + "/Alpha/aaa");
    arbre.RefreshTree();
    EXPECT_EQ(arbre.Directory(), base + "/Alpha/sub");
    EXPECT_EQ(Enfants(arbre.topLevelItem(0)->child(0)), (QStringList{"aaa", "self", "sub"}));
}

TEST_F(ArbreDossiers, RenameOnlyWhenNotReadOnly)
{
    TCxDirectoryTree arbre(nullptr, {base});
    QStringList messages;
    arbre.AfficherErreur = [&](const QString& m) { messages << m; };
    arbre.SetDirectory(base + "/Zeta");
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&arbre, &f2);
    EXPECT_FALSE(arbre.isPersistentEditorOpen(arbre.currentItem()));

    arbre.SetReadOnly(false);
    QApplication::sendEvent(&arbre, &f2);
    // What the editor would commit:
    arbre.currentItem()->setText(0, "Omega");
    EXPECT_TRUE(QFileInfo(base + "/Omega").isDir());
    EXPECT_EQ(arbre.Directory(), base + "/Omega");

    QApplication::sendEvent(&arbre, &f2);
    arbre.currentItem()->setText(0, "a/b");
    EXPECT_EQ(arbre.currentItem()->text(0), "Omega");
    EXPECT_EQ(messages.size(), 1);
}
