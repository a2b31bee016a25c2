#pragma once
// The re-split confirmation: Yes (modal result 6) lets the re-split assistant lay the current
// track out again over the song's measures; No, Escape and the close box give No (7).
#include <QDialog>

class QKeyEvent;
class QLabel;
class QPushButton;

class TConfRedecForm : public QDialog {
    Q_OBJECT

public:
    explicit TConfRedecForm(QWidget* parent = nullptr);

    static constexpr int ContexteAide = 9;

    QLabel* Image_Conf = nullptr;
    QLabel* Lab_Redec = nullptr;
    QPushButton* BT_Oui = nullptr;
    QPushButton* BT_Non = nullptr;
    QPushButton* BT_Aide = nullptr;

    void TraduireConfRedec();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};
