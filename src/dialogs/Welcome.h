#pragma once
// The first-start language dialog: lists the installed languages (ListeLangues) and lets the
// user pick one. None of its texts comes from a language file, since none is chosen yet.
#include <QDialog>

#include <string>

class QGroupBox;
class QListWidget;
class QPushButton;

class TWelcomeDlg : public QDialog {
    Q_OBJECT

public:
    // Fills the list from ListeLangues and selects "English" (exactly), else the first entry.
    explicit TWelcomeDlg(QWidget* parent = nullptr);

    // The selected language name (Windows-1252), empty when the list is empty.
    std::string LangueChoisie() const;

    QGroupBox* GroupBox1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* BT_OK = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
};

// The notice shown when no language file is installed.
QString TexteAucuneLangue();

// Shows the notice when no language is installed, then the dialog; returns the chosen name.
std::string ChoisirLangueWelcome();

// Makes ChoisirLangueWelcome the dialog of the language choice at start.
void InstallerWelcomeDlg();
